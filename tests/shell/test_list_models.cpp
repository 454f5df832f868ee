// The two list models over their lists: no column until start-up adds it, rows shown as the
// lists hold them (file names decoded as the platform decodes them, bytes untouched), and the
// view kept in step through appends, removals, clears and changed rows.

#include <QAbstractItemModelTester>
#include <QFile>
#include <QtTest>

#include "input_list_model.h"
#include "result_list_model.h"

using namespace tessaly;

class ListModelsTest : public QObject {
    Q_OBJECT

private slots:
    void columnOnlyOnceAdded() {
        ResultList results;
        ResultListModel model(results);
        results.append(PhoneNumber("12345"));
        QCOMPARE(model.columnCount(), 0);
        QCOMPARE(model.rowCount(), 1);
        QSignalSpy inserted(&model, &QAbstractItemModel::columnsInserted);
        model.addColumn("Results");
        model.addColumn("Other");
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(model.columnCount(), 1);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QString("Results"));
        QCOMPARE(model.index(0, 0).data().toString(), QString("12345"));
    }

    void inputNamesAreDecodedForDisplay_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("plain") << QByteArray("/tmp/a.txt");
        QTest::newRow("utf-8") << QByteArray("/tmp/caf\xc3\xa9.txt");
        QTest::newRow("not utf-8") << QByteArray("/tmp/caf\xe9.txt");
    }
    void inputNamesAreDecodedForDisplay() {
        QFETCH(QByteArray, name);
        InputList inputs;
        InputListModel model(inputs);
        model.addColumn("File(s)");
        inputs.append(name.toStdString());
        const QString shown = model.index(0, 0).data().toString();
        QCOMPARE(shown, QFile::decodeName(name));
        // A name that is no valid UTF-8 is shown with a replacement character, but the row, which
        // the run opens, keeps the bytes that name the file.
        QCOMPARE(QByteArray::fromStdString(inputs.at(1)), name);
    }

    // Every change is announced the way views expect; the tester checks each of them.
    void changesKeepViewsInStep() {
        InputList inputs;
        InputListModel inputModel(inputs);
        ResultList results;
        ResultListModel resultModel(results);
        QAbstractItemModelTester inputTester(&inputModel,
                                             QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester resultTester(
            &resultModel, QAbstractItemModelTester::FailureReportingMode::QtTest);
        inputModel.addColumn("File(s)");
        resultModel.addColumn("Results");

        const std::vector<std::string> paths{"/a", "/b", "/c"};
        inputs.append(paths);
        inputs.append("/d");
        inputs.setText(2, "/z");
        inputs.removeAt(1);
        QCOMPARE(inputModel.rowCount(), 3);
        QCOMPARE(inputModel.index(0, 0).data().toString(), QString("/z"));
        inputs.clear();
        QCOMPARE(inputModel.rowCount(), 0);

        const std::vector<PhoneNumber> numbers{PhoneNumber("11111"), PhoneNumber("22222")};
        results.append(numbers);
        results.removeAt(1);
        QCOMPARE(resultModel.index(0, 0).data().toString(), QString("22222"));
        results.assign({PhoneNumber("33333")});
        QCOMPARE(resultModel.index(0, 0).data().toString(), QString("33333"));
        results.clear();
        QCOMPARE(resultModel.rowCount(), 0);
    }

    // A model that goes away leaves its list without an observer.
    void modelsLetGoOfTheirLists() {
        ResultList results;
        InputList inputs;
        {
            ResultListModel resultModel(results);
            InputListModel inputModel(inputs);
        }
        results.append(PhoneNumber("12345"));
        inputs.append("/a");
        QCOMPARE(results.count(), std::size_t(1));
        QCOMPARE(inputs.count(), std::size_t(1));
    }
};

QTEST_MAIN(ListModelsTest)
#include "test_list_models.moc"
