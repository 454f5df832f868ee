#pragma once
// OptionBox: a check box with the three values of the options: 0 unticked, 1 ticked and 2, the
// greyed state that only a stored value can give. A click ticks an unticked or greyed box and
// unticks a ticked one; the greyed state is never reached by clicking.

#include <QCheckBox>

namespace tessaly {

class OptionBox : public QCheckBox {
  public:
    using QCheckBox::QCheckBox;

    int value() const;
    void setValue(int value);

  protected:
    void nextCheckState() override;
};

}  // namespace tessaly
