#pragma once
// What the main window needs from the platform, passed in so that tests build the window over
// fakes, and what of it may vary between a real start and a test.

#include <functional>

#include "platform/error_box.h"
#include "platform/event_loop.h"
#include "platform/message_boxes.h"
#include "platform/program_folder.h"
#include "platform/settings_store.h"
#include "platform/shell_launcher.h"
#include "yield_pacer.h"

namespace tessaly {

struct WindowServices {
    MessageBoxes& messageBoxes;
    ErrorBox& errorBox;
    EventLoop& eventLoop;
    ShellLauncher& shell;
    SettingsStore& settings;
    ProgramFolder& programFolder;
};

struct WindowConfig {
    // A whole number from 1 to 100, uniformly at random; empty: a generator seeded with the
    // time of day at this start.
    std::function<int()> drawOneToHundred;
    // How often a long command hands control to the event loop.
    Pacing pacing;
};

}  // namespace tessaly
