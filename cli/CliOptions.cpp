// SPDX-License-Identifier: MIT
#include "cli/CliOptions.h"

#include <CLI/CLI.hpp>

#include "app/Replay.h"
#include "app/TextToInt.h"
#include "app/UDlgHtml.h"
#include "core/Format.h"
#include "core/Translate.h"
#include "engine/MethodCatalogue.h"

namespace qm {
namespace {

std::string MethodNames()
{
    std::string names;
    for (const MethodInfo& method : BuiltinMethods()) {
        names += names.empty() ? "" : ", ";
        names += method.cliName;
    }
    return names;
}

}  // namespace

std::optional<int> MethodItemOfName(const std::string& name)
{
    int item = 0;
    for (const MethodInfo& method : BuiltinMethods()) {
        if (name == method.cliName || name == method.itemText) {
            return item;
        }
        ++item;
    }
    return std::nullopt;
}

void DeclareCliOptions(CLI::App& app, CliOptions& o)
{
    auto* file = app.add_option("--file", o.file,
                                T("元画像のファイル (既定) / source picture file (default)"))
                     ->type_name("PATH");
    auto* folder = app.add_option("--folder", o.folder,
                                  T("このフォルダの画像から1枚を無作為に使う / take one picture "
                                    "of this folder at random"))
                       ->type_name("DIR");
    auto* clipboard = app.add_flag("--clipboard", o.clipboard,
                                   T("クリップボードの画像を使う / take the clipboard's picture"));
    file->excludes(folder, clipboard);
    folder->excludes(clipboard);

    auto* method =
        app.add_option_function<std::string>(
               "--method", [&o](const std::string& name) { o.methodItem = MethodItemOfName(name); },
               Format(T("変換方法 (一覧の名前も可: 万華鏡風 など) / pattern method: %s "
                        "(既定/default kaleidoscope)"),
                      {MethodNames()}))
            ->type_name("NAME")
            ->check(CLI::Validator(
                [](std::string& name) {
                    return MethodItemOfName(name) ? std::string() : "unknown method " + name;
                },
                ""));
    app.add_option("--rotate", o.dialogs.rotateNum,
                   T("歪四角の変換値 2～20 (distorted-square のみ) / rotate number 2 to 20 of "
                     "distorted-square"))
        ->type_name("K");
    auto* plugin = app.add_option("--plugin", o.plugin,
                                  T("外部変換のライブラリ / plug-in method library (.so)"))
                       ->type_name("LIB");
    plugin->excludes(method);

    app.add_option("--size", o.size, T("切り抜く縦のサイズ (偶数 32～256) / cut height, even, 32 to 256"))
        ->type_name("N");
    app.add_option("--width", o.width,
                   T("切り抜く横のサイズ (rectangle, none のみ) / cut width (rectangle and none "
                     "only)"))
        ->type_name("N");
    app.add_option("--count", o.count, T("作成枚数 1～100 / number of tiles, 1 to 100"))
        ->type_name("N");
    app.add_option("--prefix", o.prefix, T("出力ファイル名の先頭 / start of the file names"))
        ->type_name("P");
    app.add_option("--format", o.format, T("出力ファイルタイプ / output type (bmp)"))
        ->type_name("TYPE")
        ->transform(CLI::IsMember({"bmp", "jpeg", "jpg", "png", "tiff", "tif"}, CLI::ignore_case));
    // The window would take any number and move its scroll bar to the
    // nearest end; a command line that names another number is refused.
    // --quality needs --format except with --replay (see RequireFormatForQuality).
    app.add_option("--quality", o.quality, T("Jpegの品質 1～100 (--format jpeg) / JPEG quality"))
        ->type_name("Q")
        ->check(CLI::Validator(
            [](std::string& text) {
                const std::optional<std::int32_t> quality = TextToInt(text);
                return quality && *quality >= 1 && *quality <= 100
                           ? std::string()
                           : T("品質は1～100の整数を指定して下さい / the quality must be a "
                               "whole number from 1 to 100");
            },
            ""));

    app.add_flag("--shuffle", o.shuffle, T("シャッフルする / shuffle the piece's pixels"));
    app.add_flag("--blur", o.blur, T("ぼかす / blur the source picture once"));
    app.add_flag("--brightness", o.brightness, T("明るさ変更 / vary the brightness of every tile"));
    app.add_flag("--large", o.large,
                 T("大きな切り抜き（最大2048） / cuts up to 2048 pixels (built-in methods)"));
    app.add_option("--dpi", o.dpi, T("解像度 (dpi) 1～10000 / resolution the files record"))
        ->type_name("N");

    auto* html = app.add_flag("--html", o.html, T("HTMLを出力する / write an HTML index page"));
    // The defaults are those of the dialog, in the language of the run.
    const TfrmHtml page;
    app.add_option("--html-title", o.dialogs.htmlTitle,
                   Format(T("ページのタイトル / page title (%s)"), {page.edtTitle}))
        ->type_name("T")
        ->needs(html);
    app.add_option("--html-columns", o.dialogs.htmlColumns,
                   Format(T("1行あたりの画像数 / images per row (%s)"), {page.edtNumOfCol}))
        ->type_name("N")
        ->needs(html);
    app.add_option("--html-popup-width", o.dialogs.htmlPopupWidth,
                   Format(T("ポップアップウィンドウの幅 / pop-up width (%s)"), {page.edtSizeWidth}))
        ->type_name("W")
        ->needs(html);
    app.add_option("--html-popup-height", o.dialogs.htmlPopupHeight,
                   Format(T("ポップアップウィンドウの高さ / pop-up height (%s)"),
                          {page.edtSizeHeight}))
        ->type_name("H")
        ->needs(html);
    app.add_option("--html-file", o.dialogs.htmlFileName,
                   Format(T("HTMLのファイル名 / page file name (%s)"), {page.edtFileName}))
        ->type_name("NAME")
        ->needs(html);

    app.add_option("--fit", o.fit,
                   T("写真を縮小: 切り抜きの長辺が写真の短辺の P % になるまで縮小 / scale the "
                     "picture down until the cut's longer side is P % of its shorter side (1 to 100)"))
        ->type_name("P");
    app.add_option("--skip-flat", o.skipFlat,
                   T("単調な切り抜きを避ける: 輝度から最もよく合う平面を引いた標準偏差が LEVEL "
                     "未満の切り抜きを引き直す / draw again a piece whose luminance, less its "
                     "best-fitting plane, varies by a standard deviation below LEVEL (0 to 255, "
                     "default 12)"))
        ->type_name("[LEVEL]")
        ->expected(0, 1);
    app.add_flag("--no-auto-orient", o.noAutoOrient,
                 T("撮影時の向きに回転しない / ignore the camera's orientation tag"));

    app.add_flag("--no-color-convert", o.noColourConvert,
                 T("色を sRGB に合わせない: 色プロファイルを無視して読んだ値のまま使う / use the "
                   "decoded colours as they are, ignoring the picture's colour profile"));
    auto* colourTags =
        app.add_flag("--color-tags", o.colourTags,
                     T("sRGB を記録する: PNG に sRGB チャンク、JPEG と TIFF に sRGB プロファイル / "
                       "tag the tiles as sRGB: an sRGB chunk in PNG, the sRGB profile in JPEG "
                       "and TIFF"));
    app.add_flag("--keep-profile", o.keepProfile,
                 T("元のプロファイルを残す: RGB の画像は変換せず、そのプロファイルを PNG, JPEG, "
                   "TIFF に埋め込む / leave RGB pictures unconverted and embed their own "
                   "profile in PNG, JPEG and TIFF tiles"))
        ->excludes(colourTags);
    app.add_option("--background", o.background,
                   T("透明部分の色 (#rrggbb) / colour the transparent parts are laid on "
                     "(#rrggbb)"))
        ->type_name("COLOR");

    app.add_option("--gallery", o.gallery,
                   T("ギャラリーページも書く / also write a gallery page (gallery.html)"))
        ->type_name("[NAME]")
        ->expected(0, 1);
    app.add_option("--contact-sheet", o.contactSheet,
                   T("一覧画像も書く / also write a contact sheet (<prefix>sheet.png)"))
        ->type_name("[FILE]")
        ->expected(0, 1);

    auto* out = app.add_option("--out", o.out,
                               T("ファイル出力先 (既定は元画像のフォルダ) / output folder (default: "
                                 "the source picture's folder)"))
        ->type_name("DIR");
    app.add_option("--batch", o.batch,
                   T("フォルダの画像ごとに1回ずつ作成し OUT/<名前>/ に出力 / one run per picture "
                     "of the folder, into OUT/<name>/"))
        ->type_name("DIR")
        ->needs(out)
        ->excludes(file, folder, clipboard);
    app.add_option("--seed", o.seed,
                   T("乱数の種を固定: 同じ指定なら同じ画素 (PNG の tIME は書いた時刻) / fixed "
                     "random seed: the same options give the same pixels (a PNG tile's tIME "
                     "chunk holds its time of writing)"))
        ->type_name("N");

    app.add_flag("--record", o.record,
                 T("作成記録を残す: <prefix>record.json / leave the run's record <prefix>record.json"));
    auto* replay = app.add_option("--replay", o.replay,
                                  T("作成記録から画像を作り直す / make tiles of a run record again"))
                       ->type_name("RECORD");
    app.add_option("--tiles", o.tiles,
                   T("作り直す画像の番号 (3,7,12-15、既定は全部) / tiles to make again (default all)"))
        ->type_name("LIST")
        ->needs(replay)
        ->check(CLI::Validator(
            [](std::string& text) {
                return ParseTileList(text) ? std::string()
                                           : T("番号は 3,7,12-15 のように指定して下さい / list "
                                               "tiles as 3,7,12-15");
            },
            ""));
    app.add_flag("--full-resolution", o.fullResolution,
                 T("縮小した写真の作成記録を元の解像度で作り直す / make a fitted run's tiles again "
                   "from the picture at its own size"))
        ->needs(replay);
    // A replay takes its settings from the record; only where and as what
    // it writes can be changed.
    for (CLI::Option* option : app.get_options()) {
        const std::string name = option->get_name();
        if (name != "--replay" && name != "--tiles" && name != "--out" && name != "--format" &&
            name != "--quality" && name != "--prefix" && name != "--help" && name != "--version" &&
            name != "--full-resolution") {
            replay->excludes(option);
        }
    }
}

void RequireFormatForQuality(const CLI::App& app, const CliOptions& options)
{
    if (!options.replay && options.quality && !options.format) {
        throw CLI::RequiresError(app.get_option("--quality")->get_name(),
                                 app.get_option("--format")->get_name());
    }
}

}  // namespace qm
