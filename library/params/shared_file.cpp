#include "params/shared_file.h"

namespace korvane {

std::FILE *sharedFileHandle = nullptr;

SharedFile::SharedFile(const char *path, const char *mode) {
    if (path) sharedFileHandle = std::fopen(path, mode);
}

SharedFile::~SharedFile() { close(); }

void SharedFile::close() {
    if (sharedFileHandle) std::fclose(sharedFileHandle);
    sharedFileHandle = nullptr;
}

} // namespace korvane
