#pragma once
// ScanRules: everything that decides which numbers a scan keeps, as one value. It is built once
// from the options (ExtractionOptions::scanRules, or the extractor's command line) and handed
// whole to the line scanner, the streaming scanner, the file scan, the ordered scan and the
// extraction run, so a new switch of the scanner is a new member here and nothing more in the
// interfaces between them.

#include <cstddef>
#include <cstdint>
#include <string>

#include "phone_number.h"

namespace tessaly {

class DocumentReader;

// The required-text option as the scanner sees it: when active, a number is kept only when its
// raw token (spaces removed, punctuation still in) contains `text`. Case counts.
struct RequiredText {
    bool active = false;
    std::u16string text;
    friend bool operator==(const RequiredText&, const RequiredText&) = default;
};

// The most digits a run read for a stage that cuts it apart may have (ScanRules::longRuns).
inline constexpr std::size_t kLongRunDigits = 64;

// Bit n set for every digit count a number may have (kMinDigits to kMaxDigits).
inline constexpr std::uint32_t kEveryLength =
    ((std::uint32_t{1} << (kMaxDigits + 1)) - 1) & ~((std::uint32_t{1} << kMinDigits) - 1);

struct ScanRules {
    RequiredText required;
    // Digit counts kept, bit n for n digits; only kMinDigits to kMaxDigits can ever be kept.
    std::uint32_t lengths = kEveryLength;
    // Count lines and report the 1-based line of each number (LF, CR LF and a lone CR end a
    // line; a byte-order mark is not part of line 1). Off, the scan never looks at line breaks.
    bool lineNumbers = false;

    // The extractor's reading of a number as written, each off by default: a "+" directly
    // before a number (blanks aside) becomes part of it; the typographic dashes, full-width and
    // Arabic-Indic digits and no-break spaces of separator_map.h count as their ASCII
    // characters; each number carries its text as written in the file.
    bool keepPlus = false;
    bool unicodeSeparators = false;
    bool writtenText = false;
    // The numbers are wanted only as their digits, a line each, and their lines when asked (the
    // extractor's plain and attributed output): the ordered scan hands them as
    // ScanBatch::digitLines, written straight from the text.
    bool digitLines = false;
    // Each number carries the characters around it on its line (WrittenNumber::before and
    // after), for a later stage that judges whether it is a telephone number at all.
    bool numberContext = false;
    // Runs of any digit count from kMinDigits up to kLongRunDigits reach the caller, whatever
    // the lengths: for a stage that cuts a run of several numbers apart (read as written only).
    bool longRuns = false;

    // Each number read from a document carries where in it it stands (text_places.h):
    // ScanBatch::places, WrittenNumber::where.
    bool places = false;

    // Reads the files that are documents (or not text) as such; none reads every file as text.
    // Owned by the caller, and used from the scan's threads at once.
    const DocumentReader* documents = nullptr;

    // Whether the numbers must be read from decoded text (WrittenNumberStream) rather than by
    // the byte scanner, which reads the separators and keeps the ASCII written text itself.
    bool readsWritten() const {
        return keepPlus || (unicodeSeparators && writtenText) || numberContext || longRuns;
    }

    bool acceptsDigitCount(std::size_t digits) const {
        return digits < 32 && ((lengths & kEveryLength) >> digits & 1u);
    }

    friend bool operator==(const ScanRules&, const ScanRules&) = default;
};

}  // namespace tessaly
