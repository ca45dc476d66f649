#include "acquisition/keysink.h"

namespace acquisition {

KeySink::~KeySink() = default;

int virtualKeyCode(Key key)
{
    switch (key) {
    case Key::Decimal: return 0x6E;
    case Key::Subtract: return 0x6D;
    case Key::Add: return 0x6B;
    case Key::Up: return 0x26;
    case Key::Down: return 0x28;
    case Key::Left: return 0x25;
    case Key::Right: return 0x27;
    default: return 0x60 + static_cast<int>(key) - static_cast<int>(Key::Numpad0);
    }
}

common::UserError cannotType(const QString &reason)
{
    return common::UserError(
        QStringLiteral("Impossible de taper les valeurs au clavier : %1").arg(reason));
}

bool isKeypadKey(Key key)
{
    return key < Key::Up;
}

} // namespace acquisition
