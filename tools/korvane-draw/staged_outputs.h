// The files of one run written in full or not at all: each output is first
// written to a temporary file beside it, and the temporary files are renamed
// over their targets only when every output has been written, so a failing
// output never leaves the others behind and never truncates an earlier file
// of the same name. An output that exists and is no regular file (a device
// such as /dev/null) is written in place, as renaming would replace it.
#pragma once

#include <string>
#include <vector>

namespace korvane_draw {

class StagedOutputs {
public:
    StagedOutputs() = default;
    // Removes the temporary files that were not renamed.
    ~StagedOutputs();
    StagedOutputs(const StagedOutputs &) = delete;
    StagedOutputs &operator=(const StagedOutputs &) = delete;

    // The file to write in place of target.
    std::string stage(const std::string &target);

    // Renames every temporary file over its target, in the order staged, with
    // the permissions of the file it replaces; false (said on the standard
    // error) at the first that cannot be renamed.
    bool commit();

private:
    struct Output {
        std::string target;
        std::string staged;
    };
    std::vector<Output> outputs_;
};

} // namespace korvane_draw
