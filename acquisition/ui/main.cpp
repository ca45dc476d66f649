#include "acquisition/keyoutput.h"
#include "acquisition/ui/ondo_pgm.h"
#include "acquisition/ui/quorixprogram.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorix"));
    // Opened at the first "Lecture", which says so when there is no way to type.
    acquisition::SessionKeySink keys(common::SettingsFile(QStringLiteral("quorix.ini")));
    acquisition::QuorixProgram program(keys);
    if (!program.mainWindow().muxFound())
        return 1;
    program.mainWindow().show();
    return QApplication::exec();
}
