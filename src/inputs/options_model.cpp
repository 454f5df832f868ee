#include "options_model.h"

#include <stdexcept>
#include <string_view>

#include "setting_number.h"
#include "text_encoding.h"

namespace tessaly {

namespace {

constexpr std::string_view kCheck2Key = "Check2";
constexpr std::string_view kText1Key = "Text1";
constexpr std::string_view kNumberCountryKey = "Number Country";
constexpr std::string_view kNumberBoxKeys[] = {"Valid Numbers Only", "Numbers As E164",
                                               "Split At Blanks"};

// A box takes only its three states, as the check box control itself would insist.
void RequireBoxValue(int value) {
    if (value < kUnticked || value > kGreyed) throw std::invalid_argument("Invalid property value");
}

}  // namespace

OptionsModel::OptionsModel(SettingsStore& store) : store_(store) {}

std::string OptionsModel::LengthKey(int index) {
    return "Phone Length" + std::to_string(index);
}

// Each setter changes the value first, then stores it and tells the listener. When the store
// fails, the listener is still told, so the controls keep showing what the model holds; the
// failure goes on to the caller.
void OptionsModel::setLengthBox(int index, int value) {
    if (index < 0 || index >= kLengthBoxCount) {
        throw std::out_of_range("Length box " + std::to_string(index) + " does not exist");
    }
    RequireBoxValue(value);
    if (options_.lengthBoxes[index] == value) return;
    options_.lengthBoxes[index] = value;
    store(LengthKey(index), std::to_string(value));
}

void OptionsModel::setRequireBox(int value) {
    RequireBoxValue(value);
    if (options_.requireBox == value) return;
    options_.requireBox = value;
    store(kCheck2Key, std::to_string(value));
}

void OptionsModel::setRequiredText(const std::u16string& text) {
    if (options_.requiredText == text) return;
    options_.requiredText = text;
    store(kText1Key, EncodeUtf8(text));
}

void OptionsModel::setNumberCountry(const std::string& country) {
    if (options_.numberCountry == country) return;
    options_.numberCountry = country;
    store(kNumberCountryKey, country);
}

void OptionsModel::setNumberBox(NumberBox box, bool ticked) {
    bool* const values[] = {&options_.validNumbersOnly, &options_.numbersAsE164,
                            &options_.splitAtBlanks};
    if (*values[box] == ticked) return;
    *values[box] = ticked;
    store(kNumberBoxKeys[box], ticked ? "1" : "0");
}

void OptionsModel::restore(Trap& trap) {
    // The first start is the one that finds none of the length keys: every later start has at
    // least the two default boxes stored. When the store cannot even be asked, the boxes are
    // left alone rather than overwriting whatever it may hold with the defaults.
    bool firstStart = false;
    const bool asked = trap.step(kFindFirstStart, [&] {
        firstStart = true;
        for (int i = 0; i < kLengthBoxCount; ++i) {
            if (store_.read(LengthKey(i))) {
                firstStart = false;
                break;
            }
        }
    });
    if (asked) {
        if (firstStart) {
            trap.step(kTickTenDigits, [&] { setLengthBox(5, kTicked); });
            trap.step(kTickElevenDigits, [&] { setLengthBox(6, kTicked); });
        } else {
            for (int i = 0; i < kLengthBoxCount; ++i) {
                trap.step(kRestoreLengthBox, [&] {
                    setLengthBox(i, CheckBoxValueFromSetting(store_.readOr(LengthKey(i), "")));
                });
            }
        }
    }
    trap.step(kRestoreRequiredText,
              [&] { setRequiredText(DecodeUtf8(store_.readOr(kText1Key, "-"))); });
    trap.step(kRestoreRequireBox,
              [&] { setRequireBox(CheckBoxValueFromSetting(store_.readOr(kCheck2Key, "0"))); });
    trap.step(kRestoreNumberOptions, [&] {
        setNumberCountry(store_.readOr(kNumberCountryKey, ""));
        for (const NumberBox box : {kValidNumbersOnly, kNumbersAsE164, kSplitAtBlanks})
            setNumberBox(box, store_.readOr(kNumberBoxKeys[box], "0") == "1");
    });
}

void OptionsModel::changed() {
    if (listener_) listener_();
}

void OptionsModel::store(std::string_view key, std::string_view value) {
    try {
        store_.write(key, value);
    } catch (...) {
        changed();
        throw;
    }
    changed();
}

}  // namespace tessaly
