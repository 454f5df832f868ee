#pragma once
// Files with exact bytes in a temporary folder that disappears with the test.

#include <QTemporaryDir>

#include <fstream>
#include <string>
#include <string_view>

namespace tessaly::testing {

class TempFiles {
  public:
    std::string path(std::string_view name) const {
        return dir_.path().toStdString() + "/" + std::string(name);
    }
    std::string write(std::string_view name, std::string_view bytes) const {
        const std::string p = path(name);
        std::ofstream(p, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return p;
    }
    std::string folder() const { return dir_.path().toStdString(); }

  private:
    QTemporaryDir dir_;
};

}  // namespace tessaly::testing
