#include "platform/ClientSocket.h"

#include "platform/Exceptions.h"
#include "platform/SocketApi.h"

#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

TCustomWinSocket::~TCustomWinSocket()
{
    Close();
}

void TCustomWinSocket::Attach(int handle, bool blocking)
{
    Close();
    FHandle = handle;
    FBlocking = blocking;
    FConnected = handle >= 0;
}

void TCustomWinSocket::Close()
{
    if (FHandle >= 0)
        ::close(FHandle);
    FHandle = -1;
    FConnected = false;
}

int TCustomWinSocket::ReceiveLength() const
{
    return BytesWaiting(FHandle);
}

int TCustomWinSocket::ReceiveBuf(void* buffer, int count)
{
    if (FHandle < 0 || count <= 0)
        return 0;
    for (;;) {
        ssize_t n = ::recv(FHandle, buffer, static_cast<size_t>(count), MSG_DONTWAIT);
        if (n > 0)
            return static_cast<int>(n);
        if (n == 0) {
            FConnected = false;
            return 0;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return 0;
        if (errno == ECONNRESET) {
            FConnected = false;
            return 0;
        }
        throw ESocketError(SocketErrorText("recv", errno));
    }
}

std::string TCustomWinSocket::ReceiveText()
{
    std::string text(static_cast<size_t>(ReceiveLength()), '\0');
    int n = ReceiveBuf(text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(n));
    return text;
}

int TCustomWinSocket::SendBuf(const void* buffer, int count)
{
    if (FHandle < 0)
        throw ESocketError(SocketErrorText("send", ENOTCONN));
    if (count <= 0)
        return 0;
    for (;;) {
        ssize_t n = ::send(FHandle, buffer, static_cast<size_t>(count), MSG_DONTWAIT | MSG_NOSIGNAL);
        if (n >= 0)
            return static_cast<int>(n);
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (FOnSendBlocked)
                FOnSendBlocked();
            return -1;
        }
        if (errno == EPIPE || errno == ECONNRESET)
            FConnected = false;
        throw ESocketError(SocketErrorText("send", errno));
    }
}

void TClientSocket::SetClientType(TClientType type)
{
    FClientType = type;
    FSocket.SetBlocking(type == ctBlocking);
}

void TClientSocket::Open()
{
    if (FActive)
        return;
    const bool numeric = !FAddress.empty();
    const std::string& name = numeric ? FAddress : FHost;
    if (name.empty())
        throw ESocketError("ソケットエラー: 接続先のホストもアドレスも指定されていません (open)");
    if (FPort < 0 || FPort > 65535)
        throw ESocketError("ソケットエラー: ポート番号 " + std::to_string(FPort) + " は使えません (open)");

    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = numeric ? AI_NUMERICHOST : 0;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(FPort);
    int rc = ::getaddrinfo(name.c_str(), service.c_str(), &hints, &found);
    if (rc != 0 || !found)
        throw ESocketError("ソケットエラー: ホスト " + name + " が見つかりません: " + gai_strerror(rc) +
                           " (lookup)");

    int lastError = ECONNREFUSED;
    int handle = -1;
    for (addrinfo* a = found; a; a = a->ai_next) {
        handle = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (handle < 0) {
            lastError = errno;
            continue;
        }
        int rcConnect;
        do {
            rcConnect = ::connect(handle, a->ai_addr, a->ai_addrlen);
        } while (rcConnect != 0 && errno == EINTR);
        if (rcConnect == 0)
            break;
        lastError = errno;
        ::close(handle);
        handle = -1;
    }
    ::freeaddrinfo(found);
    if (handle < 0)
        throw ESocketError(SocketErrorText("connect", lastError));

    // A non-blocking client never waits inside a receive or a send.
    if (FClientType == ctNonBlocking)
        ::fcntl(handle, F_SETFL, ::fcntl(handle, F_GETFL) | O_NONBLOCK);
    FSocket.Attach(handle, FClientType == ctBlocking);
    FActive = true;
}

void TClientSocket::Close()
{
    FSocket.Close();
    FActive = false;
}

} // namespace platform
