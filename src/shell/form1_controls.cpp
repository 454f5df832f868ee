// The window's controls, each at its fixed place with its caption and font, in its colours and
// in reading order for the Tab key.

#include <QLineEdit>
#include <QPushButton>
#include <limits>

#include "form1.h"
#include "frame_box.h"
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

// The window paints its own white background, so its controls take colours that belong with it
// whatever the desktop's theme: dark text on white fields and on button faces. Windows opened
// from it (message boxes, dialogs) do not inherit these and follow the desktop.
QPalette WindowPalette() {
    const QColor face(0xF0, 0xF0, 0xF0);
    const QColor grey(0x6D, 0x6D, 0x6D);
    QPalette palette(face, Qt::white);  // black text, white base and background
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(0x00, 0x78, 0xD7));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::AlternateBase, face);
    palette.setColor(QPalette::PlaceholderText, grey);
    palette.setColor(QPalette::Link, QColor(0x00, 0x66, 0xCC));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, grey);
    }
    return palette;
}

}  // namespace

void Form1::createControls() {
    using namespace layout;
    setObjectName(QStringLiteral("Form1"));
    setFixedSize(ToPixels(kInsideWidth), ToPixels(kInsideHeight));
    setFont(WindowFont(kWindowFontPoints));
    setPalette(WindowPalette());
    setAutoFillBackground(true);

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

    frame1_ = new FrameBox(QString::fromLatin1(kFrame1Caption), this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setGeometry(ToPixels(kFrame1));
    for (int i = 0; i < kLengthBoxCount; ++i) {
        auto* box = new OptionBox(QString::number(ExtractionOptions::DigitsOfBox(i)), frame1_);
        box->setObjectName(QStringLiteral("Check1_%1").arg(i));
        box->setGeometry(ToPixels(Twips{kLengthBoxLefts[i % 8], kLengthBoxTops[i / 8],
                                        kLengthBoxWidth, kLengthBoxHeight}));
        check1_[i] = box;
    }

    frame2_ = new FrameBox(QString::fromLatin1(kFrame2Caption), this);
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
    setReadingOrder();
}

// Tab goes as one reads the window: the left column from top to bottom, each row of buttons from
// left to right, then the results and their buttons.
void Form1::setReadingOrder() {
    const auto button = [this](const char* name) {
        return findChild<QPushButton*>(QLatin1String(name));
    };
    QList<QWidget*> order{button("PushButton5"), listView1_,
                          button("PushButton1"), button("PushButton4"),
                          button("PushButton3"), button("PushButton11")};
    for (OptionBox* box : check1_)
        order << box;
    order << check2_ << text1_ << button("PushButton13") << button("PushButton7") << listView2_;
    for (const char* name : {"PushButton6", "PushButton2", "PushButton8", "PushButton9",
                             "PushButton12", "PushButton10"}) {
        order << button(name);
    }
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

}  // namespace tessaly
