#include "Guarded.h"

#include <QtGlobal>
#include <exception>

namespace corvel {

bool RunGuarded(const char *what, const std::function<void()> &fn) {
    if (!fn) return true;
    try {
        fn();
        return true;
    } catch (const std::exception &e) {
        qWarning("%s failed: %s", what, e.what());
    } catch (...) {
        qWarning("%s failed: an unknown error was thrown", what);
    }
    return false;
}

} // namespace corvel
