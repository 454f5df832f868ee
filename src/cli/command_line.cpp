#include "command_line.h"

#include <charconv>

#include "text_encoding.h"

namespace tessaly::cli {

namespace {

std::optional<unsigned> ParseCount(std::string_view text) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

// "10,11" into the rules' lengths; an error text when a count is not 5 to 20.
std::string ParseLengths(std::string_view list, ScanRules& rules) {
    rules.lengths = 0;
    if (list.empty()) return "--lengths needs at least one digit count";
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view item = list.substr(0, comma);
        const std::optional<unsigned> n = ParseCount(item);
        if (!n || *n < kMinDigits || *n > kMaxDigits) {
            return "--lengths: \"" + std::string(item) + "\" is not a digit count from 5 to 20";
        }
        rules.lengths |= std::uint32_t{1} << *n;
        if (comma == std::string_view::npos) return {};
        list.remove_prefix(comma + 1);
    }
}

std::optional<OutputFormat> ParseFormat(std::string_view name) {
    if (name == "lines") return OutputFormat::kLines;
    if (name == "table") return OutputFormat::kTable;
    if (name == "csv") return OutputFormat::kCsv;
    return std::nullopt;
}

}  // namespace

std::string UsageText() {
    return "Usage: tessaly-extract [--lengths LIST] [--require TEXT] [--unique] [--jobs N]\n"
           "                       [--format FORMAT] [--output FILE] [--ext EXT] PATH...\n"
           "Pulls telephone numbers out of text files and writes them in file, line and\n"
           "position order. A PATH that is a folder stands for its files and those of all its\n"
           "subfolders, level by level.\n"
           "\n"
           "  --lengths LIST  comma-separated digit counts a number may have, each 5 to 20\n"
           "                  (default 10,11)\n"
           "  --require TEXT  keep only numbers whose written form contains TEXT, e.g. -\n"
           "  --unique        keep only the first of each number\n"
           "  --jobs N        files read at once (default: one per processor core)\n"
           "  --format FORMAT how the numbers are written:\n"
           "                  lines  one per line (the default)\n"
           "                  table  a \"Results\" title line, then one per line, each\n"
           "                         padded with spaces to the longest and ended by a TAB\n"
           "                  csv    one per line, a comma after all but the last\n"
           "                  table and csv end every line with CR LF, like the files\n"
           "                  the window saves\n"
           "  --output FILE   write to FILE instead of standard output\n"
           "  --ext EXT       take only the files of a folder whose names end in .EXT\n"
           "                  (EXT or .EXT; * for all; without --ext a folder gives every\n"
           "                  file)\n"
           "  --help          show this text\n"
           "  --version       show the version\n"
           "\n"
           "Exit status: 0 done, 1 some file could not be read or the output could not be\n"
           "written, 2 bad usage.\n";
}

ParseOutcome ParseExtractArguments(const std::vector<std::string_view>& args) {
    ExtractArguments a;
    a.rules.lengths = std::uint32_t{1} << 10 | std::uint32_t{1} << 11;
    auto fail = [](std::string message) { return ParseOutcome{std::nullopt, std::move(message)}; };

    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.substr(0, 2) != "--") {
            if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
                return fail("unknown option " + std::string(arg));
            }
            a.files.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string_view name = arg;
        std::optional<std::string_view> value;
        if (const std::size_t eq = arg.find('='); eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        const bool takesValue = name == "--lengths" || name == "--require" || name == "--jobs" ||
                                name == "--output" || name == "--format" || name == "--ext";
        const bool isFlag = name == "--unique" || name == "--help" || name == "--version";
        if (!takesValue && !isFlag) return fail("unknown option " + std::string(name));
        if (takesValue && !value) {
            if (i + 1 >= args.size()) return fail(std::string(name) + " needs a value");
            value = args[++i];
        } else if (!takesValue && value) {
            return fail(std::string(name) + " takes no value");
        }
        if (name == "--lengths") {
            if (std::string error = ParseLengths(*value, a.rules); !error.empty()) {
                return fail(error);
            }
        } else if (name == "--require") {
            a.rules.required = {true, DecodeUtf8(*value)};
        } else if (name == "--jobs") {
            const std::optional<unsigned> n = ParseCount(*value);
            if (!n || *n < 1 || *n > 1024) return fail("--jobs needs a number from 1 to 1024");
            a.jobs = *n;
        } else if (name == "--format") {
            const std::optional<OutputFormat> format = ParseFormat(*value);
            if (!format) {
                return fail("--format: \"" + std::string(*value) +
                            "\" is not one of lines, table, csv");
            }
            a.format = *format;
        } else if (name == "--output") {
            if (value->empty()) return fail("--output needs a file name");
            a.output = std::string(*value);
        } else if (name == "--ext") {
            // ".txt" is how many write an extension; the dot is the separator, not part of it.
            if (value->starts_with('.')) value->remove_prefix(1);
            if (value->empty()) return fail("--ext needs an extension, or * for all files");
            a.extension = std::string(*value);
        } else if (name == "--unique") {
            a.unique = true;
        } else if (name == "--help") {
            a.help = true;
        } else {  // --version
            a.version = true;
        }
    }
    if (!a.help && !a.version && a.files.empty()) return fail("no input file given");
    return ParseOutcome{std::move(a), {}};
}

}  // namespace tessaly::cli
