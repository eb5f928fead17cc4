// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "core/MessageBoxes.h"

namespace qm {

// The error codes a maker stores when it gives up.
inline constexpr std::int32_t kErrCutTooLarge = 1;
inline constexpr std::int32_t kErrCutTooSmall = 2;
inline constexpr std::int32_t kErrPieceSize = 3;
inline constexpr std::int32_t kErrOddSize = 4;
inline constexpr std::int32_t kErrSourceTooSmall = 5;
inline constexpr std::int32_t kErrBadMethod = 6;
inline constexpr std::int32_t kErrLibraryLoad = 7;
inline constexpr std::int32_t kErrMissingExport = 8;
inline constexpr std::int32_t kErrWidthTooLarge = 9;
inline constexpr std::int32_t kErrHeightTooLarge = 10;
inline constexpr std::int32_t kErrSourceColumnTooLarge = 11;
inline constexpr std::int32_t kErrSourceRowTooLarge = 12;
inline constexpr std::int32_t kErrUnusableLibrary = 13;
inline constexpr std::int32_t kErrSymmetryType = 14;
inline constexpr std::int32_t kErrWidthTooSmall = 15;
inline constexpr std::int32_t kErrHeightTooSmall = 16;
inline constexpr std::int32_t kErrSourceColumnNegative = 17;
inline constexpr std::int32_t kErrSourceRowNegative = 18;
inline constexpr std::int32_t kErrPluginHost = 19;

// The message of an error code; empty for a code without one.
std::string ErrorCodeMessage(std::int32_t code);

// The report of an error: message, ":", the code, and, when the detail is
// not empty, CR LF and the detail.
std::string ErrorReportText(std::int32_t code, const std::string& detail);

// Shows the report of an error in an error box.
void ReportError(MessageBoxes& boxes, std::int32_t code, const std::string& detail);

}  // namespace qm
