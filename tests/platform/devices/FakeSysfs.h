#pragma once

#include "tests/support/TemporaryDirectory.h"

#include <filesystem>
#include <string>

// A sysfs tree laid out as the kernel does and a /dev folder, in a fresh temporary folder
// removed with the object, holding the serial ports of a typical PC:
//   ttyUSB0  FT232R adapter on USB port 1-1.2 (product "FT232R USB UART")
//   ttyACM0  CDC device on USB port 1-2 (product "Pico"), its tty under the interface
//   ttyS0    8250 slot without a UART (type 0): not a port
//   ttyS1, ttyS2, ttyS10  8250 ports with a 16550A on the platform bus
//   ttyS3, ttyS4  ports of plug-and-play devices, without a type and with an empty one
//   ttyUSB1  adapter on USB port 1-3 without a product string
//   tty0     virtual console without a device link: not a port
// Device nodes exist for ttyS10 and ttyUSB0 only.
class FakeSysfs {
public:
    FakeSysfs();

    std::filesystem::path SysRoot() const { return m_root / "sys"; }
    std::filesystem::path DevRoot() const { return m_root / "dev"; }

    // A USB device at sys/devices/<path> with its ids and, unless empty, a product string.
    void UsbDevice(const std::string& path, const std::string& product) const;
    // sys/devices/<ownerPath>/tty/<name> and its class link; its device link goes back to the
    // owner unless told not to.
    std::filesystem::path Tty(const std::string& ownerPath, const std::string& name, bool withDeviceLink = true) const;
    // An attribute file holding text and the line end sysfs adds.
    static void Attribute(const std::filesystem::path& dir, const std::string& name, const std::string& text);

private:
    const TemporaryDirectory m_folder{"velmora-sysfs"};
    const std::filesystem::path& m_root = m_folder.Path();
};
