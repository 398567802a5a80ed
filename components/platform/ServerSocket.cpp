#include "platform/ServerSocket.h"

#include "platform/Application.h"
#include "platform/Exceptions.h"
#include "platform/SocketApi.h"

#include <QSocketNotifier>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

struct TServerSocket::Connection
{
    TCustomWinSocket socket;
    std::unique_ptr<QSocketNotifier> readNotifier;
    std::unique_ptr<QSocketNotifier> writeNotifier;

    void Shut()
    {
        if (readNotifier)
            readNotifier->setEnabled(false);
        if (writeNotifier)
            writeNotifier->setEnabled(false);
        socket.Close();
    }
};

TServerSocket::TServerSocket() = default;

TServerSocket::~TServerSocket()
{
    Close();
    FClosed.clear();
    FClosedListeners.clear();
}

void TServerSocket::Open()
{
    if (Active())
        return;
    CollectClosed();
    int handle = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (handle < 0)
        throw ESocketError(SocketErrorText("socket", errno));
    int yes = 1;
    ::setsockopt(handle, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(static_cast<uint16_t>(FPort));
    if (FPort < 0 || FPort > 65535 ||
        ::bind(handle, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(handle, 8) != 0) {
        const int error = FPort < 0 || FPort > 65535 ? EINVAL : errno;
        ::close(handle);
        throw ESocketError(SocketErrorText("listen", error));
    }
    FListenHandle = handle;
    FListenNotifier = std::make_unique<QSocketNotifier>(handle, QSocketNotifier::Read);
    QObject::connect(FListenNotifier.get(), &QSocketNotifier::activated, [this] { Accept(); });
}

int TServerSocket::BoundPort() const
{
    if (FListenHandle < 0)
        return 0;
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (::getsockname(FListenHandle, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    return ntohs(address.sin_port);
}

void TServerSocket::Accept()
{
    for (;;) {
        int handle = ::accept4(FListenHandle, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (handle < 0)
            return; // EAGAIN: no more waiting; other errors: the listener goes on
        auto connection = std::make_shared<Connection>();
        connection->socket.Attach(handle, false);
        std::weak_ptr<Connection> weak = connection;

        connection->readNotifier = std::make_unique<QSocketNotifier>(handle, QSocketNotifier::Read);
        QObject::connect(connection->readNotifier.get(), &QSocketNotifier::activated, [this, weak] {
            std::shared_ptr<Connection> c = weak.lock();
            if (!c || !c->socket.Connected())
                return;
            if (c->socket.ReceiveLength() == 0) {
                // Readable with nothing waiting: the peer has closed. Stop
                // listening to the handle, or the notifier would fire forever.
                char probe;
                ssize_t n = ::recv(c->socket.SocketHandle(), &probe, 1, MSG_PEEK | MSG_DONTWAIT);
                if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
                    c->socket.MarkPeerClosed();
                    c->readNotifier->setEnabled(false);
                    c->writeNotifier->setEnabled(false);
                }
                if (n <= 0)
                    return;
            }
            Dispatch(FOnClientRead, &c->socket);
        });

        connection->writeNotifier = std::make_unique<QSocketNotifier>(handle, QSocketNotifier::Write);
        QObject::connect(connection->writeNotifier.get(), &QSocketNotifier::activated, [this, weak] {
            std::shared_ptr<Connection> c = weak.lock();
            if (!c || !c->socket.Connected())
                return;
            // One notification per writable edge; a send that would block
            // asks for the next one.
            c->writeNotifier->setEnabled(false);
            Dispatch(FOnClientWrite, &c->socket);
        });
        connection->socket.SetOnSendBlocked([weak] {
            if (auto c = weak.lock(); c && c->writeNotifier)
                c->writeNotifier->setEnabled(true);
        });
        FConnections.push_back(std::move(connection));
    }
}

void TServerSocket::Dispatch(const TSocketNotifyEvent& handler, TCustomWinSocket* socket)
{
    if (!handler)
        return;
    ++FDispatchDepth;
    try {
        handler(this, socket);
    } catch (...) {
        // Qt's event dispatch cannot carry an exception; the pump raises it
        // once it is back in our code.
        DeferException(std::current_exception());
    }
    --FDispatchDepth;
}

void TServerSocket::Close()
{
    for (auto& connection : FConnections) {
        connection->Shut();
        FClosed.push_back(connection);
    }
    FConnections.clear();
    if (FListenNotifier) {
        FListenNotifier->setEnabled(false);
        FClosedListeners.push_back(std::move(FListenNotifier));
    }
    if (FListenHandle >= 0)
        ::close(FListenHandle);
    FListenHandle = -1;
    if (FDispatchDepth == 0)
        CollectClosed();
}

void TServerSocket::CollectClosed()
{
    FClosed.clear();
    FClosedListeners.clear();
}

int TServerSocket::ActiveConnections() const
{
    int n = 0;
    for (const auto& connection : FConnections)
        n += connection->socket.Connected() ? 1 : 0;
    return n;
}

TCustomWinSocket* TServerSocket::Connections(int index) const
{
    for (const auto& connection : FConnections) {
        if (!connection->socket.Connected())
            continue;
        if (index-- == 0)
            return &connection->socket;
    }
    return nullptr;
}

} // namespace platform
