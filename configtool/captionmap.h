#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <span>

namespace configtool {

// Setrix reads this many lines of a language file.
inline constexpr int languageLineCount = 84;

// One place a language line goes: a window's control (e.g. "TForm1.btn_connexion"),
// a message text ("message.38") or a parity name ("parity.0"), with the text it
// holds before any language file is applied (empty when there is none).
struct CaptionEntry {
    int line;
    const char *target;
    const char *builtIn;
};

// The whole line map, in line order; a line may feed several targets, and the
// lines that are read and ignored have no entry.
std::span<const CaptionEntry> captionMap();

// The built-in text of a target; empty for an unknown one.
QString builtInCaption(const QString &target);

// Setters by target name, filled by the windows as they are created. Targets
// that no window registered (yet) are skipped when a language is applied.
class CaptionRegistry {
public:
    using Setter = std::function<void(const QString &)>;

    // False (and nothing stored) for a target the map does not know, so a
    // misspelt name cannot silently stay unset.
    bool add(const QString &target, Setter setter);
    // Adds the setter and gives the target its built-in text at once.
    bool addWithBuiltIn(const QString &target, Setter setter);
    bool has(const QString &target) const { return m_setters.contains(target); }

    // Gives every registered target its line, in line order. Missing lines
    // count as empty.
    void apply(const QStringList &lines) const;

private:
    QHash<QString, Setter> m_setters;
};

} // namespace configtool
