// SPDX-License-Identifier: MIT
#include "gui/Fonts.h"

#include <QApplication>
#include <QStringList>

namespace qm {

QFont ProgramFont()
{
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                                 QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(12);
    return font;
}

void UseProgramFont()
{
    QApplication::setFont(ProgramFont());
}

}  // namespace qm
