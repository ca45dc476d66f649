#include "common/addedtexts.h"

#include <algorithm>

namespace common {

AddedTexts::AddedTexts(std::span<const AddedText *const> table) : m_table(table) {}

int AddedTexts::lastLine() const
{
    int last = 0;
    for (const AddedText *entry : m_table)
        last = std::max(last, entry->line);
    return last;
}

void AddedTexts::apply(const QStringList &lines)
{
    m_applied.clear();
    for (const AddedText *entry : m_table) {
        const QString text = lines.value(entry->line - 1);
        if (!text.isEmpty())
            m_applied.insert(entry->line, text);
    }
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
