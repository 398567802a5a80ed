#pragma once
// A stream over a blocking socket object in which every read and write waits
// at most a fixed time-out.

namespace platform {

class TCustomWinSocket;

class TWinSocketStream
{
public:
    // Raises ESocketError when the socket object is not in blocking mode.
    TWinSocketStream(TCustomWinSocket& socket, int timeOutMs);

    int TimeOut() const { return FTimeOut; }

    // Bytes read, at most count; 0 when nothing arrived within the time-out
    // or when the peer has closed (the socket object's Connected turns false).
    int Read(void* buffer, int count);
    // Bytes written; fewer than count when the time-out passed first. A
    // failed send raises ESocketError.
    int Write(const void* buffer, int count);
    // True when the socket becomes readable within ms milliseconds: data is
    // waiting or the peer has closed. False on time-out or with no connection.
    bool WaitForData(int ms);

private:
    TCustomWinSocket& FSocket;
    int FTimeOut;
};

} // namespace platform
