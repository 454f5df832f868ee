#include "clipboard_copy.h"

#include "clipboard_text.h"

namespace tessaly {

namespace {

template <class Attempt>
bool Retry(Attempt attempt) {
    for (int i = 0; i < kClipboardAttempts; ++i) {
        try {
            if (attempt()) return true;
        } catch (...) {
            // A failing attempt is like a refused one: try again.
        }
    }
    return false;
}

}  // namespace

void ClearClipboard(Clipboard& clipboard) {
    Retry([&] { return clipboard.clear(); });
}

bool SetClipboardText(Clipboard& clipboard, const std::string& text) {
    return Retry([&] { return clipboard.setText(text); });
}

CopyOutcome CopyListToClipboard(const ListTable& list, Clipboard& clipboard,
                                const WalkYield& yield) {
    if (list.rowCount() == 0) return CopyOutcome::kNoRows;
    RowWalk walk(list, yield);
    std::string text;
    if (!BuildClipboardText(list, text, walk)) return CopyOutcome::kClosing;
    ClearClipboard(clipboard);
    return SetClipboardText(clipboard, text) ? CopyOutcome::kCopied : CopyOutcome::kBusy;
}

}  // namespace tessaly
