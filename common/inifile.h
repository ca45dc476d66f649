#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace common {

// The contents of one INI file, loaded once and read many times.
//
// Sections and keys match case-insensitively; the first matching section and
// the first matching key win. Lines starting with ';' or '#', blank lines,
// lines before the first section and lines that are neither a section nor a
// key are kept byte for byte and otherwise ignored. Section and key names
// given by callers must not hold line breaks, and a key must not hold '='.
// Each line reads as UTF-8 when it is valid UTF-8, else as Windows-1252; a
// leading byte order mark is ignored and kept.
class IniFile {
public:
    explicit IniFile(const QByteArray &contents = {});

    // A missing or unreadable file reads as an empty one.
    static IniFile load(const QString &path);

    // The value trimmed of blanks, without one pair of enclosing quotes (' or "),
    // at most 2047 characters. An empty value is returned as such, not as the default.
    QString readString(const QString &section, const QString &key,
                       const QString &defaultValue = {}) const;

    // Decimal, or hexadecimal after "0x" or "$", with an optional sign, as
    // common::toInteger reads it. Anything else, "12abc" included, gives the
    // default: a half-read number would be a wrong setting.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;

    // Changes only the key's own line, or adds the key at the end of its section,
    // or the section at the end of the file. Line breaks in the value become blanks.
    // The text is stored unaltered: one that the file's code page lacks turns
    // the whole file into UTF-8, every line still reading as before.
    void writeString(const QString &section, const QString &key, const QString &value);

    QByteArray contents() const;

private:
    struct Location;
    Location locate(const QString &section, const QString &key) const;
    static QString decode(const QByteArray &bytes);
    QByteArray encode(const QString &text);
    bool isUtf8File() const;
    void convertToUtf8();
    QByteArray lineEnd() const;

    QList<QByteArray> m_lines; // each with its own line end, if any
    bool m_byteOrderMark = false;
};

// One operation per call, like the system's profile calls: the file is read,
// changed and replaced within the call (common::replaceFile). A refused or
// failed write throws UserError::cannotWrite(path) and leaves the old file as
// it was. recordFolder: see replaceFile.
void writeIniString(const QString &path, const QString &section, const QString &key,
                    const QString &value, const QString &recordFolder = {});
void writeIniInteger(const QString &path, const QString &section, const QString &key, int value,
                     const QString &recordFolder = {});

} // namespace common
