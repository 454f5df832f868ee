// Every variant of the scanner's byte helpers that this processor can run gives the portable
// variant's answers, on bytes chosen to sit near every class boundary.

#include <QtTest>

#include <bit>
#include <cstring>
#include <random>

#include "byte_skip_variants.h"
#include "scan_rules.h"

using namespace tessaly;

class ByteHelpersTest : public QObject {
    Q_OBJECT

  private slots:
    void variantsAgree() {
        const std::vector<ByteHelperSet> sets = AvailableByteHelperSets();
        QVERIFY(!sets.empty());
        const ByteHelperSet& portable = sets.front();
        // Number characters, their neighbours in the code table, spaces, and high bytes.
        const std::string alphabet =
            std::string("0123456789.-(){}/,'*+:;zy|~ \t\r\n\x7F\x80\xA0\xB0\xFF") +
            std::string(1, '\0');
        std::mt19937 rng(42);
        for (int round = 0; round < 4000; ++round) {
            std::string bytes(1 + rng() % 150, ' ');
            const bool sparse = round % 2 == 0;
            for (char& c : bytes) {
                c = sparse && rng() % 4 ? 'a' : alphabet[rng() % alphabet.size()];
            }
            const char* p = bytes.data() + rng() % bytes.size();
            const char* end = bytes.data() + bytes.size();
            const char* stop = portable.findTokenEnd(p, end);
            char expected[256] = {}, got[256] = {};
            const std::size_t want = portable.copyDigits(p, stop, end, expected);
            for (const ByteHelperSet& set : sets) {
                QCOMPARE(set.findNumberChar(p, end), portable.findNumberChar(p, end));
                QCOMPARE(set.findTokenEnd(p, end), stop);
                QCOMPARE(set.measureTokenSpan(p, end).stop, portable.measureTokenSpan(p, end).stop);
                QCOMPARE(set.measureTokenSpan(p, end).digits,
                         portable.measureTokenSpan(p, end).digits);
                const BlockMasks a = set.classifyBlock(p, end), b = portable.classifyBlock(p, end);
                BreakMasks breaks, expectedBreaks;
                const BlockMasks c = set.classifyBlockAndBreaks(p, end, breaks);
                portable.classifyBlockAndBreaks(p, end, expectedBreaks);
                QVERIFY2(a.number == b.number && a.space == b.space && a.digit == b.digit &&
                             c.number == b.number && c.space == b.space && c.digit == b.digit &&
                             breaks.cr == expectedBreaks.cr && breaks.lf == expectedBreaks.lf,
                         set.name);
                QCOMPARE(set.copyDigits(p, stop, end, got), want);
                QVERIFY2(std::equal(got, got + want, expected), set.name);
            }
        }
    }

    // The plain scan's walk over digit runs: every variant writes the digit lines the portable
    // one writes and leaves the same run open, wherever the text starts and ends, whatever
    // lengths are kept, and when its output fills up and it is called again where it stopped.
    void digitRunWalksAgree_data() {
        QTest::addColumn<std::uint32_t>("lengths");
        QTest::addColumn<std::size_t>("room");
        QTest::addColumn<bool>("openAtStart");
        QTest::addColumn<bool>("prose");  // whole blocks without a digit
        QTest::newRow("every length, room for all")
            << kEveryLength << std::size_t{1 << 16} << false << false;
        QTest::newRow("a run open at the start")
            << kEveryLength << std::size_t{1 << 16} << true << false;
        QTest::newRow("7 and 20 digits only")
            << ((std::uint32_t{1} << 7) | (std::uint32_t{1} << 20)) << std::size_t{1 << 16} << true
            << false;
        QTest::newRow("no length") << std::uint32_t{0} << std::size_t{1 << 16} << false << false;
        QTest::newRow("output full after each block")
            << kEveryLength << kDigitRunBlockRoom << true << false;
        QTest::newRow("prose") << kEveryLength << std::size_t{1 << 16} << false << true;
        QTest::newRow("prose, a run open at the start")
            << kEveryLength << std::size_t{1 << 16} << true << true;
    }

    void digitRunWalksAgree() {
        QFETCH(std::uint32_t, lengths);
        QFETCH(std::size_t, room);
        QFETCH(bool, openAtStart);
        QFETCH(bool, prose);
        const std::vector<ByteHelperSet> sets = AvailableByteHelperSets();
        // Runs long and short, with and without digits, cut by other bytes now and then.
        const std::string alphabet = std::string("0123456789012345.-(){}  \n\r\x80z/:") + '\0';
        std::mt19937 rng(11);
        for (int round = 0; round < 1500; ++round) {
            std::string bytes(1 + rng() % (prose ? 1000 : 400), ' ');
            const unsigned cut = 2 + rng() % 40;
            for (char& c : bytes) {
                if (prose) {
                    c = rng() % 150 == 0 ? alphabet[rng() % 10] : ".- (z\n"[rng() % 6];
                } else {
                    c = rng() % cut == 0 ? 'x' : alphabet[rng() % alphabet.size()];
                }
            }
            const std::size_t start = rng() % bytes.size();
            if (openAtStart) bytes[start] = '5';  // the open run's first digit
            const char* p = bytes.data() + start;
            const char* const end = bytes.data() + bytes.size();
            enum Walk { kDigits, kLines, kTexts };
            auto walk = [&](const ByteHelperSet& set, Walk kind) {
                DigitRunCarry carry;
                if (openAtStart) carry = {p, 3, 7, 9, true};
                carry.textFloor = bytes.data();
                std::string lines;
                std::vector<std::size_t> numberLines;
                std::vector<std::string> texts;
                std::vector<char> out(room + 64);
                std::vector<std::size_t> found(room / kDigitRunLineBytes + 1);
                std::vector<TextSpan> spans(found.size());
                for (const char* at = p; at < end;) {
                    char* written = out.data();
                    std::size_t* line = found.data();
                    TextSpan* text = spans.data();
                    at = kind == kDigits ? set.walkDigitRuns(at, end, lengths, carry, written,
                                                             out.data() + room)
                                         : set.walkDigitRunLines(at, end, lengths, carry, written,
                                                                 out.data() + room, line,
                                                                 kind == kTexts ? &text : nullptr);
                    lines.append(out.data(), written);
                    numberLines.insert(numberLines.end(), found.data(), line);
                    for (const TextSpan* t = spans.data(); t < text; ++t)
                        texts.emplace_back(t->from, t->to);
                }
                return std::tuple(lines, numberLines, carry.from, carry.digits, carry.fromLine,
                                  carry.line, carry.afterCr, texts);
            };
            // A byte at a time: runs open at their first digit, close at a byte that is neither
            // a number character nor a space, and count their lines as LineEnds does; a kept
            // number's text runs from its run's first number character (bytes before the walk's
            // start count) to its last.
            std::string digits;
            std::vector<std::size_t> numberLines;
            std::vector<std::string> texts;
            std::size_t line = openAtStart ? 9 : 1, count = 3, runLine = 7;
            bool afterCr = openAtStart, open = openAtStart;
            std::string run;
            const char* firstNumber = nullptr;  // since the last byte outside runs
            const char* textFrom = nullptr;
            const char* lastNumber = nullptr;
            for (const char* q = bytes.data(); q < end; ++q) {
                const char c = *q;
                const bool digit = c >= '0' && c <= '9';
                const bool number = c != '\0' && std::strchr("0123456789.-(){}", c);
                const bool inside = number || c == ' ';
                if (number && !firstNumber) firstNumber = q;
                if (!inside) firstNumber = nullptr;
                if (q < p) continue;
                if (q == p && open) textFrom = firstNumber;
                if (open && !inside) {
                    if (count <= kMaxDigits && (lengths >> count & 1u)) {
                        digits += run + '\n';
                        numberLines.push_back(runLine);
                        texts.emplace_back(textFrom, lastNumber + 1);
                    }
                    open = false;
                }
                if (!open && digit) {
                    open = true;
                    count = 0;
                    run.clear();
                    runLine = line;
                    textFrom = firstNumber;
                }
                if (open && digit) ++count, run += c;
                if (open && number) lastNumber = q;
                line += c == '\r' || (c == '\n' && !afterCr);
                afterCr = c == '\r';
            }
            const auto expected = walk(sets.front(), kTexts);
            QCOMPARE(std::get<0>(expected), digits);
            QCOMPARE(std::get<1>(expected), numberLines);
            QCOMPARE(std::get<5>(expected), line);
            QCOMPARE(std::get<6>(expected), afterCr);
            QCOMPARE(std::get<3>(expected), open ? count : std::get<3>(expected));
            QCOMPARE(std::get<2>(expected) != nullptr, open);
            QCOMPARE(std::get<7>(expected), texts);
            for (const ByteHelperSet& set : sets) {
                QVERIFY2(walk(set, kDigits) == walk(sets.front(), kDigits), set.name);
                QVERIFY2(walk(set, kLines) == walk(sets.front(), kLines), set.name);
                QVERIFY2(walk(set, kTexts) == expected, set.name);
            }
        }
    }

    // Line breaks counted in two pieces cut anywhere, and a block at a time from any start, give
    // a byte-at-a-time count of the whole text: through CR LF pairs split at the cut, past the
    // 16-byte steps and the fold of the byte sums every 255 steps.
    void lineBreaksAtEveryCut_data() {
        QTest::addColumn<std::string>("text");
        QTest::newRow("empty") << std::string();
        QTest::newRow("LF only") << std::string("a\nb\n\n\ncdef\nghijklmnopqrstuvwxyz\n");
        QTest::newRow("CR only") << std::string("\r\rab\rcdefghijklmnopqrstuvw\rxyz\r");
        QTest::newRow("CR LF pairs") << std::string("12\r\n34\r\n\r\n56789012345678\r\n");
        QTest::newRow("LF CR pairs") << std::string("\n\r\n\rab\n\rcdefghijklmnopq\n\r");
        std::string mixed;
        for (int i = 0; i < 300; ++i)
            mixed += std::string(1 + i % 7, i % 3 ? '\r' : '\n') + std::string(i % 5, 'x');
        QTest::newRow("mixed runs") << mixed;
        QTest::newRow("more than 255 steps of breaks") << std::string(255 * 16 * 2 + 7, '\r');
    }

    void lineBreaksAtEveryCut() {
        QFETCH(std::string, text);
        const char* const begin = text.data();
        const char* const end = begin + text.size();
        auto byByte = [](const char* p, const char* stop, bool afterCr) {
            std::size_t breaks = 0;
            for (; p < stop; afterCr = *p++ == '\r')
                breaks += *p == '\r' || (*p == '\n' && !afterCr);
            return breaks;
        };
        const std::size_t expected = byByte(begin, end, false);
        const std::size_t step = text.size() > 1000 ? 61 : 1;
        for (std::size_t cut = 0; cut <= text.size(); cut += step) {
            const char* const at = begin + cut;
            const bool afterCr = cut > 0 && at[-1] == '\r';
            QCOMPARE(CountLineBreaks(begin, at, false) + CountLineBreaks(at, end, afterCr),
                     expected);
            // A block at a time from the cut, as the scanner counts them.
            std::size_t blocks = byByte(begin, at, false);
            for (const char* block = at; block < end; block += 64) {
                const bool before = block > begin && block[-1] == '\r';
                blocks += unsigned(std::popcount(LineEnds(ClassifyBreaks(block, end), before)));
            }
            QCOMPARE(blocks, expected);
        }
    }
};

QTEST_APPLESS_MAIN(ByteHelpersTest)
#include "test_byte_helpers.moc"
