#include "acquisition/ui/ondo_pgm.h"
#include "acquisition/ui/quorixprogram.h"
#include "acquisition/xtestkeysink.h"
#include "common/ui/messages.h"
#include "common/usererror.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorix"));
    // Quorix ends through its quit commands only, never because a dialog closed.
    QApplication::setQuitOnLastWindowClosed(false);
    std::unique_ptr<acquisition::XTestKeySink> keys;
    try {
        keys = std::make_unique<acquisition::XTestKeySink>();
    } catch (const common::UserError &error) {
        // Without a way to type, no value could ever reach the target.
        common::showError(nullptr, error.text());
        return 1;
    }
    acquisition::QuorixProgram program(*keys);
    if (!program.mainWindow().muxFound())
        return 1;
    program.mainWindow().show();
    return QApplication::exec();
}
