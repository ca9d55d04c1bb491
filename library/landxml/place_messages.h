// The refusals and warnings about one place of a LandXML file (an alignment,
// an element), each text beginning with the place's name. The readers of
// those places derive from it.
#pragma once

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "route/message.h"
#include "route/number_text.h"

namespace korvane::landxml {

// A distance in the messages: its size in millimetres to a tenth ("0.3 mm").
inline std::string millimetres(double metres) { return route::fixedText(std::fabs(metres) * 1000, 1) + " mm"; }

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
