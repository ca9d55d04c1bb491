// The exports of LandXML input: the names of a file's alignments, and one
// alignment read into a route file whose IP table the file's PIs give back.
// Like the others, each runs in the C locale, reports through the message
// handler and returns 1 or 0.
#include "korvane.h"

#include "export_guard.h"
#include "landxml/landxml_document.h"
#include "landxml/landxml_reader.h"
#include "route/route_file.h"
#include "route/route_output.h"
#include "route/text_input.h"

using namespace korvane::route;

namespace {

std::string textOf(const char *text) { return text != nullptr ? text : ""; }

} // namespace

extern "C" {

KORVANE_API int KORVANE_CALL korvane_landxml_alignments(const char *xmlPath, const char *listPath) {
    return korvane::guardedExport([&] {
        std::string content, problem;
        if (!readInputFile(xmlPath, kLargestInputFile, content, problem))
            return refused("LandXML ファイル " + textOf(xmlPath) + ": " + problem + "。");
        korvane::landxml::LandXmlDocument document;
        if (!korvane::landxml::readLandXmlDocument(content, document, problem))
            return refused(problem);
        std::string list;
        for (const korvane::landxml::RawAlignment &a : document.alignments) list += a.name + "\n";
        return writeText(listPath, list, TextEncoding::Utf8);
    });
}

KORVANE_API int KORVANE_CALL korvane_landxml_to_route(const char *xmlPath, const char *alignmentName,
                                                      const char *routePath) {
    return korvane::guardedExport([&] {
        const LoadedRoute route = korvane::landxml::readLandXml(textOf(xmlPath), textOf(alignmentName));
        if (!showMessages(route.messages)) return 0;
        if (route.ips.empty())
            return refused("線形「" + route.settings.name +
                           "」は IP 表に戻せない（AlignPIs がないか、PI の曲線が IP 法の形でない）ので、路線ファイルにはできません。");
        return writeText(routePath, routeFileText(route.settings, route.ips), TextEncoding::Utf8);
    });
}

} // extern "C"
