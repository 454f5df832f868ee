#pragma once
// RunReport: what a run of tessaly-extract tells besides the numbers. Each failure is said as
// the output reaches it, in the output's order, and nothing of it is kept afterwards; that
// anything failed is one fact of the run, from which the exit status follows as grep's does:
// 0 when a number was written, 1 when none was found and nothing failed, 2 when anything failed.
//
// Failures met ahead of the output (a folder that cannot be listed, found while looking for
// the next files to read) wait until the output reaches the file that came after them.

#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace tessaly::cli {

class RunReport {
  public:
    // say(message): one line for the user, without the program's name.
    explicit RunReport(std::function<void(const std::string&)> say) : say_(std::move(say)) {}

    // Called before each message is said (the output writes out what it holds, so the two
    // keep their order).
    void beforeSaying(std::function<void()> prepare) { prepare_ = std::move(prepare); }

    // A failure, said now.
    void failure(const std::string& message);
    // A notice that is no failure (a file skipped as not text), said now.
    void notice(const std::string& message);
    // A failure met before file `file` (0-based, in the output's order) was found: said once the
    // output reaches that file. Any thread may call it.
    void failureBefore(std::size_t file, std::string message);
    // The same for what is worth saying but no failure.
    void noteBefore(std::size_t file, std::string message);
    // The output reached file `file` (SIZE_MAX: the end): the failures met before it are said.
    void reached(std::size_t file);

    bool failed() const { return failed_; }
    int exitStatus(bool numberWritten) const { return failed_ ? 2 : numberWritten ? 0 : 1; }

  private:
    struct Waiting {
        std::size_t file;
        std::string message;
        bool failure;
    };
    std::function<void(const std::string&)> say_;
    std::function<void()> prepare_;
    bool failed_ = false;
    std::mutex waitingLock_;
    std::vector<Waiting> waiting_;  // in the order met, so by file
};

}  // namespace tessaly::cli
