#pragma once
// The texts of the "Help" and "?" buttons, with their exact line breaks: CR alone inside the
// help text's first paragraphs, CR LF elsewhere.

#include <string>
#include <string_view>

namespace tessaly {

// The help text ends with the address of the formatting page.
std::string HelpText(std::string_view formattingPageAddress);
std::string AdvancedOptionText();

// Shown, followed by the page's address, when no web browser took the formatting page.
inline constexpr std::string_view kNoBrowserNotice =
    "No web browser could be started to show the formatting page. Open it in one yourself: ";

// Shown, followed by the page's address, when F1 found no web browser for the home page.
inline constexpr std::string_view kNoBrowserHomeNotice =
    "No web browser could be started to show the home page. Open it in one yourself: ";

}  // namespace tessaly
