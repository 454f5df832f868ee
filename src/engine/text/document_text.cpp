#include "document_text.h"

namespace tessaly {

namespace {
constexpr std::string_view kSkippedReason =
    ": not a text file or a document Tessaly reads; skipped";
}

std::string SkippedNotice(const std::string& path) {
    return path + std::string(kSkippedReason);
}

std::unique_ptr<DocumentText> OpenDocumentText(const DocumentReader& reader, FileSource& file,
                                               const std::string& path, std::string& started) {
    if (path == "-") return nullptr;
    started.resize(DocumentReader::kHeadSize);
    started.resize(file.readFully(started.data(), started.size()));
    return reader.open(path, started);
}

bool IsSkippedNotice(std::string_view description) {
    return description.ends_with(kSkippedReason);
}

}  // namespace tessaly
