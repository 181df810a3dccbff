// Another program that holds Control+S: grabs it on the root window, prints "grabbed" (or
// "refused"), then "pressed" for every Control+S it receives, until it is killed.
#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdio>
#include <cstdlib>

int main()
{
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 2;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_key_symbols_t *symbols = xcb_key_symbols_alloc(connection);
    xcb_keycode_t *codes = xcb_key_symbols_get_keycode(symbols, XK_s);
    if (!codes || codes[0] == XCB_NO_SYMBOL)
        return 2;
    const xcb_keycode_t code = codes[0];
    xcb_generic_error_t *error = xcb_request_check(
        connection, xcb_grab_key_checked(connection, 0, root, XCB_MOD_MASK_CONTROL, code,
                                         XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    std::printf(error ? "refused\n" : "grabbed\n");
    std::fflush(stdout);
    if (error)
        return 1;
    while (xcb_generic_event_t *event = xcb_wait_for_event(connection)) {
        if ((event->response_type & ~0x80) == XCB_KEY_PRESS) {
            std::printf("pressed\n");
            std::fflush(stdout);
        }
        std::free(event);
    }
    return 0;
}
