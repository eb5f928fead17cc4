// SPDX-License-Identifier: MIT
#include "plugin/PluginHost.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "PluginTestSupport.h"
#include "core/Errors.h"
#include "engine/ErrorCodes.h"
#include "plugin/CheckPluginLibrary.h"
#include "plugin/HostProtocol.h"
#include "support/Processes.h"

namespace qm {
namespace {

using test::PluginMaker;
using test::RecordingBoxes;

const std::string kHostFailed = "外部変換ライブラリの実行に失敗しました。:19\r\n";

// The report of a failed preparation, or "" when it succeeded.
std::string PrepareReport(const std::string& path, std::chrono::seconds limit = kPluginTimeLimit)
{
    auto maker = PluginMaker(path);
    maker->HostTimeLimit = limit;
    if (maker->Prepare({64, 48}, false)) {
        return {};
    }
    RecordingBoxes boxes;
    ReportError(boxes, maker->ErrorCode(), maker->ErrorText());
    return boxes.errors.at(0);
}

// The reports of the library check; empty when it passed.
std::vector<std::string> CheckReports(const std::string& path)
{
    RecordingBoxes boxes;
    try {
        CheckPluginLibrary(boxes, path);
    } catch (const SilentStop&) {
        EXPECT_EQ(boxes.errors.size(), 1u) << path;
    }
    return boxes.errors;
}

TEST(PluginHost, MisbehavingLibraryEndsTheActionWithOneReportAndLeavesNoProcess)
{
    const struct {
        const char* path;
        std::string detail;
    } cases[] = {
        {QM_TEST_PLUGIN_SEGFAULT, "シグナル[11 SIGSEGV]"},
        {QM_TEST_PLUGIN_STRAY_WRITE, "シグナル[11 SIGSEGV]"},
        {QM_TEST_PLUGIN_ABORT, "シグナル[6 SIGABRT]"},
        {QM_TEST_PLUGIN_EXIT0, "終了コード[0]"},
        {QM_TEST_PLUGIN_EXIT3, "終了コード[3]"},
        {QM_TEST_PLUGIN_JUNK, "応答が不正です"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PrepareReport(c.path), kHostFailed + c.detail) << c.path;
    }
    EXPECT_EQ(PrepareReport(QM_TEST_PLUGIN_ENDLESS_LOOP, std::chrono::seconds(1)),
              kHostFailed + "時間切れ[1秒]");

    EXPECT_EQ(CheckReports(QM_TEST_PLUGIN_EXIT0_IN_IDENTIFY),
              std::vector<std::string>{kHostFailed + "終了コード[0]"});
    EXPECT_EQ(CheckReports(QM_TEST_PLUGIN_SEGFAULT_IN_IDENTIFY),
              std::vector<std::string>{kHostFailed + "シグナル[11 SIGSEGV]"});

    // Every host was reaped, the one out of time too.
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);

    // And the next run goes on as ever.
    EXPECT_EQ(PrepareReport(QM_TEST_PLUGIN_IDENTITY), "");
}

// No process of a host's group outlives the call: neither the child a
// library forks and leaves running, nor that of a library that hangs. The
// check and the preparation of one action share one budget of time; a
// library that allocates without end is told apart.
TEST(PluginHost, HostsLeaveNoProcessOfTheirGroupAndShareTheActionsTime)
{
    const std::string pidFile =
        testing::TempDir() + "quillmore-plugin-pids-" + std::to_string(getpid());
    setenv("QM_TEST_PLUGIN_PID_FILE", pidFile.c_str(), 1);
    const struct {
        const char* path;
        std::string report;
    } forking[] = {
        {QM_TEST_PLUGIN_FORKING, ""},
        {QM_TEST_PLUGIN_FORKING_ENDLESS_LOOP, kHostFailed + "時間切れ[1秒]"},
    };
    for (const auto& c : forking) {
        std::remove(pidFile.c_str());
        EXPECT_EQ(PrepareReport(c.path, std::chrono::seconds(1)), c.report) << c.path;
        const std::vector<pid_t> pids = test::PidsInFile(pidFile);
        ASSERT_EQ(pids.size(), 2u) << c.path;
        for (const pid_t pid : pids) {
            if (!test::ProcessEnds(pid)) {
                ADD_FAILURE() << c.path << " left " << pid;
                kill(pid, SIGKILL);
            }
        }
    }
    std::remove(pidFile.c_str());
    unsetenv("QM_TEST_PLUGIN_PID_FILE");

    // Each host of the library takes two of the three seconds: the check
    // passes and leaves too little for the preparation.
    setenv("QM_TEST_PLUGIN_SLEEP_MS", "2000", 1);
    {
        const PluginTimeBudget budget(std::chrono::seconds(3));
        EXPECT_TRUE(CheckReports(QM_TEST_PLUGIN_SLEEP_IN_IDENTIFY).empty());
        EXPECT_EQ(PrepareReport(QM_TEST_PLUGIN_SLEEP_IN_IDENTIFY), kHostFailed + "時間切れ[3秒]");
    }
    unsetenv("QM_TEST_PLUGIN_SLEEP_MS");

    if (host::kAddressSpaceLimited) {
        EXPECT_EQ(PrepareReport(QM_TEST_PLUGIN_ALLOCATE), kHostFailed + "メモリ不足[4096MiB]");
    }
}

TEST(PluginHost, WhatTheLibraryPrintsGoesToStandardError)
{
    const std::string captured =
        testing::TempDir() + "quillmore-plugin-stderr-" + std::to_string(getpid());
    const int saved = dup(STDERR_FILENO);
    const int file = open(captured.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(file, 0);
    dup2(file, STDERR_FILENO);
    close(file);
    const std::vector<std::string> checked = CheckReports(QM_TEST_PLUGIN_PRINTING);
    const std::string prepared = PrepareReport(QM_TEST_PLUGIN_PRINTING);
    dup2(saved, STDERR_FILENO);
    close(saved);

    EXPECT_TRUE(checked.empty());
    EXPECT_EQ(prepared, "");
    std::ifstream in(captured);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    std::remove(captured.c_str());
    EXPECT_EQ(text, std::string("printed by the plug-in\n") + "printed by the plug-in\n" +
                        "printed by the plug-in\n");
}

TEST(PluginHost, OnlyARegularFileIsOpenedAsLibrary)
{
    const std::string fifo = testing::TempDir() + "quillmore-fifo-" + std::to_string(getpid());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, testing::TempDir(), std::string("/dev/null")}) {
        const std::string report = "DLLの呼び出しに失敗しました。:7\r\nファイル[" + path + "]";
        EXPECT_EQ(CheckReports(path), std::vector<std::string>{report});
        EXPECT_EQ(PrepareReport(path), report);
    }
    std::remove(fifo.c_str());
}

TEST(PluginHost, FoundBesideTheProgramFirstThenInLibexec)
{
    namespace fs = std::filesystem;
    const fs::path root = fs::path(testing::TempDir()) / ("quillmore-host-" + std::to_string(getpid()));
    const fs::path bin = root / "bin";
    const fs::path libexec = root / "libexec" / "quillmore";
    fs::create_directories(bin);
    fs::create_directories(libexec);
    const auto place = [](const fs::path& file) {
        std::ofstream(file) << "#!/bin/sh\n";
        fs::permissions(file, fs::perms::owner_all);
    };

    EXPECT_EQ(FindPluginHost(bin), bin / "quillmore-plugin-host");
    place(libexec / "quillmore-plugin-host");
    EXPECT_EQ(FindPluginHost(bin), libexec / "quillmore-plugin-host");
    place(bin / "quillmore-plugin-host");
    EXPECT_EQ(FindPluginHost(bin), bin / "quillmore-plugin-host");
    fs::remove_all(root);
}

}  // namespace
}  // namespace qm
