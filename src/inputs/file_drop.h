#pragma once
// Files and folders dropped on the input list. A dropped file becomes one row as it stands; a
// dropped folder is walked with its subfolders like the folder import walks a chosen folder,
// taking files of every extension.

#include <string>
#include <vector>

#include "folder_walk.h"
#include "input_list.h"

namespace tessaly {

class FileDrop {
  public:
    FileDrop(InputList& list, const WalkServices& services) : list_(list), services_(services) {}

    // The drop: every path in the order the source supplied them. Asks nothing, shows nothing
    // and sets no busy pointer; the walk of a folder yields, and stops the drop when the window
    // closes.
    void drop(const std::vector<std::string>& paths);

  private:
    InputList& list_;
    WalkServices services_;
};

}  // namespace tessaly
