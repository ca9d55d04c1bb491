#include "world/turn_text.h"

#include <cinttypes>
#include <cstdio>

#include "world/output_file.h"

namespace korvane {

namespace {

std::string seconds(const TurnAngle &turn) { return fixed(turn.seconds, 6); }

} // namespace

std::string parameterAngleLine(const TurnAngle &turn, bool upward) {
    std::string degrees = std::to_string(turn.degrees);
    std::string minutes = std::to_string(turn.minutes);
    std::string secs = seconds(turn);
    if (!upward) {
        if (turn.degrees != 0) degrees = "-" + degrees;
        else if (turn.minutes != 0) minutes = "-" + minutes;
        else secs = "-" + secs;
    }
    return degrees + " " + minutes + " " + secs;
}

std::string turnText(const TurnAngle &turn, bool upward) {
    return "# IA derived from BP, IP and EP\n"
           "ia.degrees = " + std::to_string(turn.degrees) + "\n"
           "ia.minutes = " + std::to_string(turn.minutes) + "\n"
           "ia.seconds = " + seconds(turn) + "\n"
           "curve.direction = " + (upward ? "up" : "down") + "\n"
           "turn = " + (turn.right ? "right" : "left") + "\n"
           "parameter.line = " + parameterAngleLine(turn, upward) + "\n";
}

int writeTurnFile(const char *path, const TurnAngle &turn, bool upward) {
    return writeOutputFile(path, turnText(turn, upward));
}

} // namespace korvane
