#pragma once
// The sample files shipped in the folder "Samples" among the program's data files (beside the
// program, or in the shared data folder of an installation). The first start records
// which files the folder holds, scrambled, in the setting "Snapshot"; "Load Sample/Example
// Files" adds the recorded files that still exist and are not listed yet, ticks the 10-digit
// box and offers to open the folder. Files put into the folder later are never loaded.

#include <string>
#include <string_view>

#include "input_list.h"
#include "options_model.h"
#include "platform/error_box.h"
#include "platform/event_loop.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"
#include "platform/settings_store.h"
#include "platform/shell_launcher.h"
#include "yield_pacer.h"

namespace tessaly {

inline constexpr std::string_view kSnapshotKey = "Snapshot";
inline constexpr std::string_view kSampleFolderName = "Samples";
inline constexpr std::string_view kOpenSampleFolderQuestion =
    "Would you like this software to open the folder where these sample files are stored (so "
    "that you can view them before working with them)?";
// Between two recorded paths.
inline constexpr char kRecordSeparator = '|';
// The length box the loaded samples need: 10 digits.
inline constexpr int kSampleLengthBox = 5;

struct SampleServices {
    SettingsStore& settings;
    FileSystem& files;
    MessageBoxes& messageBoxes;
    ShellLauncher& shell;
    EventLoop& eventLoop;
    ErrorBox& errorBox;
    Pacing pacing;
};

// True when at least one row holds exactly `text`.
bool IsInList(const InputList& list, std::string_view text);

class SampleFiles {
  public:
    // The identification its error reports name it by, and the label each step is reported at
    // ("at line N"): fixed numbers that stay the same from version to version.
    static constexpr std::string_view kProcedure = "Corvalin2021/08/31.Form1.PushButton11_Click";
    enum Step : int {
        // loading the files and ticking the box: both reported at the same label
        kLoad = 100,
    };

    // `dataFolder`: the folder holding the "Samples" folder, without a trailing separator.
    SampleFiles(std::string dataFolder, const SampleServices& services);

    // The sample folder, ending with a separator.
    std::string sampleFolder() const;

    // Writes the record of the files the sample folder holds now (the empty record when there
    // are none). Failures are thrown to the caller; nothing is written when the window closes
    // meanwhile.
    void RecordSampleFiles();
    // Adds the recorded files that exist and are not in `list` yet, then asks whether to open
    // the sample folder. Failures are thrown to the caller.
    void LoadSampleFiles(InputList& list);

    // The button: loads the samples into `list` and ticks the 10-digit box of `options`, each
    // step reported on its own when it fails.
    void load(InputList& list, OptionsModel& options);

  private:
    std::string dataFolder_;
    SampleServices services_;
};

}  // namespace tessaly
