// SPDX-License-Identifier: MIT
#include "gui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "core/Language.h"

namespace qm {

void UseQtTexts()
{
    const std::string language = ShownLanguage();
    if (language == "en") {
        return;
    }
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_") + QString::fromStdString(language),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

}  // namespace qm
