// SPDX-License-Identifier: MIT
#include "DesktopFixture.h"

#include <unistd.h>

#include <QImage>
#include <QPainter>
#include <QTest>

namespace qm::test {
namespace {

// No desktop test may take longer; the process ends with SIGALRM then.
constexpr unsigned kTestSeconds = 60;

}  // namespace

void DesktopFixture::SetUp()
{
    alarm(kTestSeconds);
    ASSERT_TRUE(folder_.isValid());
    app_ = std::make_unique<DesktopApp>();
    MainWindow& window = app_->Window();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

void DesktopFixture::TearDown()
{
    app_.reset();
    alarm(0);
}

void DesktopFixture::Click(ControlId control)
{
    QWidget* widget = Widget(control);
    // Check boxes and radio buttons answer on their box and caption only,
    // which sit at the left of their cell.
    const bool checkable = Button(control) != nullptr && Button(control)->isCheckable();
    const QPoint at = checkable ? QPoint(8, widget->height() / 2) : widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
}

void DesktopFixture::Type(ControlId control, const QString& text)
{
    QLineEdit* edit = Edit(control);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

QString DesktopFixture::WritePicture(const QString& name, int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    QPainter painter(&picture);
    for (int y = 0; y < height; y += 8) {
        for (int x = 0; x < width; x += 8) {
            painter.fillRect(x, y, 8, 8, QColor((x * 3) & 255, (y * 5) & 255, (x + y) & 255));
        }
    }
    painter.end();
    const QString path = Temp(name);
    EXPECT_TRUE(picture.save(path));
    return path;
}

}  // namespace qm::test
