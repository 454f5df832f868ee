#pragma once
// A save dialog that answers with a set path (empty: Cancel) and records how it was asked.

#include <string>
#include <vector>

#include "platform/save_dialog.h"

namespace tessaly::testing {

class FakeSaveDialog : public SaveDialog {
  public:
    std::string chooseSaveFile(const std::string& title, const std::string& filter) override {
        titles.push_back(title);
        filters.push_back(filter);
        return answer;
    }

    std::string answer;
    std::vector<std::string> titles;
    std::vector<std::string> filters;
};

}  // namespace tessaly::testing
