// TPellFtp against a real FTP server started by the test on 127.0.0.1, and
// the ways opening the control connection can fail.

#include "PellFtp.h"
#include "RealFtpServer.h"
#include "platform/Exceptions.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const char kUser[] = "tester";
const char kPassword[] = "s3cret";

// A port on 127.0.0.1 that nothing listens on.
int closedPort()
{
    int handle = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    ::bind(handle, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::getsockname(handle, reinterpret_cast<sockaddr*>(&a), &length);
    ::close(handle);
    return ntohs(a.sin_port);
}

struct Client
{
    TPellFtp ftp;
    QStringList events;

    Client(int port, const std::string& user, const std::string& password)
    {
        ftp.SetHost("127.0.0.1");
        ftp.SetPort(port);
        ftp.SetUserID(user);
        ftp.SetPassword(password);
        ftp.SetOnStatus([this](TComponent*, std::string status) {
            events << "status " + QString::fromStdString(status).left(3);
        });
        ftp.SetOnConnect([this](TObject*) { events << "connect"; });
        ftp.SetOnSuccess([this](TFtpCmdType type) { events << QString("success %1").arg(int(type)); });
        ftp.SetOnFailure([this](bool& handled, TFtpCmdType type) {
            events << QString("failure %1").arg(int(type));
            handled = true;
        });
        ftp.SetOnConnectionFailed([this](TObject*) {
            events << QString("connection failed while %1").arg(ftp.Connected() ? "open" : "closed");
        });
    }
};

} // namespace

class TestPellFtpServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void connectAndLogin();
    void wrongPassword();
    void missingCredentials_data();
    void missingCredentials();
    void directoryCommands_data();
    void directoryCommands();
    void rename();
    void rawCommands();
    void disconnect();
    void hostFailures_data();
    void hostFailures();

private:
    std::unique_ptr<RealFtpServer> m_server;
    QString path(const QString& name) const { return QDir(m_server->root()).filePath(name); }
};

void TestPellFtpServer::initTestCase()
{
    m_server = std::make_unique<RealFtpServer>(kUser, kPassword);
    QString error;
    QVERIFY2(m_server->start(&error), qPrintable(error));
}

void TestPellFtpServer::connectAndLogin()
{
    Client client(m_server->port(), kUser, kPassword);
    client.ftp.Connect();
    QCOMPARE(client.events, QStringList({"status 220", "connect", "status 331", "status 230"}));
    QVERIFY(client.ftp.Connected());
    QCOMPARE(client.ftp.ResultCode(), 230);
    client.ftp.DoCommand("PWD");
    QCOMPARE(client.ftp.ResultCode(), 257);
    QVERIFY(client.ftp.ResultText().find("\"/\"") != std::string::npos);
}

void TestPellFtpServer::wrongPassword()
{
    Client client(m_server->port(), kUser, "wrong");
    try {
        client.ftp.Connect();
        QFAIL("a wrong password did not raise");
    } catch (const EPellFtpError& e) {
        QCOMPARE(QString::fromUtf8(e.what()), QString("接続に失敗しました。"));
    }
    QCOMPARE(client.events, QStringList({"status 220", "connect", "status 331", "status 530",
                                         "connection failed while open"}));
    QVERIFY(!client.ftp.Connected());
    QCOMPARE(client.ftp.ResultCode(), 530);
}

void TestPellFtpServer::missingCredentials_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("authHandler");    // 0 none, 1 leaves Handled false, 2 supplies and sets Handled
    QTest::addColumn<int>("failureHandler"); // 0 none, 1 leaves Handled false, 2 sets Handled
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<bool>("raises");
    QTest::addColumn<bool>("connected");
    QTest::newRow("no handlers") << "" << 0 << 0 << QStringList{"status 220", "connect"} << false << false;
    QTest::newRow("OnFailure leaves Handled false")
        << "" << 0 << 1 << QStringList{"status 220", "connect", "failure 16"} << true << true;
    QTest::newRow("OnFailure handles it")
        << "" << 0 << 2 << QStringList{"status 220", "connect", "failure 16"} << false << false;
    QTest::newRow("OnAuthenticationNeeded does not handle it")
        << "" << 1 << 2 << QStringList{"status 220", "connect", "auth", "failure 16"} << false << false;
    QTest::newRow("OnAuthenticationNeeded supplies the password")
        << "" << 2 << 2 << QStringList{"status 220", "connect", "auth", "status 331", "status 230"} << false
        << true;
}

void TestPellFtpServer::missingCredentials()
{
    QFETCH(QString, password);
    QFETCH(int, authHandler);
    QFETCH(int, failureHandler);
    QFETCH(QStringList, events);
    QFETCH(bool, raises);
    QFETCH(bool, connected);
    Client client(m_server->port(), kUser, password.toStdString());
    if (authHandler > 0)
        client.ftp.SetOnAuthenticationNeeded([&](bool& handled) {
            QCOMPARE(handled, false);
            client.events << "auth";
            if (authHandler == 2) {
                client.ftp.SetPassword(kPassword);
                handled = true;
            }
        });
    if (failureHandler == 0)
        client.ftp.SetOnFailure(nullptr);
    else
        client.ftp.SetOnFailure([&](bool& handled, TFtpCmdType type) {
            client.events << QString("failure %1").arg(int(type));
            handled = failureHandler == 2;
        });
    try {
        client.ftp.Connect();
        QVERIFY(!raises);
    } catch (const EPellFtpError& e) {
        QVERIFY(raises);
        QCOMPARE(QString::fromUtf8(e.what()), QString("220 test server ready"));
    }
    QCOMPARE(client.events, events);
    QCOMPARE(client.ftp.Connected(), connected);
}

void TestPellFtpServer::directoryCommands_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QString>("existsAfter"); // a path that must exist afterwards, or "!path" that must not
    QTest::newRow("MKD new") << "mkdir"
                             << "fresh"
                             << "success 1"
                             << "fresh";
    QTest::newRow("MKD existing") << "mkdir"
                                  << "present"
                                  << "failure 1"
                                  << "present";
    QTest::newRow("CWD existing") << "cd"
                                  << "present"
                                  << "success 0"
                                  << "present";
    QTest::newRow("CWD missing") << "cd"
                                 << "absent"
                                 << "failure 0"
                                 << "!absent";
    QTest::newRow("RMD existing") << "rmdir"
                                  << "present"
                                  << "success 2"
                                  << "!present";
    QTest::newRow("RMD missing") << "rmdir"
                                 << "absent"
                                 << "failure 2"
                                 << "!absent";
    QTest::newRow("DELE existing") << "delete"
                                   << "file.txt"
                                   << "success 2"
                                   << "!file.txt";
    QTest::newRow("DELE missing") << "delete"
                                  << "absent.txt"
                                  << "failure 2"
                                  << "!absent.txt";
}

void TestPellFtpServer::directoryCommands()
{
    QFETCH(QString, operation);
    QFETCH(QString, argument);
    QFETCH(QString, outcome);
    QFETCH(QString, existsAfter);
    // The server answers CWD before it changes back out of the directory, so
    // a directory it may still stand in is never removed behind its back:
    // each row only adds what is missing and drops what it made.
    QDir root(m_server->root());
    QVERIFY(root.exists("present") || root.mkdir("present"));
    QVERIFY(!root.exists("fresh") || root.rmdir("fresh"));
    QFile file(path("file.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("content");
    file.close();

    Client client(m_server->port(), kUser, kPassword);
    client.ftp.Connect();
    client.events.clear();
    const std::string arg = argument.toStdString();
    if (operation == "mkdir")
        client.ftp.MakeDirectory(arg);
    else if (operation == "cd")
        client.ftp.ChangeDir(arg);
    else if (operation == "rmdir")
        client.ftp.RemoveDir(arg);
    else
        client.ftp.Delete(arg);
    QVERIFY2(client.events.size() == 2,
             qPrintable(client.events.join('|') + " " + QString::fromStdString(client.ftp.ResultText())));
    QCOMPARE(client.events.last(), outcome);
    QVERIFY(client.events.first().startsWith("status "));
    QCOMPARE(client.ftp.ResultCode() < 300, outcome.startsWith("success"));
    if (existsAfter.startsWith('!'))
        QVERIFY(!QFileInfo::exists(path(existsAfter.mid(1))));
    else
        QVERIFY(QFileInfo::exists(path(existsAfter)));
    QVERIFY(client.ftp.Connected());
}

void TestPellFtpServer::rename()
{
    QFile file(path("before.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("renamed content");
    file.close();

    Client client(m_server->port(), kUser, kPassword);
    client.ftp.Connect();
    client.events.clear();
    client.ftp.Rename("before.txt", "after.txt");
    QCOMPARE(client.events, QStringList({"status 350", "status 250", "success 5"}));
    QVERIFY(!QFileInfo::exists(path("before.txt")));
    QVERIFY(QFileInfo::exists(path("after.txt")));

    client.events.clear();
    client.ftp.Rename("no-such-file", "whatever");
    QCOMPARE(client.events, QStringList({"status 550", "failure 5"}));
    QVERIFY(!QFileInfo::exists(path("whatever")));
}

void TestPellFtpServer::rawCommands()
{
    Client client(m_server->port(), kUser, kPassword);
    client.ftp.Connect();
    client.events.clear();
    client.ftp.DoCommand("NOOP");
    QCOMPARE(client.ftp.ResultCode(), 200);
    client.ftp.DoCommand("TYPE I");
    QCOMPARE(client.ftp.ResultCode(), 200);
    // DoCommand does not judge the reply: a refused command is just a reply.
    client.ftp.DoCommand("BOGUS");
    QCOMPARE(client.ftp.ResultCode(), 500);
    QCOMPARE(client.events, QStringList({"status 200", "status 200", "status 500"}));
    QVERIFY(client.ftp.Connected());
}

void TestPellFtpServer::disconnect()
{
    Client client(m_server->port(), kUser, kPassword);
    client.ftp.Connect();
    client.events.clear();
    client.ftp.Disconnect();
    QCOMPARE(client.events, QStringList{"status 221"});
    QVERIFY(!client.ftp.Connected());
    // And it connects again.
    client.ftp.Connect();
    QVERIFY(client.ftp.Connected());
    QCOMPARE(client.ftp.ResultCode(), 230);
}

void TestPellFtpServer::hostFailures_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("handler");   // 0 none, 1 leaves Handled false, 2 sets Handled
    QTest::addColumn<QString>("error"); // the text, or "socket" for the socket layer's error
    const QString invalid = "ホストに接続できませんでした。";
    // A name with blanks never resolves and is refused without asking any
    // name server.
    for (const QString& host : {QString("127.0.0.1"), QString("no such host")}) {
        const char* what = host == "127.0.0.1" ? "refused port" : "unresolvable host";
        QTest::addRow("%s, no handler", what) << host << 0 << invalid;
        QTest::addRow("%s, Handled left false", what) << host << 1 << invalid;
        QTest::addRow("%s, Handled set: one more try", what) << host << 2 << "socket";
    }
}

void TestPellFtpServer::hostFailures()
{
    QFETCH(QString, host);
    QFETCH(int, handler);
    QFETCH(QString, error);
    Client client(closedPort(), kUser, kPassword);
    client.ftp.SetHost(host.toStdString());
    int calls = 0;
    if (handler > 0)
        client.ftp.SetOnInvalidHost([&](bool& handled) {
            ++calls;
            handled = handler == 2;
        });
    try {
        client.ftp.Connect();
        QFAIL("Connect did not raise");
    } catch (const platform::ESocketError&) {
        QCOMPARE(error, QString("socket"));
    } catch (const EPellFtpError& e) {
        QCOMPARE(QString::fromUtf8(e.what()), error);
    }
    QCOMPARE(calls, handler > 0 ? 1 : 0);
    QVERIFY(client.events.isEmpty());
    QVERIFY(!client.ftp.Connected());
}

QTEST_GUILESS_MAIN(TestPellFtpServer)
#include "tst_pellftp_server.moc"
