#include "platform/serial/SerialDeviceWin.h"

#include "platform/serial/SystemError.h"
#include "platform/serial/SystemSerialDevice.h"
#include "platform/win32/Wide.h"

#include "platform/win32/Windows.h"

#include <array>

namespace serial {

namespace {

constexpr std::string_view kDevicePrefix = "\\\\.\\";
constexpr char kXon = 0x11;  // DC1
constexpr char kXoff = 0x13; // DC3
// DCB's parity numbers in order: none, odd, even, mark, space.
constexpr std::array<char, 5> kParityLetters = {'n', 'o', 'e', 'm', 's'};

std::string DevicePath(const std::string& path)
{
    return path.starts_with(kDevicePrefix) ? path : std::string(kDevicePrefix) + path;
}

// The mode string BuildCommDCB takes: the line as asked, and no flow control of any kind.
std::wstring ModeOf(const LineSettings& settings)
{
    return win32::Widen("baud=" + std::to_string(settings.baudRate) + " parity=" + settings.parity + " data="
        + std::to_string(settings.dataBits) + " stop=" + std::to_string(settings.stopBits)
        + " to=off xon=off odsr=off octs=off dtr=on rts=on idsr=off");
}

} // namespace

std::unique_ptr<SerialDeviceWin> SerialDeviceWin::OpenPort(const std::string& path, PortError& why)
{
    win32::UniqueHandle handle(::CreateFileW(win32::Widen(DevicePath(path)).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.IsOpen()) {
        why = PortErrorOf(::GetLastError());
        return nullptr;
    }
    // Anything but a communications device (a file, a pipe) is no port.
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    if (!::GetCommState(handle.Get(), &dcb)) {
        why = PortError::Other;
        return nullptr;
    }
    return std::unique_ptr<SerialDeviceWin>(new SerialDeviceWin(std::move(handle)));
}

bool SerialDeviceWin::Purge()
{
    return ::PurgeComm(m_handle.Get(), PURGE_RXABORT | PURGE_RXCLEAR | PURGE_TXABORT | PURGE_TXCLEAR) != 0;
}

bool SerialDeviceWin::SetTimeouts(const CommTimeouts& timeouts)
{
    COMMTIMEOUTS system{timeouts.readIntervalTimeout, timeouts.readTotalTimeoutMultiplier, timeouts.readTotalTimeoutConstant,
        timeouts.writeTotalTimeoutMultiplier, timeouts.writeTotalTimeoutConstant};
    return ::SetCommTimeouts(m_handle.Get(), &system) != 0;
}

bool SerialDeviceWin::SetLineSettings(const LineSettings& settings)
{
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    if (!::GetCommState(m_handle.Get(), &dcb) || !::BuildCommDCBW(ModeOf(settings).c_str(), &dcb)) return false;
    dcb.fBinary = TRUE;
    dcb.fAbortOnError = FALSE;
    // Unused with flow control off, but a state whose two characters are equal is refused;
    // a terminal left in raw mode by another program reads back as just that.
    dcb.XonChar = kXon;
    dcb.XoffChar = kXoff;
    return ::SetCommState(m_handle.Get(), &dcb) != 0;
}

std::optional<LineSettings> SerialDeviceWin::LineSettingsInEffect() const
{
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    if (!::GetCommState(m_handle.Get(), &dcb) || dcb.Parity >= kParityLetters.size()) return std::nullopt;
    LineSettings kept;
    kept.baudRate = dcb.BaudRate;
    kept.parity = kParityLetters[dcb.Parity];
    kept.dataBits = dcb.ByteSize;
    // One and a half stop bits is no setting of ours: it shows as neither 1 nor 2.
    kept.stopBits = dcb.StopBits == ONESTOPBIT ? 1 : dcb.StopBits == TWOSTOPBITS ? 2 : 0;
    return kept;
}

int SerialDeviceWin::Write(std::span<const uint8_t> bytes)
{
    DWORD written = 0;
    if (!::WriteFile(m_handle.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return -1;
    return static_cast<int>(written);
}

void SerialDeviceWin::Drain()
{
    ::FlushFileBuffers(m_handle.Get());
}

ReadResult SerialDeviceWin::ReadByte(uint8_t& byte)
{
    DWORD count = 0;
    if (!::ReadFile(m_handle.Get(), &byte, 1, &count, nullptr)) {
        m_lastError = PortErrorOf(::GetLastError());
        return ReadResult::Failed;
    }
    return count == 1 ? ReadResult::Byte : ReadResult::Empty;
}

void SerialDeviceWin::ClearError()
{
    DWORD errors = 0;
    COMSTAT status{};
    ::ClearCommError(m_handle.Get(), &errors, &status);
}

// The system's codes as our causes. A port another program holds answers "access denied".
PortError PortErrorOf(unsigned long code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME: return PortError::NotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: return PortError::Busy;
    case ERROR_DEVICE_REMOVED:
    case ERROR_OPERATION_ABORTED:
    case ERROR_BAD_COMMAND:
    case ERROR_GEN_FAILURE: return PortError::Gone;
    default: return PortError::Other;
    }
}

std::unique_ptr<SerialDevice> OpenSystemDevice(const std::string& path, PortError& why)
{
    return SerialDeviceWin::OpenPort(path, why);
}

} // namespace serial
