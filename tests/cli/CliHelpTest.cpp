// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "CliProcess.h"
#include "cli/OptionTable.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

struct Language {
    std::map<std::string, std::string> locale;
    // The headings of the option groups in the table's order, then the
    // combinations'; the manual page has them too, without the colon.
    std::vector<std::string> headings;
    std::string exitStatus;
    std::string manualPage;
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string Troff(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        escaped += c == '-' ? std::string("\\-") : std::string(1, c);
    }
    return escaped;
}

// Every option of the table stands under its group's heading in --help and
// in the manual page, in English and in Japanese.
TEST(CliHelp, EveryOptionUnderItsHeadingInHelpAndManualPage)
{
    test::TempFolder work;
    const std::map<std::string, std::string> english = {
        {"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANGUAGE", ""}, {"LANG", "en_US.UTF-8"}};
    const std::map<std::string, std::string> japanese = {
        {"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANGUAGE", ""}, {"LANG", "ja_JP.UTF-8"}};
    const std::vector<Language> languages = {
        {english,
         {"Source:", "Cut and method:", "Effects:", "Output:", "Page:", "Extended settings:", "Batch:",
          "Replay:", "Help:", "Combinations:"},
         "Exit status:",
         QM_MAN_FOLDER "/en/quillmore-cli.1"},
        {japanese,
         {"元画像:", "切り抜きと変換方法:", "効果:", "出力:", "HTMLページ:", "拡張設定:", "一括作成:",
          "作り直し:", "ヘルプ:", "組み合わせ:"},
         "終了コード:",
         QM_MAN_FOLDER "/ja/quillmore-cli.1"},
    };
    for (const Language& language : languages) {
        const CliResult help = RunCliProgram({"--help"}, work.Path(), language.locale);
        EXPECT_EQ(help.exitCode, 0);
        const std::vector<std::string> helpLines = Lines(help.out);
        std::ifstream file(language.manualPage);
        std::ostringstream page;
        page << file.rdbuf();
        const std::vector<std::string> pageLines = Lines(page.str());

        // The heading each option's line stands under: in --help a line
        // "  --name ...", in the page the line after .TP.
        const auto under = [](const std::vector<std::string>& lines, bool page) {
            std::map<std::string, std::string> headings;
            std::string heading;
            for (std::size_t i = 0; i < lines.size(); ++i) {
                const std::string& line = lines[i];
                if (page ? line.starts_with(".SS ") : !line.empty() && line.back() == ':') {
                    heading = page ? line.substr(4) + ":" : line;
                } else if (page ? i > 0 && lines[i - 1] == ".TP" : line.starts_with("  -")) {
                    headings[line] = heading;
                }
            }
            return headings;
        };
        const std::map<std::string, std::string> helpHeadings = under(helpLines, false);
        const std::map<std::string, std::string> pageHeadings = under(pageLines, true);
        const auto contains = [](const std::vector<std::string>& lines, const std::string& line) {
            return std::find(lines.begin(), lines.end(), line) != lines.end();
        };
        EXPECT_TRUE(contains(helpLines, language.exitStatus)) << help.out;
        for (const std::string& heading : language.headings) {
            EXPECT_TRUE(contains(helpLines, heading)) << heading;
            EXPECT_TRUE(contains(pageLines, ".SS " + heading.substr(0, heading.size() - 1))) << heading;
        }
        for (const OptionRow& row : OptionTable()) {
            const std::string& heading = language.headings.at(static_cast<std::size_t>(row.group));
            const std::string synopsis = "  " + OptionSynopsis(row) + " ";
            const auto line = std::find_if(helpHeadings.begin(), helpHeadings.end(), [&](const auto& entry) {
                return entry.first.starts_with(synopsis);
            });
            ASSERT_NE(line, helpHeadings.end()) << row.name << "\n" << help.out;
            EXPECT_EQ(line->second, heading) << row.name;

            const auto entry = std::find_if(pageHeadings.begin(), pageHeadings.end(), [&](const auto& item) {
                return item.first.find(Troff(row.name)) != std::string::npos;
            });
            ASSERT_NE(entry, pageHeadings.end()) << row.name << "\n" << page.str();
            EXPECT_EQ(entry->second, heading) << row.name;
        }
    }
}

}  // namespace
}  // namespace qm
