#include "document_readers_entry.h"

namespace tessaly::documents {
namespace {

std::unique_ptr<DocumentReader> MakeReader(const DocumentOptions& options) {
    return std::make_unique<Documents>(options);
}

constexpr DocumentReadersEntry kEntry{TESSALY_VERSION, MakeReader};

}  // namespace
}  // namespace tessaly::documents

const tessaly::documents::DocumentReadersEntry* tessaly_document_readers_entry() {
    return &tessaly::documents::kEntry;
}
