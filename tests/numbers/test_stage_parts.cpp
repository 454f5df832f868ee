// The parts of the number stage: where a run is cut at its blanks, the bound of the cache of
// judgements, and judging on several threads at once as the extractor's workers do.

#include <QtTest>

#include <thread>

#include "blank_split.h"
#include "judged_cache.h"
#include "number_stage.h"

using namespace tessaly::numbers;

class StagePartsTest : public QObject {
    Q_OBJECT

  private slots:
    void cuts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("counts");  // digit counts a part may have
        QTest::addColumn<QStringList>("parts");
        QTest::newRow("fewest parts for the same digits")
            << "123 45 67890" << QList<int>{5, 10} << QStringList{"123 45 67890"};
        QTest::newRow("groups left over")
            << "1234 56789 0" << QList<int>{5} << QStringList{"56789"};
        QTest::newRow("most digits over fewer parts")
            << "12345 678 90123 4567" << QList<int>{5, 8} << QStringList{"12345 678", "90123"};
        QTest::newRow("no part") << "12 34" << QList<int>{5} << QStringList{};
        QTest::newRow("no-break spaces are blanks")
            << QString::fromUtf16(u"12345\u00A067890") << QList<int>{5}
            << QStringList{"12345", "67890"};
        QTest::newRow("punctuation stays inside a group")
            << "(212) 555-0199 (212) 555-0142" << QList<int>{10}
            << QStringList{"(212) 555-0199", "(212) 555-0142"};
    }
    void cuts() {
        QFETCH(QString, text);
        QFETCH(QList<int>, counts);
        QFETCH(QStringList, parts);
        const std::u16string units = text.toStdU16String();
        const auto found = SplitAtBlanks(units, [&](TextPart p, bool, bool) {
            int digits = 0;
            for (std::size_t i = p.from; i < p.to; ++i)
                digits += units[i] >= u'0' && units[i] <= u'9';
            return counts.contains(digits);
        });
        QStringList got;
        for (const TextPart& p : found)
            got << QString::fromStdU16String(units.substr(p.from, p.to - p.from));
        QCOMPARE(got, parts);
    }

    void cacheBound_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("bound");
        QTest::addColumn<bool>("firstKept");   // the first key, asked for after every store
        QTest::addColumn<bool>("secondKept");  // the second key, never asked for again
        QTest::newRow("under the bound") << 3 << 8 << true << true;
        QTest::newRow("far over the bound") << 1000 << 8 << true << false;
        QTest::newRow("bound of one") << 10 << 1 << false << false;
    }
    void cacheBound() {
        QFETCH(int, stored);
        QFETCH(int, bound);
        QFETCH(bool, firstKept);
        QFETCH(bool, secondKept);
        JudgedCache cache(std::size_t(bound) + (bound == 1));
        for (int i = 0; i < stored; ++i) {
            Judgement j;
            j.e164 = "+" + std::to_string(i);
            cache.store(std::to_string(i), j);
            if (i > 0 && bound > 1) QVERIFY(cache.find("0"));
            QVERIFY(cache.size() <= std::size_t(bound) + (bound == 1));
        }
        const Judgement* first = cache.find("0");
        QCOMPARE(first != nullptr, firstKept);
        if (first) QCOMPARE(first->e164, std::string("+0"));
        QCOMPARE(cache.find("1") != nullptr, secondKept);
    }

    // Every worker has its own stage; the library's shared instance is used by all at once.
    void severalThreads() {
        NumberRules rules;
        rules.country = "US";
        rules.validOnly = rules.e164 = rules.describe = true;
        rules.lengths = 1u << 10 | 1u << 11 | 1u << 12 | 1u << 13;
        std::vector<std::u16string> texts;
        for (int i = 0; i < 3000; ++i) {
            const char* areas[] = {"212", "415", "617", "123", "305"};  // 123: no area code
            const std::string n =
                areas[i % 5] + std::to_string(200 + i % 700) + std::to_string(1000 + i * 7 % 9000);
            const std::string written = i % 3 == 0   ? "+44 20 7946 " + std::to_string(1000 + i)
                                        : i % 3 == 1 ? "(" + n.substr(0, 3) + ") " + n.substr(3)
                                                     : "1-" + n;
            texts.push_back(QString::fromStdString(written).toStdU16String());
        }
        const auto judgeAll = [&](std::vector<std::string>& out) {
            NumberStage stage(rules);
            std::vector<StagedNumber> staged;
            for (const std::u16string& text : texts) {
                std::string value;
                for (char16_t u : text)
                    if (u >= u'0' && u <= u'9') value.push_back(char(u));
                stage.judge({value, text, u"call ", u" now"}, staged);
            }
            for (const StagedNumber& s : staged)
                out.push_back(s.value + s.jsonMembers);
        };
        std::vector<std::string> alone;
        judgeAll(alone);
        QVERIFY(alone.size() > texts.size() / 2 && alone.size() < texts.size());
        std::vector<std::vector<std::string>> each(4);
        std::vector<std::thread> threads;
        for (auto& out : each)
            threads.emplace_back([&judgeAll, &out] { judgeAll(out); });
        for (std::thread& t : threads)
            t.join();
        for (const auto& out : each)
            QVERIFY(out == alone);
    }
};

QTEST_APPLESS_MAIN(StagePartsTest)
#include "test_stage_parts.moc"
