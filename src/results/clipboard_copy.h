#pragma once
// Putting a list on the clipboard. The clipboard may be held open by another program for a
// moment, so each clipboard operation is tried up to kClipboardAttempts times in a row; the
// caller learns whether the text got there.

#include <string>

#include "list_table.h"
#include "platform/clipboard.h"
#include "row_walk.h"

namespace tessaly {

inline constexpr int kClipboardAttempts = 1000;

// Empties the clipboard. Never fails.
void ClearClipboard(Clipboard& clipboard);
// Puts `text` on the clipboard; true when the last attempt succeeded. Never fails.
bool SetClipboardText(Clipboard& clipboard, const std::string& text);

enum class CopyOutcome {
    kCopied,
    kNoRows,   // a list without rows: the clipboard is not touched
    kBusy,     // another program held the clipboard through every attempt
    kClosing,  // the window closed while the text was built: the clipboard is untouched
};

// Builds the clipboard text of the checked rows and puts it on the clipboard. Throws when rows
// went meanwhile, before the clipboard is touched.
CopyOutcome CopyListToClipboard(const ListTable& list, Clipboard& clipboard,
                                const WalkYield& yield);

}  // namespace tessaly
