#include "platform/SocketApi.h"

#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

int BytesWaiting(int handle)
{
    if (handle < 0)
        return 0;
    int n = 0;
    if (::ioctl(handle, FIONREAD, &n) != 0 || n < 0)
        return 0;
    return n;
}

static bool PollFor(int handle, short events, int ms)
{
    if (handle < 0)
        return false;
    pollfd p{handle, events, 0};
    int rc;
    do {
        rc = ::poll(&p, 1, ms < 0 ? 0 : ms);
    } while (rc < 0 && errno == EINTR);
    if (rc <= 0)
        return false;
    // A hang-up or an error counts: the next read or write reports it.
    return (p.revents & (events | POLLHUP | POLLERR)) != 0;
}

bool WaitWritable(int handle, int ms)
{
    return PollFor(handle, POLLOUT, ms);
}

bool WaitReadable(int handle, int ms)
{
    return PollFor(handle, POLLIN, ms);
}

bool LocalHostAddress(unsigned char address[4])
{
    char name[64] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return false;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(name, nullptr, &hints, &found) != 0 || !found)
        return false;
    const auto* in = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    std::memcpy(address, &in->sin_addr.s_addr, 4);
    ::freeaddrinfo(found);
    return true;
}

bool SetTcpNoDelay(int handle, bool on)
{
    // The kernel takes this option as an int; a one-byte value is refused.
    int value = on ? 1 : 0;
    return handle >= 0 && ::setsockopt(handle, IPPROTO_TCP, TCP_NODELAY, &value, sizeof value) == 0;
}

int TcpNoDelay(int handle)
{
    int value = 0;
    socklen_t length = sizeof value;
    if (handle < 0 || ::getsockopt(handle, IPPROTO_TCP, TCP_NODELAY, &value, &length) != 0)
        return -1;
    return value != 0 ? 1 : 0;
}

std::string SocketErrorText(const char* operation, int error)
{
    return std::string("ソケットエラー ") + std::to_string(error) + ": " + std::strerror(error) + " (" +
           operation + ")";
}

} // namespace platform
