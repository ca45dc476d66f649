#pragma once

#include "acquisition/keysink.h"

#include <QList>
#include <QString>

// Typed keys as one readable text: the value characters as themselves, the
// arrows as U, D, L, R.
inline QString keyText(const QList<acquisition::Key> &keys)
{
    using acquisition::Key;
    QString text;
    for (Key key : keys) {
        switch (key) {
        case Key::Decimal: text += u'.'; break;
        case Key::Subtract: text += u'-'; break;
        case Key::Add: text += u'+'; break;
        case Key::Up: text += u'U'; break;
        case Key::Down: text += u'D'; break;
        case Key::Left: text += u'L'; break;
        case Key::Right: text += u'R'; break;
        default: text += QChar(u'0' + (int(key) - int(Key::Numpad0))); break;
        }
    }
    return text;
}
