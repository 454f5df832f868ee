#pragma once
// NumberRulesFrame: the window's frame of the number rules: "Country" (first "(none)", then the
// countries the number rules know), "Valid numbers only", "Write numbers as +E.164" and the cut
// at blanks. Each change goes to the options model at once, which saves it; the controls show
// what the model holds, whoever changed it. The two boxes that read numbers for a country do
// nothing while the country is "(none)" (the run's number rules leave them out).

#include <QComboBox>
#include <QLabel>

#include "frame_box.h"
#include "option_box.h"
#include "options_model.h"

namespace tessaly {

class NumberRulesFrame : public FrameBox {
  public:
    NumberRulesFrame(OptionsModel& options, QWidget* parent);

    // Shows the options the model holds, without handing them back to it.
    void showOptions(const ExtractionOptions& options);
    // The controls in the order Tab visits them.
    QList<QWidget*> tabOrder() const;
    void setFace(const QColor& face);

  private:
    void changeCountry();
    void changeBox(OptionsModel::NumberBox box, const OptionBox* control);

    OptionsModel& options_;
    QLabel* countryLabel_;
    QComboBox* country_;
    OptionBox* valid_;
    OptionBox* e164_;
    OptionBox* split_;
};

}  // namespace tessaly
