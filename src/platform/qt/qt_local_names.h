#pragma once
// Names on this platform are bytes; Qt holds them as text. A name whose bytes are no valid
// UTF-8 comes to Qt with U+FFFD in their place, and turned back into bytes it names another
// file (one that may even exist). LocalPath finds the bytes that a path as Qt shows it stands
// for, or tells that it cannot.

#include <QString>
#include <optional>
#include <string>

namespace tessaly {

// The bytes of `path` (absolute, as a Qt dialog gives it). A name holding U+FFFD is looked up
// among the entries of its folder: exactly one entry that Qt shows under that name gives its
// bytes; none or several give nothing, so that no other file is ever taken in its place.
std::optional<std::string> LocalPath(const QString& path);

}  // namespace tessaly
