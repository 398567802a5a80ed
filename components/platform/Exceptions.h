#pragma once
// The error types of the platform layer. Each carries a UTF-8 message that is
// meant to be shown to a person as it stands.

#include <stdexcept>
#include <string>

namespace platform {

// A socket could not be resolved, opened, read or written.
class ESocketError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A local file could not be created, opened, read or written.
class EStreamError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace platform
