// SPDX-License-Identifier: MIT
#include "cli/ManPage.h"

#include <map>
#include <sstream>
#include <stdexcept>

#include "app/AppInfo.h"
#include "cli/OptionTable.h"
#include "core/Translate.h"

namespace qm {
namespace {

// Text as troff prints it: hyphens as minus signs (options are typed with
// them), backslashes kept, and a line free to break after a Japanese
// comma, which joins option names that are not hyphenated.
std::string Troff(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        escaped += c == '-' ? "\\-" : c == '\\' ? "\\e" : std::string(1, c);
        if (escaped.ends_with("、")) {
            escaped += "\\:";
        }
    }
    return escaped;
}

std::string Heading(OptionGroup group)
{
    std::string heading = GroupHeading(group);
    heading.pop_back();  // the colon ends a line of --help, not a man page heading
    return heading;
}

// The blocks of details by option name.
std::map<std::string, std::string> DetailBlocks(const std::string& details)
{
    std::map<std::string, std::string> blocks;
    std::istringstream lines(details);
    std::string line;
    std::string* block = nullptr;
    while (std::getline(lines, line)) {
        if (line.starts_with("@")) {
            const std::string name = line.substr(1);
            OptionRowOf(name);
            block = &blocks[name];
        } else if (block != nullptr) {
            *block += line + "\n";
        } else if (!line.empty()) {
            throw std::invalid_argument("details before the first option: " + line);
        }
    }
    return blocks;
}

std::string Options(const std::string& details)
{
    const std::map<std::string, std::string> blocks = DetailBlocks(details);
    // Option and method names are typed as written: not hyphenated.
    std::string text = ".nh\n";
    for (int group = 0; group <= static_cast<int>(OptionGroup::Help); ++group) {
        text += ".SS " + Heading(static_cast<OptionGroup>(group)) + "\n";
        for (const OptionRow& row : OptionTable()) {
            if (row.group != static_cast<OptionGroup>(group)) {
                continue;
            }
            const std::string names =
                Troff(*row.shortName == '\0' ? row.name : std::string(row.shortName) + ", " + row.name);
            text += ".TP\n";
            text += *row.argument == '\0' ? ".B " + names + "\n"
                                          : ".BI " + names + " \" " + row.argument + "\"\n";
            text += Troff(OptionHelp(row)) + "\n";
            if (const auto block = blocks.find(row.name); block != blocks.end()) {
                text += ".br\n" + block->second;
            }
        }
    }
    std::string heading = T("組み合わせ:");
    heading.pop_back();
    text += ".SS " + heading + "\n";
    for (const std::string& rule : CombinationRules()) {
        text += Troff(rule) + "\n";
    }
    return text + ".hy\n";
}

void Replace(std::string& page, const std::string& marker, const std::string& text)
{
    const std::size_t at = page.find(marker);
    if (at == std::string::npos) {
        throw std::invalid_argument("the page has no " + marker);
    }
    page.replace(at, marker.size(), text);
}

}  // namespace

std::string ManPage(const std::string& page, const std::string& details)
{
    std::string text = page;
    Replace(text, "@VERSION@", kApplicationVersion);
    Replace(text, "@OPTIONS@\n", Options(details));
    return text;
}

}  // namespace qm
