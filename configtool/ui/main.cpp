#include "common/commandline.h"
#include "common/filelocations.h"
#include "common/rewriterecord.h"
#include "configtool/ui/setrixprogram.h"

#include <QApplication>

namespace {

const common::ProgramDescription setrixCommand {
    QStringLiteral("setrix"),
    QStringLiteral("Setrix sets up a measuring-instrument multiplexer: finds it on the serial ports, reads\n"
                   "its instruments and programs their interface cables.\n"
                   "MUX_PORTS names the serial devices of COM1, COM2... (comma-separated).")};

} // namespace

int main(int argc, char *argv[])
{
    if (const auto answer = common::answerInfoOptions(common::argumentList(argc, argv), setrixCommand))
        return common::deliver(*answer);
    QApplication app(argc, argv);
    if (const auto answer = common::refuseLeftoverArguments(QCoreApplication::arguments(), setrixCommand))
        return common::deliver(*answer);
    QApplication::setApplicationName(QStringLiteral("Setrix"));
    // Ties the windows to the menu entry where the class is not enough (native Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("setrix"));
    const common::ProgramFolders files = common::locateProgramFolders(
        QCoreApplication::applicationDirPath(), QStringLiteral("setrix"), QStringLiteral("kelt.ini"));
    common::finishInterruptedRewrites(files.records);
    configtool::SetrixProgram program({files.settings, files.program, {}, files.userData, files.records});
    program.mainWindow().show();
    return app.exec();
}
