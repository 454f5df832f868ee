#pragma once
// A file writer on an in-memory disk: `files` holds what each path contains once committed.
// Failures are set up per test: refuse to create, fail the write that would pass a byte count,
// or fail the commit.

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

#include "platform/file_writer.h"

namespace tessaly::testing {

class FakeFileWriter : public SafeFileWriter {
  public:
    bool PathExists(const std::string& path) override {
        ++existsQueries;
        return files.contains(path) || folders.contains(path);
    }

    std::unique_ptr<SafeFile> create(const std::string& path) override {
        ++creates;
        if (folders.contains(path))
            throw std::runtime_error("Cannot write \"" + path + "\": it is a folder");
        if (failCreate) throw std::runtime_error("Cannot write \"" + path + "\": " + failure);
        if (noReader) {
            throw NoReaderError("No program is reading " + path + "; the results were not saved.");
        }
        return std::make_unique<File>(*this, path);
    }

    std::map<std::string, std::string> files;  // the disk
    std::set<std::string> folders;
    bool failCreate = false;
    bool noReader = false;                     // the path is a named pipe that nobody reads
    std::optional<std::size_t> failPastBytes;  // a write that would go beyond fails
    bool failCommit = false;
    std::string failure = "No space left on device";

    int existsQueries = 0;
    int creates = 0;
    int writes = 0;
    int commits = 0;    // successful ones
    int discarded = 0;  // files dropped without a commit
    std::size_t largestWrite = 0;

  private:
    class File : public SafeFile {
      public:
        File(FakeFileWriter& owner, std::string path) : owner_(owner), path_(std::move(path)) {}
        ~File() override {
            if (!committed_) ++owner_.discarded;
        }
        void write(std::string_view bytes) override {
            ++owner_.writes;
            owner_.largestWrite = std::max(owner_.largestWrite, bytes.size());
            if (owner_.failPastBytes && bytes_.size() + bytes.size() > *owner_.failPastBytes) {
                // Part of the bytes land, as with a full disk.
                bytes_.append(bytes.substr(0, *owner_.failPastBytes - bytes_.size()));
                throw std::runtime_error("Cannot write \"" + path_ + "\": " + owner_.failure);
            }
            bytes_.append(bytes);
        }
        void commit() override {
            if (owner_.failCommit)
                throw std::runtime_error("Cannot write \"" + path_ + "\": " + owner_.failure);
            owner_.files[path_] = bytes_;
            committed_ = true;
            ++owner_.commits;
        }

      private:
        FakeFileWriter& owner_;
        std::string path_;
        std::string bytes_;
        bool committed_ = false;
    };
};

}  // namespace tessaly::testing
