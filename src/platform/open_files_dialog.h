#pragma once
// OpenFilesDialog: the open-file dialog of "Add File(s)". Its result is one text: the full path
// of a single picked file, or the folder followed by each picked name, all separated by NUL
// characters. The text must fit the dialog's result buffer; a selection that does not fit is
// refused as a whole.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

struct OpenFilesRequest {
    std::string title;
    // Pairs "Text|pattern|"; "*.*" stands for every name, also names without a dot.
    std::string filter;
    bool multiSelect = true;
    std::size_t resultLimit = 0;  // characters of the whole result text
};

struct OpenFilesChoice {
    std::string resultText;       // empty: cancelled (or refused)
    bool bufferTooSmall = false;  // the picked names did not fit into resultLimit
};

class OpenFilesDialog {
  public:
    virtual ~OpenFilesDialog() = default;
    virtual OpenFilesChoice chooseOpenFiles(const OpenFilesRequest& request) = 0;
};

// The result text for files picked in `folder`: the full path of one file, or the folder and
// the names separated by NUL characters.
inline std::string OpenFilesResultText(std::string_view folder,
                                       const std::vector<std::string>& names) {
    if (names.size() == 1) {
        std::string path(folder);
        if (path.empty() || path.back() != '/') path += '/';
        return path + names.front();
    }
    std::string text(folder);
    for (const std::string& name : names) {
        text += '\0';
        text += name;
    }
    return text;
}

// Characters of a UTF-8 text as the result buffer counts them: 16-bit units, so a character
// beyond the basic plane takes two. A byte that belongs to no character counts as one.
inline std::size_t OpenFilesResultLength(std::string_view text) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) == 0x80) continue;  // continuation of the character before
        units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

// The dialog's answer for a selection, refused when it does not fit into `limit` characters.
inline OpenFilesChoice OpenFilesChoiceFor(std::string_view folder,
                                          const std::vector<std::string>& names,
                                          std::size_t limit) {
    if (names.empty()) return {};
    std::string text = OpenFilesResultText(folder, names);
    if (OpenFilesResultLength(text) > limit) return {std::string(), true};
    return {std::move(text), false};
}

}  // namespace tessaly
