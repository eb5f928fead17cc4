// SPDX-License-Identifier: MIT
#include "app/run/TileSaver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "app/OutputType.h"
#include "core/Errors.h"
#include "core/Format.h"
#include "imageio/FileIo.h"
#include "imageio/PngWriter.h"
#include "support/Noise.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

namespace qm {

using test::TempFolder;

namespace {

using test::BytesWithoutTime;
using test::NamesIn;
using test::Noise;

std::string Extension(std::uint8_t imageType)
{
    return std::string(".") + TileOutputType(imageType).extension;
}

// Saves count tiles "tNNN" into folder with the given number of threads;
// tile number emptyAt (if any) has no pixels. Returns the failure's text,
// or "" when all were saved.
std::string SaveAll(unsigned threads, std::uint8_t imageType, const std::string& folder,
                    int count, int emptyAt = 0)
{
    try {
        TTileSaver saver(threads, imageType, 80);
        for (int i = 1; i <= count; ++i) {
            const Image tile = i == emptyAt ? Image() : Noise(40 + i, 30, static_cast<std::uint32_t>(i));
            saver.Save(tile, folder + "/" + Format("t%.3d", {i}) + Extension(imageType));
        }
        saver.Finish();
    } catch (const ErrorMessage& e) {
        return e.what();
    }
    return "";
}

std::vector<std::string> Numbered(int count, std::uint8_t imageType)
{
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) {
        names.push_back(Format("t%.3d", {i}) + Extension(imageType));
    }
    return names;
}

TEST(TileSaver, ThreadsWriteTheBytesOfTheOneThreadSaver)
{
    for (const std::uint8_t imageType : {0, 1, 2}) {
        for (const unsigned threads : {2u, 3u, 8u}) {
            TempFolder one;
            TempFolder many;
            ASSERT_EQ(SaveAll(1, imageType, one.Path(), 23), "");
            ASSERT_EQ(SaveAll(threads, imageType, many.Path(), 23), "");
            const auto names = Numbered(23, imageType);
            ASSERT_EQ(NamesIn(one.Path()), names);
            ASSERT_EQ(NamesIn(many.Path()), names) << threads << " threads";
            for (const std::string& name : names) {
                EXPECT_EQ(BytesWithoutTime(many / name), BytesWithoutTime(one / name))
                    << name << " with " << threads << " threads";
            }
        }
    }
}

TEST(TileSaver, AFailedTileEndsTheSeriesBeforeItAndLeavesNoTemporaryFile)
{
    for (const unsigned threads : {1u, 2u, 4u}) {
        // Tile 6 is a folder: its file cannot be put in place.
        TempFolder blocked;
        std::filesystem::create_directory(blocked / "t006.bmp");
        EXPECT_EQ(SaveAll(threads, 0, blocked.Path(), 20),
                  "ファイル \"" + (blocked / "t006.bmp") + "\". Is a directory を作成できません");
        auto expected = Numbered(6, 0);
        EXPECT_EQ(NamesIn(blocked.Path()), expected) << threads << " threads";

        // Tile 4 cannot be encoded: a JPEG of no pixels.
        TempFolder empty;
        const std::string jpegError = SaveAll(threads, 1, empty.Path(), 20, 4);
        EXPECT_EQ(jpegError.rfind("JPEG エラー #", 0), 0u) << jpegError;
        EXPECT_EQ(NamesIn(empty.Path()), Numbered(3, 1)) << threads << " threads";

        // The folder is gone: not even the first tile is written.
        TempFolder parent;
        EXPECT_EQ(SaveAll(threads, 2, parent / "gone", 5),
                  "ファイル \"" + (parent / "gone/t001.png") +
                      "\". No such file or directory を作成できません");
        EXPECT_TRUE(NamesIn(parent.Path()).empty());
    }
}

TEST(TileSaver, GivingUpMidwayPutsNoFurtherTileInPlace)
{
    TempFolder out;
    const std::vector<std::string> series = Numbered(6, 2);
    std::vector<std::string> inPlace;
    {
        TTileSaver saver(2, 2, 0);
        for (int i = 1; i <= 6; ++i) {
            saver.Save(Noise(64, 64, static_cast<std::uint32_t>(i)), out / series[i - 1]);
        }
        // Every tile is encoded before the saver is given up: each is in
        // place or waits under a temporary name beside it. Tile 6, handed
        // over last, cannot be in place yet.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (NamesIn(out.Path()).size() < 6) {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the tiles were not encoded";
            std::this_thread::yield();
        }
        for (const std::string& name : NamesIn(out.Path())) {
            if (std::find(series.begin(), series.end(), name) != series.end()) {
                inPlace.push_back(name);
            }
        }
        ASSERT_LT(inPlace.size(), 6u);
        // Destroyed without Finish, as when the run is left by an exception.
    }
    EXPECT_EQ(inPlace, Numbered(static_cast<int>(inPlace.size()), 2));
    EXPECT_EQ(NamesIn(out.Path()), inPlace);
}

// Tiles of cuts beyond 256 as PNG files deflated in bands, byte for byte the
// same on one thread and on several; the usual cuts keep libpng's files.
TEST(TileSaver, DeflatesLargeCutPngTilesInBandsAlikeOnAnyThreads)
{
    EXPECT_EQ(BandThreads(256, 256, 4), 0u);
    EXPECT_EQ(BandThreads(258, 32, 4), 4u);
    EXPECT_EQ(BandThreads(32, 2048, 0), 1u);
    const auto names = Numbered(3, 2);
    std::vector<std::string> files[2];
    for (const unsigned threads : {1u, 3u}) {
        TempFolder out;
        {
            TTileSaver saver(threads, 2, 0, 0, BandThreads(300, 300, threads));
            for (int i = 1; i <= 3; ++i) {
                saver.Save(Noise(300, 200, static_cast<std::uint32_t>(i)), out / names[i - 1]);
            }
            saver.Finish();
        }
        for (const std::string& name : names) {
            files[threads > 1].push_back(BytesWithoutTime(out / name));
        }
    }
    EXPECT_EQ(files[1], files[0]);
    TempFolder banded;
    WriteFileAtomically(banded / "t.png", EncodePngInBands(Noise(300, 200, 1), 1));
    EXPECT_EQ(files[0][0], BytesWithoutTime(banded / "t.png"));
}

// Every tile is told as it is put in place, also the several that one Save
// or Finish puts there, each in the step of its rename.
TEST(TileSaver, TellsOfEveryTileInPlace)
{
    struct Told : PlacementObserver {
        void Placed(std::size_t placed) noexcept override
        {
            calls.push_back(Format("placed %d %d", {static_cast<long>(placed),
                                                     std::filesystem::exists(folder / files[placed - 1])}));
        }
        void TilesPlaced(std::size_t placed) noexcept override
        {
            calls.push_back(Format("after %d", {static_cast<long>(placed)}));
        }
        TempFolder folder;
        std::vector<std::string> files = Numbered(6, 2);
        std::vector<std::string> calls;
    } told;
    std::vector<std::string> expected;
    for (int i = 1; i <= 6; ++i) {
        expected.push_back(Format("placed %d 1", {i}));
        expected.push_back(Format("after %d", {i}));
    }
    for (const unsigned threads : {1u, 4u}) {
        told.calls.clear();
        TTileSaver saver(threads, 2, 0, 0, 0, &told);
        for (const std::string& file : told.files) {
            saver.Save(Noise(200, 200, 3), told.folder / file);
        }
        saver.Finish();
        EXPECT_EQ(told.calls, expected) << threads;
    }
}

}  // namespace
}  // namespace qm
