#pragma once
// Files and folders dropped on the input list. A dropped file becomes one row as it stands; a
// dropped folder is walked with its subfolders like the folder import walks a chosen folder,
// taking files of every extension.

#include <string>
#include <vector>

#include "folder_walk.h"
#include "input_list.h"
#include "platform/message_boxes.h"

namespace tessaly {

class FileDrop {
  public:
    FileDrop(InputList& list, const WalkServices& services, MessageBoxes& boxes)
        : list_(list), services_(services), boxes_(boxes) {}

    // The drop: every path in the order the source supplied them. Asks nothing and sets no busy
    // pointer; the walk of a folder yields, and stops the drop when the window closes. Shows
    // nothing, unless folders could not be read: then one notice at the end says which.
    void drop(const std::vector<std::string>& paths);

  private:
    InputList& list_;
    WalkServices services_;
    MessageBoxes& boxes_;
};

}  // namespace tessaly
