#include "private_folder.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#ifndef _WIN32
#  include <cstdlib>
#  include <vector>
#endif

namespace korvane_host {

namespace fs = std::filesystem;

PrivateFolder::~PrivateFolder() {
    if (path_.empty()) return;
    std::error_code error;
    fs::remove_all(fs::path(path_), error);
    if (error)
        std::fprintf(stderr, "%s: cannot remove the temporary folder %s: %s\n", program_.c_str(), path_.c_str(),
                     error.message().c_str());
}

bool PrivateFolder::create() {
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error) {
        std::fprintf(stderr, "%s: no temporary folder: %s\n", program_.c_str(), error.message().c_str());
        return false;
    }
#ifdef _WIN32
    // create_directory fails on a name that exists, so a name is never shared.
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / (program_ + "-" + std::to_string(random()));
        if (fs::create_directory(candidate, error)) {
            path_ = candidate.string();
            return true;
        }
        if (error) break;
    }
#else
    std::string pattern = (base / (program_ + "-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data())) { // created with access for its owner only
        path_ = name.data();
        return true;
    }
    error = std::error_code(errno, std::generic_category());
#endif
    std::fprintf(stderr, "%s: cannot create a temporary folder in %s: %s\n", program_.c_str(), base.string().c_str(),
                 error ? error.message().c_str() : "no free name");
    return false;
}

std::string PrivateFolder::file(const char *name) const { return (fs::path(path_) / name).string(); }

} // namespace korvane_host
