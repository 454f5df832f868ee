#pragma once
// Records every address and folder handed to the desktop instead of opening them.

#include <string>
#include <vector>

#include "platform/shell_launcher.h"

namespace tessaly::testing {

class FakeShellLauncher : public ShellLauncher {
  public:
    bool openWebAddress(const std::string& address) override {
        addresses.push_back(address);
        return succeed;
    }
    bool openFolder(const std::string& path) override {
        folders.push_back(path);
        return succeed;
    }

    std::vector<std::string> addresses;
    std::vector<std::string> folders;
    bool succeed = true;
};

}  // namespace tessaly::testing
