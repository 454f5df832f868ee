#include "document_text.h"

namespace tessaly {

namespace {
constexpr std::string_view kSkippedReason = ": not a text file or a document Tessaly reads; skipped";
}

std::string SkippedNotice(const std::string& path) { return path + std::string(kSkippedReason); }

std::unique_ptr<DocumentText> OpenDocumentText(const DocumentReader& reader, FileSource& file,
                                               const std::string& path) {
    if (path == "-") return nullptr;
    std::string head(DocumentReader::kHeadSize, '\0');
    head.resize(file.readFully(head.data(), head.size()));
    std::unique_ptr<DocumentText> text = reader.open(path, head);
    if (!text && !file.rewind()) throw FileReadError("Cannot read \"" + path + "\": it cannot be read again from its start");
    return text;
}

bool IsSkippedNotice(std::string_view description) { return description.ends_with(kSkippedReason); }

}  // namespace tessaly
