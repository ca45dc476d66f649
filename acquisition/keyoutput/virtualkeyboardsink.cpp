#include "acquisition/keyoutput/virtualkeyboardsink.h"

#include "acquisition/addedmessages.h"

#include "acquisition/keyoutput/keytable.h"
#include "acquisition/keyoutput/quorixkeymap.h"
#include "acquisition/keyoutput/waylandconnection.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <chrono>
#include <thread>

#include <sys/mman.h>
#include <unistd.h>

namespace acquisition {

namespace {

// The keymap as the compositor takes it: a file it can map.
int keymapFile(const QByteArray &keymap)
{
    const int fd = memfd_create("quorix-keymap", MFD_CLOEXEC);
    if (fd < 0)
        throw cannotType(added::noKeymapFile);
    qsizetype written = 0;
    while (written < keymap.size()) {
        const ssize_t n = ::write(fd, keymap.constData() + written, size_t(keymap.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            throw cannotType(added::keymapNotInMemory);
        }
        written += n;
    }
    return fd;
}

constexpr std::chrono::milliseconds kClientsBindKeyboard {500};

uint32_t milliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return uint32_t(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

} // namespace

bool VirtualKeyboardSink::offered()
{
    return WaylandConnection().keyboardManager() != nullptr;
}

VirtualKeyboardSink::VirtualKeyboardSink() : m_connection(std::make_unique<WaylandConnection>())
{
    if (!m_connection->keyboardManager())
        throw cannotType(added::noVirtualKeyboard);
    if (!m_connection->seat())
        throw cannotType(added::noSeat);
    const bool seatHadKeyboard = m_connection->seatHasKeyboard();
    const QByteArray keymap = quorixKeymap();
    const int fd = keymapFile(keymap);
    m_keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(m_connection->keyboardManager(),
                                                                          m_connection->seat());
    zwp_virtual_keyboard_v1_keymap(m_keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, uint32_t(keymap.size()));
    ::close(fd); // sent with the request once flushed; libwayland keeps its own copy
    // The compositor has the keymap before the first key.
    try {
        m_connection->sync();
    } catch (...) {
        zwp_virtual_keyboard_v1_destroy(m_keyboard);
        throw;
    }
    // A seat without a keyboard gets its first one from us, and the clients
    // only then ask for theirs: keys sent before they have one are lost.
    if (!seatHadKeyboard)
        std::this_thread::sleep_for(kClientsBindKeyboard);
}

VirtualKeyboardSink::~VirtualKeyboardSink()
{
    // Every key reaches the compositor before the keyboard goes: a keyboard
    // destroyed at once can take its last key with it.
    // A lost connection has nothing more to deliver.
    try {
        m_connection->sync();
    } catch (const common::UserError &) {
    }
    zwp_virtual_keyboard_v1_destroy(m_keyboard);
    try {
        m_connection->sync();
    } catch (const common::UserError &) {
    }
}

void VirtualKeyboardSink::press(Key key)
{
    const uint32_t code = keyRow(key).evdev;
    const uint32_t time = milliseconds();
    zwp_virtual_keyboard_v1_key(m_keyboard, time, code, WL_KEYBOARD_KEY_STATE_PRESSED);
    zwp_virtual_keyboard_v1_key(m_keyboard, time, code, WL_KEYBOARD_KEY_STATE_RELEASED);
    m_connection->flush();
}

void VirtualKeyboardSink::endValue()
{
    // The compositor has handled the value's keys before the cycle goes on.
    m_connection->sync();
}

// Once the compositor has answered, it has passed the keys on to the window
// with the focus: only then does that window's being idle say it took them.
void VirtualKeyboardSink::settle()
{
    m_connection->sync();
}

} // namespace acquisition
