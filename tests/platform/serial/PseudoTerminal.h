#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <termios.h>
#include <vector>

// The far end of a serial line: the master of a pty pair whose slave the device under test opens.
class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    bool IsOpen() const { return master_ >= 0; }
    const std::string& SlavePath() const { return slavePath_; }

    bool Send(std::span<const uint8_t> bytes);
    // Whatever arrives until `count` bytes are in or the line stays quiet for a few seconds.
    std::vector<uint8_t> Receive(size_t count);
    // On a pty master these read and change the slave's settings.
    termios SlaveAttributes() const;
    bool SetSlaveAttributes(const termios& attributes);
    // Hangs up the line under the slave.
    void CloseMaster();

private:
    int master_ = -1;
    std::string slavePath_;
};
