#include <QApplication>

#include "app/CleanStop.h"
#include "gui/DesktopApp.h"

int main(int argc, char* argv[])
{
    qm::InstallCleanStop();
    QApplication application(argc, argv);
    qm::SetUpApplication();
    qm::DesktopApp desktop;
    desktop.Window().show();
    return QApplication::exec();
}
