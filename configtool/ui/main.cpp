#include "common/filelocations.h"
#include "configtool/ui/setrixprogram.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Setrix"));
    // Ties the windows to the menu entry where the class is not enough (native Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("setrix"));
    const common::ProgramFolders files = common::locateProgramFolders(
        QCoreApplication::applicationDirPath(), QStringLiteral("setrix"), QStringLiteral("kelt.ini"));
    configtool::SetrixProgram program({files.settings, files.program, {}, files.userData});
    program.mainWindow().show();
    return app.exec();
}
