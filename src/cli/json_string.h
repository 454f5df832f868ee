#pragma once
// JSON string values for --format jsonl: always valid UTF-8, so one bad byte in a file name or
// an unpaired surrogate in a file's text cannot make a line unreadable to a JSON reader.

#include <string>
#include <string_view>

namespace tessaly::cli {

// `text` as a quoted JSON string; an unpaired surrogate becomes U+FFFD.
void AppendJsonString(std::string& out, std::u16string_view text);

// Bytes meant as UTF-8 (a path) as a quoted JSON string; bytes that are not UTF-8 become U+FFFD.
void AppendJsonString(std::string& out, std::string_view bytes);

}  // namespace tessaly::cli
