#include "help_texts.h"

namespace tessaly {

namespace {
constexpr const char* kCR = "\r";
constexpr const char* kCRLF = "\r\n";
}  // namespace

std::string HelpText(std::string_view formattingPageAddress) {
    std::string text;
    text += "If your text file contains:";
    text += kCR, text += kCR;
    text += "sample data 855-2880 sample data";
    text += kCR;
    text += "sample data 355.650.5551 sample data";
    text += kCR, text += kCR;
    text += "and you check 7 and 10, then";
    text += kCR, text += kCR;
    text += "8552880";
    text += kCR;
    text += "3556505551";
    text += kCR, text += kCR;
    text += "will be successfully extracted.";
    text += kCR, text += kCR;
    text += "In my opinion, the American default lengths are 7 and 10.";
    text += kCR, text += kCR;
    text +=
        "Phone numbers should be separated by spaces in order for this software to work. Open "
        "your files in Notepad first to make sure this is true before using this software.";
    text += kCRLF, text += kCRLF;
    text +=
        "If you need to format the results with a specific appearance (i.e. xxx-xxx-xxxx) please "
        "go to ";
    text += formattingPageAddress;
    return text;
}

std::string AdvancedOptionText() {
    std::string text;
    text +=
        "This feature allows you to extract certain numbers and ignore other ones based on "
        "non-number characters.";
    text += kCRLF, text += kCRLF;
    text +=
        "For example, there is an phone number 877-798-4141 and an order number 1741483554 found "
        "in your text file. Both numbers have the length of 10 but you don't want to extract "
        "1741483554 because it is an order number (not a phone number).";
    text += kCRLF, text += kCRLF;
    text +=
        "If you only want to extract only the number 877-798-4141 and ignore 1741483554 than you "
        "can input the dash - character here.";
    text += kCRLF, text += kCRLF;
    text +=
        "If you still don't understand this feature, leave it unchecked for now because it is an "
        "advanced feature.";
    return text;
}

}  // namespace tessaly
