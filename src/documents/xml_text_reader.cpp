#include "xml_text_reader.h"

#include <new>

namespace tessaly::documents {

std::string XmlNode::attribute(std::string_view localName) const {
    std::string found;
    if (xmlTextReaderMoveToFirstAttribute(reader_) != 1) return found;
    do {
        if (View(xmlTextReaderConstLocalName(reader_)) == localName) {
            found = View(xmlTextReaderConstValue(reader_));
            break;
        }
    } while (xmlTextReaderMoveToNextAttribute(reader_) == 1);
    xmlTextReaderMoveToElement(reader_);
    return found;
}

namespace {

void KeepError(void* arg, const char* msg, xmlParserSeverities severity, xmlTextReaderLocatorPtr) {
    auto* failure = static_cast<std::string*>(arg);
    if (severity == XML_PARSER_SEVERITY_ERROR && failure->empty() && msg) {
        *failure = msg;
        while (!failure->empty() && (failure->back() == '\n' || failure->back() == ' '))
            failure->pop_back();
    }
}

}  // namespace

XmlTextReader::XmlTextReader(xmlInputReadCallback read, xmlInputCloseCallback close,
                             void* context) {
    reader_ = xmlReaderForIO(
        read, close, context, nullptr, nullptr,
        XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA);
    if (!reader_) throw std::bad_alloc();
    xmlTextReaderSetErrorHandler(reader_, &KeepError, &failure_);
}

XmlTextReader::~XmlTextReader() {
    xmlFreeTextReader(reader_);
}

int XmlTextReader::next(XmlNode& node) {
    const int r = xmlTextReaderRead(reader_);
    node = XmlNode(r == 1 ? reader_ : nullptr);
    if (r == 1 && node.isDocumentType()) {
        // Office parts never declare a document type; one that does may be building an entity
        // expansion, so the part is not read.
        failure_ = "a document type declaration";
        return -1;
    }
    if (r < 0 && failure_.empty()) failure_ = "not well-formed";
    return r;
}

}  // namespace tessaly::documents
