#pragma once
// FoundNumbers: the numbers a run found since it last handed them over, each with where it was
// found: the file, named as its input row named it when the file was read, and the line. The
// numbers of one file stand together, so the files are kept as runs over the numbers rather
// than once per number.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "file_source.h"
#include "phone_number.h"

namespace tessaly {

// The line of a number whose line is not known.
inline constexpr std::uint64_t kUnknownLine = 0;

// A file numbers were found in: its path and its state when the run read it.
struct SourceFile {
    std::string path;
    FileStamp stamp;
    friend bool operator==(const SourceFile&, const SourceFile&) = default;
};

struct FoundNumbers {
    // Numbers from `first` up to the next run's first (or the end) came from `file`.
    struct FileRun {
        SourceFile file;
        std::size_t first = 0;
    };

    std::vector<PhoneNumber> numbers;
    std::vector<std::uint64_t> lines;  // 1-based, one per number
    std::vector<FileRun> files;

    bool empty() const { return numbers.empty(); }
    std::size_t size() const { return numbers.size(); }
    // Drops the numbers from `count` on: those of a file whose read failed part-way.
    void truncate(std::size_t count) {
        numbers.resize(count);
        lines.resize(count);
    }
    // The numbers added from now on come from `file`.
    void startFile(const SourceFile& file) {
        if (!files.empty() && files.back().first == numbers.size()) files.pop_back();
        files.push_back({file, numbers.size()});
    }
    void add(const PhoneNumber& number, std::uint64_t line) {
        numbers.push_back(number);
        lines.push_back(line);
    }
    // Empties the numbers; the file being read goes on.
    void clearNumbers() {
        if (!files.empty()) files.erase(files.begin(), files.end() - 1);
        if (!files.empty()) files.back().first = 0;
        numbers.clear();
        lines.clear();
    }
};

}  // namespace tessaly
