#include "acquisition/keyoutput/keyoutput.h"
#include "acquisition/ui/ondo_pgm.h"
#include "acquisition/ui/quorixprogram.h"
#include "acquisition/addedmessages.h"
#include "acquisition/keyoutput/virtualkeyboardsink.h"
#include "acquisition/keyoutput/windowplatform.h"
#include "common/commandline.h"
#include "common/filelocations.h"
#include "common/rewriterecord.h"
#include "common/usererror.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace {

const common::ProgramDescription quorixCommand {
    QStringLiteral("quorix"),
    QStringLiteral("Quorix reads the instruments of a measuring-instrument multiplexer and types each value\n"
                   "into the window that has the keyboard focus, usually a spreadsheet.\n"
                   "MUX_PORTS names the serial devices of COM1, COM2... (comma-separated).")};

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
    if (const auto answer = common::answerInfoOptions(common::argumentList(argc, argv), quorixCommand))
        return common::deliver(*answer);
    // The window goes to XWayland when it can, the keys through a Wayland sink.
    const acquisition::DisplayEnvironment displays = acquisition::DisplayEnvironment::current();
    const acquisition::WindowPlatform platform = acquisition::chooseWindowPlatform(displays);
    const bool onXWayland = platform.onXWayland;
    if (!platform.platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform.platform);
    QApplication app(argc, argv);
    if (const auto answer = common::refuseLeftoverArguments(QCoreApplication::arguments(), quorixCommand))
        return common::deliver(*answer);
    QApplication::setApplicationName(QStringLiteral("Quorix"));
    // Ties the windows to the menu entry where the class is not enough (native Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("quorix"));
    // Quorix ends through its quit commands only, never because a dialog closed.
    QApplication::setQuitOnLastWindowClosed(false);
    const common::UserEnvironment user = common::UserEnvironment::current();
    const common::ProgramFolders files = common::locateProgramFolders(
        QCoreApplication::applicationDirPath(), QStringLiteral("quorix"), QStringLiteral("quorix.ini"), user);
    common::finishInterruptedRewrites(files.records);
    // Opened at the first "Lecture", which says so when there is no way to type.
    acquisition::SessionKeySink keys(common::SettingsFile(QStringLiteral("quorix.ini"), files.settings, files.records));
    acquisition::QuorixProgram program(
        keys, {files.settings, files.program, QDir(files.userData).filePath(QStringLiteral("journal")), files.records});
    if (!program.mainWindow().muxFound())
        return 1;
    keys.setUserAskedHook([&program](bool asking) { program.mainWindow().desktopAsking(asking); });
    keys.setNoticeHook([&program](const common::AddedText &text) { program.mainWindow().showAddedNotice(text); });
    if (onXWayland && compositorFocusesOnClick())
        program.mainWindow().keepOutOfWindowManager();
    program.mainWindow().show();
    if (platform.x11Unreachable) {
        std::fprintf(stderr, "Quorix: X display %s unreachable, native Wayland window\n", qPrintable(displays.x11Display));
        program.mainWindow().showAddedNotice(acquisition::added::x11WindowUnreachable, {displays.x11Display});
    }
    return QApplication::exec();
}
