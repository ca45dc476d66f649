#include "acquisition/valuekeys.h"

#include <QList>

namespace acquisition {

std::optional<Key> keyForCharacter(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return static_cast<Key>(static_cast<int>(Key::Numpad0) + (u - u'0'));
    switch (u) {
    case u'.':
    case u',':
        return Key::Decimal;
    case u'-': return Key::Subtract;
    case u'+': return Key::Add;
    default: return std::nullopt;
    }
}

void typeValue(KeySink &sink, const QString &value)
{
    QList<Key> keys;
    for (QChar c : value) {
        if (const auto key = keyForCharacter(c))
            keys.append(*key);
    }
    // A value with nothing to type leaves the keyboard state alone.
    if (keys.isEmpty())
        return;
    ValueScope scope(sink);
    for (Key key : keys)
        sink.press(key);
    scope.end();
}

} // namespace acquisition
