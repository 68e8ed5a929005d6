#include "platform/serial/SerialDevice.h"

namespace serial {

LineDifference CompareLineSettings(const LineSettings& asked, const LineSettings& kept)
{
    return {
        .baudRate = asked.baudRate != kept.baudRate,
        .parity = asked.parity != kept.parity,
        .dataBits = asked.dataBits != kept.dataBits,
        .stopBits = asked.stopBits != kept.stopBits,
    };
}

} // namespace serial
