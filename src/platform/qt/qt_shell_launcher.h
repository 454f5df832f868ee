#pragma once
// QtShellLauncher: web addresses go to the default browser, folders to the file manager. The
// desktop decides how; nothing waits for the program it starts.

#include "platform/shell_launcher.h"

namespace tessaly {

class QtShellLauncher : public ShellLauncher {
  public:
    bool openWebAddress(const std::string& address) override;
    bool openFolder(const std::string& path) override;
};

}  // namespace tessaly
