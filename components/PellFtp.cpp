#include "PellFtp.h"

#include "Palette.h"
#include "platform/Application.h"
#include "platform/Exceptions.h"
#include "platform/SocketApi.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>

namespace {

const char* const kMsgNoHost = "TPellFtp: 接続先が指定されていません。";
const char* const kMsgInvalidHost = "ホストに接続できませんでした。";
const char* const kMsgConnectionFailed = "接続に失敗しました。";
const char* const kMsgMode = "未サポート。DoCommand(\"TYPE I\")等を使用してください。";
// Why a command got no reply. ResultText carries one of these, so that an
// operation that fails for want of a reply never shows an older reply line.
const char* const kMsgNotConnected = "TPellFtp: 接続されていません。";
const char* const kMsgSendFailed = "TPellFtp: コマンドを送信できなかったため、接続を閉じました。";
const char* const kMsgClosedByServer = "TPellFtp: サーバーが接続を閉じました。";
const char* const kMsgCancelled = "TPellFtp: 中止されたため、応答を最後まで受け取っていません。";
const char* const kMsgLineTooLong = "TPellFtp: 応答行が受信バッファの容量を超えたため、接続を閉じました。";
const char* const kMsgBadCharacter = "TPellFtp: コマンドに改行文字やNUL文字は使えません。";
const char* const kMsgCommandTooLong = "TPellFtp: コマンドが1000文字を超えています。";

// The decimal integer at the start of the text: leading white space skipped,
// an optional sign, then digits; 0 when no digit follows. Saturates instead
// of overflowing.
int LeadingInteger(const char* text)
{
    while (*text && std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    long long value = 0;
    while (*text >= '0' && *text <= '9') {
        value = value * 10 + (*text++ - '0');
        if (value > INT_MAX)
            value = INT_MAX + 1LL;
    }
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

} // namespace

char* TokenSplitter::Next(const char* delimiters)
{
    if (!FNext)
        return nullptr;
    char* start = FNext + std::strspn(FNext, delimiters);
    if (*start == '\0') {
        FNext = start;
        return nullptr;
    }
    char* end = start + std::strcspn(start, delimiters);
    if (*end) {
        *end = '\0';
        FNext = end + 1;
    } else {
        FNext = end;
    }
    return start;
}

int TPellFtp::DataPortCounter = 3001;
bool TPellFtp::SendBusy = false;

TPellFtp::TPellFtp(TComponent* owner)
    : TComponent(owner), FControlSocket(std::make_unique<platform::TClientSocket>())
{
}

TPellFtp::~TPellFtp()
{
    FFileStream.reset();
    // The streams refer to the sockets' socket objects, so they go first.
    FControlStream.reset();
    FListStream.reset();
    FTransferStream.reset();
    FControlSocket.reset();
    FServerSocket.reset();
    FDataSocket.reset();
}

void TPellFtp::SetPassword(const std::string& value)
{
    FPassword = value;
}

void TPellFtp::SetTimeOut(std::uint32_t value)
{
    FTimeOut = value < 50 ? 50 : value;
}

void TPellFtp::SetTcpNoDelay(bool value)
{
    if (value == FTcpNoDelay)
        return;
    FTcpNoDelay = value;
    // Only an open connection takes the option; Connect does not apply it.
    if (!IsDesigning() && FControlSocket)
        platform::SetTcpNoDelay(FControlSocket->Socket().SocketHandle(), FTcpNoDelay);
}

bool TPellFtp::GetConnected() const
{
    return FControlSocket && FControlSocket->Active();
}

void TPellFtp::Loaded()
{
    TComponent::Loaded();
    if (IsDesigning())
        return;
    CreateRunTimeObjects();
}

void TPellFtp::CreateRunTimeObjects()
{
    if (FControlStream)
        return;
    FControlSocket->SetClientType(platform::ctBlocking);
    FControlSocket->SetPort(FPort);
    FControlSocket->SetHost(FHost);
    FServerSocket = std::make_unique<platform::TServerSocket>();
    FControlStream = std::make_unique<platform::TWinSocketStream>(FControlSocket->Socket(), 1000);
    FDataSocket = std::make_unique<platform::TClientSocket>();
    FDataSocket->SetClientType(platform::ctBlocking);
    FListStream = std::make_unique<platform::TWinSocketStream>(FDataSocket->Socket(), 100);
    FTransferStream = std::make_unique<platform::TWinSocketStream>(FDataSocket->Socket(), 10000);
    FReceiveBuffer.assign(ReceiveBufferSize, '\0');
    FTransferBuffer.assign(TransferBufferSize, '\0');
}

void TPellFtp::EnsureRunTimeObjects()
{
    // An instance made in code is never loaded from a form description; it
    // makes its run-time objects when an operation first needs them.
    if (!FControlStream)
        CreateRunTimeObjects();
}

// ---------------------------------------------------------------- raisers

void TPellFtp::DoStatus(const std::string& text)
{
    if (FOnStatus)
        FOnStatus(this, text);
}

void TPellFtp::DoSuccess(TFtpCmdType type)
{
    if (FOnSuccess)
        FOnSuccess(type);
}

void TPellFtp::DoFailure(TFtpCmdType type)
{
    if (!FOnFailure)
        return;
    bool handled = false;
    FOnFailure(handled, type);
    if (!handled)
        throw EPellFtpError(FResultText);
}

void TPellFtp::DoInvalidHost()
{
    bool handled = false;
    if (FOnInvalidHost)
        FOnInvalidHost(handled);
    if (!handled)
        throw EPellFtpError(kMsgInvalidHost);
}

void TPellFtp::DoConnectionFailed()
{
    if (FOnConnectionFailed)
        FOnConnectionFailed(this);
    if (GetConnected())
        CloseControl();
    throw EPellFtpError(kMsgConnectionFailed);
}

void TPellFtp::DoPacketRecvd()
{
    if (FOnPacketRecvd)
        FOnPacketRecvd(this);
    platform::ProcessMessages();
}

void TPellFtp::DoPacketSent()
{
    if (FOnPacketSent)
        FOnPacketSent(this);
    platform::ProcessMessages();
}

// ---------------------------------------------------------------- replies

int TPellFtp::ExtractResultCode(const char* line)
{
    if (!line || line[0] == '\0' || line[0] == ' ')
        return -1;
    return LeadingInteger(line);
}

bool TPellFtp::IsContinue(const char* line, int code)
{
    const bool fourthIsSpace = std::strlen(line) >= 4 && line[3] == ' ';
    return !(fourthIsSpace && LeadingInteger(line) == code);
}

bool TPellFtp::IsFinalLine(const std::string& line)
{
    return line.size() >= 4 && line[0] != ' ' && line[3] == ' ';
}

void TPellFtp::CloseControl()
{
    FControlSocket->Close();
    FPendingLength = 0;
}

void TPellFtp::WaitForData()
{
    for (;;) {
        // A closed connection will bring nothing more; waiting on it would
        // never end.
        if (FCancel || !GetConnected())
            return;
        if (FControlStream->WaitForData(static_cast<int>(std::min<std::uint32_t>(FTimeOut, INT_MAX))))
            return;
        platform::ProcessMessages();
    }
}

bool TPellFtp::ReadLine()
{
    FFirstLineOfRead.clear();
    if (!GetConnected() || !FControlStream->WaitForData(0))
        return true;

    char* buffer = FReceiveBuffer.data();
    const int capacity = ReceiveBufferSize - 1;
    const int got = FControlStream->Read(buffer + FPendingLength, capacity - FPendingLength);
    if (got == 0) {
        if (!FControlSocket->Socket().Connected()) {
            // The server has closed: close our side too, so that Connected
            // tells the truth and later commands fail at once.
            CloseControl();
            return false;
        }
        return true;
    }

    const int length = FPendingLength + got;
    int end = length;
    while (end > 0 && buffer[end - 1] != '\r' && buffer[end - 1] != '\n')
        --end;
    if (end == 0) {
        // Still no line end: keep the piece and wait for the rest of the line,
        // but never beyond the buffer.
        FPendingLength = length;
        buffer[length] = '\0';
        if (FPendingLength >= capacity) {
            CloseControl();
            throw EPellFtpError(kMsgLineTooLong);
        }
        return true;
    }

    // Take the complete lines out before any event runs: a handler may call
    // Cancel, whose own reply reading reuses this buffer.
    const std::string tail(buffer + end, static_cast<size_t>(length - end));
    buffer[end] = '\0';
    std::vector<std::string> lines;
    TokenSplitter splitter(buffer);
    while (char* line = splitter.Next("\r\n"))
        lines.emplace_back(line);
    std::memcpy(buffer, tail.data(), tail.size());
    FPendingLength = static_cast<int>(tail.size());
    buffer[FPendingLength] = '\0';

    if (!lines.empty())
        FFirstLineOfRead = lines.front();
    for (const std::string& line : lines) {
        FResultText = line;
        FResultCode = ExtractResultCode(line.c_str());
        ++FLinesRead;
        DoStatus(line);
    }
    return true;
}

bool TPellFtp::ReadResult()
{
    const std::uint64_t linesBefore = FLinesRead;
    // A reply is complete once one of its own lines is final; the line that
    // ended the previous reply does not count.
    auto complete = [&] { return FLinesRead > linesBefore && IsFinalLine(FResultText); };
    ReadLine();
    while (!complete()) {
        if (FCancel || !GetConnected())
            break;
        WaitForData();
        if (!GetConnected())
            break;
        ReadLine();
        platform::ProcessMessages();
    }
    FResultCode = ExtractResultCode(FResultText.c_str());
    return complete();
}

// ---------------------------------------------------------------- commands

void TPellFtp::CheckCommandText(const std::string& text)
{
    // A cut-off command could name another file than the one meant, and a
    // line end inside the text would make the server read a second command.
    if (text.size() > static_cast<size_t>(MaxCommandLength))
        throw EPellFtpError(kMsgCommandTooLong);
    if (text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
        throw EPellFtpError(kMsgBadCharacter);
}

void TPellFtp::NoReply(const std::string& reason)
{
    FResultCode = -1;
    FResultText = reason;
}

bool TPellFtp::Exchange(const std::string& text)
{
    CheckCommandText(text);
    EnsureRunTimeObjects();
    if (!GetConnected()) {
        NoReply(kMsgNotConnected);
        return false;
    }
    const std::string line = text + "\r\n";
    int written = -1;
    try {
        written = FControlStream->Write(line.data(), static_cast<int>(line.size()));
    } catch (const platform::ESocketError&) {
        written = -1;
    }
    if (written != static_cast<int>(line.size())) {
        // Part of the line may have gone out; the server would read the next
        // command as its continuation.
        CloseControl();
        NoReply(kMsgSendFailed);
        return false;
    }
    WaitForData();
    if (ReadResult())
        return true;
    NoReply(GetConnected() ? kMsgCancelled : kMsgClosedByServer);
    return false;
}

void TPellFtp::DoCommand(const std::string& text)
{
    if (!Exchange(text))
        throw EPellFtpError(FResultText);
}

void TPellFtp::Connect()
{
    platform::ProcessMessages();
    FCancel = false;
    if (FHost.empty())
        throw EPellFtpError(kMsgNoHost);
    EnsureRunTimeObjects();
    // A new greeting comes only on a new connection.
    if (GetConnected())
        CloseControl();
    FControlSocket->SetPort(FPort);
    FControlSocket->SetHost(FHost);
    try {
        FControlSocket->Open();
    } catch (const platform::ESocketError&) {
        DoInvalidHost();
        FControlSocket->Open();
    }
    FPendingLength = 0;

    WaitForData();
    if (ReadResult())
        FResultCode = ExtractResultCode(FFirstLineOfRead.c_str());
    else
        NoReply(GetConnected() ? kMsgCancelled : kMsgClosedByServer);
    if (FResultCode != 220)
        DoConnectionFailed();
    if (FOnConnect)
        FOnConnect(this);
    DoLogin();
}

void TPellFtp::DoLogin()
{
    if (FUserID.empty() || FPassword.empty()) {
        bool handled = false;
        if (FOnAuthenticationNeeded)
            FOnAuthenticationNeeded(handled);
        if (!handled) {
            DoFailure(fctLogin);
            CloseControl();
            return;
        }
    }
    const std::string user = "USER " + FUserID;
    const std::string pass = "PASS " + FPassword;
    try {
        CheckCommandText(user);
        CheckCommandText(pass);
    } catch (const EPellFtpError&) {
        CloseControl();
        throw;
    }
    if (!Exchange(user) || FResultCode >= 400)
        DoConnectionFailed();
    if (!Exchange(pass) || FResultCode >= 300)
        DoConnectionFailed();
}

void TPellFtp::Disconnect()
{
    if (!GetConnected())
        return;
    Exchange("QUIT");
    CloseControl();
}

void TPellFtp::SimpleCommand(const char* verb, const std::string& argument, TFtpCmdType type)
{
    if (Exchange(std::string(verb) + " " + argument) && FResultCode < 300)
        DoSuccess(type);
    else
        DoFailure(type);
}

void TPellFtp::ChangeDir(const std::string& dir)
{
    SimpleCommand("CWD", dir, fctChangeDir);
}

void TPellFtp::MakeDirectory(const std::string& dir)
{
    SimpleCommand("MKD", dir, fctMakeDir);
}

void TPellFtp::RemoveDir(const std::string& dir)
{
    SimpleCommand("RMD", dir, fctDelete);
}

void TPellFtp::Delete(const std::string& file)
{
    SimpleCommand("DELE", file, fctDelete);
}

void TPellFtp::Rename(const std::string& from, const std::string& to)
{
    const std::string rnfr = "RNFR " + from;
    const std::string rnto = "RNTO " + to;
    // Both lines are checked first, so that a bad new name never leaves the
    // server waiting for the second half of a rename.
    CheckCommandText(rnfr);
    CheckCommandText(rnto);
    if (!Exchange(rnfr) || FResultCode >= 400) {
        DoFailure(fctRename);
        return;
    }
    // A 4xx reply to RNTO means the file was not renamed.
    if (Exchange(rnto) && FResultCode < 400)
        DoSuccess(fctRename);
    else
        DoFailure(fctRename);
}

void TPellFtp::Mode(int)
{
    throw EPellFtpError(kMsgMode);
}

void TPellFtp::Cancel()
{
    FCancel = true;
    if (GetConnected())
        Exchange("ABOR");
    if ((FServerSocket && FServerSocket->Active()) || (FDataSocket && FDataSocket->Active())) {
        FServerSocket->Close();
        FDataSocket->Close();
    }
}

namespace PellFtp {

void Register()
{
    Palette::RegisterComponents(QStringLiteral("Pell"), {QStringLiteral("TPellFtp")});
}

} // namespace PellFtp
