#pragma once

namespace serial {

// Why a port could not be opened, or why a read from an open one failed.
enum class PortError {
    None,
    NotFound,   // no such device: the path is missing or names nothing plugged in
    Permission, // this user may not open it
    Busy,       // another program holds it
    Gone,       // the device went away while open: hung up, or an I/O error
    Other,      // anything else, such as a path that is not a terminal
};

} // namespace serial
