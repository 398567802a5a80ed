#include "platform/FileStream.h"

#include "platform/Exceptions.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : FFileName(fileName)
{
    if (mode == fmCreate) {
        // Take the lock before emptying the file, so that a file that a
        // reader keeps from writers is left as it is.
        FHandle = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (FHandle >= 0 && (::flock(FHandle, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(FHandle, 0) != 0)) {
            ::close(FHandle);
            FHandle = -1;
        }
        if (FHandle < 0)
            throw EStreamError("ファイル " + fileName + " を作成できません。");
        return;
    }
    FHandle = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (FHandle >= 0 && (mode & fmShareDenyWrite) && ::flock(FHandle, LOCK_SH | LOCK_NB) != 0) {
        ::close(FHandle);
        FHandle = -1;
    }
    struct stat info;
    if (FHandle >= 0 && (::fstat(FHandle, &info) != 0 || S_ISDIR(info.st_mode))) {
        ::close(FHandle);
        FHandle = -1;
    }
    if (FHandle < 0)
        throw EStreamError("ファイル " + fileName + " を開けません。");
}

TFileStream::~TFileStream()
{
    if (FHandle >= 0)
        ::close(FHandle);
}

int TFileStream::Read(void* buffer, int count)
{
    if (count <= 0)
        return 0;
    for (;;) {
        ssize_t n = ::read(FHandle, buffer, static_cast<size_t>(count));
        if (n >= 0)
            return static_cast<int>(n);
        if (errno != EINTR)
            throw EStreamError("ファイル " + FFileName + " を読み込めません: " + std::strerror(errno));
    }
}

int TFileStream::Write(const void* buffer, int count)
{
    const char* bytes = static_cast<const char*>(buffer);
    int written = 0;
    while (written < count) {
        ssize_t n = ::write(FHandle, bytes + written, static_cast<size_t>(count - written));
        if (n > 0) {
            written += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        throw EStreamError("ファイル " + FFileName +
                           " に書き込めません: " + std::strerror(n < 0 ? errno : ENOSPC));
    }
    return written;
}

std::int64_t TFileStream::Size() const
{
    struct stat info;
    if (::fstat(FHandle, &info) != 0)
        throw EStreamError("ファイル " + FFileName + " の大きさを取得できません: " + std::strerror(errno));
    return info.st_size;
}

} // namespace platform
