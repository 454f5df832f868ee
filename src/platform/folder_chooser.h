#pragma once
// FolderChooser: the modal chooser of one existing folder.

#include <string>

namespace tessaly {

class FolderChooser {
  public:
    virtual ~FolderChooser() = default;
    // The chosen folder's path (bytes, without a trailing separator except for the root
    // folder "/"), or the empty text on Cancel. The chooser opens with `initialFolder`
    // selected when it names an existing folder.
    virtual std::string chooseFolder(const std::string& prompt,
                                     const std::string& initialFolder) = 0;
};

}  // namespace tessaly
