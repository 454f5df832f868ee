// The window as laid out: inside 1064 x 443 pixels, fixed; every control at its place (15 twips
// to the pixel), with its caption, font and hint; the list columns created by start-up.

#include <QAbstractButton>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QtTest>

#include "report_list_view.h"
#include "window_fixture.h"

using namespace tessaly;
using tessaly::testing::WindowFixture;

class WindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void windowSize() {
        WindowFixture f;
        Form1& form = f.start();
        QCOMPARE(form.size(), QSize(1064, 443));
        QCOMPARE(form.minimumSize(), QSize(1064, 443));
        QCOMPARE(form.maximumSize(), QSize(1064, 443));
        QCOMPARE(form.palette().color(QPalette::Window), QColor(Qt::white));
    }

    // Positions in pixels, relative to the window or to the frame that holds the control.
    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("points");
        const double button = 11.25;
        const double window = 9;
        auto row = [](const char* name, const char* parent, QRect place, const char* caption,
                      double points) {
            QTest::newRow(name) << QString(name) << QString(parent) << place << QString(caption)
                                << points;
        };
        row("PushButton5", "Form1", {8, 8, 520, 27}, "Help", button);
        row("PushButton1", "Form1", {8, 217, 256, 27}, "Add File(s)", button);
        row("PushButton4", "Form1", {272, 217, 256, 27}, "Add All File(s) In Folder", button);
        row("PushButton3", "Form1", {8, 251, 256, 27}, "Clear List", button);
        row("PushButton11", "Form1", {272, 251, 256, 27}, "Load Sample/Example Files", button);
        row("PushButton7", "Form1", {8, 409, 520, 27}, "Start Extracting Phone Numbers", button);
        row("PushButton6", "Form1", {536, 341, 256, 27}, "Save Results As Text File", button);
        row("PushButton2", "Form1", {800, 341, 256, 27}, "Save As Comma Delimited", button);
        row("PushButton8", "Form1", {536, 375, 256, 27}, "Copy Results To Clipboard", button);
        row("PushButton9", "Form1", {800, 375, 256, 27}, "Clear List", button);
        row("PushButton12", "Form1", {536, 409, 256, 27}, "Remove Duplicates From Results",
            button);
        row("PushButton10", "Form1", {800, 409, 256, 27}, "Format Phone Number Results", button);
        row("PushButton13", "Frame2", {448, 16, 56, 25}, "?", button);
        row("Frame1", "Form1", {8, 281, 520, 68}, "Phone Number Length", window);
        row("Frame2", "Form1", {8, 354, 520, 48}, "Advanced Option", window);
        row("Check2", "Frame2", {16, 20, 301, 17},
            "Extract only numbers that contain this character:", window);
        row("Text1", "Frame2", {320, 16, 121, 25}, "", window);
        row("ListView1", "Form1", {8, 42, 520, 169}, "", window);
        row("ListView2", "Form1", {536, 8, 520, 327}, "", window);
        row("Check1_0", "Frame1", {16, 20, 37, 17}, "5", window);
        row("Check1_1", "Frame1", {73, 20, 37, 17}, "6", window);
        row("Check1_2", "Frame1", {131, 20, 36, 17}, "7", window);
        row("Check1_5", "Frame1", {303, 20, 36, 17}, "10", window);
        row("Check1_7", "Frame1", {417, 20, 37, 17}, "12", window);
        row("Check1_8", "Frame1", {16, 43, 37, 17}, "13", window);
        row("Check1_12", "Frame1", {245, 43, 37, 17}, "17", window);
        row("Check1_15", "Frame1", {417, 43, 37, 17}, "20", window);
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
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            QCOMPARE(button->text(), caption);
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            QCOMPARE(frame->title(), caption);
        } else if (auto* text = qobject_cast<QLineEdit*>(widget)) {
            QCOMPARE(text->text(), QString("-"));  // what start-up put there
        }
        QCOMPARE(widget->font().family(), QString("Arial"));
        QVERIFY(widget->font().bold());
        QCOMPARE(widget->font().pointSizeF(), points);
    }

    // Box i of the array stands for i + 5 digits, in two rows of eight.
    void lengthBoxArray() {
        WindowFixture f;
        f.start();
        QList<QAbstractButton*> boxes;
        for (int i = 0; i < kLengthBoxCount; ++i) {
            auto* box = f.find<QAbstractButton>(qPrintable(QStringLiteral("Check1_%1").arg(i)));
            QCOMPARE(box->text(), QString::number(i + 5));
            QCOMPARE(box->y(), i < 8 ? 20 : 43);
            if (i % 8 != 0) QVERIFY(box->x() > boxes.last()->x());
            boxes << box;
        }
        QCOMPARE(f.form->findChildren<QAbstractButton*>(QRegularExpression("^Check1_")).size(),
                 kLengthBoxCount);
    }

    void lists_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("hint");
        QTest::newRow("inputs") << "ListView1" << "File(s)"
                                << "Drag and drop files here. Double-click item to remove it. "
                                   "Move | line to right and out of window to reveal full names.";
        QTest::newRow("results")
            << "ListView2" << "Results"
            << "Double-click item to remove it. Move | line to right and out of window to reveal "
               "full names.";
    }
    void lists() {
        QFETCH(QString, name);
        QFETCH(QString, header);
        QFETCH(QString, hint);
        WindowFixture f;
        f.start();
        auto* list = f.find<ReportListView>(qPrintable(name));
        QCOMPARE(list->toolTip(), hint);
        QCOMPARE(list->viewport()->toolTip(), hint);
        QCOMPARE(list->model()->columnCount(), 1);
        QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), header);
        QCOMPARE(list->columnWidth(0), 467);
        QVERIFY(!list->rootIsDecorated());
        QVERIFY(list->uniformRowHeights());
        QVERIFY(!list->header()->stretchLastSection());
        QCOMPARE(list->header()->sectionResizeMode(0), QHeaderView::Interactive);
        // Rows show no check boxes.
        f.form->resultList().append(PhoneNumber("12345"));
        f.form->inputList().append("/a");
        QVERIFY(!list->model()->index(0, 0).data(Qt::CheckStateRole).isValid());
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "test_window_layout.moc"
