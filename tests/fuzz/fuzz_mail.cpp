// Any bytes read as an e-mail message and as a mailbox, attachments read as documents: the
// reader ends (failing with a description or not), reads the same text each time and stays
// within the layer's expansion bound.

#include "document_fuzzing.h"
#include "documents.h"
#include "mail_text.h"

using namespace tessaly::documents;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const bool mailbox = data[0] & 1;
    return tessaly::fuzzing::ReadTwice(
        data + 1, size - 1, "eml",
        [mailbox](const std::string& path) {
            return OpenMailText(path, path, mailbox, 0,
                                [](const std::string&, const std::string&, int) {
                                    return std::unique_ptr<tessaly::DocumentText>();
                                });
        },
        kMaxExpandedBytes);
}
