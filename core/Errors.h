// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>

namespace qm {

// Ends the current user action without a further message. It is raised
// right after a message has been shown, so the user sees exactly one.
class SilentStop : public std::exception {
public:
    const char* what() const noexcept override { return "silent stop"; }
};

// A failure whose text the top-level handler shows to the user (UTF-8).
class ErrorMessage : public std::runtime_error {
public:
    explicit ErrorMessage(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace qm
