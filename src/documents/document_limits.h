#pragma once
// The bounds every document reader keeps, so a hostile file costs bounded memory and time: how
// much text a document may expand to, how far a zip entry may expand, how deep containers nest.

#include <cstddef>
#include <cstdint>
#include <string>

#include "file_source.h"

namespace tessaly::documents {

// Expanded bytes a document's parts may give in all.
inline constexpr std::uint64_t kMaxExpandedBytes = std::uint64_t{1} << 30;
// How many times its stored size a zip entry may expand to, once past kRatioFloor.
inline constexpr std::uint64_t kMaxEntryRatio = 100;
inline constexpr std::uint64_t kRatioFloor = std::uint64_t{1} << 20;
// Documents within documents (e-mail attachments, enclosed messages).
inline constexpr int kMaxNesting = 8;
// Parts of one e-mail message read at most.
inline constexpr std::size_t kMaxMessageParts = 10000;
// How much text a reader gathers before handing a piece over.
inline constexpr std::size_t kPieceSize = 64 * 1024;

// The failure of a document that cannot be read, in the words of every failed read.
inline FileReadError DocumentError(const std::string& path, const std::string& reason) {
    return FileReadError("Cannot read \"" + path + "\": " + reason);
}

}  // namespace tessaly::documents
