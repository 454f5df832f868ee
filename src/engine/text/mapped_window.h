#pragma once
// MappedWindow: a stretch of a big regular file read through a memory mapping instead of being
// copied by read(); copying is most of what the scan of a file with few numbers costs. A file is
// mapped a window at a time, so the memory the process holds stays bounded whatever its size.
//
// A mapped file that becomes shorter while it is read (or whose disk fails) would end the whole
// process with a bus error as soon as the scan touched the lost bytes. Instead, a lost page and
// the rest of its window read as zeros (which are no number characters) and lost() says so: the
// caller drops what it read from the window's last piece and reports the file as failed, with
// its path and reason, and the run goes on with the next file.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "file_source.h"

namespace tessaly {

// When and how a big file is read through a mapping: files of `from` bytes and more, `window`
// bytes at a time (a multiple of the page size) for 8-bit text, as many times more for wide
// text as its units have bytes.
struct MappedReading {
    std::uint64_t from = 256 * 1024;
    std::size_t window = 1024 * 1024;
};

class MappedWindow {
  public:
    // Maps up to `size` bytes of `file` from `offset` (a multiple of the page size), no further
    // than the length the file had when opened. bytes() is empty when the file cannot be mapped
    // there (the caller reads it instead).
    MappedWindow(const FileSource& file, std::uint64_t offset, std::size_t size);
    ~MappedWindow();
    MappedWindow(const MappedWindow&) = delete;
    MappedWindow& operator=(const MappedWindow&) = delete;

    std::string_view bytes() const { return {data_, size_}; }
    // True once part of the window went away while mapped and read as zeros from there on.
    bool lost() const;
    // The failure of `file` (whose window this is) once lost: it became shorter, or its disk
    // failed.
    FileReadError lostFailure(const FileSource& file) const;

    // The size of a page, which window offsets are multiples of.
    static std::size_t PageSize();

  private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t slot_ = 0;  // where the bus error handler finds the window
};

}  // namespace tessaly
