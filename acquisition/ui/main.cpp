#include "acquisition/keyoutput.h"
#include "acquisition/ui/ondo_pgm.h"
#include "acquisition/ui/quorixprogram.h"
#include "acquisition/virtualkeyboardsink.h"
#include "common/filelocations.h"
#include "common/usererror.h"

#include <QApplication>
#include <QDir>

namespace {

// Compositors of the family that offers virtual keyboards give the keyboard
// to any window clicked, whatever it asks.
bool compositorFocusesOnClick()
{
    try {
        return acquisition::VirtualKeyboardSink::offered();
    } catch (const common::UserError &) {
        return false;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // A native Wayland window can neither stay above the others nor refuse the
    // focus: the window goes to XWayland, the keys through a Wayland sink.
    const bool onXWayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && !qEnvironmentVariableIsEmpty("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    if (onXWayland)
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorix"));
    // Ties the windows to the menu entry where the class is not enough (native Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("quorix"));
    // Quorix ends through its quit commands only, never because a dialog closed.
    QApplication::setQuitOnLastWindowClosed(false);
    const common::UserEnvironment user = common::UserEnvironment::current();
    const common::ProgramFolders files = common::locateProgramFolders(
        QCoreApplication::applicationDirPath(), QStringLiteral("quorix"), QStringLiteral("quorix.ini"), user);
    // Opened at the first "Lecture", which says so when there is no way to type.
    acquisition::SessionKeySink keys(common::SettingsFile(QStringLiteral("quorix.ini"), files.settings));
    acquisition::QuorixProgram program(
        keys, {files.settings, files.program, QDir(files.userData).filePath(QStringLiteral("journal"))});
    if (!program.mainWindow().muxFound())
        return 1;
    if (onXWayland && compositorFocusesOnClick())
        program.mainWindow().keepOutOfWindowManager();
    program.mainWindow().show();
    return QApplication::exec();
}
