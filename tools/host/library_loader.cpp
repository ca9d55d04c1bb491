#include "library_loader.h"

#include <cstdio>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <dlfcn.h>
#  include <limits.h>
#  include <unistd.h>
#endif

namespace korvane_host {

std::string programFolder(const char *argv0) {
    std::string path;
#ifdef _WIN32
    char buffer[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    if (n > 0 && n < MAX_PATH) path.assign(buffer, n);
#else
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n > 0 && static_cast<std::size_t>(n) < sizeof buffer) path.assign(buffer, std::size_t(n));
#endif
    if (path.empty()) path = argv0;
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool LoadedLibrary::load(const std::string &path, const char *program) {
#ifdef _WIN32
    handle_ = reinterpret_cast<void *>(LoadLibraryA(path.c_str()));
    if (!handle_) std::fprintf(stderr, "%s: cannot load %s\n", program, path.c_str());
#else
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) std::fprintf(stderr, "%s: cannot load %s: %s\n", program, path.c_str(), dlerror());
#endif
    return handle_ != nullptr;
}

void *LoadedLibrary::symbol(const char *name) const {
#ifdef _WIN32
    return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(handle_), name));
#else
    return dlsym(handle_, name);
#endif
}

} // namespace korvane_host
