// What the route computation has to say: refusals (nothing is computed from
// input that has one) and warnings (the route stands; the user should look).
// Messages are values; the exports show them through the host's handler.
#pragma once

#include <string>
#include <vector>

namespace korvane::route {

enum class Severity { Refusal, Warning };

struct Message {
    Severity severity;
    int ip;           // the point of the IP table it concerns (0 = BP); −1 for none
    std::string text; // Japanese, UTF-8
};

inline bool hasRefusal(const std::vector<Message> &messages) {
    for (const Message &m : messages)
        if (m.severity == Severity::Refusal) return true;
    return false;
}

} // namespace korvane::route
