#include "common/captiontable.h"

#include <algorithm>

namespace common {

namespace {

const CaptionLine *findLine(std::span<const CaptionLine> lines, const QString &target)
{
    for (const CaptionLine &entry : lines) {
        if (target == QLatin1String(entry.target))
            return &entry;
    }
    return nullptr;
}

} // namespace

int CaptionTable::languageLines() const
{
    int last = m_tableLines;
    for (const AddedText *entry : m_added)
        last = std::max(last, entry->line);
    return last;
}

bool CaptionTable::knows(const QString &target) const
{
    return findLine(m_lines, target) != nullptr;
}

QString CaptionTable::builtIn(const QString &target) const
{
    const CaptionLine *entry = findLine(m_lines, target);
    return entry ? QString::fromUtf16(entry->builtIn) : QString();
}

bool CaptionRegistry::add(const QString &target, Setter setter)
{
    if (!m_table.knows(target) || !setter)
        return false;
    m_setters[target].append(std::move(setter));
    return true;
}

bool CaptionRegistry::addWithBuiltIn(const QString &target, Setter setter)
{
    if (!add(target, setter))
        return false;
    setter(m_table.builtIn(target));
    return true;
}

void CaptionRegistry::addAdded(const AddedText &entry, Setter setter)
{
    m_added.append({&entry, std::move(setter)});
}

void CaptionRegistry::apply(const QStringList &lines) const
{
    for (const CaptionLine &entry : m_table.lines()) {
        const auto setters = m_setters.constFind(QLatin1String(entry.target));
        if (setters == m_setters.cend())
            continue;
        const QString text = lines.value(entry.line - 1);
        for (const Setter &setter : *setters)
            setter(text);
    }
    for (const auto &[entry, setter] : m_added)
        setter(AddedTexts::textIn(lines, *entry));
}

} // namespace common
