#pragma once
// TPellFtp: a non-visual FTP client component on blocking sockets. Every
// operation blocks its caller and runs the message pump while it waits, and
// reports replies and outcomes through events.

#include "platform/ClientSocket.h"
#include "platform/Component.h"
#include "platform/FileStream.h"
#include "platform/ServerSocket.h"
#include "platform/SocketStream.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using platform::TComponent;
using platform::TObject;

// The operation that OnSuccess and OnFailure report.
enum TFtpCmdType : std::uint8_t {
    fctChangeDir = 0,
    fctMakeDir = 1,
    fctDelete = 2,
    fctRename = 5,
    fctTransfer = 9,
    fctLogin = 16,
};

// The component's own failures; the message is UTF-8 text for a person.
class EPellFtpError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

using TFtpStatusEvent = std::function<void(TComponent* Sender, std::string Status)>;
using TFtpHandledEvent = std::function<void(bool& Handled)>;
using TFtpNotifyEvent = std::function<void(TObject* Sender)>;
using TFtpFailureEvent = std::function<void(bool& Handled, TFtpCmdType TransType)>;
using TFtpListItemEvent = std::function<void(std::string Listing)>;
using TFtpSuccessEvent = std::function<void(TFtpCmdType TransType)>;

// Splits a writable zero-terminated buffer in place. Delimiters before a token
// are skipped, so there are no empty tokens; the delimiter that ends a token
// is overwritten with a zero byte. Each call may name its own delimiters.
class TokenSplitter
{
public:
    explicit TokenSplitter(char* buffer) : FNext(buffer) {}
    // The next token, or nullptr when only delimiters remain.
    char* Next(const char* delimiters);

private:
    char* FNext;
};

class TPellFtp : public TComponent
{
public:
    explicit TPellFtp(TComponent* owner = nullptr);
    ~TPellFtp() override;

    // Published properties, in their streaming order.
    int Port() const { return FPort; }
    void SetPort(int value) { FPort = value; }
    const std::string& Password() const { return FPassword; }
    void SetPassword(const std::string& value);
    const std::string& UserID() const { return FUserID; }
    void SetUserID(const std::string& value) { FUserID = value; }
    // The polling slice in milliseconds: never below 50.
    std::uint32_t TimeOut() const { return FTimeOut; }
    void SetTimeOut(std::uint32_t value);
    bool EnablePASV() const { return FEnablePASV; }
    void SetEnablePASV(bool value) { FEnablePASV = value; }
    const std::string& Host() const { return FHost; }
    void SetHost(const std::string& value) { FHost = value; }

    const TFtpStatusEvent& OnStatus() const { return FOnStatus; }
    void SetOnStatus(TFtpStatusEvent handler) { FOnStatus = std::move(handler); }
    const TFtpHandledEvent& OnAuthenticationNeeded() const { return FOnAuthenticationNeeded; }
    void SetOnAuthenticationNeeded(TFtpHandledEvent handler) { FOnAuthenticationNeeded = std::move(handler); }
    const TFtpNotifyEvent& OnConnect() const { return FOnConnect; }
    void SetOnConnect(TFtpNotifyEvent handler) { FOnConnect = std::move(handler); }
    const TFtpFailureEvent& OnFailure() const { return FOnFailure; }
    void SetOnFailure(TFtpFailureEvent handler) { FOnFailure = std::move(handler); }
    const TFtpListItemEvent& OnListItem() const { return FOnListItem; }
    void SetOnListItem(TFtpListItemEvent handler) { FOnListItem = std::move(handler); }
    const TFtpNotifyEvent& OnPacketRecvd() const { return FOnPacketRecvd; }
    void SetOnPacketRecvd(TFtpNotifyEvent handler) { FOnPacketRecvd = std::move(handler); }
    const TFtpNotifyEvent& OnPacketSent() const { return FOnPacketSent; }
    void SetOnPacketSent(TFtpNotifyEvent handler) { FOnPacketSent = std::move(handler); }
    const TFtpNotifyEvent& OnConnectionFailed() const { return FOnConnectionFailed; }
    void SetOnConnectionFailed(TFtpNotifyEvent handler) { FOnConnectionFailed = std::move(handler); }
    const TFtpSuccessEvent& OnSuccess() const { return FOnSuccess; }
    void SetOnSuccess(TFtpSuccessEvent handler) { FOnSuccess = std::move(handler); }
    const TFtpHandledEvent& OnInvalidHost() const { return FOnInvalidHost; }
    void SetOnInvalidHost(TFtpHandledEvent handler) { FOnInvalidHost = std::move(handler); }

    bool TcpNoDelay() const { return FTcpNoDelay; }
    void SetTcpNoDelay(bool value);
    // Bytes of one upload chunk: from 1 to the transfer buffer's size, since
    // a chunk is read into that buffer.
    int SendDataSize() const { return FSendDataSize; }
    void SetSendDataSize(int value) { FSendDataSize = std::clamp(value, 1, TransferBufferSize); }

    // Read-only state for the application.
    int ResultCode() const { return FResultCode; }
    const std::string& ResultText() const { return FResultText; }
    int BytesRecvd() const { return FBytesRecvd; }
    int BytesSent() const { return FBytesSent; }
    int TransferSize() const { return FTransferSize; }
    bool Connected() const { return GetConnected(); }
    bool GetConnected() const;

    void Loaded() override;

    // Operations for the application.
    void Connect();
    void Disconnect();
    // Sends one command line and reads its whole reply into ResultCode and
    // ResultText. Raises EPellFtpError when the line holds CR, LF or NUL or is
    // longer than 1000 characters (nothing is sent then), and when no reply
    // came: not connected, the line could not be sent, the server closed the
    // connection, or Cancel ended the wait.
    void DoCommand(const std::string& text);
    void ChangeDir(const std::string& dir);
    void MakeDirectory(const std::string& dir);
    void RemoveDir(const std::string& dir);
    void Delete(const std::string& file);
    void Rename(const std::string& from, const std::string& to);
    [[noreturn]] void Mode(int mode);
    // Ends the running operation: sends ABOR, reads only what is already
    // waiting, and closes any data connection. Every wait for a reply then
    // ends at once until the next Connect, Download or Upload.
    void Cancel();

    // Reply reading, shared by every operation.
    static int ExtractResultCode(const char* line);
    static bool IsContinue(const char* line, int code);
    // True for a line that ends a reply: a code, then a space.
    static bool IsFinalLine(const std::string& line);
    static constexpr int MaxCommandLength = 1000;
    static constexpr int ReceiveBufferSize = 1048576;
    static constexpr int TransferBufferSize = 32768;

    // Event raisers; each owns the rule for what follows its event.
    void DoStatus(const std::string& text);
    void DoSuccess(TFtpCmdType type);
    void DoFailure(TFtpCmdType type);
    void DoInvalidHost();
    [[noreturn]] void DoConnectionFailed();
    void DoPacketRecvd();
    void DoPacketSent();

    // Whether Cancel has been called since the last Connect, Download or
    // Upload.
    bool CancelRequested() const { return FCancel; }
    // The run-time objects, for the data connections and for tests; null until
    // Loaded or first use creates them (the control socket always exists).
    platform::TClientSocket* ControlSocket() const { return FControlSocket.get(); }
    platform::TServerSocket* ServerSocket() const { return FServerSocket.get(); }
    platform::TClientSocket* DataSocket() const { return FDataSocket.get(); }

    // Shared by every instance: the local port of the latest active-mode data
    // connection, and whether an active-mode upload sender runs.
    static int DataPortCounter;
    static bool SendBusy;

protected:
    void DoLogin();
    // Waits until the control connection has data, the connection is gone, or
    // a cancel is requested; runs the message pump between polling slices.
    void WaitForData();
    // Reads one complete reply. True when its final line was read; false when
    // Cancel or the server closing the connection ended it first.
    bool ReadResult();
    // Reads what is waiting and reports its complete lines; an unfinished
    // last line is kept for the next read. False when the server has closed.
    bool ReadLine();

private:
    // Creates the sockets, streams and buffers that every operation needs,
    // once.
    void CreateRunTimeObjects();
    void EnsureRunTimeObjects();
    // Raises when the text could not be sent as one command line.
    static void CheckCommandText(const std::string& text);
    // Sends one line and reads its reply. False when no reply came; ResultCode
    // is then -1 and ResultText says why.
    bool Exchange(const std::string& text);
    void NoReply(const std::string& reason);
    void CloseControl();
    void SimpleCommand(const char* verb, const std::string& argument, TFtpCmdType type);

    int FPort = 21;
    std::string FPassword;
    std::string FUserID;
    std::uint32_t FTimeOut = 50;
    bool FEnablePASV = false;
    std::string FHost;
    TFtpStatusEvent FOnStatus;
    TFtpHandledEvent FOnAuthenticationNeeded;
    TFtpNotifyEvent FOnConnect;
    TFtpFailureEvent FOnFailure;
    TFtpListItemEvent FOnListItem;
    TFtpNotifyEvent FOnPacketRecvd;
    TFtpNotifyEvent FOnPacketSent;
    TFtpNotifyEvent FOnConnectionFailed;
    TFtpSuccessEvent FOnSuccess;
    TFtpHandledEvent FOnInvalidHost;
    bool FTcpNoDelay = false;
    int FSendDataSize = 8192;

    std::unique_ptr<platform::TClientSocket> FControlSocket;
    std::unique_ptr<platform::TWinSocketStream> FControlStream;
    std::unique_ptr<platform::TServerSocket> FServerSocket;
    std::unique_ptr<platform::TClientSocket> FDataSocket;
    std::unique_ptr<platform::TWinSocketStream> FListStream;
    std::unique_ptr<platform::TWinSocketStream> FTransferStream;
    std::unique_ptr<platform::TFileStream> FFileStream;
    std::vector<char> FReceiveBuffer;
    std::vector<char> FTransferBuffer;
    // Bytes at the start of FReceiveBuffer that belong to a reply line whose
    // line end has not arrived yet.
    int FPendingLength = 0;
    // The first complete line of the latest read that gave any; the greeting
    // is judged by it.
    std::string FFirstLineOfRead;
    // Counts reply lines processed, so that a reply reading knows whether it
    // has seen a line of its own.
    std::uint64_t FLinesRead = 0;

    std::string FResultText;
    int FResultCode = 0;
    bool FCancel = false;
    int FBytesRecvd = 0;
    int FBytesSent = 0;
    int FTransferSize = 0;
};

namespace PellFtp {
// Adds TPellFtp to the palette page "Pell".
void Register();
} // namespace PellFtp
