// Any bytes read as a web page: the reader ends (failing with a description or not), reads the
// same text each time, and the text is never more than a bounded multiple of the page (each tag
// ends at most one line, each tel: link repeats its address once).

#include "document_fuzzing.h"
#include "file_source.h"
#include "html_text.h"

using namespace tessaly::documents;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tessaly::fuzzing::ReadTwice(
        data, size, "html",
        [](const std::string& path) {
            auto file = std::make_shared<tessaly::FileSource>(path);
            return OpenHtmlText([file](char* b, std::size_t n) { return file->read(b, n); }, path);
        },
        3 * size + 64);
}
