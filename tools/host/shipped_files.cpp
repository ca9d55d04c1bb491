#include "shipped_files.h"

#include <filesystem>
#include <system_error>

// Relative paths from the installed program's folder, fixed when the program
// is built (GNUInstallDirs).
#ifndef KORVANE_DATA_FROM_BIN
#define KORVANE_DATA_FROM_BIN "../share/rovena"
#endif
#ifndef KORVANE_LIBRARY_FROM_BIN
#define KORVANE_LIBRARY_FROM_BIN "../lib"
#endif

namespace korvane_host {

namespace {

std::string inFolder(const std::string &programFolder, const char *relative, const std::string &fileName) {
    const std::filesystem::path folder = std::filesystem::path(programFolder) / relative;
    return (folder.lexically_normal() / fileName).string();
}

bool isFile(const std::string &path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

std::string findDataFile(const std::string &programFolder, const std::string &fileName) {
    const std::string beside = programFolder + fileName;
    if (isFile(beside)) return beside;
    const std::string installed = inFolder(programFolder, KORVANE_DATA_FROM_BIN, fileName);
    return isFile(installed) ? installed : beside;
}

std::vector<std::string> libraryCandidates(const std::string &programFolder, const std::string &fileName) {
    return {programFolder + fileName, inFolder(programFolder, KORVANE_LIBRARY_FROM_BIN, fileName)};
}

std::string findLibrary(const std::string &programFolder, const std::string &fileName) {
    const std::vector<std::string> candidates = libraryCandidates(programFolder, fileName);
    for (const std::string &candidate : candidates)
        if (isFile(candidate)) return candidate;
    return fileName;
}

} // namespace korvane_host
