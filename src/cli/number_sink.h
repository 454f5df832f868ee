#pragma once
// NumberSink: where the ordered scan's numbers go in tessaly-extract. The scan delivers, in file
// order, each file as it is entered, its numbers a piece at a time and, when its read fails
// part-way, that failure; the run then asks for what waits for the end. One class per output:
//
//   ordered scan ─▶ [UniqueValues] ─▶ PlainLines | AttributedLines | JsonLines   (written at once)
//                                  ─▶ SavedList (table, comma-delimited)          (written at the
//                                  end)
//                   ValueCounts (--count)                                         (written at the
//                   end)
//
// Every sink writes into the OutputFile it was made with, and decides itself what becomes of a
// file that failed part-way: lines already written stay, what waits for the end is taken back.
// Numbers come from the byte scanner (ScanBatch) or from the reader of decoded text
// (WrittenNumber); most sinks treat both alike through EachNumber.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "digit_line_walk.h"
#include "ordered_scan.h"

namespace tessaly::cli {

class NumberSink {
  public:
    virtual ~NumberSink() = default;

    // The numbers that follow were found in `path` ("-" is standard input).
    virtual void enterFile(const std::string& path) = 0;
    virtual void take(const ScanBatch& batch) = 0;
    virtual void take(const std::vector<WrittenNumber>& numbers) = 0;
    // The file entered last failed part-way. True when numbers of it stay written (lines already
    // out cannot be taken back); false when the output keeps nothing of it.
    virtual bool fileFailed() = 0;
    // Writes what waits for the end. May throw when what was kept cannot be written.
    virtual void finish() {}
    // True once a number was written (or is certain to be, at the end).
    virtual bool wroteNumber() const = 0;
    // True for a sink that writes each number's digits, and its path or line at most: the byte
    // scanner then hands them as digit lines (ScanBatch::digitLines), not as entries.
    virtual bool takesDigitLines() const { return false; }
};

// For a sink that treats every number alike whichever reader found it: `Sink` defines
// put(line, value, text) for an ASCII text (std::string_view) and a decoded one
// (std::u16string_view); the line is 0 and the text empty unless the scan rules ask for them.
// A sink that names where in a document a number stands defines enterPlace(where), called
// before the numbers of each place.
template <class Sink>
class EachNumber : public NumberSink {
  public:
    EachNumber(bool withLines, bool withTexts) : withLines_(withLines), withTexts_(withTexts) {}

    void take(const ScanBatch& batch) override {
        Sink& sink = static_cast<Sink&>(*this);
        // Digit lines go to sinks that name no places; a sink that takes them all at once
        // (putDigitLines, with each one's line when lines are asked for) gets them so.
        const std::string_view digitLines = batch.digitLines.view();
        if constexpr (requires { sink.putDigitLines(digitLines); }) {
            sink.putDigitLines(digitLines);
        } else if constexpr (requires { sink.putDigitLines(digitLines, batch.lines); }) {
            sink.putDigitLines(digitLines, withLines_ ? std::span<const std::size_t>(batch.lines)
                                                      : std::span<const std::size_t>());
        } else {
            DigitLineWalk walk(digitLines, 0);
            for (std::size_t i = 0; walk.at() < digitLines.size(); ++i)
                sink.put(withLines_ ? batch.lines[i] : 0, walk.next(), std::string_view());
        }
        [[maybe_unused]] std::size_t run = 0;
        for (std::size_t i = 0; i < batch.numbers.size(); ++i) {
            if constexpr (requires { sink.enterPlace(std::string_view()); }) {
                const auto& runs = batch.places.runs;
                for (; run < runs.size() && runs[run].first <= i; ++run)
                    sink.enterPlace(runs[run].where);
            }
            sink.put(withLines_ ? batch.lines[i] : 0, batch.numbers[i].view(),
                     withTexts_ ? batch.texts.at(i) : std::string_view());
        }
    }
    void take(const std::vector<WrittenNumber>& numbers) final {
        Sink& sink = static_cast<Sink&>(*this);
        for (const WrittenNumber& n : numbers) {
            if constexpr (requires { sink.enterPlace(std::string_view()); })
                sink.enterPlace(n.where);
            // A sink that writes the members the number stage adds (jsonl) takes them too.
            if constexpr (requires { sink.put(n.line, n.value, n.text, n.jsonMembers); }) {
                sink.put(n.line, std::string_view(n.value), std::u16string_view(n.text),
                         std::string_view(n.jsonMembers));
            } else {
                sink.put(n.line, std::string_view(n.value), std::u16string_view(n.text));
            }
        }
    }

  private:
    bool withLines_;
    bool withTexts_;
};

}  // namespace tessaly::cli
