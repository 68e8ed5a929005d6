#pragma once

#include "platform/serial/PortError.h"
#include "platform/serial/SerialDevice.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace ui {
class Window;
}

// The serial link to the controller: one port, and the exchange of one command frame for one
// reply frame. Exchanges run one at a time; a request that finds one in progress waits,
// keeping the window responsive, until it ends.
class CPFCComm {
public:
    // Results of Transact besides the reply's length byte.
    static constexpr int kCommError = -1;
    static constexpr int kChecksumError = -2;
    static constexpr int kTimeout = -3;

    static constexpr size_t kBufferSize = 256; // one largest frame
    static constexpr size_t kMaxData = 253;    // the most data a reply carries

    // Chooses the port before the link opens it: writes the device path, false on cancel.
    using PortChooser = std::function<bool(std::string& port)>;
    // A chooser that names path without asking anyone.
    static PortChooser PortNamed(std::string path);

    // Without a chooser the link opens whatever the port path already names.
    explicit CPFCComm(PortChooser chooser = {});
    ~CPFCComm();
    CPFCComm(const CPFCComm&) = delete;
    CPFCComm& operator=(const CPFCComm&) = delete;

    // The application's way of letting the user choose (the port dialog); the link shows none.
    void SetPortChooser(PortChooser chooser) { m_choosePort = std::move(chooser); }
    // Lets the user choose the port, then opens and configures it: 1 when ready, 0 otherwise.
    // A port whose driver keeps other line settings than asked stays open but counts as not
    // ready.
    int Open();
    // Sends `command` with length - 2 bytes of `data` (length 2..255) and waits for the reply.
    // On success the reply's data bytes are copied to `data`, which must take kMaxData bytes,
    // and the reply's length byte is returned; on failure `data` is left alone.
    int Transact(uint8_t command, int length, uint8_t* data);
    // The standard error box for a negative Transact result; any other code is returned as is.
    int ShowCommError(ui::Window* owner, const std::string& caption, int code);
    // A box saying why the last Open could not open the chosen port, or which line settings
    // it did not keep; when it opened as asked, or no port was chosen, nothing is shown and 0
    // returned.
    int ShowOpenError(ui::Window* owner, const std::string& caption);

    const std::string& PortPath() const { return m_strPort; }
    bool IsOpen() const { return m_hPort != nullptr; }
    // Why the last Open could not open the chosen port; None when it did or none was chosen.
    serial::PortError OpenError() const { return m_openError; }
    // The line settings the port opened last did not keep; none when it kept them all.
    serial::LineDifference LineNotKept() const { return m_lineNotKept; }
    bool IsBusy() const { return m_bBusy != 0; }

private:
    // On one thread the link is seen busy only from inside an exchange; tests hold it busy
    // through this to exercise the wait.
    friend class LinkTestAccess;

    int OpenChosenPort();
    int ReadReply();

    std::string m_strPort;
    uint8_t m_txBuf[kBufferSize] = {};
    uint8_t m_rxBuf[kBufferSize] = {};
    std::unique_ptr<serial::SerialDevice> m_hPort; // null: no port
    int m_bBusy = 0;
    PortChooser m_choosePort;
    serial::PortError m_openError = serial::PortError::None;
    serial::LineDifference m_lineNotKept;
};

// The program's one link, alive from start to exit.
extern CPFCComm theComm;
