#pragma once
// A non-blocking listening socket. It accepts connections from Qt's event
// loop and calls OnClientRead when an accepted connection has data waiting and
// OnClientWrite when it can be written to: once right after it was accepted,
// and again after a send that would have blocked. An exception raised by a
// handler comes out of the next ProcessMessages.

#include "platform/ClientSocket.h"

#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace platform {

class TServerSocket;

enum TServerType { stNonBlocking };

using TSocketNotifyEvent = std::function<void(TServerSocket* sender, TCustomWinSocket* socket)>;

class TServerSocket
{
public:
    TServerSocket();
    ~TServerSocket();

    TServerSocket(const TServerSocket&) = delete;
    TServerSocket& operator=(const TServerSocket&) = delete;

    int Port() const { return FPort; }
    void SetPort(int port) { FPort = port; }
    TServerType ServerType() const { return FServerType; }
    void SetServerType(TServerType type) { FServerType = type; }
    void SetOnClientRead(TSocketNotifyEvent handler) { FOnClientRead = std::move(handler); }
    void SetOnClientWrite(TSocketNotifyEvent handler) { FOnClientWrite = std::move(handler); }

    // Listens on every local address at Port; raises ESocketError when the
    // port cannot be taken. Port 0 takes a free port (see BoundPort).
    void Open();
    // Stops listening and closes every accepted connection. Safe to call from
    // inside OnClientRead or OnClientWrite.
    void Close();
    bool Active() const { return FListenHandle >= 0; }
    void SetActive(bool active) { active ? Open() : Close(); }
    // The port actually listened on; 0 when not listening.
    int BoundPort() const;

    // Accepted connections still open (closed ones are dropped).
    int ActiveConnections() const;
    TCustomWinSocket* Connections(int index) const;

private:
    struct Connection;
    void Accept();
    void Dispatch(const TSocketNotifyEvent& handler, TCustomWinSocket* socket);
    void CollectClosed();

    int FPort = 0;
    TServerType FServerType = stNonBlocking;
    TSocketNotifyEvent FOnClientRead;
    TSocketNotifyEvent FOnClientWrite;
    int FListenHandle = -1;
    std::unique_ptr<QSocketNotifier> FListenNotifier;
    std::vector<std::shared_ptr<Connection>> FConnections;
    // Connections closed while one of their notifiers was being served; a
    // notifier must not be destroyed inside its own signal.
    std::vector<std::shared_ptr<Connection>> FClosed;
    std::vector<std::unique_ptr<QSocketNotifier>> FClosedListeners;
    int FDispatchDepth = 0;
};

} // namespace platform
