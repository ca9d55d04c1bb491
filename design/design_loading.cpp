#include "design/design_loading.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <memory>
#include <system_error>

#include "design/parameter_file_texts.h"

#ifdef _WIN32
#  include <windows.h>
#endif

namespace design_model {

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE *)>;

File openForReading(const std::filesystem::path &path) {
#ifdef _WIN32
    return File(_wfopen(path.c_str(), L"rb"), &std::fclose);
#else
    return File(std::fopen(path.c_str(), "rb"), &std::fclose);
#endif
}

std::string systemReason(int error) { return error != 0 ? std::strerror(error) : "Unknown error"; }

} // namespace

FileReading readWholeFile(const std::filesystem::path &path, std::size_t limit, std::string &bytes,
                          std::string &reason) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        reason = "file to open is a directory";
        return FileReading::CannotOpen;
    }
    errno = 0;
    const File file = openForReading(path);
    if (!file) {
        reason = systemReason(errno);
        return FileReading::CannotOpen;
    }
    std::string content;
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        if (content.size() + n > limit) return FileReading::TooLarge;
        content.append(buffer, n);
    }
    if (std::ferror(file.get())) {
        reason = systemReason(errno);
        return FileReading::CannotRead;
    }
    bytes = std::move(content);
    return FileReading::Read;
}

std::filesystem::path pathFromSystemText(const char *text) {
#ifdef _WIN32
    const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(std::size_t(n > 0 ? n : 1), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), n);
    wide.resize(std::wcslen(wide.c_str()));
    return std::filesystem::path(wide);
#else
    return std::filesystem::path(text);
#endif
}

std::string displayPath(const std::filesystem::path &path) {
    std::filesystem::path native = path;
    native.make_preferred();
    const std::u8string text = native.u8string();
    return std::string(text.begin(), text.end());
}

bool loadDesign(const std::filesystem::path &path, DesignDocument &document, DesignSource &source, std::string &error) {
    const auto failure = [&](const std::string &reason) {
        error = "ファイルを開けません: " + displayPath(path) + "\n" + reason;
        return false;
    };
    std::string bytes;
    std::string reason;
    switch (readWholeFile(path, kLargestDesignFile, bytes, reason)) {
    case FileReading::Read: break;
    case FileReading::TooLarge: return failure("設計ファイルとしては大きすぎます。");
    case FileReading::CannotOpen:
    case FileReading::CannotRead: return failure(reason);
    }
    DesignDocument read;
    const bool design = isDesignFileText(bytes);
    const bool ok = design ? readDesignFile(bytes, read, reason) : readParameterFileTexts(bytes, read.texts, reason);
    if (!ok) return failure(reason);
    document = std::move(read);
    source = design ? DesignSource::DesignFile : DesignSource::ParameterFile;
    return true;
}

} // namespace design_model
