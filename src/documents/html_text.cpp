#include "html_text.h"

#include <libxml/HTMLparser.h>
#include <libxml/parserInternals.h>
#include <strings.h>

#include <cstring>
#include <new>
#include <vector>

#include "document_limits.h"

namespace tessaly::documents {

namespace {

// Open elements deeper than this make the page unreadable rather than costly.
constexpr int kMaxDepth = 1000;

bool Is(const xmlChar* name, const char* wanted) {
    return name && strcasecmp(reinterpret_cast<const char*>(name), wanted) == 0;
}

bool IsBlock(const xmlChar* name) {
    static const char* const blocks[] = {
        "p",       "div",   "br",      "li",         "tr",       "h1",      "h2",         "h3",
        "h4",      "h5",    "h6",      "table",      "ul",       "ol",      "dl",         "dt",
        "dd",      "pre",   "hr",      "blockquote", "section",  "article", "header",     "footer",
        "nav",     "aside", "address", "form",       "fieldset", "figure",  "figcaption", "main",
        "caption", "title", "body",    "option",     "center"};
    for (const char* block : blocks)
        if (Is(name, block)) return true;
    return false;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The number of a tel: link, its %-escapes decoded.
std::string TelephoneOf(const char* href) {
    std::string number;
    for (const char* p = href + 4; *p; ++p) {
        if (*p == '%' && HexValue(p[1]) >= 0 && HexValue(p[2]) >= 0) {
            number += char(HexValue(p[1]) * 16 + HexValue(p[2]));
            p += 2;
        } else {
            number += *p;
        }
    }
    return number;
}

class HtmlText final : public DocumentText {
  public:
    HtmlText(ByteReader bytes, std::string name)
        : bytes_(std::move(bytes)), name_(std::move(name)) {
        htmlSAXHandler sax;
        std::memset(&sax, 0, sizeof sax);
        sax.startElement = &HtmlText::Start;
        sax.endElement = &HtmlText::End;
        sax.characters = &HtmlText::Characters;
        sax.cdataBlock = &HtmlText::Characters;
        sax.ignorableWhitespace = &HtmlText::Characters;
        parser_ = htmlCreatePushParserCtxt(&sax, this, nullptr, 0, nullptr, XML_CHAR_ENCODING_NONE);
        if (!parser_) throw std::bad_alloc();
        htmlCtxtUseOptions(parser_, HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                                        HTML_PARSE_NOIMPLIED);
    }
    ~HtmlText() override { htmlFreeParserCtxt(parser_); }

    bool read(std::string& out) override {
        out_ = &out;
        const std::size_t start = out.size();
        std::vector<char> buffer(kPieceSize);
        while (!done_ && out.size() - start < kPieceSize) {
            const std::size_t n = bytes_(buffer.data(), buffer.size());
            htmlParseChunk(parser_, buffer.data(), int(n), n == 0 ? 1 : 0);
            if (!failure_.empty()) throw DocumentError(name_, failure_);
            done_ = n == 0;
        }
        out_ = nullptr;
        return !done_;
    }

  private:
    // libxml2 hands each callback the user data given to the parser: this reader.
    static HtmlText& Self(void* context) { return *static_cast<HtmlText*>(context); }

    static void Start(void* context, const xmlChar* name, const xmlChar** attributes) {
        HtmlText& self = Self(context);
        if (++self.depth_ > kMaxDepth) {
            self.failure_ = "the page's elements are nested too deeply";
            xmlStopParser(self.parser_);
            return;
        }
        if (Is(name, "script") || Is(name, "style") || Is(name, "template")) ++self.hidden_;
        if (Is(name, "pre") || Is(name, "textarea")) ++self.preformatted_;
        if (IsBlock(name)) self.endLine();
        if (Is(name, "a") && attributes) {
            for (const xmlChar** a = attributes; a[0]; a += 2) {
                const char* value = reinterpret_cast<const char*>(a[1]);
                if (Is(a[0], "href") && value && strncasecmp(value, "tel:", 4) == 0) {
                    self.endLine();
                    self.put(TelephoneOf(value));
                    self.put("\n");
                }
            }
        }
    }

    static void End(void* context, const xmlChar* name) {
        HtmlText& self = Self(context);
        if (self.depth_ > 0) --self.depth_;
        if ((Is(name, "script") || Is(name, "style") || Is(name, "template")) && self.hidden_ > 0)
            --self.hidden_;
        if ((Is(name, "pre") || Is(name, "textarea")) && self.preformatted_ > 0)
            --self.preformatted_;
        if (Is(name, "td") || Is(name, "th")) self.put("\t");
        if (IsBlock(name)) self.endLine();
    }

    static void Characters(void* context, const xmlChar* text, int length) {
        HtmlText& self = Self(context);
        if (self.hidden_ > 0 || length <= 0) return;
        const char* p = reinterpret_cast<const char*>(text);
        if (self.preformatted_ > 0) {
            self.put(std::string_view(p, std::size_t(length)));
            return;
        }
        std::string blanked(p, std::size_t(length));
        for (char& c : blanked)
            if (c == '\n' || c == '\r' || c == '\t') c = ' ';
        self.put(blanked);
    }

    void put(std::string_view text) {
        if (!out_ || text.empty()) return;
        *out_ += text;
        lineStarted_ = text.back() != '\n';
    }

    void endLine() {
        if (lineStarted_) put("\n");
    }

    ByteReader bytes_;
    std::string name_;
    htmlParserCtxtPtr parser_ = nullptr;
    std::string* out_ = nullptr;
    std::string failure_;
    bool lineStarted_ = false;
    int depth_ = 0;
    int hidden_ = 0;
    int preformatted_ = 0;
    bool done_ = false;
};

}  // namespace

std::unique_ptr<DocumentText> OpenHtmlText(ByteReader bytes, std::string name) {
    return std::make_unique<HtmlText>(std::move(bytes), std::move(name));
}

std::string HtmlToText(std::string_view page, const std::string& name) {
    std::size_t at = 0;
    HtmlText text(
        [&](char* buffer, std::size_t capacity) {
            const std::size_t n = std::min(capacity, page.size() - at);
            std::memcpy(buffer, page.data() + at, n);
            at += n;
            return n;
        },
        name);
    std::string out;
    while (text.read(out)) {
    }
    return out;
}

}  // namespace tessaly::documents
