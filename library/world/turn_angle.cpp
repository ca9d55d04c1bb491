#include "world/turn_angle.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "params/message_box.h"

namespace korvane {

namespace {

constexpr double kFullTurn = 2 * std::numbers::pi;
constexpr std::int64_t kMicrosecondsPerSecond = 1000000;

bool legLongEnough(WorldPoint a, WorldPoint b, const char *names) {
    if (std::hypot(b.x - a.x, b.y - a.y) >= kMinimumLeg) return true;
    showError(std::string("配置ファイル: ") + names + " が同じ点です (1 mm 未満)。");
    return false;
}

} // namespace

int deriveTurnAngle(const Placement &placement, TurnAngle &turn) {
    if (!legLongEnough(placement.bp, placement.ip, "BP と IP") ||
        !legLongEnough(placement.ip, placement.ep, "IP と EP"))
        return 0;
    turn.inDirection = route::directionAngle(placement.bp, placement.ip);
    turn.outDirection = route::directionAngle(placement.ip, placement.ep);

    // The change of direction, in (−π, π]: positive turns clockwise.
    double change = turn.outDirection - turn.inDirection;
    if (change > std::numbers::pi) change -= kFullTurn;
    if (change <= -std::numbers::pi) change += kFullTurn;
    turn.right = change > 0;

    const double seconds = std::fabs(change) * 180 / std::numbers::pi * 3600;
    const auto micro = static_cast<std::int64_t>(std::llround(seconds * kMicrosecondsPerSecond));
    if (micro < kMinimumTurnSeconds * kMicrosecondsPerSecond) {
        showError("配置ファイル: BP, IP, EP が一直線上にあり、IA が 0 になります。");
        return 0;
    }
    if (micro >= 180LL * 3600 * kMicrosecondsPerSecond) {
        showError("配置ファイル: EP が BP の方へ戻っていて、IA が 180° 以上になります。");
        return 0;
    }
    turn.degrees = micro / (3600 * kMicrosecondsPerSecond);
    turn.minutes = micro / (60 * kMicrosecondsPerSecond) % 60;
    turn.seconds = static_cast<double>(micro % (60 * kMicrosecondsPerSecond)) / kMicrosecondsPerSecond;
    return 1;
}

SignedTurnParts signedTurnParts(const TurnAngle &turn, bool upward) {
    SignedTurnParts parts{turn.degrees, turn.minutes, turn.seconds};
    if (upward) return parts;
    if (parts.degrees != 0) parts.degrees = -parts.degrees;
    else if (parts.minutes != 0) parts.minutes = -parts.minutes;
    else parts.seconds = -parts.seconds;
    return parts;
}

} // namespace korvane
