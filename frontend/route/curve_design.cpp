#include "curve_design.h"

#include <cmath>
#include <numbers>

#include "route/number_text.h"

namespace rovena {

namespace {

namespace kr = korvane::route;

std::string exact(double value) { return kr::exactText(value); }

// The IA as the form's three boxes: whole degrees and minutes, seconds to
// a ten-thousandth.
void setAngle(design_model::DesignTexts &texts, double radians) {
    const double tenThousandths = std::round(radians * 180 / std::numbers::pi * 3600 * 10000);
    const auto units = static_cast<long long>(tenThousandths);
    texts.iaDegrees = std::to_string(units / 36000000);
    texts.iaMinutes = std::to_string(units / 600000 % 60);
    texts.iaSeconds = kr::valueText(static_cast<double>(units % 600000) / 10000, 4);
}

// The station of the curve's first KA, as NO and ＋ of the pitch, to the
// micrometre, as an engineer would type it: the computed station has all the
// digits of a double (the sample's first KA lies at 100.00000032954523 m, its
// IPs being given to the micrometre), which would fill the ＋ box. A ＋ that
// rounds to the pitch is the next station's 0.
void setKaStation(design_model::DesignTexts &texts, const ComputedRoute &route, double distance) {
    std::vector<kr::Message> ignored;
    const kr::StationMap map =
        kr::mapStations(route.route.settings.stationing, route.route.alignment.length(), ignored);
    const double pitch = route.route.settings.stationing.pitch;
    const double station = kr::stationAt(map, distance);
    double number = std::floor(station / pitch);
    double plus = std::round(std::max(0.0, station - number * pitch) * 1e6) / 1e6;
    if (plus >= std::round(pitch * 1e6) / 1e6) {
        number += 1;
        plus = 0;
    }
    texts.stationPitch = exact(pitch);
    texts.kaStationNo = exact(number);
    texts.kaStationPlus = kr::valueText(plus, 6);
}

std::array<std::string, 2> pointTexts(kr::PlanePoint p) { return {exact(p.x), exact(p.y)}; }

} // namespace

QString whyNotDrawable(const ComputedRoute &route, int row) {
    const std::vector<kr::RouteIp> &ips = route.route.ipResults;
    if (row <= 0 || row + 1 >= static_cast<int>(ips.size())) return QStringLiteral("BP と EP に曲線はありません。");
    if (route.refused()) return QStringLiteral("路線にエラーがあるので作図できません。");
    const kr::CurveKind kind = ips[static_cast<std::size_t>(row)].kind;
    if (kind != kr::CurveKind::Basic)
        return QStringLiteral("この IP は%1です。作図できるのは基本型（A1, R, A2）の曲線だけです: "
                              "フォームの曲線はクロソイド・円・クロソイドで、A1 と A2 がどちらも 0 より大きくなければなりません。")
            .arg(QString::fromUtf8(kr::curveKindName(kind)));
    if (route.route.settings.zone == 0)
        return QStringLiteral("路線の設定に座標系がないので、曲線を座標に配置できません。");
    return {};
}

std::optional<CurveDesign> curveDesign(const ComputedRoute &route, int row, const design_model::DesignTexts &form) {
    if (!whyNotDrawable(route, row).isEmpty()) return std::nullopt;
    const std::size_t k = static_cast<std::size_t>(row);
    const kr::RouteIp &ip = route.route.ipResults[k];
    const kr::CurveInput &curve = route.route.ips[k].curve;
    CurveDesign design{form, {}};
    design_model::DesignTexts &texts = design.texts;
    texts.a1 = exact(*curve.a1);
    texts.radius = exact(*curve.r);
    texts.a2 = exact(*curve.a2);
    setAngle(texts, ip.ia);
    // Stations grow from BP, so the drawing runs from BP: a turn to the left
    // is drawn upwards.
    texts.stationLeft = true;
    texts.directionUp = ip.turn < 0;
    setKaStation(texts, route, ip.curveStart);

    design_model::PlacementTexts &placement = design.placement;
    placement.zone = std::to_string(route.route.settings.zone);
    placement.route = route.route.settings.name;
    placement.bp = pointTexts(route.route.ips[k - 1].point);
    placement.ip = pointTexts(route.route.ips[k].point);
    placement.ep = pointTexts(route.route.ips[k + 1].point);
    return design;
}

} // namespace rovena
