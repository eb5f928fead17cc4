// SPDX-License-Identifier: MIT
#include "plugin/HostProcess.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "plugin/HostGroups.h"

extern char** environ;

namespace qm {
namespace {

pid_t Spawn(const std::filesystem::path& program, const std::vector<std::string>& arguments,
            int answerFd)
{
    std::vector<std::string> texts{program.string()};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, answerFd, STDOUT_FILENO);
    // The host starts with no signal blocked and every signal at its default.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigfillset(&signals);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    // Leader of a group of its own, which holds whatever the library starts.
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);

    pid_t pid = -1;
    const int error =
        posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

}  // namespace

HostProcess::HostProcess() : entry_(ReserveHostGroup()) {}

HostProcess::~HostProcess()
{
    if (pid_ > 0) {
        Reap();
    } else if (entry_ >= 0) {
        ReleaseHostGroup(entry_);
    }
}

bool HostProcess::Start(const std::filesystem::path& program,
                        const std::vector<std::string>& arguments, int answerFd)
{
    if (entry_ < 0) {
        return false;
    }
    // A stop signal handled on this thread before the entry is filled
    // would wait for it for ever, and on another thread it would miss the
    // new host: every signal is held back until the entry names the group.
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &previous);
    pid_ = Spawn(program, arguments, answerFd);
    const bool going = SetHostGroup(entry_, pid_);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (pid_ <= 0) {
        entry_ = -1;
    }
    return pid_ > 0 && going;
}

int HostProcess::Reap()
{
    kill(-pid_, SIGKILL);
    ReleaseHostGroup(entry_);
    entry_ = -1;
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return status;
}

}  // namespace qm
