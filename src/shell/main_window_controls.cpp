// The window's controls, each at its fixed place with its caption and font, in its colours and
// in reading order for the Tab key.

#include <QLineEdit>
#include <QPushButton>
#include <limits>

#include "frame_box.h"
#include "main_window.h"
#include "number_rules_frame.h"
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

void MainWindow::createControls() {
    using namespace layout;
    setObjectName(QStringLiteral("mainWindow"));
    setFixedSize(ToPixels(kInsideWidth), ToPixels(kInsideHeight));
    setFont(WindowFont(kWindowFontPoints));
    setPalette(WindowPalette());
    setAutoFillBackground(true);

    for (const ButtonLayout& button : kWindowButtons) {
        buttons_ << MakeButton(this, button.name, button.place, button.caption);
    }
    startButton_ = findChild<QPushButton*>(QStringLiteral("startButton"));

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
    inputView_ = makeList("inputList", kInputList, inputModel_, kInputListHint);
    // A long path keeps its file name in view; the row's tooltip shows it whole.
    inputView_->setTextElideMode(Qt::ElideMiddle);
    resultView_ = makeList("resultList", kResultList, resultModel_, kResultListHint);
    // The result list's menu acts on any number of rows, picked with Shift and Ctrl.
    resultView_->setSelectionMode(QAbstractItemView::ExtendedSelection);

    lengthFrame_ = new FrameBox(QString::fromLatin1(kLengthFrameCaption), this);
    lengthFrame_->setObjectName(QStringLiteral("lengthFrame"));
    lengthFrame_->setGeometry(ToPixels(kLengthFrame));
    for (int i = 0; i < kLengthBoxCount; ++i) {
        auto* box = new OptionBox(QString::number(ExtractionOptions::DigitsOfBox(i)), lengthFrame_);
        box->setObjectName(QStringLiteral("lengthBox%1").arg(ExtractionOptions::DigitsOfBox(i)));
        box->setGeometry(ToPixels(Twips{kLengthBoxLefts[i % 8], kLengthBoxTops[i / 8],
                                        kLengthBoxWidth, kLengthBoxHeight}));
        lengthBoxes_[i] = box;
    }

    advancedFrame_ = new FrameBox(QString::fromLatin1(kAdvancedFrameCaption), this);
    advancedFrame_->setObjectName(QStringLiteral("advancedFrame"));
    advancedFrame_->setGeometry(ToPixels(kAdvancedFrame));
    requireBox_ = new OptionBox(QString::fromLatin1(kRequireBoxCaption), advancedFrame_);
    requireBox_->setObjectName(QStringLiteral("requireBox"));
    requireBox_->setGeometry(ToPixels(kRequireBox));
    requiredTextEdit_ = new QLineEdit(advancedFrame_);
    requiredTextEdit_->setObjectName(QStringLiteral("requiredText"));
    requiredTextEdit_->setGeometry(ToPixels(kRequiredText));
    // The required text may be of any length.
    requiredTextEdit_->setMaxLength(std::numeric_limits<int>::max());
    buttons_ << MakeButton(advancedFrame_, "advancedHelpButton", kAdvancedHelpButton,
                           kAdvancedHelpCaption);
    numberFrame_ = new NumberRulesFrame(options_, this);
    setReadingOrder();
}

// Tab goes as one reads the window: the left column from top to bottom, each row of buttons from
// left to right, then the results and their buttons.
void MainWindow::setReadingOrder() {
    const auto button = [this](const char* name) {
        return findChild<QPushButton*>(QLatin1String(name));
    };
    QList<QWidget*> order{button("helpButton"),        inputView_,
                          button("addFilesButton"),    button("addFolderButton"),
                          button("clearInputsButton"), button("samplesButton")};
    for (OptionBox* box : lengthBoxes_)
        order << box;
    order << requireBox_ << requiredTextEdit_ << button("advancedHelpButton")
          << button("startButton") << numberFrame_->tabOrder() << resultView_;
    for (const char* name : {"saveTextButton", "saveCommaButton", "copyResultsButton",
                             "clearResultsButton", "removeDuplicatesButton", "formatButton"}) {
        order << button(name);
    }
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

}  // namespace tessaly
