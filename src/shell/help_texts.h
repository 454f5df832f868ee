#pragma once
// The texts of the "Help" and "?" buttons, with their exact line breaks: CR alone inside the
// help text's first paragraphs, CR LF elsewhere.

#include <string>

namespace tessaly {

std::string HelpText();
std::string AdvancedOptionText();

}  // namespace tessaly
