#pragma once
// The texts both save commands show: the save dialog's title and filter, and the question
// asked before an existing file is replaced.

#include <string>
#include <string_view>

namespace tessaly {

inline constexpr std::string_view kSaveDialogTitle = "Save";
inline constexpr std::string_view kSaveDialogFilter =
    "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|";

// `name` is the full path as chosen in the dialog.
inline std::string OverwriteQuestion(std::string_view name) {
    return "Are you sure you wish to overwrite " + std::string(name) + " ?";
}

}  // namespace tessaly
