#pragma once
// The window's own trapping procedures: the identification each one's error report names it by,
// and the label each step is reported at ("at line N"). Both are fixed, so a report reads the
// same from version to version. The commands below the window keep theirs with their code.

#include <string_view>

namespace tessaly {

namespace procedure {
inline constexpr std::string_view kStartUp = "Corvalin2021/08/31.Form1.Form_Load";
inline constexpr std::string_view kClearInputs = "Corvalin2021/08/31.Form1.PushButton3_Click";
// The window's keys (F1).
inline constexpr std::string_view kKeyDown = "Corvalin2021/08/31.Form1.Form_KeyDown";
inline constexpr std::string_view kHelp = "Corvalin2021/08/31.Form1.PushButton5_Click";
inline constexpr std::string_view kClearResults = "Corvalin2021/08/31.Form1.PushButton9_Click";
inline constexpr std::string_view kFormatPage = "Corvalin2021/08/31.Form1.PushButton10_Click";
inline constexpr std::string_view kAdvancedHelp = "Corvalin2021/08/31.Form1.PushButton13_Click";
// The result list's menu.
inline constexpr std::string_view kCopyWithSource =
    "Corvalin2021/08/31.Form1.mnuCopyWithSource_Click";
inline constexpr std::string_view kCopyNumber = "Corvalin2021/08/31.Form1.mnuCopyNumber_Click";
inline constexpr std::string_view kShowWhereFound =
    "Corvalin2021/08/31.Form1.mnuShowWhereFound_Click";
inline constexpr std::string_view kOpenFolder = "Corvalin2021/08/31.Form1.mnuOpenFolder_Click";
}  // namespace procedure

// The one step of each of the window's single-step procedures.
inline constexpr int kOnlyStep = 100;

// The start-up procedure's steps; the options restore continues it (OptionsModel::RestoreStep).
namespace load_step {
enum : int {
    kApplySkin = 100,
    kFindHand = 104,
    kLoadHand = 106,
    // The home page and the first sample record share their label.
    kOpenHomePage = 108,
    kRecordSamples = 108,
    kRecordSamplesAgain = 124,
    kTitleAndIcon = 126,
    kInputColumn = 128,
    kInputColumnWidth = 130,
    kResultColumn = 132,
    kResultColumnWidth = 134,
};
}  // namespace load_step

}  // namespace tessaly
