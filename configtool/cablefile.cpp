#include "configtool/cablefile.h"

#include "configtool/cablerecord.h"

#include "common/textcodec.h"
#include "common/usererror.h"

#include <QFile>
#include <QFileInfo>

namespace configtool {

QStringList readCableRecords(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        throw common::UserError::fileNotFound();
    // Opening a FIFO would wait for a writer that may never come.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        throw common::UserError::cannotOpen(path);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw common::UserError::cannotOpen(path);
    file.close();

    QStringList records;
    const QString text = common::decodeText(bytes);
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty())
            break;
        if (line.size() > LabelLength)
            records.append(line.toString());
    }
    return records;
}

} // namespace configtool
