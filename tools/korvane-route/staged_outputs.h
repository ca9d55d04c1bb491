// All outputs or none: each output is first written to a file of its own
// beside its target, and the targets are replaced only once every output
// was written, so that a failure leaves every earlier file as it was.
#pragma once

#include <string>
#include <vector>

namespace korvane_route {

class StagedOutputs {
public:
    StagedOutputs() = default;
    ~StagedOutputs(); // removes what was not committed
    StagedOutputs(const StagedOutputs &) = delete;
    StagedOutputs &operator=(const StagedOutputs &) = delete;

    // The path to write the output for target to.
    std::string stage(const std::string &target);

    // Puts every staged file in place of its target; false after a message
    // on the standard error naming the targets not replaced.
    bool commit();

private:
    struct Staged {
        std::string staged, target;
    };
    std::vector<Staged> staged_;
};

} // namespace korvane_route
