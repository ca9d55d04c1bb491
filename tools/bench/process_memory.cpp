#include "process_memory.h"

#include <cstdio>
#include <cstring>

#include <sys/resource.h>

namespace bench {

namespace {

long statusFieldKiB(const char *name) {
    std::FILE *status = std::fopen("/proc/self/status", "r");
    if (!status) return -1;
    char line[256];
    long value = -1;
    const std::size_t length = std::strlen(name);
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, name, length) == 0 && line[length] == ':') {
            std::sscanf(line + length + 1, "%ld", &value);
            break;
        }
    }
    std::fclose(status);
    return value;
}

} // namespace

bool resetPeakMemory() {
    std::FILE *refs = std::fopen("/proc/self/clear_refs", "w");
    if (!refs) return false;
    const bool written = std::fputs("5", refs) >= 0;
    return std::fclose(refs) == 0 && written;
}

long residentKiB() { return statusFieldKiB("VmRSS"); }

long peakResidentKiB() {
    const long peak = statusFieldKiB("VmHWM");
    if (peak >= 0) return peak;
    struct rusage usage {};
    if (getrusage(RUSAGE_SELF, &usage) != 0) return -1;
    return usage.ru_maxrss;
}

} // namespace bench
