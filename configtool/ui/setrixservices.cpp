#include "configtool/ui/setrixservices.h"

#include "configtool/captionmap.h"

#include <QCoreApplication>

namespace configtool {

namespace {
common::ProgramFolders setrixFiles(const SetrixFolders &folders)
{
    const QString own = QCoreApplication::applicationDirPath();
    return {folders.startDirectory.isEmpty() ? own : folders.startDirectory,
            folders.settingsDirectory.isEmpty() ? own : folders.settingsDirectory,
            folders.userDataDirectory, folders.recordDirectory};
}
} // namespace

SetrixServices::SetrixServices(muxlink::SerialPorts &ports, muxlink::EventPump &pump, muxlink::Clock &clock,
                               const SetrixFolders &folders)
    : link(ports, pump, clock),
      files(setrixFiles(folders)),
      settings(QStringLiteral("kelt.ini"), files.settings, files.records),
      today(folders.today ? folders.today : [] { return QDate::currentDate(); }),
      language(captionTable(), settings, files.program)
{
}

QString SetrixServices::cableListPath() const
{
    return files.dataFileToRead(QStringLiteral("cable.txt"));
}

QString SetrixServices::cableListUpdatePath() const
{
    return files.dataFileToWrite(QStringLiteral("cable.txt"));
}

} // namespace configtool
