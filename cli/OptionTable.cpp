// SPDX-License-Identifier: MIT
#include "cli/OptionTable.h"

#include <algorithm>
#include <span>
#include <stdexcept>
#include <string_view>

#include "core/Format.h"
#include "core/Translate.h"
#include "engine/MethodCatalogue.h"

namespace qm {
namespace {

using enum OptionGroup;

// The options in the parser's order; the order of a group in --help.
const std::vector<OptionRow> kOptions = {
    {"--file", "", "PATH", Source, "", N_("元画像のファイル"), "source", "", "", false},
    {"--folder", "", "DIR", Source, "", N_("このフォルダの画像から1枚を無作為に使う"), "source",
     "", "", false},
    {"--clipboard", "", "", Source, "", N_("クリップボードの画像を使う"), "source", "", "", false},
    {"--method", "", "NAME", CutAndMethod, "kaleidoscope",
     N_("変換方法: %s、または一覧の名前 (万華鏡風 など)。壁紙群: %s (拡張設定「壁紙群の模様」を入れる)。"
        "list で全部の名前を表示"),
     "method", "", "", false},
    {"--rotate", "", "K", CutAndMethod, "3", N_("歪四角の変換値 2～20、distorted-square の時"), "",
     "", "", false},
    {"--plugin", "", "LIB", CutAndMethod, "", N_("外部変換のライブラリ (.so)"), "method", "", "",
     false},
    {"--size", "", "N", CutAndMethod, "32", N_("切り抜く縦のサイズ、偶数 32～256"), "", "", "",
     false},
    {"--width", "", "N", CutAndMethod, N_("縦のサイズ"),
     N_("切り抜く横のサイズ、rectangle と none の時"), "", "", "", false},
    {"--count", "", "N", Output, "1", N_("作成枚数 1～100"), "", "", "", false},
    {"--prefix", "", "P", Output, "image", N_("出力ファイル名の先頭"), "", "", "", true},
    {"--format", "", "TYPE", Output, "bmp", N_("出力ファイルタイプ: bmp、jpeg、png、tiff"), "", "", "",
     true},
    {"--quality", "", "Q", Output, "50", N_("JPEG の品質 1～100、--format jpeg の時"), "", "",
     "--format", true},
    {"--shuffle", "", "", Effects, "", N_("切り抜きの画素をシャッフルする"), "", "", "", false},
    {"--blur", "", "", Effects, "", N_("元画像を一度ぼかす"), "", "", "", false},
    {"--brightness", "", "", Effects, "", N_("画像ごとに明るさを変える"), "", "", "", false},
    {"--large", "", "", Extended, "", N_("大きな切り抜き、最大 2048 (組み込みの変換方法)"), "", "",
     "", false},
    {"--dpi", "", "N", Extended, "", N_("ファイルに記録する解像度 (dpi) 1～10000"), "", "", "",
     false},
    {"--layout", "", "NAME", Extended, "block",
     N_("リピートの型: block、half-drop (2W x H、右の列を H/2 下げる)、half-brick (W x 2H、"
        "下の行を W/2 ずらす)、mirror (2W x 2H、鏡像3枚と)"),
     "", "", "", false},
    {"--smooth", "", "[K]", Extended, "3",
     N_("なめらかな縁: K 倍 (2～4) の切り抜きから作って縮小する (組み込みの変換方法、シャッフルなし)"),
     "", "", "", false},
    {"--repeat-size", "", "SIZE", Extended, "",
     N_("リピートの大きさ W[xH]UNIT、UNIT は px、in、cm (in と cm には --dpi)"), "", "", "", false},
    {"--chroma", "", "444|420", Extended, "420",
     N_("JPEG の色の間引き: 444 (間引かない) か 420、--format jpeg の時"), "", "", "--format",
     true},
    {"--html", "", "", Page, "", N_("HTML の一覧ページを書く"), "", "", "", false},
    {"--html-title", "", "T", Page, N_("一覧"), N_("ページのタイトル"), "", "--html", "", false},
    {"--html-columns", "", "N", Page, "5", N_("1行に並べる画像の数"), "", "--html", "", false},
    {"--html-popup-width", "", "W", Page, "400", N_("ポップアップウィンドウの幅"), "", "--html",
     "", false},
    {"--html-popup-height", "", "H", Page, "400", N_("ポップアップウィンドウの高さ"), "",
     "--html", "", false},
    {"--html-file", "", "NAME", Page, "list.html", N_("HTML のファイル名"), "", "--html", "",
     false},
    {"--fit", "", "P", Extended, "",
     N_("写真を縮小: 切り抜きの長辺が写真の短辺の P % (1～100) になるまで。auto なら 10～60 % から選ぶ"), "", "", "", false},
    {"--skip-flat", "", "[LEVEL]", Extended, "12",
     N_("単調な切り抜きを引き直す: 輝度から最もよく合う平面を引いた標準偏差が LEVEL (0～255) "
        "未満のもの"),
     "", "", "", false},
    {"--at", "", "X,Y[:R]", Extended, "",
     N_("切り抜きの左上をここから R ピクセル以内 (R の既定は 0) に置く、X,Y は縮小後の写真の座標"),
     "", "", "", false},
    {"--colorways", "", "N", Extended, "",
     N_("配色違い: 画像ごとに色相を等分に回した N - 1 枚 (<prefix>NNN-c2 ～ -cN) も書く、N は 1～12"),
     "", "", "", false},
    {"--palette", "", "FILE", Extended, "",
     N_("パレット (GIMP の .gpl か 1行に1色 #rrggbb) の色に写した画像 <prefix>NNN-p も書く"), "",
     "", "", false},
    {"--no-auto-orient", "", "", Extended, "", N_("撮影時の向きに回転しない"), "", "", "", false},
    {"--no-color-convert", "", "", Extended, "",
     N_("色を sRGB に合わせない: 色プロファイルを無視して読んだ値のまま使う"), "", "", "", false},
    {"--color-tags", "", "", Extended, "",
     N_("sRGB を記録する: PNG に sRGB チャンク、JPEG と TIFF に sRGB プロファイル"), "colour tags",
     "", "", false},
    {"--keep-profile", "", "", Extended, "",
     N_("元のプロファイルを残す: RGB の画像は変換せず、そのプロファイルを PNG、JPEG、TIFF に埋め込む"),
     "colour tags", "", "", false},
    {"--background", "", "COLOR", Extended, "", N_("透明部分を塗る色 (#rrggbb)"), "", "", "", false},
    {"--gallery", "", "[NAME]", Extended, "gallery.html", N_("ギャラリーページも書く"), "", "", "",
     false},
    {"--contact-sheet", "", "[FILE]", Extended, "<prefix>sheet.png", N_("一覧画像も書く"), "", "",
     "", false},
    {"--out", "", "DIR", Output, N_("元画像のフォルダ"), N_("ファイルの出力先フォルダ"), "", "", "", true},
    {"--batch", "", "DIR", Batch, "", N_("フォルダの画像ごとに1回ずつ作成し OUT/<名前>/ に出力"),
     "source", "--out", "", false},
    {"--shard", "", "K/N|auto", Batch, "",
     N_("名前順の画像の K/N 番目の区切りだけを作成; auto は Slurm のジョブ配列か JOB_COMPLETION_INDEX から"),
     "", "--batch", "", false},
    {"--shard-count", "", "N", Batch, "", N_("--shard auto の区切りの数 (Kubernetes の Indexed Job)"), "",
     "--shard", "", false},
    {"--skip-existing", "", "", Batch, "", N_("タイルがすべて揃っている画像 (--record なら完了の作成記録も) は作成しない"),
     "", "--batch", "", false},
    {"--summary", "", "FILE", Batch, "",
     N_("一括作成の結果を JSON で書く (- は標準出力、{shard} は区切りの番号)"), "", "--batch", "",
     false},
    {"--gallery-of", "", "OUT", Batch, "",
     N_("一括作成の出力先 OUT の画像すべてのギャラリーページを書く (--gallery NAME のほかは指定不可)"),
     "", "", "", false},
    {"--seed", "", "N", Output, "",
     N_("乱数の種を固定: 同じ指定なら同じ画素 (PNG の tIME は書いた時刻)"), "", "", "", false},
    {"--record", "", "", Extended, "", N_("作成記録 <prefix>record.json を残す"), "", "", "",
     false},
    {kReplayOption, "", "RECORD", Replay, "", N_("作成記録から画像を作り直す"), "", "", "", true},
    {"--tiles", "", "LIST", Replay, N_("全部"), N_("作り直す画像の番号 (3,7,12-15)"), "",
     kReplayOption, "", true},
    {"--full-resolution", "", "", Replay, "",
     N_("縮小した写真の作成記録を元の解像度で作り直す"), "", kReplayOption, "", true},
    {"--help", "-h", "", Help, "", N_("使い方を表示"), "", "", "", true},
    {"--version", "", "", Help, "", N_("版を表示"), "", "", "", true},
};

std::string MethodNames(std::span<const MethodInfo> methods)
{
    std::string names;
    for (const MethodInfo& method : methods) {
        names += names.empty() ? "" : ", ";
        names += method.cliName;
    }
    return names;
}

// The names of the rows that pass, in table order, as one list.
template <typename Pass>
std::string NamesOf(Pass pass)
{
    std::string names;
    for (const OptionRow& row : kOptions) {
        if (pass(row)) {
            names += (names.empty() ? "" : T("、")) + std::string(row.name);
        }
    }
    return names;
}

}  // namespace

const std::vector<OptionRow>& OptionTable()
{
    return kOptions;
}

const OptionRow& OptionRowOf(const std::string& name)
{
    for (const OptionRow& row : kOptions) {
        if (name == row.name) {
            return row;
        }
    }
    throw std::out_of_range("no option " + name);
}

std::string GroupHeading(OptionGroup group)
{
    switch (group) {
    case Source: return T("元画像:");
    case CutAndMethod: return T("切り抜きと変換方法:");
    case Effects: return T("効果:");
    case Output: return T("出力:");
    case Page: return T("HTMLページ:");
    case Extended: return T("拡張設定:");
    case Batch: return T("一括作成:");
    case Replay: return T("作り直し:");
    case Help: return T("ヘルプ:");
    }
    return {};
}

std::string OptionHelp(const OptionRow& row)
{
    // The first %s stands for the methods' names, a second for the groups'.
    const std::string_view text(row.help);
    const std::size_t first = text.find("%s");
    const std::string help =
        first == std::string_view::npos ? std::string(T(row.help))
        : text.find("%s", first + 2) == std::string_view::npos
            ? Format(T(row.help), {MethodNames(BuiltinMethods())})
            : Format(T(row.help), {MethodNames(BuiltinMethods()), MethodNames(GroupMethods())});
    if (*row.defaultValue == '\0') {
        return help;
    }
    return Format(T("%s (既定: %s)"), {help, T(row.defaultValue)});
}

std::string OptionSynopsis(const OptionRow& row)
{
    std::string synopsis = *row.shortName == '\0' ? row.name : std::string(row.shortName) + "," + row.name;
    if (*row.argument != '\0') {
        synopsis += std::string(" ") + row.argument;
    }
    return synopsis;
}

std::vector<std::string> CombinationRules()
{
    std::vector<std::string> rules;
    std::vector<std::string> sets;
    for (const OptionRow& row : kOptions) {
        if (*row.oneOf != '\0' && std::find(sets.begin(), sets.end(), row.oneOf) == sets.end()) {
            sets.push_back(row.oneOf);
            rules.push_back(Format(T("%s のうち一つだけ指定できます。"),
                                   {NamesOf([&](const OptionRow& r) { return r.oneOf == sets.back(); })}));
        }
    }
    std::vector<std::string> needed;
    for (const OptionRow& row : kOptions) {
        if (*row.needs != '\0' && std::find(needed.begin(), needed.end(), row.needs) == needed.end()) {
            needed.push_back(row.needs);
            rules.push_back(Format(
                T("%s は %s と共に指定します。"),
                {NamesOf([&](const OptionRow& r) { return r.needs == needed.back(); }), row.needs}));
        }
    }
    for (const OptionRow& row : kOptions) {
        if (*row.needsUnlessReplay != '\0') {
            rules.push_back(Format(T("%s は %s と共に指定します (%s では不要)。"),
                                   {row.name, row.needsUnlessReplay, kReplayOption}));
        }
    }
    rules.push_back(Format(T("%s と共に指定できるのは %s だけです。"),
                           {kReplayOption, NamesOf([](const OptionRow& r) {
                                return r.withReplay && r.group != Help &&
                                       std::string_view(r.name) != kReplayOption;
                            })}));
    return rules;
}

}  // namespace qm
