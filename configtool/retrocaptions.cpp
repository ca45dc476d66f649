#include "configtool/retrocaptions.h"

namespace configtool {

namespace {
QString genericCaption(const QString &generic, int digit)
{
    return generic + QLatin1Char(' ') + QString::number(digit);
}
} // namespace

QString RetroCaptions::caption(int digit) const
{
    const Item &item = m_items.at(digit);
    return item.filled ? item.text : genericCaption(m_generic, digit);
}

void RetroCaptions::setCaption(int digit, const QString &text)
{
    m_items.at(digit) = {text, !text.isEmpty()};
}

void RetroCaptions::applyGeneric(const QString &generic)
{
    m_generic = generic;
    for (int digit = 0; digit < count; ++digit) {
        Item &item = m_items[digit];
        if (!item.filled)
            item = {genericCaption(generic, digit), true};
    }
}

} // namespace configtool
