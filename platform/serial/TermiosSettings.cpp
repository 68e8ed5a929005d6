#include "platform/serial/TermiosSettings.h"

#include <algorithm>
#include <array>

namespace serial {
namespace {

struct SpeedCode {
    uint32_t baudRate;
    speed_t code;
};

// Every rate termios names; others would need the Linux-only arbitrary-rate interface.
constexpr auto kSpeeds = std::to_array<SpeedCode>({
    {50, B50},
    {75, B75},
    {110, B110},
    {134, B134},
    {150, B150},
    {200, B200},
    {300, B300},
    {600, B600},
    {1200, B1200},
    {1800, B1800},
    {2400, B2400},
    {4800, B4800},
    {9600, B9600},
    {19200, B19200},
    {38400, B38400},
    {57600, B57600},
    {115200, B115200},
    {230400, B230400},
#ifdef B460800
    {460800, B460800},
    {500000, B500000},
    {576000, B576000},
    {921600, B921600},
    {1000000, B1000000},
    {1152000, B1152000},
    {1500000, B1500000},
    {2000000, B2000000},
    {2500000, B2500000},
    {3000000, B3000000},
    {3500000, B3500000},
    {4000000, B4000000},
#endif
});

constexpr std::array<tcflag_t, 4> kCharacterSizes = {CS5, CS6, CS7, CS8};
constexpr uint8_t kMinDataBits = 5;
constexpr uint8_t kOneStopBit = 1;
constexpr uint8_t kTwoStopBits = 2;

bool FindSpeed(uint32_t baudRate, speed_t& speed)
{
    const auto found = std::find_if(kSpeeds.begin(), kSpeeds.end(), [baudRate](const SpeedCode& s) { return s.baudRate == baudRate; });
    if (found == kSpeeds.end()) {
        return false;
    }
    speed = found->code;
    return true;
}

uint32_t BaudRateOf(speed_t speed)
{
    const auto found = std::find_if(kSpeeds.begin(), kSpeeds.end(), [speed](const SpeedCode& s) { return s.code == speed; });
    return found == kSpeeds.end() ? 0 : found->baudRate;
}

bool ParityFlags(char parity, tcflag_t& flags)
{
    switch (parity) {
    case 'n': flags = 0; return true;
    case 'e': flags = PARENB; return true;
    case 'o': flags = PARENB | PARODD; return true;
#ifdef CMSPAR
    // Stick parity: the parity bit is always 1 (mark) or always 0 (space).
    case 'm': flags = PARENB | CMSPAR | PARODD; return true;
    case 's': flags = PARENB | CMSPAR; return true;
#endif
    default: return false;
    }
}

char ParityOf(tcflag_t flags)
{
    if ((flags & PARENB) == 0) return 'n';
#ifdef CMSPAR
    if ((flags & CMSPAR) != 0) return (flags & PARODD) != 0 ? 'm' : 's';
#endif
    return (flags & PARODD) != 0 ? 'o' : 'e';
}

} // namespace

void MakeRaw(termios& attributes)
{
    cfmakeraw(&attributes);
    attributes.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    attributes.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    attributes.c_cflag |= CLOCAL | CREAD;
    attributes.c_cc[VMIN] = 1;
    attributes.c_cc[VTIME] = 0;
}

bool ApplyLineSettings(const LineSettings& settings, termios& attributes)
{
    speed_t speed = 0;
    tcflag_t parity = 0;
    if (!FindSpeed(settings.baudRate, speed) || !ParityFlags(settings.parity, parity) || settings.dataBits < kMinDataBits
        || settings.dataBits >= kMinDataBits + kCharacterSizes.size() || settings.stopBits < kOneStopBit
        || settings.stopBits > kTwoStopBits) {
        return false;
    }

    termios updated = attributes;
    MakeRaw(updated);
    tcflag_t framing = parity | kCharacterSizes[settings.dataBits - kMinDataBits];
    if (settings.stopBits == kTwoStopBits) {
        framing |= CSTOPB;
    }
    tcflag_t cleared = CSIZE | CSTOPB | PARENB | PARODD;
#ifdef CMSPAR
    cleared |= CMSPAR;
#endif
    updated.c_cflag = (updated.c_cflag & ~cleared) | framing;
    if (cfsetispeed(&updated, speed) != 0 || cfsetospeed(&updated, speed) != 0) {
        return false;
    }
    attributes = updated;
    return true;
}

LineSettings LineSettingsOf(const termios& attributes)
{
    const auto size = std::find(kCharacterSizes.begin(), kCharacterSizes.end(), attributes.c_cflag & CSIZE);
    return {
        .baudRate = BaudRateOf(cfgetospeed(&attributes)),
        .parity = ParityOf(attributes.c_cflag),
        .dataBits = static_cast<uint8_t>(kMinDataBits + (size - kCharacterSizes.begin())),
        .stopBits = (attributes.c_cflag & CSTOPB) != 0 ? kTwoStopBits : kOneStopBit,
    };
}

} // namespace serial
