#pragma once

#include "platform/posix/UniqueFd.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>

namespace sim {

class SimulatedController;

// Puts the simulated controller behind a pseudo-terminal: the host opens the slave like any
// serial port; the server reads requests from the master and writes each reply byte when the
// controller says it is due. The controller should run on the real clock, paced.
class PtyServer {
public:
    explicit PtyServer(SimulatedController& controller)
        : m_controller(controller)
    { }

    // Creates the pseudo-terminal in raw mode; false when the system refuses.
    bool Open();
    // The path the host opens, such as "/dev/pts/3".
    const std::string& DevicePath() const { return m_path; }
    // Serves until Stop() or HangUp() is called or the terminal fails.
    void Serve();
    // Safe from another thread.
    void Stop();
    // Closes the terminal as an unplugged device would: the host's reads fail from then on
    // instead of waiting, and serving ends. Safe from another thread.
    void HangUp();
    // Runs `action` on the controller while serving leaves it alone, so another thread can
    // change its faults or look at what it received.
    void WithController(const std::function<void(SimulatedController&)>& action);

private:
    void Wake();
    // Empties the wake-up pipe; true when serving is to end.
    bool TakeWakeUps();
    void TakeRequestBytes();
    void SendDueBytes();
    void FollowHosts();

    SimulatedController& m_controller;
    std::mutex m_controllerInUse;
    std::atomic<bool> m_stopping = false;
    std::atomic<bool> m_hangingUp = false;
    posix::UniqueFd m_master;
    // Held open so the master neither reports a hang-up nor loses the line's settings while
    // no host has the port.
    posix::UniqueFd m_slave;
    // Tells of every open and close of the slave. The terminal outlives its hosts while the
    // master is open, and with it an exclusive claim that a killed host could not give up: it
    // is given up for it once no host is left.
    posix::UniqueFd m_hostWatch;
    int m_hosts = 0;
    posix::UniqueFd m_wakeRead;
    posix::UniqueFd m_wakeWrite;
    std::string m_path;
};

} // namespace sim
