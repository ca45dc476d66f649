#include "configtool/cablelist/startupcablelist.h"

#include "common/usererror.h"
#include "configtool/cablelist/cablelistdate.h"

#include <QFile>

namespace configtool {

QDate readStartupCableListDate(const QString &path)
{
    if (!QFile::exists(path))
        throw common::UserError::fileNotFound();
    const QString line = readFirstLine(path);
    const QDate date = cableListDate(line);
    if (!date.isValid())
        throw common::UserError::notADate(line);
    return date;
}

} // namespace configtool
