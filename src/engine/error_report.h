#pragma once
// The error report: the text shown for an unexpected failure of a trapping procedure, and Trap,
// which runs such a procedure's numbered steps. A step that throws is reported with its label and
// the procedure goes on with its next step; a failure deep inside a called function skips the
// rest of that function, because the exception unwinds to the step that called it.

#include <exception>
#include <string>
#include <string_view>

#include "platform/error_box.h"

namespace tessaly {

inline constexpr std::string_view kErrorReportTitle = "Application Error";

// The identifications of the trapping procedures.
namespace procedure {
inline constexpr std::string_view kFormLoad = "Corvalin2021/08/31.Form1.Form_Load";
inline constexpr std::string_view kAddFiles = "Corvalin2021/08/31.Form1.PushButton1_Click";
inline constexpr std::string_view kSaveComma = "Corvalin2021/08/31.Form1.PushButton2_Click";
inline constexpr std::string_view kClearInputs = "Corvalin2021/08/31.Form1.PushButton3_Click";
inline constexpr std::string_view kAddFolder = "Corvalin2021/08/31.Form1.PushButton4_Click";
inline constexpr std::string_view kHelp = "Corvalin2021/08/31.Form1.PushButton5_Click";
inline constexpr std::string_view kSaveText = "Corvalin2021/08/31.Form1.PushButton6_Click";
inline constexpr std::string_view kExtract = "Corvalin2021/08/31.Form1.PushButton7_Click";
inline constexpr std::string_view kCopyResults = "Corvalin2021/08/31.Form1.PushButton8_Click";
inline constexpr std::string_view kClearResults = "Corvalin2021/08/31.Form1.PushButton9_Click";
inline constexpr std::string_view kFormatPage = "Corvalin2021/08/31.Form1.PushButton10_Click";
inline constexpr std::string_view kLoadSamples = "Corvalin2021/08/31.Form1.PushButton11_Click";
inline constexpr std::string_view kRemoveDuplicates = "Corvalin2021/08/31.Form1.PushButton12_Click";
inline constexpr std::string_view kAdvancedHelp = "Corvalin2021/08/31.Form1.PushButton13_Click";
inline constexpr std::string_view kCopyWithSource =
    "Corvalin2021/08/31.Form1.mnuCopyWithSource_Click";
inline constexpr std::string_view kCopyNumber = "Corvalin2021/08/31.Form1.mnuCopyNumber_Click";
inline constexpr std::string_view kShowWhereFound =
    "Corvalin2021/08/31.Form1.mnuShowWhereFound_Click";
inline constexpr std::string_view kOpenFolder = "Corvalin2021/08/31.Form1.mnuOpenFolder_Click";
inline constexpr std::string_view kFolderWalk =
    "Marlowen2021/08/31.AddFolder.GetSubDirectories2016";
inline constexpr std::string_view kScanner = "Corvalin2021/08/31.Phone.ExtractPhone";
}  // namespace procedure

// Description, CR LF, "in " + procedure + " ", "at line " + label, CR CR, the e-mail request.
std::string ErrorReportText(std::string_view description, std::string_view procedure, int label);

// The description of a caught exception.
std::string DescribeFailure(std::exception_ptr failure);

class Trap {
  public:
    Trap(ErrorBox& box, std::string_view procedure) : box_(box), procedure_(procedure) {}

    // Runs one labelled step. Returns false when it failed (the failure was reported).
    template <class Step>
    bool step(int label, Step&& run) {
        try {
            run();
            return true;
        } catch (...) {
            report(std::current_exception(), label);
            return false;
        }
    }

    void report(std::exception_ptr failure, int label);
    std::string_view procedure() const { return procedure_; }

  private:
    ErrorBox& box_;
    std::string_view procedure_;
};

}  // namespace tessaly
