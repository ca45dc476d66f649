#pragma once

#include "common/addedtexts.h"
#include "common/usererror.h"

#include <QString>
#include <QStringList>

namespace acquisition {

// The keys the acquisition program types: keypad keys for the characters of a
// value, arrows for the cursor moves.
enum class Key {
    Numpad0, Numpad1, Numpad2, Numpad3, Numpad4,
    Numpad5, Numpad6, Numpad7, Numpad8, Numpad9,
    Decimal, Subtract, Add,
    Up, Down, Left, Right,
};

inline constexpr int keyCount = static_cast<int>(Key::Right) + 1;

// True for the keys that need Num Lock on to type their character.
bool isKeypadKey(Key key);

// Where typed keys go. Each press is one key-down then one key-up, with no
// modifier; a value's keys are bracketed by beginValue()/endValue() so a back
// end can prepare the keyboard once per value instead of once per key.
class KeySink {
public:
    virtual ~KeySink();
    // Gets ready to type before a run: connects, asks the desktop's permission.
    // Throws common::UserError naming what is missing; cheap once ready.
    virtual void prepare() {}
    virtual void press(Key key) = 0;
    virtual void beginValue() {}
    virtual void endValue() {}
    // True when the window taking the keys is one known to lose keys sent at
    // full speed, or cannot be known; asked before each value.
    virtual bool needsPace() { return false; }
    // Returns once the keys pressed so far have reached the display.
    virtual void settle() {}
    // "Stop" while keys wait for the desktop: until the next prepare(), a
    // wait for it gives up after a moment instead of the usual time, failing
    // the keys it did not take, so the window is idle at once.
    virtual void stopWaiting() {}
};

// "Impossible de taper les valeurs au clavier : " and the reason. The reason
// is kept as a language entry and its arguments so the window can show it in
// the current language; text() is the French one.
class CannotType : public common::UserError {
public:
    CannotType(const common::AddedText &reason, QStringList arguments);
    QString textIn(const common::AddedTexts &texts) const;

private:
    const common::AddedText *m_reason;
    QStringList m_arguments;
};

CannotType cannotType(const common::AddedText &reason, QStringList arguments = {});

// Brackets one value's keys; ends the value even when typing throws. end()
// reports a failure to finish the value; the destructor, on the way out of
// an error, cannot.
class ValueScope {
public:
    explicit ValueScope(KeySink &sink) : m_sink(sink) { m_sink.beginValue(); }
    ~ValueScope()
    {
        if (!m_open)
            return;
        try {
            m_sink.endValue();
        } catch (...) {
        }
    }
    void end()
    {
        m_open = false;
        m_sink.endValue();
    }
    ValueScope(const ValueScope &) = delete;
    ValueScope &operator=(const ValueScope &) = delete;

private:
    KeySink &m_sink;
    bool m_open = true;
};

} // namespace acquisition
