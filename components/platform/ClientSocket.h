#pragma once
// Client sockets on POSIX sockets: the socket object that stands for one
// connection, and the client socket that resolves a name and connects it.

#include <functional>
#include <string>

namespace platform {

// One connection: its handle, whether it is still connected, and the
// non-blocking receive and send calls. The same object is reused for every
// connection its client socket makes, so streams made over it follow along.
class TCustomWinSocket
{
public:
    TCustomWinSocket() = default;
    ~TCustomWinSocket();

    TCustomWinSocket(const TCustomWinSocket&) = delete;
    TCustomWinSocket& operator=(const TCustomWinSocket&) = delete;

    int SocketHandle() const { return FHandle; }
    // True while connected; false once closed or once the peer has closed.
    bool Connected() const { return FConnected; }
    bool Blocking() const { return FBlocking; }

    // Bytes waiting to be read (FIONREAD).
    int ReceiveLength() const;
    // Bytes received, at most count; 0 when nothing is waiting or the peer
    // has closed (Connected turns false). Other failures raise ESocketError.
    int ReceiveBuf(void* buffer, int count);
    // Every byte waiting, as a string.
    std::string ReceiveText();
    // Bytes sent, or -1 when the send would block. A failure raises
    // ESocketError.
    int SendBuf(const void* buffer, int count);

    void Close();

    // For the socket classes and the streams.
    void Attach(int handle, bool blocking);
    void SetBlocking(bool blocking) { FBlocking = blocking; }
    void MarkPeerClosed() { FConnected = false; }
    // Called when a send would block, so that the owner can ask to hear when
    // the connection can be written to again.
    void SetOnSendBlocked(std::function<void()> handler) { FOnSendBlocked = std::move(handler); }

private:
    int FHandle = -1;
    bool FConnected = false;
    bool FBlocking = true;
    std::function<void()> FOnSendBlocked;
};

enum TClientType { ctNonBlocking, ctBlocking };

// A client socket: Open resolves the host (or takes the numeric address) and
// connects before it returns, or raises ESocketError.
class TClientSocket
{
public:
    TClientSocket() = default;
    ~TClientSocket() { Close(); }

    TClientSocket(const TClientSocket&) = delete;
    TClientSocket& operator=(const TClientSocket&) = delete;

    TClientType ClientType() const { return FClientType; }
    void SetClientType(TClientType type);
    const std::string& Host() const { return FHost; }
    void SetHost(const std::string& host) { FHost = host; }
    // A dotted IPv4 address; when set it is used in place of Host, without a
    // name lookup.
    const std::string& Address() const { return FAddress; }
    void SetAddress(const std::string& address) { FAddress = address; }
    int Port() const { return FPort; }
    void SetPort(int port) { FPort = port; }

    void Open();
    void Close();
    bool Active() const { return FActive; }

    TCustomWinSocket& Socket() { return FSocket; }
    const TCustomWinSocket& Socket() const { return FSocket; }

private:
    TClientType FClientType = ctNonBlocking;
    std::string FHost;
    std::string FAddress;
    int FPort = 0;
    bool FActive = false;
    TCustomWinSocket FSocket;
};

} // namespace platform
