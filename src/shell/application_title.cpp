#include "application_title.h"

namespace tessaly {

namespace {

std::size_t CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

// False when there is no blank to cut at.
bool CutLastWord(std::string& title) {
    const std::size_t blank = title.rfind(' ');
    if (blank == std::string::npos) return false;
    title.erase(blank);
    return true;
}

}  // namespace

std::string ShortenedApplicationTitle(std::string_view productTitle) {
    std::string title(productTitle);
    if (!CutLastWord(title)) return title;
    while (CharacterCount(title) > kApplicationTitleLimit && CutLastWord(title)) {
    }
    return title;
}

}  // namespace tessaly
