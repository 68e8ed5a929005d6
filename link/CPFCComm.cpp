#include "link/CPFCComm.h"

#include "platform/serial/SerialDevice.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessagePump.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <span>
#include <utility>

CPFCComm theComm;

namespace {

constexpr size_t kCommandAt = 0;
constexpr size_t kLengthAt = 1;
constexpr size_t kDataAt = 2;
constexpr int kMinLength = 2; // length byte and checksum, no data
constexpr int kMaxLength = 255;
constexpr uint8_t kFrameSum = 0xFF; // what every whole frame adds up to

// A read returns as soon as a byte is there, or empty after multiplier + constant = 101 ms.
constexpr serial::CommTimeouts kTimeouts{
    .readIntervalTimeout = 0xFFFFFFFF,
    .readTotalTimeoutMultiplier = 1,
    .readTotalTimeoutConstant = 100,
    .writeTotalTimeoutMultiplier = 1,
    .writeTotalTimeoutConstant = 100,
};
constexpr const char* kLineMode = "baud=19200 parity=e data=8 stop=1";

// Empty reads one exchange may meet; the last of them ends it.
constexpr int kEmptyReadAllowance = 5;

constexpr const char* kCommErrorText = "通信エラー";
constexpr const char* kChecksumErrorText = "チェックサムエラー";
constexpr const char* kTimeoutText = "通信タイムアウト";

// Why the chosen port did not open; each follows the port's path.
constexpr const char* kNotFoundText = " が見つかりません。機器が接続されているか確認してください。";
constexpr const char* kPermissionText = " へのアクセスが拒否されました。ユーザーを dialout グループに追加してください。";
constexpr const char* kBusyText = " は他のプログラムが使用中です。";
constexpr const char* kGoneText = " との接続が切れました。";
constexpr const char* kOtherText = " を開けませんでした。";
// Which line settings the port did not keep; the parts go between the brackets.
constexpr const char* kLineNotKeptText = " の通信設定（";
constexpr const char* kLineNotKeptAdvice
    = "）が反映されませんでした。アダプタが 19200bps・偶数パリティ・データ 8 ビット・ストップ 1 ビットに対応しているか確認してください。";
constexpr const char* kPartSeparator = "、";
constexpr const char* kBaudRatePart = "通信速度";
constexpr const char* kDataBitsPart = "データビット";
constexpr const char* kParityPart = "パリティ";
constexpr const char* kStopBitsPart = "ストップビット";

uint8_t Sum(std::span<const uint8_t> bytes)
{
    return static_cast<uint8_t>(std::accumulate(bytes.begin(), bytes.end(), 0u));
}

// The settings not kept, named in the order a mode is written: speed, data, parity, stop.
std::string PartsNotKept(const serial::LineDifference& difference)
{
    const std::pair<bool, const char*> parts[] = {
        {difference.baudRate, kBaudRatePart},
        {difference.dataBits, kDataBitsPart},
        {difference.parity, kParityPart},
        {difference.stopBits, kStopBitsPart},
    };
    std::string named;
    for (const auto& [differs, name] : parts) {
        if (!differs) continue;
        if (!named.empty()) named += kPartSeparator;
        named += name;
    }
    return named;
}

} // namespace

CPFCComm::CPFCComm(PortChooser chooser)
    : m_choosePort(std::move(chooser))
{ }

CPFCComm::~CPFCComm() = default;

CPFCComm::PortChooser CPFCComm::PortNamed(std::string path)
{
    return [path = std::move(path)](std::string& port) {
        port = path;
        return true;
    };
}

int CPFCComm::Open()
{
    m_openError = serial::PortError::None;
    m_lineNotKept = {};
    if (m_choosePort && !m_choosePort(m_strPort)) return 0;
    return OpenChosenPort();
}

int CPFCComm::OpenChosenPort()
{
    m_hPort = serial::SerialDevice::Open(m_strPort, m_openError);
    if (!m_hPort) {
        return 0;
    }
    m_hPort->Purge();
    if (!m_hPort->SetTimeouts(kTimeouts)) {
        return 0;
    }
    serial::LineSettings settings;
    if (!serial::ParseModeString(kLineMode, settings) || !m_hPort->SetLineSettings(settings)) {
        return 0;
    }
    // A driver may take part of the settings and still succeed: an adapter without even parity
    // would give a checksum error on every exchange, with no hint why.
    if (const std::optional<serial::LineSettings> kept = m_hPort->LineSettingsInEffect()) {
        m_lineNotKept = serial::CompareLineSettings(settings, *kept);
        if (m_lineNotKept.Any()) {
            return 0;
        }
    }
    m_bBusy = 0;
    return 1;
}

int CPFCComm::Transact(uint8_t command, int length, uint8_t* data)
{
    while (m_bBusy) {
        ui::PumpMessage();
    }

    // Callers keep the length within 2..255; anything else is clamped so the frame stays
    // inside the buffer.
    const int frameLength = std::clamp(length, kMinLength, kMaxLength);
    m_txBuf[kCommandAt] = command;
    m_bBusy = 1;
    m_txBuf[kLengthAt] = static_cast<uint8_t>(frameLength);
    std::copy_n(data, frameLength - kMinLength, m_txBuf + kDataAt);
    m_txBuf[frameLength] = static_cast<uint8_t>(~Sum(std::span(m_txBuf, static_cast<size_t>(frameLength))));

    if (m_hPort) {
        m_hPort->Write(std::span(m_txBuf, size_t{m_txBuf[kLengthAt]} + 1));
        m_hPort->Drain();
    }

    const int reply = ReadReply();
    m_bBusy = 0;
    if (reply < 0) {
        return reply;
    }
    const auto replyLength = static_cast<size_t>(reply);
    if (Sum(std::span(m_rxBuf, replyLength + 1)) != kFrameSum) {
        return kChecksumError;
    }
    if (replyLength > kMinLength) {
        std::copy_n(m_rxBuf + kDataAt, replyLength - kMinLength, data);
    }
    return reply;
}

// Reads one reply frame into m_rxBuf; its length byte, or a failure code.
int CPFCComm::ReadReply()
{
    size_t expected = kMinLength;
    size_t received = 0;
    int allowance = kEmptyReadAllowance;
    // The length byte is at most 255, so the frame ends at the buffer's last byte at the latest.
    while (received <= expected) {
        uint8_t byte = 0;
        const serial::ReadResult result = m_hPort ? m_hPort->ReadByte(byte) : serial::ReadResult::Failed;
        if (result == serial::ReadResult::Failed) {
            if (m_hPort) {
                m_hPort->ClearError();
            }
            return kCommError;
        }
        if (result == serial::ReadResult::Empty) {
            if (--allowance == 0) {
                return kTimeout;
            }
            continue;
        }
        m_rxBuf[received++] = byte;
        if (received == kLengthAt + 1) {
            expected = m_rxBuf[kLengthAt];
        }
    }
    return m_rxBuf[kLengthAt];
}

int CPFCComm::ShowCommError(ui::Window* owner, const std::string& caption, int code)
{
    const char* text = nullptr;
    switch (code) {
    case kCommError: text = kCommErrorText; break;
    case kChecksumError: text = kChecksumErrorText; break;
    case kTimeout: text = kTimeoutText; break;
    default: return code;
    }
    return ui::MessageBox(owner, text, caption, ui::MB_OK | ui::MB_ICONERROR);
}

int CPFCComm::ShowOpenError(ui::Window* owner, const std::string& caption)
{
    if (m_openError == serial::PortError::None && m_lineNotKept.Any()) {
        return ui::MessageBox(owner, m_strPort + kLineNotKeptText + PartsNotKept(m_lineNotKept) + kLineNotKeptAdvice, caption,
            ui::MB_OK | ui::MB_ICONERROR);
    }
    const char* cause = kOtherText;
    switch (m_openError) {
    case serial::PortError::None: return 0;
    case serial::PortError::NotFound: cause = kNotFoundText; break;
    case serial::PortError::Permission: cause = kPermissionText; break;
    case serial::PortError::Busy: cause = kBusyText; break;
    case serial::PortError::Gone: cause = kGoneText; break;
    case serial::PortError::Other: cause = kOtherText; break;
    }
    return ui::MessageBox(owner, m_strPort + cause, caption, ui::MB_OK | ui::MB_ICONERROR);
}
