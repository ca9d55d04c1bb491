// The Windows build has no XML parser that this project can build and prove
// (Debian offers no libxml2 for mingw-w64, and the DLL imports nothing beyond
// KERNEL32, msvcrt and USER32): it says so instead of reading LandXML.
#include "landxml/xml_events.h"

namespace korvane::landxml {

XmlReadResult readXmlText(std::string_view, XmlHandler &) {
    return XmlReadResult{false, false,
                         "この Windows 版の Korvane は LandXML ファイルを読めません。"
                         "LandXML の読み込みには Linux 版の Rovena または korvane-route を使ってください。"};
}

} // namespace korvane::landxml
