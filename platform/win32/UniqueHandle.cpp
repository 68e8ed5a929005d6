#include "platform/win32/UniqueHandle.h"

#include "platform/win32/Windows.h"

namespace win32 {

bool UniqueHandle::Close()
{
    if (!IsOpen()) return true;
    const bool closed = ::CloseHandle(m_handle) != 0;
    m_handle = Invalid();
    return closed;
}

} // namespace win32
