#pragma once

#include "common/addedtexts.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <span>

namespace common {

// One place a language line goes: a window's control or a text the program
// shows (e.g. "TForm1.btn_connexion", "msg_quitter"), with the text it holds
// before any language file is applied (empty when there is none).
struct CaptionLine {
    int line;
    const char *target;
    const char16_t *builtIn;
};

// A program's language lines: the caption table proper (its first tableLines
// lines; a line may feed several targets, lines read and ignored have none)
// and the added messages after it.
class CaptionTable {
public:
    constexpr CaptionTable(std::span<const CaptionLine> lines, int tableLines,
                           std::span<const AddedText *const> added)
        : m_lines(lines), m_tableLines(tableLines), m_added(added)
    {
    }

    std::span<const CaptionLine> lines() const { return m_lines; }
    std::span<const AddedText *const> added() const { return m_added; }
    int tableLines() const { return m_tableLines; }
    // How many lines of a language file to read: the table's and the added messages'.
    int languageLines() const;

    bool knows(const QString &target) const;
    // The built-in text of a target; empty for an unknown one.
    QString builtIn(const QString &target) const;

private:
    std::span<const CaptionLine> m_lines;
    int m_tableLines;
    std::span<const AddedText *const> m_added;
};

// Setters by target name, filled by the windows and texts as they are created.
// A target may have several setters (the same name in two windows gets the
// same text in both); targets nobody registered are skipped.
class CaptionRegistry {
public:
    using Setter = std::function<void(const QString &)>;

    explicit CaptionRegistry(const CaptionTable &table) : m_table(table) {}
    CaptionRegistry(const CaptionRegistry &) = delete;
    CaptionRegistry &operator=(const CaptionRegistry &) = delete;

    const CaptionTable &table() const { return m_table; }

    // False (and nothing stored) for a target the table does not know, so a
    // misspelt name cannot silently stay unset.
    bool add(const QString &target, Setter setter);
    // Adds the setter and gives the target its built-in text at once.
    bool addWithBuiltIn(const QString &target, Setter setter);
    // An added message: a file that lacks its line or leaves it empty gives
    // its French text.
    void addAdded(const AddedText &entry, Setter setter);
    bool has(const QString &target) const { return m_setters.contains(target); }

    // Gives every registered target its line, in line order, then the added
    // messages theirs. lines[n - 1] is line n; missing lines count as empty.
    void apply(const QStringList &lines) const;

private:
    const CaptionTable &m_table;
    QHash<QString, QList<Setter>> m_setters;
    QList<std::pair<const AddedText *, Setter>> m_added;
};

} // namespace common
