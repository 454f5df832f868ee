#pragma once
// ShellLauncher: hands an address or a folder to the desktop (default browser, file manager).
// No text is ever passed to a command interpreter.

#include <string>

namespace tessaly {

class ShellLauncher {
  public:
    virtual ~ShellLauncher() = default;
    virtual bool openWebAddress(const std::string& address) = 0;
    virtual bool openFolder(const std::string& path) = 0;
};

}  // namespace tessaly
