// The result list model tells the view of new rows in batches, and of removals and resets at
// once; the input list model shows names as the platform decodes them.

#include <QAbstractItemModelTester>
#include <QFile>
#include <QtTest>

#include "input_list_model.h"
#include "result_list_model.h"

using namespace tessaly;

class ListModelsTest : public QObject {
    Q_OBJECT

  private slots:
    // Rows 1 and 2 are shown, 3 and 4 wait for the interval; then the change named.
    void resultRowsInBatches_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("first");
        QTest::newRow("nothing: they wait") << "" << 2 << "11111";
        QTest::newRow("shown on request") << "show" << 4 << "11111";
        QTest::newRow("a shown row removed") << "remove 1" << 1 << "22222";
        QTest::newRow("a waiting row removed") << "remove 4" << 2 << "11111";
        QTest::newRow("a reset shows all") << "reset" << 1 << "44444";
        QTest::newRow("the interval ends") << "wait" << 4 << "11111";
    }
    void resultRowsInBatches() {
        QFETCH(QString, change);
        QFETCH(int, shown);
        QFETCH(QString, first);
        ResultList results;
        ResultListModel model(results);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.addColumn("Results");
        const int waitMs = change == "wait" ? 100 : 60000;
        model.setAnnounceInterval([&] { return std::chrono::milliseconds(waitMs); });
        results.append(std::vector<PhoneNumber>{PhoneNumber("11111"), PhoneNumber("22222")});
        results.append(std::vector<PhoneNumber>{PhoneNumber("33333"), PhoneNumber("44444")});
        QCOMPARE(model.rowCount(), 2);
        if (change == "show") model.showPendingRows();
        if (change == "remove 1") results.removeAt(1);
        if (change == "remove 4") results.removeAt(4);
        if (change == "reset") results.retain({false, false, false, true});
        if (change == "wait") QTRY_COMPARE(model.rowCount(), 4);
        QCOMPARE(model.rowCount(), shown);
        QCOMPARE(model.index(0, 0).data().toString(), first);
    }

    // A name that is no valid UTF-8 is shown with a replacement character; the row, which the
    // run opens, keeps the bytes that name the file.
    void inputNamesDecodedForDisplay_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("utf-8") << QByteArray("/tmp/caf\xc3\xa9.txt");
        QTest::newRow("not utf-8") << QByteArray("/tmp/caf\xe9.txt");
    }
    void inputNamesDecodedForDisplay() {
        QFETCH(QByteArray, name);
        InputList inputs;
        InputListModel model(inputs);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.addColumn("File(s)");
        inputs.append(name.toStdString());
        QCOMPARE(model.index(0, 0).data().toString(), QFile::decodeName(name));
        QCOMPARE(QByteArray::fromStdString(inputs.at(1)), name);
        inputs.setText(1, "/z");
        QCOMPARE(model.index(0, 0).data().toString(), QString("/z"));
        inputs.clear();
        QCOMPARE(model.rowCount(), 0);
    }
};

QTEST_MAIN(ListModelsTest)
#include "test_list_models.moc"
