// The extraction options with their settings: keys, writes only on change, the listener, and
// the start-up restore with its first-start defaults and its error reports.

#include <QtTest>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "error_report.h"
#include "options_model.h"
#include "support/fake_error_box.h"
#include "support/fake_settings_store.h"

using namespace tessaly;
using tessaly::testing::FakeErrorBox;
using tessaly::testing::FakeSettingsStore;

namespace {

// The start-up procedure the restore runs in.
constexpr std::string_view kStartUp = "Corvalin2021/08/31.Form1.Form_Load";

// "key=value" entries; the key ends at the first "=".
std::pair<std::string, std::string> SplitEntry(const QString& entry) {
    const qsizetype at = entry.indexOf(QLatin1Char('='));
    return {entry.left(at).toStdString(), entry.mid(at + 1).toStdString()};
}

void Fill(FakeSettingsStore& store, const QStringList& entries) {
    for (const QString& entry : entries)
        store.values.insert(SplitEntry(entry));
}

QStringList Writes(const FakeSettingsStore& store) {
    QStringList out;
    for (const auto& [key, value] : store.writes) {
        out << QString::fromStdString(key) + QLatin1Char('=') + QString::fromStdString(value);
    }
    return out;
}

// The 16 box values as one digit each, box 0 first.
QString Boxes(const ExtractionOptions& options) {
    QString out;
    for (int value : options.lengthBoxes)
        out += QString::number(value);
    return out;
}

// "label:description" entries become the exact report texts of the start-up procedure.
std::vector<std::string> Reports(const QStringList& entries) {
    std::vector<std::string> out;
    for (const QString& entry : entries) {
        const qsizetype at = entry.indexOf(QLatin1Char(':'));
        out.push_back(
            ErrorReportText(entry.mid(at + 1).toStdString(), kStartUp, entry.left(at).toInt()));
    }
    return out;
}

std::set<std::string, std::less<>> KeySet(const QStringList& keys) {
    std::set<std::string, std::less<>> out;
    for (const QString& key : keys)
        out.insert(key.toStdString());
    return out;
}

}  // namespace

class TestOptionsModel : public QObject {
    Q_OBJECT

  private slots:
    void lengthKeys_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("key");
        QTest::newRow("first box") << 0 << "Phone Length0";
        QTest::newRow("seven digits") << 2 << "Phone Length2";
        QTest::newRow("ten digits") << 5 << "Phone Length5";
        QTest::newRow("last single digit") << 9 << "Phone Length9";
        QTest::newRow("first two digits") << 10 << "Phone Length10";
        QTest::newRow("last box") << 15 << "Phone Length15";
    }
    void lengthKeys() {
        QFETCH(int, index);
        QFETCH(QString, key);
        QCOMPARE(QString::fromStdString(OptionsModel::LengthKey(index)), key);
    }

    // Each op is "L<index>=<value>", "C=<value>", "T=<text>", "N=<country>" or
    // "B<number box>=<0 or 1>".
    void changesWriteAtOnce_data() {
        QTest::addColumn<QStringList>("ops");
        QTest::addColumn<QStringList>("writes");

        QTest::newRow("tick") << QStringList{"L2=1"} << QStringList{"Phone Length2=1"};
        QTest::newRow("tick then untick")
            << QStringList{"L2=1", "L2=0"} << QStringList{"Phone Length2=1", "Phone Length2=0"};
        QTest::newRow("untick an unticked box") << QStringList{"L2=0"} << QStringList{};
        QTest::newRow("tick twice")
            << QStringList{"L7=1", "L7=1"} << QStringList{"Phone Length7=1"};
        QTest::newRow("greyed last box") << QStringList{"L15=2"} << QStringList{"Phone Length15=2"};
        QTest::newRow("boxes keep their own keys")
            << QStringList{"L10=1", "L1=1"} << QStringList{"Phone Length10=1", "Phone Length1=1"};
        QTest::newRow("require box")
            << QStringList{"C=1", "C=1", "C=0"} << QStringList{"Check2=1", "Check2=0"};
        QTest::newRow("require box greyed") << QStringList{"C=2"} << QStringList{"Check2=2"};
        QTest::newRow("typing three characters") << QStringList{"T=a", "T=ab", "T=abc"}
                                                 << QStringList{"Text1=a", "Text1=ab", "Text1=abc"};
        QTest::newRow("clearing the text")
            << QStringList{"T=-", "T="} << QStringList{"Text1=-", "Text1="};
        QTest::newRow("empty text stays empty") << QStringList{"T="} << QStringList{};
        QTest::newRow("same text again") << QStringList{"T=(", "T=("} << QStringList{"Text1=("};
        QTest::newRow("text with equals and blanks")
            << QStringList{"T= a=b "} << QStringList{"Text1= a=b "};
        QTest::newRow("country, then (none)")
            << QStringList{"N=US", "N=US", "N="}
            << QStringList{"Number Country=US", "Number Country="};
        QTest::newRow("number boxes keep their own keys")
            << QStringList{"B0=1", "B1=1", "B2=1", "B1=0", "B2=0", "B2=0"}
            << QStringList{"Valid Numbers Only=1", "Numbers As E164=1", "Split At Blanks=1",
                           "Numbers As E164=0", "Split At Blanks=0"};
    }
    void changesWriteAtOnce() {
        QFETCH(QStringList, ops);
        QFETCH(QStringList, writes);

        FakeSettingsStore store;
        OptionsModel model(store);
        std::vector<ExtractionOptions> seen;
        model.setChangeListener([&] { seen.push_back(model.options()); });

        for (const QString& op : ops) {
            const QString arg = op.mid(op.indexOf(QLatin1Char('=')) + 1);
            if (op.startsWith(QLatin1Char('L'))) {
                model.setLengthBox(op.mid(1, op.indexOf(QLatin1Char('=')) - 1).toInt(),
                                   arg.toInt());
            } else if (op.startsWith(QLatin1Char('C'))) {
                model.setRequireBox(arg.toInt());
            } else if (op.startsWith(QLatin1Char('N'))) {
                model.setNumberCountry(arg.toStdString());
            } else if (op.startsWith(QLatin1Char('B'))) {
                model.setNumberBox(OptionsModel::NumberBox(op.mid(1, 1).toInt()), arg == "1");
            } else {
                model.setRequiredText(arg.toStdU16String());
            }
        }

        QCOMPARE(Writes(store), writes);
        // One listener call per write, each seeing the options as already changed.
        QCOMPARE(seen.size(), static_cast<std::size_t>(writes.size()));
        if (!seen.empty()) QVERIFY(seen.back() == model.options());
    }

    void refusesInvalidChanges_data() {
        QTest::addColumn<int>("box");  // -1: the require box
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("error");
        QTest::newRow("value three") << 4 << 3 << "Invalid property value";
        QTest::newRow("value minus one") << 4 << -1 << "Invalid property value";
        QTest::newRow("require box seven") << -1 << 7 << "Invalid property value";
        QTest::newRow("index past the end") << 16 << 1 << "Length box 16 does not exist";
        QTest::newRow("negative index") << -2 << 1 << "Length box -2 does not exist";
    }
    void refusesInvalidChanges() {
        QFETCH(int, box);
        QFETCH(int, value);
        QFETCH(QString, error);

        FakeSettingsStore store;
        OptionsModel model(store);
        int calls = 0;
        model.setChangeListener([&] { ++calls; });

        QString thrown;
        try {
            if (box == -1) {
                model.setRequireBox(value);
            } else {
                model.setLengthBox(box, value);
            }
        } catch (const std::exception& e) {
            thrown = QString::fromUtf8(e.what());
        }
        QCOMPARE(thrown, error);
        QVERIFY(store.writes.empty());
        QCOMPARE(calls, 0);
        QVERIFY(model.options() == ExtractionOptions{});
    }

    void requiredTextIsStoredAsUtf8_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("hyphen") << "-" << QByteArray("-");
        QTest::newRow("latin") << QString::fromUtf8("é") << QByteArray("\xC3\xA9");
        QTest::newRow("euro") << QString::fromUtf8("€") << QByteArray("\xE2\x82\xAC");
        QTest::newRow("outside the basic plane")
            << QString::fromUtf8("\xF0\x9D\x84\x9E") << QByteArray("\xF0\x9D\x84\x9E");
        QTest::newRow("lone surrogate")
            << QString(QChar(0xD800)) + QLatin1Char('x') << QByteArray("\xEF\xBF\xBDx");
        QTest::newRow("nul inside") << QString(QChar(0)) + QLatin1Char('z') << QByteArray("\0z", 2);
    }
    void requiredTextIsStoredAsUtf8() {
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);

        FakeSettingsStore store;
        OptionsModel model(store);
        model.setRequiredText(text.toStdU16String());
        QCOMPARE(store.writes.size(), std::size_t{1});
        QCOMPARE(QByteArray::fromStdString(store.writes[0].second), stored);

        // The next start shows it again (a lone surrogate has become U+FFFD).
        OptionsModel next(store);
        FakeErrorBox box;
        Trap trap(box, kStartUp);
        next.restore(trap);
        QCOMPARE(QString::fromStdU16String(next.options().requiredText), QString::fromUtf8(stored));
    }

    void restore_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<int>("requireBox");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("writes");
        QTest::addColumn<QStringList>("reports");

        QTest::newRow("first start")
            << QStringList{} << "0000011000000000" << 0 << "-"
            << QStringList{"Phone Length5=1", "Phone Length6=1", "Text1=-"} << QStringList{};
        QTest::newRow("first start keeps stored text and box")
            << QStringList{"Text1=(", "Check2=1"} << "0000011000000000" << 1 << "("
            << QStringList{"Phone Length5=1", "Phone Length6=1", "Text1=(", "Check2=1"}
            << QStringList{};
        QTest::newRow("later start with nothing ticked")
            << QStringList{"Phone Length0=0"} << "0000000000000000" << 0 << "-"
            << QStringList{"Text1=-"} << QStringList{};
        QTest::newRow("only the last key stored")
            << QStringList{"Phone Length15=1"} << "0000000000000001" << 0 << "-"
            << QStringList{"Phone Length15=1", "Text1=-"} << QStringList{};
        QTest::newRow("ticks restored in index order")
            << QStringList{"Phone Length6=1", "Phone Length2=1", "Phone Length5=0", "Text1=(",
                           "Check2=1"}
            << "0010001000000000" << 1 << "("
            << QStringList{"Phone Length2=1", "Phone Length6=1", "Text1=(", "Check2=1"}
            << QStringList{};
        QTest::newRow("fraction gives greyed box")
            << QStringList{"Phone Length3=1.6"} << "0002000000000000" << 0 << "-"
            << QStringList{"Phone Length3=2", "Text1=-"} << QStringList{};
        QTest::newRow("halves go to even")
            << QStringList{"Phone Length1=2.5", "Phone Length2=0.5", "Phone Length3=1.5"}
            << "0202000000000000" << 0 << "-"
            << QStringList{"Phone Length1=2", "Phone Length3=2", "Text1=-"} << QStringList{};
        QTest::newRow("number prefixes")
            << QStringList{"Phone Length4= -0.4", "Phone Length5=abc", "Phone Length6=1x",
                           "Phone Length7=\t1", "Phone Length8="}
            << "0000001100000000" << 0 << "-"
            << QStringList{"Phone Length6=1", "Phone Length7=1", "Text1=-"} << QStringList{};
        QTest::newRow("value seven is reported")
            << QStringList{"Phone Length4=7", "Phone Length5=1"} << "0000010000000000" << 0 << "-"
            << QStringList{"Phone Length5=1", "Text1=-"}
            << QStringList{"144:Invalid property value"};
        QTest::newRow("overflow is reported")
            << QStringList{"Phone Length0=99999"} << "0000000000000000" << 0 << "-"
            << QStringList{"Text1=-"} << QStringList{"144:Overflow"};
        QTest::newRow("every bad box reported, loop goes on")
            << QStringList{"Phone Length1=3", "Phone Length9=-1", "Phone Length15=1"}
            << "0000000000000001" << 0 << "-" << QStringList{"Phone Length15=1", "Text1=-"}
            << QStringList{"144:Invalid property value", "144:Invalid property value"};
        QTest::newRow("bad require box is reported")
            << QStringList{"Phone Length0=0", "Check2=5"} << "0000000000000000" << 0 << "-"
            << QStringList{"Text1=-"} << QStringList{"150:Invalid property value"};
        QTest::newRow("require box fraction greyed")
            << QStringList{"Phone Length0=0", "Check2=1.5"} << "0000000000000000" << 2 << "-"
            << QStringList{"Text1=-", "Check2=2"} << QStringList{};
        QTest::newRow("empty stored text stays empty")
            << QStringList{"Phone Length0=0", "Text1="} << "0000000000000000" << 0 << ""
            << QStringList{} << QStringList{};
        QTest::newRow("non-ASCII text")
            << QStringList{"Phone Length0=0", QString::fromUtf8("Text1=–é")} << "0000000000000000"
            << 0 << QString::fromUtf8("–é") << QStringList{QString::fromUtf8("Text1=–é")}
            << QStringList{};
        QTest::newRow("absurd numbers")
            << QStringList{"Phone Length0=1e308",
                           "Phone Length1=NaN",
                           "Phone Length2=inf",
                           "Phone Length3=0x1",
                           "Phone Length4=1" + QString(400, '0'),
                           "Phone Length5=-0.5",
                           "Phone Length6=" + QString(100000, '9')}
            << "1000000000000000" << 0 << "-" << QStringList{"Phone Length0=1", "Text1=-"}
            << QStringList{"144:Overflow", "144:Overflow"};
        QTest::newRow("text of format directives, kept as it is")
            << QStringList{"Phone Length0=0", "Text1=%s%n%x%%{0}$(ls)"} << "0000000000000000" << 0
            << "%s%n%x%%{0}$(ls)" << QStringList{"Text1=%s%n%x%%{0}$(ls)"} << QStringList{};
        QTest::newRow("a text of a million characters")
            << QStringList{"Phone Length0=0", "Text1=" + QString(1 << 20, '-')}
            << "0000000000000000" << 0 << QString(1 << 20, '-')
            << QStringList{"Text1=" + QString(1 << 20, '-')} << QStringList{};
        QTest::newRow("unrelated keys do not end the first start")
            << QStringList{"Extension=txt", "LastFolder=/tmp", "Phone Length16=1",
                           "Phone Length05=1"}
            << "0000011000000000" << 0 << "-"
            << QStringList{"Phone Length5=1", "Phone Length6=1", "Text1=-"} << QStringList{};
    }
    void restore() {
        QFETCH(QStringList, stored);
        QFETCH(QString, boxes);
        QFETCH(int, requireBox);
        QFETCH(QString, text);
        QFETCH(QStringList, writes);
        QFETCH(QStringList, reports);

        FakeSettingsStore store;
        Fill(store, stored);
        OptionsModel model(store);
        int calls = 0;
        model.setChangeListener([&] { ++calls; });
        FakeErrorBox box;
        Trap trap(box, kStartUp);
        model.restore(trap);

        QCOMPARE(Boxes(model.options()), boxes);
        QCOMPARE(model.options().requireBox, requireBox);
        QCOMPARE(QString::fromStdU16String(model.options().requiredText), text);
        QCOMPARE(Writes(store), writes);
        QCOMPARE(calls, static_cast<int>(writes.size()));
        QCOMPARE(box.reports, Reports(reports));
    }

    // What the first start leaves behind brings the same options back on every later start.
    void laterStartsShowWhatWasLeft() {
        FakeSettingsStore store;
        FakeErrorBox box;
        Trap trap(box, kStartUp);
        {
            OptionsModel first(store);
            first.restore(trap);
            QVERIFY(store.values.count("Check2") == 0);
            first.setLengthBox(2, kTicked);  // the 7-digit box
            first.setLengthBox(5, kUnticked);
            first.setRequiredText(u"");
            first.setNumberCountry("DE");
            first.setNumberBox(OptionsModel::kSplitAtBlanks, true);
        }
        for (int start = 0; start < 2; ++start) {
            OptionsModel later(store);
            later.restore(trap);
            QCOMPARE(Boxes(later.options()), QString("0010001000000000"));
            QVERIFY(later.options().requiredText.empty());
            QCOMPARE(later.options().requireBox, 0);
            QCOMPARE(QString::fromStdString(store.values.at("Phone Length5")), QString("0"));
            QCOMPARE(later.options().numberCountry, std::string("DE"));
            QVERIFY(later.options().splitAtBlanks && !later.options().validNumbersOnly &&
                    !later.options().numbersAsE164);
        }
        QVERIFY(box.reports.empty());
    }

    // A store that fails is reported at the step that used it; the restore goes on.
    void storeFailures_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("unreadable");
        QTest::addColumn<QStringList>("unwritable");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<int>("requireBox");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("reports");

        QTest::newRow("length keys cannot be read")
            << QStringList{} << QStringList{"Phone Length3"} << QStringList{} << "0000000000000000"
            << 0 << "-" << QStringList{"136:Permission denied"};
        QTest::newRow("default box cannot be written")
            << QStringList{} << QStringList{} << QStringList{"Phone Length6"} << "0000011000000000"
            << 0 << "-" << QStringList{"140:Permission denied"};
        QTest::newRow("one box cannot be read")
            << QStringList{"Phone Length0=1", "Phone Length9=1"} << QStringList{"Phone Length4"}
            << QStringList{} << "1000000001000000" << 0 << "-"
            << QStringList{"144:Permission denied"};
        QTest::newRow("text cannot be read")
            << QStringList{"Phone Length0=0", "Check2=1"} << QStringList{"Text1"} << QStringList{}
            << "0000000000000000" << 1 << "" << QStringList{"148:Permission denied"};
        QTest::newRow("require box cannot be written")
            << QStringList{"Phone Length0=0", "Check2=1"} << QStringList{} << QStringList{"Check2"}
            << "0000000000000000" << 1 << "-" << QStringList{"150:Permission denied"};
    }
    void storeFailures() {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, unreadable);
        QFETCH(QStringList, unwritable);
        QFETCH(QString, boxes);
        QFETCH(int, requireBox);
        QFETCH(QString, text);
        QFETCH(QStringList, reports);

        FakeSettingsStore store;
        Fill(store, stored);
        store.unreadableKeys = KeySet(unreadable);
        store.unwritableKeys = KeySet(unwritable);
        OptionsModel model(store);
        std::vector<ExtractionOptions> seen;
        model.setChangeListener([&] { seen.push_back(model.options()); });
        FakeErrorBox box;
        Trap trap(box, kStartUp);
        model.restore(trap);

        QCOMPARE(Boxes(model.options()), boxes);
        QCOMPARE(model.options().requireBox, requireBox);
        QCOMPARE(QString::fromStdU16String(model.options().requiredText), text);
        QCOMPARE(box.reports, Reports(reports));
        // Even a change the store refused reaches the listener, so the controls show it.
        QVERIFY(!seen.empty());
        QVERIFY(seen.back() == model.options());
    }
};

QTEST_GUILESS_MAIN(TestOptionsModel)
#include "test_options_model.moc"
