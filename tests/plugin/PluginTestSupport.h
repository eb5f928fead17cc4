// SPDX-License-Identifier: MIT
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/Image.h"
#include "core/MessageBoxes.h"
#include "plugin/UmuDll.h"

namespace qm::test {

// Message boxes that keep the texts shown.
class RecordingBoxes : public MessageBoxes {
public:
    std::vector<std::string> errors;
    std::vector<std::string> infos;
    void ShowErrorBox(const std::string& text) override { errors.push_back(text); }
    void ShowInfoBox(const std::string& text) override { infos.push_back(text); }
};

// One logged call of a test plug-in: kind (1 identification, 2 image size,
// 3 trans method, 4 symmetry type) and its arguments.
using LogEntry = std::array<std::int32_t, 5>;

// Holds a test plug-in loaded by the test itself and reads its call log.
// While it is held, every load of the plug-in, also the plug-in host's,
// logs into one shared file.
class HeldPlugin {
public:
    explicit HeldPlugin(const char* path)
        : logFile_(testing::TempDir() + "quillmore-plugin-log-" + std::to_string(getpid())),
          handle_((setenv("QM_TEST_PLUGIN_LOG", logFile_.c_str(), 1),
                   dlopen(path, RTLD_NOW | RTLD_LOCAL)))
    {
    }
    ~HeldPlugin()
    {
        if (handle_ != nullptr) {
            dlclose(handle_);
        }
        unsetenv("QM_TEST_PLUGIN_LOG");
        std::remove(logFile_.c_str());
    }
    HeldPlugin(const HeldPlugin&) = delete;
    HeldPlugin& operator=(const HeldPlugin&) = delete;

    bool Loaded() const { return handle_ != nullptr; }

    std::vector<LogEntry> Log() const
    {
        const auto length = reinterpret_cast<std::int32_t (*)()>(dlsym(handle_, "TestLogLength"));
        const auto entry =
            reinterpret_cast<void (*)(std::int32_t, std::int32_t*)>(dlsym(handle_, "TestLogEntry"));
        std::vector<LogEntry> log(static_cast<std::size_t>(length()));
        for (std::size_t n = 0; n < log.size(); ++n) {
            entry(static_cast<std::int32_t>(n), log[n].data());
        }
        return log;
    }

private:
    std::string logFile_;
    void* handle_;
};

// True while some part of the process holds the library.
inline bool IsLoaded(const char* path)
{
    void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
    if (handle == nullptr) {
        return false;
    }
    dlclose(handle);
    return true;
}

// A piece whose cell (column c, row r from the bottom) is blue c, green r,
// red 'salt', so that a tile pixel tells which piece cell it shows.
inline Image CodedPiece(int width, int height, std::uint8_t salt = 7)
{
    Image piece(width, height);
    for (int c = 0; c < width; ++c) {
        for (int r = 0; r < height; ++r) {
            std::uint8_t* pixel = piece.Pixel(c, height - 1 - r);
            pixel[0] = static_cast<std::uint8_t>(c);
            pixel[1] = static_cast<std::uint8_t>(r);
            pixel[2] = salt;
        }
    }
    return piece;
}

inline std::unique_ptr<TDll> PluginMaker(const std::string& path)
{
    auto maker = std::make_unique<TDll>();
    maker->LibraryPath = path;
    return maker;
}

// Switches the working folder for the life of the object.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    std::filesystem::path previous_;
};

}  // namespace qm::test
