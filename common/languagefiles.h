#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace common {

// Up to five language files; position k (1..5) is index k-1 of both lists.
struct LanguageList {
    QStringList paths;
    QStringList names; // file name without ".lng"
};

inline constexpr int maxLanguages = 5;

// The "*.lng" files of a directory (any case of the extension, hidden ones
// included, directories and special files skipped), sorted by file name so
// that a stored position names the same file from one run to the next; the
// first five are kept. betweenEntries runs between directory entries, so a
// window can keep serving its events.
LanguageList listLanguageFiles(const QString &directory,
                               const std::function<void()> &betweenEntries = {});

// The path at a position 1..5, or an empty text when the position is outside
// that range or holds no file.
QString languageFilePath(const LanguageList &languages, int position);

// The first count lines of a language file, untrimmed, lines missing at the
// end read as empty. UTF-16 with a byte-order mark, else UTF-8 or Windows-1252. Throws UserError::fileNotFound() for a missing file and
// UserError::cannotOpen(path) for one that cannot be read.
QStringList readLanguageLines(const QString &path, int count);

} // namespace common
