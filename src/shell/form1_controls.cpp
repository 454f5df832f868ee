// The window's controls, each at its fixed place with its caption and font.

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

#include "form1.h"
#include "option_box.h"
#include "report_list_view.h"
#include "window_layout.h"

namespace tessaly {

namespace {

QFont WindowFont(double points) {
    QFont font(QString::fromLatin1(layout::kFontFamily));
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

QPushButton* MakeButton(QWidget* parent, const char* name, layout::Twips place,
                        const char* caption) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(layout::ToPixels(place));
    button->setFont(WindowFont(layout::kButtonFontPoints));
    return button;
}

void SetWhiteBackground(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::white);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace

void Form1::createControls() {
    using namespace layout;
    setObjectName(QStringLiteral("Form1"));
    setFixedSize(ToPixels(kInsideWidth), ToPixels(kInsideHeight));
    setFont(WindowFont(kWindowFontPoints));
    SetWhiteBackground(this);

    for (const ButtonLayout& button : kWindowButtons) {
        buttons_ << MakeButton(this, button.name, button.place, button.caption);
    }

    const auto makeList = [this](const char* name, Twips place, ReportListModel& model,
                                 const char* hint) {
        auto* list = new ReportListView(this);
        list->setObjectName(QLatin1String(name));
        list->setGeometry(ToPixels(place));
        list->setModel(&model);
        list->setToolTip(QString::fromLatin1(hint));
        list->viewport()->setToolTip(QString::fromLatin1(hint));
        return list;
    };
    listView1_ = makeList("ListView1", kListView1, inputModel_, kInputListHint);
    listView2_ = makeList("ListView2", kListView2, resultModel_, kResultListHint);
    // The result list's menu acts on any number of rows, picked with Shift and Ctrl.
    listView2_->setSelectionMode(QAbstractItemView::ExtendedSelection);

    frame1_ = new QGroupBox(QString::fromLatin1(kFrame1Caption), this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setGeometry(ToPixels(kFrame1));
    for (int i = 0; i < kLengthBoxCount; ++i) {
        auto* box = new OptionBox(QString::number(ExtractionOptions::DigitsOfBox(i)), frame1_);
        box->setObjectName(QStringLiteral("Check1_%1").arg(i));
        box->setGeometry(ToPixels(Twips{kLengthBoxLefts[i % 8], kLengthBoxTops[i / 8],
                                        kLengthBoxWidth, kLengthBoxHeight}));
        check1_[i] = box;
    }

    frame2_ = new QGroupBox(QString::fromLatin1(kFrame2Caption), this);
    frame2_->setObjectName(QStringLiteral("Frame2"));
    frame2_->setGeometry(ToPixels(kFrame2));
    check2_ = new OptionBox(QString::fromLatin1(kCheck2Caption), frame2_);
    check2_->setObjectName(QStringLiteral("Check2"));
    check2_->setGeometry(ToPixels(kCheck2));
    text1_ = new QLineEdit(frame2_);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setGeometry(ToPixels(kText1));
    // The required text may be of any length.
    text1_->setMaxLength(std::numeric_limits<int>::max());
    buttons_ << MakeButton(frame2_, "PushButton13", kPushButton13, kPushButton13Caption);
}

}  // namespace tessaly
