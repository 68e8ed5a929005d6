#include "tests/platform/devices/FakeSysfs.h"

#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr char kUsbBus[] = "pci0000:00/0000:00:14.0/usb1";
// serial_core's port types.
constexpr char kNoUart[] = "0";
constexpr char kUart16550A[] = "4";

void RelativeLink(const fs::path& link, const fs::path& target)
{
    fs::create_directory_symlink(fs::relative(target, link.parent_path()), link);
}

} // namespace

FakeSysfs::FakeSysfs()
{
    fs::create_directories(SysRoot() / "class" / "tty");
    fs::create_directories(SysRoot() / "bus" / "platform");
    fs::create_directories(DevRoot());

    const std::string usb = kUsbBus;
    UsbDevice(usb, "xHCI Host Controller"); // the root hub is a USB device too
    UsbDevice(usb + "/1-1/1-1.2", "FT232R USB UART");
    Tty(usb + "/1-1/1-1.2/1-1.2:1.0/ttyUSB0", "ttyUSB0");
    UsbDevice(usb + "/1-2", "Pico");
    Tty(usb + "/1-2/1-2:1.0", "ttyACM0");
    UsbDevice(usb + "/1-3", "");
    Tty(usb + "/1-3/1-3:1.0/ttyUSB1", "ttyUSB1");

    Attribute(Tty("platform/serial8250", "ttyS0"), "type", kNoUart);
    for (const char* name : {"ttyS1", "ttyS2", "ttyS10"}) Attribute(Tty("platform/serial8250", name), "type", kUart16550A);
    RelativeLink(SysRoot() / "devices/platform/serial8250/subsystem", SysRoot() / "bus" / "platform");
    Tty("pnp0/00:05", "ttyS3");
    Attribute(Tty("pnp0/00:06", "ttyS4"), "type", "");

    Tty("virtual/tty", "tty0", false);

    for (const char* name : {"ttyS10", "ttyUSB0"}) std::ofstream(DevRoot() / name); // a plain file opens like a device
}

void FakeSysfs::UsbDevice(const std::string& path, const std::string& product) const
{
    const fs::path dir = SysRoot() / "devices" / path;
    fs::create_directories(dir);
    Attribute(dir, "idVendor", "0403");
    Attribute(dir, "idProduct", "6001");
    if (!product.empty()) Attribute(dir, "product", product);
}

fs::path FakeSysfs::Tty(const std::string& ownerPath, const std::string& name, bool withDeviceLink) const
{
    const fs::path owner = SysRoot() / "devices" / ownerPath;
    const fs::path dir = owner / "tty" / name;
    fs::create_directories(dir);
    RelativeLink(SysRoot() / "class" / "tty" / name, dir);
    if (withDeviceLink) RelativeLink(dir / "device", owner);
    return dir;
}

void FakeSysfs::Attribute(const fs::path& dir, const std::string& name, const std::string& text)
{
    std::ofstream(dir / name, std::ios::binary | std::ios::trunc) << text << '\n';
}
