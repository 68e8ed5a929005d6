#pragma once

#include <utility>

namespace win32 {

// Owns a system handle (a file, a device) and closes it once. The handle is kept as the
// system's pointer type without naming it, so that this header needs no system header.
class UniqueHandle {
public:
    using Native = void*;

    UniqueHandle() = default;
    explicit UniqueHandle(Native handle)
        : m_handle(handle)
    { }
    ~UniqueHandle() { Close(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept
        : m_handle(std::exchange(other.m_handle, Invalid()))
    { }
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) {
            Close();
            m_handle = std::exchange(other.m_handle, Invalid());
        }
        return *this;
    }

    Native Get() const { return m_handle; }
    bool IsOpen() const { return m_handle != Invalid() && m_handle != nullptr; }
    // Closes now so the caller can see a failing close.
    bool Close();

private:
    // INVALID_HANDLE_VALUE, which CreateFileW returns on failure.
    static Native Invalid() { return reinterpret_cast<Native>(static_cast<long long>(-1)); }

    Native m_handle = Invalid();
};

} // namespace win32
