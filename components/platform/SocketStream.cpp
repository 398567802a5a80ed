#include "platform/SocketStream.h"

#include "platform/ClientSocket.h"
#include "platform/Exceptions.h"
#include "platform/SocketApi.h"

#include <cerrno>
#include <chrono>
#include <sys/socket.h>

namespace platform {

TWinSocketStream::TWinSocketStream(TCustomWinSocket& socket, int timeOutMs)
    : FSocket(socket), FTimeOut(timeOutMs)
{
    if (!socket.Blocking())
        throw ESocketError(
            "ソケットエラー: ソケットストリームはブロッキングモードのソケットにしか作れません");
}

int TWinSocketStream::Read(void* buffer, int count)
{
    if (count <= 0 || !WaitForData(FTimeOut))
        return 0;
    return FSocket.ReceiveBuf(buffer, count);
}

int TWinSocketStream::Write(const void* buffer, int count)
{
    const int handle = FSocket.SocketHandle();
    if (handle < 0)
        throw ESocketError(SocketErrorText("send", ENOTCONN));
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(FTimeOut);
    const char* bytes = static_cast<const char*>(buffer);
    int written = 0;
    while (written < count) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left < 0 || !WaitWritable(handle, static_cast<int>(left)))
            break;
        ssize_t n = ::send(handle, bytes + written, static_cast<size_t>(count - written),
                           MSG_DONTWAIT | MSG_NOSIGNAL);
        if (n > 0) {
            written += static_cast<int>(n);
            continue;
        }
        if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK))
            continue;
        const int error = n < 0 ? errno : EPIPE;
        if (error == EPIPE || error == ECONNRESET)
            FSocket.MarkPeerClosed();
        throw ESocketError(SocketErrorText("send", error));
    }
    return written;
}

bool TWinSocketStream::WaitForData(int ms)
{
    return WaitReadable(FSocket.SocketHandle(), ms);
}

} // namespace platform
