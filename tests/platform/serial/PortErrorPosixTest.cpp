#include "platform/serial/SystemError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <utility>

using serial::PortError;

// A missing device, a refused user, a claim another program holds, a device gone.
TEST(PortErrorPosix, TheSystemsCodesBecomeTheCausesTheUserIsShown)
{
    const std::pair<int, PortError> cases[] = {{ENOENT, PortError::NotFound}, {ENOTDIR, PortError::NotFound},
        {ENODEV, PortError::NotFound}, {ENXIO, PortError::NotFound}, {EACCES, PortError::Permission}, {EPERM, PortError::Permission},
        {EBUSY, PortError::Busy}, {EWOULDBLOCK, PortError::Busy}, {EIO, PortError::Gone}, {ENOTTY, PortError::Other}};
    for (const auto& [code, cause] : cases) EXPECT_EQ(serial::PortErrorOf(code), cause) << code;
}
