#pragma once

#include <string>

namespace profile {

// A whole file read into memory. Missing is told apart from unreadable: a write may create the
// first but must not replace the second. Anything but a regular file (a FIFO, a device) reads
// as missing.
struct FileBytes {
    enum class Status { Read, Missing, Unreadable };

    static FileBytes Load(const std::string& path);

    Status status = Status::Missing;
    std::string bytes;
};

} // namespace profile
