#include "documents_on_demand.h"

#include "content_kind.h"
#include "wide_text.h"

namespace tessaly::cli {

std::unique_ptr<DocumentText> DocumentsOnDemand::open(const std::string& path,
                                                      std::string_view head) const {
    const documents::ContentKind kind = documents::KindOf(head, path);
    if (!documents::NeedsDocumentReader(kind, path, options_.readBinary)) return nullptr;
    if (auto wide = documents::OpenWideText(kind, path)) return wide;
    const DocumentReader* reader = readers();
    if (!reader) {
        throw FileReadError("Cannot read \"" + path +
                            "\": the document readers could not be loaded: " + failure_);
    }
    return reader->open(path, head);
}

const DocumentReader* DocumentsOnDemand::readers() const {
    std::call_once(once_, [this] {
        try {
            readers_ = modules_.documentReaders().makeReader(options_);
        } catch (const LayerUnavailable& e) {
            failure_ = e.what();
        }
    });
    return readers_.get();
}

}  // namespace tessaly::cli
