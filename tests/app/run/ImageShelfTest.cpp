// SPDX-License-Identifier: MIT
#include "app/run/UImageShelf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/Errors.h"
#include "core/Random.h"
#include "imageio/ImageFiles.h"
#include "support/FixedSeed.h"
#include "support/TempFolder.h"

namespace qm {

using test::TempFolder;

namespace {

const std::string kPng = std::string(QM_FIXTURES) + "/jpeg-bmp/vgl_5674_0098.png";
const std::string kJpeg = std::string(QM_FIXTURES) + "/jpeg-bmp/testimgint.jpg";
const std::string kBmp = std::string(QM_FIXTURES) + "/jpeg-bmp/shira_bird8.bmp";

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

std::string PickMessage(TImageShelf& shelf)
{
    Image picture;
    try {
        shelf.PickImage(picture);
    } catch (const ErrorMessage& e) {
        return e.what();
    }
    return "";
}

using ImageShelf = ::testing::Test;

TEST_F(ImageShelf, FolderListingShowsEveryEntryIncludingDotsAndHiddenFiles)
{
    TempFolder folder;
    folder.Write("a.txt", "text");
    folder.Write(".hidden", "");
    folder.Write("noext", "");
    std::filesystem::create_directory(folder / "sub");

    const std::vector<std::string> all{".", "..", ".hidden", "a.txt", "noext", "sub"};
    std::vector<std::string> names{"kept"};
    ListFiles(folder.Path(), &names);
    EXPECT_EQ(names.front(), "kept");
    names.erase(names.begin());
    EXPECT_EQ(Sorted(names), all);

    std::vector<std::string> withSlash;
    FindFiles(folder.Path() + "/", "*.*", &withSlash);
    EXPECT_EQ(withSlash, names);

    std::vector<std::string> texts;
    FindFiles(folder.Path(), "*.txt", &texts);
    EXPECT_EQ(texts, std::vector<std::string>{"a.txt"});

    std::vector<std::string> missing;
    FindFiles(folder / "absent", "*.*", &missing);
    EXPECT_TRUE(missing.empty());

    ListFiles(folder.Path(), nullptr);
}

TEST_F(ImageShelf, PictureExtensionsAreRecognisedInAnyCase)
{
    for (const char* name : {"a.bmp", "A.JPG", "b.Png", "c.jpeg", ".png", "x.txt.PNG", "p.HEIC",
                             "p.heif", "p.Avif", "p.webp", "p.TIF", "p.tiff"}) {
        EXPECT_TRUE(TImageShelf::IsImageFile(name)) << name;
    }
    for (const char* name : {"c.gif", "a.png.txt", "png", "a.", "a.jpe", "a.bmpx", "a.tifff", ""}) {
        EXPECT_FALSE(TImageShelf::IsImageFile(name)) << name;
    }
}

TEST_F(ImageShelf, CandidatesAreFullPathsInListingOrder)
{
    TempFolder folder;
    folder.CopyIn(kJpeg, "A.JPG");
    folder.CopyIn(kPng, "b.Png");
    folder.CopyIn(kJpeg, "c.gif");
    folder.Write("d.txt", "");

    std::vector<std::string> expected;
    ListFiles(folder.Path(), &expected);
    std::erase_if(expected, [](const std::string& name) { return !TImageShelf::IsImageFile(name); });
    for (std::string& name : expected) {
        name = folder / name;
    }
    const TImageShelf shelf(folder.Path());
    EXPECT_EQ(shelf.Files, expected);
    EXPECT_EQ(Sorted(shelf.Files), (std::vector<std::string>{folder / "A.JPG", folder / "b.Png"}));

    // A folder given with its trailing separator doubles it, which the file
    // system takes as one.
    TImageShelf slashed(folder.Path() + "/");
    ASSERT_EQ(slashed.Files.size(), 2u);
    EXPECT_EQ(slashed.Files[0].substr(0, folder.Path().size() + 2), folder.Path() + "//");
    Image picture;
    slashed.PickImage(picture);
    EXPECT_FALSE(picture.Empty());
}

TEST_F(ImageShelf, FolderWithoutPicturesIsAnError)
{
    TempFolder folder;
    folder.Write("a.txt", "text");
    std::filesystem::create_directory(folder / "sub");
    TImageShelf shelf(folder.Path());
    EXPECT_TRUE(shelf.Files.empty());
    EXPECT_EQ(PickMessage(shelf), "イメージファイルが存在しません。");

    TImageShelf missing(folder / "absent");
    EXPECT_EQ(PickMessage(missing), "イメージファイルが存在しません。");
}

TEST_F(ImageShelf, ContentDecidesTheDecoderWhateverTheName)
{
    TempFolder folder;
    folder.CopyIn(kPng, "x.jpg");
    TImageShelf shelf(folder.Path());
    Image picture;
    shelf.PickImage(picture);
    EXPECT_EQ(picture, LoadImageFile(kPng));
}

TEST_F(ImageShelf, UnreadableCandidatesAreDroppedSilently)
{
    TempFolder folder;
    folder.Write("a.bmp", "BM this is not a bitmap");
    folder.CopyIn(kPng, "b.png");
    std::filesystem::create_directory(folder / "dir.jpg");
    const Image expected = LoadImageFile(kPng);
    for (const std::uint32_t seed : {0u, 1u, 2u, 3u, 12345u, 0xFFFFFFFFu}) {
        const test::FixedSeed fixed(seed);
        TImageShelf shelf(folder.Path());
        ASSERT_EQ(shelf.Files.size(), 3u);
        Image picture;
        shelf.PickImage(picture);
        EXPECT_EQ(picture, expected) << "seed " << seed;
        EXPECT_GE(shelf.Files.size(), 1u);
    }

    std::filesystem::remove(folder / "b.png");
    TImageShelf broken(folder.Path());
    EXPECT_EQ(PickMessage(broken), "イメージファイルが存在しません。");
    EXPECT_TRUE(broken.Files.empty());
}

TEST_F(ImageShelf, TheDrawnPositionComesFromTheSharedGenerator)
{
    TempFolder folder;
    folder.CopyIn(kPng, "p.png");
    folder.CopyIn(kJpeg, "j.jpg");
    folder.CopyIn(kBmp, "b.bmp");
    for (const std::uint32_t seed : {7u, 8u, 99u, 4000000000u}) {
        TImageShelf shelf(folder.Path());
        rng::SetSeed(seed);
        const std::string expected = shelf.Files[rng::Random(3)];
        const test::FixedSeed fixed(seed);
        Image picture;
        shelf.PickImage(picture);
        EXPECT_EQ(picture, LoadImageFile(expected)) << "seed " << seed;
    }
}

}  // namespace
}  // namespace qm
