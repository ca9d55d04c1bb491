// Design files on disk: a whole file read with a bound on its size, and a
// design opened from a design file or from a bare parameter file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "design/design_file.h"

namespace design_model {

// Design files are a few kilobytes; anything far larger is not one.
inline constexpr std::size_t kLargestDesignFile = 16 * 1024 * 1024;

enum class FileReading { Read, CannotOpen, TooLarge, CannotRead };

// Reads the whole file at path into bytes; a file larger than limit is not
// read. reason tells the cause of a failure as the system gives it.
FileReading readWholeFile(const std::filesystem::path &path, std::size_t limit, std::string &bytes,
                          std::string &reason);

enum class DesignSource { DesignFile, ParameterFile };

// Reads the design at path, telling a design file from a bare parameter file
// by its content. On failure error names the file and the reason, in UTF-8.
bool loadDesign(const std::filesystem::path &path, DesignDocument &document, DesignSource &source, std::string &error);

// The path of a file named in the system's code page, as a command line and
// the library's exports give it.
std::filesystem::path pathFromSystemText(const char *text);

// The path as the platform writes it (backslashes on Windows), in UTF-8.
std::string displayPath(const std::filesystem::path &path);

} // namespace design_model
