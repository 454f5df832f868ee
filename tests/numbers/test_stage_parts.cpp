// The parts of the number stage: where a run is cut at its blanks, the bound of the cache of
// judgements, numbers read from the plans as the library reads them, and judging on several
// threads at once as the extractor's workers do; and every way the library writes a number is
// one "Show Where Found" finds its +E.164 value by.

#include <phonenumbers/phonenumberutil.h>
#include <QtTest>

#include <random>
#include <set>
#include <thread>

#include "blank_split.h"
#include "judged_cache.h"
#include "number_judge.h"
#include "number_spellings.h"
#include "number_stage.h"
#include "plan_reader.h"

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

    // Numbers written every way the library has a rule for: a reading from the plans must be
    // the library's own parse, a number the plans rule out must be invalid for the library, and
    // the judge must say what the library says.
    void readsAsTheLibrary_data() {
        QTest::addColumn<QString>("country");
        QTest::addColumn<int>("leastRead");  // per cent of the numbers read from the plans
        QTest::newRow("US") << "US" << 60;
        QTest::newRow("CA shares its calling code") << "CA" << 60;
        QTest::newRow("GB") << "GB" << 60;
        QTest::newRow("DE") << "DE" << 60;
        QTest::newRow("FR") << "FR" << 60;
        QTest::newRow("IT keeps leading zeros") << "IT" << 60;
        QTest::newRow("RU has a prefix of its own") << "RU" << 50;
        QTest::newRow("KZ shares its calling code with RU") << "KZ" << 50;
        QTest::newRow("JP") << "JP" << 60;
        QTest::newRow("IN") << "IN" << 60;
        QTest::newRow("AR rewrites its prefix: only + read") << "AR" << 5;
        QTest::newRow("no country: only + read") << "" << 10;
    }
    void readsAsTheLibrary() {
        using i18n::phonenumbers::PhoneNumber;
        using i18n::phonenumbers::PhoneNumberUtil;
        QFETCH(QString, country);
        QFETCH(int, leastRead);
        const std::string region = country.toStdString();
        const PhoneNumberUtil& library = *PhoneNumberUtil::GetInstance();
        const std::string code = std::to_string(library.GetCountryCodeForRegion(region));
        std::string prefix;
        library.GetNddPrefixForRegion(region, true, &prefix);
        std::vector<std::string> valid;  // the library's examples: starts of valid numbers
        for (const auto type : {PhoneNumberUtil::FIXED_LINE, PhoneNumberUtil::MOBILE}) {
            PhoneNumber example;
            if (library.GetExampleNumberForType(region.empty() ? "FR" : region, type, &example))
                valid.push_back(std::to_string(example.national_number()));
        }
        std::mt19937 random(7);
        const auto digits = [&](int n) {
            std::string d;
            while (n-- > 0)
                d += char('0' + random() % 10);
            return d;
        };
        PlanReader reader(region);
        NumberJudge judge(region, JudgeAsks{true, false, false});
        int read = 0, ruledOut = 0, total = 4000;
        for (int i = 0; i < total; ++i) {
            const std::string& start = valid[i % valid.size()];
            std::string number = start.substr(0, start.size() - random() % 4);
            number += digits(int(start.size() - number.size()));
            const char* starts[] = {"", "", "0", "00", "011", "1", "7", "44"};
            switch (i % 6) {
                case 0:
                    number = prefix + number;
                    break;
                case 1:
                    number = code + number;
                    break;
                case 2:
                    number = code + prefix + number;
                    break;
                case 3:
                    number = starts[random() % 8] + digits(4 + int(random() % 12));
                    break;
                default:
                    break;
            }
            const bool plus = i % 5 == 1;
            const std::string written = (plus ? "+" : "") + number;
            PhoneNumber parsed;
            const bool parses = library.Parse(written, region.empty() ? "ZZ" : region, &parsed) ==
                                PhoneNumberUtil::NO_PARSING_ERROR;
            std::string national;
            library.GetNationalSignificantNumber(parsed, &national);
            if (const auto plan = reader.read(plus, number)) {
                ++read;
                QVERIFY2(parses, written.c_str());
                QCOMPARE(plan->countryCode, parsed.country_code());
                QCOMPARE(plan->national, national);
            }
            const Judgement& j = judge.judge(plus, number);
            QCOMPARE(j.parsed, parses);
            if (!parses) continue;
            std::string e164;
            library.Format(parsed, PhoneNumberUtil::E164, &e164);
            QCOMPARE(j.e164, e164);
            const bool isValid = library.IsValidNumber(parsed);
            QVERIFY2(j.valid == isValid, written.c_str());
            if (!reader.mayBeValid({parsed.country_code(), national})) {
                ++ruledOut;
                QVERIFY2(!isValid, written.c_str());
            }
        }
        QVERIFY2(read * 100 >= leastRead * total, std::to_string(read).c_str());
        QVERIFY(ruledOut > total / 20);
    }

    // The cache is keyed on the number read, so every spelling of one number is judged once.
    void spellingsShareOneJudgement() {
        NumberJudge judge("US", JudgeAsks{true, false, false});
        for (const char* digits : {"2125550147", "12125550147", "2125550147"})
            QVERIFY(judge.judge(false, digits).valid);
        QVERIFY(judge.judge(true, "12125550147").valid);
        QCOMPARE(judge.cached(), std::size_t(1));
        QVERIFY(!judge.judge(false, "0125550147").valid);
        QCOMPARE(judge.cached(), std::size_t(2));
    }

    // The example numbers of every region, written nationally, internationally and as dialled
    // from every other region, spell their +E.164 values; the calling code's length is the
    // library's. Only Argentina's national mobile form, which puts 15 inside the number, is not
    // found.
    void spellingsAsTheLibraryWrites() {
        using i18n::phonenumbers::PhoneNumber;
        using Util = i18n::phonenumbers::PhoneNumberUtil;
        const Util& util = *Util::GetInstance();
        std::set<std::string> regions;
        util.GetSupportedRegions(&regions);
        const auto digitsOf = [](const std::string& text) {
            std::string digits;
            for (const char c : text)
                if (c >= '0' && c <= '9') digits += c;
            return digits;
        };
        std::size_t checked = 0;
        QStringList missed;
        for (const std::string& region : regions) {
            for (const Util::PhoneNumberType type : {Util::FIXED_LINE, Util::MOBILE}) {
                PhoneNumber number;
                if (!util.GetExampleNumberForType(region, type, &number)) continue;
                std::string e164, national, international;
                util.Format(number, Util::E164, &e164);
                util.Format(number, Util::NATIONAL, &national);
                util.Format(number, Util::INTERNATIONAL, &international);
                QCOMPARE(tessaly::CallingCodeDigits(e164.substr(1)),
                         std::to_string(number.country_code()).size());
                std::vector<std::string> written{national, international};
                for (const std::string& from : regions) {
                    if (from != region)  // written nationally there
                        util.FormatOutOfCountryCallingNumber(number, from, &written.emplace_back());
                }
                const tessaly::NumberSpellings spellings(e164);
                QCOMPARE(int(spellings.match(digitsOf(e164))),
                         int(tessaly::NumberSpellings::Match::Exact));
                for (const std::string& text : written) {
                    ++checked;
                    if (spellings.match(digitsOf(text)) == tessaly::NumberSpellings::Match::None)
                        missed << QString::fromStdString(e164 + " " + text);
                }
            }
        }
        QCOMPARE(missed, QStringList{"+5491123456789 011 15-2345-6789"});
        QVERIFY(checked > 100000);
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
