#pragma once

#include "acquisition/configfile.h"
#include "acquisition/configvalues.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

namespace testsupport {

// Saves the configuration as `name` in a program folder and points the
// folder's quorix.ini at it; `moreSettings` follows as further CR LF lines.
inline bool writeQuorixStart(const QString &folder, const QString &name,
                             const acquisition::ConfigurationValues &values, const QByteArray &moreSettings = {})
{
    const QString configuration = QDir(folder).filePath(name);
    acquisition::ConfigurationFile().save(configuration, values);
    QFile ini(QDir(folder).filePath("quorix.ini"));
    if (!ini.open(QIODevice::WriteOnly))
        return false;
    ini.write("[FICHIER]\r\nQuorix=" + configuration.toUtf8() + "\r\n" + moreSettings);
    return ini.flush();
}

} // namespace testsupport
