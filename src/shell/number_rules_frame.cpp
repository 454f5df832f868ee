#include "number_rules_frame.h"

#include "number_judge.h"
#include "window_layout.h"

namespace tessaly {

using namespace layout;

namespace {

OptionBox* MakeBox(const char* name, const char* caption, Twips place, QWidget* parent) {
    auto* box = new OptionBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(ToPixels(place));
    return box;
}

void SetFaceOf(QWidget* widget, const QColor& face) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, face);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace

NumberRulesFrame::NumberRulesFrame(OptionsModel& options, QWidget* parent)
    : FrameBox(QString::fromLatin1(kNumberFrameCaption), parent), options_(options) {
    setObjectName(QStringLiteral("numberFrame"));
    setGeometry(ToPixels(kNumberFrame));
    countryLabel_ = new QLabel(QString::fromLatin1(kCountryCaption), this);
    countryLabel_->setGeometry(ToPixels(kCountryLabel));
    country_ = new QComboBox(this);
    country_->setObjectName(QStringLiteral("countryChoice"));
    country_->setGeometry(ToPixels(kCountryChoice));
    countryLabel_->setBuddy(country_);
    country_->addItem(QString::fromLatin1(kNoCountry), QString());
    for (const std::string& code : numbers::KnownCountries())
        country_->addItem(QString::fromStdString(code), QString::fromStdString(code));
    valid_ = MakeBox("validNumbersBox", kValidNumbersCaption, kValidNumbersBox, this);
    e164_ = MakeBox("e164Box", kE164Caption, kE164Box, this);
    // Both read numbers as those of a country: with "(none)" they keep their tick and wait.
    valid_->setToolTip(QString::fromLatin1(kNeedsCountryHint));
    e164_->setToolTip(QString::fromLatin1(kNeedsCountryHint));
    split_ = MakeBox("splitBlanksBox", kSplitBlanksCaption, kSplitBlanksBox, this);

    connect(country_, &QComboBox::currentIndexChanged, this, [this] { changeCountry(); });
    connect(valid_, &QCheckBox::stateChanged, this,
            [this] { changeBox(OptionsModel::kValidNumbersOnly, valid_); });
    connect(e164_, &QCheckBox::stateChanged, this,
            [this] { changeBox(OptionsModel::kNumbersAsE164, e164_); });
    connect(split_, &QCheckBox::stateChanged, this,
            [this] { changeBox(OptionsModel::kSplitAtBlanks, split_); });
}

// A value the settings cannot take still holds for this session, as with the other options.
void NumberRulesFrame::changeCountry() {
    try {
        options_.setNumberCountry(country_->currentData().toString().toStdString());
    } catch (...) {
    }
}

void NumberRulesFrame::changeBox(OptionsModel::NumberBox box, const OptionBox* control) {
    try {
        options_.setNumberBox(box, control->value() == kTicked);
    } catch (...) {
    }
}

void NumberRulesFrame::showOptions(const ExtractionOptions& o) {
    {
        const QSignalBlocker quiet(country_);
        // A stored country the number rules do not know shows as "(none)" and counts as none.
        const int index = country_->findData(QString::fromStdString(o.numberCountry));
        country_->setCurrentIndex(index < 0 ? 0 : index);
    }
    const std::pair<OptionBox*, bool> boxes[] = {
        {valid_, o.validNumbersOnly}, {e164_, o.numbersAsE164}, {split_, o.splitAtBlanks}};
    for (const auto& [box, ticked] : boxes) {
        const QSignalBlocker quiet(box);
        box->setValue(ticked ? kTicked : kUnticked);
    }
}

QList<QWidget*> NumberRulesFrame::tabOrder() const {
    return {country_, valid_, e164_, split_};
}

void NumberRulesFrame::setFace(const QColor& face) {
    SetFaceOf(this, face);
    for (QWidget* w : QList<QWidget*>{countryLabel_, valid_, e164_, split_})
        SetFaceOf(w, face);
}

}  // namespace tessaly
