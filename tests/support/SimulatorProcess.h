#pragma once

// The velmora-sim program run as a child, the way a technician runs it: it makes its own
// pseudo-terminal, prints the path and answers until it is stopped with the object.

#include <csignal>
#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

class SimulatorProcess {
public:
    explicit SimulatorProcess(std::vector<std::string> options)
    {
        std::vector<std::string> words{VELMORA_SIM_PROGRAM};
        words.insert(words.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);

        int out[2];
        if (::pipe(out) != 0) return;
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        ::posix_spawn_file_actions_addclose(&actions, out[0]);
        const bool started = ::posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
        ::posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        if (!started) {
            m_pid = 0;
            ::close(out[0]);
            return;
        }
        // The first line is the terminal's path; the program prints it once it serves.
        FILE* lines = ::fdopen(out[0], "r");
        char path[256] = {};
        if (std::fgets(path, sizeof path, lines) != nullptr) {
            m_path = path;
            if (!m_path.empty() && m_path.back() == '\n') m_path.pop_back();
        }
        std::fclose(lines);
    }
    ~SimulatorProcess()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // Empty when the program did not start or printed nothing.
    const std::string& DevicePath() const { return m_path; }

private:
    pid_t m_pid = 0;
    std::string m_path;
};
