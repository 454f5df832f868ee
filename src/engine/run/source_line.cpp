#include "source_line.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "document_text.h"
#include "number_chars.h"
#include "number_spellings.h"
#include "scan_rules.h"
#include "text_decoder.h"
#include "text_encoding.h"

namespace tessaly {

namespace {

constexpr std::size_t kChunk = 64 * 1024;
// Characters kept on each side of the number in a long line.
constexpr std::size_t kAround = kLongLine / 2;
// The line is kept whole up to this many characters; beyond, only what may still be shown.
constexpr std::size_t kKeepWhole = 64 * 1024;

// The wanted line's characters, fed one at a time: finds where the number stands written in
// the line's runs of number characters (blanks inside a run ignored, as the scanner ignores
// them) and keeps what may be shown around it. The closest spelling (number_spellings.h) wins,
// the first of equals: a whole run before a part of a run that blanks cut (a run of several
// numbers), and of each, one written with the result's digits before one that spells its
// +E.164 number otherwise. Once a whole run with the result's digits is found the rest of the
// line is not read; a lesser spelling keeps what is shown of it while the line is read on for
// a closer one.
class LineWindow {
  public:
    explicit LineWindow(std::string_view number) : spellings_(number) {}

    // The characters fed from now on stand at `where` in their document.
    void enterPlace(std::string_view where) { place_ = where; }

    // False once enough was read.
    bool feed(char16_t c) {
        const CharClass cls = ClassOf(c);
        if (cls == CharClass::Digit || cls == CharClass::Punctuation) {
            if (!inRun_) startRun();
            if (newGroup_) {
                groupStart_ = pos_;
                groupOpen_ = newGroup_ = false;
            }
            if (cls == CharClass::Digit && runDigits_.size() <= kLongRunDigits) {
                if (!groupOpen_) groups_.push_back({groupStart_, 0, runDigits_.size(), 0});
                groupOpen_ = true;
                runDigits_ += char(c);
            }
            if (groupOpen_) groups_.back().extend(pos_ + 1, runDigits_.size());
            runEnd_ = pos_ + 1;
        } else if (cls == CharClass::Space) {
            newGroup_ = true;
        } else {
            endRun();
        }
        if (cls != CharClass::Space) plus_ = c == u'+' ? std::optional(pos_) : std::nullopt;
        kept_ += c;
        ++pos_;
        if (kept_.size() > kKeepWhole) trim();
        if (!found_) return true;
        const std::size_t shownTo = std::max(found_->end + after(*found_), kLongLine);
        if (found_->rank == kClosest) return pos_ <= shownTo;
        if (!shown_ && pos_ > shownTo) shown_ = shown(&*found_, false);
        return true;
    }

    SourceLine result(bool lineEnded) {
        endRun();
        if (shown_) return *shown_;
        return shown(found_ ? &*found_ : nullptr, lineEnded);
    }

  private:
    // A run's blank-separated group that holds digits: characters [start, end) of the line,
    // digits [digitsFrom, digitsTo) of the run's.
    struct Group {
        std::size_t start, end, digitsFrom, digitsTo;
        void extend(std::size_t at, std::size_t digits) {
            end = at;
            digitsTo = digits;
        }
    };
    // Where the number stands: characters [start, end) of the line; the lower the rank, the
    // closer the spelling.
    struct Found {
        std::size_t start, end;
        int rank;
        std::string place;
    };
    static constexpr int kClosest = 0;

    std::size_t after(const Found& found) const {
        return kAround + (found.start < kAround ? kAround - found.start : 0);
    }
    void startRun() {
        inRun_ = newGroup_ = true;
        runStart_ = pos_;
        // A "+" before an international number (blanks aside) is part of how it is written.
        runPlus_ = spellings_.international() ? plus_ : std::nullopt;
        runDigits_.clear();
        groups_.clear();
        runPlace_ = place_;
    }
    void endRun() {
        if (!inRun_) return;
        inRun_ = false;
        if ((found_ && found_->rank == kClosest) || runDigits_.size() > kLongRunDigits) return;
        consider(spellings_.match(runDigits_), false, runStart_, runEnd_);
        // The parts a run of several numbers may have been cut into: ranges of its groups.
        const std::size_t n = groups_.size();
        for (std::size_t first = 0; first < n; ++first) {
            for (std::size_t last = first; last < n; ++last) {
                const std::size_t from = groups_[first].digitsFrom;
                if (groups_[last].digitsTo - from > spellings_.longest()) break;
                if (first == 0 && last == n - 1) continue;  // the whole run's digits
                const std::string_view digits =
                    std::string_view(runDigits_).substr(from, groups_[last].digitsTo - from);
                consider(spellings_.match(digits), true, groups_[first].start, groups_[last].end);
            }
        }
    }
    void consider(NumberSpellings::Match match, bool part, std::size_t start, std::size_t end) {
        if (match == NumberSpellings::Match::None) return;
        const int rank = (part ? 2 : 0) + (match == NumberSpellings::Match::Exact ? 0 : 1);
        if (found_ && found_->rank <= rank) return;
        if (start == runStart_ && runPlus_) start = *runPlus_;
        found_ = Found{start, end, rank, runPlace_};
        shown_.reset();
    }
    // What is shown for `found` (none: the number is not on the line) of what was read so far.
    SourceLine shown(const Found* found, bool lineEnded) const {
        SourceLine out;
        const std::size_t end = pos_;
        std::size_t from = keptStart_, to = end;
        if (found && (!lineEnded || end > kLongLine)) {
            from = std::max(keptStart_, found->start > kAround ? found->start - kAround : 0);
            to = std::min(end, found->end + after(*found));
        } else if (!found) {
            out.state = SourceLine::State::NotOnLine;
            to = std::min(end, keptStart_ + kLongLine);
        }
        out.text = kept_.substr(from - keptStart_, to - from);
        out.cutBefore = from > 0;
        out.cutAfter = to < end || !lineEnded;
        if (found) {
            out.numberStart = std::max(found->start, from) - from;
            out.numberEnd = std::min(found->end, to) - from;
            out.where = found->place;
        }
        return out;
    }
    // Drops what can no longer be shown: all but the characters before a possible number.
    void trim() {
        std::size_t keepFrom = pos_ - kAround;
        if (found_) keepFrom = found_->start > kAround ? found_->start - kAround : 0;
        if (inRun_ && !(found_ && found_->rank == kClosest))
            keepFrom = std::min(keepFrom, runPlus_.value_or(runStart_));
        keepFrom = std::max(keepFrom, pos_ - std::min(pos_, kKeepWhole / 2));
        if (keepFrom <= keptStart_) return;
        kept_.erase(0, keepFrom - keptStart_);
        keptStart_ = keepFrom;
    }

    NumberSpellings spellings_;
    std::u16string kept_;
    std::size_t keptStart_ = 0;        // the line's character kept_[0] stands for
    std::size_t pos_ = 0;              // characters of the line fed so far
    std::optional<std::size_t> plus_;  // a "+" followed by blanks only, so far
    bool inRun_ = false;
    std::size_t runStart_ = 0, runEnd_ = 0;
    std::optional<std::size_t> runPlus_;
    std::string runDigits_;  // more than kLongRunDigits: no number was read from the run
    std::vector<Group> groups_;
    std::size_t groupStart_ = 0;
    bool newGroup_ = false, groupOpen_ = false;
    std::optional<Found> found_;
    std::optional<SourceLine> shown_;  // what is shown of a lesser found_, once it is read
    std::string place_, runPlace_;     // where the text, the run stand
};

}  // namespace

SourceLine ReadSourceLine(const SourceFile& file, std::uint64_t line, std::string_view number,
                          const std::atomic<bool>* stop, const DocumentReader* documents) {
    SourceLine out;
    const std::optional<FileStamp> now = StampOf(file.path);
    if (!now) {
        out.state = SourceLine::State::Gone;
        return out;
    }
    if (*now != file.stamp) {
        out.state = SourceLine::State::Changed;
        return out;
    }
    try {
        FileSource source(file.path);
        if (source.stamp() != file.stamp) {
            out.state = SourceLine::State::Changed;
            return out;
        }
        // Decoded as the run decoded it, a piece at a time: a document as its text, UTF-8,
        // with its places; any other file by its mark.
        std::string head;
        std::unique_ptr<DocumentText> document;
        if (documents) {
            document = OpenDocumentText(*documents, source, file.path, head);
        } else {
            head.resize(4);
            head.resize(source.readFully(head.data(), head.size()));
        }
        TextPlaces places;
        if (document) document->keepPlaces(&places);
        const EncodingChoice choice =
            document ? EncodingChoice{TextEncoding::Utf8, 0} : DetectEncoding(head);
        TextDecoder decoder(choice.encoding);
        std::u16string text;
        std::string piece = document ? std::string() : head.substr(choice.markLength);

        LineWindow window(number);
        std::uint64_t current = 1;
        bool afterCR = false, reading = true, lineEnded = false;
        const auto take = [&](std::string_view bytes) {
            decoder.decode(bytes, text);
            for (std::size_t i = 0; i < text.size() && reading; ++i) {
                const char16_t c = text[i];
                const bool pairEnd = afterCR && c == u'\n';
                afterCR = c == u'\r';
                if (pairEnd) continue;
                if (c == u'\r' || c == u'\n') {
                    lineEnded = current == line;
                    reading = current++ < line;
                } else if (current == line) {
                    reading = window.feed(c);
                }
            }
            text.clear();
        };
        for (bool more = true; reading;) {
            if (stop && stop->load(std::memory_order_relaxed)) throw FileReadError("stopped");
            WalkPlaces(piece, places, take,
                       [&](std::string_view where) { window.enterPlace(where); });
            if (!more) {
                decoder.finish(text);
                take({});
                if (reading) lineEnded = current == line;  // the file's end ends its last line
                if (current < line) {
                    out.state = SourceLine::State::Changed;  // the file has fewer lines now
                    return out;
                }
                break;
            }
            piece.clear();
            places.clear();
            if (document) {
                more = document->read(piece);
            } else {
                piece.resize(kChunk);
                piece.resize(source.read(piece.data(), piece.size()));
                more = !piece.empty();
            }
        }
        out = window.result(lineEnded);
    } catch (const FileReadError& e) {
        out = SourceLine{};
        out.state = SourceLine::State::Unreadable;
        out.failure = e.what();
    }
    return out;
}

std::string ContainingFolder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace tessaly
