#include "document_text.h"

namespace tessaly {

namespace {
constexpr std::string_view kSkippedReason = ": not a text file or a document Tessaly reads; skipped";
}

std::string SkippedNotice(const std::string& path) { return path + std::string(kSkippedReason); }

bool IsSkippedNotice(std::string_view description) { return description.ends_with(kSkippedReason); }

}  // namespace tessaly
