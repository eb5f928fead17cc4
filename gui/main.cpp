#include <QApplication>

#include "gui/CommandLine.h"
#include "gui/DesktopApp.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    qm::SetUpApplication();
    const std::optional<std::string> picture = qm::PictureArgument(QApplication::arguments());
    qm::DesktopApp desktop;
    desktop.Window().show();
    if (picture) {
        desktop.Window().TakeFiles({*picture});
    }
    return QApplication::exec();
}
