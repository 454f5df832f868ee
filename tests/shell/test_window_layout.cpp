// The window as laid out: inside 1064 x 443 pixels, fixed; the controls at their places (15
// twips to the pixel) with their captions and fonts; both lists with their column and hint.

#include <QAbstractButton>
#include <QGroupBox>
#include <QHeaderView>
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
        Form1& form = f.start();
        QCOMPARE(form.minimumSize(), QSize(1064, 443));
        QCOMPARE(form.maximumSize(), QSize(1064, 443));
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
        row("PushButton5", "Form1", {8, 8, 520, 27}, "Help", 11.25);
        row("PushButton1", "Form1", {8, 217, 256, 27}, "Add File(s)", 11.25);
        row("PushButton11", "Form1", {272, 251, 256, 27}, "Load Sample/Example Files", 11.25);
        row("PushButton7", "Form1", {8, 409, 520, 27}, "Start Extracting Phone Numbers", 11.25);
        row("PushButton6", "Form1", {536, 341, 256, 27}, "Save Results As Text File", 11.25);
        row("PushButton9", "Form1", {800, 375, 256, 27}, "Clear List", 11.25);
        row("PushButton10", "Form1", {800, 409, 256, 27}, "Format Phone Number Results", 11.25);
        row("PushButton13", "Frame2", {448, 16, 56, 25}, "?", 11.25);
        row("Frame1", "Form1", {8, 281, 520, 68}, "Phone Number Length", 9);
        row("Frame2", "Form1", {8, 354, 520, 48}, "Advanced Option", 9);
        row("Check2", "Frame2", {16, 20, 301, 17},
            "Extract only numbers that contain this character:", 9);
        row("Text1", "Frame2", {320, 16, 121, 25}, "", 9);
        row("ListView1", "Form1", {8, 42, 520, 169}, "", 9);
        row("ListView2", "Form1", {536, 8, 520, 327}, "", 9);
        row("Check1_0", "Frame1", {16, 20, 37, 17}, "5", 9);
        row("Check1_2", "Frame1", {131, 20, 36, 17}, "7", 9);
        row("Check1_8", "Frame1", {16, 43, 37, 17}, "13", 9);
        row("Check1_15", "Frame1", {417, 43, 37, 17}, "20", 9);
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
        QTest::newRow("inputs") << "ListView1"
                                << "File(s)"
                                << "Drag and drop files here. Double-click item to remove it. "
                                   "Move | line to right and out of window to reveal full names.";
        QTest::newRow("results") << "ListView2"
                                 << "Results"
                                 << "Double-click item to remove it. Move | line to right and out "
                                    "of window to reveal full names.";
    }
    void lists() {
        QFETCH(QString, name);
        QFETCH(QString, header);
        QFETCH(QString, hint);
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
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "test_window_layout.moc"
