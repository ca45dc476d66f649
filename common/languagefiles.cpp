#include "common/languagefiles.h"

#include "common/filereading.h"
#include "common/textcodec.h"
#include "common/textlines.h"
#include "common/usererror.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringDecoder>

#include <algorithm>

namespace common {

namespace {

// Case-blind first, then exact, so the order never depends on the locale.
bool byFileName(const QString &a, const QString &b)
{
    const int blind = a.compare(b, Qt::CaseInsensitive);
    return blind != 0 ? blind < 0 : a < b;
}

QString languageName(const QString &fileName)
{
    return fileName.size() > 4 ? fileName.chopped(4) : fileName;
}

// A Windows editor's "Unicode" option saves UTF-16 with a byte-order mark;
// anything else is 8-bit text.
QString decodeLanguageText(const QByteArray &bytes)
{
    const bool little = bytes.startsWith("\xFF\xFE");
    if (little || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return utf16.decode(bytes.sliced(2));
    }
    return decodeText(bytes);
}

} // namespace

LanguageList listLanguageFiles(const QString &directory, const std::function<void()> &betweenEntries)
{
    // Files only: a fifo or device named *.lng would block or flood the reader.
    QDirIterator entries(directory, {QStringLiteral("*.lng")}, QDir::Files | QDir::Hidden);
    QStringList fileNames;
    while (entries.hasNext()) {
        if (!fileNames.isEmpty() && betweenEntries)
            betweenEntries();
        fileNames.append(entries.nextFileInfo().fileName());
    }
    std::sort(fileNames.begin(), fileNames.end(), byFileName);

    LanguageList languages;
    const QDir dir(directory);
    for (const QString &fileName : fileNames.mid(0, maxLanguages)) {
        languages.paths.append(dir.filePath(fileName));
        languages.names.append(languageName(fileName));
    }
    return languages;
}

QString languageFilePath(const LanguageList &languages, int position)
{
    if (position < 1 || position > languages.paths.size())
        return {};
    return languages.paths.at(position - 1);
}

QStringList readLanguageLines(const QString &path, int count)
{
    if (!QFile::exists(path))
        throw UserError::fileNotFound();
    QStringList lines = splitLines(decodeLanguageText(readWholeFile(path))).mid(0, std::max(count, 0));
    while (lines.size() < count)
        lines.append(QString());
    return lines;
}

} // namespace common
