#pragma once
// What the document readers' fuzz targets share: the input written to a file of this process,
// read whole twice by the reader under test. A reader may fail with a description
// (FileReadError) but must end, give the same text both times, stay within `bound` bytes and
// mark its places in the text's order.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "document_limits.h"
#include "document_text.h"

namespace tessaly::fuzzing {

using Opener = std::function<std::unique_ptr<DocumentText>(const std::string& path)>;

inline std::string ReadAll(const Opener& open, const std::string& path, std::size_t bound) {
    try {
        std::unique_ptr<DocumentText> text = open(path);
        std::string all;
        TextPlaces places;
        if (text) text->keepPlaces(&places);
        std::size_t placed = 0;
        for (bool more = text != nullptr; more;) {
            more = text->read(all);
            if (all.size() > bound) std::abort();
            // Places are marked in the text's order, within what was read.
            for (const TextPlace& mark : places) {
                if (mark.at < placed || mark.at > all.size()) std::abort();
                placed = mark.at;
            }
            places.clear();
        }
        return all;
    } catch (const FileReadError& e) {
        return std::string("failed: ") + e.what();
    }
}

inline int ReadTwice(const std::uint8_t* data, std::size_t size, const char* extension,
                     const Opener& open, std::size_t bound) {
    static const std::string path =
        "/tmp/tessaly-fuzz-" + std::to_string(::getpid()) + "." + extension;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), std::streamsize(size));
    if (ReadAll(open, path, bound) != ReadAll(open, path, bound)) std::abort();
    return 0;
}

}  // namespace tessaly::fuzzing
