#pragma once

// dorvek-calc started by posix_spawn, for what QProcess cannot set up: standard streams
// closed or sent to chosen files, the shim that stops a save in the middle
// (pause_mid_write.cpp), and a child that is seen stopped before it ends.

#include <array>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace dorvek::test {

struct SpawnOptions {
    std::vector<std::string> arguments;
    // Standard input, output and error: the file each is opened on, or none for closed.
    std::array<std::optional<std::string>, 3> streams;
    std::string pauseIn; // the folder whose first file write stops the program, if any
};

class SpawnedCalc {
public:
    explicit SpawnedCalc(const SpawnOptions& options) {
        std::vector<std::string> environment{"LC_ALL=C.UTF-8"};
        for (char** variable = environ; *variable != nullptr; ++variable) {
            const std::string setting = *variable;
            const std::string name = setting.substr(0, setting.find('='));
            if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "QT_QPA_PLATFORM" &&
                name != "LD_PRELOAD" && name != "LC_ALL") {
                environment.push_back(setting);
            }
        }
        if (!options.pauseIn.empty()) {
            environment.push_back(std::string("LD_PRELOAD=") + DORVEK_PAUSE_MID_WRITE_PATH);
            environment.push_back("DORVEK_TEST_PAUSE_IN=" + options.pauseIn);
        }
        std::vector<std::string> arguments{DORVEK_CALC_PATH};
        arguments.insert(arguments.end(), options.arguments.begin(), options.arguments.end());

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        for (int descriptor = 0; descriptor < 3; ++descriptor) {
            const std::optional<std::string>& file = options.streams[descriptor];
            if (file) {
                posix_spawn_file_actions_addopen(
                    &actions, descriptor, file->c_str(),
                    descriptor == 0 ? O_RDONLY : O_WRONLY | O_CREAT | O_TRUNC, 0644);
            } else {
                posix_spawn_file_actions_addclose(&actions, descriptor);
            }
        }
        // Whatever the test runner ignores or holds, the program starts as from a shell.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t all;
        sigset_t none;
        sigfillset(&all);
        sigemptyset(&none);
        posix_spawnattr_setsigdefault(&attributes, &all);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

        const std::vector<char*> argv = pointers(arguments);
        const std::vector<char*> envp = pointers(environment);
        if (posix_spawn(&pid_, argv[0], &actions, &attributes, argv.data(), envp.data()) != 0) {
            pid_ = -1;
            ADD_FAILURE() << "dorvek-calc could not be started";
        }
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
    }
    SpawnedCalc(const SpawnedCalc&) = delete;
    SpawnedCalc& operator=(const SpawnedCalc&) = delete;
    ~SpawnedCalc() {
        if (pid_ > 0 && !ended_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    pid_t pid() const { return pid_; }

    // The status waitpid gives once the program stops or ends; none if it does neither
    // within a minute, which fails the test.
    std::optional<int> waitUntilStoppedOrEnded() {
        using namespace std::chrono;
        const auto deadline = steady_clock::now() + minutes(1);
        while (pid_ > 0 && steady_clock::now() < deadline) {
            int status = 0;
            const pid_t waited = waitpid(pid_, &status, WNOHANG | WUNTRACED);
            if (waited == pid_) {
                ended_ = WIFEXITED(status) || WIFSIGNALED(status);
                return status;
            }
            std::this_thread::sleep_for(milliseconds(5));
        }
        ADD_FAILURE() << "dorvek-calc neither stopped nor ended within a minute";
        return std::nullopt;
    }

private:
    static std::vector<char*> pointers(std::vector<std::string>& strings) {
        std::vector<char*> result;
        for (std::string& string : strings) {
            result.push_back(string.data());
        }
        result.push_back(nullptr);
        return result;
    }

    pid_t pid_ = -1;
    bool ended_ = false;
};

} // namespace dorvek::test
