// SPDX-License-Identifier: MIT
#include "cli/ConsoleClipboard.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "imageio/ImageFiles.h"
#include "imageio/TemporaryFiles.h"

extern char** environ;

namespace qm {
namespace {

bool Set(const char* variable)
{
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// The command that prints the clipboard's PNG picture, or nothing without
// a display.
std::vector<std::string> ClipboardCommand()
{
    if (Set("WAYLAND_DISPLAY")) {
        return {"wl-paste", "--no-newline", "--type", "image/png"};
    }
    if (Set("DISPLAY")) {
        return {"xclip", "-selection", "clipboard", "-target", "image/png", "-out"};
    }
    return {};
}

// Runs the command with its output going to the open file; true when it
// ran and succeeded.
bool RunInto(std::vector<std::string> command, int outputFile)
{
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return false;
    }
    posix_spawn_file_actions_adddup2(&actions, outputFile, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& word : command) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return false;
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A temporary file that is removed with the object, or by the clean stop
// when a signal ends the program first.
class TemporaryFile {
public:
    TemporaryFile()
    {
        path_ = (std::filesystem::temp_directory_path() / "quillmore-clipboard-XXXXXX").string();
        fd_ = CreateUniqueRecordedTemporary(path_);
    }
    ~TemporaryFile()
    {
        if (fd_ >= 0) {
            close(fd_);
            RemoveRecordedTemporary(path_);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int Descriptor() const { return fd_; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace

std::optional<Image> ReadDesktopClipboardImage()
{
    std::vector<std::string> command = ClipboardCommand();
    if (command.empty()) {
        return std::nullopt;
    }
    TemporaryFile picture;
    if (picture.Descriptor() < 0 || !RunInto(std::move(command), picture.Descriptor())) {
        return std::nullopt;
    }
    return LoadImageAnyFormat(picture.Path());
}

}  // namespace qm
