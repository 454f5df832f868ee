// Any file, with any mark or none: streaming it through the scanner gives the numbers of
// reading it into lines and scanning each line; with the Unicode separators, the numbers of the
// decoding reader, which tells whether the file is UTF-8 before its first number where the
// scanner tells it at its first byte that is not ASCII.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "file_number_scan.h"
#include "file_text_reader.h"
#include "phone_scanner.h"
#include "written_file_scan.h"

using namespace tessaly;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::size_t chunk = 1 + data[0] % 37;
    static const std::string path =
        "/tmp/tessaly-fuzz-reader-" + std::to_string(::getpid()) + ".txt";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data + 1), std::streamsize(size - 1));

    std::vector<std::string> expected;
    for (const std::u16string& line : ReadFileLines(path)) {
        for (std::string& n : ExtractPhone(line, {})) {
            if (n.size() >= kMinDigits && n.size() <= kMaxDigits) expected.push_back(std::move(n));
        }
    }
    FileNumberScan scan(path, {}, chunk);
    std::vector<PhoneNumber> found;
    while (scan.next(found)) {
    }
    if (found.size() != expected.size()) std::abort();
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (found[i].view() != expected[i]) std::abort();
    }

    ScanRules separators;
    separators.unicodeSeparators = true;
    WrittenFileScan written(path, separators, chunk);
    std::vector<WrittenNumber> read;
    while (written.next(read)) {
    }
    FileNumberScan withSeparators(path, separators, chunk);
    found.clear();
    while (withSeparators.next(found)) {
    }
    if (found.size() != read.size()) std::abort();
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (found[i].view() != read[i].value) std::abort();
    }
    return 0;
}
