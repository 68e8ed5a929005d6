#include "sim/PtyServer.h"

#include "sim/SimulatedController.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <termios.h>
#include <vector>

namespace sim {

namespace {

constexpr size_t kReadChunk = 256;
// Bytes are due every 573 us; the kernel's default timer slack of 50 us would blur that.
constexpr unsigned long kTimerSlackNs = 1000;

bool MakeRaw(int fd)
{
    termios attributes{};
    if (::tcgetattr(fd, &attributes) != 0) {
        return false;
    }
    ::cfmakeraw(&attributes);
    return ::tcsetattr(fd, TCSANOW, &attributes) == 0;
}

} // namespace

bool PtyServer::Open()
{
    m_master.Reset(::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!m_master.IsOpen() || ::grantpt(m_master.Get()) != 0 || ::unlockpt(m_master.Get()) != 0) {
        return false;
    }
    std::array<char, PATH_MAX> name{};
    if (::ptsname_r(m_master.Get(), name.data(), name.size()) != 0) {
        return false;
    }
    m_path = name.data();
    m_slave.Reset(::open(m_path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC));
    std::array<int, 2> wake{};
    if (!m_slave.IsOpen() || !MakeRaw(m_slave.Get()) || ::pipe2(wake.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        return false;
    }
    m_wakeRead.Reset(wake[0]);
    m_wakeWrite.Reset(wake[1]);
    m_hostWatch.Reset(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    // Without the watch everything works but a claim left by a killed host.
    if (m_hostWatch.IsOpen() && ::inotify_add_watch(m_hostWatch.Get(), m_path.c_str(), IN_OPEN | IN_CLOSE) < 0) {
        m_hostWatch.Reset();
    }
    return true;
}

void PtyServer::Serve()
{
    ::prctl(PR_SET_TIMERSLACK, kTimerSlackNs);
    while (true) {
        timespec wait{};
        timespec* timeout = nullptr;
        {
            const std::lock_guard lock(m_controllerInUse);
            if (const auto due = m_controller.NextByteDue()) {
                const auto left = std::max(*due - m_controller.Time().Now(), Duration{});
                wait.tv_sec = static_cast<time_t>(std::chrono::duration_cast<std::chrono::seconds>(left).count());
                wait.tv_nsec = static_cast<long>((left % std::chrono::seconds(1)).count());
                timeout = &wait;
            }
        }
        std::array<pollfd, 3> watched{{{m_master.Get(), POLLIN, 0}, {m_wakeRead.Get(), POLLIN, 0}, {m_hostWatch.Get(), POLLIN, 0}}};
        if (::ppoll(watched.data(), watched.size(), timeout, nullptr) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (watched[1].revents != 0 && TakeWakeUps()) {
            return;
        }
        if (watched[2].revents != 0) {
            FollowHosts();
        }
        const std::lock_guard lock(m_controllerInUse);
        if ((watched[0].revents & POLLIN) != 0) {
            TakeRequestBytes();
        } else if (watched[0].revents != 0) {
            return; // the terminal itself failed
        }
        SendDueBytes();
    }
}

void PtyServer::FollowHosts()
{
    alignas(inotify_event) std::array<char, 4096> events{};
    ssize_t length = 0;
    while ((length = ::read(m_hostWatch.Get(), events.data(), events.size())) > 0) {
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(events.data() + at);
            m_hosts += (event->mask & IN_OPEN) != 0 ? 1 : 0;
            m_hosts -= (event->mask & IN_CLOSE) != 0 ? 1 : 0;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    if (m_hosts <= 0) {
        m_hosts = 0;
        ::ioctl(m_slave.Get(), TIOCNXCL);
    }
}

void PtyServer::Stop()
{
    m_stopping = true;
    Wake();
}

void PtyServer::HangUp()
{
    m_hangingUp = true;
    Wake();
}

void PtyServer::WithController(const std::function<void(SimulatedController&)>& action)
{
    {
        const std::lock_guard lock(m_controllerInUse);
        action(m_controller);
    }
    // A changed controller may have bytes due sooner than the server is waiting for.
    Wake();
}

void PtyServer::Wake()
{
    const char wake = 1;
    [[maybe_unused]] const auto ignored = ::write(m_wakeWrite.Get(), &wake, 1);
}

bool PtyServer::TakeWakeUps()
{
    std::array<char, kReadChunk> wakes{};
    while (::read(m_wakeRead.Get(), wakes.data(), wakes.size()) > 0) { }
    if (m_hangingUp) {
        // Closing every descriptor of the master hangs up the slave, in the host's hands too.
        m_master.Reset();
        m_slave.Reset();
        return true;
    }
    return m_stopping;
}

void PtyServer::TakeRequestBytes()
{
    std::array<uint8_t, kReadChunk> bytes{};
    const ssize_t count = ::read(m_master.Get(), bytes.data(), bytes.size());
    if (count > 0) {
        m_controller.Receive(std::span(bytes.data(), static_cast<size_t>(count)));
    }
}

void PtyServer::SendDueBytes()
{
    std::vector<uint8_t> due;
    const Instant now = m_controller.Time().Now();
    while (m_controller.NextByteDue() && *m_controller.NextByteDue() <= now) {
        due.push_back(m_controller.TakeByte());
    }
    // Bytes a host does not read in time are lost, as on a real line that overruns.
    if (!due.empty()) {
        [[maybe_unused]] const auto ignored = ::write(m_master.Get(), due.data(), due.size());
    }
}

} // namespace sim
