#include "extract_command.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <exception>
#include <memory>
#include <string_view>
#include <thread>
#include <unordered_set>

#include "ordered_scan.h"
#include "output_file.h"
#include "product.h"

namespace tessaly::cli {

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
    bool failed = false;
    std::string line;

    OrderedScanEvents events;
    events.numbers = [&](std::size_t, const std::vector<PhoneNumber>& numbers) {
        for (const PhoneNumber& n : numbers) {
            if (arguments.unique) {
                if (seen.contains(n.view())) continue;
                seen.insert(kept.emplace_back(n).view());
            }
            line.assign(n.view());
            line.push_back('\n');
            out->write(line);
        }
    };
    events.failure = [&](std::size_t, const std::string& description) {
        errors.push_back(description);
        failed = true;
    };
    ScanFilesInOrder(arguments.files, arguments.options, jobs, events);

    if (std::string error = out->commit(); !error.empty()) {
        errors.push_back(error);
        return 1;
    }
    return failed ? 1 : 0;
}

int ExtractMain(const std::vector<std::string_view>& args) {
    const ParseOutcome parsed = ParseExtractArguments(args);
    if (!parsed.arguments) {
        std::fprintf(stderr, "tessaly-extract: %s\n\n%s", parsed.error.c_str(), UsageText().c_str());
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
    for (const std::string& e : errors) std::fprintf(stderr, "tessaly-extract: %s\n", e.c_str());
    return status;
}

}  // namespace tessaly::cli
