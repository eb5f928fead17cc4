// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>

#include "RecordingPlatform.h"
#include "app/ExtendedRows.h"
#include "app/window/UDlgExtended.h"

namespace qm {
namespace {

// The position of the row of a setting.
std::size_t RowOf(bool ExtendedSettings::*checked)
{
    const std::vector<ExtendedRow>& rows = ExtendedRows();
    return static_cast<std::size_t>(
        std::find_if(rows.begin(), rows.end(), [&](const ExtendedRow& row) { return row.Checked == checked; }) -
        rows.begin());
}

TEST(DlgExtended, ColourRowsJudgeTheirValuesAndTheTagsExcludeKeepingTheProfile)
{
    ExtendedSettings settings;
    TfrmExtended dialog(settings);
    RecordingPlatform platform;
    EXPECT_TRUE(dialog.Fields[RowOf(&ExtendedSettings::ColourConvert)].Checked);
    TfrmExtended::Field& background = dialog.Fields[RowOf(&ExtendedSettings::Background)];
    EXPECT_EQ(background.Text, "#ffffff");

    background.Checked = true;
    for (const char* refused : {"ffffff", "#fffff", "#ffffffff", "#fffffg", ""}) {
        background.Text = refused;
        EXPECT_FALSE(dialog.OkClick(platform)) << refused;
    }
    EXPECT_EQ(platform.errorBoxes.back(), "透明部分の色は #rrggbb の形で指定して下さい。");
    EXPECT_FALSE(settings.Background);
    background.Text = "#A0b1C2";
    EXPECT_TRUE(dialog.OkClick(platform));
    EXPECT_TRUE(settings.Background);
    EXPECT_EQ(settings.BackgroundColour, "#a0b1c2");

    dialog.Fields[RowOf(&ExtendedSettings::ColourTags)].Checked = true;
    dialog.Fields[RowOf(&ExtendedSettings::KeepProfile)].Checked = true;
    EXPECT_FALSE(dialog.OkClick(platform));
    EXPECT_EQ(platform.errorBoxes.back(),
              "「sRGB を記録する」と「元のプロファイルを残す」は同時に指定できません。");
    EXPECT_FALSE(settings.ColourTags || settings.KeepProfile);
}

}  // namespace
}  // namespace qm
