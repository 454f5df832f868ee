#include "extract_command.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <exception>
#include <memory>
#include <string_view>
#include <thread>
#include <unordered_set>

#include "byte_sink.h"
#include "comma_delimited_format.h"
#include "input_paths.h"
#include "ordered_scan.h"
#include "output_file.h"
#include "posix_file_system.h"
#include "product.h"
#include "result_list.h"
#include "result_list_table.h"
#include "row_walk.h"
#include "terminal_safe_text.h"
#include "text_table_format.h"

namespace tessaly::cli {

namespace {

// Hands a format's bytes to the output, which keeps a failure for its commit().
class OutputFileSink : public ByteSink {
  public:
    explicit OutputFileSink(OutputFile& out) : out_(out) {}
    void write(std::string_view bytes) override { out_.write(bytes); }

  private:
    OutputFile& out_;
};

// The table and the comma-delimited lines, in the very bytes the window's save commands write.
void WriteSaved(OutputFormat format, const ResultList& numbers, OutputFile& out) {
    const ResultListTable table(numbers);
    RowWalk walk(table, WalkYield{});
    OutputFileSink sink(out);
    if (format == OutputFormat::kTable) {
        FormatListAsText(table, sink, walk);
    } else {
        FormatListCommaDelimited(table, sink, walk);
    }
}

// Failures of a folder walk, reported as one line each: the description without the
// window's screenshot request.
class ErrorLines : public ErrorBox {
  public:
    explicit ErrorLines(std::vector<std::string>& lines) : lines_(lines) {}
    void showErrorReport(const std::string& text) override {
        lines_.push_back(text.substr(0, text.find("\r\n")));
    }

  private:
    std::vector<std::string>& lines_;
};

// Leaves out every path that names one of `own` (the output), by whatever name it goes.
void LeaveOut(std::vector<std::string>& files, const std::vector<FileIdentity>& own) {
    if (own.empty()) return;
    std::erase_if(files, [&](const std::string& path) {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) return false;
        const FileIdentity identity{static_cast<std::uint64_t>(st.st_dev),
                                    static_cast<std::uint64_t>(st.st_ino)};
        return std::find(own.begin(), own.end(), identity) != own.end();
    });
}

}  // namespace

int RunExtract(const ExtractArguments& arguments, std::vector<std::string>& errors) {
    std::unique_ptr<OutputFile> out;
    try {
        out = arguments.output ? std::make_unique<OutputFile>(*arguments.output)
                               : std::make_unique<OutputFile>();
    } catch (const std::exception& e) {
        errors.emplace_back(e.what());
        return 1;
    }

    unsigned jobs = arguments.jobs;
    if (jobs == 0) jobs = std::max(1u, std::thread::hardware_concurrency());

    // Digit strings already written, for --unique; views into `kept`, which never moves them.
    std::unordered_set<std::string_view> seen;
    std::deque<PhoneNumber> kept;
    // The table's widths and the comma rule need every number before the first line.
    ResultList collected;
    const bool asLines = arguments.format == OutputFormat::kLines;
    bool failed = false;

    OrderedScanEvents events;
    events.numbers = [&](std::size_t, const std::vector<PhoneNumber>& numbers) {
        for (const PhoneNumber& n : numbers) {
            if (arguments.unique) {
                if (seen.contains(n.view())) continue;
                seen.insert(kept.emplace_back(n).view());
            }
            if (!asLines) {
                collected.append(n);
                continue;
            }
            out->writeLine(n.view());
        }
    };
    events.failure = [&](std::size_t, const std::string& description) {
        errors.push_back(description);
        failed = true;
    };
    PosixFileSystem fileSystem;
    ErrorLines walkErrors(errors);
    const std::size_t errorsBefore = errors.size();
    std::vector<std::string> files =
        ExpandInputPaths(arguments.files, arguments.extension, fileSystem, walkErrors);
    failed = errors.size() != errorsBefore;
    // The output and its temporary file exist by now; reading them would read what is being
    // written, without end.
    LeaveOut(files, out->identities());
    events.stop = [&] { return out->readerGone(); };
    ScanFilesInOrder(files, arguments.rules, jobs, events);
    if (!asLines && !out->readerGone()) WriteSaved(arguments.format, collected, *out);

    if (std::string error = out->commit(); !error.empty()) {
        errors.push_back(error);
        return 1;
    }
    return failed ? 1 : 0;
}

int ExtractMain(const std::vector<std::string_view>& args) {
    const ParseOutcome parsed = ParseExtractArguments(args);
    if (!parsed.arguments) {
        std::fprintf(stderr, "tessaly-extract: %s\n\n%s", TerminalSafeText(parsed.error).c_str(),
                     UsageText().c_str());
        return 2;
    }
    if (parsed.arguments->help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (parsed.arguments->version) {
        std::printf("tessaly-extract %.*s\n", int(kProductVersion.size()), kProductVersion.data());
        return 0;
    }
    std::vector<std::string> errors;
    const int status = RunExtract(*parsed.arguments, errors);
    for (const std::string& e : errors)
        std::fprintf(stderr, "tessaly-extract: %s\n", TerminalSafeText(e).c_str());
    return status;
}

}  // namespace tessaly::cli
