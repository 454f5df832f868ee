#include "byte_skip.h"

#include "byte_blocks.h"
#include "byte_skip_variants.h"

namespace tessaly {

#if TESSALY_X86
namespace ssse3 {
const char* FindNumberChar(const char* p, const char* end);
const char* FindTokenEnd(const char* p, const char* end);
TokenSpan MeasureTokenSpan(const char* p, const char* end);
BlockMasks ClassifyBlock(const char* p, const char* end);
std::size_t CopyDigits(const char* p, const char* stop, const char* end, char* out);
const char* WalkDigitRuns(const char* p, const char* end, std::uint32_t lengths,
                          DigitRunCarry& carry, char*& out, const char* outEnd);
const char* WalkDigitRunLines(const char* p, const char* end, std::uint32_t lengths,
                              DigitRunCarry& carry, char*& out, const char* outEnd,
                              std::size_t*& lineOut, TextSpan** textOut);
}  // namespace ssse3

namespace avx2 {
BlockMasks ClassifyBlock(const char* p, const char* end);
BlockMasks ClassifyBlockAndBreaks(const char* p, const char* end, BreakMasks& breaks);
const char* WalkDigitRuns(const char* p, const char* end, std::uint32_t lengths,
                          DigitRunCarry& carry, char*& out, const char* outEnd);
const char* WalkDigitRunLines(const char* p, const char* end, std::uint32_t lengths,
                              DigitRunCarry& carry, char*& out, const char* outEnd,
                              std::size_t*& lineOut, TextSpan** textOut);
}  // namespace avx2
#endif

namespace {

std::size_t CopyDigitsPortable(const char* p, const char* stop, const char*, char* out) {
    return CopyDigitsScalar(p, stop, out);
}

// Where a variant has no reading of its own for the line breaks, they are read apart.
template <BlockMasks (*Classify)(const char*, const char*)>
BlockMasks ClassifyApart(const char* p, const char* end, BreakMasks& breaks) {
    breaks = ClassifyBreaks(p, end);
    return Classify(p, end);
}

const char* WalkDigitRunsPortable(const char* p, const char* end, std::uint32_t lengths,
                                  DigitRunCarry& carry, char*& out, const char* outEnd) {
    return WalkDigitRunsWith<ClassifyBlockScalar, CopyDigitsPortable>(p, end, lengths, carry, out,
                                                                      outEnd);
}

const char* WalkDigitRunLinesPortable(const char* p, const char* end, std::uint32_t lengths,
                                      DigitRunCarry& carry, char*& out, const char* outEnd,
                                      std::size_t*& lineOut, TextSpan** textOut) {
    return WalkDigitRunsWith<ClassifyBlockScalar, CopyDigitsPortable,
                             ClassifyApart<ClassifyBlockScalar>>(p, end, lengths, carry, out,
                                                                 outEnd, &lineOut, textOut);
}

#if TESSALY_X86
const char* WalkDigitRunLinesSse2(const char* p, const char* end, std::uint32_t lengths,
                                  DigitRunCarry& carry, char*& out, const char* outEnd,
                                  std::size_t*& lineOut, TextSpan** textOut) {
    return WalkDigitRunsWith<Sse2Blocks::Classify64, CopyDigitsPortable,
                             ClassifyApart<Sse2Blocks::Classify64>>(p, end, lengths, carry, out,
                                                                    outEnd, &lineOut, textOut);
}

const char* WalkDigitRunsSse2(const char* p, const char* end, std::uint32_t lengths,
                              DigitRunCarry& carry, char*& out, const char* outEnd) {
    return WalkDigitRunsWith<Sse2Blocks::Classify64, CopyDigitsPortable>(p, end, lengths, carry,
                                                                         out, outEnd);
}
#endif

// The fastest set this processor runs, chosen on first use.
const ByteHelperSet& Best() {
    static const ByteHelperSet best = AvailableByteHelperSets().back();
    return best;
}

}  // namespace

std::vector<ByteHelperSet> AvailableByteHelperSets() {
    std::vector<ByteHelperSet> sets{
        {"portable", FindNumberScalar, FindTokenEndScalar,
         [](const char* p, const char* end) { return MeasureScalar(p, end); }, ClassifyBlockScalar,
         ClassifyApart<ClassifyBlockScalar>, CopyDigitsPortable, WalkDigitRunsPortable,
         WalkDigitRunLinesPortable}};
#if TESSALY_X86
    sets.push_back({"sse2", Sse2Blocks::FindNumber, Sse2Blocks::FindEnd, Sse2Blocks::Measure,
                    Sse2Blocks::Classify64, ClassifyApart<Sse2Blocks::Classify64>,
                    CopyDigitsPortable, WalkDigitRunsSse2, WalkDigitRunLinesSse2});
    if (__builtin_cpu_supports("ssse3") && __builtin_cpu_supports("popcnt")) {
        const ByteHelperSet withSsse3{"ssse3",
                                      ssse3::FindNumberChar,
                                      ssse3::FindTokenEnd,
                                      ssse3::MeasureTokenSpan,
                                      ssse3::ClassifyBlock,
                                      ClassifyApart<ssse3::ClassifyBlock>,
                                      ssse3::CopyDigits,
                                      ssse3::WalkDigitRuns,
                                      ssse3::WalkDigitRunLines};
        sets.push_back(withSsse3);
        if (__builtin_cpu_supports("avx2")) {
            ByteHelperSet withAvx2 = withSsse3;
            withAvx2.name = "avx2";
            withAvx2.classifyBlock = avx2::ClassifyBlock;
            withAvx2.classifyBlockAndBreaks = avx2::ClassifyBlockAndBreaks;
            withAvx2.walkDigitRuns = avx2::WalkDigitRuns;
            withAvx2.walkDigitRunLines = avx2::WalkDigitRunLines;
            sets.push_back(withAvx2);
        }
    }
#endif
    return sets;
}

const char* FindNumberChar(const char* p, const char* end) {
    return Best().findNumberChar(p, end);
}
const char* FindTokenEnd(const char* p, const char* end) {
    return Best().findTokenEnd(p, end);
}
TokenSpan MeasureTokenSpan(const char* p, const char* end) {
    return Best().measureTokenSpan(p, end);
}
BlockMasks ClassifyBlock(const char* p, const char* end) {
    return Best().classifyBlock(p, end);
}
BlockMasks ClassifyBlockAndBreaks(const char* p, const char* end, BreakMasks& breaks) {
    return Best().classifyBlockAndBreaks(p, end, breaks);
}
std::size_t CopyDigits(const char* p, const char* stop, const char* end, char* out) {
    return Best().copyDigits(p, stop, end, out);
}
const char* WalkDigitRuns(const char* p, const char* end, std::uint32_t lengths,
                          DigitRunCarry& carry, char*& out, const char* outEnd) {
    return Best().walkDigitRuns(p, end, lengths, carry, out, outEnd);
}
const char* WalkDigitRunLines(const char* p, const char* end, std::uint32_t lengths,
                              DigitRunCarry& carry, char*& out, const char* outEnd,
                              std::size_t*& lineOut, TextSpan** textOut) {
    return Best().walkDigitRunLines(p, end, lengths, carry, out, outEnd, lineOut, textOut);
}

}  // namespace tessaly
