// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/ConsolePlatform.h"

namespace CLI {
class App;
}

namespace qm {

// The options of quillmore-cli. Values that the main window takes as text
// stay text here, so that the window's own checks judge them.
struct CliOptions {
    std::optional<std::string> file;
    std::optional<std::string> folder;
    bool clipboard = false;
    // Position in the method list of the chosen built-in method.
    std::optional<int> methodItem;
    std::optional<std::string> plugin;
    std::optional<std::string> size;
    std::optional<std::string> width;
    std::optional<std::string> count;
    std::optional<std::string> prefix;
    std::optional<std::string> format;
    std::optional<std::string> quality;
    bool shuffle = false;
    bool blur = false;
    bool brightness = false;
    bool html = false;
    // Present when the option is given, holding its value if it has one.
    std::optional<std::vector<std::string>> gallery;
    std::optional<std::vector<std::string>> contactSheet;
    std::optional<std::string> out;
    std::optional<std::uint32_t> seed;
    // The answers for the distorted-square and the HTML settings dialogs.
    DialogAnswers dialogs;
};

// Declares every option of the command line on app, storing into options.
void DeclareCliOptions(CLI::App& app, CliOptions& options);

// The list position of a method named by its command-line name or by its
// item text in the window's list; nothing for an unknown name.
std::optional<int> MethodItemOfName(const std::string& name);

}  // namespace qm
