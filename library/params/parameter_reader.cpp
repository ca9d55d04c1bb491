// readParameterFile: fills a design record from ALN_TXT_.DAT, token by token
// in the file's fixed order. Fields that a read does not reach keep the values
// of the previous design.
#include <algorithm>
#include <span>

#include "params/design_record.h"
#include "params/message_box.h"
#include "params/parameter_file.h"
#include "params/parameter_tokens.h"
#include "params/shared_file.h"

namespace korvane {

namespace {

constexpr const char *kCannotOpen = "Can't open ALN_TXT_.DAT (設定ﾌｧｲﾙ)file";
constexpr const char *kReadError = "fscanfｴﾗｰ ALN_TXT_.DAT file";

// The guarded groups count as read once their first field is converted; a
// later field that fails ends the group, and the fields after it keep their
// previous values.
bool readCurveGroup(std::FILE *f, DesignRecord &design) {
    if (!readNumber(f, design.scale)) return false;
    (void)(readWord(f, design.outputPath) && readWord(f, design.outputExtension) &&
           readNumber(f, design.a1) && readNumber(f, design.a2) && readNumber(f, design.radius) &&
           readNumber(f, design.iaDegrees) && readNumber(f, design.iaMinutes) &&
           readNumber(f, design.iaSeconds));
    return true;
}

bool readStationGroup(std::FILE *f, DesignRecord &design) {
    if (!readNumber(f, design.centerPitch)) return false;
    (void)(readWord(f, design.stationDirection) && readNumber(f, design.stationPitch) &&
           readNumber(f, design.kaStationNo) && readNumber(f, design.kaStationPlus));
    return true;
}

bool readLineStyleGroup(std::FILE *f, DesignRecord &design) {
    if (!readWord(f, design.lineStyle1Name)) return false;
    (void)(readInteger(f, design.lineStyle1Number) && readWord(f, design.lineStyle2Name) &&
           readInteger(f, design.lineStyle2Number) && readWord(f, design.lineStyle3Name) &&
           readInteger(f, design.lineStyle3Number));
    return true;
}

// The single reads below are not guarded: a failed read leaves its slot as it
// was, and the end tests look at the stored value.

// Widths up to and including the first 0, at most the capacity.
void readWidths(std::FILE *f, std::span<double, kLaneCapacity> widths) {
    for (double &width : widths) {
        readNumber(f, width);
        if (width == 0.0) break;
    }
}

// One value for each width before the first 0.
void readPerLane(std::FILE *f, std::span<const double, kLaneCapacity> widths,
                 std::span<double, kLaneCapacity> values) {
    for (std::size_t i = 0; i < kLaneCapacity && widths[i] != 0.0; ++i) readNumber(f, values[i]);
}

void readSide(std::FILE *f, double (&width)[kLaneCapacity], double (&method)[kLaneCapacity],
              double (&widening)[kLaneCapacity]) {
    readWidths(f, width);
    readPerLane(f, width, method);
    readPerLane(f, width, widening);
}

// Intervals up to and including the end mark 1000, at most the capacity. The
// slots were cleared before the file was opened, so a failed read leaves 0.
void readIntervals(std::FILE *f, double (&intervals)[kIntervalCapacity]) {
    for (double &interval : intervals) {
        readNumber(f, interval);
        if (interval == design_model::kIntervalEndMark) break;
    }
}

} // namespace

int readParameterFile(const char *path, DesignRecord &design) {
    std::fill_n(design.normalIntervals, kIntervalCapacity, 0.0);

    SharedFile file(path, "r");
    if (!file.isOpen()) {
        showError(kCannotOpen);
        return 0;
    }
    std::FILE *f = file.get();

    bool read = readCurveGroup(f, design);
    if (read) {
        readSide(f, design.rightWidth, design.rightMethod, design.rightWidening);
        readSide(f, design.leftWidth, design.leftMethod, design.leftWidening);
        read = readStationGroup(f, design);
    }
    if (read) {
        readIntervals(f, design.normalIntervals);
        read = readLineStyleGroup(f, design);
    }
    file.close();
    if (!read) {
        showError(kReadError);
        return 0;
    }
    return 1;
}

} // namespace korvane
