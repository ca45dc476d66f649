#include "tests/support/recordingkeysink.h"

namespace acquisition {

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
