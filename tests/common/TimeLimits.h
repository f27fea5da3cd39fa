#pragma once
// Time limits of the tests that guard against quadratic or runaway work. The
// limits are set for an optimised build on a quiet machine; the sanitizers'
// Debug build runs several times slower, and CORVEL_TEST_TIME_SCALE (a whole
// number) widens every limit on a machine known to be busy.
#include <QtGlobal>

namespace test_time {

inline qint64 Scale() {
#ifdef CORVEL_SANITIZED_BUILD
    qint64 scale = 10;
#else
    qint64 scale = 1;
#endif
    bool ok = false;
    const qint64 extra = qEnvironmentVariableIntValue("CORVEL_TEST_TIME_SCALE", &ok);
    if (ok && extra > 1) scale *= extra;
    return scale;
}

// milliseconds, as measured for an optimised build, widened as above.
inline qint64 Limit(qint64 milliseconds) {
    return milliseconds * Scale();
}

} // namespace test_time
