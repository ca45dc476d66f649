#include "configtool/cablelist/cablelistfile.h"

#include "configtool/cablelist/cablerecord.h"

#include "common/filereading.h"
#include "common/textcodec.h"
#include "common/usererror.h"

#include <QFile>

namespace configtool {

QStringList readCableRecords(const QString &path)
{
    if (!QFile::exists(path))
        throw common::UserError::fileNotFound();
    const QByteArray bytes = common::readWholeFile(path);

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
