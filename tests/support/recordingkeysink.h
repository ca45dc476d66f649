#pragma once

#include "acquisition/keysink.h"

#include <QList>
#include <QStringList>

namespace acquisition {

// Keeps every key instead of typing it, for tests and traces.
class RecordingKeySink : public KeySink {
public:
    void press(Key key) override;
    void beginValue() override;
    void endValue() override;

    const QList<Key> &keys() const { return m_keys; }
    // Two entries per key, "down 0x6D" then "up 0x6D".
    QStringList events() const;
    int valuesBegun() const { return m_valuesBegun; }
    int openValues() const { return m_openValues; }
    void clear();

private:
    QList<Key> m_keys;
    int m_valuesBegun = 0;
    int m_openValues = 0;
};

} // namespace acquisition
