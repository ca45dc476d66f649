#include "configtool/startupcablelist.h"

#include "common/usererror.h"
#include "configtool/cablelistdate.h"

#include <QFile>
#include <QFileInfo>

namespace configtool {

namespace {
// A date line is short; a huge first line must not be read whole.
constexpr qint64 maxDateLineBytes = 4096;
}

QDate readStartupCableListDate(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        throw common::UserError::fileNotFound();
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        throw common::UserError::cannotOpen(path);
    const QString line = firstLineOf(file.readLine(maxDateLineBytes));
    const QDate date = cableListDate(line);
    if (!date.isValid())
        throw common::UserError::notADate(line);
    return date;
}

} // namespace configtool
