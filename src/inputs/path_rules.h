#pragma once
// How the file adders compose and tidy the paths they append.

#include <string>
#include <string_view>

namespace tessaly {

inline constexpr char kPathSeparator = '/';

// Folder, one separator, name: nothing is removed, so a folder that already ends in a
// separator gives a doubled one for RemoveDoubleSlashes to tidy.
std::string JoinPath(std::string_view folder, std::string_view name);

// The normaliser for backslash paths: one left-to-right pass replaces each pair of backslashes
// by one (a run of three becomes two, of four two). A path that begins with a backslash keeps
// exactly two at its start, the prefix of a network path.
std::string RemoveDoubleBackslashes(std::string_view path);

// The same pass over "/" separators. The leading run becomes a single "/": here no path
// begins with two.
std::string RemoveDoubleSlashes(std::string_view path);

}  // namespace tessaly
