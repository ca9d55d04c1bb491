// The XML reader on libxml2's push parser with a handler table of our own:
// no tree is built, no entity is ever substituted or loaded (the table has
// no loader, the options forbid the network), and an entity declaration
// stops the parse at once, so an expansion bomb never starts.
#include "landxml/xml_events.h"

#include <algorithm>
#include <memory>

#include <libxml/globals.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include "landxml/declared_encoding.h"
#include "params/cp932.h"

namespace korvane::landxml {

namespace {

constexpr std::size_t kChunkBytes = 1u << 20;

std::string_view view(const xmlChar *text) {
    return text == nullptr ? std::string_view() : std::string_view(reinterpret_cast<const char *>(text));
}

struct ParseState {
    explicit ParseState(XmlHandler &h) : handler(h) {}

    XmlHandler &handler;
    xmlParserCtxtPtr context = nullptr;
    int depth = 0;
    bool handlerStopped = false;
    std::string refusal;    // our own reason for stopping
    std::string xmlError;   // the parser's first error
    int xmlErrorLine = 0;
    int xmlErrorCode = 0;
    bool atEnd = false;     // the final call, after the last byte
    bool errorAtEnd = false;
    std::vector<XmlAttribute> attributes;

    int line() const { return context != nullptr && context->input != nullptr ? context->input->line : 0; }
    bool stopped() const { return handlerStopped || !refusal.empty(); }

    void refuse(const std::string &reason) {
        if (!stopped()) refusal = reason;
        xmlStopParser(context);
    }
    void handlerSays(bool goOn) {
        if (goOn) return;
        handlerStopped = true;
        xmlStopParser(context);
    }
};

ParseState &stateOf(void *user) { return *static_cast<ParseState *>(user); }

std::string at(int line) { return "LandXML ファイルの " + std::to_string(line) + " 行目"; }

void onStartElement(void *user, const xmlChar *localName, const xmlChar *, const xmlChar *, int, const xmlChar **,
                    int attributeCount, int, const xmlChar **attributes) {
    ParseState &s = stateOf(user);
    if (s.stopped()) return;
    if (++s.depth > kMaxXmlDepth) {
        s.refuse(at(s.line()) + "で要素の入れ子が " + std::to_string(kMaxXmlDepth) + " 段を超えています。");
        return;
    }
    s.attributes.clear();
    for (int i = 0; i < attributeCount; ++i) {
        const xmlChar *const *a = attributes + 5 * i; // local name, prefix, URI, value, value end
        s.attributes.push_back(XmlAttribute{
            view(a[0]), std::string_view(reinterpret_cast<const char *>(a[3]), static_cast<std::size_t>(a[4] - a[3]))});
    }
    s.handlerSays(s.handler.startElement(view(localName), s.attributes, s.line()));
}

void onEndElement(void *user, const xmlChar *localName, const xmlChar *, const xmlChar *) {
    ParseState &s = stateOf(user);
    if (s.stopped()) return;
    --s.depth;
    s.handlerSays(s.handler.endElement(view(localName)));
}

void onText(void *user, const xmlChar *characters, int length) {
    ParseState &s = stateOf(user);
    if (s.stopped()) return;
    s.handlerSays(s.handler.text(std::string_view(reinterpret_cast<const char *>(characters),
                                                  static_cast<std::size_t>(length))));
}

void onEntityDeclaration(void *user, const xmlChar *, int, const xmlChar *, const xmlChar *, xmlChar *) {
    ParseState &s = stateOf(user);
    s.refuse(at(s.line()) + "に実体宣言（<!ENTITY）があります。実体を宣言したファイルは安全のため読みません。");
}

// Only the five predefined entities (&amp; &lt; &gt; &quot; &apos;) exist.
xmlEntityPtr onGetEntity(void *, const xmlChar *name) { return xmlGetPredefinedEntity(name); }
xmlEntityPtr onGetParameterEntity(void *, const xmlChar *) { return nullptr; }
xmlParserInputPtr onResolveEntity(void *, const xmlChar *, const xmlChar *) { return nullptr; }

void onReference(void *user, const xmlChar *name) {
    ParseState &s = stateOf(user);
    s.refuse(at(s.line()) + "に宣言されていない実体参照 &" + std::string(view(name)) + "; があります。");
}

void onError(void *user, xmlErrorPtr error) {
    ParseState &s = stateOf(user);
    if (error == nullptr || error->level < XML_ERR_ERROR || !s.xmlError.empty()) return;
    std::string text = error->message != nullptr ? error->message : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    s.xmlError = text.empty() ? "XML error" : text;
    s.xmlErrorLine = error->line;
    s.xmlErrorCode = error->code;
    s.errorAtEnd = s.atEnd;
}

xmlSAXHandler handlerTable() {
    xmlSAXHandler sax{};
    sax.initialized = XML_SAX2_MAGIC;
    sax.startElementNs = onStartElement;
    sax.endElementNs = onEndElement;
    sax.characters = onText;
    sax.cdataBlock = onText;
    sax.entityDecl = onEntityDeclaration;
    sax.getEntity = onGetEntity;
    sax.getParameterEntity = onGetParameterEntity;
    sax.resolveEntity = onResolveEntity;
    sax.reference = onReference;
    sax.serror = onError;
    return sax;
}

// libxml2 reports some errors (an encoding that cannot convert the bytes)
// through the handlers of its thread rather than the parser's, printing them
// by default: while the document is read they come to the parser's handler,
// and the thread's handlers are put back afterwards.
class ThreadErrorsToParser {
public:
    explicit ThreadErrorsToParser(ParseState &state)
        : generic_(xmlGenericError), genericContext_(xmlGenericErrorContext), structured_(xmlStructuredError),
          structuredContext_(xmlStructuredErrorContext) {
        xmlSetGenericErrorFunc(nullptr, &ignoreGeneric);
        xmlSetStructuredErrorFunc(&state, &onError);
    }
    ~ThreadErrorsToParser() {
        xmlSetGenericErrorFunc(genericContext_, generic_);
        xmlSetStructuredErrorFunc(structuredContext_, structured_);
    }
    ThreadErrorsToParser(const ThreadErrorsToParser &) = delete;
    ThreadErrorsToParser &operator=(const ThreadErrorsToParser &) = delete;

private:
    static void ignoreGeneric(void *, const char *, ...) {}

    xmlGenericErrorFunc generic_;
    void *genericContext_;
    xmlStructuredErrorFunc structured_;
    void *structuredContext_;
};

// The parser keeps a document of its own for the entities it has seen
// declared (the "SAX compatibility" document), which it leaves to its caller.
struct ContextFreer {
    void operator()(xmlParserCtxtPtr c) const {
        if (c->myDoc != nullptr) xmlFreeDoc(c->myDoc);
        xmlFreeParserCtxt(c);
    }
};

// Converts cp932 bytes to UTF-8 piece by piece, cutting only after a byte
// below 0x40, which is never part of a two-byte character.
class Cp932Pieces {
public:
    // The UTF-8 of the complete characters so far; false at a byte that is
    // not cp932 (its line in badLine).
    bool convert(std::string_view bytes, bool last, std::string &utf8) {
        pending_.append(bytes);
        std::size_t cut = pending_.size();
        if (!last) {
            while (cut > 0 && static_cast<unsigned char>(pending_[cut - 1]) >= 0x40) --cut;
        }
        utf8 = cp932ToUtf8(std::string_view(pending_).substr(0, cut));
        pending_.erase(0, cut);
        // cp932 has no U+FFFD: the converter writes it for a byte it cannot read.
        const std::size_t bad = utf8.find("\xEF\xBF\xBD");
        const std::string_view before = std::string_view(utf8).substr(0, bad);
        lines_ += static_cast<int>(std::count(before.begin(), before.end(), '\n'));
        if (bad != std::string::npos) {
            badLine = lines_ + 1;
            return false;
        }
        return true;
    }
    int badLine = 0;

private:
    std::string pending_;
    int lines_ = 0;
};

XmlReadResult failure(std::string message) { return XmlReadResult{false, false, std::move(message)}; }

XmlReadResult outcome(const ParseState &s, bool wellFormed) {
    if (s.handlerStopped) return XmlReadResult{false, true, {}};
    if (!s.refusal.empty()) return failure(s.refusal);
    if (!s.xmlError.empty() || !wellFormed) {
        const int line = s.xmlErrorLine > 0 ? s.xmlErrorLine : s.line();
        if (s.errorAtEnd || s.xmlErrorCode == XML_ERR_DOCUMENT_EMPTY)
            return failure("LandXML ファイルは " + std::to_string(line) + " 行目で途中で終わっています（" + s.xmlError + "）。");
        return failure(at(line) + "が XML として正しくありません（" + s.xmlError + "）。");
    }
    return XmlReadResult{true, false, {}};
}

} // namespace

XmlReadResult readXmlText(std::string_view document, XmlHandler &handler) {
    const bool cp932 = isShiftJisName(declaredEncoding(document.substr(0, 4096)));
    xmlSAXHandler sax = handlerTable();
    ParseState state(handler);
    const ThreadErrorsToParser errors(state);
    std::unique_ptr<xmlParserCtxt, ContextFreer> context(xmlCreatePushParserCtxt(&sax, &state, nullptr, 0, nullptr));
    if (!context) return failure("LandXML ファイルを読む準備ができません。");
    state.context = context.get();
    // No network, no entity substitution, no DTD loading or defaults, the
    // parser's own limits kept; a cp932 document arrives here as UTF-8.
    xmlCtxtUseOptions(context.get(), XML_PARSE_NONET | (cp932 ? XML_PARSE_IGNORE_ENC : 0));

    Cp932Pieces pieces;
    std::string utf8;
    for (std::size_t from = 0; from < document.size() && !state.stopped() && state.xmlError.empty();
         from += kChunkBytes) {
        std::string_view bytes = document.substr(from, kChunkBytes);
        if (cp932) {
            if (!pieces.convert(bytes, from + kChunkBytes >= document.size(), utf8))
                return failure(at(pieces.badLine) + "に Shift_JIS（cp932）として読めないバイトがあります。");
            bytes = utf8;
        }
        xmlParseChunk(context.get(), bytes.data(), static_cast<int>(bytes.size()), 0);
    }
    if (!state.stopped() && state.xmlError.empty()) {
        state.atEnd = true;
        xmlParseChunk(context.get(), nullptr, 0, 1);
    }
    return outcome(state, context->wellFormed != 0);
}

} // namespace korvane::landxml
