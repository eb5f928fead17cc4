// SPDX-License-Identifier: MIT
#include "gui/AboutBox.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/AppInfo.h"
#include "core/Translate.h"

namespace qm {
namespace {

constexpr int kPictureSide = 48;

QLabel* Picture(const char* name, const QString& resource)
{
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setPixmap(QPixmap(resource).scaled(kPictureSide, kPictureSide, Qt::KeepAspectRatio,
                                              Qt::SmoothTransformation));
    label->setFixedSize(kPictureSide, kPictureSide);
    return label;
}

QLabel* CentredLine(const char* name, const QString& text)
{
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QString::fromUtf8(T("ﾊﾞｰｼﾞｮﾝ情報")));

    QLabel* title = CentredLine("ProductName", QString::fromUtf8(kApplicationTitle));
    QFont titleFont = title->font();
    titleFont.setPixelSize(16);
    titleFont.setBold(true);
    title->setFont(titleFont);
    QLabel* version = CentredLine(
        "Version", QStringLiteral("Version ") + QString::fromUtf8(kApplicationVersion));

    auto* lines = new QVBoxLayout;
    lines->setSpacing(6);
    lines->addStretch(1);
    lines->addWidget(title);
    lines->addWidget(version);
    lines->addStretch(1);

    auto* panel = new QFrame;
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(12, 12, 12, 12);
    panelLayout->setSpacing(16);
    panelLayout->addWidget(Picture("ProgramIcon", QStringLiteral(":/quillmore.png")));
    panelLayout->addLayout(lines, 1);
    panelLayout->addWidget(Picture("TilePicture", QStringLiteral(":/about-tile.png")));

    auto* ok = new QPushButton(QStringLiteral("&OK"));
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    ok->setMinimumWidth(88);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(ok);
    buttonRow->addStretch(1);

    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(10, 10, 10, 10);
    whole->setSpacing(10);
    whole->addWidget(panel);
    whole->addLayout(buttonRow);
    panel->setMinimumWidth(260);
    whole->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* shown = screen()) {
        move(shown->availableGeometry().center() - rect().center());
    }
}

}  // namespace qm
