#pragma once
// OptionsModel: the extraction options with their persistence. Every change is written to the
// settings at once under its key; setting a value to what it already is writes nothing. At
// start-up `restore` brings back what the user left (or the first-start defaults).

#include <functional>
#include <string>
#include <string_view>

#include "error_report.h"
#include "extraction_options.h"
#include "platform/settings_store.h"

namespace tessaly {

class OptionsModel {
  public:
    explicit OptionsModel(SettingsStore& store);

    const ExtractionOptions& options() const { return options_; }

    // Length box `index` (0..15) takes `value` (0, 1 or 2).
    void setLengthBox(int index, int value);
    // The required-text box takes `value`.
    void setRequireBox(int value);
    // The required text: the whole text of the field.
    void setRequiredText(const std::u16string& text);

    // The number options, each stored under its own key at once like the others.
    enum NumberBox { kValidNumbersOnly, kNumbersAsE164, kSplitAtBlanks };
    void setNumberCountry(const std::string& country);
    void setNumberBox(NumberBox box, bool ticked);

    // Called after every change, by the user or the restore, so the controls can follow.
    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

    // The start-up restore, run as steps of the start-up procedure under `trap`: the first
    // start (none of the 16 length keys stored) ticks the boxes of 10 and 11 digits (labels 138,
    // 140); later starts set each box from its key (label 144, a missing key reads 0). Then the
    // text field (148, "-" when missing) and the required-text box (150, "0" when missing), then
    // the number options (152; missing keys leave them off and the country "(none)"). A
    // stored value that is no valid box state is reported at its label and changes nothing.
    void restore(Trap& trap);
    // The labels the start-up procedure's error report quotes for the restore's steps.
    enum RestoreStep : int {
        kFindFirstStart = 136,
        kTickTenDigits = 138,
        kTickElevenDigits = 140,
        kRestoreLengthBox = 144,
        kRestoreRequiredText = 148,
        kRestoreRequireBox = 150,
        kRestoreNumberOptions = 152,
    };

    // "Phone Length" followed directly by the index.
    static std::string LengthKey(int index);

  private:
    void changed();
    // Writes a value changed in `options_` to the store, then tells the listener, also when the
    // write fails (the failure goes on to the caller).
    void store(std::string_view key, std::string_view value);

    SettingsStore& store_;
    ExtractionOptions options_;
    std::function<void()> listener_;
};

}  // namespace tessaly
