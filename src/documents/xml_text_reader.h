#pragma once
// XmlTextReader: libxml2's streaming reader over bytes handed in by a callback, set up for
// untrusted input: no network, no DTD loaded, no entity substituted, the parser's own bounds on
// depth and node size kept, its messages collected instead of printed.

#include <libxml/xmlreader.h>

#include <string>
#include <string_view>

namespace tessaly::documents {

class XmlNode {
  public:
    explicit XmlNode(xmlTextReaderPtr reader = nullptr)
        : reader_(reader), type_(reader ? xmlTextReaderNodeType(reader) : -1) {}
    bool isStart() const { return type() == XML_READER_TYPE_ELEMENT; }
    bool isEnd() const { return type() == XML_READER_TYPE_END_ELEMENT; }
    bool isText() const {
        const int t = type();
        return t == XML_READER_TYPE_TEXT || t == XML_READER_TYPE_CDATA ||
               t == XML_READER_TYPE_SIGNIFICANT_WHITESPACE;
    }
    bool isDocumentType() const { return type() == XML_READER_TYPE_DOCUMENT_TYPE; }
    // An element written <x/>: it has no end of its own.
    bool empty() const { return xmlTextReaderIsEmptyElement(reader_) == 1; }
    std::string_view localName() const { return View(xmlTextReaderConstLocalName(reader_)); }
    std::string_view value() const { return View(xmlTextReaderConstValue(reader_)); }
    // The attribute of that local name in any namespace; empty when absent.
    std::string attribute(std::string_view localName) const;

  private:
    int type() const { return type_; }
    static std::string_view View(const xmlChar* text) {
        return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
    }
    xmlTextReaderPtr reader_;
    int type_;  // asked once: every question about the node needs it
};

class XmlTextReader {
  public:
    XmlTextReader(xmlInputReadCallback read, xmlInputCloseCallback close, void* context);
    ~XmlTextReader();
    XmlTextReader(const XmlTextReader&) = delete;
    XmlTextReader& operator=(const XmlTextReader&) = delete;

    // The next node: 1, 0 at the end, -1 for damaged XML (failure() says why).
    int next(XmlNode& node);
    const std::string& failure() const { return failure_; }

  private:
    xmlTextReaderPtr reader_ = nullptr;
    std::string failure_;
};

}  // namespace tessaly::documents
