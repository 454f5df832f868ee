#pragma once
// What both save commands work with, and the two steps they share: asking for the file name,
// and passes of the event loop that keep the busy pointer up while the file is written.

#include <string>

#include "platform/error_box.h"
#include "platform/event_loop.h"
#include "platform/file_writer.h"
#include "platform/message_boxes.h"
#include "platform/save_dialog.h"
#include "platform/window_pointer.h"
#include "result_list.h"
#include "row_walk.h"
#include "save_prompts.h"
#include "yield_pacer.h"

namespace tessaly {

struct SaveServices {
    ResultList& results;
    SaveDialog& dialog;
    MessageBoxes& boxes;
    WindowPointer& pointer;
    EventLoop& loop;
    ErrorBox& errors;
    SafeFileWriter& files;
    Pacing pacing;

    // The chosen full path; empty when the user cancelled.
    std::string askFileName() const {
        return dialog.chooseSaveFile(std::string(kSaveDialogTitle), std::string(kSaveDialogFilter));
    }

    // Whatever ran meanwhile may have put its own pointer up; the write is still going.
    WalkYield busyYield() const {
        WindowPointer* p = &pointer;
        return WalkYield{&loop, pacing, [p] {
                             if (!p->isBusy()) p->setPointer(kBusyPointer);
                         }};
    }
};

}  // namespace tessaly
