// SPDX-License-Identifier: MIT
#include "app/pages/UMakeHtml.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/pages/TMakeHtml.h"
#include "core/Errors.h"
#include "imageio/TemporaryFiles.h"
#include "support/SavedFiles.h"
#include "support/TempFolder.h"

namespace qm {

using test::FileBytes;
using test::TempFolder;

namespace {

// User and group id of "nobody".
constexpr uid_t kNobody = 65534;

// Code page 932 bytes of the Japanese texts on the page.
const std::string kIchiranCp932 = "\x88\xEA\x97\x97";                // 一覧
const std::string kTojiruCp932 = "\x95\xC2\x82\xB6\x82\xE9";        // 閉じる

std::string Lines(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// The lines before the first cell, with the title and pop-up size given.
std::string Head(const std::string& title, const std::string& width, const std::string& height,
                 const std::string& closeCaption)
{
    return Lines({
        "<html><head>",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">",
        "<script language=\"JavaScript\">",
        "<!--",
        "function showImage(img) {",
        "  imgwin = window.open('', \"img\", \"width=" + width + " height=" + height + "\");",
        "  imgwin.document.write('<html><head><title>image</title></head><body background=\"' + img + "
        "'\"><form><input type=\"button\" value=\"" + closeCaption +
            "\" onClick=\"window.close();\"></form></body></html>');",
        "  imgwin.document.close();",
        "}",
        "// -->",
        "</script>",
        "<style>",
        "<!--",
        "  td {",
        "    text-align: center;",
        "  }",
        "-->",
        "</style>",
        "<title>" + title + "</title>",
        "</head>",
        "<body>",
        "<table>",
        "<tr>",
    });
}

const std::string kTail = Lines({"</tr>", "</table>", "</body>", "</html>"});

THtmlParam Param(const TempFolder& out)
{
    THtmlParam param;
    param.ImageType = 1;
    param.Title = "一覧";
    param.NumOfCol = 5;
    param.Count = 7;
    param.Prefix = "image";
    param.OutDirectory = out.Path() + "/";
    param.HtmlFileName = "list.html";
    param.PopupWidth = 400;
    param.PopupHeight = 400;
    return param;
}

std::string MessageOf(const THtmlParam& param)
{
    try {
        MakeHtml(param);
    } catch (const ErrorMessage& e) {
        return e.what();
    }
    return "";
}

TEST(MakeHtml, SevenJpegImagesFiveToARow)
{
    TempFolder out;
    MakeHtml(Param(out));
    const std::string expected =
        Head(kIchiranCp932, "400", "400", kTojiruCp932) +
        Lines({
            "  <td><a href=\"\" onClick=\"showImage('image001.jpg'); return false;\"><img src=\"image001.jpg\" border=\"0\"></a><br>1</td>",
            "  <td><a href=\"\" onClick=\"showImage('image002.jpg'); return false;\"><img src=\"image002.jpg\" border=\"0\"></a><br>2</td>",
            "  <td><a href=\"\" onClick=\"showImage('image003.jpg'); return false;\"><img src=\"image003.jpg\" border=\"0\"></a><br>3</td>",
            "  <td><a href=\"\" onClick=\"showImage('image004.jpg'); return false;\"><img src=\"image004.jpg\" border=\"0\"></a><br>4</td>",
            "  <td><a href=\"\" onClick=\"showImage('image005.jpg'); return false;\"><img src=\"image005.jpg\" border=\"0\"></a><br>5</td>",
            "</tr><tr>",
            "  <td><a href=\"\" onClick=\"showImage('image006.jpg'); return false;\"><img src=\"image006.jpg\" border=\"0\"></a><br>6</td>",
            "  <td><a href=\"\" onClick=\"showImage('image007.jpg'); return false;\"><img src=\"image007.jpg\" border=\"0\"></a><br>7</td>",
        }) +
        kTail + "\r\n";
    EXPECT_EQ(FileBytes(out / "list.html"), expected);
}

TEST(MakeHtml, HundredPngImagesOneToARow)
{
    TempFolder out;
    THtmlParam param = Param(out);
    param.ImageType = 2;
    param.Count = 100;
    param.NumOfCol = 1;
    param.Prefix = "";
    param.PopupWidth = 0;
    param.PopupHeight = -5;
    param.Title = "Tiles <b>&amp;</b> \"more\"";
    MakeHtml(param);

    const std::string page = FileBytes(out / "list.html");
    const std::string head = Head(param.Title, "0", "-5", kTojiruCp932);
    ASSERT_EQ(page.substr(0, head.size()), head);
    const std::string cells = page.substr(head.size(), page.size() - head.size() - kTail.size() - 2);
    EXPECT_EQ(page.substr(page.size() - kTail.size() - 2), kTail + "\r\n");

    EXPECT_EQ(cells.substr(0, 120),
              "  <td><a href=\"\" onClick=\"showImage('001.png'); return false;\"><img src=\"001.png\" "
              "border=\"0\"></a><br>1</td>\r\n</tr><tr>\r\n");
    const std::string last =
        "</tr><tr>\r\n  <td><a href=\"\" onClick=\"showImage('100.png'); return false;\"><img "
        "src=\"100.png\" border=\"0\"></a><br>100</td>\r\n";
    EXPECT_EQ(cells.substr(cells.size() - last.size()), last);
    std::size_t breaks = 0;
    for (std::size_t at = cells.find("</tr><tr>"); at != std::string::npos;
         at = cells.find("</tr><tr>", at + 1)) {
        ++breaks;
    }
    EXPECT_EQ(breaks, 99u);
    EXPECT_NE(cells.find("showImage('042.png')"), std::string::npos);
}

TEST(MakeHtml, RowBreaksComeBeforeEachFullRow)
{
    TMakeHtml writer;
    const auto breaks = [&](int count) {
        const std::string page = writer.BuildPage(count, "p", "bmp");
        std::size_t n = 0;
        for (std::size_t at = page.find("</tr><tr>"); at != std::string::npos;
             at = page.find("</tr><tr>", at + 1)) {
            ++n;
        }
        return n;
    };
    EXPECT_EQ(breaks(5), 0u);
    EXPECT_EQ(breaks(6), 1u);
    EXPECT_EQ(breaks(10), 1u);
    EXPECT_EQ(breaks(11), 2u);
    writer.NumOfCol = 3;
    const std::string page = writer.BuildPage(4, "p", "bmp");
    EXPECT_NE(page.find("<br>3</td>\r\n</tr><tr>\r\n  <td><a href=\"\" onClick=\"showImage('p004.bmp')"),
              std::string::npos);
}

TEST(MakeHtml, RefusesBadSettingsWithoutWritingAFile)
{
    TempFolder out;
    THtmlParam param = Param(out);

    param.ImageType = 4;
    EXPECT_EQ(MessageOf(param), "invalid image type at MakeHtml()");
    param.ImageType = 0;
    param.Count = 0;
    EXPECT_EQ(MessageOf(param), "範囲チェックエラー。画像数[0]");
    param.Count = 1;
    param.NumOfCol = -2;
    EXPECT_EQ(MessageOf(param), "範囲チェックエラー。1行の画像数[-2]");
    param.NumOfCol = 5;
    param.Title = "Tiles 😀";
    EXPECT_EQ(MessageOf(param), "文字「😀」はShift_JISで書けないため、HTMLファイルを作成できません。");
    param.Title = "bad \xFF byte";
    EXPECT_EQ(MessageOf(param), "文字「\\xFF」はShift_JISで書けないため、HTMLファイルを作成できません。");
    EXPECT_TRUE(std::filesystem::is_empty(out.Path()));

    param.Title = "一覧";
    param.OutDirectory = out / "gone/";
    EXPECT_EQ(MessageOf(param),
              "ファイル \"" + param.OutDirectory + "list.html\". No such file or directory を作成できません");
}

TEST(MakeHtml, JapaneseTextIsWrittenInCodePage932)
{
    TempFolder out;
    THtmlParam param = Param(out);
    param.Title = "模様〜タイル①";
    MakeHtml(param);
    const std::string page = FileBytes(out / "list.html");
    // 模様 96 CD 97 6C, 〜 81 60, タイル 83 5E 83 43 83 8B, ① 87 40
    EXPECT_NE(page.find("<title>\x96\xCD\x97\x6C\x81\x60\x83\x5E\x83\x43\x83\x8B\x87\x40</title>\r\n"),
              std::string::npos);
    EXPECT_NE(page.find("value=\"" + kTojiruCp932 + "\""), std::string::npos);
    EXPECT_EQ(page.find("\xE9\x96\x89"), std::string::npos);  // no UTF-8 left
}

TEST(MakeHtml, ReplacesAnExistingLongerPage)
{
    TempFolder out;
    THtmlParam param = Param(out);
    std::filesystem::create_directory(out / "sub");
    param.HtmlFileName = "sub/index.html";
    out.Write("sub/index.html", std::string(20000, '~'));
    MakeHtml(param);
    const std::string page = FileBytes(out / "sub/index.html");
    EXPECT_EQ(page.substr(page.size() - 11), "</html>\r\n\r\n");
    EXPECT_EQ(page.find('~'), std::string::npos);
    EXPECT_LT(page.size(), 3000u);
}

// Folder permissions do not bind the superuser, so as root the page is
// written by a child process running as the ordinary user "nobody".
std::string MessageOfOrdinaryUser(const THtmlParam& param)
{
    if (::geteuid() != 0) {
        return MessageOf(param);
    }
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
        ::_exit(dropped && MessageOf(param).empty() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? "" : "the child could not write the page";
}

TEST(MakeHtml, FolderTakingNoNewFilesOverwritesTheExistingPageAndCutsItsTail)
{
    TempFolder out;
    out.Write("list.html", std::string(20000, '~'));
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown((out / "list.html").c_str(), kNobody, kNobody), 0);
    }
    ASSERT_EQ(::chmod(out.Path().c_str(), 0555), 0);
    const THtmlParam param = Param(out);
    const std::string message = MessageOfOrdinaryUser(param);
    ::chmod(out.Path().c_str(), 0755);
    EXPECT_EQ(message, "");
    const std::string page = FileBytes(out / "list.html");
    EXPECT_EQ(page.substr(page.size() - 11), "</html>\r\n\r\n");
    EXPECT_EQ(page.find('~'), std::string::npos);
}

// A symbolic link planted where the page goes, or at the name of a
// temporary file, is never written through; the page gets the mode 0666
// less the umask.
TEST(MakeHtml, PlantedLinksAreNeverWrittenThrough)
{
    TempFolder out;
    TempFolder elsewhere;
    const std::string victim = elsewhere / "victim";
    elsewhere.Write("victim", "kept");
    THtmlParam param = Param(out);
    std::filesystem::create_symlink(victim, out / "list.html");
    const mode_t umask = ::umask(027);
    MakeHtml(param);
    ::umask(umask);
    struct stat info {};
    ASSERT_EQ(::lstat((out / "list.html").c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    // No temporary file fits beside a name this long, and the link there is
    // not overwritten in its place.
    param.HtmlFileName = std::string(245, 'p');
    std::filesystem::create_symlink(victim, out / param.HtmlFileName);
    EXPECT_EQ(MessageOf(param),
              "ファイル \"" + out / param.HtmlFileName + "\". File name too long を作成できません");
    std::filesystem::create_symlink(victim, out / "list.html.tmp-1-2");
    EXPECT_EQ(CreateRecordedTemporary(out / "list.html.tmp-1-2"), -1);
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(FileBytes(victim), "kept");
}

// A disk that fills while the page is written, as a file-size limit of a
// child process: the old page keeps every byte, whether the new page went
// to a temporary file or, when the folder can give it no temporary file (a
// name too long for one), over the old page in place.
TEST(MakeHtml, AFailedWriteLeavesTheOldPageWhole)
{
    for (const std::string& name : {std::string("list.html"), std::string(245, 'p')}) {
        TempFolder out;
        const std::string old(1000, '~');
        out.Write(name, old);
        THtmlParam param = Param(out);
        param.Count = 100;  // about 11 KB
        param.HtmlFileName = name;
        const pid_t child = ::fork();
        if (child == 0) {
            const rlimit limit{3000, 3000};
            ::signal(SIGXFSZ, SIG_IGN);
            const bool limited = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
            const std::string expected = "ファイル \"" + out / name + "\". File too large を作成できません";
            ::_exit(limited && MessageOf(param) == expected ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << name.size();
        EXPECT_EQ(FileBytes(out / name), old) << name.size();
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out.Path()), {}), 1) << name.size();
    }
}

}  // namespace
}  // namespace qm
