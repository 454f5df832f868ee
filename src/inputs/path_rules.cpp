#include "path_rules.h"

namespace tessaly {

namespace {

// Each pair of separators, taken left to right without overlap, becomes one.
std::string HalvePairs(std::string_view text, char separator) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == separator && i + 1 < text.size() && text[i + 1] == separator) ++i;
    }
    return out;
}

std::string Normalise(std::string_view path, char separator, std::string_view lead) {
    if (path.empty() || path.front() != separator) return HalvePairs(path, separator);
    std::size_t rest = 1;
    while (rest < path.size() && path[rest] == separator)
        ++rest;
    return std::string(lead) + HalvePairs(path.substr(rest), separator);
}

}  // namespace

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    path += kPathSeparator;
    path += name;
    return path;
}

std::string RemoveDoubleBackslashes(std::string_view path) {
    return Normalise(path, '\\', "\\\\");
}

std::string RemoveDoubleSlashes(std::string_view path) {
    return Normalise(path, '/', "/");
}

}  // namespace tessaly
