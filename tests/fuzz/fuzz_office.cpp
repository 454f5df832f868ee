// Any bytes read as a zipped office document of each kind: the reader ends (failing with a
// description or not), reads the same text each time and stays within the layer's expansion
// bound.

#include "document_fuzzing.h"
#include "office_text.h"

using namespace tessaly::documents;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tessaly::fuzzing::ReadTwice(
        data, size, "docx",
        [](const std::string& path) -> std::unique_ptr<tessaly::DocumentText> {
            const std::optional<OfficeKind> kind = OfficeKindOf(path, path);
            return kind ? OpenOfficeText(path, path, *kind) : nullptr;
        },
        kMaxExpandedBytes);
}
