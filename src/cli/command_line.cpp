#include "command_line.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "number_options.h"
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

// One --ext value into `extensions`: "txt", ".txt" and "*.txt" alike, several of them
// separated by commas, as find and file managers write them.
std::string ParseExtensions(std::string_view list, std::vector<std::string>& extensions) {
    while (true) {
        const std::size_t comma = list.find(',');
        std::string_view item = list.substr(0, comma);
        // The dot (and a glob's star) only separates the extension from the name.
        if (item.starts_with("*.")) item.remove_prefix(2);
        if (item.starts_with('.')) item.remove_prefix(1);
        if (item.empty()) return "--ext needs an extension, or * for all files";
        extensions.emplace_back(item);
        if (comma == std::string_view::npos) return {};
        list.remove_prefix(comma + 1);
    }
}

std::optional<OutputFormat> ParseFormat(std::string_view name) {
    if (name == "lines") return OutputFormat::kLines;
    if (name == "table") return OutputFormat::kTable;
    if (name == "csv") return OutputFormat::kCsv;
    if (name == "jsonl") return OutputFormat::kJsonl;
    return std::nullopt;
}

}  // namespace

std::string UsageText() {
    return "Usage: tessaly-extract [OPTION]... [PATH]...\n"
           "Pulls telephone numbers out of text files and writes them in file, line and\n"
           "position order. A PATH that is a folder stands for its files and those of all its\n"
           "subfolders, level by level. PATH - and no PATH at all read standard input.\n"
           "\n"
           "Which numbers:\n"
           "  --lengths LIST  comma-separated digit counts a number may have, each 5 to 20\n"
           "                  (default 10,11)              e.g. --lengths 7,10\n"
           "  --require TEXT  keep only numbers whose written form contains TEXT\n"
           "                                               e.g. --require -\n"
           "  --keep-plus     a \"+\" just before a number (blanks aside) is kept: it counts\n"
           "                  for --require, not as a digit  +1 555 123 4567 -> +15551234567\n"
           "  --unicode-separators  read typographic dashes and minus signs as -, full-width\n"
           "                  . ( ) as themselves, no-break and narrow spaces as blanks, and\n"
           "                  full-width and Arabic-Indic digits as 0-9; a file without a\n"
           "                  byte-order mark that is UTF-8 throughout is read as UTF-8\n"
           "                                               555\u2011123\u20114567 -> 5551234567\n"
           "  --country CC    read numbers written without an international prefix as\n"
           "                  numbers of country CC (ISO 3166: US, GB, DE, FR, ...); a \"+\",\n"
           "                  or the prefix for abroad (00, 011), before a number counts\n"
           "  --valid         keep only valid numbers of their country's numbering plan;\n"
           "                  digits glued to a letter, #, $ or /, and IP addresses, dates,\n"
           "                  versions, ISBNs and ZIP+4 codes are no numbers (needs --country;\n"
           "                  the rules are Debian's, from 2022: newer ranges may be invalid)\n"
           "  --e164          write numbers as +E.164; --unique and --count compare these\n"
           "                  (needs --country)       (212) 555-0147 -> +12125550147\n"
           "  --split-blanks  cut a run whose digit count is not accepted at its blanks into\n"
           "                  numbers that are (with --valid: valid ones)\n"
           "                  212-555-0199 212-555-0142 -> 2125550199, 2125550142\n"
           "\n"
           "How they are written:\n"
           "  -H, --with-filename  start each line with the path and \":\" (standard input is\n"
           "                  \"(standard input)\")           notes/a.txt:5551234567\n"
           "  -n, --line-number    start each line with the line number and \":\" (after the\n"
           "                  path); LF, CR LF and a lone CR each end a line   3:5551234567\n"
           "  --mask MASK     write a number with as many digits as MASK has x into MASK,\n"
           "                  one digit a x; other numbers stay as they are\n"
           "                  --mask '(xxx) xxx-xxxx'      5551234567 -> (555) 123-4567\n"
           "  --unique        keep only the first of each value written\n"
           "  --count         write each value once, in order of first appearance, with a\n"
           "                  TAB and how often it was found   5551234567<TAB>3\n"
           "                  (not with -H, -n, --unique or --format)\n"
           "  --format FORMAT how the numbers are written:\n"
           "                  lines  one per line (the default)\n"
           "                  table  a \"Results\" title line, then one per line, each\n"
           "                         padded with spaces to the longest and ended by a TAB\n"
           "                  csv    one per line, a comma after all but the last\n"
           "                  jsonl  one JSON object a line: path, line, number and text,\n"
           "                         the number as written in the file; with --country\n"
           "                         also e164, country, type and extension\n"
           "                  {\"path\":\"a.txt\",\"line\":3,\"number\":\"5551234567\",\n"
           "                   \"text\":\"(555) 123-4567\"}\n"
           "                  table and csv end every line with CR LF, like the files\n"
           "                  the window saves, and hold bare digits (no -H, -n,\n"
           "                  --keep-plus or --mask)\n"
           "  --output FILE   write to FILE instead of standard output\n"
           "\n"
           "Which files:\n"
           "  --ext EXT       take only the files of a folder whose names end in .EXT\n"
           "                  (EXT, .EXT or *.EXT; * for all; several as txt,md or as\n"
           "                  repeated --ext; without --ext a folder gives every file)\n"
           "  --files-from FILE  take the paths from FILE, one a line (- : standard input)\n"
           "                  find notes -name '*.txt' | tessaly-extract --files-from -\n"
           "  -0, --null      the paths of --files-from are separated by NUL bytes, as\n"
           "                  find -print0 writes them\n"
           "  --binary        read files that are neither text nor documents (executables,\n"
           "                  images, archives, legacy .doc and .xls) as 8-bit text instead\n"
           "                  of skipping them with a notice\n"
           "  --jobs N        files read at once (default: one per processor core)\n"
           "  -h, --help      show this text\n"
           "  -V, --version   show the version\n"
           "\n"
           "Exit status, as grep's: 0 a number was written, 1 none was found, 2 something\n"
           "failed (bad usage, a file or folder that could not be read, the output that could\n"
           "not be written), even if numbers were written.\n";
}

namespace {

// What the options chosen together cannot mean; empty when they fit.
std::string Conflicts(const ExtractArguments& a, bool formatGiven) {
    if (a.count) {
        if (a.withFilename) return "--count cannot be combined with -H (--with-filename)";
        if (a.rules.lineNumbers) return "--count cannot be combined with -n (--line-number)";
        if (a.unique) return "--count cannot be combined with --unique";
        if (formatGiven) return "--count writes lines: no --format with it";
    }
    const bool saved = a.format == OutputFormat::kTable || a.format == OutputFormat::kCsv;
    if (saved && (a.withFilename || a.rules.lineNumbers || a.rules.keepPlus || a.mask)) {
        return "--format table and csv hold bare digits: -H, -n, --keep-plus and --mask need "
               "the lines or jsonl format";
    }
    if (a.filesFrom == "-" && std::find(a.files.begin(), a.files.end(), "-") != a.files.end()) {
        return "standard input cannot give both the paths (--files-from -) and a file (-)";
    }
    return {};
}

}  // namespace

ParseOutcome ParseExtractArguments(const std::vector<std::string_view>& args,
                                   LayerModules& modules) {
    ExtractArguments a;
    a.rules.lengths = std::uint32_t{1} << 10 | std::uint32_t{1} << 11;
    auto fail = [](std::string message) { return ParseOutcome{std::nullopt, std::move(message)}; };
    // The switches that take no value, by long name; a short one is the letter after "-".
    auto setFlag = [&](std::string_view name) {
        if (name == "--unique") {
            a.unique = true;
        } else if (name == "--with-filename" || name == "-H") {
            a.withFilename = true;
        } else if (name == "--line-number" || name == "-n") {
            a.rules.lineNumbers = true;
        } else if (name == "--count") {
            a.count = true;
        } else if (name == "--keep-plus") {
            a.rules.keepPlus = true;
        } else if (name == "--unicode-separators") {
            a.rules.unicodeSeparators = true;
        } else if (name == "--binary") {
            a.readBinary = true;
        } else if (name == "--null" || name == "-0") {
            a.nullSeparated = true;
        } else if (name == "--help" || name == "-h") {
            a.help = true;
        } else if (name == "--version" || name == "-V") {
            a.version = true;
        } else {
            return false;
        }
        return true;
    };

    bool optionsEnded = false;
    bool formatGiven = false;  // --count writes its own lines: no --format at all goes with it
    std::set<std::string_view> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {  // "-" alone: standard input
            a.files.emplace_back(arg);
            continue;
        }
        if (arg[1] != '-') {  // short switches, alone or together: -Hn
            for (char letter : arg.substr(1)) {
                const char name[] = {'-', letter, '\0'};
                if (!setFlag(name)) return fail("unknown option " + std::string(name));
            }
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
                                name == "--output" || name == "--format" || name == "--ext" ||
                                name == "--mask" || name == "--files-from" ||
                                IsNumberValueOption(name);
        const bool isFlag = name == "--unique" || name == "--with-filename" ||
                            name == "--line-number" || name == "--count" || name == "--keep-plus" ||
                            name == "--unicode-separators" || name == "--null" ||
                            name == "--binary" || name == "--help" || name == "--version" ||
                            IsNumberFlag(name);
        if (!takesValue && !isFlag) return fail("unknown option " + std::string(name));
        if (takesValue && !value) {
            if (i + 1 >= args.size()) return fail(std::string(name) + " needs a value");
            value = args[++i];
        } else if (!takesValue && value) {
            return fail(std::string(name) + " takes no value");
        }
        // A second value would silently replace the first, which is seldom what was meant.
        if ((name == "--lengths" || name == "--require" || IsNumberValueOption(name)) &&
            !given.insert(name).second) {
            return fail(std::string(name) + " can be given only once");
        }
        if (name == "--format") formatGiven = true;
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
                            "\" is not one of lines, table, csv, jsonl");
            }
            a.format = *format;
        } else if (name == "--output") {
            if (value->empty()) return fail("--output needs a file name");
            a.output = std::string(*value);
        } else if (name == "--ext") {
            if (std::string error = ParseExtensions(*value, a.extensions); !error.empty()) {
                return fail(error);
            }
        } else if (name == "--mask") {
            if (value->empty()) return fail("--mask: the mask is empty; write one x per digit");
            if (value->find('x') == std::string_view::npos) {
                return fail("--mask: \"" + std::string(*value) + "\" has no x to take a digit");
            }
            a.mask = std::string(*value);
        } else if (IsNumberFlag(name) || IsNumberValueOption(name)) {
            if (std::string error = SetNumberOption(name, value.value_or(""), a, modules);
                !error.empty())
                return fail(error);
        } else if (name == "--files-from") {
            if (value->empty())
                return fail("--files-from needs a file name, or - for standard input");
            a.filesFrom = std::string(*value);
        } else {
            setFlag(name);
        }
    }
    if (a.help || a.version) return ParseOutcome{std::move(a), {}};
    if (std::string conflict = Conflicts(a, formatGiven); !conflict.empty()) return fail(conflict);
    if (std::string conflict = FinishNumberOptions(a); !conflict.empty()) return fail(conflict);
    if (a.files.empty() && !a.filesFrom) a.files.emplace_back("-");
    // Every jsonl line has the number's line and its text as written, and where in a document
    // it stands.
    if (a.format == OutputFormat::kJsonl)
        a.rules.writtenText = a.rules.lineNumbers = a.rules.places = true;
    return ParseOutcome{std::move(a), {}};
}

}  // namespace tessaly::cli
