#pragma once

#include "tests/platform/devices/FakeSysfs.h"

// The serial ports of a typical PC in a fake sysfs:
//   ttyUSB0  FT232R adapter on USB port 1-1.2 (product "FT232R USB UART", maker FTDI)
//   ttyACM0  CDC device on USB port 1-2 (product "Pico")
//   ttyS0    8250 slot without a UART (type 0): not a port
//   ttyS1, ttyS2, ttyS10  8250 ports with a 16550A (type 4) on the platform bus
//   tty0     virtual console, no device link: not a port
// Device nodes exist for ttyUSB0, ttyS1 and ttyS10 only.
class SampleSerialTree : public FakeSysfs {
public:
    SampleSerialTree();
};
