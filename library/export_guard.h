// How every export runs: in the C locale of its thread, so a decimal comma of
// the host's locale never reaches a file, and with no exception crossing into
// the host (an exception is a failure, 0).
#pragma once

#include "params/c_locale.h"

namespace korvane {

template <typename Body> int guardedExport(Body body) {
    try {
        CLocaleScope cLocale;
        return body();
    } catch (...) {
        return 0;
    }
}

} // namespace korvane
