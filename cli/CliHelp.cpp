// SPDX-License-Identifier: MIT
#include "cli/CliHelp.h"

#include <algorithm>

#include "cli/OptionTable.h"
#include "core/Translate.h"

namespace qm {
namespace {

// Where the help lines start, after the option and its value.
constexpr std::size_t kHelpColumn = 30;

void AddHeading(std::string& text, const std::string& heading)
{
    text += "\n" + heading + "\n";
}

void AddOption(std::string& text, const OptionRow& row)
{
    std::string line = "  " + OptionSynopsis(row);
    line.resize(std::max(kHelpColumn, line.size() + 1), ' ');
    text += line + OptionHelp(row) + "\n";
}

}  // namespace

std::string CliHelp()
{
    std::string text = std::string(T("Quillmore: 画像から継ぎ目のない模様画像を作成します。")) + "\n" +
                       T("使い方: quillmore-cli [オプション]") + "\n";
    for (int group = 0; group <= static_cast<int>(OptionGroup::Help); ++group) {
        AddHeading(text, GroupHeading(static_cast<OptionGroup>(group)));
        for (const OptionRow& row : OptionTable()) {
            if (row.group == static_cast<OptionGroup>(group)) {
                AddOption(text, row);
            }
        }
    }
    AddHeading(text, T("組み合わせ:"));
    for (const std::string& rule : CombinationRules()) {
        text += "  " + rule + "\n";
    }
    AddHeading(text, T("終了コード:"));
    text += std::string("  0  ") + T("作成しました") + "\n" +
            "  1  " + T("メッセージを表示して終了") + "\n" +
            "  2  " + T("使い方の誤り") + "\n";
    AddHeading(text, T("例 (Quillmore のソースフォルダで):"));
    text += "  mkdir -p tiles && quillmore-cli --file resources/sample.jpg --method floral --count 12 "
            "--format png --out tiles\n";
    return text;
}

}  // namespace qm
