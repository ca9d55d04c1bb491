// An XML file read as a stream of events, safely: nothing is fetched from the
// network or read from another file, a document type declaring entities is
// refused before anything is expanded, nesting and size are bounded, and a
// file that is not well-formed is refused with its line number.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::landxml {

struct XmlAttribute {
    std::string_view name; // local name, without a namespace prefix
    std::string_view value;
};

// Receives the events; each returns false to stop reading (the handler then
// holds the reason).
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual bool startElement(std::string_view name, const std::vector<XmlAttribute> &attributes, int line) = 0;
    virtual bool endElement(std::string_view name) = 0;
    virtual bool text(std::string_view characters) = 0;
};

// Elements nested deeper than this are not read.
constexpr int kMaxXmlDepth = 64;

struct XmlReadResult {
    bool ok = false;
    bool stoppedByHandler = false;
    std::string message; // Japanese, UTF-8; empty when ok or stopped by the handler
};

// Reads the document (UTF-8; UTF-16 with its mark; Shift_JIS where the
// declaration names it, read as cp932; other encodings the declaration
// names) and passes its events in UTF-8 to the handler.
XmlReadResult readXmlText(std::string_view document, XmlHandler &handler);

} // namespace korvane::landxml
