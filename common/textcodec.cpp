#include "common/textcodec.h"

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
    // The encoder writes 0x1A for what the code page lacks; encode one
    // character at a time so those become '?' as callers expect.
    QStringEncoder ansi("windows-1252");
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView piece = QStringView(text).mid(i, width);
        const QByteArray bytes = ansi.encode(piece);
        out += (bytes == "" && piece != u"") || bytes.isEmpty() ? QByteArray("?") : bytes;
        i += width - 1;
    }
    return out;
}

} // namespace common
