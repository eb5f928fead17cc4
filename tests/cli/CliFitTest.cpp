// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>

#include <nlohmann/json.hpp>

#include "CliProcess.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

namespace qm {

using test::FileBytes;
using test::TempFolder;

namespace {

namespace fs = std::filesystem;

const std::string kJpeg = std::string(QM_FIXTURES) + "/jpeg-bmp/testorig.jpg";
const std::map<std::string, std::string> kEnglish = {
    {"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANGUAGE", "en"}, {"LANG", "en_US.UTF-8"}};

}  // namespace

// An automatic fit says the fit it chose before the completion line, and
// the record keeps it, so a replay cuts the same picture.
TEST(CliFit, AutoFitIsToldRecordedAndReplayed)
{
    TempFolder work;
    const CliResult run = RunCliProgram({"--file", kJpeg, "--fit", "auto", "--size", "32",
                                         "--count", "3", "--record", "--out", "."},
                                        work.Path(), kEnglish);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(run.out.rfind("fit ", 0), 0u) << run.out;
    const int told = std::stoi(run.out.substr(4));
    EXPECT_EQ(run.out, "fit " + std::to_string(told) + " %\nDone.\n");
    EXPECT_GE(told, 10);
    EXPECT_LE(told, 60);
    const nlohmann::json record = nlohmann::json::parse(FileBytes(work / "imagerecord.json"));
    EXPECT_EQ(record["inputs"]["extended"]["FitPercent"], told);
    EXPECT_LT(record["source"]["width"].get<int>(), 227);

    fs::create_directory(work / "again");
    ASSERT_EQ(RunCliProgram({"--replay", "imagerecord.json", "--out", "again"}, work.Path()).exitCode,
              0);
    for (const std::string name : {"image001.bmp", "image002.bmp", "image003.bmp"}) {
        EXPECT_EQ(FileBytes(work / ("again/" + name)), FileBytes(work / name)) << name;
    }
}

// A fit that leaves the picture as it is warns once, and the run goes on
// with the tiles it makes without the fit.
TEST(CliFit, FitThatDoesNotShrinkWarnsOnce)
{
    TempFolder work;
    fs::create_directory(work / "plain");
    const CliResult fitted = RunCliProgram(
        {"--file", kJpeg, "--fit", "10", "--seed", "4", "--count", "2", "--out", "."}, work.Path(),
        kEnglish);
    ASSERT_EQ(fitted.exitCode, 0) << fitted.err;
    EXPECT_EQ(fitted.err, "the fit does not make the picture smaller\n");
    EXPECT_EQ(fitted.out, "Done.\n");
    ASSERT_EQ(RunCliProgram({"--file", kJpeg, "--seed", "4", "--count", "2", "--out", "plain"},
                            work.Path())
                  .exitCode,
              0);
    EXPECT_EQ(FileBytes(work / "image002.bmp"), FileBytes(work / "plain/image002.bmp"));
}

}  // namespace qm
