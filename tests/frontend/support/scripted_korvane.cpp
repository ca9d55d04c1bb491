// A stand-in for the library whose exports report scripted messages, for the
// tests of how Rovena shows them: save_DXF reports one write failure 250
// times with another message twice in between, and fails; setteifin on a
// path containing "failing-append" fails at its third call.
#include <cstring>

#include "korvane.h"

namespace {

korvane_message_handler handler = nullptr;
int appends = 0;

void report(const char *text) {
    if (handler) handler(text);
}

} // namespace

extern "C" {

KORVANE_API void KORVANE_CALL korvane_set_message_handler(korvane_message_handler h) { handler = h; }

KORVANE_API int KORVANE_CALL setteifincls(const char *) {
    appends = 0;
    return 1;
}

KORVANE_API int KORVANE_CALL setteifin(const char *, const char *path) {
    if (std::strstr(path, "failing-append") && ++appends == 3) {
        report("append failed");
        return 0;
    }
    return 1;
}

KORVANE_API int KORVANE_CALL data_chekvb(const char *path) {
    if (std::strstr(path, "failing-append")) report("checked");
    return 1;
}

KORVANE_API int KORVANE_CALL save_DXF(const char *, const char *, const char *, const char *) {
    const char *writeFailed = "fprintf\xB4\xD7\xB0"; // "fprintfｴﾗｰ" in cp932
    report(writeFailed);
    report("other");
    for (int i = 1; i < 250; ++i) {
        report(writeFailed);
        if (i == 100) report("other");
    }
    return 0;
}

} // extern "C"
