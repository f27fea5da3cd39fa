#pragma once
// Steps that must not stop the ones after them (the unload, the first
// auto-save tick, one document of the cache at exit or at start): a failure
// is logged with what was being done, never swallowed.
#include <functional>

namespace corvel {

// Runs fn; false when it threw (the error is logged with what).
bool RunGuarded(const char *what, const std::function<void()> &fn);

} // namespace corvel
