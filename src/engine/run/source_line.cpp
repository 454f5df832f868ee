#include "source_line.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "document_text.h"
#include "number_chars.h"
#include "text_decoder.h"
#include "text_encoding.h"

namespace tessaly {

namespace {

constexpr std::size_t kChunk = 64 * 1024;
// Characters kept on each side of the number in a long line.
constexpr std::size_t kAround = kLongLine / 2;
// The line is kept whole up to this many characters; beyond, only what may still be shown.
constexpr std::size_t kKeepWhole = 64 * 1024;

// The wanted line's characters, fed one at a time: finds the first run of number characters
// (blanks inside it ignored, as the scanner ignores them) whose digits are the number's, and
// keeps what may be shown around it.
class LineWindow {
  public:
    explicit LineWindow(std::string_view digits) : digits_(digits) {}

    // The characters fed from now on stand at `where` in their document.
    void enterPlace(std::string_view where) { place_ = where; }

    // False once enough was read.
    bool feed(char16_t c) {
        const CharClass cls = ClassOf(c);
        if (cls == CharClass::Digit || cls == CharClass::Punctuation) {
            if (!inRun_) {
                inRun_ = true;
                runStart_ = pos_;
                runDigits_.clear();
                runPlace_ = place_;
            }
            if (cls == CharClass::Digit && runDigits_.size() <= kMaxDigits) runDigits_ += char(c);
            runEnd_ = pos_ + 1;
        } else if (cls != CharClass::Space) {
            endRun();
        }
        kept_ += c;
        ++pos_;
        if (kept_.size() > kKeepWhole) trim();
        return !found_ || pos_ <= std::max(found_->second + after(), kLongLine);
    }

    SourceLine result(bool lineEnded) {
        endRun();
        SourceLine out;
        const std::size_t end = pos_;
        std::size_t from = keptStart_, to = end;
        if (found_ && (!lineEnded || end > kLongLine)) {
            from = std::max(keptStart_, found_->first > kAround ? found_->first - kAround : 0);
            to = std::min(end, found_->second + after());
        } else if (!found_) {
            out.state = SourceLine::State::NotOnLine;
            to = std::min(end, keptStart_ + kLongLine);
        }
        out.text = kept_.substr(from - keptStart_, to - from);
        out.cutBefore = from > 0;
        out.cutAfter = to < end || !lineEnded;
        if (found_) {
            out.numberStart = std::max(found_->first, from) - from;
            out.numberEnd = std::min(found_->second, to) - from;
            out.where = foundPlace_;
        }
        return out;
    }

  private:
    std::size_t after() const {
        return kAround + (found_->first < kAround ? kAround - found_->first : 0);
    }
    void endRun() {
        if (inRun_ && !found_ && runDigits_ == digits_) {
            found_.emplace(runStart_, runEnd_);
            foundPlace_ = runPlace_;
        }
        inRun_ = false;
    }
    // Drops what can no longer be shown: all but the characters before a possible number.
    void trim() {
        std::size_t keepFrom = pos_ - kAround;
        if (found_) keepFrom = found_->first > kAround ? found_->first - kAround : 0;
        if (inRun_ && !found_) keepFrom = std::min(keepFrom, runStart_);
        keepFrom = std::max(keepFrom, pos_ - std::min(pos_, kKeepWhole / 2));
        if (keepFrom <= keptStart_) return;
        kept_.erase(0, keepFrom - keptStart_);
        keptStart_ = keepFrom;
    }

    std::string_view digits_;
    std::u16string kept_;
    std::size_t keptStart_ = 0;  // the line's character kept_[0] stands for
    std::size_t pos_ = 0;        // characters of the line fed so far
    bool inRun_ = false;
    std::size_t runStart_ = 0, runEnd_ = 0;
    std::string runDigits_;
    std::optional<std::pair<std::size_t, std::size_t>> found_;
    std::string place_, runPlace_, foundPlace_;  // where the text, the run, the number stand
};

}  // namespace

SourceLine ReadSourceLine(const SourceFile& file, std::uint64_t line, std::string_view digits,
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

        LineWindow window(digits);
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
