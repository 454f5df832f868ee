#pragma once
// The main window's fixed layout, in twips as it was drawn (15 twips to the pixel), with the
// captions and hints of its controls.

#include <QRect>
#include <array>

namespace tessaly::layout {

inline constexpr int kTwipsPerPixel = 15;

struct Twips {
    int left, top, width, height;
};

// Each edge is rounded to the nearest pixel on its own, so that controls that meet in twips
// still meet on screen.
constexpr int ToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}
inline QRect ToPixels(Twips t) {
    const int left = ToPixels(t.left);
    const int top = ToPixels(t.top);
    return QRect(left, top, ToPixels(t.left + t.width) - left, ToPixels(t.top + t.height) - top);
}

inline constexpr int kInsideWidth = 15960;
inline constexpr int kInsideHeight = 7380;

inline constexpr const char* kStartCaption = "&Start Extracting Phone Numbers";
// The start button while a run goes on: pressing it stops the run.
inline constexpr const char* kStopCaption = "&Stop Extracting";

struct ButtonLayout {
    const char* name;
    Twips place;
    const char* caption;
};

// The buttons on the window itself, each caption with its access key (Alt and the underlined
// letter), no letter twice; the advanced option's "?" stands inside its frame.
inline constexpr std::array<ButtonLayout, 12> kWindowButtons{{
    {"helpButton", {120, 120, 7800, 405}, "&Help"},
    {"addFilesButton", {120, 3250, 3840, 405}, "&Add File(s)"},
    {"addFolderButton", {4080, 3250, 3840, 405}, "Add All File(s) In &Folder"},
    {"clearInputsButton", {120, 3760, 3840, 405}, "C&lear List"},
    {"samplesButton", {4080, 3760, 3840, 405}, "Load Sa&mple/Example Files"},
    {"startButton", {120, 6130, 7800, 405}, kStartCaption},
    {"saveTextButton", {8040, 5110, 3840, 405}, "Save Results As &Text File"},
    {"saveCommaButton", {12000, 5110, 3840, 405}, "Save As Comma &Delimited"},
    {"copyResultsButton", {8040, 5620, 3840, 405}, "&Copy Results To Clipboard"},
    {"clearResultsButton", {12000, 5620, 3840, 405}, "Clear L&ist"},
    {"removeDuplicatesButton", {8040, 6130, 3840, 405}, "&Remove Duplicates From Results"},
    {"formatButton", {12000, 6130, 3840, 405}, "Format &Phone Number Results"},
}};

inline constexpr Twips kInputList{120, 630, 7800, 2535};
inline constexpr Twips kResultList{8040, 120, 7800, 4905};
inline constexpr Twips kLengthFrame{120, 4215, 7800, 1020};
inline constexpr Twips kAdvancedFrame{120, 5310, 7800, 720};
// The number rules, across the foot of the window.
inline constexpr Twips kNumberFrame{120, 6620, 15720, 660};

// Inside the length frame: two rows of eight boxes, 5 to 12 above, 13 to 20 below.
inline constexpr std::array<int, 8> kLengthBoxLefts{240, 1100, 1960, 2820, 3680, 4540, 5400, 6260};
inline constexpr std::array<int, 2> kLengthBoxTops{300, 650};
inline constexpr int kLengthBoxWidth = 550;
inline constexpr int kLengthBoxHeight = 255;

// Inside the advanced option's frame.
inline constexpr Twips kRequireBox{240, 300, 4515, 255};
inline constexpr Twips kRequiredText{4800, 240, 1815, 375};
inline constexpr Twips kAdvancedHelpButton{6720, 240, 840, 375};

// Inside the number rules' frame.
inline constexpr Twips kCountryLabel{240, 285, 780, 255};
inline constexpr Twips kCountryChoice{1020, 225, 1500, 360};
inline constexpr Twips kValidNumbersBox{2880, 285, 2700, 255};
inline constexpr Twips kE164Box{5760, 285, 3300, 255};
inline constexpr Twips kSplitBlanksBox{9240, 285, 6300, 255};

inline constexpr int kListColumnWidth = 7000;

inline constexpr const char* kLengthFrameCaption = "Phone Number Length";
inline constexpr const char* kAdvancedFrameCaption = "Advanced Option";
inline constexpr const char* kRequireBoxCaption =
    "Extract only numbers that contain this character:";
inline constexpr const char* kAdvancedHelpCaption = "?";
inline constexpr const char* kNumberFrameCaption = "Number Rules";
inline constexpr const char* kCountryCaption = "Country";
inline constexpr const char* kNoCountry = "(none)";
inline constexpr const char* kValidNumbersCaption = "Valid numbers only";
inline constexpr const char* kE164Caption = "Write numbers as +E.164";
inline constexpr const char* kSplitBlanksCaption =
    "Cut numbers that blanks separate (a run of a length not ticked)";
inline constexpr const char* kNeedsCountryHint =
    "Numbers are read as those of the country chosen: with (none), this box does nothing.";
inline constexpr const char* kInputColumn = "File(s)";
inline constexpr const char* kResultColumn = "Results";
inline constexpr const char* kInputListHint =
    "Drag and drop files here. Double-click item to remove it. Move | line to right and out of "
    "window to reveal full names.";
inline constexpr const char* kResultListHint =
    "Double-click item to remove it. Move | line to right and out of window to reveal full names.";

inline constexpr const char* kFontFamily = "Arial";
inline constexpr double kWindowFontPoints = 9;
inline constexpr double kButtonFontPoints = 11.25;

}  // namespace tessaly::layout
