#include "tests/support/recordingkeysink.h"

namespace acquisition {

namespace {

// The key's Windows virtual-key code (VK_NUMPAD0 ... VK_RIGHT), so recorded
// sequences read the same as on the original system.
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

} // namespace

void RecordingKeySink::press(Key key)
{
    m_keys.append(key);
}

void RecordingKeySink::beginValue()
{
    ++m_valuesBegun;
    ++m_openValues;
}

void RecordingKeySink::endValue()
{
    --m_openValues;
}

QStringList RecordingKeySink::events() const
{
    QStringList events;
    for (Key key : m_keys) {
        const QString code = QStringLiteral("0x%1")
            .arg(QString::number(virtualKeyCode(key), 16).toUpper().rightJustified(2, u'0'));
        events << QStringLiteral("down ") + code << QStringLiteral("up ") + code;
    }
    return events;
}

void RecordingKeySink::clear()
{
    m_keys.clear();
    m_valuesBegun = 0;
    m_openValues = 0;
}

} // namespace acquisition
