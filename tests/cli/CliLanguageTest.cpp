// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>

#include "CliProcess.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using test::TempFolder;

const std::string kJpeg = std::string(QM_FIXTURES) + "/jpeg-bmp/testorig.jpg";

struct Refusal {
    std::vector<std::string> arguments;
    std::string japanese;
    std::string english;
};

// The locale as the user's shell would set it; ctest's own LC_ALL goes.
std::map<std::string, std::string> Locale(const std::string& language, const std::string& lang)
{
    return {{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANGUAGE", language}, {"LANG", lang}};
}

TEST(CliLanguage, RefusalsInTheLocalesLanguage)
{
    TempFolder work;
    const std::string missing = work / "none.jpg";
    const std::string library = work / "none.so";
    const std::vector<Refusal> refusals = {
        {{"--file", kJpeg, "--size", "abc"}, "サイズの指定が不正です\n", "Invalid cut size\n"},
        {{"--file", missing}, "ファイルが見つかりません\n" + missing + "\n", "File not found\n" + missing + "\n"},
        {{"--file", kJpeg, "--format", "jpeg", "--quality", "0"},
         "--quality: 品質は1～100の整数を指定して下さい / the quality must be a whole number from 1 "
         "to 100\nRun with --help for more information.\n",
         "--quality: the quality must be a whole number from 1 to 100\nRun with --help for more "
         "information.\n"},
        {{"--file", kJpeg, "--size", "8"}, "切り出した画像が小さすぎます。:2\n", "The cut-out is too small.:2\n"},
        {{"--file", kJpeg, "--plugin", library},
         "DLLの呼び出しに失敗しました。:7\nファイル[" + library + "]\n",
         "The plug-in library could not be loaded.:7\nFile [" + library + "]\n"},
    };
    // French has no catalogue: English, like every language without one.
    // Japanese first in LANGUAGE wins over the locale.
    const std::vector<std::pair<std::map<std::string, std::string>, bool>> locales = {
        {Locale("", "en_US.UTF-8"), true},
        {Locale("fr:de", "fr_FR.UTF-8"), true},
        {Locale("", "ja_JP.UTF-8"), false},
        {Locale("ja:en", "en_US.UTF-8"), false},
    };
    for (const auto& [environment, english] : locales) {
        for (const Refusal& refusal : refusals) {
            const CliResult result = RunCliProgram(refusal.arguments, work.Path(), environment);
            EXPECT_EQ(result.err, english ? refusal.english : refusal.japanese)
                << environment.at("LANGUAGE") << " " << environment.at("LANG");
            EXPECT_NE(result.exitCode, 0);
        }
    }

    const CliResult help = RunCliProgram({"--help"}, work.Path(), Locale("", "en_US.UTF-8"));
    EXPECT_NE(help.out.find("  -h,--help                   show this help\n"), std::string::npos)
        << help.out;
    // No Japanese left in it, not even in a default (the page title's).
    EXPECT_TRUE(std::all_of(help.out.begin(), help.out.end(),
                            [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        << help.out;
}

}  // namespace
}  // namespace qm
