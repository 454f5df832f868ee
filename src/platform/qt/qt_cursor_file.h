#pragma once
// Pointer images from .cur files: the first image of the file, with the hotspot the file gives
// (the image reader drops it, so it is read from the file's directory entry).

#include <QCursor>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

struct CursorHotspot {
    int x = 0;
    int y = 0;
    friend bool operator==(const CursorHotspot&, const CursorHotspot&) = default;
};

// The hotspot of the first image of a .cur file's bytes; nothing when they are no cursor file.
std::optional<CursorHotspot> ReadCursorHotspot(std::string_view bytes);

// The pointer image of the .cur file at `path` (bytes). Throws std::runtime_error naming the
// file when it cannot be read or holds no cursor.
QCursor LoadCursorFile(const std::string& path);

}  // namespace tessaly
