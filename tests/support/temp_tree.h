#pragma once
// A folder tree made for one test in a temporary folder that disappears with it. The top folder
// may be entered by every user, so parts of a test can run unprivileged.

#include <sys/stat.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly::testing {

class TempTree {
  public:
    TempTree() { ::chmod(root().c_str(), 0755); }

    // The top folder, without a trailing separator.
    std::string root() const { return dir_.path().toStdString(); }
    std::string path(std::string_view relative) const {
        return root() + "/" + std::string(relative);
    }

    void folder(std::string_view relative) const {
        std::filesystem::create_directories(path(relative));
    }
    void file(std::string_view relative, std::string_view bytes = "") const {
        const std::filesystem::path p = path(relative);
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }
    // A symbolic link at `relative` leading to `target` as written.
    void link(std::string_view relative, std::string_view target) const {
        const std::filesystem::path p = path(relative);
        std::filesystem::create_directories(p.parent_path());
        std::filesystem::create_symlink(std::string(target), p);
    }
    void mode(std::string_view relative, mode_t mode) const {
        ::chmod(path(relative).c_str(), mode);
    }

    // Paths under the top folder written relative to it; others as they are.
    std::vector<std::string> relative(const std::vector<std::string>& paths) const {
        std::vector<std::string> out;
        const std::string prefix = root() + "/";
        for (const std::string& p : paths) {
            out.push_back(p.starts_with(prefix) ? p.substr(prefix.size()) : p);
        }
        return out;
    }

  private:
    QTemporaryDir dir_;
};

}  // namespace tessaly::testing
