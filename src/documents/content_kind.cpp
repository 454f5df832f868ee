#include "content_kind.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "document_text.h"
#include "text_encoding.h"

namespace tessaly::documents {

namespace {

using namespace std::string_view_literals;

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    return true;
}

// Signatures of files that are never text: executables, images, audio and video, archives and
// compressed files, the legacy office formats (compound files). Each holds bytes no text holds.
bool HasBinarySignature(std::string_view head) {
    static constexpr std::string_view kSignatures[] = {
        "\x7f"
        "ELF"sv,  // ELF executables and libraries
        "MZ\x90\0"sv,
        "MZP\0"sv,  // Windows executables
        "\xfe\xed\xfa"sv,
        "\xce\xfa\xed\xfe"sv,
        "\xcf\xfa\xed\xfe"sv,  // Mach-O
        "\xca\xfe\xba\xbe"sv,  // Java classes, universal binaries
        "\0asm"sv,             // WebAssembly
        "\x89PNG\r\n\x1a\n"sv,
        "\xff\xd8\xff"sv,
        "GIF87a"sv,
        "GIF89a"sv,
        "II*\0"sv,
        "MM\0*"sv,  // TIFF
        "RIFF"sv,
        "OggS"sv,
        "fLaC"sv,
        "\x1a\x45\xdf\xa3"sv,  // media
        "\x1f\x8b"sv,
        "BZh91AY&SY"sv,
        "\xfd"
        "7zXZ\0"sv,
        "7z\xbc\xaf\x27\x1c"sv,
        "Rar!\x1a\x07"sv,
        "\x28\xb5\x2f\xfd"sv,  // compressed files
        "PK\x05\x06"sv,
        "PK\x07\x08"sv,                        // empty and spanned zips
        "\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1"sv,  // compound files: legacy .doc, .xls, .ppt, .msg
        "SQLite format 3\0"sv,
    };
    for (std::string_view signature : kSignatures)
        if (StartsWith(head, signature)) return true;
    // MP4 and its kin: a box of type "ftyp" first.
    return head.size() >= 8 && head.substr(4, 4) == "ftyp"sv;
}

// Mostly-ASCII UTF-16 without a mark: every other byte NUL, the other bytes not.
std::optional<ContentKind> WideKind(std::string_view head) {
    const std::size_t pairs = head.size() / 2;
    if (pairs < 2) return std::nullopt;
    std::size_t evenNul = 0, oddNul = 0;
    for (std::size_t i = 0; i < pairs * 2; i += 2) {
        evenNul += head[i] == '\0';
        oddNul += head[i + 1] == '\0';
    }
    // Nine in ten of one side NUL, at most one in ten of the other.
    if (oddNul * 10 >= pairs * 9 && evenNul * 10 <= pairs) return ContentKind::Utf16LE;
    if (evenNul * 10 >= pairs * 9 && oddNul * 10 <= pairs) return ContentKind::Utf16BE;
    return std::nullopt;
}

std::string_view SkipBlanksAndComments(std::string_view text) {
    for (;;) {
        const std::size_t start = text.find_first_not_of(" \t\r\n\f");
        if (start == std::string_view::npos) return {};
        text.remove_prefix(start);
        if (!StartsWith(text, "<!--")) return text;
        const std::size_t end = text.find("-->", 4);
        if (end == std::string_view::npos) return {};
        text.remove_prefix(end + 3);
    }
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           StartsWithNoCase(text.substr(text.size() - suffix.size()), suffix);
}

bool LooksLikeHtml(std::string_view head, std::string_view path) {
    const std::string_view text = SkipBlanksAndComments(head);
    for (std::string_view start : {"<!doctype html"sv, "<html"sv, "<head"sv, "<body"sv}) {
        if (StartsWithNoCase(text, start) &&
            (text.size() == start.size() ||
             !std::isalnum(static_cast<unsigned char>(text[start.size()])))) {
            return true;
        }
    }
    const bool named = EndsWithNoCase(path, ".html") || EndsWithNoCase(path, ".htm") ||
                       EndsWithNoCase(path, ".xhtml");
    return named && StartsWith(text, "<");
}

// A message's header block: "Name: value" lines (and their folded continuations) up to a blank
// line or the end of the head, naming at least two fields a message has.
bool LooksLikeMessage(std::string_view head) {
    static constexpr std::string_view kFields[] = {
        "from:"sv,         "to:"sv,           "cc:"sv,         "subject:"sv,      "date:"sv,
        "received:"sv,     "return-path:"sv,  "message-id:"sv, "mime-version:"sv, "reply-to:"sv,
        "delivered-to:"sv, "content-type:"sv, "x-mailer:"sv,   "user-agent:"sv};
    int known = 0;
    std::size_t lines = 0;
    while (!head.empty()) {
        std::size_t end = head.find('\n');
        if (end == std::string_view::npos) break;  // a line cut by the head's end proves nothing
        std::string_view line = head.substr(0, end);
        head.remove_prefix(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) break;
        if (line[0] == ' ' || line[0] == '\t') {
            if (lines == 0) return false;
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon == 0 || colon == std::string_view::npos) return false;
        for (std::size_t i = 0; i < colon; ++i) {
            const char c = line[i];
            if (c <= ' ' || c > '~') return false;
        }
        ++lines;
        for (std::string_view field : kFields)
            known += StartsWithNoCase(line, field) ? 1 : 0;
    }
    return known >= 2;
}

}  // namespace

ContentKind KindOf(std::string_view head, std::string_view path) {
    const EncodingChoice encoding = DetectEncoding(head.substr(0, 4));
    if (IsUnicodeClass(encoding.encoding)) return ContentKind::Text;  // marked UTF-16/32: as always
    if (StartsWith(head, "PK\x03\x04"sv)) return ContentKind::Zip;
    if (StartsWith(head, "%PDF-"sv)) return ContentKind::Pdf;
    if (HasBinarySignature(head)) return ContentKind::NotText;
    if (head.find('\0') != std::string_view::npos) {
        if (const auto wide = WideKind(head)) return *wide;
        return ContentKind::NotText;
    }
    const std::string_view text = head.substr(encoding.markLength);
    if (LooksLikeHtml(text, path)) return ContentKind::Html;
    if (StartsWith(text, "From "sv)) {
        const std::size_t end = text.find('\n');
        if (end != std::string_view::npos && LooksLikeMessage(text.substr(end + 1)))
            return ContentKind::Mailbox;
    }
    if (LooksLikeMessage(text)) return ContentKind::Message;
    return ContentKind::Text;
}

void SkipNotText(const std::string& name, bool readBinary) {
    if (!readBinary) throw FileSkipped(SkippedNotice(name));
}

bool NeedsDocumentReader(ContentKind kind, const std::string& name, bool readBinary) {
    if (kind == ContentKind::Text) return false;
    if (kind != ContentKind::NotText) return true;
    SkipNotText(name, readBinary);
    return false;
}

}  // namespace tessaly::documents
