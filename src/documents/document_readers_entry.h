#pragma once
// The document readers as a module of their own (document-readers.so), with libzip, libxml2 and
// GMime linked to it alone: the extractor tells text from a document by its first bytes
// (content_kind.h) and loads the module the first time a file's content is a document's, so a
// run over text files never loads those libraries. The module's one entry hands out this table.

#include <memory>

#include "documents.h"

namespace tessaly::documents {

struct DocumentReadersEntry {
    // The version of the program the module was built with; the program loads only its own.
    const char* version;
    std::unique_ptr<DocumentReader> (*makeReader)(const DocumentOptions& options);
};

inline constexpr const char* kDocumentReadersModule = "document-readers.so";
inline constexpr const char* kDocumentReadersEntry = "tessaly_document_readers_entry";

}  // namespace tessaly::documents

extern "C" const tessaly::documents::DocumentReadersEntry* tessaly_document_readers_entry();
