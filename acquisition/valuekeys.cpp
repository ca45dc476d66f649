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

std::optional<Key> keyForMove(int code)
{
    switch (code) {
    case 4: return Key::Up;
    case 5: return Key::Down;
    case 6: return Key::Left;
    case 7: return Key::Right;
    default: return std::nullopt;
    }
}

void pressMove(KeySink &sink, int code)
{
    if (const auto key = keyForMove(code))
        sink.press(*key);
}

static void pressRepeatedly(KeySink &sink, int step, Key forward, Key backward)
{
    const Key key = step > 0 ? forward : backward;
    // Counted in 64 bits: the magnitude of INT_MIN does not fit in an int.
    const long long count = step > 0 ? step : -static_cast<long long>(step);
    for (long long i = 0; i < count; ++i)
        sink.press(key);
}

void moveBy(KeySink &sink, int horizontal, int vertical)
{
    pressRepeatedly(sink, horizontal, Key::Right, Key::Left);
    pressRepeatedly(sink, vertical, Key::Down, Key::Up);
}

} // namespace acquisition
