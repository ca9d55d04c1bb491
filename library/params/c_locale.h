// Numbers in the parameter file and the drawing always use "." whatever locale
// the host process chose (a Qt program sets the user's). Every export runs its
// formatted reads and writes inside this scope, which switches the calling
// thread to the C locale and back.
#pragma once

#include <clocale>
#include <locale.h>

namespace korvane {

class CLocaleScope {
public:
    CLocaleScope();
    ~CLocaleScope();
    CLocaleScope(const CLocaleScope &) = delete;
    CLocaleScope &operator=(const CLocaleScope &) = delete;

private:
#ifdef _WIN32
    int previousMode_;
    char previous_[64];
#else
    locale_t previous_;
#endif
};

} // namespace korvane
