// SPDX-License-Identifier: MIT
#include "support/Processes.h"

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace qm::test {
namespace {

using namespace std::chrono_literals;

bool Running(pid_t pid)
{
    if (kill(pid, 0) != 0) {
        return false;
    }
    // "pid (name) state ...": the name may hold spaces and parentheses.
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    const std::string line{std::istreambuf_iterator<char>(stat), {}};
    const std::size_t end = line.rfind(')');
    return end != std::string::npos && end + 2 < line.size() && line[end + 2] != 'Z' &&
           line[end + 2] != 'X';
}

}  // namespace

std::vector<pid_t> PidsInFile(const std::string& file)
{
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (!std::filesystem::exists(file) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(10ms);
    }
    std::ifstream in(file);
    std::vector<pid_t> pids;
    for (pid_t pid = 0; in >> pid;) {
        pids.push_back(pid);
    }
    return pids;
}

bool ProcessEnds(pid_t pid)
{
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (Running(pid)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

}  // namespace qm::test
