// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace qm {

// A plug-in host process and its process group. The host leads a group of
// its own, so whatever its library starts stays in that group; the group
// is named in the table of live hosts (plugin/HostGroups.h) from before
// the start until it is killed. The group is killed and the host reaped
// with the object unless Reap came before.
class HostProcess {
public:
    HostProcess();
    ~HostProcess();
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    pid_t Pid() const { return pid_; }

    // Starts the program with the arguments, standard input from /dev/null,
    // standard output on answerFd, no signal blocked and every signal at
    // its default; false when it did not start, and when the program is
    // ending (the host is then killed with the object).
    bool Start(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               int answerFd);

    // Kills what is left of the group, waits for the end of the host and
    // returns its wait status. Once the host has ended by itself, the
    // status is its own.
    int Reap();

private:
    int entry_;
    pid_t pid_ = -1;
};

}  // namespace qm
