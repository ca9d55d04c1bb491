#include "world/turn_text.h"

#include <cinttypes>
#include <cstdio>

#include "world/output_file.h"

namespace korvane {

namespace {

std::string seconds(const TurnAngle &turn) { return fixed(turn.seconds, 6); }

} // namespace

std::string parameterAngleLine(const TurnAngle &turn, bool upward) {
    const SignedTurnParts parts = signedTurnParts(turn, upward);
    return std::to_string(parts.degrees) + " " + std::to_string(parts.minutes) + " " + fixed(parts.seconds, 6);
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
