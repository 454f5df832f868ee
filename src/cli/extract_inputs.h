#pragma once
// ExtractInputs: the files tessaly-extract reads, in order: the paths on the command line, then
// those of --files-from as the scan asks for them, each folder standing for its files. Folders
// are walked as the scan asks for files, on whichever thread asks; a folder that cannot be read
// (or a list that fails part-way) is told to the run's report before the file found after it.
// The output itself is never read.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "command_line.h"
#include "input_paths.h"
#include "path_list.h"
#include "platform/error_box.h"
#include "posix_file_system.h"
#include "run_report.h"

namespace tessaly::cli {

class ExtractInputs {
  public:
    // `own`: the files the output is; `target`: the user's file among them, when it exists.
    // Throws std::runtime_error when the --files-from list cannot be opened.
    ExtractInputs(const ExtractArguments& arguments, std::vector<FileIdentity> own,
                  std::optional<FileIdentity> target, RunReport& report);
    ExtractInputs(const ExtractInputs&) = delete;
    ExtractInputs& operator=(const ExtractInputs&) = delete;

    // The next file to read; nothing once all were given. Asked on one thread at a time.
    std::optional<std::string> next();
    // The entry of --files-from that was the output; the list ended there.
    const std::optional<std::string>& listedOutput() const { return listedOutput_; }

  private:
    // Failures of a folder walk, one line each: the description without the window's
    // screenshot request.
    class WalkFailures : public ErrorBox {
      public:
        explicit WalkFailures(ExtractInputs& inputs) : inputs_(inputs) {}
        void showErrorReport(const std::string& text) override {
            inputs_.report_.failureBefore(inputs_.given_, text.substr(0, text.find("\r\n")));
        }

      private:
        ExtractInputs& inputs_;
    };
    std::optional<std::string> named();

    const ExtractArguments& arguments_;
    std::vector<FileIdentity> own_;
    std::optional<FileIdentity> target_;
    RunReport& report_;
    std::optional<std::string> listedOutput_;
    bool outputMet_ = false;  // said once
    std::unique_ptr<PathList> listed_;
    std::size_t nextArgument_ = 0;
    std::size_t given_ = 0;  // files given so far
    PosixFileSystem fileSystem_;
    WalkFailures walkFailures_{*this};
    InputPaths paths_;
};

}  // namespace tessaly::cli
