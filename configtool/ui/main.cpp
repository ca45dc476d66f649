#include "configtool/ui/setrixprogram.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Setrix"));
    configtool::SetrixProgram program;
    program.mainWindow().show();
    return app.exec();
}
