#include "userkeyboard.h"

#include "acquisition/keyoutput/waylandconnection.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <stdexcept>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

UserKeyboard::UserKeyboard(bool numLock) : m_connection(std::make_unique<acquisition::WaylandConnection>())
{
    xkb_context *context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
    const xkb_rule_names names {"evdev", "pc105", "us", "", ""};
    xkb_keymap *keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!keymap)
        throw std::runtime_error("no us keymap");
    char *text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    const std::string keymapText(text);
    free(text);
    const unsigned numLockMask = 1u << xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_NUM);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);

    const int fd = memfd_create("user-keymap", MFD_CLOEXEC);
    if (fd < 0 || ::write(fd, keymapText.c_str(), keymapText.size() + 1) != ssize_t(keymapText.size() + 1))
        throw std::runtime_error("cannot write the keymap");
    m_keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(m_connection->keyboardManager(),
                                                                          m_connection->seat());
    zwp_virtual_keyboard_v1_keymap(m_keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                   uint32_t(keymapText.size() + 1));
    ::close(fd);
    zwp_virtual_keyboard_v1_modifiers(m_keyboard, 0, 0, numLock ? numLockMask : 0, 0);
    m_connection->sync();
}

UserKeyboard::~UserKeyboard()
{
    zwp_virtual_keyboard_v1_destroy(m_keyboard);
    m_connection->sync();
}

void UserKeyboard::press(unsigned evdev)
{
    zwp_virtual_keyboard_v1_key(m_keyboard, 0, evdev, WL_KEYBOARD_KEY_STATE_PRESSED);
    zwp_virtual_keyboard_v1_key(m_keyboard, 0, evdev, WL_KEYBOARD_KEY_STATE_RELEASED);
    m_connection->sync();
}
