#include "option_box.h"

#include "extraction_options.h"

namespace tessaly {

int OptionBox::value() const {
    switch (checkState()) {
        case Qt::Checked:
            return kTicked;
        case Qt::PartiallyChecked:
            return kGreyed;
        default:
            return kUnticked;
    }
}

void OptionBox::setValue(int value) {
    const Qt::CheckState state = value == kTicked   ? Qt::Checked
                                 : value == kGreyed ? Qt::PartiallyChecked
                                                    : Qt::Unchecked;
    if (state != checkState()) setCheckState(state);
}

void OptionBox::nextCheckState() {
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

}  // namespace tessaly
