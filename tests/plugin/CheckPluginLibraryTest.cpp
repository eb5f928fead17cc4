// SPDX-License-Identifier: MIT
#include "plugin/CheckPluginLibrary.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "PluginTestSupport.h"
#include "core/Errors.h"
#include "plugin/SharedLibrary.h"

namespace qm {
namespace {

using test::IsLoaded;
using test::RecordingBoxes;

// Runs the check; returns the error boxes shown, and whether it stopped.
struct CheckOutcome {
    bool stopped = false;
    std::vector<std::string> errors;
};

CheckOutcome Check(const std::string& fileName)
{
    RecordingBoxes boxes;
    CheckOutcome outcome;
    try {
        CheckPluginLibrary(boxes, fileName);
    } catch (const SilentStop&) {
        outcome.stopped = true;
    }
    outcome.errors = boxes.errors;
    EXPECT_TRUE(boxes.infos.empty());
    return outcome;
}

TEST(CheckPluginLibrary, PassesAUsableLibraryAndOneLackingOnlyLaterExports)
{
    for (const char* path : {QM_TEST_PLUGIN_IDENTITY, QM_TEST_PLUGIN_NO_SYMMETRY_EXPORT}) {
        const CheckOutcome outcome = Check(path);
        EXPECT_FALSE(outcome.stopped) << path;
        EXPECT_TRUE(outcome.errors.empty()) << path;
        EXPECT_FALSE(IsLoaded(path)) << path;
    }
}

TEST(CheckPluginLibrary, RefusesWithOneReportAndReleasesTheLibrary)
{
    const std::string notALibrary =
        testing::TempDir() + "quillmore-not-a-library-" + std::to_string(getpid()) + ".so";
    std::ofstream(notALibrary) << "This is a text, not a shared library.\n";
    const std::unique_ptr<const char, int (*)(const char*)> removeLater(notALibrary.c_str(),
                                                                         std::remove);
    const std::string missing = testing::TempDir() + "quillmore-no-such-plugin.so";

    const struct {
        std::string path;
        std::string report;
    } cases[] = {
        {notALibrary, "DLLの呼び出しに失敗しました。:7\r\nファイル[" + notALibrary + "]"},
        {missing, "DLLの呼び出しに失敗しました。:7\r\nファイル[" + missing + "]"},
        {"", "DLLの呼び出しに失敗しました。:7\r\nファイル[]"},
        {QM_TEST_PLUGIN_NO_IDENTIFY_EXPORT, "関数が呼び出せませんでした。:8\r\n関数名[QuillmoreDLL]"},
        {QM_TEST_PLUGIN_UNUSABLE, "このDLLは使えません。:13\r\nこのDLLは使えません。"},
    };
    for (const auto& c : cases) {
        const CheckOutcome outcome = Check(c.path);
        EXPECT_TRUE(outcome.stopped) << c.path;
        EXPECT_EQ(outcome.errors, std::vector<std::string>{c.report}) << c.path;
        if (!c.path.empty()) {
            EXPECT_FALSE(IsLoaded(c.path.c_str())) << c.path;
        }
    }
}

TEST(CheckPluginLibrary, BareNameMeansTheWorkingFolderNeverTheSystemFolders)
{
    EXPECT_EQ(SharedLibrary::LoaderPath("a.so"), "./a.so");
    EXPECT_EQ(SharedLibrary::LoaderPath("plugins/a.so"), "plugins/a.so");
    EXPECT_EQ(SharedLibrary::LoaderPath("/opt/a.so"), "/opt/a.so");

    const test::WorkingFolder folder(QM_TEST_PLUGIN_DIR);
    EXPECT_TRUE(Check("identity.so").errors.empty());
    EXPECT_TRUE(Check("./identity.so").errors.empty());

    // libc is on every system's search path; found there, it would fail
    // for its missing identification (code 8) instead.
    const CheckOutcome system = Check("libc.so.6");
    EXPECT_TRUE(system.stopped);
    EXPECT_EQ(system.errors,
              std::vector<std::string>{"DLLの呼び出しに失敗しました。:7\r\nファイル[libc.so.6]"});
}

}  // namespace
}  // namespace qm
