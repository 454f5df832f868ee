#include "xml_push_parser.h"

#include <libxml/parserInternals.h>

#include <algorithm>
#include <exception>
#include <new>
#include <utility>

namespace tessaly::documents {

namespace {

std::string_view View(const xmlChar* text) {
    return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

}  // namespace

std::string XmlAttributes::value(std::string_view localName) const {
    for (int i = 0; i < count_; ++i) {
        const xmlChar* const* a = at_ + 5 * i;
        if (View(a[0]) != localName) continue;
        std::string value(reinterpret_cast<const char*>(a[3]), std::size_t(a[4] - a[3]));
        // Without entity substitution the parser hands an "&" of a value on as "&#38;".
        for (std::size_t at; (at = value.find("&#38;")) != std::string::npos;)
            value.replace(at, 5, "&");
        return value;
    }
    return {};
}

XmlPushParser::XmlPushParser(XmlEvents& events) : events_(events) {
    xmlSAXHandler sax{};
    sax.initialized = XML_SAX2_MAGIC;
    sax.startElementNs = &Start;
    sax.endElementNs = &End;
    sax.characters = &Characters;
    sax.ignorableWhitespace = &Characters;
    sax.cdataBlock = &Characters;
    sax.internalSubset = &DocumentType;
    sax.serror = &Error;
    context_ = xmlCreatePushParserCtxt(&sax, this, nullptr, 0, nullptr);
    if (!context_) throw std::bad_alloc();
    xmlCtxtUseOptions(context_, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
}

XmlPushParser::~XmlPushParser() {
    xmlFreeParserCtxt(context_);
}

bool XmlPushParser::parse(const char* data, std::size_t size, bool last) {
    if (!refused_ && context_->wellFormed) xmlParseChunk(context_, data, int(size), last ? 1 : 0);
    if (thrown_) std::rethrow_exception(std::exchange(thrown_, nullptr));
    if (refused_ || context_->wellFormed) return !refused_;
    if (failure_.empty()) failure_ = "not well-formed";
    return false;
}

template <class Tell>
void XmlPushParser::tell(Tell&& tell) {
    // What the events throw (running out of memory) must not unwind through the parser: it
    // stops, and parse() throws it on.
    try {
        tell();
    } catch (...) {
        thrown_ = std::current_exception();
        xmlStopParser(context_);
    }
}

void XmlPushParser::refuse(std::string reason) {
    failure_ = std::move(reason);
    refused_ = true;
    xmlStopParser(context_);
}

void XmlPushParser::Start(void* self, const xmlChar* name, const xmlChar*, const xmlChar*, int,
                          const xmlChar**, int count, int, const xmlChar** attributes) {
    auto* p = static_cast<XmlPushParser*>(self);
    if (++p->depth_ > kMaxDepth) {
        // The parser bounds the depth of the trees it builds; without a tree, the bound is
        // kept here.
        p->refuse("elements nested more than " + std::to_string(kMaxDepth) + " deep");
        return;
    }
    p->tell([&] { p->events_.start(View(name), XmlAttributes(count, attributes)); });
}

void XmlPushParser::End(void* self, const xmlChar* name, const xmlChar*, const xmlChar*) {
    auto* p = static_cast<XmlPushParser*>(self);
    --p->depth_;
    p->tell([&] { p->events_.end(View(name)); });
}

void XmlPushParser::Characters(void* self, const xmlChar* text, int size) {
    auto* p = static_cast<XmlPushParser*>(self);
    p->tell([&] {
        p->events_.text(std::string_view(reinterpret_cast<const char*>(text), std::size_t(size)));
    });
}

void XmlPushParser::DocumentType(void* self, const xmlChar*, const xmlChar*, const xmlChar*) {
    // Office parts never declare a document type; one that does may be building an entity
    // expansion, so the part is not read on.
    static_cast<XmlPushParser*>(self)->refuse("a document type declaration");
}

void XmlPushParser::Error(void* self, xmlErrorPtr error) {
    auto* p = static_cast<XmlPushParser*>(self);
    // Only an error that ends the part is its failure (not, say, an unknown namespace).
    if (!error || error->level != XML_ERR_FATAL || !p->failure_.empty()) return;
    p->failure_ = error->message ? error->message : "not well-formed";
    while (!p->failure_.empty() && (p->failure_.back() == '\n' || p->failure_.back() == ' '))
        p->failure_.pop_back();
}

}  // namespace tessaly::documents
