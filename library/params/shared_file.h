// The library's single file-handle slot, shared by the parameter-file writer
// and reader: one such file is open at a time, and only for one operation.
#pragma once

#include <cstdio>

namespace korvane {

extern std::FILE *sharedFileHandle;

// Opens a file into the slot for the lifetime of the object and releases it
// on every way out.
class SharedFile {
public:
    // A null path counts as a file that cannot be opened.
    SharedFile(const char *path, const char *mode);
    ~SharedFile();
    SharedFile(const SharedFile &) = delete;
    SharedFile &operator=(const SharedFile &) = delete;

    bool isOpen() const { return sharedFileHandle != nullptr; }
    // Releases the file before the object ends (e.g. before a message).
    void close();
    std::FILE *get() const { return sharedFileHandle; }
};

} // namespace korvane
