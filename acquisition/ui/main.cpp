#include "acquisition/ui/ondo_pgm.h"
#include "acquisition/ui/quorixprogram.h"
#include "acquisition/xtestkeysink.h"
#include "common/filelocations.h"
#include "common/ui/messages.h"
#include "common/usererror.h"

#include <QApplication>
#include <QDir>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorix"));
    std::unique_ptr<acquisition::XTestKeySink> keys;
    try {
        keys = std::make_unique<acquisition::XTestKeySink>();
    } catch (const common::UserError &error) {
        // Without a way to type, no value could ever reach the target.
        common::showError(nullptr, error.text());
        return 1;
    }
    const common::UserEnvironment user = common::UserEnvironment::current();
    const common::ProgramFolders files = common::locateProgramFolders(
        QCoreApplication::applicationDirPath(), QStringLiteral("quorix"), QStringLiteral("quorix.ini"), user);
    acquisition::QuorixProgram program(
        *keys, {files.settings, files.program, QDir(files.userData).filePath(QStringLiteral("journal"))});
    if (!program.mainWindow().muxFound())
        return 1;
    program.mainWindow().show();
    return QApplication::exec();
}
