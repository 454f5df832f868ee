// The window pointer: the hand over each of the 13 buttons, the default over everything else,
// and the busy pointer shown over the whole window, never replaced by a movement.

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "report_list_view.h"
#include "window_fixture.h"

using namespace tessaly;
using tessaly::testing::BarePoint;
using tessaly::testing::MovePointer;
using tessaly::testing::WindowFixture;

class PointerRulesTest : public QObject {
    Q_OBJECT

  private slots:
    // From the hand over "Help" to the place named, with or without a long command running.
    void moves_data() {
        QTest::addColumn<QString>("place");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<int>("expected");
        for (const char* button :
             {"addFilesButton", "saveCommaButton", "clearInputsButton", "addFolderButton",
              "helpButton", "saveTextButton", "startButton", "copyResultsButton",
              "clearResultsButton", "formatButton", "samplesButton", "removeDuplicatesButton",
              "advancedHelpButton"}) {
            QTest::addRow("%s", button) << QString(button) << false << int(kCustomPointer);
        }
        for (const char* place : {"mainWindow", "lengthFrame", "advancedFrame", "lengthBox5",
                                  "requireBox", "requiredText", "inputList", "resultList"}) {
            QTest::addRow("%s", place) << QString(place) << false << int(kDefaultPointer);
        }
        QTest::newRow("button, busy") << "startButton" << true << int(kBusyPointer);
        QTest::newRow("window, busy") << "mainWindow" << true << int(kBusyPointer);
        QTest::newRow("list, busy") << "resultList" << true << int(kBusyPointer);
    }
    void moves() {
        QFETCH(QString, place);
        QFETCH(bool, busy);
        QFETCH(int, expected);
        WindowFixture f;
        f.start();
        MovePointer(f.find<QPushButton>("helpButton"));
        if (busy) f.form->setPointer(kBusyPointer);
        QWidget* widget = place == "mainWindow" ? f.form.get() : f.find<QWidget>(qPrintable(place));
        if (auto* list = qobject_cast<ReportListView*>(widget)) widget = list->viewport();
        // A control that holds others (a frame, the window) is reached where none of them lies;
        // a move over a control inside would be passed on to it first.
        MovePointer(widget, widget->childAt(widget->rect().center()) ? BarePoint(widget)
                                                                     : widget->rect().center());
        QCOMPARE(f.form->pointer(), expected);
    }

    // Coming in from outside, the window and the frame are entered before the button in them.
    void enteringAButtonFromOutside() {
        WindowFixture f;
        f.start();
        for (const char* name : {"mainWindow", "advancedFrame", "advancedHelpButton"}) {
            QWidget* w = f.form->objectName() == name ? f.form.get() : f.find<QWidget>(name);
            QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(w->mapToGlobal(QPoint(1, 1))));
            QApplication::sendEvent(w, &enter);
        }
        QCOMPARE(f.form->pointer(), int(kCustomPointer));
    }

    // The busy pointer shows over every part of the window; the default gives each part its
    // own pointer back, the text field's I-beam included.
    void busyPointerCoversTheWholeWindow() {
        WindowFixture f;
        f.start();
        f.form->setPointer(kBusyPointer);
        QList<QWidget*> all = f.form->findChildren<QWidget*>();
        all << f.form.get();
        for (QWidget* w : all)
            QCOMPARE(w->cursor().shape(), Qt::WaitCursor);
        f.form->setPointer(kDefaultPointer);
        QCOMPARE(f.find<QLineEdit>("requiredText")->cursor().shape(), Qt::IBeamCursor);
        QCOMPARE(f.find<QWidget>("startButton")->cursor().shape(), Qt::ArrowCursor);
    }
};

QTEST_MAIN(PointerRulesTest)
#include "test_pointer_rules.moc"
