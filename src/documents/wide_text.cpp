#include "wide_text.h"

#include <vector>

#include "document_limits.h"
#include "text_encoding.h"

namespace tessaly::documents {

namespace {

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

class WideText final : public DocumentText {
  public:
    WideText(std::unique_ptr<FileSource> file, TextEncoding encoding)
        : file_(std::move(file)), encoding_(encoding), buffer_(kPieceSize) {}

    bool read(std::string& out) override {
        const std::size_t n = file_->read(buffer_.data() + carry_, buffer_.size() - carry_);
        const std::size_t bytes = carry_ + n;
        const std::size_t whole = n == 0 ? bytes : bytes & ~std::size_t{1};
        const std::u16string units = DecodeWide(std::string_view(buffer_.data(), whole), encoding_);
        for (char16_t unit : units) {
            if (high_ != 0) {
                const char16_t high = high_;
                high_ = 0;
                if (unit >= 0xDC00 && unit <= 0xDFFF) {
                    AppendUtf8(0x10000 + ((char32_t(high) - 0xD800) << 10) + (unit - 0xDC00), out);
                    continue;
                }
                AppendUtf8(0xFFFD, out);
            }
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                high_ = unit;
            } else {
                AppendUtf8((unit >= 0xDC00 && unit <= 0xDFFF) ? 0xFFFD : unit, out);
            }
        }
        carry_ = bytes - whole;
        if (carry_) buffer_[0] = buffer_[whole];
        if (n > 0) return true;
        if (high_ != 0) AppendUtf8(0xFFFD, out);
        return false;
    }

  private:
    std::unique_ptr<FileSource> file_;
    TextEncoding encoding_;
    std::vector<char> buffer_;
    std::size_t carry_ = 0;
    char16_t high_ = 0;
};

}  // namespace

std::unique_ptr<DocumentText> OpenWideText(ContentKind kind, const std::string& path) {
    if (kind != ContentKind::Utf16LE && kind != ContentKind::Utf16BE) return nullptr;
    return std::make_unique<WideText>(
        std::make_unique<FileSource>(path),
        kind == ContentKind::Utf16LE ? TextEncoding::Utf16LE : TextEncoding::Utf16BE);
}

}  // namespace tessaly::documents
