// SPDX-License-Identifier: MIT
#include "gui/CommandLine.h"

#include <cstdio>
#include <cstdlib>

#include <QCommandLineParser>

#include "app/AppInfo.h"
#include "core/ExecutableFolder.h"
#include "core/Language.h"
#include "core/Translate.h"

namespace qm {
namespace {

constexpr int kUsageError = 2;

// The options the program takes besides Qt's own: --help (also -h, -? and
// --help-all), --version (also -v) and one picture.
void DeclareOptions(QCommandLineParser& parser)
{
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("picture"), QString(), QStringLiteral("[picture]"));
}

// Where the help lines start, as in quillmore-cli --help.
constexpr std::size_t kHelpColumn = 30;

// "  name" and spaces up to the help column, a wide (three-byte) character
// taking two columns.
std::string Indented(const std::string& name)
{
    std::size_t columns = 2;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        columns += (byte & 0xC0) != 0x80 ? 1 : 0;
        columns += (byte & 0xF0) == 0xE0 ? 1 : 0;
    }
    return "  " + name + std::string(columns < kHelpColumn ? kHelpColumn - columns : 1, ' ');
}

// The usage in the language of the run, laid out as quillmore-cli's.
std::string HelpText()
{
    return std::string(T("Quillmore: 画像から継ぎ目のない模様画像を作成します。")) + "\n" +
           T("使い方: quillmore [オプション] [画像]") + "\n\n" +
           T("オプション:") + "\n" +
           Indented("-h, --help") + T("使い方を表示") + "\n" +
           Indented("-v, --version") + T("版を表示") + "\n\n" +
           T("引数:") + "\n" +
           Indented(T("画像")) + T("元画像のファイル (ドロップしたファイルと同じ)") + "\n";
}

[[noreturn]] void RefuseCommandLine(const QString& reason)
{
    std::fputs((reason.toStdString() + "\n" + HelpText()).c_str(), stderr);
    std::exit(kUsageError);
}

// Prints the usage or the version and ends the program when the command
// line asks for either.
void AnswerIfAsked(const QCommandLineParser& parser)
{
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(HelpText().c_str(), stdout);
        std::exit(0);
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("%s %s\n", kApplicationTitle, kApplicationVersion);
        std::exit(0);
    }
}

}  // namespace

void AnswerInformationOptions(int argc, const char* const* argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    QCommandLineParser parser;
    DeclareOptions(parser);
    // Qt's own options and mistakes are judged once the application is made.
    if (!parser.parse(arguments)) {
        return;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")) ||
        parser.isSet(QStringLiteral("version"))) {
        ChooseLanguage(ExecutableFolder());
        AnswerIfAsked(parser);
    }
}

std::optional<std::string> PictureArgument(const QStringList& arguments)
{
    QCommandLineParser parser;
    DeclareOptions(parser);
    if (!parser.parse(arguments)) {
        RefuseCommandLine(parser.errorText());
    }
    AnswerIfAsked(parser);
    const QStringList pictures = parser.positionalArguments();
    if (pictures.size() > 1) {
        RefuseCommandLine(QString::fromUtf8(T("画像ファイルは一つだけ指定できます / "
                                              "only one picture file can be given")));
    }
    if (pictures.isEmpty()) {
        return std::nullopt;
    }
    return pictures.front().toStdString();
}

}  // namespace qm
