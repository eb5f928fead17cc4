// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace qm {

// The headings of --help and of the manual's options, in the order shown.
enum class OptionGroup { Source, CutAndMethod, Effects, Output, Page, Extended, Batch, Replay, Help };

// One option of quillmore-cli. The parser, --help and the manual page are
// all made from these rows, so an option is described in one place. Texts
// are Japanese message ids, shown through T().
struct OptionRow {
    const char* name;
    // "-h" for --help; empty for the others.
    const char* shortName;
    // The value's name; empty for a flag. In brackets, the value may be
    // left out.
    const char* argument;
    OptionGroup group;
    // The value taken without the option; empty when there is none to say.
    const char* defaultValue;
    // One line; %s stands for the built-in methods' names, a second %s for
    // the wallpaper groups' names.
    const char* help;
    // Options naming the same set here exclude one another.
    const char* oneOf;
    // The option this one is refused without.
    const char* needs;
    // The same, but a replay may leave it out.
    const char* needsUnlessReplay;
    // A replay takes this option; every other one it refuses.
    bool withReplay;
};

inline constexpr const char* kReplayOption = "--replay";

// The options in the parser's order.
const std::vector<OptionRow>& OptionTable();

// The row of an option by its long name; throws std::out_of_range for a
// name the table lacks.
const OptionRow& OptionRowOf(const std::string& name);

// Heading of a group in the language of the run, ending in a colon.
std::string GroupHeading(OptionGroup group);

// The option's line of help in the language of the run, the built-in
// methods' names put in.
std::string OptionHelp(const OptionRow& row);

// "--file PATH", "-h,--help" or "--skip-flat [LEVEL]".
std::string OptionSynopsis(const OptionRow& row);

// The rules of the rows' oneOf, needs, needsUnlessReplay and withReplay,
// one sentence each, in the language of the run.
std::vector<std::string> CombinationRules();

}  // namespace qm
