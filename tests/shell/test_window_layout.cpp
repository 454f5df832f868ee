// The window as laid out: inside 1064 x 492 pixels, fixed; the controls at their places (15
// twips to the pixel) with their captions and fonts, inside their frames, in their own colours
// and in reading order; both lists with their column and hint.

#include <QAbstractButton>
#include <QGroupBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QtTest>

#include "report_list_view.h"
#include "window_fixture.h"

using namespace tessaly;
using tessaly::testing::WindowFixture;

class WindowLayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void windowIsFixed() {
        WindowFixture f;
        MainWindow& form = f.start();
        QCOMPARE(form.minimumSize(), QSize(1064, 492));
        QCOMPARE(form.maximumSize(), QSize(1064, 492));
    }

    // Pixels, relative to the window or to the frame that holds the control.
    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("points");
        auto row = [](const char* name, const char* parent, QRect place, const char* caption,
                      double points) {
            QTest::newRow(name) << QString(name) << QString(parent) << place << QString(caption)
                                << points;
        };
        row("helpButton", "mainWindow", {8, 8, 520, 27}, "&Help", 11.25);
        row("addFilesButton", "mainWindow", {8, 217, 256, 27}, "&Add File(s)", 11.25);
        row("samplesButton", "mainWindow", {272, 251, 256, 27}, "Load Sa&mple/Example Files",
            11.25);
        row("startButton", "mainWindow", {8, 409, 520, 27}, "&Start Extracting Phone Numbers",
            11.25);
        row("saveTextButton", "mainWindow", {536, 341, 256, 27}, "Save Results As &Text File",
            11.25);
        row("clearResultsButton", "mainWindow", {800, 375, 256, 27}, "Clear L&ist", 11.25);
        row("formatButton", "mainWindow", {800, 409, 256, 27}, "Format &Phone Number Results",
            11.25);
        // Each caption reads as before; "&" marks its access key, no letter twice.
        row("advancedHelpButton", "advancedFrame", {448, 16, 56, 25}, "?", 11.25);
        row("lengthFrame", "mainWindow", {8, 281, 520, 68}, "Phone Number Length", 9);
        row("advancedFrame", "mainWindow", {8, 354, 520, 48}, "Advanced Option", 9);
        row("requireBox", "advancedFrame", {16, 20, 301, 17},
            "Extract only numbers that contain this character:", 9);
        row("requiredText", "advancedFrame", {320, 16, 121, 25}, "", 9);
        row("inputList", "mainWindow", {8, 42, 520, 169}, "", 9);
        row("resultList", "mainWindow", {536, 8, 520, 327}, "", 9);
        row("lengthBox5", "lengthFrame", {16, 20, 37, 17}, "5", 9);
        row("lengthBox7", "lengthFrame", {131, 20, 36, 17}, "7", 9);
        row("lengthBox13", "lengthFrame", {16, 43, 37, 17}, "13", 9);
        row("lengthBox20", "lengthFrame", {417, 43, 37, 17}, "20", 9);
        row("numberFrame", "mainWindow", {8, 441, 1048, 44}, "Number Rules", 9);
        row("validNumbersBox", "numberFrame", {192, 19, 180, 17}, "Valid numbers only", 9);
        row("e164Box", "numberFrame", {384, 19, 220, 17}, "Write numbers as +E.164", 9);
        row("splitBlanksBox", "numberFrame", {616, 19, 420, 17},
            "Cut numbers that blanks separate (a run of a length not ticked)", 9);
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, place);
        QFETCH(QString, caption);
        QFETCH(double, points);
        WindowFixture f;
        f.start();
        auto* widget = f.find<QWidget>(qPrintable(name));
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        QCOMPARE(widget->geometry(), place);
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            QCOMPARE(button->text(), caption);
        if (auto* frame = qobject_cast<QGroupBox*>(widget)) QCOMPARE(frame->title(), caption);
        QCOMPARE(widget->font().family(), QString("Arial"));
        QVERIFY(widget->font().bold());
        QCOMPARE(widget->font().pointSizeF(), points);
    }

    void lists_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<int>("elide");       // where a row too long for the column is cut
        QTest::addColumn<QString>("rowTip");  // the first row's tooltip
        QTest::newRow("inputs") << "inputList"
                                << "File(s)"
                                << "Drag and drop files here. Double-click item to remove it. "
                                   "Move | line to right and out of window to reveal full names."
                                << int(Qt::ElideMiddle) << "/a";
        QTest::newRow("results") << "resultList"
                                 << "Results"
                                 << "Double-click item to remove it. Move | line to right and out "
                                    "of window to reveal full names."
                                 << int(Qt::ElideRight) << "";
    }
    void lists() {
        QFETCH(QString, name);
        QFETCH(QString, header);
        QFETCH(QString, hint);
        QFETCH(int, elide);
        QFETCH(QString, rowTip);
        WindowFixture f;
        f.start();
        auto* list = f.find<ReportListView>(qPrintable(name));
        QCOMPARE(list->toolTip(), hint);
        QCOMPARE(list->model()->columnCount(), 1);
        QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), header);
        QCOMPARE(list->columnWidth(0), 467);  // 7000 twips
        QVERIFY(!list->header()->stretchLastSection());
        // No check boxes on the rows.
        f.form->inputList().append("/a");
        f.form->resultList().append(PhoneNumber("12345"));
        QVERIFY(!list->model()->index(0, 0).data(Qt::CheckStateRole).isValid());
        QCOMPARE(int(list->textElideMode()), elide);
        QCOMPARE(list->model()->index(0, 0).data(Qt::ToolTipRole).toString(), rowTip);
    }

    // A frame's line runs through its caption and around every control inside it.
    void frames_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("Phone Number Length") << "lengthFrame";
        QTest::newRow("Advanced Option") << "advancedFrame";
    }
    void frames() {
        QFETCH(QString, name);
        WindowFixture f;
        MainWindow& form = f.start();
        auto* frame = f.find<QGroupBox>(qPrintable(name));
        const QImage image = form.grab(frame->geometry()).toImage();
        const auto dark = [&](int x, int y) { return image.pixelColor(x, y).lightness() < 240; };
        int top = 0, bottom = image.height() - 1;  // the line, on the right, clear of controls
        while (top < bottom && !dark(image.width() - 6, top))
            ++top;
        while (bottom > top && !dark(image.width() - 6, bottom))
            --bottom;
        const QList<QWidget*> controls = frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        int firstControl = image.height();
        for (QWidget* control : controls)
            firstControl = std::min(firstControl, control->geometry().top());
        int captionTop = image.height(), captionBottom = -1;
        for (int y = 0; y < firstControl; ++y) {
            for (int x = 10; x < 60; ++x) {
                if (image.pixelColor(x, y).lightness() >= 100) continue;
                captionTop = std::min(captionTop, y);
                captionBottom = std::max(captionBottom, y);
            }
        }
        QVERIFY(captionTop < top && top < captionBottom);
        for (QWidget* control : controls) {
            QVERIFY2(control->geometry().top() > top && control->geometry().bottom() < bottom,
                     qPrintable(control->objectName()));
        }
    }

    // Under a dark desktop the window's controls keep dark text on their light backgrounds; a
    // message box or menu opened from the window follows the desktop.
    void darkDesktop() {
        const QPalette desktop = QApplication::palette();
        const QPalette dark(QColor(0x45, 0x45, 0x45), QColor(0x30, 0x30, 0x30));
        QApplication::setPalette(dark);
        {
            WindowFixture f;
            MainWindow& form = f.start();
            QList<QWidget*> widgets = form.findChildren<QWidget*>();
            widgets << &form;
            for (QWidget* widget : widgets) {
                if (widget != &form && widget->isWindow()) continue;  // menus follow the desktop
                const QPalette& p = widget->palette();
                for (const auto& [text, back] : {std::pair{QPalette::WindowText, QPalette::Window},
                                                 {QPalette::Text, QPalette::Base},
                                                 {QPalette::ButtonText, QPalette::Button}}) {
                    QVERIFY2(p.color(back).lightness() - p.color(text).lightness() > 150,
                             qPrintable(widget->objectName()));
                }
            }
            const QMessageBox box(&form);
            QCOMPARE(box.palette().color(QPalette::WindowText), dark.color(QPalette::WindowText));
        }
        QApplication::setPalette(desktop);
    }

    // Tab goes in reading order and round to Help again; an empty list with the focus shows it.
    void tabOrder() {
        WindowFixture f;
        MainWindow& form = f.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QStringList expected{"helpButton",      "inputList",         "addFilesButton",
                             "addFolderButton", "clearInputsButton", "samplesButton"};
        for (int i = 0; i < 16; ++i)
            expected << QString("lengthBox%1").arg(i + 5);
        expected << "requireBox"
                 << "requiredText"
                 << "advancedHelpButton"
                 << "startButton"
                 << "countryChoice"
                 << "validNumbersBox"
                 << "e164Box"
                 << "splitBlanksBox"
                 << "resultList"
                 << "saveTextButton"
                 << "saveCommaButton"
                 << "copyResultsButton"
                 << "clearResultsButton"
                 << "removeDuplicatesButton"
                 << "formatButton"
                 << "helpButton";
        auto* list = f.find<ReportListView>("inputList");
        f.find<QWidget>("helpButton")->setFocus();
        QStringList order;
        QImage focused;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            order << QApplication::focusWidget()->objectName();
            if (list->hasFocus()) focused = list->grab().toImage();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, expected);
        QTest::keyClick(list, Qt::Key_Tab);
        QVERIFY(list->grab().toImage() != focused);
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "test_window_layout.moc"
