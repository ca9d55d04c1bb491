#include <string>

#include "design/design_loading.h"
#include "design/placement_section.h"
#include "design/utf8_text.h"
#include "params/message_box.h"
#include "world/placement.h"

namespace korvane {

namespace {

void refuse(const std::string &what) { showError("配置ファイル: " + what); }

WorldPoint worldPoint(const std::array<double, 2> &xy) { return {xy[0], xy[1]}; }

} // namespace

int readPlacementFile(const char *path, Placement &placement) {
    std::string content;
    std::string reason;
    if (path == nullptr || design_model::readWholeFile(design_model::pathFromSystemText(path),
                                                       design_model::kLargestDesignFile, content,
                                                       reason) != design_model::FileReading::Read) {
        refuse(std::string("開けないか、大きすぎます: ") + (path ? path : ""));
        return 0;
    }
    if (!design_model::isValidUtf8(content)) {
        refuse("UTF-8 のテキストではありません");
        return 0;
    }
    design_model::PlacementValues values;
    std::string problem;
    if (!design_model::readPlacement(content, values, problem)) {
        refuse(problem);
        return 0;
    }
    placement = Placement{values.zone, values.route, worldPoint(values.bp), worldPoint(values.ip),
                          worldPoint(values.ep)};
    return 1;
}

} // namespace korvane
