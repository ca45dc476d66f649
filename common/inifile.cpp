#include "common/inifile.h"

#include "common/filereading.h"
#include "common/filereplace.h"
#include "common/textcodec.h"
#include "common/integertext.h"
#include "common/usererror.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <optional>

namespace common {

namespace {

constexpr qsizetype maxTextLength = 2047;

struct ParsedLine {
    enum Kind { Other, Section, Key } kind = Other;
    QString name;
    QString value;
};

ParsedLine parseLine(const QString &line)
{
    const QString text = line.trimmed();
    ParsedLine parsed;
    if (text.isEmpty() || text.startsWith(u';') || text.startsWith(u'#'))
        return parsed;
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(u']');
        if (close > 0) {
            parsed.kind = ParsedLine::Section;
            parsed.name = text.mid(1, close - 1).trimmed();
        }
        return parsed;
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals > 0) {
        parsed.name = text.left(equals).trimmed();
        parsed.value = text.mid(equals + 1).trimmed();
        if (!parsed.name.isEmpty())
            parsed.kind = ParsedLine::Key;
    }
    return parsed;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isQuoted(const QString &value)
{
    return value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')
        && value.back() == value.front();
}

// What is stored must read back as the same text: blanks around it and
// enclosing quotes would otherwise be dropped by the reader.
QString storedForm(const QString &value)
{
    QString text = value;
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    if (text != text.trimmed() || isQuoted(text))
        return u'"' + text + u'"';
    return text;
}

QString cutToMaxLength(QString text)
{
    if (text.size() > maxTextLength) {
        text.truncate(maxTextLength);
        if (text.back().isHighSurrogate())
            text.chop(1);
    }
    return text;
}

const QByteArray byteOrderMark = "\xEF\xBB\xBF";

bool isAscii(const QByteArray &bytes)
{
    return std::none_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(bytes); // decoding happens on conversion only
    Q_UNUSED(decoded);
    return !utf8.hasError();
}

// Windows-1252 bytes that read back as exactly this text, if there are any.
std::optional<QByteArray> exactWindows1252(const QString &text)
{
    QStringEncoder ansi("windows-1252");
    QByteArray bytes = ansi.encode(text);
    if (ansi.hasError() || decodeText(bytes) != text)
        return std::nullopt;
    return bytes;
}

bool hasLineEnd(const QByteArray &line)
{
    return line.endsWith('\n');
}

QByteArray lineEndOf(const QByteArray &line)
{
    if (line.endsWith("\r\n"))
        return "\r\n";
    return hasLineEnd(line) ? "\n" : "";
}

QByteArray withoutLineEnd(const QByteArray &line)
{
    return line.left(line.size() - lineEndOf(line).size());
}

} // namespace

struct IniFile::Location {
    qsizetype sectionLine = -1;
    qsizetype keyLine = -1;
    qsizetype insertAt = -1; // where a new key of the section goes
    QString value;
};

IniFile::IniFile(const QByteArray &contents)
{
    // An editor's byte order mark is set aside whatever encoding the lines have.
    m_byteOrderMark = contents.startsWith(byteOrderMark);
    qsizetype start = m_byteOrderMark ? byteOrderMark.size() : 0;
    while (start < contents.size()) {
        qsizetype end = contents.indexOf('\n', start);
        end = end < 0 ? contents.size() : end + 1;
        m_lines.append(contents.mid(start, end - start));
        start = end;
    }
}

IniFile IniFile::load(const QString &path)
{
    return IniFile(tryReadWholeFile(path).value_or(QByteArray()));
}

QByteArray IniFile::contents() const
{
    return (m_byteOrderMark ? byteOrderMark : QByteArray()) + m_lines.join();
}

// Each line on its own: a file edited by hand may mix both encodings, and a
// write must not change how the other lines read.
QString IniFile::decode(const QByteArray &bytes)
{
    return decodeText(bytes);
}

bool IniFile::isUtf8File() const
{
    if (m_byteOrderMark)
        return true;
    bool utf8Text = false;
    for (const QByteArray &line : m_lines) {
        if (isAscii(line))
            continue;
        if (!isValidUtf8(line))
            return false;
        utf8Text = true;
    }
    return utf8Text;
}

void IniFile::convertToUtf8()
{
    for (QByteArray &line : m_lines) {
        if (!isValidUtf8(line))
            line = decode(withoutLineEnd(line)).toUtf8() + lineEndOf(line);
    }
}

// A file in the Windows code page, or of plain ASCII like the rest of the
// system's files, stays in it while the texts fit; a text that does not fit
// turns the whole file into UTF-8 rather than being stored altered.
QByteArray IniFile::encode(const QString &text)
{
    if (!isUtf8File()) {
        if (auto bytes = exactWindows1252(text))
            return *bytes;
        convertToUtf8();
    }
    return text.toUtf8();
}

QByteArray IniFile::lineEnd() const
{
    for (const QByteArray &line : m_lines) {
        if (hasLineEnd(line))
            return lineEndOf(line);
    }
    return "\r\n";
}

IniFile::Location IniFile::locate(const QString &section, const QString &key) const
{
    Location location;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const ParsedLine line = parseLine(decode(withoutLineEnd(m_lines.at(i))));
        if (line.kind == ParsedLine::Section) {
            if (location.sectionLine >= 0)
                break;
            if (sameName(line.name, section)) {
                location.sectionLine = i;
                location.insertAt = i + 1;
            }
            continue;
        }
        if (location.sectionLine < 0)
            continue;
        if (line.kind == ParsedLine::Key && sameName(line.name, key)) {
            location.keyLine = i;
            location.value = line.value;
            break;
        }
        if (!m_lines.at(i).trimmed().isEmpty())
            location.insertAt = i + 1;
    }
    return location;
}

QString IniFile::readString(const QString &section, const QString &key,
                            const QString &defaultValue) const
{
    const Location location = locate(section, key);
    if (location.keyLine < 0)
        return defaultValue;
    QString value = location.value;
    if (isQuoted(value))
        value = value.mid(1, value.size() - 2);
    return cutToMaxLength(value);
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    try {
        return toInteger(readString(section, key));
    } catch (const UserError &) {
        return defaultValue;
    }
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const Location location = locate(section, key);
    const QString stored = storedForm(value);
    if (location.keyLine >= 0) {
        const QByteArray old = m_lines.at(location.keyLine);
        const QString name = decode(old.left(old.indexOf('=') + 1));
        const QByteArray line = encode(name + stored);
        m_lines[location.keyLine] = line + lineEndOf(old);
    } else {
        const QByteArray end = lineEnd();
        auto terminateLineBefore = [&](qsizetype index) {
            if (index > 0 && !hasLineEnd(m_lines[index - 1]))
                m_lines[index - 1] += end;
        };
        const QByteArray keyLine = encode(key + u'=' + stored) + end;
        if (location.sectionLine >= 0) {
            terminateLineBefore(location.insertAt);
            m_lines.insert(location.insertAt, keyLine);
        } else {
            terminateLineBefore(m_lines.size());
            if (!m_lines.isEmpty() && !m_lines.back().trimmed().isEmpty())
                m_lines.append(end);
            m_lines.append(encode(u'[' + section + u']') + end);
            m_lines.append(keyLine);
        }
    }
    *this = IniFile(contents());
}

void writeIniString(const QString &path, const QString &section, const QString &key,
                    const QString &value, const QString &recordFolder)
{
    const QFileInfo info(path);
    const auto refused = [&] { return UserError::cannotWrite(info.absoluteFilePath()); };
    QByteArray old;
    // A file that cannot be read back in full must not be replaced by one
    // holding only the new key.
    if (info.exists() || info.isSymLink()) {
        auto bytes = tryReadWholeFile(path);
        if (!bytes)
            throw refused();
        old = *bytes;
    }
    IniFile ini(old);
    ini.writeString(section, key, value);
    if (!replaceFile(path, ini.contents(), recordFolder).ok())
        throw refused();
}

void writeIniInteger(const QString &path, const QString &section, const QString &key, int value,
                     const QString &recordFolder)
{
    writeIniString(path, section, key, QString::number(value), recordFolder);
}

} // namespace common
