#pragma once

#include "platform/serial/PortError.h"

namespace serial {

// Why an open or a read failed, from the system's own code for it (errno on POSIX, the last
// error on Windows); each system's backend defines it.
PortError PortErrorOf(unsigned long code);

} // namespace serial
