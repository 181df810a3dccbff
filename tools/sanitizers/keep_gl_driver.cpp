// Linked into every executable of a sanitizer build (GAMEBOX_SANITIZE) and nowhere else.
//
// Qt loads Mesa's GL driver for its windows and unloads it when the display connection
// closes, before LeakSanitizer looks at the heap at exit. Memory that only the driver's
// globals pointed to then counts as leaked, from a module that is gone: no suppression can
// name it, and nothing tells it apart from a leak of ours. Opened here once more with
// RTLD_NODELETE, the driver stays until the process ends and its memory stays reachable.
#include <dlfcn.h>

namespace {
[[maybe_unused]] const bool glDriverKept = dlopen(GAMEBOX_GL_DRIVER, RTLD_LAZY | RTLD_NODELETE) != nullptr;
}
