// SPDX-License-Identifier: MIT
#include "gui/CommandLine.h"

#include <cstdio>
#include <cstdlib>

#include <QCommandLineParser>

#include "core/Translate.h"

namespace qm {
namespace {

constexpr int kUsageError = 2;

[[noreturn]] void RefuseCommandLine(const QString& reason, const QCommandLineParser& parser)
{
    std::fputs(qPrintable(reason + QLatin1Char('\n') + parser.helpText()), stderr);
    std::exit(kUsageError);
}

}  // namespace

std::optional<std::string> PictureArgument(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QString::fromUtf8(T("画像から継ぎ目のない模様画像を作成します。\n"
                            "Makes seamless symmetric pattern tiles from a picture.")));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("picture"),
        QString::fromUtf8(T("元画像のファイル (ドロップしたファイルと同じ) / "
                            "source picture file, as if dropped on the window")),
        QStringLiteral("[picture]"));
    if (!parser.parse(arguments)) {
        RefuseCommandLine(parser.errorText(), parser);
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        parser.showHelp(0);
    }
    if (parser.isSet(version)) {
        parser.showVersion();
    }
    const QStringList pictures = parser.positionalArguments();
    if (pictures.size() > 1) {
        RefuseCommandLine(QString::fromUtf8(T("画像ファイルは一つだけ指定できます / "
                                              "only one picture file can be given")),
                          parser);
    }
    if (pictures.isEmpty()) {
        return std::nullopt;
    }
    return pictures.front().toStdString();
}

}  // namespace qm
