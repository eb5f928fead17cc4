// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>

#include "MainWindow.h"
#include "app/pages/ContactSheet.h"
#include "core/Errors.h"
#include "imageio/ImageFiles.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using enum ControlId;
using test::NamesIn;
using test::TempFolder;

const std::string kSource = std::string(QM_FIXTURES) + "/jpeg-bmp/shira_bird8.bmp";

Image Filled(int width, int height, std::uint8_t value)
{
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        std::fill_n(image.Row(y), image.RowBytes(), value);
    }
    return image;
}

TEST(ContactSheet, AreaAveragingLayoutAndNumbers)
{
    // Columns alternately black and white: any cell spanning whole pairs
    // is mid grey; a 3-pixel-wide tile scaled by 3/2 mixes thirds exactly.
    Image stripes(2, 1);
    std::fill_n(stripes.Pixel(1, 0), 3, 255);
    const Image grey = ScaleRepeatByArea(stripes, 2, 1);
    EXPECT_EQ(grey.Pixel(0, 0)[0], 128);
    EXPECT_EQ(grey.Pixel(1, 0)[2], 128);
    Image ramp(3, 1);
    ramp.Pixel(1, 0)[0] = 90;
    ramp.Pixel(2, 0)[0] = 180;
    // The repeat 0 90 180 0 90 180 into 4 pixels of 1.5 each.
    const Image mixed = ScaleRepeatByArea(ramp, 4, 1);
    EXPECT_EQ(mixed.Pixel(0, 0)[0], 30);
    EXPECT_EQ(mixed.Pixel(1, 0)[0], 150);
    EXPECT_EQ(mixed.Pixel(2, 0)[0], 30);
    EXPECT_EQ(mixed.Pixel(3, 0)[0], 150);

    // 12 wide tiles: two rows of ten cells; each repeat fits the cell's
    // width, centred in height; the number 1 beneath the first cell.
    const Image sheet = BuildContactSheet(12, [](std::int32_t) { return Filled(96, 48, 0); });
    const int cellHeight = kSheetCellSize + kSheetLabelHeight;
    EXPECT_EQ(sheet.Width(), kSheetGap + 10 * (kSheetCellSize + kSheetGap));
    EXPECT_EQ(sheet.Height(), kSheetGap + 2 * (cellHeight + kSheetGap));
    const int secondRowTop = kSheetGap + cellHeight + kSheetGap;
    for (const int x : {kSheetGap, kSheetGap + kSheetCellSize - 1}) {
        EXPECT_EQ(sheet.Pixel(x, secondRowTop + 47)[0], 240);
        EXPECT_EQ(sheet.Pixel(x, secondRowTop + 48)[0], 0);
        EXPECT_EQ(sheet.Pixel(x, secondRowTop + 143)[0], 0);
        EXPECT_EQ(sheet.Pixel(x, secondRowTop + 144)[0], 240);
    }
    // The digit 1 beneath the first cell, its 5 x 7 glyph drawn at twice the
    // size: the stem down the cell's centre, the foot reaching to its right.
    const int centre = kSheetGap + kSheetCellSize / 2;
    const int labelTop = kSheetGap + kSheetCellSize + (kSheetLabelHeight - 14) / 2;
    EXPECT_EQ(sheet.Pixel(centre, labelTop - 1)[0], 240);
    for (int y = labelTop; y < labelTop + 14; ++y) {
        EXPECT_EQ(sheet.Pixel(centre, y)[0], 40) << y;
        EXPECT_EQ(sheet.Pixel(centre + 2, y)[0], y >= labelTop + 12 ? 40 : 240) << y;
    }
}

struct MadeRun {
    TempFolder source;
    TempFolder out;
    MainWindow w;

    explicit MadeRun(const std::string& count)
    {
        source.CopyIn(kSource, "source.bmp");
        w.main.ChangeText(edtFileName, source / "source.bmp");
        w.main.ChangeText(edtOutDirectory, out.Path());
        w.main.ChangeText(edtMake, count);
        w.main.Click(rdbPng);
    }

    std::vector<std::string> Execute()
    {
        w.platform.calls.clear();
        w.main.Click(bbnExecute);
        return w.platform.calls;
    }
};

TEST(RunOverview, GalleryAndSheetBesideTheTilesWithEscapedNames)
{
    MadeRun run("12");
    run.w.main.ChangeText(edtPrefix, "a&b");
    run.w.main.Extended().Gallery = true;
    run.w.main.Extended().ContactSheet = true;
    EXPECT_EQ(run.Execute().back(), "info: 作成しました。");
    EXPECT_EQ(NamesIn(run.out.Path()).size(), 14u);
    const std::string page = test::FileBytes(run.out / "gallery.html");
    EXPECT_NE(page.find("data-url=\"a%26b012.png\" data-name=\"a&amp;b012.png\" data-width=\"96\" "
                        "data-height=\"54\""),
              std::string::npos);
    const Image sheet = LoadImageFile(run.out / "a&bsheet.png");
    EXPECT_EQ(sheet.Width(), kSheetGap + 10 * (kSheetCellSize + kSheetGap));

    // A name of the user's, counted from the output folder; a page that
    // cannot be written ends the action with its message, the tiles stay.
    run.w.main.Extended().ContactSheet = false;
    run.w.main.Extended().GalleryName = "missing/g.html";
    EXPECT_THROW(run.Execute(), ErrorMessage);
    EXPECT_TRUE(std::filesystem::is_regular_file(run.out / "a&b012.png"));
}

TEST(RunOverview, CancelKeepsTheTilesBeforeAndEndsSilently)
{
    MadeRun run("6");
    run.w.main.Click(chbHtml);
    run.w.main.Extended().Gallery = true;
    std::vector<std::string> progress;
    run.w.platform.tileProgress = [&](std::int32_t number, std::int32_t count,
                                      const std::string& file) {
        progress.push_back(std::to_string(number) + "/" + std::to_string(count) + " " + file);
        return number < 4;
    };
    EXPECT_EQ(run.Execute(), (std::vector<std::string>{"busy: 1", "busy: 0"}));
    EXPECT_EQ(progress.back(), "4/6 " + run.out.Path() + "/image004.png");
    EXPECT_EQ(NamesIn(run.out.Path()),
              (std::vector<std::string>{"image001.png", "image002.png", "image003.png"}));
    EXPECT_FALSE(run.w.main.LastMakeSucceeded());
}

}  // namespace
}  // namespace qm
