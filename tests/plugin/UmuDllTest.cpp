// SPDX-License-Identifier: MIT
#include "plugin/UmuDll.h"

#include <gtest/gtest.h>

#include <set>

#include "PluginTestSupport.h"
#include "engine/ErrorCodes.h"
#include "support/FixedSeed.h"

namespace qm {
namespace {

using test::CodedPiece;
using test::HeldPlugin;
using test::IsLoaded;
using test::LogEntry;
using test::PluginMaker;

// The library is no longer mapped, and a new load starts with a clean state.
void ExpectReleased(const char* path)
{
    EXPECT_FALSE(IsLoaded(path)) << path;
    const HeldPlugin fresh(path);
    ASSERT_TRUE(fresh.Loaded()) << path;
    EXPECT_TRUE(fresh.Log().empty()) << path;
}

// Prepares a maker for the plug-in, expects it to fail, and returns the
// error report the run would show.
std::string PrepareFailure(const char* path, TPoint size = {64, 48})
{
    auto maker = PluginMaker(path);
    EXPECT_FALSE(maker->Prepare(size, false)) << path;
    test::RecordingBoxes boxes;
    ReportError(boxes, maker->ErrorCode(), maker->ErrorText());
    ExpectReleased(path);
    return boxes.errors.at(0);
}

// The piece cell (column, row from the bottom) a pixel of a tile made from
// CodedPiece shows.
std::pair<int, int> CellShown(const Image& tile, int x, int y)
{
    const std::uint8_t* pixel = tile.Pixel(x, y);
    return {pixel[0], pixel[1]};
}

TEST(UmuDll, IdentityPluginGivesTheTileOfThePiece)
{
    auto maker = PluginMaker(QM_TEST_PLUGIN_IDENTITY);
    ASSERT_TRUE(maker->Prepare({64, 48}, false));
    ExpectReleased(QM_TEST_PLUGIN_IDENTITY);
    EXPECT_EQ(maker->ConvertedWidth, 64);
    EXPECT_EQ(maker->ConvertedHeight, 48);
    EXPECT_EQ(maker->Symmetry, 1);

    const Image piece = CodedPiece(64, 48);
    ASSERT_TRUE(maker->Make(piece));
    EXPECT_EQ(maker->ResultImage(), piece);
    const Image other = CodedPiece(64, 48, 99);
    ASSERT_TRUE(maker->Make(other));
    EXPECT_EQ(maker->ResultImage(), other);
}

TEST(UmuDll, SymmetryTypesMirrorTheConvertedImageWithoutDoublingItsEdges)
{
    const struct {
        const char* path;
        int width;
        int height;
    } cases[] = {
        {QM_TEST_PLUGIN_MIRROR_LEFT_RIGHT, 126, 64},
        {QM_TEST_PLUGIN_MIRROR_TOP_BOTTOM, 64, 126},
        {QM_TEST_PLUGIN_MIRROR_BOTH, 126, 126},
    };
    const Image piece = CodedPiece(64, 64);
    for (const auto& c : cases) {
        auto maker = PluginMaker(c.path);
        ASSERT_TRUE(maker->Prepare({64, 64}, false)) << c.path;
        ASSERT_TRUE(maker->Make(piece)) << c.path;
        const Image& tile = maker->ResultImage();
        ASSERT_EQ(tile.Width(), c.width) << c.path;
        ASSERT_EQ(tile.Height(), c.height) << c.path;
        for (int x = 0; x < c.width; ++x) {
            for (int y = 0; y < c.height; ++y) {
                // Column 64 + k shows column 62 - k, image row 64 + k shows
                // image row 62 - k; the piece itself sits top left.
                const int pieceX = x < 64 ? x : 126 - x;
                const int pieceY = y < 64 ? y : 126 - y;
                ASSERT_EQ(CellShown(tile, x, y), CellShown(piece, pieceX, pieceY))
                    << c.path << " at " << x << "," << y;
            }
        }
    }
}

TEST(UmuDll, ConvertedSizeMustLieBetween32And256)
{
    EXPECT_EQ(PrepareFailure(QM_TEST_PLUGIN_WIDTH31), ":15\r\n設定値[31] 制限値[32]");
    EXPECT_EQ(PrepareFailure(QM_TEST_PLUGIN_WIDTH257),
              "変換後のX方向のサイズが大きすぎます。:9\r\n設定値[257] 制限値[256]");
    EXPECT_EQ(PrepareFailure(QM_TEST_PLUGIN_HEIGHT31), ":16\r\n設定値[31] 制限値[32]");
    EXPECT_EQ(PrepareFailure(QM_TEST_PLUGIN_HEIGHT257),
              "変換後のY方向のサイズが大きすぎます。:10\r\n設定値[257] 制限値[256]");

    const struct {
        const char* path;
        int width;
        int height;
    } accepted[] = {
        {QM_TEST_PLUGIN_WIDTH32, 32, 48},
        {QM_TEST_PLUGIN_WIDTH256, 256, 48},
        {QM_TEST_PLUGIN_HEIGHT32, 64, 32},
        {QM_TEST_PLUGIN_HEIGHT256, 64, 256},
    };
    const Image piece = CodedPiece(64, 48);
    for (const auto& c : accepted) {
        auto maker = PluginMaker(c.path);
        ASSERT_TRUE(maker->Prepare({64, 48}, false)) << c.path;
        ASSERT_TRUE(maker->Make(piece)) << c.path;
        const Image& tile = maker->ResultImage();
        ASSERT_EQ(tile.Width(), c.width) << c.path;
        ASSERT_EQ(tile.Height(), c.height) << c.path;
        // Converted cell (i, j) shows piece cell (i mod 64, j mod 48).
        const int i = c.width - 1;
        const int j = 0;
        EXPECT_EQ(CellShown(tile, i, c.height - 1 - j), std::make_pair(i % 64, j)) << c.path;
        EXPECT_EQ(CellShown(tile, 0, 0), std::make_pair(0, (c.height - 1) % 48)) << c.path;
    }
}

TEST(UmuDll, SourceCellMustLieInsideThePiece)
{
    EXPECT_EQ(PrepareFailure(QM_TEST_PLUGIN_SX_AT_X),
              "取得元のX座標の値が切り出した画像をはみ出しています。:11\r\n設定値[64] 制限値[64]");
    EXPECT_EQ(PrepareFailure(QM_TEST_PLUGIN_SX_NEGATIVE), ":17\r\n設定値[-1] 制限値[0]");
    EXPECT_EQ(PrepareFailure(QM_TEST_PLUGIN_SY_AT_Y),
              "取得元のY座標の値が切り出した画像をはみ出しています。:12\r\n設定値[48] 制限値[48]");
    EXPECT_EQ(PrepareFailure(QM_TEST_PLUGIN_SY_NEGATIVE), ":18\r\n設定値[-1] 制限値[0]");
}

TEST(UmuDll, SymmetryTypeMustBeOneToFour)
{
    EXPECT_EQ(PrepareFailure(QM_TEST_PLUGIN_SYMMETRY0), "変換のタイプが不正です。:14\r\n変換タイプ[0]");
    EXPECT_EQ(PrepareFailure(QM_TEST_PLUGIN_SYMMETRY5), "変換のタイプが不正です。:14\r\n変換タイプ[5]");
}

TEST(UmuDll, LoadLookupAndIdentificationFailures)
{
    EXPECT_EQ(PrepareFailure(QM_TEST_PLUGIN_UNUSABLE), "このDLLは使えません。:13\r\nこのDLLは使えません。");
    EXPECT_EQ(PrepareFailure(QM_TEST_PLUGIN_NO_IDENTIFY_EXPORT),
              "関数が呼び出せませんでした。:8\r\n関数名[QuillmoreDLL]");

    // Every export is looked up before the first call.
    {
        const HeldPlugin held(QM_TEST_PLUGIN_NO_SYMMETRY_EXPORT);
        auto maker = PluginMaker(QM_TEST_PLUGIN_NO_SYMMETRY_EXPORT);
        EXPECT_FALSE(maker->Prepare({64, 48}, false));
        EXPECT_EQ(maker->ErrorCode(), kErrMissingExport);
        EXPECT_EQ(maker->ErrorText(), "関数名[SymmetryType]");
        EXPECT_TRUE(held.Log().empty());
    }
    ExpectReleased(QM_TEST_PLUGIN_NO_SYMMETRY_EXPORT);

    const std::string missing = testing::TempDir() + "quillmore-no-such-plugin.so";
    auto maker = PluginMaker(missing);
    EXPECT_FALSE(maker->Prepare({64, 48}, false));
    EXPECT_EQ(maker->ErrorCode(), kErrLibraryLoad);
    EXPECT_EQ(maker->ErrorText(), "ファイル[" + missing + "]");
}

TEST(UmuDll, CallsComeOnceEachInTheirOrderWithTheMappingColumnByColumn)
{
    const HeldPlugin held(QM_TEST_PLUGIN_IDENTITY);
    auto maker = PluginMaker(QM_TEST_PLUGIN_IDENTITY);
    ASSERT_TRUE(maker->Prepare({32, 34}, false));
    ASSERT_TRUE(maker->Make(CodedPiece(32, 34)));

    std::vector<LogEntry> expected{{1, 0, 0, 0, 0}, {2, 32, 34, 0, 0}};
    for (int i = 0; i < 32; ++i) {
        for (int j = 0; j < 34; ++j) {
            expected.push_back({3, 32, 34, i, j});
        }
    }
    expected.push_back({4, 0, 0, 0, 0});
    EXPECT_EQ(held.Log(), expected);
}

TEST(UmuDll, FirstFailingAnswerEndsTheCalls)
{
    const HeldPlugin held(QM_TEST_PLUGIN_SX_AT_X);
    auto maker = PluginMaker(QM_TEST_PLUGIN_SX_AT_X);
    ASSERT_FALSE(maker->Prepare({32, 32}, false));
    const std::vector<LogEntry> log = held.Log();
    ASSERT_EQ(log.size(), 2u + 32 * 32);
    EXPECT_EQ(log.back(), (LogEntry{3, 32, 32, 31, 31}));
}

TEST(UmuDll, AnswersNotWrittenRepeatThePreviousOneStartingAtTheBottomLeftCell)
{
    const Image piece = CodedPiece(64, 48);

    auto silent = PluginMaker(QM_TEST_PLUGIN_SILENT);
    ASSERT_TRUE(silent->Prepare({64, 48}, false));
    ASSERT_TRUE(silent->Make(piece));
    const Image& plain = silent->ResultImage();
    ASSERT_EQ(plain.Width(), 64);
    ASSERT_EQ(plain.Height(), 48);
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 48; ++y) {
            ASSERT_EQ(CellShown(plain, x, y), std::make_pair(0, 0)) << x << "," << y;
        }
    }

    auto bottomRow = PluginMaker(QM_TEST_PLUGIN_BOTTOM_ROW_ONLY);
    ASSERT_TRUE(bottomRow->Prepare({64, 48}, false));
    ASSERT_TRUE(bottomRow->Make(piece));
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 48; ++y) {
            ASSERT_EQ(CellShown(bottomRow->ResultImage(), x, y), std::make_pair(x, 0))
                << x << "," << y;
        }
    }
}

TEST(UmuDll, ShuffleScramblesOnceForTheWholeRun)
{
    auto maker = PluginMaker(QM_TEST_PLUGIN_IDENTITY);
    {
        const test::FixedSeed seed(20240611u);
        ASSERT_TRUE(maker->Prepare({64, 48}, true));
    }

    const Image piece = CodedPiece(64, 48);
    ASSERT_TRUE(maker->Make(piece));
    const Image first = maker->ResultImage();
    EXPECT_NE(first, piece);
    ASSERT_TRUE(maker->Make(piece));
    EXPECT_EQ(maker->ResultImage(), first);

    // Another piece goes through the very same scrambled mapping, and the
    // mapping uses every piece cell exactly once.
    ASSERT_TRUE(maker->Make(CodedPiece(64, 48, 99)));
    std::set<std::pair<int, int>> cells;
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 48; ++y) {
            ASSERT_EQ(CellShown(maker->ResultImage(), x, y), CellShown(first, x, y));
            EXPECT_EQ(maker->ResultImage().Pixel(x, y)[2], 99);
            cells.insert(CellShown(first, x, y));
        }
    }
    EXPECT_EQ(cells.size(), 64u * 48u);
}

}  // namespace
}  // namespace qm
