#include "params/c_locale.h"

#include <cstring>

namespace korvane {

#ifdef _WIN32

CLocaleScope::CLocaleScope() : previousMode_(_configthreadlocale(_ENABLE_PER_THREAD_LOCALE)) {
    const char *current = std::setlocale(LC_NUMERIC, nullptr);
    std::strncpy(previous_, current ? current : "C", sizeof previous_ - 1);
    previous_[sizeof previous_ - 1] = '\0';
    std::setlocale(LC_NUMERIC, "C");
}

CLocaleScope::~CLocaleScope() {
    std::setlocale(LC_NUMERIC, previous_);
    _configthreadlocale(previousMode_);
}

#else

namespace {
locale_t cLocale() {
    static locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return c;
}
} // namespace

CLocaleScope::CLocaleScope() : previous_(uselocale(cLocale())) {}

CLocaleScope::~CLocaleScope() { uselocale(previous_); }

#endif

} // namespace korvane
