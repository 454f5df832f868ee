#pragma once
// The output read as an input. A file the run reads and replaces at once would be emptied (or
// grow without end) by the very run that reads it, so an input named on the command line or in
// --files-from that is the output is refused before it is read; one met in a walked folder is
// left out. Files are compared as the disk knows them (device and inode), so every way of
// naming one counts: ./a, ../d/a, an absolute path, a symbolic or a hard link.

#include <optional>
#include <string>

#include "command_line.h"
#include "platform/file_system.h"

namespace tessaly::cli {

// The regular file at `path` ("-": standard input), links followed; nothing for anything else.
std::optional<FileIdentity> RegularFileIdentity(const std::string& path);

// The file the output replaces or appends to: `output`, or standard output sent to a file.
std::optional<FileIdentity> OutputTarget(const std::optional<std::string>& output);

// The first input the command line names (the list of --files-from included) that is `target`,
// as it was written; "-" is standard input.
std::optional<std::string> NamedInputThatIs(const ExtractArguments& arguments,
                                            const FileIdentity& target);

// The refusal of an input that is the output.
std::string BothInputAndOutput(const std::string& path);

}  // namespace tessaly::cli
