// GlobalHotKey on X11: a passive key grab on every root window, once per combination of the
// lock modifiers (Caps Lock, Num Lock) that must not stop the key from working.
#include "shell/hotkey.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>

#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>
#include <vector>

namespace {

// Bits of a key event's state that are modifiers (the rest are pointer buttons).
constexpr uint16_t kModifierBits = 0xff;

std::vector<xcb_keycode_t> keycodesOf(xcb_key_symbols_t *symbols, xcb_keysym_t keysym)
{
    std::vector<xcb_keycode_t> codes;
    if (xcb_keycode_t *list = xcb_key_symbols_get_keycode(symbols, keysym)) {
        for (xcb_keycode_t *code = list; *code != XCB_NO_SYMBOL; ++code)
            codes.push_back(*code);
        std::free(list);
    }
    return codes;
}

// The modifier that Num Lock sets; servers differ, most use Mod2.
uint16_t numLockMask(xcb_connection_t *connection, xcb_key_symbols_t *symbols)
{
    const std::vector<xcb_keycode_t> numLock = keycodesOf(symbols, XK_Num_Lock);
    xcb_get_modifier_mapping_reply_t *reply = xcb_get_modifier_mapping_reply(
        connection, xcb_get_modifier_mapping(connection), nullptr);
    uint16_t mask = XCB_MOD_MASK_2;
    if (reply) {
        const xcb_keycode_t *map = xcb_get_modifier_mapping_keycodes(reply);
        const int perModifier = reply->keycodes_per_modifier;
        for (int modifier = 0; modifier < 8; ++modifier) {
            for (int i = 0; i < perModifier; ++i) {
                const xcb_keycode_t code = map[modifier * perModifier + i];
                for (xcb_keycode_t wanted : numLock) {
                    if (code != 0 && code == wanted)
                        mask = uint16_t(1u << modifier);
                }
            }
        }
        std::free(reply);
    }
    return mask;
}

uint16_t x11Modifiers(Qt::KeyboardModifiers modifiers)
{
    uint16_t mask = 0;
    if (modifiers & Qt::ControlModifier)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & Qt::ShiftModifier)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & Qt::AltModifier)
        mask |= XCB_MOD_MASK_1;
    return mask;
}

} // namespace

class GlobalHotKey::Grab : public QAbstractNativeEventFilter {
public:
    Grab(GlobalHotKey *owner, xcb_connection_t *connection) : owner_(owner), connection_(connection)
    {
        xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(connection));
        for (; screen.rem; xcb_screen_next(&screen))
            roots_.push_back(screen.data->root);
    }

    ~Grab() override { release(); }

    bool claim(xcb_keysym_t keysym, uint16_t modifiers)
    {
        xcb_key_symbols_t *symbols = xcb_key_symbols_alloc(connection_);
        if (!symbols)
            return false;
        keycodes_ = keycodesOf(symbols, keysym);
        lockBits_ = uint16_t(XCB_MOD_MASK_LOCK | numLockMask(connection_, symbols));
        xcb_key_symbols_free(symbols);
        modifiers_ = modifiers;

        std::vector<xcb_void_cookie_t> cookies;
        for (xcb_window_t root : roots_) {
            for (xcb_keycode_t code : keycodes_) {
                for (uint16_t locks : lockVariants()) {
                    cookies.push_back(xcb_grab_key_checked(connection_, 0, root, modifiers | locks,
                                                           code, XCB_GRAB_MODE_ASYNC,
                                                           XCB_GRAB_MODE_ASYNC));
                }
            }
        }
        // Every grab is checked: one refused (BadAccess, another client has it) means the
        // combination is not ours, and the grabs that did succeed are given back.
        bool all = !cookies.empty();
        for (xcb_void_cookie_t cookie : cookies) {
            if (xcb_generic_error_t *error = xcb_request_check(connection_, cookie)) {
                all = false;
                std::free(error);
            }
        }
        if (!all) {
            release();
            return false;
        }
        active_ = true;
        return true;
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (!active_ || eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & ~0x80) != XCB_KEY_PRESS)
            return false;
        const auto *press = reinterpret_cast<const xcb_key_press_event_t *>(event);
        if (!isOurs(press))
            return false;
        emit owner_->pressed();
        return true;
    }

private:
    std::vector<uint16_t> lockVariants() const
    {
        const uint16_t numLock = lockBits_ & ~XCB_MOD_MASK_LOCK;
        return {0, XCB_MOD_MASK_LOCK, numLock, uint16_t(XCB_MOD_MASK_LOCK | numLock)};
    }

    bool isOurs(const xcb_key_press_event_t *press) const
    {
        bool onRoot = false;
        for (xcb_window_t root : roots_)
            onRoot = onRoot || press->event == root;
        bool ourKey = false;
        for (xcb_keycode_t code : keycodes_)
            ourKey = ourKey || press->detail == code;
        return onRoot && ourKey && (press->state & kModifierBits & ~lockBits_) == modifiers_;
    }

    void release()
    {
        for (xcb_window_t root : roots_) {
            for (xcb_keycode_t code : keycodes_) {
                for (uint16_t locks : lockVariants())
                    xcb_ungrab_key(connection_, code, root, modifiers_ | locks);
            }
        }
        xcb_flush(connection_);
        active_ = false;
    }

    GlobalHotKey *owner_;
    xcb_connection_t *connection_;
    std::vector<xcb_window_t> roots_;
    std::vector<xcb_keycode_t> keycodes_;
    uint16_t modifiers_ = 0;
    uint16_t lockBits_ = XCB_MOD_MASK_LOCK;
    bool active_ = false;
};

GlobalHotKey::GlobalHotKey(QObject *parent) : QObject(parent) {}

GlobalHotKey::~GlobalHotKey() = default;

bool GlobalHotKey::grab(Qt::Key letter, Qt::KeyboardModifiers modifiers)
{
    grab_.reset();
    if (letter < Qt::Key_A || letter > Qt::Key_Z)
        return false;
    // Wayland, offscreen and other sessions without an X connection have no global grab.
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return false;
    auto grab = std::make_unique<Grab>(this, x11->connection());
    const xcb_keysym_t keysym = XK_a + (letter - Qt::Key_A);
    if (!grab->claim(keysym, x11Modifiers(modifiers)))
        return false;
    // Installed last, so it sees key events before every filter installed earlier.
    QCoreApplication::instance()->installNativeEventFilter(grab.get());
    grab_ = std::move(grab);
    return true;
}
