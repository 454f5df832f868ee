#include "documents.h"

#include <libxml/parser.h>

#include <mutex>

#include "content_kind.h"
#include "html_text.h"
#include "mail_text.h"
#include "office_text.h"
#include "pdf_text.h"
#include "wide_text.h"

namespace tessaly::documents {

Documents::Documents(DocumentOptions options) : options_(std::move(options)) {
    // libxml2 sets up its shared state once, before any thread parses.
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

std::unique_ptr<DocumentText> Documents::open(const std::string& path,
                                              std::string_view head) const {
    return openAt(path, path, head, 0);
}

std::unique_ptr<DocumentText> Documents::openAt(const std::string& path, const std::string& name,
                                                std::string_view head, int depth) const {
    const ContentKind kind = KindOf(head, path);
    if (!NeedsDocumentReader(kind, name, options_.readBinary)) return nullptr;
    switch (kind) {
        case ContentKind::Text:
        case ContentKind::NotText:
            break;
        case ContentKind::Zip:
            if (const auto office = OfficeKindOf(path, name))
                return OpenOfficeText(path, name, *office);
            SkipNotText(name, options_.readBinary);  // a zip that is no office document
            return nullptr;
        case ContentKind::Pdf:
            return OpenPdfText(path, name, options_.pdfProgram);
        case ContentKind::Html:
            return OpenHtmlText(
                [file = std::make_shared<FileSource>(path)](char* buffer, std::size_t capacity) {
                    return file->read(buffer, capacity);
                },
                name);
        case ContentKind::Message:
        case ContentKind::Mailbox:
            return OpenMailText(path, name, kind == ContentKind::Mailbox, depth,
                                [this](const std::string& p, const std::string& n, int d) {
                                    return openNested(p, n, d);
                                });
        case ContentKind::Utf16LE:
        case ContentKind::Utf16BE:
            return OpenWideText(kind, path);
    }
    return nullptr;
}

std::unique_ptr<DocumentText> Documents::openNested(const std::string& path,
                                                    const std::string& name, int depth) const {
    FileSource file(path);
    std::string head(kHeadSize, '\0');
    head.resize(file.readFully(head.data(), head.size()));
    // Inside a message only documents are read: an attachment that is not one (an image, an
    // archive, plain bytes) is passed over without a word.
    const ContentKind kind = KindOf(head, path);
    if (kind == ContentKind::NotText || kind == ContentKind::Text) return nullptr;
    if (kind == ContentKind::Zip && !OfficeKindOf(path, name)) return nullptr;
    return openAt(path, name, head, depth);
}

}  // namespace tessaly::documents
