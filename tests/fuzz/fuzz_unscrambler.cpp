// The sample record's scrambling: any record of codes 1 to 255 comes back unchanged under any
// key of lower-case letters, scrambled codes stay within 1 to 255, lengths never change, a
// scramble cut short by a closing window is a prefix of the whole one, and the stored form
// reads back to the very codes it was made from.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/event_loop.h"
#include "record_scrambler.h"

using namespace tessaly;

namespace {

// A window that closes after a given number of passes of its event loop.
class ClosingLoop : public EventLoop {
  public:
    explicit ClosingLoop(std::size_t passes) : left_(passes) {}
    bool yield() override { return left_ > 0 && left_-- > 0; }

  private:
    std::size_t left_;
};

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckCodesWithinRange(const std::string& text) {
    for (const char c : text)
        Check(c != '\0');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // First byte: length of a key made from the following bytes (0: the record key); second:
    // the pass at which the window closes.
    const std::size_t keyLength = data[0] % 9;
    const std::size_t closeAt = data[1];
    data += 2;
    size -= 2;
    if (size < keyLength) return 0;
    std::string key;
    for (std::size_t i = 0; i < keyLength; ++i)
        key.push_back(static_cast<char>('a' + data[i] % 26));
    if (key.empty()) key = std::string(kRecordKey);
    data += keyLength;
    size -= keyLength;
    const std::string raw(reinterpret_cast<const char*>(data), size);

    // Recorded paths never hold code 0; every other code must survive.
    std::string record = raw;
    for (char& c : record) {
        if (c == '\0') c = '\x01';
    }
    const std::string scrambled = ScrambleText(record, key);
    Check(scrambled.size() == record.size());
    CheckCodesWithinRange(scrambled);
    Check(UnscrambleText(scrambled, key) == record);

    // Unscrambling what a hand-edited setting holds never fails, and scrambling undoes it.
    const std::string unscrambled = UnscrambleText(record, key);
    Check(unscrambled.size() == record.size());
    CheckCodesWithinRange(unscrambled);
    Check(ScrambleText(unscrambled, key) == record);

    // A window closing part-way leaves a prefix of the whole result.
    ClosingLoop loop(closeAt);
    PacedYield yield(loop, Pacing{std::chrono::microseconds(0), {}});
    const std::string cut = ScrambleText(record, key, &yield);
    Check(scrambled.compare(0, cut.size(), cut) == 0);
    Check(yield.stopped() == (cut.size() < record.size()));

    // The stored form: any codes come back; any stored text either reads back to codes that
    // store as that very text, or is refused.
    const std::optional<std::string> codes = StoredTextToCodes(CodesToStoredText(raw));
    Check(codes && *codes == raw);
    if (const std::optional<std::string> read = StoredTextToCodes(raw)) {
        Check(CodesToStoredText(*read) == raw);
    }
    return 0;
}
