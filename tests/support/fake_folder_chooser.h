#pragma once
// A folder chooser that answers with a set path (empty: Cancel) and records what it was asked.

#include <string>
#include <vector>

#include "platform/folder_chooser.h"

namespace tessaly::testing {

class FakeFolderChooser : public FolderChooser {
  public:
    std::string chooseFolder(const std::string& prompt, const std::string& initialFolder) override {
        prompts.push_back(prompt);
        initialFolders.push_back(initialFolder);
        return answer;
    }

    std::string answer;
    std::vector<std::string> prompts;
    std::vector<std::string> initialFolders;
};

}  // namespace tessaly::testing
