// The window pointer: the hand over each of the 13 buttons, the default over everything else,
// and the busy pointer of a long command shown over the whole window and never replaced by a
// movement.

#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "report_list_view.h"
#include "window_fixture.h"

using namespace tessaly;
using tessaly::testing::BarePoint;
using tessaly::testing::MovePointer;
using tessaly::testing::WindowFixture;

namespace {

const char* const kButtons[] = {"PushButton1", "PushButton2",  "PushButton3",  "PushButton4",
                                "PushButton5", "PushButton6",  "PushButton7",  "PushButton8",
                                "PushButton9", "PushButton10", "PushButton11", "PushButton12",
                                "PushButton13"};

// The places that are not buttons, as the pointer reaches them.
QWidget* Place(WindowFixture& f, const QString& name, QPoint* at) {
    QWidget* widget = nullptr;
    if (name == "window") {
        widget = f.form.get();
    } else if (name.startsWith("ListView")) {
        auto* list = f.find<ReportListView>(qPrintable(name));
        widget = list->viewport();
    } else if (name == "ListView1 header") {
        widget = f.find<ReportListView>("ListView1")->header()->viewport();
    } else {
        widget = f.find<QWidget>(qPrintable(name));
    }
    *at = widget->childAt(widget->rect().center()) ? BarePoint(widget) : widget->rect().center();
    return widget;
}

}  // namespace

class PointerRulesTest : public QObject {
    Q_OBJECT

private slots:
    void handOverEveryButton_data() {
        QTest::addColumn<QString>("button");
        for (const char* name : kButtons) QTest::newRow(name) << QString(name);
    }
    void handOverEveryButton() {
        QFETCH(QString, button);
        WindowFixture f;
        f.start();
        MovePointer(f.find<QPushButton>(qPrintable(button)));
        QCOMPARE(f.form->pointer(), int(kCustomPointer));
        MovePointer(f.form.get(), BarePoint(f.form.get()));
        QCOMPARE(f.form->pointer(), int(kDefaultPointer));
    }

    void defaultOverEverythingElse_data() {
        QTest::addColumn<QString>("place");
        for (const char* name : {"window", "Frame1", "Frame2", "Check1_0", "Check1_15", "Check2",
                                 "Text1", "ListView1", "ListView2"}) {
            QTest::newRow(name) << QString(name);
        }
    }
    void defaultOverEverythingElse() {
        QFETCH(QString, place);
        WindowFixture f;
        f.start();
        MovePointer(f.find<QPushButton>("PushButton5"));
        QCOMPARE(f.form->pointer(), int(kCustomPointer));
        QPoint at;
        QWidget* widget = Place(f, place, &at);
        MovePointer(widget, at);
        QCOMPARE(f.form->pointer(), int(kDefaultPointer));
        // A button's pointer is gone from the whole window.
        QCOMPARE(f.find<QPushButton>("PushButton5")->cursor().shape(), Qt::ArrowCursor);
    }

    // Entering a button from outside the window also gives the hand, although the window and
    // the frame around it are entered first.
    void enteringAButtonGivesTheHand() {
        WindowFixture f;
        f.start();
        for (QWidget* w : QList<QWidget*>{f.form.get(), f.find<QGroupBox>("Frame2"),
                                          f.find<QPushButton>("PushButton13")}) {
            QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(w->mapToGlobal(QPoint(1, 1))));
            QApplication::sendEvent(w, &enter);
        }
        QCOMPARE(f.form->pointer(), int(kCustomPointer));
    }

    void busyPointerStays_data() {
        QTest::addColumn<QString>("place");
        QTest::newRow("over a button") << "PushButton7";
        QTest::newRow("over the window") << "window";
        QTest::newRow("over a list") << "ListView2";
        QTest::newRow("over the text field") << "Text1";
    }
    void busyPointerStays() {
        QFETCH(QString, place);
        WindowFixture f;
        f.start();
        f.form->setPointer(kBusyPointer);
        QPoint at;
        QWidget* widget = place.startsWith("PushButton") ? f.find<QWidget>(qPrintable(place))
                                                          : Place(f, place, &at);
        if (place.startsWith("PushButton")) at = widget->rect().center();
        MovePointer(widget, at);
        QCOMPARE(f.form->pointer(), int(kBusyPointer));
    }

    // The busy pointer shows over every part of the window, the text field's own pointer
    // included, and the default gives each part its own pointer back.
    void busyPointerCoversTheWholeWindow() {
        WindowFixture f;
        f.start();
        auto* text = f.find<QLineEdit>("Text1");
        QCOMPARE(text->cursor().shape(), Qt::IBeamCursor);
        f.form->setPointer(kBusyPointer);
        QList<QWidget*> all = f.form->findChildren<QWidget*>();
        all << f.form.get();
        for (QWidget* w : all) QCOMPARE(w->cursor().shape(), Qt::WaitCursor);
        f.form->setPointer(kDefaultPointer);
        QCOMPARE(text->cursor().shape(), Qt::IBeamCursor);
        QCOMPARE(f.form->cursor().shape(), Qt::ArrowCursor);
    }

    // Without a hand image the buttons still set the custom value; the pointer shown is the
    // default one.
    void withoutHandImageTheCustomPointerIsTheDefault() {
        WindowFixture f;
        f.start();
        auto* button = f.find<QPushButton>("PushButton9");
        MovePointer(button);
        QCOMPARE(f.form->pointer(), int(kCustomPointer));
        QCOMPARE(button->cursor().shape(), Qt::ArrowCursor);
    }

    void closingWindowIgnoresMovement() {
        WindowFixture f;
        f.start();
        f.form->close();
        MovePointer(f.find<QPushButton>("PushButton9"));
        QCOMPARE(f.form->pointer(), int(kDefaultPointer));
    }
};

QTEST_MAIN(PointerRulesTest)
#include "test_pointer_rules.moc"
