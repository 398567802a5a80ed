// TPellFtp's model without a server: defaults, setters, loading, the event
// raisers, the reply-line helpers, the token splitter and registration.

#include "Palette.h"
#include "PellFtp.h"
#include "platform/ClientSocket.h"

#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(std::uint32_t)

// The operation types are part of the component's interface: one byte, and
// these values.
static_assert(sizeof(TFtpCmdType) == 1);
static_assert(fctChangeDir == 0 && fctMakeDir == 1 && fctDelete == 2 && fctRename == 5 && fctTransfer == 9 &&
              fctLogin == 16);

class TestPellFtpModel : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void timeOutNeverBelow50_data();
    void timeOutNeverBelow50();
    void sendDataSizeFitsTransferBuffer_data();
    void sendDataSizeFitsTransferBuffer();
    void loadedCreatesRunTimeObjects();
    void designerInstanceHoldsOnlyControlSocket();
    void invalidHostRaiser_data();
    void invalidHostRaiser();
    void packetRaisersRunThePump_data();
    void packetRaisersRunThePump();
    void failureRaiserWithoutReply_data();
    void failureRaiserWithoutReply();
    void extractResultCode_data();
    void extractResultCode();
    void finalLines_data();
    void finalLines();
    void tokenSplitter_data();
    void tokenSplitter();
    void tokenSplitterLeavesFirstLine();
    void operationsWithoutConnection();
    void registerOnPell();
};

void TestPellFtpModel::defaults()
{
    TPellFtp ftp;
    QCOMPARE(ftp.Port(), 21);
    QCOMPARE(ftp.Password(), std::string());
    QCOMPARE(ftp.UserID(), std::string());
    QCOMPARE(ftp.TimeOut(), 50u);
    QCOMPARE(ftp.EnablePASV(), false);
    QCOMPARE(ftp.Host(), std::string());
    QCOMPARE(ftp.TcpNoDelay(), false);
    QCOMPARE(ftp.SendDataSize(), 8192);
    QCOMPARE(ftp.ResultCode(), 0);
    QCOMPARE(ftp.ResultText(), std::string());
    QCOMPARE(ftp.BytesRecvd(), 0);
    QCOMPARE(ftp.BytesSent(), 0);
    QCOMPARE(ftp.TransferSize(), 0);
    QVERIFY(!ftp.Connected());
    QVERIFY(!ftp.CancelRequested());
    QCOMPARE(TPellFtp::DataPortCounter, 3001);
    QCOMPARE(TPellFtp::SendBusy, false);
    QVERIFY(!ftp.OnStatus() && !ftp.OnFailure() && !ftp.OnInvalidHost());
}

void TestPellFtpModel::timeOutNeverBelow50_data()
{
    QTest::addColumn<std::uint32_t>("value");
    QTest::addColumn<std::uint32_t>("expected");
    QTest::newRow("0") << 0u << 50u;
    QTest::newRow("49") << 49u << 50u;
    QTest::newRow("50") << 50u << 50u;
    QTest::newRow("51") << 51u << 51u;
    QTest::newRow("largest") << 0xFFFFFFFFu << 0xFFFFFFFFu; // compared unsigned
}

void TestPellFtpModel::timeOutNeverBelow50()
{
    QFETCH(std::uint32_t, value);
    QFETCH(std::uint32_t, expected);
    TPellFtp ftp;
    ftp.SetTimeOut(1000);
    ftp.SetTimeOut(value);
    QCOMPARE(ftp.TimeOut(), expected);
}

void TestPellFtpModel::sendDataSizeFitsTransferBuffer_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("32768") << 32768 << 32768;
    QTest::newRow("32769") << 32769 << 32768;
    QTest::newRow("0") << 0 << 1;
    QTest::newRow("negative") << -5 << 1;
}

void TestPellFtpModel::sendDataSizeFitsTransferBuffer()
{
    QFETCH(int, value);
    QFETCH(int, expected);
    TPellFtp ftp;
    ftp.SetSendDataSize(value);
    QCOMPARE(ftp.SendDataSize(), expected);
}

void TestPellFtpModel::loadedCreatesRunTimeObjects()
{
    TPellFtp ftp;
    ftp.BeginLoading();
    ftp.SetHost("example.test");
    ftp.SetPort(2121);
    QVERIFY(ftp.ControlSocket());
    QVERIFY(!ftp.ServerSocket());
    QVERIFY(!ftp.DataSocket());
    ftp.Loaded();
    QVERIFY(!(ftp.ComponentState() & platform::csLoading));
    QVERIFY(ftp.ServerSocket());
    QVERIFY(ftp.DataSocket());
    QCOMPARE(ftp.ControlSocket()->ClientType(), platform::ctBlocking);
    QCOMPARE(ftp.DataSocket()->ClientType(), platform::ctBlocking);
    QCOMPARE(ftp.ControlSocket()->Host(), std::string("example.test"));
    QCOMPARE(ftp.ControlSocket()->Port(), 2121);
    QVERIFY(!ftp.ControlSocket()->Active());
}

void TestPellFtpModel::designerInstanceHoldsOnlyControlSocket()
{
    platform::TComponent form(nullptr);
    form.SetDesigning(true);
    auto* ftp = new TPellFtp(&form); // freed by the form
    QVERIFY(ftp->IsDesigning());
    ftp->Loaded();
    QVERIFY(ftp->ControlSocket());
    QVERIFY(!ftp->ServerSocket());
    QVERIFY(!ftp->DataSocket());
    ftp->SetTcpNoDelay(true); // no socket call in the designer, and no crash
    QVERIFY(ftp->TcpNoDelay());
}

void TestPellFtpModel::invalidHostRaiser_data()
{
    QTest::addColumn<bool>("withHandler");
    QTest::addColumn<bool>("handled");
    QTest::addColumn<bool>("raises");
    QTest::newRow("no handler") << false << false << true;
    QTest::newRow("handler leaves Handled false") << true << false << true;
    QTest::newRow("handler sets Handled") << true << true << false;
}

void TestPellFtpModel::invalidHostRaiser()
{
    QFETCH(bool, withHandler);
    QFETCH(bool, handled);
    QFETCH(bool, raises);
    TPellFtp ftp;
    int calls = 0;
    if (withHandler)
        ftp.SetOnInvalidHost([&](bool& h) {
            QCOMPARE(h, false); // starts false
            ++calls;
            h = handled;
        });
    try {
        ftp.DoInvalidHost();
        QVERIFY(!raises);
    } catch (const EPellFtpError& e) {
        QVERIFY(raises);
        QCOMPARE(std::string(e.what()), std::string("ホストに接続できませんでした。"));
    }
    QCOMPARE(calls, withHandler ? 1 : 0);
}

void TestPellFtpModel::packetRaisersRunThePump_data()
{
    QTest::addColumn<bool>("sent");
    QTest::addColumn<bool>("withHandler");
    QTest::newRow("received, handler") << false << true;
    QTest::newRow("received, no handler") << false << false;
    QTest::newRow("sent, handler") << true << true;
    QTest::newRow("sent, no handler") << true << false;
}

void TestPellFtpModel::packetRaisersRunThePump()
{
    QFETCH(bool, sent);
    QFETCH(bool, withHandler);
    TPellFtp ftp;
    QStringList order;
    if (withHandler) {
        auto handler = [&](TObject* sender) {
            QCOMPARE(sender, static_cast<TObject*>(&ftp));
            order << "handler";
        };
        sent ? ftp.SetOnPacketSent(handler) : ftp.SetOnPacketRecvd(handler);
    }
    QTimer::singleShot(0, [&] { order << "pump"; });
    sent ? ftp.DoPacketSent() : ftp.DoPacketRecvd();
    QCOMPARE(order, withHandler ? QStringList({"handler", "pump"}) : QStringList({"pump"}));
}

void TestPellFtpModel::failureRaiserWithoutReply_data()
{
    QTest::addColumn<int>("mode"); // 0 no handler, 1 Handled false, 2 Handled true
    QTest::addColumn<bool>("raises");
    QTest::newRow("no handler") << 0 << false;
    QTest::newRow("Handled false") << 1 << true;
    QTest::newRow("Handled true") << 2 << false;
}

void TestPellFtpModel::failureRaiserWithoutReply()
{
    // A directory command on a component that never connected fails with its
    // type and, where an exception is raised, a message saying why.
    QFETCH(int, mode);
    QFETCH(bool, raises);
    TPellFtp ftp;
    QList<int> types;
    if (mode > 0)
        ftp.SetOnFailure([&](bool& handled, TFtpCmdType type) {
            types << type;
            handled = mode == 2;
        });
    bool succeeded = false;
    ftp.SetOnSuccess([&](TFtpCmdType) { succeeded = true; });
    try {
        ftp.MakeDirectory("dir");
        QVERIFY(!raises);
    } catch (const EPellFtpError& e) {
        QVERIFY(raises);
        QCOMPARE(std::string(e.what()), std::string("TPellFtp: 接続されていません。"));
    }
    QVERIFY(!succeeded);
    QCOMPARE(types, mode > 0 ? QList<int>{fctMakeDir} : QList<int>{});
    QCOMPARE(ftp.ResultCode(), -1);
}

void TestPellFtpModel::extractResultCode_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("code");
    QTest::newRow("final line") << QByteArray("220 ready") << 220;
    QTest::newRow("continuation") << QByteArray("230-welcome") << 230;
    QTest::newRow("empty") << QByteArray("") << -1;
    QTest::newRow("leading space") << QByteArray(" 230 text") << -1;
    QTest::newRow("leading tab is skipped") << QByteArray("\t250 ok") << 250;
    QTest::newRow("no digits") << QByteArray("hello") << 0;
    QTest::newRow("sign") << QByteArray("-12 x") << -12;
    QTest::newRow("huge number saturates") << QByteArray("99999999999999999999 x") << 2147483647;
}

void TestPellFtpModel::extractResultCode()
{
    QFETCH(QByteArray, line);
    QFETCH(int, code);
    QCOMPARE(TPellFtp::ExtractResultCode(line.constData()), code);
}

void TestPellFtpModel::finalLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("final");
    QTest::newRow("code and text") << QByteArray("226 done") << true;
    QTest::newRow("code and hyphen") << QByteArray("226-more") << false;
    QTest::newRow("code and space only") << QByteArray("226 ") << true;
    QTest::newRow("code alone") << QByteArray("226") << false;
    QTest::newRow("indented") << QByteArray(" 226 x") << false;
    QTest::newRow("text without code") << QByteArray("abc def") << true;
    QTest::newRow("text line") << QByteArray("Welcome to the server") << false;
}

void TestPellFtpModel::finalLines()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, final);
    QCOMPARE(TPellFtp::IsFinalLine(line.toStdString()), final);
    // IsContinue with the line's own code agrees with the final-line rule.
    QCOMPARE(TPellFtp::IsContinue(line.constData(), TPellFtp::ExtractResultCode(line.constData())), !final);
}

void TestPellFtpModel::tokenSplitter_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArrayList>("delimiters"); // one set per call; the last repeats
    QTest::addColumn<QByteArrayList>("tokens");
    QTest::newRow("lines, blank lines skipped")
        << QByteArray("150 open\r\n\r\n226 done\r\n") << QByteArrayList{"\r\n"}
        << QByteArrayList{"150 open", "226 done"};
    QTest::newRow("only delimiters") << QByteArray("\r\n\n\r") << QByteArrayList{"\r\n"} << QByteArrayList{};
    QTest::newRow("empty") << QByteArray("") << QByteArrayList{"\r\n"} << QByteArrayList{};
    QTest::newRow("no delimiter") << QByteArray("abc") << QByteArrayList{"\r\n"} << QByteArrayList{"abc"};
    QTest::newRow("a different set per call")
        << QByteArray("227 Entering Passive Mode (10,0,0,5,19,137)")
        << QByteArrayList{"(", ",", ",", ",", ",", ",", ")"}
        << QByteArrayList{"227 Entering Passive Mode ", "10", "0", "0", "5", "19", "137"};
}

void TestPellFtpModel::tokenSplitter()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArrayList, delimiters);
    QFETCH(QByteArrayList, tokens);
    QByteArray buffer = text;
    TokenSplitter splitter(buffer.data());
    QByteArrayList got;
    for (int i = 0;; ++i) {
        const QByteArray& set = delimiters.at(qMin(i, int(delimiters.size()) - 1));
        char* token = splitter.Next(set.constData());
        if (!token)
            break;
        got << QByteArray(token);
        QVERIFY(got.size() <= tokens.size() + 1);
    }
    QCOMPARE(got, tokens);
    QVERIFY(!splitter.Next("\r\n")); // stays at the end
}

void TestPellFtpModel::tokenSplitterLeavesFirstLine()
{
    // After the first token the buffer, read as a zero-terminated string,
    // holds only the first line.
    char buffer[] = "220-first\r\n220 last\r\n";
    TokenSplitter splitter(buffer);
    QVERIFY(splitter.Next("\r\n"));
    QCOMPARE(QByteArray(buffer), QByteArray("220-first"));
}

void TestPellFtpModel::operationsWithoutConnection()
{
    TPellFtp ftp;
    QStringList statuses;
    ftp.SetOnStatus([&](TComponent*, std::string s) { statuses << QString::fromStdString(s); });

    // Connect refuses an empty host before any socket activity.
    try {
        ftp.Connect();
        QFAIL("Connect with an empty host did not raise");
    } catch (const EPellFtpError& e) {
        QCOMPARE(std::string(e.what()), std::string("TPellFtp: 接続先が指定されていません。"));
    }
    QVERIFY(!ftp.Connected());

    try {
        ftp.DoCommand("NOOP");
        QFAIL("DoCommand without a connection did not raise");
    } catch (const EPellFtpError& e) {
        QCOMPARE(std::string(e.what()), std::string("TPellFtp: 接続されていません。"));
    }
    QCOMPARE(ftp.ResultCode(), -1);

    try {
        ftp.Mode(1);
        QFAIL("Mode did not raise");
    } catch (const EPellFtpError& e) {
        QCOMPARE(std::string(e.what()),
                 std::string("未サポート。DoCommand(\"TYPE I\")等を使用してください。"));
    }

    ftp.Cancel();
    QVERIFY(ftp.CancelRequested());
    ftp.Disconnect(); // nothing to close: no error
    QVERIFY(statuses.isEmpty());
}

void TestPellFtpModel::registerOnPell()
{
    Palette::Clear();
    PellFtp::Register();
    QCOMPARE(Palette::ComponentsOn("Pell"), QStringList{"TPellFtp"});
}

QTEST_GUILESS_MAIN(TestPellFtpModel)
#include "tst_pellftp_model.moc"
