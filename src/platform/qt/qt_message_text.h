#pragma once
// How the program's message texts are put on screen. The texts keep their exact line breaks
// (CR alone or CR LF); a box shows every one of them as a line break.

#include <QString>
#include <string_view>

namespace tessaly {

// The UTF-8 text with CR LF and a lone CR each turned into one line feed. Everything else is
// kept as it stands; the box shows it as plain text, never as markup.
QString MessageDisplayText(std::string_view text);

}  // namespace tessaly
