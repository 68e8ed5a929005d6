// Compiled only: each of our names for the system's numbers equals the system's own. Ours are
// taken before the system's headers turn the same names into macros.

#include "platform/devices/DeviceServices.h"

namespace ours {
using namespace devices;
constexpr uint32_t kSuccess = ERROR_SUCCESS;
constexpr uint32_t kFileNotFound = ERROR_FILE_NOT_FOUND;
constexpr uint32_t kInvalidHandle = ERROR_INVALID_HANDLE;
constexpr uint32_t kInvalidData = ERROR_INVALID_DATA;
constexpr uint32_t kInsufficientBuffer = ERROR_INSUFFICIENT_BUFFER;
constexpr uint32_t kModNotFound = ERROR_MOD_NOT_FOUND;
constexpr uint32_t kProcNotFound = ERROR_PROC_NOT_FOUND;
constexpr uint32_t kNoMoreItems = ERROR_NO_MORE_ITEMS;
constexpr uint32_t kInvalidUserBuffer = ERROR_INVALID_USER_BUFFER;
constexpr uint32_t kWin32Nt = VER_PLATFORM_WIN32_NT;
constexpr uint32_t kPresent = DIGCF_PRESENT;
constexpr uint32_t kDeviceInterface = DIGCF_DEVICEINTERFACE;
constexpr uint32_t kDeviceDescription = SPDRP_DEVICEDESC;
constexpr uint32_t kFriendlyName = SPDRP_FRIENDLYNAME;
constexpr uint32_t kLocationInformation = SPDRP_LOCATION_INFORMATION;
} // namespace ours

#include "platform/win32/Windows.h"

#include <setupapi.h>

static_assert(ours::kSuccess == ERROR_SUCCESS);
static_assert(ours::kFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(ours::kInvalidHandle == ERROR_INVALID_HANDLE);
static_assert(ours::kInvalidData == ERROR_INVALID_DATA);
static_assert(ours::kInsufficientBuffer == ERROR_INSUFFICIENT_BUFFER);
static_assert(ours::kModNotFound == ERROR_MOD_NOT_FOUND);
static_assert(ours::kProcNotFound == ERROR_PROC_NOT_FOUND);
static_assert(ours::kNoMoreItems == ERROR_NO_MORE_ITEMS);
static_assert(ours::kInvalidUserBuffer == ERROR_INVALID_USER_BUFFER);
static_assert(ours::kWin32Nt == VER_PLATFORM_WIN32_NT);
static_assert(ours::kPresent == DIGCF_PRESENT);
static_assert(ours::kDeviceInterface == DIGCF_DEVICEINTERFACE);
static_assert(ours::kDeviceDescription == SPDRP_DEVICEDESC);
static_assert(ours::kFriendlyName == SPDRP_FRIENDLYNAME);
static_assert(ours::kLocationInformation == SPDRP_LOCATION_INFORMATION);
