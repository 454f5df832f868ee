#include "byte_skip.h"

#include "byte_blocks.h"

namespace tessaly {

#if TESSALY_X86
namespace ssse3 {
const char* FindNumberChar(const char* p, const char* end);
const char* FindTokenEnd(const char* p, const char* end);
TokenSpan MeasureTokenSpan(const char* p, const char* end);
BlockMasks ClassifyBlock(const char* p, const char* end);
std::size_t CopyDigits(const char* p, const char* stop, const char* end, char* out);
}  // namespace ssse3

namespace {
using Sse2Blocks = Blocks<ClassifySse2>;
const bool kHasSsse3 = __builtin_cpu_supports("ssse3") && __builtin_cpu_supports("popcnt");
}  // namespace

const char* FindNumberChar(const char* p, const char* end) {
    return kHasSsse3 ? ssse3::FindNumberChar(p, end) : Sse2Blocks::FindNumber(p, end);
}
const char* FindTokenEnd(const char* p, const char* end) {
    return kHasSsse3 ? ssse3::FindTokenEnd(p, end) : Sse2Blocks::FindEnd(p, end);
}
TokenSpan MeasureTokenSpan(const char* p, const char* end) {
    return kHasSsse3 ? ssse3::MeasureTokenSpan(p, end) : Sse2Blocks::Measure(p, end);
}
BlockMasks ClassifyBlock(const char* p, const char* end) {
    return kHasSsse3 ? ssse3::ClassifyBlock(p, end) : Sse2Blocks::Classify64(p, end);
}
std::size_t CopyDigits(const char* p, const char* stop, const char* end, char* out) {
    return kHasSsse3 ? ssse3::CopyDigits(p, stop, end, out) : CopyDigitsScalar(p, stop, out);
}
#else
BlockMasks ClassifyBlock(const char* p, const char* end) {
    return ClassifyBlockScalar(p, end);
}
const char* FindNumberChar(const char* p, const char* end) {
    return FindNumberScalar(p, end);
}
const char* FindTokenEnd(const char* p, const char* end) {
    return FindTokenEndScalar(p, end);
}
TokenSpan MeasureTokenSpan(const char* p, const char* end) {
    return MeasureScalar(p, end);
}
std::size_t CopyDigits(const char* p, const char* stop, const char* end, char* out) {
    return CopyDigitsScalar(p, stop, out);
}
#endif

}  // namespace tessaly
