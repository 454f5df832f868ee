// Every variant of the scanner's byte helpers that this processor can run gives the portable
// variant's answers, on bytes chosen to sit near every class boundary.

#include <QtTest>

#include <random>

#include "byte_skip_variants.h"

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
};

QTEST_APPLESS_MAIN(ByteHelpersTest)
#include "test_byte_helpers.moc"
