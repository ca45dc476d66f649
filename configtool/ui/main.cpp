#include "common/filelocations.h"
#include "configtool/ui/setrixprogram.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Setrix"));
    const common::ProgramFolders files = common::locateProgramFolders(
        QCoreApplication::applicationDirPath(), QStringLiteral("setrix"), QStringLiteral("kelt.ini"));
    configtool::SetrixProgram program({files.settings, files.program, {}, files.userData});
    program.mainWindow().show();
    return app.exec();
}
