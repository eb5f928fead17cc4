// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

#include <QStringList>

namespace qm {

// The desktop program's command line (the program's name first): --help,
// --version and at most one picture path, as a desktop passes a file opened
// with the program. Prints and ends the program, with status 0 for --help
// and --version and 2 for a command line it cannot take; otherwise answers
// the picture path, if one was given.
std::optional<std::string> PictureArgument(const QStringList& arguments);

// Answers --help and --version from the raw command line before the
// application object is made, so that they need no display: prints in the
// language of the user's locale and ends the program with status 0. A
// command line with anything this program does not take, Qt's own options
// among them, is left for PictureArgument.
void AnswerInformationOptions(int argc, const char* const* argv);

}  // namespace qm
