// SPDX-License-Identifier: MIT
#include "gui/DesktopApp.h"

#include <QApplication>
#include <QIcon>

#include "app/AppInfo.h"
#include "app/window/TopLevelHandler.h"
#include "gui/Fonts.h"
#include "gui/QtTranslations.h"

// The pictures of the windows live in the gui library, which is linked
// statically: their resource table must be registered by hand.
static void RegisterGuiResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace qm {

DesktopApp::DesktopApp() : model_(platform_, frmHtml_),
      frmExtended_(model_.Extended()),
      window_(model_, platform_, frmExtended_)
{
    platform_.SetMainWindow(&window_);
    RunUserAction(platform_, [this] { model_.FormCreate(); });
}

void SetUpApplication()
{
    RegisterGuiResources();
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(kApplicationVersion));
    QApplication::setDesktopFileName(QStringLiteral("quillmore"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quillmore.png")));
    UseProgramFont();
    UseQtTexts();
}

}  // namespace qm
