#include "acquisition/keyoutput.h"
#include "acquisition/ui/ondo_pgm.h"
#include "acquisition/ui/quorixprogram.h"
#include "acquisition/addedmessages.h"
#include "acquisition/virtualkeyboardsink.h"
#include "acquisition/windowplatform.h"
#include "common/filelocations.h"
#include "common/usererror.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

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
    // The window goes to XWayland when it can, the keys through a Wayland sink.
    const acquisition::DisplayEnvironment displays = acquisition::DisplayEnvironment::current();
    const acquisition::WindowPlatform platform = acquisition::chooseWindowPlatform(displays);
    const bool onXWayland = platform.onXWayland;
    if (!platform.platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform.platform);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorix"));
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
