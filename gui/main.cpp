#include <QApplication>

#include "gui/DesktopApp.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    qm::SetUpApplication();
    qm::DesktopApp desktop;
    desktop.Window().show();
    return QApplication::exec();
}
