// TPellFtp's control connection against a scripted server: what a real server
// will not do on demand (replies in pieces, odd codes, drops), with the exact
// command lines the client sent.

#include "PellFtp.h"
#include "ScriptedFtpServer.h"
#include "platform/SocketApi.h"

#include <QTest>
#include <QTimer>

namespace {

// A script in a compact form, so that tables can hold it:
//   "<text"  wait for a command line, then answer text with CR LF
//   ">bytes" send the bytes as they stand
//   "?"      wait for a command line, answer nothing
//   "~ms"    pause
//   "!"      close the connection
//   "+"      wait for the next connection
void play(ScriptedFtpServer& server, const QStringList& script)
{
    for (const QString& step : script) {
        const std::string rest = step.mid(1).toStdString();
        switch (step.at(0).toLatin1()) {
        case '<':
            server.reply(rest);
            break;
        case '>':
            server.send(rest);
            break;
        case '?':
            server.expect();
            break;
        case '~':
            server.pause(step.mid(1).toInt());
            break;
        case '!':
            server.hangUp();
            break;
        case '+':
            server.acceptNext();
            break;
        default:
            qFatal("bad script step");
        }
    }
    server.start();
}

const QStringList kLogin = {">220 scripted server ready\r\n", "<331 password please", "<230 logged in"};

enum FailureHandling { NoFailureHandler, LeaveUnhandled, MarkHandled };

// A component pointed at the scripted server, recording its events in order.
struct Client
{
    TPellFtp ftp;
    QStringList events;

    explicit Client(const ScriptedFtpServer& server, FailureHandling failures = MarkHandled)
    {
        ftp.SetHost("127.0.0.1");
        ftp.SetPort(server.port());
        ftp.SetUserID("alice");
        ftp.SetPassword("secret");
        ftp.SetOnStatus([this](TComponent* sender, std::string status) {
            QCOMPARE(sender, static_cast<TComponent*>(&ftp));
            events << "status " + QString::fromStdString(status);
        });
        ftp.SetOnConnect([this](TObject*) { events << "connect"; });
        ftp.SetOnSuccess([this](TFtpCmdType type) { events << QString("success %1").arg(int(type)); });
        if (failures != NoFailureHandler)
            ftp.SetOnFailure([this, failures](bool& handled, TFtpCmdType type) {
                events << QString("failure %1").arg(int(type));
                handled = failures == MarkHandled;
            });
        ftp.SetOnConnectionFailed([this](TObject*) {
            events << QString("connection failed while %1").arg(ftp.Connected() ? "open" : "closed");
        });
    }

    // The events since the login's, for tests that only look at one command.
    QStringList eventsAfterLogin() const
    {
        const int at = events.indexOf("status 230 logged in");
        return at < 0 ? events : events.mid(at + 1);
    }
};

QStringList commandsOf(ScriptedFtpServer& server)
{
    server.stop();
    QStringList lines;
    for (const std::string& line : server.commands())
        lines << QString::fromStdString(line);
    return lines;
}

const QStringList kLoginCommands = {"USER alice\r\n", "PASS secret\r\n"};

} // namespace

class TestPellFtpScripted : public QObject
{
    Q_OBJECT

private slots:
    void greetingOfThreeLinesInOnePiece();
    void replyInPieces_data();
    void replyInPieces();
    void preliminaryAndFinalReplyInOneRead();
    void loginRefused_data();
    void loginRefused();
    void failureHandlerRules_data();
    void failureHandlerRules();
    void renameRules_data();
    void renameRules();
    void commandLength_data();
    void commandLength();
    void lineBreaksAndNulRefused_data();
    void lineBreaksAndNulRefused();
    void cancelWhileIdleThenConnectAgain();
    void cancelFromEventLoopEndsWait();
    void serverClosesBetweenCommands_data();
    void serverClosesBetweenCommands();
    void replyLineBeyondReceiveBuffer();
    void disconnectSendsQuit();
    void tcpNoDelayOnlyWhenChangedWhileOpen_data();
    void tcpNoDelayOnlyWhenChangedWhileOpen();
};

void TestPellFtpScripted::greetingOfThreeLinesInOnePiece()
{
    ScriptedFtpServer server;
    play(server,
         {">220-Welcome\r\n220-to the test\r\n220 ready\r\n", "<331 password please", "<230 logged in"});
    Client client(server);
    std::string textAtConnect;
    int codeAtConnect = 0;
    client.ftp.SetOnConnect([&](TObject*) {
        textAtConnect = client.ftp.ResultText();
        codeAtConnect = client.ftp.ResultCode();
        client.events << "connect";
    });
    client.ftp.Connect();
    QCOMPARE(client.events, QStringList({"status 220-Welcome", "status 220-to the test", "status 220 ready",
                                         "connect", "status 331 password please", "status 230 logged in"}));
    QCOMPARE(textAtConnect, std::string("220 ready"));
    QCOMPARE(codeAtConnect, 220);
    QVERIFY(client.ftp.Connected());
    QCOMPARE(commandsOf(server), kLoginCommands);
}

void TestPellFtpScripted::replyInPieces_data()
{
    QTest::addColumn<QStringList>("pieces"); // the reply to CWD, in script form
    QTest::addColumn<QStringList>("statuses");
    const QStringList two = {"status 250-first", "status 250 done"};
    const QStringList three = {"status 250-first", "status 250-second", "status 250 done"};
    // TimeOut is 50 ms: the long pauses are several polling slices.
    QTest::newRow("two pieces, short pause") << QStringList{">250-first\r\n", "~10", ">250 done\r\n"} << two;
    QTest::newRow("two pieces, long pause") << QStringList{">250-first\r\n", "~400", ">250 done\r\n"} << two;
    QTest::newRow("three pieces, short pauses")
        << QStringList{">250-first\r\n", "~10", ">250-second\r\n", "~10", ">250 done\r\n"} << three;
    QTest::newRow("three pieces, long pauses")
        << QStringList{">250-first\r\n", "~300", ">250-second\r\n", "~300", ">250 done\r\n"} << three;
    QTest::newRow("line split mid-line")
        << QStringList{">250-fir", "~200", ">st\r\n250 do", "~200", ">ne\r\n"} << two;
    QTest::newRow("split between CR and LF")
        << QStringList{">250-first\r", "~200", ">\n250 done\r", "~200", ">\n"} << two;
    QTest::newRow("code split from its text")
        << QStringList{">250", "~200", "> done\r\n"} << QStringList{"status 250 done"};
}

void TestPellFtpScripted::replyInPieces()
{
    QFETCH(QStringList, pieces);
    QFETCH(QStringList, statuses);
    ScriptedFtpServer server;
    play(server, kLogin + QStringList{"?"} + pieces + QStringList{"<550 already exists"});
    Client client(server);
    client.ftp.Connect();

    client.ftp.ChangeDir("dir");
    QCOMPARE(client.eventsAfterLogin(), statuses + QStringList{"success 0"});
    QCOMPARE(client.ftp.ResultText(), std::string("250 done"));
    QCOMPARE(client.ftp.ResultCode(), 250);

    // The next command is judged by its own reply, not by a leftover line.
    client.events.clear();
    client.ftp.MakeDirectory("new");
    QCOMPARE(client.events, QStringList({"status 550 already exists", "failure 1"}));
    QCOMPARE(client.ftp.ResultCode(), 550);
    QCOMPARE(commandsOf(server), kLoginCommands + QStringList({"CWD dir\r\n", "MKD new\r\n"}));
}

void TestPellFtpScripted::preliminaryAndFinalReplyInOneRead()
{
    ScriptedFtpServer server;
    play(server, kLogin + QStringList{"?", ">150 opening\r\n226 done\r\n"});
    Client client(server);
    client.ftp.Connect();
    client.ftp.DoCommand("XFER thing");
    QCOMPARE(client.eventsAfterLogin(), QStringList({"status 150 opening", "status 226 done"}));
    QCOMPARE(client.ftp.ResultCode(), 226);
    QCOMPARE(client.ftp.ResultText(), std::string("226 done"));
    QCOMPARE(commandsOf(server), kLoginCommands + QStringList{"XFER thing\r\n"});
}

void TestPellFtpScripted::loginRefused_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("resultText");
    QTest::newRow("USER answered 230, PASS 503")
        << QStringList{">220 ready\r\n", "<230 already in", "<503 bad sequence"}
        << QStringList{"status 220 ready", "connect", "status 230 already in", "status 503 bad sequence",
                       "connection failed while open"}
        << kLoginCommands << "503 bad sequence";
    QTest::newRow("USER answered 530")
        << QStringList{">220 ready\r\n", "<530 not you"}
        << QStringList{"status 220 ready", "connect", "status 530 not you", "connection failed while open"}
        << QStringList{"USER alice\r\n"} << "530 not you";
    QTest::newRow("PASS answered 530") << QStringList{">220 ready\r\n", "<331 pw", "<530 wrong"}
                                       << QStringList{"status 220 ready", "connect", "status 331 pw",
                                                      "status 530 wrong", "connection failed while open"}
                                       << kLoginCommands << "530 wrong";
    QTest::newRow("greeting 421") << QStringList{">421 too many users\r\n"}
                                  << QStringList{"status 421 too many users", "connection failed while open"}
                                  << QStringList{} << "421 too many users";
    QTest::newRow("greeting of continuation lines, then 421")
        << QStringList{">220-hello\r\n", "~100", ">421 going down\r\n"}
        << QStringList{"status 220-hello", "status 421 going down", "connection failed while open"}
        << QStringList{} << "421 going down";
    QTest::newRow("server closes before its greeting")
        << QStringList{"!"} << QStringList{"connection failed while closed"} << QStringList{}
        << "TPellFtp: サーバーが接続を閉じました。";
    QTest::newRow("server closes after USER")
        << QStringList{">220 ready\r\n", "?", "!"}
        << QStringList{"status 220 ready", "connect", "connection failed while closed"}
        << QStringList{"USER alice\r\n"} << "TPellFtp: サーバーが接続を閉じました。";
}

void TestPellFtpScripted::loginRefused()
{
    QFETCH(QStringList, script);
    QFETCH(QStringList, events);
    QFETCH(QStringList, commands);
    QFETCH(QString, resultText);
    ScriptedFtpServer server;
    play(server, script);
    Client client(server);
    try {
        client.ftp.Connect();
        QFAIL("Connect did not raise");
    } catch (const EPellFtpError& e) {
        QCOMPARE(QString::fromUtf8(e.what()), QString("接続に失敗しました。"));
    }
    QCOMPARE(client.events, events);
    QVERIFY(!client.ftp.Connected());
    QCOMPARE(QString::fromStdString(client.ftp.ResultText()), resultText);
    QCOMPARE(commandsOf(server), commands);
}

void TestPellFtpScripted::failureHandlerRules_data()
{
    QTest::addColumn<int>("handling");
    QTest::addColumn<bool>("raises");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("no handler") << int(NoFailureHandler) << false
                                << QStringList{"status 550 no such directory"};
    QTest::newRow("Handled left false")
        << int(LeaveUnhandled) << true << QStringList{"status 550 no such directory", "failure 0"};
    QTest::newRow("Handled set") << int(MarkHandled) << false
                                 << QStringList{"status 550 no such directory", "failure 0"};
}

void TestPellFtpScripted::failureHandlerRules()
{
    QFETCH(int, handling);
    QFETCH(bool, raises);
    QFETCH(QStringList, events);
    ScriptedFtpServer server;
    play(server, kLogin + QStringList{"<550 no such directory", "<250 ok"});
    Client client(server, FailureHandling(handling));
    client.ftp.Connect();
    try {
        client.ftp.ChangeDir("missing");
        QVERIFY(!raises);
    } catch (const EPellFtpError& e) {
        QVERIFY(raises);
        QCOMPARE(std::string(e.what()), std::string("550 no such directory"));
    }
    QCOMPARE(client.eventsAfterLogin(), events);
    // The connection goes on after a failed command.
    client.events.clear();
    client.ftp.ChangeDir("there");
    QCOMPARE(client.events, QStringList({"status 250 ok", "success 0"}));
    QCOMPARE(commandsOf(server), kLoginCommands + QStringList({"CWD missing\r\n", "CWD there\r\n"}));
}

void TestPellFtpScripted::renameRules_data()
{
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QStringList>("commands");
    const QStringList both = {"RNFR old name\r\n", "RNTO new name\r\n"};
    QTest::newRow("RNFR 350, RNTO 250") << QStringList{"<350 ready", "<250 renamed"} << "success 5" << both;
    QTest::newRow("RNFR 350, RNTO 450") << QStringList{"<350 ready", "<450 busy"} << "failure 5" << both;
    QTest::newRow("RNFR 350, RNTO 553") << QStringList{"<350 ready", "<553 bad name"} << "failure 5" << both;
    QTest::newRow("RNFR 550") << QStringList{"<550 no such file"} << "failure 5"
                              << QStringList{"RNFR old name\r\n"};
    QTest::newRow("RNFR 450") << QStringList{"<450 locked"} << "failure 5"
                              << QStringList{"RNFR old name\r\n"};
}

void TestPellFtpScripted::renameRules()
{
    QFETCH(QStringList, replies);
    QFETCH(QString, outcome);
    QFETCH(QStringList, commands);
    ScriptedFtpServer server;
    play(server, kLogin + replies);
    Client client(server);
    client.ftp.Connect();
    client.ftp.Rename("old name", "new name");
    QCOMPARE(client.eventsAfterLogin().last(), outcome);
    QCOMPARE(client.eventsAfterLogin().count(outcome), 1);
    QCOMPARE(commandsOf(server), kLoginCommands + commands);
}

void TestPellFtpScripted::commandLength_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("sent");
    QTest::newRow("1000 characters") << 1000 << true;
    QTest::newRow("1001 characters") << 1001 << false;
    QTest::newRow("1200 characters") << 1200 << false;
}

void TestPellFtpScripted::commandLength()
{
    QFETCH(int, length);
    QFETCH(bool, sent);
    ScriptedFtpServer server;
    play(server, kLogin + (sent ? QStringList{"<200 fine"} : QStringList{}));
    Client client(server);
    client.ftp.Connect();
    const std::string text = "SITE " + std::string(size_t(length - 5), 'a');
    try {
        client.ftp.DoCommand(text);
        QVERIFY(sent);
        QCOMPARE(client.ftp.ResultCode(), 200);
    } catch (const EPellFtpError& e) {
        QVERIFY(!sent);
        QCOMPARE(QString::fromUtf8(e.what()), QString("TPellFtp: コマンドが1000文字を超えています。"));
        QCOMPARE(client.ftp.ResultCode(), 230); // nothing was read either
    }
    client.ftp.ControlSocket()->Close();
    QCOMPARE(commandsOf(server),
             kLoginCommands + (sent ? QStringList{QString::fromStdString(text + "\r\n")} : QStringList{}));
}

void TestPellFtpScripted::lineBreaksAndNulRefused_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QByteArray>("argument");
    QTest::newRow("CWD with CR LF") << "cd" << QByteArray("a\r\nDELE b");
    QTest::newRow("MKD with LF") << "mkdir" << QByteArray("x\nRMD y");
    QTest::newRow("RMD with NUL") << "rmdir" << QByteArray("x\0y", 3);
    QTest::newRow("DELE with CR") << "delete" << QByteArray("f\rRMD g");
    QTest::newRow("RNFR with LF") << "rename from" << QByteArray("a\nb");
    QTest::newRow("RNTO with LF") << "rename to" << QByteArray("a\nb");
    QTest::newRow("raw command with NUL") << "quote" << QByteArray("NOOP\0DELE x", 11);
}

void TestPellFtpScripted::lineBreaksAndNulRefused()
{
    QFETCH(QString, operation);
    QFETCH(QByteArray, argument);
    ScriptedFtpServer server;
    play(server, kLogin);
    Client client(server);
    client.ftp.Connect();
    client.events.clear();
    const std::string arg = argument.toStdString();
    try {
        if (operation == "cd")
            client.ftp.ChangeDir(arg);
        else if (operation == "mkdir")
            client.ftp.MakeDirectory(arg);
        else if (operation == "rmdir")
            client.ftp.RemoveDir(arg);
        else if (operation == "delete")
            client.ftp.Delete(arg);
        else if (operation == "rename from")
            client.ftp.Rename(arg, "fine");
        else if (operation == "rename to")
            client.ftp.Rename("fine", arg);
        else
            client.ftp.DoCommand(arg);
        QFAIL("the command was not refused");
    } catch (const EPellFtpError& e) {
        QCOMPARE(QString::fromUtf8(e.what()), QString("TPellFtp: コマンドに改行文字やNUL文字は使えません。"));
    }
    QCOMPARE(client.events, QStringList());
    QVERIFY(client.ftp.Connected());
    client.ftp.ControlSocket()->Close();
    QCOMPARE(commandsOf(server), kLoginCommands);
}

void TestPellFtpScripted::cancelWhileIdleThenConnectAgain()
{
    ScriptedFtpServer server;
    // ABOR and CWD get no answer; the second connection's greeting comes late.
    play(server, kLogin + QStringList{"?", "?", "+", "~300", ">220 again\r\n", "<331 pw", "<230 back"});
    Client client(server);
    client.ftp.Connect();
    client.events.clear();

    client.ftp.Cancel();
    QVERIFY(client.ftp.CancelRequested());
    QVERIFY(client.ftp.Connected()); // Cancel did not sit waiting for the server to give up

    // The flag stays set: the next command does not wait for its reply, and
    // with no reply it fails instead of taking an older one.
    client.ftp.ChangeDir("dir");
    QCOMPARE(client.events, QStringList{"failure 0"});
    QCOMPARE(client.ftp.ResultCode(), -1);
    QCOMPARE(QString::fromStdString(client.ftp.ResultText()),
             QString("TPellFtp: 中止されたため、応答を最後まで受け取っていません。"));
    QVERIFY(client.ftp.CancelRequested());

    // Connect clears the flag and waits for the new greeting.
    client.ftp.Connect();
    QVERIFY(!client.ftp.CancelRequested());
    QCOMPARE(client.events,
             QStringList({"failure 0", "status 220 again", "connect", "status 331 pw", "status 230 back"}));
    QVERIFY(client.ftp.Connected());
    QCOMPARE(commandsOf(server), kLoginCommands + QStringList({"ABOR\r\n", "CWD dir\r\n"}) + kLoginCommands);
}

void TestPellFtpScripted::cancelFromEventLoopEndsWait()
{
    ScriptedFtpServer server;
    // STAT gets no answer; only Cancel can end the wait for it.
    play(server, kLogin + QStringList{"?", "?"});
    Client client(server);
    client.ftp.SetTimeOut(60);
    client.ftp.Connect();
    client.events.clear();
    int ticks = 0;
    QTimer ticker; // runs only if the wait pumps the event loop
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (++ticks == 3)
            client.ftp.Cancel();
    });
    ticker.start(100);
    try {
        client.ftp.DoCommand("STAT");
        QFAIL("a cancelled command did not raise");
    } catch (const EPellFtpError& e) {
        QCOMPARE(QString::fromUtf8(e.what()),
                 QString("TPellFtp: 中止されたため、応答を最後まで受け取っていません。"));
    }
    ticker.stop();
    QCOMPARE(ticks, 3);
    QVERIFY(client.ftp.CancelRequested());
    QVERIFY(client.ftp.Connected());
    QCOMPARE(client.events, QStringList());
    QCOMPARE(commandsOf(server), kLoginCommands + QStringList({"STAT\r\n", "ABOR\r\n"}));
}

void TestPellFtpScripted::serverClosesBetweenCommands_data()
{
    QTest::addColumn<int>("handling");
    QTest::newRow("failure handled") << int(MarkHandled);
    QTest::newRow("failure left unhandled") << int(LeaveUnhandled);
}

void TestPellFtpScripted::serverClosesBetweenCommands()
{
    QFETCH(int, handling);
    ScriptedFtpServer server;
    play(server, kLogin + QStringList{"!"});
    Client client(server, FailureHandling(handling));
    client.ftp.Connect();
    client.events.clear();
    QTRY_VERIFY_WITH_TIMEOUT(server.scriptDone(), 5000);

    try {
        client.ftp.ChangeDir("dir");
        QCOMPARE(handling, int(MarkHandled));
    } catch (const EPellFtpError& e) {
        QCOMPARE(handling, int(LeaveUnhandled));
        QCOMPARE(std::string(e.what()), client.ftp.ResultText());
    }
    QCOMPARE(client.events, QStringList{"failure 0"});
    QCOMPARE(client.ftp.ResultCode(), -1);
    // Depending on when the close reaches us, the send or the read notices it.
    QVERIFY2(client.ftp.ResultText() == "TPellFtp: サーバーが接続を閉じました。" ||
                 client.ftp.ResultText() == "TPellFtp: コマンドを送信できなかったため、接続を閉じました。",
             client.ftp.ResultText().c_str());
    QVERIFY(!client.ftp.Connected());

    // Later commands fail at once, with a message that says why.
    try {
        client.ftp.DoCommand("NOOP");
        QFAIL("DoCommand on a closed connection did not raise");
    } catch (const EPellFtpError& e) {
        QCOMPARE(QString::fromUtf8(e.what()), QString("TPellFtp: 接続されていません。"));
    }
    client.ftp.Disconnect(); // nothing left to close
    QVERIFY(!client.ftp.Connected());
}

void TestPellFtpScripted::replyLineBeyondReceiveBuffer()
{
    ScriptedFtpServer server;
    const std::string endless(size_t(TPellFtp::ReceiveBufferSize) + 100, 'x');
    play(server, kLogin + QStringList{"?", ">211-" + QString::fromStdString(endless)});
    Client client(server);
    client.ftp.Connect();
    client.events.clear();
    try {
        client.ftp.DoCommand("STAT");
        QFAIL("an endless reply line did not raise");
    } catch (const EPellFtpError& e) {
        QCOMPARE(QString::fromUtf8(e.what()),
                 QString("TPellFtp: 応答行が受信バッファの容量を超えたため、接続を閉じました。"));
    }
    QCOMPARE(client.events, QStringList());
    QVERIFY(!client.ftp.Connected());
}

void TestPellFtpScripted::disconnectSendsQuit()
{
    ScriptedFtpServer server;
    play(server, kLogin + QStringList{"<221 goodbye"});
    Client client(server);
    client.ftp.Connect();
    client.events.clear();
    client.ftp.Disconnect();
    QCOMPARE(client.events, QStringList{"status 221 goodbye"});
    QVERIFY(!client.ftp.Connected());
    client.ftp.Disconnect();
    QCOMPARE(client.events.size(), 1);
    QCOMPARE(commandsOf(server), kLoginCommands + QStringList{"QUIT\r\n"});
}

void TestPellFtpScripted::tcpNoDelayOnlyWhenChangedWhileOpen_data()
{
    QTest::addColumn<bool>("designing");
    QTest::addColumn<QString>("before"); // values set before Connect, in order
    QTest::addColumn<QString>("during"); // values set while connected
    QTest::addColumn<int>("option");     // TCP_NODELAY read back from the socket
    QTest::addColumn<bool>("property");
    QTest::newRow("set before Connect") << false << "1"
                                        << "" << 0 << true;
    QTest::newRow("set while connected") << false << ""
                                         << "1" << 1 << true;
    QTest::newRow("set before, again while connected") << false << "1"
                                                       << "1" << 0 << true;
    QTest::newRow("on and off while connected") << false << ""
                                                << "10" << 0 << false;
    QTest::newRow("in the designer") << true << ""
                                     << "1" << 0 << true;
}

void TestPellFtpScripted::tcpNoDelayOnlyWhenChangedWhileOpen()
{
    QFETCH(bool, designing);
    QFETCH(QString, before);
    QFETCH(QString, during);
    QFETCH(int, option);
    QFETCH(bool, property);
    ScriptedFtpServer server;
    play(server, kLogin);
    Client client(server);
    client.ftp.SetDesigning(designing);
    for (QChar c : before)
        client.ftp.SetTcpNoDelay(c == '1');
    client.ftp.Connect();
    const int handle = client.ftp.ControlSocket()->Socket().SocketHandle();
    QCOMPARE(platform::TcpNoDelay(handle), 0);
    for (QChar c : during)
        client.ftp.SetTcpNoDelay(c == '1');
    QCOMPARE(platform::TcpNoDelay(handle), option);
    QCOMPARE(client.ftp.TcpNoDelay(), property);
}

QTEST_GUILESS_MAIN(TestPellFtpScripted)
#include "tst_pellftp_scripted.moc"
