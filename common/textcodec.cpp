#include "common/textcodec.h"

#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace common {

QString decodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder ansi("windows-1252");
    return ansi.decode(bytes);
}

QByteArray encodeWindows1252(const QString &text)
{
    QStringEncoder ansi("windows-1252");
    QByteArray out = ansi.encode(text);
    return out;
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace common
