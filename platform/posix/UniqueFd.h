#pragma once

#include <unistd.h>
#include <utility>

namespace posix {

// Owns a POSIX file descriptor and closes it once.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd)
        : m_fd(fd)
    { }
    ~UniqueFd() { Close(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    UniqueFd(UniqueFd&& other) noexcept
        : m_fd(std::exchange(other.m_fd, -1))
    { }
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        if (this != &other) Reset(std::exchange(other.m_fd, -1));
        return *this;
    }

    int Get() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }

    // Closes now so the caller can see a failing close (a late write error shows up there).
    bool Close()
    {
        if (m_fd < 0) return true;
        const bool closed = ::close(m_fd) == 0;
        m_fd = -1;
        return closed;
    }

    // Closes what it holds and takes fd instead.
    void Reset(int fd = -1)
    {
        Close();
        m_fd = fd;
    }

private:
    int m_fd = -1;
};

} // namespace posix
