// The socket, stream and component layer on its own, against loopback
// listeners made by the test.

#include "platform/Application.h"
#include "platform/ClientSocket.h"
#include "platform/Component.h"
#include "platform/Exceptions.h"
#include "platform/FileStream.h"
#include "platform/ServerSocket.h"
#include "platform/SocketApi.h"
#include "platform/SocketStream.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace platform;

namespace {

// A plain listening socket on 127.0.0.1 with the accepted end, for the client
// side's tests.
struct LoopbackListener
{
    int listenHandle = -1;
    int peer = -1;
    int port = 0;

    LoopbackListener()
    {
        listenHandle = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof a;
        ::bind(listenHandle, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(listenHandle, 4);
        ::getsockname(listenHandle, reinterpret_cast<sockaddr*>(&a), &length);
        port = ntohs(a.sin_port);
    }
    ~LoopbackListener()
    {
        if (peer >= 0)
            ::close(peer);
        ::close(listenHandle);
    }
    bool acceptPeer()
    {
        pollfd p{listenHandle, POLLIN, 0};
        if (::poll(&p, 1, 5000) <= 0)
            return false;
        peer = ::accept(listenHandle, nullptr, nullptr);
        return peer >= 0;
    }
    // Opens a blocking client to this listener and accepts its connection.
    bool connect(TClientSocket& client)
    {
        client.SetClientType(ctBlocking);
        client.SetHost("127.0.0.1");
        client.SetPort(port);
        client.Open();
        return acceptPeer();
    }
    void sendText(const std::string& text)
    {
        QCOMPARE(::send(peer, text.data(), text.size(), 0), ssize_t(text.size()));
    }
    void closePeer()
    {
        ::close(peer);
        peer = -1;
    }
};

// A port on 127.0.0.1 that nothing listens on.
int closedPort()
{
    LoopbackListener l;
    return l.port; // the listener closes when l goes away
}

int connectTo(int port)
{
    int handle = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(static_cast<uint16_t>(port));
    if (::connect(handle, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(handle);
        return -1;
    }
    return handle;
}

std::string readAll(int handle, int limitMs)
{
    std::string text;
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        pollfd p{handle, POLLIN, 0};
        int left = limitMs - static_cast<int>(timer.elapsed());
        if (left <= 0 || ::poll(&p, 1, left) <= 0)
            return text;
        char chunk[4096];
        ssize_t n = ::recv(handle, chunk, sizeof chunk, 0);
        if (n <= 0)
            return text;
        text.append(chunk, static_cast<size_t>(n));
    }
}

} // namespace

class TestFtpPlatform : public QObject
{
    Q_OBJECT

private slots:
    void clientSocketConnectsAndCloses();
    void clientSocketOpenFailures_data();
    void clientSocketOpenFailures();
    void clientSocketNumericAddress();
    void streamReadsWritesAndTimesOut();
    void streamSeesPeerClose();
    void streamNeedsBlockingSocket();
    void bytesWaitingAndWritability();
    void serverSocketServesClientsFromEventLoop();
    void serverSocketWriteNotificationAfterBlockedSend();
    void serverSocketCloseInsideHandler();
    void serverSocketPortTaken();
    void handlerExceptionComesOutOfProcessMessages();
    void fileStreamCreateWriteRead();
    void fileStreamFailures();
    void fileStreamDenyWrite();
    void componentOwnershipAndState();
    void processMessagesRunsPendingEvents();
};

void TestFtpPlatform::clientSocketConnectsAndCloses()
{
    LoopbackListener listener;
    TClientSocket client;
    client.SetClientType(ctBlocking);
    client.SetHost("localhost");
    client.SetPort(listener.port);
    QVERIFY(!client.Active());
    QCOMPARE(client.Socket().SocketHandle(), -1);
    client.Open();
    QVERIFY(client.Active());
    QVERIFY(client.Socket().Connected());
    QVERIFY(client.Socket().SocketHandle() >= 0);
    QVERIFY(client.Socket().Blocking());
    QVERIFY(listener.acceptPeer());

    client.Close();
    QVERIFY(!client.Active());
    QVERIFY(!client.Socket().Connected());
    QCOMPARE(client.Socket().SocketHandle(), -1);
    QCOMPARE(readAll(listener.peer, 2000), std::string()); // the peer sees the end
}

void TestFtpPlatform::clientSocketOpenFailures_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    // A name with blanks is refused by the resolver without asking any server.
    QTest::newRow("name does not resolve") << "no such host" << 21;
    QTest::newRow("refused port") << "127.0.0.1" << closedPort();
    QTest::newRow("no host at all") << "" << 21;
}

void TestFtpPlatform::clientSocketOpenFailures()
{
    QFETCH(QString, host);
    QFETCH(int, port);
    TClientSocket client;
    client.SetClientType(ctBlocking);
    client.SetHost(host.toStdString());
    client.SetPort(port);
    QVERIFY_THROWS_EXCEPTION(ESocketError, client.Open());
    QVERIFY(!client.Active());
    QVERIFY(!client.Socket().Connected());
}

void TestFtpPlatform::clientSocketNumericAddress()
{
    LoopbackListener listener;
    TClientSocket client;
    client.SetClientType(ctBlocking);
    client.SetHost("no such host"); // the address wins over the host name
    client.SetAddress("127.0.0.1");
    client.SetPort(listener.port);
    client.Open();
    QVERIFY(client.Active());

    TClientSocket byName;
    byName.SetAddress("localhost"); // an address is never looked up
    byName.SetPort(listener.port);
    QVERIFY_THROWS_EXCEPTION(ESocketError, byName.Open());
}

void TestFtpPlatform::streamReadsWritesAndTimesOut()
{
    LoopbackListener listener;
    TClientSocket client;
    QVERIFY(listener.connect(client));
    TWinSocketStream stream(client.Socket(), 100);
    QCOMPARE(stream.TimeOut(), 100);

    char buffer[64] = {};
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(stream.Read(buffer, sizeof buffer), 0); // nothing within the time-out
    QVERIFY(timer.elapsed() >= 90);
    QVERIFY(!stream.WaitForData(20));
    QVERIFY(client.Socket().Connected());

    listener.sendText("hello");
    QVERIFY(stream.WaitForData(2000));
    QCOMPARE(client.Socket().ReceiveLength(), 5);
    QCOMPARE(stream.Read(buffer, 3), 3);
    QCOMPARE(std::string(buffer, 3), std::string("hel"));
    QCOMPARE(stream.Read(buffer, sizeof buffer), 2);
    QCOMPARE(std::string(buffer, 2), std::string("lo"));

    const std::string line = "NOOP\r\n";
    QCOMPARE(stream.Write(line.data(), int(line.size())), int(line.size()));
    QCOMPARE(readAll(listener.peer, 300), line);
}

void TestFtpPlatform::streamSeesPeerClose()
{
    LoopbackListener listener;
    TClientSocket client;
    QVERIFY(listener.connect(client));
    TWinSocketStream stream(client.Socket(), 1000);

    listener.sendText("last");
    listener.closePeer();
    char buffer[16];
    QCOMPARE(stream.Read(buffer, sizeof buffer), 4);
    QVERIFY(stream.WaitForData(1000)); // the close makes the socket readable
    QCOMPARE(stream.Read(buffer, sizeof buffer), 0);
    QVERIFY(!client.Socket().Connected());
    QVERIFY(client.Active()); // until its owner closes it

    // Writing into a connection the peer has closed fails, sooner or later,
    // with ESocketError and never with a signal that ends the process.
    bool failed = false;
    for (int i = 0; i < 50 && !failed; ++i) {
        try {
            stream.Write("x\r\n", 3);
            QTest::qWait(10);
        } catch (const ESocketError&) {
            failed = true;
        }
    }
    QVERIFY(failed);
}

void TestFtpPlatform::streamNeedsBlockingSocket()
{
    TClientSocket client;
    client.SetClientType(ctNonBlocking);
    QVERIFY_THROWS_EXCEPTION(ESocketError, TWinSocketStream(client.Socket(), 100));
    client.SetClientType(ctBlocking);
    TWinSocketStream stream(client.Socket(), 100);
    // A stream over a socket object without a connection reads nothing and
    // refuses to write.
    char buffer[4];
    QCOMPARE(stream.Read(buffer, 4), 0);
    QVERIFY(!stream.WaitForData(10));
    QVERIFY_THROWS_EXCEPTION(ESocketError, stream.Write("x", 1));
}

void TestFtpPlatform::bytesWaitingAndWritability()
{
    LoopbackListener listener;
    int handle = connectTo(listener.port);
    QVERIFY(handle >= 0);
    QVERIFY(listener.acceptPeer());
    QCOMPARE(BytesWaiting(handle), 0);
    listener.sendText("12345678");
    QVERIFY(WaitReadable(handle, 2000));
    QCOMPARE(BytesWaiting(handle), 8);
    QVERIFY(WaitWritable(handle, 1000));
    QCOMPARE(BytesWaiting(-1), 0);
    QVERIFY(!WaitWritable(-1, 10));

    // Fill the connection until it takes no more: then it is not writable.
    ::fcntl(handle, F_SETFL, ::fcntl(handle, F_GETFL) | O_NONBLOCK);
    std::string block(65536, 'x');
    for (int i = 0; i < 10000 && ::send(handle, block.data(), block.size(), MSG_NOSIGNAL) > 0; ++i) {
    }
    QVERIFY(!WaitWritable(handle, 50));
    ::close(handle);

    QCOMPARE(TcpNoDelay(-1), -1);
    QVERIFY(!SetTcpNoDelay(-1, true));
}

void TestFtpPlatform::serverSocketServesClientsFromEventLoop()
{
    TServerSocket server;
    server.SetPort(0);
    server.SetServerType(stNonBlocking);
    std::string received;
    int writeCalls = 0;
    TCustomWinSocket* lastSocket = nullptr;
    server.SetOnClientRead([&](TServerSocket* sender, TCustomWinSocket* socket) {
        QCOMPARE(sender, &server);
        lastSocket = socket;
        if (received.empty()) {
            char buffer[3];
            received.append(buffer, static_cast<size_t>(socket->ReceiveBuf(buffer, sizeof buffer)));
        } else {
            received += socket->ReceiveText();
        }
    });
    server.SetOnClientWrite([&](TServerSocket*, TCustomWinSocket* socket) {
        ++writeCalls;
        const char hello[] = "220 hello\r\n";
        QCOMPARE(socket->SendBuf(hello, int(sizeof hello - 1)), int(sizeof hello - 1));
    });
    server.Open();
    QVERIFY(server.Active());
    QVERIFY(server.BoundPort() > 0);

    int client = connectTo(server.BoundPort());
    QVERIFY(client >= 0);
    QTRY_COMPARE_WITH_TIMEOUT(writeCalls, 1, 5000);
    QCOMPARE(readAll(client, 300), std::string("220 hello\r\n"));
    QCOMPARE(server.ActiveConnections(), 1);

    QCOMPARE(::send(client, "abcdefgh", 8, 0), ssize_t(8));
    QTRY_COMPARE_WITH_TIMEOUT(received, std::string("abcdefgh"), 5000);
    QCOMPARE(lastSocket, server.Connections(0));
    QCOMPARE(writeCalls, 1); // one notification per writable edge, not a stream of them

    // The peer closing ends the connection without further read calls.
    ::close(client);
    QTRY_COMPARE_WITH_TIMEOUT(server.ActiveConnections(), 0, 5000);

    int second = connectTo(server.BoundPort());
    QTRY_COMPARE_WITH_TIMEOUT(server.ActiveConnections(), 1, 5000);
    server.Close();
    QVERIFY(!server.Active());
    QCOMPARE(server.ActiveConnections(), 0);
    // Closing the server closes the connection: its greeting, then the end.
    QCOMPARE(readAll(second, 2000), std::string("220 hello\r\n"));
    char probe;
    QCOMPARE(::recv(second, &probe, 1, MSG_DONTWAIT), ssize_t(0));
    ::close(second);
}

void TestFtpPlatform::serverSocketWriteNotificationAfterBlockedSend()
{
    TServerSocket server;
    server.SetPort(0);
    int writeCalls = 0;
    bool blocked = false;
    server.SetOnClientWrite([&](TServerSocket*, TCustomWinSocket* socket) {
        ++writeCalls;
        std::string block(65536, 'y');
        for (int i = 0; i < 10000; ++i) {
            int n = socket->SendBuf(block.data(), int(block.size()));
            if (n < 0) {
                blocked = true;
                return;
            }
        }
    });
    server.Open();
    int client = connectTo(server.BoundPort());
    QTRY_VERIFY_WITH_TIMEOUT(blocked, 5000);
    QCOMPARE(writeCalls, 1);
    // Reading on the client's side makes room, and the server hears about it.
    QElapsedTimer timer;
    timer.start();
    while (writeCalls < 2 && timer.elapsed() < 5000) {
        readAll(client, 20);
        QCoreApplication::processEvents();
    }
    QVERIFY(writeCalls >= 2);
    ::close(client);
}

void TestFtpPlatform::serverSocketCloseInsideHandler()
{
    TServerSocket server;
    server.SetPort(0);
    int calls = 0;
    server.SetOnClientRead([&](TServerSocket* sender, TCustomWinSocket* socket) {
        ++calls;
        socket->ReceiveText();
        sender->Close(); // frees the connection whose notifier is running
    });
    server.Open();
    int client = connectTo(server.BoundPort());
    ::send(client, "data", 4, 0);
    QTRY_COMPARE_WITH_TIMEOUT(calls, 1, 5000);
    QVERIFY(!server.Active());
    QTest::qWait(50);
    QCOMPARE(calls, 1);
    ::close(client);
    server.Open(); // and can listen again
    QVERIFY(server.Active());
}

void TestFtpPlatform::serverSocketPortTaken()
{
    TServerSocket first;
    first.SetPort(0);
    first.Open();
    TServerSocket second;
    second.SetPort(first.BoundPort());
    QVERIFY_THROWS_EXCEPTION(ESocketError, second.Open());
    QVERIFY(!second.Active());
}

void TestFtpPlatform::handlerExceptionComesOutOfProcessMessages()
{
    TServerSocket server;
    server.SetPort(0);
    int calls = 0;
    server.SetOnClientRead([&](TServerSocket*, TCustomWinSocket* socket) {
        ++calls;
        socket->ReceiveText();
        throw EStreamError("disk full");
    });
    server.Open();
    int client = connectTo(server.BoundPort());
    ::send(client, "data", 4, 0);
    QElapsedTimer timer;
    timer.start();
    QString caught;
    while (caught.isEmpty() && timer.elapsed() < 5000) {
        try {
            ProcessMessages();
        } catch (const EStreamError& e) {
            caught = e.what();
        }
    }
    QCOMPARE(caught, QString("disk full"));
    QCOMPARE(calls, 1);
    ProcessMessages(); // raised once only
    ::close(client);
}

void TestFtpPlatform::fileStreamCreateWriteRead()
{
    QTemporaryDir dir;
    const std::string name = dir.filePath("data.bin").toStdString();
    {
        TFileStream out(name, fmCreate);
        QCOMPARE(out.Write("abc\0def", 7), 7);
        QCOMPARE(out.Size(), std::int64_t(7));
    }
    {
        TFileStream in(name, fmOpenRead | fmShareDenyWrite);
        QCOMPARE(in.Size(), std::int64_t(7));
        char buffer[16];
        QCOMPARE(in.Read(buffer, 4), 4);
        QCOMPARE(in.Read(buffer + 4, 16), 3);
        QCOMPARE(std::string(buffer, 7), std::string("abc\0def", 7));
        QCOMPARE(in.Read(buffer, 16), 0);
    }
    {
        TFileStream again(name, fmCreate); // an existing file is emptied
        QCOMPARE(again.Size(), std::int64_t(0));
    }
}

void TestFtpPlatform::fileStreamFailures()
{
    QTemporaryDir dir;
    QVERIFY_THROWS_EXCEPTION(EStreamError, TFileStream(dir.filePath("missing").toStdString(), fmOpenRead));
    QVERIFY_THROWS_EXCEPTION(EStreamError,
                             TFileStream(dir.filePath("no/such/dir/f").toStdString(), fmCreate));
    QVERIFY_THROWS_EXCEPTION(EStreamError, TFileStream(dir.path().toStdString(), fmOpenRead));
    try {
        TFileStream(dir.filePath("missing").toStdString(), fmOpenRead);
    } catch (const EStreamError& e) {
        QVERIFY(std::string(e.what()).find("missing") != std::string::npos);
    }
}

void TestFtpPlatform::fileStreamDenyWrite()
{
    QTemporaryDir dir;
    const std::string name = dir.filePath("kept.txt").toStdString();
    {
        TFileStream out(name, fmCreate);
        out.Write("keep me", 7);
    }
    {
        TFileStream reader(name, fmOpenRead | fmShareDenyWrite);
        QVERIFY_THROWS_EXCEPTION(EStreamError, TFileStream(name, fmCreate));
        QCOMPARE(reader.Size(), std::int64_t(7)); // not emptied by the refused writer
        TFileStream secondReader(name, fmOpenRead | fmShareDenyWrite);
        QCOMPARE(secondReader.Size(), std::int64_t(7));
    }
    TFileStream writer(name, fmCreate); // free again once the readers are gone
    QCOMPARE(writer.Size(), std::int64_t(0));
}

void TestFtpPlatform::componentOwnershipAndState()
{
    struct Probe : TComponent
    {
        Probe(TComponent* owner, int* destroyed, int* loaded) : TComponent(owner), d(destroyed), l(loaded) {}
        ~Probe() override { ++*d; }
        void Loaded() override
        {
            TComponent::Loaded();
            ++*l;
        }
        int* d;
        int* l;
    };
    int destroyed = 0, loaded = 0;
    auto* owner = new TComponent(nullptr);
    owner->SetDesigning(true);
    auto* first = new Probe(owner, &destroyed, &loaded);
    auto* second = new Probe(owner, &destroyed, &loaded);
    QCOMPARE(first->Owner(), owner);
    QCOMPARE(owner->Components().size(), size_t(2));
    QVERIFY(first->IsDesigning()); // a designed owner makes designed children

    second->BeginLoading();
    QVERIFY(second->ComponentState() & csLoading);
    second->Loaded();
    QVERIFY(!(second->ComponentState() & csLoading));
    QCOMPARE(loaded, 1);

    delete first; // leaves its owner's list
    QCOMPARE(owner->Components().size(), size_t(1));
    QCOMPARE(destroyed, 1);
    delete owner; // frees what it still owns
    QCOMPARE(destroyed, 2);
}

void TestFtpPlatform::processMessagesRunsPendingEvents()
{
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    QElapsedTimer timer;
    timer.start();
    while (!ran && timer.elapsed() < 2000)
        ProcessMessages();
    QVERIFY(ran);
}

QTEST_GUILESS_MAIN(TestFtpPlatform)
#include "tst_ftp_platform.moc"
