// Helpers shared by the library tests: a recorder for the library's messages,
// a temporary folder, and whole-file reading and writing.
#pragma once

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "korvane.h"
#include "params/cp932.h"

namespace testing_support {

// Records every message the library shows, as cp932 bytes, while it lives.
class MessageRecorder {
public:
    MessageRecorder() {
        active() = this;
        korvane_set_message_handler(&MessageRecorder::record);
    }
    ~MessageRecorder() {
        korvane_set_message_handler(nullptr);
        active() = nullptr;
    }
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    const std::vector<std::string> &cp932() const { return messages_; }
    // The messages decoded to UTF-8, for comparison with readable literals.
    std::vector<std::string> utf8() const {
        std::vector<std::string> out;
        for (const auto &m : messages_) out.push_back(korvane::cp932ToUtf8(m));
        return out;
    }
    void clear() { messages_.clear(); }

private:
    static MessageRecorder *&active() {
        static MessageRecorder *current = nullptr;
        return current;
    }
    static void KORVANE_CALL record(const char *text) {
        if (active()) active()->messages_.emplace_back(text);
    }
    std::vector<std::string> messages_;
};

// A fresh folder under the system's temporary folder, removed with its content.
class TempDir {
public:
    TempDir() {
        // A name no other test or process holds: create_directory fails on an
        // existing one, and the next number is tried.
        static unsigned serial = 0;
        const auto base = std::filesystem::temp_directory_path();
        const unsigned stamp = unsigned(std::random_device{}());
        for (int attempt = 0; attempt < 1000; ++attempt) {
            path_ = base / ("korvane-test-" + std::to_string(stamp) + "-" + std::to_string(++serial));
            std::error_code error;
            if (std::filesystem::create_directory(path_, error)) return;
        }
        std::abort();
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &path() const { return path_; }
    std::string file(const std::string &name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// The bytes of a file, exactly as stored.
inline std::string readBytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// The content of a file with its line ends as the library's text files have
// them on Linux: on Windows, where text files end their lines in CR LF, each
// CR LF is read as LF (expectations compare lines, not line-end bytes).
inline std::string readFile(const std::string &path) {
    std::string content = readBytes(path);
#ifdef _WIN32
    std::size_t kept = 0;
    for (std::size_t i = 0; i < content.size(); ++i)
        if (!(content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n')) content[kept++] = content[i];
    content.resize(kept);
#endif
    return content;
}

inline void writeFile(const std::string &path, const std::string &content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

// The sample design as the front end writes it, line by line.
inline const std::string kSampleParameterText =
    "250\n"
    "DXF dxf\n"
    "40\n"
    "35\n"
    "40\n"
    "66 55 44.444\n"
    "2.75 1 0.0\n"
    "1 1 \n"
    "0.5 0.5 \n"
    "2.75 0.5 0.0\n"
    "1 1 \n"
    "0.5 0.5 \n"
    "0.1\n"
    "L\n"
    "20\n"
    "10\n"
    "10.111\n"
    "9.889 20 20 20 1000.\n"
    "CENTER2 1\n"
    "DOT 1\n"
    "CONTINUOUS 1\n"
    "E\n";

// Switches the process to a German locale, whose decimal point is a comma:
// the glibc name, then the Windows C runtime's. False when neither exists.
inline bool setDecimalCommaLocale() {
    return std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "German_Germany.1252");
}

// The folder of the built artefacts (library, template).
inline std::string binDir() { return KORVANE_BIN_DIR; }
inline std::string sourceDir() { return KORVANE_SOURCE_DIR; }

} // namespace testing_support
