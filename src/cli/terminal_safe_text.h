#pragma once
// Messages name files, and a file name may hold any byte but "/" and NUL: written raw, escape
// sequences or line breaks in a name would drive the user's terminal or forge message lines.

#include <string>
#include <string_view>

namespace tessaly::cli {

// `text` with control characters escaped as `ls -b` shows them: \n \t \r \a \b \f \v, others
// and bytes that are no UTF-8 as \ooo (octal), a backslash as \\. Valid UTF-8 stays as it is,
// except the C1 control characters U+0080 to U+009F.
std::string TerminalSafeText(std::string_view text);

}  // namespace tessaly::cli
