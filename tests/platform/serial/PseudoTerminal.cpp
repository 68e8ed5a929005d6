#include "tests/platform/serial/PseudoTerminal.h"

#include <algorithm>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

namespace {
// Only a guard against a hang: data normally arrives within microseconds.
constexpr int kQuietLineMs = 5000;
}

PseudoTerminal::PseudoTerminal()
{
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    const char* name = master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0
                           ? ::ptsname(master_)
                           : nullptr;
    if (name == nullptr) {
        CloseMaster();
        return;
    }
    slavePath_ = name;
}

PseudoTerminal::~PseudoTerminal()
{
    CloseMaster();
}

bool PseudoTerminal::Send(std::span<const uint8_t> bytes)
{
    return ::write(master_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::vector<uint8_t> PseudoTerminal::Receive(size_t count)
{
    std::vector<uint8_t> received;
    pollfd entry{master_, POLLIN, 0};
    while (received.size() < count && ::poll(&entry, 1, kQuietLineMs) == 1) {
        uint8_t buffer[64];
        const ssize_t got = ::read(master_, buffer, std::min(sizeof buffer, count - received.size()));
        if (got <= 0) {
            break;
        }
        received.insert(received.end(), buffer, buffer + got);
    }
    return received;
}

termios PseudoTerminal::SlaveAttributes() const
{
    termios attributes{};
    ::tcgetattr(master_, &attributes);
    return attributes;
}

bool PseudoTerminal::SetSlaveAttributes(const termios& attributes)
{
    return ::tcsetattr(master_, TCSANOW, &attributes) == 0;
}

void PseudoTerminal::CloseMaster()
{
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}
