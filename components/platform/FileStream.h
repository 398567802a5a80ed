#pragma once
// A local file as a stream of bytes, over a file descriptor.

#include <cstdint>
#include <string>

namespace platform {

enum : unsigned {
    fmOpenRead = 0x0000,
    fmShareDenyWrite = 0x0020,
    fmCreate = 0xFF00,
};

class TFileStream
{
public:
    // fmCreate creates the file, or empties it when it exists. fmOpenRead
    // opens it for reading; with fmShareDenyWrite no stream of ours can create
    // or empty it while this one is open. Failures raise EStreamError.
    TFileStream(const std::string& fileName, unsigned mode);
    ~TFileStream();

    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    // Bytes read, at most count; 0 at the end of the file.
    int Read(void* buffer, int count);
    // Writes all count bytes or raises EStreamError.
    int Write(const void* buffer, int count);
    std::int64_t Size() const;
    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
    int FHandle = -1;
};

} // namespace platform
