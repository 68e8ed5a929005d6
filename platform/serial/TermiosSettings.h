#pragma once

#include "platform/serial/SerialDevice.h"

#include <termios.h>

namespace serial {

// Raw byte transport: no line editing, no echo, no signals, no output processing, no flow
// control, modem lines ignored; a read returns once one byte is there.
void MakeRaw(termios& attributes);

// MakeRaw plus speed and framing; false (attributes untouched) for settings the terminal
// interface cannot express.
bool ApplyLineSettings(const LineSettings& settings, termios& attributes);

// The speed and framing the attributes hold; a speed termios has no name for (such as a
// driver's nearest rate) reads as baud rate 0.
LineSettings LineSettingsOf(const termios& attributes);

} // namespace serial
