#pragma once
// SaveDialog: the save-file dialog. The filter is written as pairs "Text|pattern|", e.g.
// "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"; the first entry is preselected. No extension is
// ever added to the name typed.

#include <string>

namespace tessaly {

class SaveDialog {
  public:
    virtual ~SaveDialog() = default;
    // The chosen full path, or the empty text when the user cancelled.
    virtual std::string chooseSaveFile(const std::string& title, const std::string& filter) = 0;
};

}  // namespace tessaly
