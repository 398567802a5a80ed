#pragma once
// Thin wrappers over the socket calls that the socket classes and their users
// need directly: bytes waiting, a bounded wait for writability, the local
// host's address, and a socket option.

#include <string>

namespace platform {

// Bytes waiting to be read on the handle (FIONREAD); 0 when none or on error.
int BytesWaiting(int handle);

// True when the handle can be written to within ms milliseconds.
bool WaitWritable(int handle, int ms);

// True when the handle is readable within ms milliseconds: data waiting, or
// the peer closed the connection.
bool WaitReadable(int handle, int ms);

// The first IPv4 address that the local host name resolves to, as four bytes
// in network order; false when the name does not resolve.
bool LocalHostAddress(unsigned char address[4]);

// Sets TCP_NODELAY on the handle; false when the call failed.
bool SetTcpNoDelay(int handle, bool on);

// Reads TCP_NODELAY back; -1 when the call failed.
int TcpNoDelay(int handle);

// The text of an errno value, with the operation that failed, in the form the
// socket layer's messages use.
std::string SocketErrorText(const char* operation, int error);

} // namespace platform
