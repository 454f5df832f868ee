#pragma once
// XmlPushParser: libxml2's SAX2 parser fed a part's bytes a chunk at a time. It tells its
// XmlEvents of each element's start (with its attributes) and end and of the text between,
// building no tree, so memory does not grow with the part and each node costs one call; the text
// is told in pieces as the parser meets it. Set up for untrusted input: no network, no entity
// substituted, no document type accepted (one fails the part before any entity of it is read),
// elements nested at most kMaxDepth deep, the parser's own bound on lookahead kept, its first
// message kept as the failure instead of printed.

#include <libxml/parser.h>

#include <exception>
#include <string>
#include <string_view>

namespace tessaly::documents {

class XmlAttributes {
  public:
    XmlAttributes(int count, const xmlChar** attributes) : count_(count), at_(attributes) {}
    // The value of the attribute of that local name in any namespace; empty when absent.
    std::string value(std::string_view localName) const;

  private:
    int count_;
    const xmlChar** at_;  // five pointers each: local name, prefix, URI, value, its end
};

class XmlEvents {
  public:
    virtual ~XmlEvents() = default;
    virtual void start(std::string_view name, const XmlAttributes& attributes) = 0;
    virtual void end(std::string_view name) = 0;
    virtual void text(std::string_view text) = 0;
};

class XmlPushParser {
  public:
    // How deep elements may nest (as deep as libxml2 lets a tree grow).
    static constexpr std::size_t kMaxDepth = 256;

    explicit XmlPushParser(XmlEvents& events);
    ~XmlPushParser();
    XmlPushParser(const XmlPushParser&) = delete;
    XmlPushParser& operator=(const XmlPushParser&) = delete;

    // Parses the next `size` bytes of the part; `last`: the part ends with them. False once the
    // XML was found damaged or refused: failure() says why.
    bool parse(const char* data, std::size_t size, bool last);
    const std::string& failure() const { return failure_; }

  private:
    static void Start(void* self, const xmlChar* name, const xmlChar* prefix, const xmlChar* uri,
                      int namespaceCount, const xmlChar** namespaces, int count, int defaulted,
                      const xmlChar** attributes);
    static void End(void* self, const xmlChar* name, const xmlChar* prefix, const xmlChar* uri);
    static void Characters(void* self, const xmlChar* text, int size);
    static void DocumentType(void* self, const xmlChar*, const xmlChar*, const xmlChar*);
    static void Error(void* self, xmlErrorPtr error);
    // Stops the parse: the part is not read on, for `reason`.
    void refuse(std::string reason);
    template <class Tell>
    void tell(Tell&& tell);

    XmlEvents& events_;
    xmlParserCtxtPtr context_ = nullptr;
    std::string failure_;
    bool refused_ = false;       // not read on: failure_ says why
    std::exception_ptr thrown_;  // what an event threw
    std::size_t depth_ = 0;      // elements open
};

}  // namespace tessaly::documents
