#pragma once

#include "acquisition/keysink.h"

#include <array>

struct _XDisplay;

namespace acquisition {

// Types keys into the window with the keyboard focus through the X server's
// XTest extension, on a display connection of its own. Keypad keys type their
// character only while Num Lock is on, so each value locks Num Lock and the
// user's state is put back afterwards.
class XTestKeySink : public KeySink {
public:
    // Throws common::UserError when there is no X display, when XTest or XKB
    // is missing, or when the keyboard map lacks a key the program types.
    XTestKeySink();
    ~XTestKeySink() override;
    XTestKeySink(const XTestKeySink &) = delete;
    XTestKeySink &operator=(const XTestKeySink &) = delete;

    void press(Key key) override;
    void beginValue() override;
    void endValue() override;
    // LibreOffice, with the keyboard focus: it takes two presses of one key
    // in the same server millisecond for a held key and drops the second.
    bool needsPace() override;
    void settle() override;

private:
    void lockNumLock(bool on);

    _XDisplay *m_display = nullptr;
    std::array<unsigned char, keyCount> m_keycodes{};
    unsigned m_numLockMask = 0;
    int m_openValues = 0;
    bool m_unlockAtEnd = false;
};

} // namespace acquisition
