#include "staged_outputs.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "design/text_encoding.h"

namespace korvane_route {

namespace fs = std::filesystem;

StagedOutputs::~StagedOutputs() {
    for (const Staged &s : staged_) {
        std::error_code ignored;
        fs::remove(s.staged, ignored);
    }
}

std::string StagedOutputs::stage(const std::string &target) {
    staged_.push_back(Staged{target + ".korvane-route-new", target});
    return staged_.back().staged;
}

bool StagedOutputs::commit() {
    bool ok = true;
    for (const Staged &s : staged_) {
        std::error_code error;
        // rename replaces an existing target (MoveFileEx with replacing on Windows).
        fs::rename(s.staged, s.target, error);
        if (error) {
            std::fprintf(stderr, "korvane-route: %s を置き換えられません: %s\n", design_model::systemTextToUtf8(s.target).c_str(),
                         error.message().c_str());
            ok = false;
        }
    }
    return ok;
}

} // namespace korvane_route
