#include "tests/platform/devices/SampleSerialTree.h"

namespace {

constexpr char kUsbBus[] = "pci0000:00/0000:00:14.0/usb1";
// serial_core's port types.
constexpr char kNoUart[] = "0";
constexpr char kUart16550A[] = "4";

} // namespace

SampleSerialTree::SampleSerialTree()
{
    const std::string bus = kUsbBus;
    UsbDevice(bus, "xHCI Host Controller", "Linux"); // the root hub is a USB device too

    UsbDevice(bus + "/1-1/1-1.2", "FT232R USB UART", "FTDI");
    const auto adapterPort = Device(bus + "/1-1/1-1.2/1-1.2:1.0/ttyUSB0");
    Subsystem(adapterPort, "usb-serial");
    Tty(adapterPort, "ttyUSB0");

    UsbDevice(bus + "/1-2", "Pico", "Raspberry Pi");
    const auto cdcInterface = Device(bus + "/1-2/1-2:1.0");
    Subsystem(cdcInterface, "usb");
    Tty(cdcInterface, "ttyACM0");

    const auto platform8250 = Device("platform/serial8250");
    Subsystem(platform8250, "platform");
    Attribute(Tty(platform8250, "ttyS0"), "type", kNoUart);
    for (const char* name : {"ttyS1", "ttyS2", "ttyS10"})
        Attribute(Tty(platform8250, name), "type", kUart16550A);

    Tty(Device("virtual/tty"), "tty0", false);

    for (const char* name : {"ttyUSB0", "ttyS1", "ttyS10"})
        DeviceNode(name);
}
