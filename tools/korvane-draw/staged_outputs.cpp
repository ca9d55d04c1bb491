#include "staged_outputs.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#  include <process.h>
#  include <windows.h>
#else
#  include <unistd.h>
#endif

namespace korvane_draw {

namespace fs = std::filesystem;

namespace {

int processId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

// A name beside target that no file has: ".NAME.korvane-draw-PID[-K].tmp".
fs::path freeNameBeside(const fs::path &target) {
    const std::string stem = "." + target.filename().string() + ".korvane-draw-" + std::to_string(processId());
    std::error_code error;
    for (int k = 0;; ++k) {
        const fs::path candidate = target.parent_path() / (stem + (k ? "-" + std::to_string(k) : "") + ".tmp");
        if (!fs::exists(fs::symlink_status(candidate, error))) return candidate;
    }
}

// Renames over an existing file, on every platform.
bool replaceFile(const std::string &from, const std::string &to, std::string &reason) {
#ifdef _WIN32
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    reason = "error " + std::to_string(GetLastError());
    return false;
#else
    std::error_code error;
    fs::rename(from, to, error);
    reason = error.message();
    return !error;
#endif
}

} // namespace

StagedOutputs::~StagedOutputs() {
    for (const Output &output : outputs_) {
        std::error_code ignored;
        if (!output.staged.empty()) fs::remove(output.staged, ignored);
    }
}

std::string StagedOutputs::stage(const std::string &target) {
    std::error_code error;
    fs::path real(target);
    const fs::file_status status = fs::status(real, error);
    if (fs::exists(status) && !fs::is_regular_file(status)) return target;
    // A link is followed: the file it names is replaced, the link stays.
    if (fs::is_symlink(fs::symlink_status(real, error))) real = fs::canonical(real, error);
    const std::string staged = freeNameBeside(real).string();
    outputs_.push_back({real.string(), staged});
    return staged;
}

bool StagedOutputs::commit() {
    for (Output &output : outputs_) {
        std::error_code error;
        const fs::file_status replaced = fs::status(output.target, error);
        if (fs::is_regular_file(replaced)) fs::permissions(output.staged, replaced.permissions(), error);
        std::string reason;
        if (!replaceFile(output.staged, output.target, reason)) {
            std::fprintf(stderr, "korvane-draw: cannot rename %s to %s: %s\n", output.staged.c_str(),
                         output.target.c_str(), reason.c_str());
            return false;
        }
        output.staged.clear();
    }
    return true;
}

} // namespace korvane_draw
