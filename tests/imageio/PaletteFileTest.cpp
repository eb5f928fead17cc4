// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Errors.h"
#include "imageio/PaletteFile.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using test::TempFolder;

std::string Refusal(const std::string& path)
{
    try {
        ReadPalette(path);
    } catch (const ErrorMessage& error) {
        return error.what();
    }
    return "read";
}

TEST(PaletteFile, ReadsBothKindsAndRefusesWhatIsNoPalette)
{
    TempFolder folder;
    folder.Write("brand.gpl",
                 "\xEF\xBB\xBFGIMP Palette\r\nName: Brand\r\nColumns: 2\r\n# ours\r\n"
                 "  0  51 102\tNavy blue\r\n255 204 0\r\n\r\n");
    folder.Write("brand.txt", "#003366\n\n#FFcc00\n");
    const std::vector<Srgb8> brand{{0, 51, 102}, {255, 204, 0}};
    EXPECT_EQ(ReadPalette(folder / "brand.gpl"), brand);
    EXPECT_EQ(ReadPalette(folder / "brand.txt"), brand);

    std::string many;
    for (std::size_t i = 0; i <= kMaxPaletteColours; ++i) {
        many += "#102030\n";
    }
    folder.Write("many.txt", many);
    folder.Write("large.txt", "#102030\n#405060\n" + std::string(kMaxPaletteBytes, '\n'));
    folder.Write("one.txt", "#102030\n");
    folder.Write("level.gpl", "GIMP Palette\n1 2 3\n256 0 0 Too red\n");
    folder.Write("short.gpl", "GIMP Palette\n1 2 3\n4 5\n");
    folder.Write("hex.txt", "#102030\n#10203g\n");
    folder.Write("binary.txt", std::string("\x89PNG\r\n\x1a\n\0\0", 10));
    EXPECT_THAT(Refusal(folder / "many.txt"), testing::HasSubstr("256"));
    EXPECT_THAT(Refusal(folder / "large.txt"), testing::HasSubstr("64 KiB"));
    EXPECT_THAT(Refusal(folder / "one.txt"), testing::HasSubstr("one.txt"));
    EXPECT_THAT(Refusal(folder / "level.gpl"), testing::HasSubstr(" 3 行目"));
    EXPECT_THAT(Refusal(folder / "short.gpl"), testing::HasSubstr(" 3 行目"));
    EXPECT_THAT(Refusal(folder / "hex.txt"), testing::HasSubstr(" 2 行目"));
    EXPECT_THAT(Refusal(folder / "binary.txt"), testing::HasSubstr(" 1 行目"));
    EXPECT_THAT(Refusal(folder.Path()), testing::HasSubstr("は開けません"));
    EXPECT_THAT(Refusal(folder / "missing.gpl"), testing::HasSubstr("は開けません"));
}

}  // namespace
}  // namespace qm
