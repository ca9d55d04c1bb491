// The library loaded at run time by its file name, as Rovena loads it, for
// the command-line hosts korvane-draw and korvane-route.
#pragma once

#include <string>

namespace korvane_host {

// The folder of the running program, with its trailing separator.
std::string programFolder(const char *argv0);

class LoadedLibrary {
public:
    // Loads the library at path; false after a message on the standard
    // error that begins with program. It stays loaded until the program ends.
    bool load(const std::string &path, const char *program);
    void *symbol(const char *name) const;

private:
    void *handle_ = nullptr;
};

} // namespace korvane_host
