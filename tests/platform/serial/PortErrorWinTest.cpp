#include "platform/serial/SystemError.h"

#include <gtest/gtest.h>

#include <utility>

#include "platform/win32/Windows.h"

using serial::PortError;

// A port another program holds answers "access denied", as a shared one would.
TEST(PortErrorWin, TheSystemsCodesBecomeTheCausesTheUserIsShown)
{
    const std::pair<DWORD, PortError> cases[] = {{ERROR_FILE_NOT_FOUND, PortError::NotFound}, {ERROR_PATH_NOT_FOUND, PortError::NotFound},
        {ERROR_INVALID_NAME, PortError::NotFound}, {ERROR_ACCESS_DENIED, PortError::Busy}, {ERROR_SHARING_VIOLATION, PortError::Busy},
        {ERROR_DEVICE_REMOVED, PortError::Gone}, {ERROR_OPERATION_ABORTED, PortError::Gone}, {ERROR_BAD_COMMAND, PortError::Gone},
        {ERROR_GEN_FAILURE, PortError::Gone}, {ERROR_INVALID_PARAMETER, PortError::Other}};
    for (const auto& [code, cause] : cases) EXPECT_EQ(serial::PortErrorOf(code), cause) << code;
}
