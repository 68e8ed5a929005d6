#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace devices {

// A serial port found in sysfs, with the texts the setup services report for it.
struct TtyPort {
    std::string devicePath;   // /dev/<name>
    std::string friendlyName; // "<product> (ttyUSB0)", "USB Serial (ttyUSB0)" or "Serial Port (ttyS0)"
    std::string description;  // the product text, "USB Serial" or "Serial Port"
    std::string location;     // "USB <bus-port>" for USB adapters, "<subsystem> <device>" otherwise
    bool usb = false;
};

// Lists the serial ports under <sysfs>/class/tty: a tty counts when it has a device link,
// except 8250-style ports whose type reads 0 (no UART behind them). A USB adapter is the
// first directory up the resolved device path with idVendor and idProduct; its product
// string names the port. Missing or unreadable attributes never fail the scan.
class SysfsPortScanner {
public:
    SysfsPortScanner(std::filesystem::path sysRoot, std::filesystem::path devRoot);

    // In natural name order (ttyS2 before ttyS10).
    std::vector<TtyPort> Scan() const;

private:
    bool Counts(const std::filesystem::path& ttyDir) const;
    TtyPort Describe(const std::string& name, const std::filesystem::path& ttyDir) const;
    std::filesystem::path FindUsbDevice(const std::filesystem::path& device) const;

    std::filesystem::path m_sysRoot;
    std::filesystem::path m_devRoot;
};

} // namespace devices
