#include "extract_command.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <limits>
#include <memory>
#include <string_view>
#include <thread>

#include "byte_sink.h"
#include "comma_delimited_format.h"
#include "distinct_values.h"
#include "error_report.h"
#include "input_paths.h"
#include "number_writer.h"
#include "ordered_scan.h"
#include "output_file.h"
#include "path_list.h"
#include "posix_file_system.h"
#include "product.h"
#include "result_list.h"
#include "result_list_table.h"
#include "row_walk.h"
#include "terminal_safe_text.h"
#include "text_table_format.h"

namespace tessaly::cli {

namespace {

constexpr std::string_view kIncompleteFileNote =
    " (the numbers already printed for this file are incomplete)";

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

// True when `path` names one of `own` (the output), by whatever name it goes.
bool IsOwn(const std::string& path, const std::vector<FileIdentity>& own) {
    if (own.empty()) return false;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    const FileIdentity identity{static_cast<std::uint64_t>(st.st_dev),
                                static_cast<std::uint64_t>(st.st_ino)};
    return std::find(own.begin(), own.end(), identity) != own.end();
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

    // The paths on the command line, then those of --files-from as the scan asks for them.
    std::unique_ptr<PathList> listed;
    if (arguments.filesFrom) {
        try {
            listed = std::make_unique<PathList>(*arguments.filesFrom, arguments.nullSeparated);
        } catch (const std::exception& e) {
            errors.emplace_back(e.what());
            return 1;
        }
    }
    auto named = [&, next = std::size_t{0}]() mutable -> std::optional<std::string> {
        if (next < arguments.files.size()) return arguments.files[next++];
        return listed ? listed->next() : std::nullopt;
    };
    // Folders are walked as the scan asks for files, on whichever thread asks; their failures
    // are kept apart and reported before those of the files, as when the walk came first.
    PosixFileSystem fileSystem;
    std::vector<std::string> walkFailures;
    ErrorLines walkErrors(walkFailures);
    InputPaths inputs(InputPaths::NamedPaths(named), arguments.extension, fileSystem, walkErrors);
    // The output and its temporary file exist by now; reading them would read what is being
    // written, without end.
    const std::vector<FileIdentity> own = out->identities();
    const NextPath nextFile = [&]() -> std::optional<std::string> {
        std::optional<std::string> path = inputs.next();
        while (path && IsOwn(*path, own))
            path = inputs.next();
        return path;
    };
    const std::size_t errorsBefore = errors.size();
    bool failed = false;

    DistinctValues seen;  // digit strings already written, for --unique
    // The table's widths and the comma rule need every number before the first line.
    ResultList collected;
    const bool saved =
        arguments.format == OutputFormat::kTable || arguments.format == OutputFormat::kCsv;
    // Bare digits one a line, or the saved formats, as always, unless more is asked for.
    const bool asBefore = saved || (!arguments.withFilename && !arguments.rules.lineNumbers &&
                                    !arguments.mask && !arguments.count);

    // The file being delivered (the writer keeps its path): how many of its numbers were
    // written or collected, and where the values it added to `seen` begin.
    NumberWriter writer(arguments, *out);
    std::size_t currentFile = std::numeric_limits<std::size_t>::max();
    std::size_t fileGiven = 0;
    std::size_t fileSeen = 0;
    auto enterFile = [&](std::size_t index, const std::string& path) {
        currentFile = index;
        writer.enterFile(path);
        fileGiven = 0;
        fileSeen = seen.mark();
    };
    // A file whose read failed part-way gives no numbers. Lines already printed cannot be
    // taken back, so the message says they are incomplete; collected ones are dropped.
    auto failure = [&](std::size_t index, const std::string& description) {
        failed = true;
        const std::size_t given = index == currentFile ? fileGiven : 0;
        if (given > 0 && !saved) {
            errors.push_back(description + std::string(kIncompleteFileNote));
            return;
        }
        collected.removeLast(given);
        if (index == currentFile) seen.forgetSince(fileSeen);
        errors.push_back(description);
    };
    auto keepAsBefore = [&](const PhoneNumber& n) {
        if (arguments.unique) {
            if (!seen.add(n.view())) return;
        }
        ++fileGiven;
        if (saved) {
            collected.append(n);
        } else {
            out->writeLine(n.view());
        }
    };

    if (arguments.rules.readsWritten()) {
        WrittenScanEvents events;
        events.file = enterFile;
        events.numbers = [&](std::size_t, const std::vector<WrittenNumber>& numbers) {
            for (const WrittenNumber& n : numbers) {
                if (saved) {
                    keepAsBefore(PhoneNumber(n.value));  // bare digits: no "+" with these formats
                } else {
                    writer.write(n.line, n.value, n.text);
                    ++fileGiven;
                }
            }
        };
        events.failure = failure;
        events.stop = [&] { return out->readerGone(); };
        ScanWrittenInOrder(nextFile, arguments.rules, jobs, events);
    } else {
        OrderedScanEvents events;
        events.file = enterFile;
        events.numbers = [&](std::size_t, const ScanBatch& batch) {
            const bool withLines = arguments.rules.lineNumbers;
            const bool withTexts = arguments.rules.writtenText;
            for (std::size_t i = 0; i < batch.numbers.size(); ++i) {
                const PhoneNumber& n = batch.numbers[i];
                if (asBefore) {
                    keepAsBefore(n);
                    continue;
                }
                writer.write(withLines ? batch.lines[i] : 0, n.view(),
                             withTexts ? batch.texts.at(i) : std::string_view());
                ++fileGiven;
            }
        };
        events.failure = failure;
        events.stop = [&] { return out->readerGone(); };
        ScanFilesInOrder(nextFile, arguments.rules, jobs, events);
    }
    if (saved && !out->readerGone()) WriteSaved(arguments.format, collected, *out);
    // --count's table may fail to grow (the system gives no more memory): said, not a crash.
    try {
        writer.finish();
    } catch (...) {
        errors.push_back("cannot count the numbers: " + DescribeFailure(std::current_exception()));
        failed = true;
    }
    // A list of files that failed part-way gave the paths before the failure; it is reported
    // with the walk's failures.
    if (listed && !listed->error().empty()) walkFailures.push_back(listed->error());
    failed = failed || !walkFailures.empty();
    errors.insert(errors.begin() + std::ptrdiff_t(errorsBefore), walkFailures.begin(),
                  walkFailures.end());

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
