// A folder of its own for one run of a command-line host (korvane-draw,
// korvane-route), so that two runs at once never share their working files.
// It is removed with everything in it when the object goes.
#pragma once

#include <string>

namespace korvane_host {

class PrivateFolder {
public:
    // program names the folder and begins the messages.
    explicit PrivateFolder(const char *program) : program_(program) {}
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder &) = delete;
    PrivateFolder &operator=(const PrivateFolder &) = delete;

    // Makes a new folder under the system's temporary folder; false (with a
    // message on the standard error) when that fails.
    bool create();
    // The path of a file inside the folder.
    std::string file(const char *name) const;

private:
    std::string program_;
    std::string path_;
};

} // namespace korvane_host
