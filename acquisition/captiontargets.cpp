#include "acquisition/captiontargets.h"

#include "acquisition/captionmap.h"

namespace acquisition {

void CaptionTargets::add(const QString &target, Setter setter)
{
    Q_ASSERT_X(isCaptionTarget(target), "CaptionTargets::add", qPrintable(target));
    m_setters.insert(target, std::move(setter));
}

void CaptionTargets::addAdded(const common::AddedText &entry, Setter setter)
{
    m_added.append({&entry, std::move(setter)});
}

void CaptionTargets::apply(const QStringList &lines) const
{
    for (const CaptionLine &entry : captionMap()) {
        const QString text = lines.value(entry.line - 1);
        const QString target = QString::fromUtf16(entry.target);
        for (auto it = m_setters.constFind(target); it != m_setters.cend() && it.key() == target; ++it)
            it.value()(text);
    }
    for (const auto &[entry, setter] : m_added)
        setter(common::AddedTexts::textIn(lines, *entry));
}

} // namespace acquisition
