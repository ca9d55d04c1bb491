// Arbitrary bytes as a LandXML file: read as a route (the only alignment, and
// one named "A"), then its table rows; refused, warned about or read, never
// more.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "landxml/landxml_reader.h"
#include "route/route_input.h"
#include "route/route_rows.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    for (const char *name : {"", "A"}) {
        korvane::route::LoadedRoute route = korvane::landxml::readLandXmlText(text, name);
        if (korvane::route::hasRefusal(route.messages) != route.alignment.segments.empty()) std::abort();
        if (route.alignment.segments.empty()) continue;
        if (route.mainPoints.size() != route.alignment.segments.size() + 1) std::abort();
        korvane::route::computeLoadedRoute(route);
        std::vector<korvane::route::Message> messages;
        korvane::route::loadedRows(route, messages);
    }
    return 0;
}
