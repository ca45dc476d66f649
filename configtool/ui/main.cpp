#include "common/filelocations.h"
#include "common/rewriterecord.h"
#include "configtool/ui/setrixprogram.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Setrix"));
    const common::ProgramFolders files = common::locateProgramFolders(
        QCoreApplication::applicationDirPath(), QStringLiteral("setrix"), QStringLiteral("kelt.ini"));
    common::finishInterruptedRewrites(files.records);
    configtool::SetrixProgram program({files.settings, files.program, {}, files.userData, files.records});
    program.mainWindow().show();
    return app.exec();
}
