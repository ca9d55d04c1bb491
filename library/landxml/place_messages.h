// The refusals and warnings about one place of a LandXML file (an alignment,
// an element), each text beginning with the place's name. The readers of
// those places derive from it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "route/message.h"

namespace korvane::landxml {

class PlaceMessages {
protected:
    PlaceMessages(std::vector<route::Message> &messages, std::string place)
        : messages_(messages), place_(std::move(place)) {}

    // Always false, so that a reader may end with return refuse(...).
    bool refuse(const std::string &what) {
        messages_.push_back(route::Message{route::Severity::Refusal, -1, place_ + what});
        return false;
    }
    void warn(const std::string &what) { messages_.push_back(route::Message{route::Severity::Warning, -1, place_ + what}); }

    std::vector<route::Message> &messages_;

private:
    std::string place_;
};

} // namespace korvane::landxml
