// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "DesktopFixture.h"
#include "app/pages/GalleryPage.h"
#include "app/window/HelpPage.h"
#include "app/pages/TMakeHtml.h"
#include "app/window/UDlgRotateNum.h"
#include "core/Language.h"
#include "gui/AboutBox.h"
#include "gui/ExtendedDialog.h"
#include "gui/HtmlDialog.h"
#include "gui/PreviewWindow.h"
#include "gui/RotateNumDialog.h"
#include "gui/RunProgress.h"
#include "support/TempFolder.h"
#include "tests/app/RecordingPlatform.h"

namespace qm::test {
namespace {

using enum ControlId;
using LanguageTest = DesktopFixture;

// The widest line of a caption as drawn, without its mnemonic marks.
int TextWidth(const QWidget* widget, QString text)
{
    text.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        widest = std::max(widest, widget->fontMetrics().horizontalAdvance(line));
    }
    return widest;
}

// What a button needs beside its text: the box of a check box or radio
// button and its spacing, or the icon of a push button.
int ButtonExtra(const QAbstractButton* button)
{
    const QStyle* style = button->style();
    if (button->inherits("QCheckBox")) {
        return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button) +
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, button);
    }
    if (button->inherits("QRadioButton")) {
        return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button) +
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, button);
    }
    return button->icon().isNull() ? 0 : button->iconSize().width() + 4;
}

// Every caption, group title and button text of the window is readable:
// its widget is wide enough for it and lies wholly inside the window, and
// in a language other than Japanese no Japanese text is left.
void ExpectTextsFit(QWidget* window, const QString& name)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window)) << name.toStdString();
    QApplication::processEvents();
    SaveScreenshot(window, name + QLatin1Char('.') + QString::fromStdString(ShownLanguage()));
    const QRegularExpression japanese(QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    const bool english = ShownLanguage() != "ja";
    auto check = [&](QWidget* widget, const QString& text, int needed) {
        if (text.isEmpty() || !widget->isVisibleTo(window)) {
            return;
        }
        const QString where = name + QStringLiteral(": ") + text;
        EXPECT_LE(needed, widget->width()) << where.toStdString();
        const QRect inWindow(widget->mapTo(window, QPoint(0, 0)), widget->size());
        EXPECT_TRUE(window->rect().contains(inWindow)) << where.toStdString();
        EXPECT_FALSE(english && japanese.match(text).hasMatch()) << where.toStdString();
    };
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        check(button, button->text(), TextWidth(button, button->text()) + ButtonExtra(button));
    }
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->wordWrap()) {
            check(label, label->text(), TextWidth(label, label->text()));
        }
    }
    for (QGroupBox* group : window->findChildren<QGroupBox*>()) {
        check(group, group->title(), TextWidth(group, group->title()));
    }
    EXPECT_FALSE(english && japanese.match(window->windowTitle()).hasMatch()) << name.toStdString();
}

TEST_F(LanguageTest, EveryWindowShowsItsTextsWhole)
{
    if (const char* expected = std::getenv("QM_TEST_LANGUAGE")) {
        ASSERT_EQ(ShownLanguage(), expected);
    }
    MainWindow& main = app_->Window();
    const std::function<void()> windows[] = {
        [&] { ExpectTextsFit(&main, QStringLiteral("main-window")); },
        [&] {
            Click(rdbJpeg);
            Click(chbHtml);
            app_->Model().Extended().LargeCuts = true;
            app_->Model().ExtendedSettingsChanged();
            ExpectTextsFit(&main, QStringLiteral("main-window-large-cuts"));
        },
        [&] {
            HtmlDialog dialog(app_->HtmlSettings(), app_->Desktop(), &main);
            dialog.show();
            ExpectTextsFit(&dialog, QStringLiteral("html-dialog"));
        },
        [&] {
            TfrmRotateNum model;
            RotateNumDialog dialog(model, app_->Desktop(), &main);
            dialog.show();
            ExpectTextsFit(&dialog, QStringLiteral("rotate-num-dialog"));
        },
        [&] {
            ExtendedDialog dialog(app_->ExtendedDialog(), app_->Desktop(), &main);
            dialog.show();
            ExpectTextsFit(&dialog, QStringLiteral("extended-dialog"));
        },
        [&] {
            AboutBox box(&main);
            box.show();
            ExpectTextsFit(&box, QStringLiteral("about-box"));
        },
        [&] {
            PreviewWindow& preview = main.Preview();
            Type(edtFileName, WritePicture(QStringLiteral("source.png"), 400, 300));
            Click(ckbBrightness);
            preview.show();
            ASSERT_TRUE(QTest::qWaitFor([&] { return preview.ShownTile().Width() > 0; }, 5000));
            ExpectTextsFit(&preview, QStringLiteral("preview-window"));
            preview.hide();
        },
        [&] {
            RunProgress progress;
            progress.Start(&main);
            QTest::qWait(RunProgress::kDelayMs + 50);
            progress.Step(1, 100, (folder_.path() + QStringLiteral("/image001.png")).toStdString());
            int dialogs = 0;
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QProgressDialog*>(window)) {
                    ExpectTextsFit(dialog, QStringLiteral("run-progress"));
                    ++dialogs;
                }
            }
            EXPECT_EQ(dialogs, 1);
            progress.Finish();
        },
    };
    for (const std::function<void()>& window : windows) {
        window();
    }
}

TEST_F(LanguageTest, IndexAndGalleryPagesSpeakTheLanguageShown)
{
    if (ShownLanguage() == "ja") {
        GTEST_SKIP() << "the Japanese pages are checked byte for byte by the run tests";
    }
    const std::string index = TMakeHtml().BuildPage(2, "image", "png");
    EXPECT_NE(index.find("<title>Index</title>\r\n"), std::string::npos);
    EXPECT_NE(index.find("<input type=\"button\" value=\"Close\" onClick="), std::string::npos);
    EXPECT_EQ(app_->HtmlSettings().Title(), "Index");
    const std::string gallery = BuildGalleryPage({{"image001.png", 32, 32}});
    for (const char* text : {"<html lang=\"en\">", "<title>Gallery</title>",
                             ">Single tile</button>", ">Back (Esc)</button>"}) {
        EXPECT_NE(gallery.find(text), std::string::npos) << text;
    }
}

TEST_F(LanguageTest, HelpButtonLooksForThePageInTheLanguageShownFirst)
{
    if (ShownLanguage() == "ja") {
        GTEST_SKIP() << "the Japanese lookup is checked by the main window's event tests";
    }
    TempFolder root;
    std::filesystem::create_directories(root / "bin");
    std::filesystem::create_directories(root / "share/quillmore");
    RecordingPlatform platform;
    platform.executableFolder = root / "bin/";
    root.Write("share/quillmore/Wodnu.html", "");
    OpenHelpPage(platform);
    root.Write("share/quillmore/Wodnu.en.html", "");
    OpenHelpPage(platform);
    root.Write("bin/Wodnu.en.html", "");
    OpenHelpPage(platform);
    EXPECT_EQ(platform.openedDocuments,
              (std::vector<std::string>{root / "share/quillmore/Wodnu.html",
                                        root / "share/quillmore/Wodnu.en.html",
                                        root / "bin/Wodnu.en.html"}));
}

}  // namespace
}  // namespace qm::test
