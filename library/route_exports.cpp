// The exports of routes: a route read from a route file or an IP table
// (with the settings of a second route file in place of its own, for a
// command line's options), checked, and written as its coordinate table,
// width stakes, SIMA file, J-LandXML, calculation sheet or route file. Each
// runs in the C locale, shows every refusal and warning through the message
// handler, writes nothing for a refused route, and returns 1 or 0. The plan
// drawing (平面図) is written as a DXF drawing from the header template.
#include "korvane.h"

#include "export_guard.h"
#include "plan/plan_dxf.h"
#include "plan/route_plan.h"
#include "route/calculation_sheet.h"
#include "route/route_file.h"
#include "route/route_input.h"
#include "route/route_landxml.h"
#include "route/route_output.h"
#include "route/route_rows.h"
#include "route/sheet_text.h"
#include "route/sima_text.h"
#include "route/table_csv.h"
#include "world/landxml_text.h"

using namespace korvane::route;

namespace {

TextEncoding csvEncoding(int utf8WithBom) { return utf8WithBom != 0 ? TextEncoding::Utf8WithBom : TextEncoding::Cp932; }

} // namespace

extern "C" {

KORVANE_API int KORVANE_CALL korvane_route_check(const char *inputPath, const char *settingsPath) {
    return korvane::guardedExport([&] {
        LoadedRoute route;
        std::vector<TableRow> rows;
        return preparedRoute(inputPath, settingsPath, route, rows) ? 1 : 0;
    });
}

KORVANE_API int KORVANE_CALL korvane_route_table(const char *inputPath, const char *settingsPath, const char *csvPath,
                                                 int utf8WithBom) {
    return korvane::guardedExport([&] {
        LoadedRoute route;
        std::vector<TableRow> rows;
        if (!preparedRoute(inputPath, settingsPath, route, rows)) return 0;
        return writeText(csvPath, coordinateTableCsv(rows), csvEncoding(utf8WithBom));
    });
}

KORVANE_API int KORVANE_CALL korvane_route_stakes(const char *inputPath, const char *settingsPath, const char *csvPath,
                                                  int utf8WithBom) {
    return korvane::guardedExport([&] {
        LoadedRoute route;
        std::vector<TableRow> rows;
        if (!preparedRoute(inputPath, settingsPath, route, rows)) return 0;
        const std::optional<StakeWidths> &widths = route.settings.widths;
        if (!widths || (widths->left <= 0 && widths->right <= 0)) {
            return refused("幅杭の幅（左右）が指定されていません。");
        }
        const std::vector<Stake> points = stakes(route.alignment, rows, *widths);
        return writeText(csvPath, stakeTableCsv(rows, points), csvEncoding(utf8WithBom));
    });
}

KORVANE_API int KORVANE_CALL korvane_route_sima(const char *inputPath, const char *settingsPath, const char *simaPath) {
    return korvane::guardedExport([&] {
        LoadedRoute route;
        std::vector<TableRow> rows;
        if (!preparedRoute(inputPath, settingsPath, route, rows)) return 0;
        return writeText(simaPath, simaText(route.settings.name, rows), TextEncoding::Cp932);
    });
}

KORVANE_API int KORVANE_CALL korvane_route_landxml(const char *inputPath, const char *settingsPath, const char *xmlPath) {
    return korvane::guardedExport([&] {
        LoadedRoute route;
        std::vector<TableRow> rows;
        if (!preparedRoute(inputPath, settingsPath, route, rows)) return 0;
        return writeText(xmlPath, routeLandXmlText(route, rows, korvane::currentStamp()), TextEncoding::Utf8);
    });
}

KORVANE_API int KORVANE_CALL korvane_route_report(const char *inputPath, const char *settingsPath,
                                                  const char *outputPath, int format) {
    return korvane::guardedExport([&] {
        if (format < 0 || format > 2) {
            return refused("線形計算書の書式は 0（cp932 のテキスト）、1（UTF-8 のテキスト）、2（JSON）のいずれかです。");
        }
        LoadedRoute route;
        std::vector<TableRow> rows;
        if (!preparedRoute(inputPath, settingsPath, route, rows)) return 0;
        const CalculationSheet sheet = calculationSheet(route, rows, route.messages);
        if (format == 2) return writeText(outputPath, sheetJson(sheet), TextEncoding::Utf8);
        return writeText(outputPath, sheetText(sheet), format == 0 ? TextEncoding::Cp932 : TextEncoding::Utf8);
    });
}

KORVANE_API int KORVANE_CALL korvane_route_save(const char *inputPath, const char *settingsPath, const char *routePath) {
    return korvane::guardedExport([&] {
        LoadedRoute route;
        if (!readRouteInput(inputPath, settingsPath, route)) {
            showMessages(route.messages);
            return 0;
        }
        if (route.ips.empty()) {
            return refused("IP 表のない路線は路線ファイルに保存できません。");
        }
        return writeText(routePath, routeFileText(route.settings, route.ips), TextEncoding::Utf8);
    });
}

KORVANE_API int KORVANE_CALL korvane_route_plan(const char *inputPath, const char *settingsPath, const char *dxfPath,
                                                const char *templatePath, int scale) {
    return korvane::guardedExport([&] {
        if (scale < korvane::plan::kMinPlanScale || scale > korvane::plan::kMaxPlanScale) {
            return refused("平面図の縮尺 1/" + std::to_string(scale) + " は描けません（1/" +
                                      std::to_string(korvane::plan::kMinPlanScale) + " から 1/" +
                                      std::to_string(korvane::plan::kMaxPlanScale) + " まで）。");
        }
        LoadedRoute route;
        std::vector<TableRow> rows;
        if (!preparedRoute(inputPath, settingsPath, route, rows)) return 0;
        return korvane::plan::writePlanDxf(korvane::plan::routePlan(route, rows, scale), dxfPath, templatePath);
    });
}

} // extern "C"
