// The example command-line client, run against a real FTP server.

#include "RealFtpServer.h"

#include <QDir>
#include <QProcess>
#include <QTest>

class TestFtpCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void runsCommandsAndReportsOutcomes();
    void refusedLoginIsAnError();
    void usage();

private:
    struct Run
    {
        int exitCode = -1;
        QStringList out;
        QString err;
    };
    Run run(const QStringList& arguments);
    std::unique_ptr<RealFtpServer> m_server;
};

TestFtpCli::Run TestFtpCli::run(const QStringList& arguments)
{
    QProcess process;
    process.start(FTPCLI_PATH, arguments);
    Run result;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished(5000);
        return result;
    }
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void TestFtpCli::initTestCase()
{
    m_server = std::make_unique<RealFtpServer>("cli", "pw");
    QString error;
    QVERIFY2(m_server->start(&error), qPrintable(error));
}

void TestFtpCli::runsCommandsAndReportsOutcomes()
{
    const QString port = QString::number(m_server->port());
    Run r = run({"127.0.0.1", port, "cli", "pw", "mkdir", "made", "cd", "made", "quote", "PWD", "cd", "/",
                 "rename", "made", "moved", "delete", "absent.txt", "rmdir", "moved"});
    QCOMPARE(r.exitCode, 1); // one command failed
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    QStringList outcomes;
    for (const QString& line : r.out)
        if (!line.startsWith("< "))
            outcomes << line.section(':', 0, 1);
    QCOMPARE(outcomes, QStringList({"ok: mkdir (mkdir)", "ok: cd (cd)", "reply: 257", "ok: cd (cd)",
                                    "ok: rename (rename)", "failed: delete (delete)", "ok: rmdir (delete)"}));
    QVERIFY(r.out.contains("< 257 \"/made\" is the current directory."));
    QVERIFY(r.out.first().startsWith("< 220 "));
    QVERIFY(r.out.last().startsWith("< 221 "));
    QVERIFY(!QFileInfo::exists(QDir(m_server->root()).filePath("moved")));
}

void TestFtpCli::refusedLoginIsAnError()
{
    Run r = run({"127.0.0.1", QString::number(m_server->port()), "cli", "wrong"});
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.err.trimmed(), QString("error: 接続に失敗しました。"));
    QVERIFY(r.out.contains("< 530 Authentication failed."));
}

void TestFtpCli::usage()
{
    Run r = run({"127.0.0.1"});
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.err.startsWith("usage: ftpcli"));
}

QTEST_GUILESS_MAIN(TestFtpCli)
#include "tst_ftpcli.moc"
