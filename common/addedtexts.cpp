#include "common/addedtexts.h"

#include "common/captiontable.h"

namespace common {

AddedTexts::AddedTexts(std::span<const AddedText *const> table) : m_table(table) {}

void AddedTexts::registerIn(CaptionRegistry &registry)
{
    for (const AddedText *entry : m_table)
        registry.addAdded(*entry, [this, line = entry->line](const QString &text) { m_applied.insert(line, text); });
}

QString AddedTexts::text(const AddedText &entry) const
{
    return m_applied.value(entry.line, QString::fromUtf16(entry.french));
}

QString AddedTexts::textIn(const QStringList &lines, const AddedText &entry)
{
    const QString text = lines.value(entry.line - 1);
    return text.isEmpty() ? QString::fromUtf16(entry.french) : text;
}

} // namespace common
