#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <span>

namespace common {

class CaptionRegistry;

// A message of the program that its caption line map has no line for. It takes
// a language line of its own after the map's last one; a language file that
// lacks that line, or leaves it empty, leaves the French text in force, so a
// file written for an older version never shows an empty message.
struct AddedText {
    int line;
    const char16_t *french;
};

// Both programs' message for a serial port the user may not open; %1: its device.
inline constexpr char16_t portPermissionFrench[] =
    u"Accès refusé au port série %1 : ajoutez-vous au groupe dialout (sudo usermod -aG dialout $USER), "
    u"puis fermez votre session et rouvrez-la.";

// The current texts of a program's added messages, as the language files
// applied through a caption registry give them.
class AddedTexts {
public:
    // Every entry of the table must outlive this object (constants do).
    explicit AddedTexts(std::span<const AddedText *const> table);

    // Takes the table's lines from every language the registry applies from
    // now on; this object must outlive the registry's use.
    void registerIn(CaptionRegistry &registry);

    // The entry's text in the applied language, or its French text.
    QString text(const AddedText &entry) const;

    // The entry's text in a language file's lines, or its French text.
    static QString textIn(const QStringList &lines, const AddedText &entry);

private:
    std::span<const AddedText *const> m_table;
    QHash<int, QString> m_applied; // by line, as the last language gave it
};

} // namespace common
