// The scanner's rule, line by line (ExtractPhone), and the same rule streamed in pieces of any
// size (NumberStream).

#include <QtTest>

#include <random>

#include "number_stream.h"
#include "phone_scanner.h"
#include "support/table_types.h"
#include "text_encoding.h"

using namespace tessaly;

namespace {

std::vector<std::string> Stream(std::string_view bytes, const RequiredText& required,
                                std::size_t piece) {
    NumberStream stream(ScanRules{required});
    std::vector<PhoneNumber> found;
    for (std::size_t i = 0; i < bytes.size(); i += piece) {
        const std::string_view part = bytes.substr(i, piece);
        stream.feed(part.data(), part.size(), found);
    }
    stream.finish(found);
    std::vector<std::string> out;
    for (const PhoneNumber& n : found)
        out.push_back(n.str());
    return out;
}

// What the stream must give: the line scanner's numbers of 5 to 20 digits.
std::vector<std::string> Reference(std::u16string_view text, const RequiredText& required) {
    std::vector<std::string> out;
    for (std::string& n : ExtractPhone(text, ScanRules{required})) {
        if (n.size() >= 5 && n.size() <= 20) out.push_back(std::move(n));
    }
    return out;
}

}  // namespace

class PhoneScannerTest : public QObject {
    Q_OBJECT

  private slots:
    void extractPhone_data() {
        QTest::addColumn<std::u16string>("text");
        QTest::addColumn<bool>("active");
        QTest::addColumn<std::u16string>("required");
        QTest::addColumn<std::vector<std::string>>("expected");
        using V = std::vector<std::string>;
        auto row = [](const char* name, std::u16string text, bool active, std::u16string req, V e) {
            QTest::newRow(name) << text << active << req << e;
        };
        row("empty", u"", false, u"", V{});
        row("spaces only", u"     ", false, u"", V{});
        row("one number", u"Call 877-798-4141 now", false, u"", V{"8777984141"});
        row("parentheses and space", u"(877) 798-4141", false, u"", V{"8777984141"});
        row("spaces join numbers", u"555 1234 555 9876", false, u"", V{"55512345559876"});
        row("tab separates", u"877-798-4141\t877.798.4142", false, u"",
            V{"8777984141", "8777984142"});
        row("number ends the text", u"fax 877-798-4142", false, u"", V{"8777984142"});
        row("lone hyphen gives empty", u"well-known", false, u"", V{""});
        row("braces and parentheses", u"{12}(34)", false, u"", V{"1234"});
        row("plus sign ends token", u"+1-877-798-4141", false, u"", V{"18777984141"});
        row("slashes split", u"877/798/4141", false, u"", V{"877", "798", "4141"});
        row("letters split", u"Tel877-798-4141x12", false, u"", V{"8777984141", "12"});
        row("date", u"2021-08-31", false, u"", V{"20210831"});
        row("dash required, dashed", u"877-798-4141", true, u"-", V{"8777984141"});
        row("dash required, dotted", u"877.798.4141", true, u"-", V{});
        row("dash required, bare", u"8777984141", true, u"-", V{});
        row("paren required, present", u"(877)798-4141", true, u"(", V{"8777984141"});
        row("paren required, absent", u"877-798-4141", true, u"(", V{});
        row("empty required accepts all", u"877-798-4141,12", true, u"", V{"8777984141", "12"});
        row("non-number required never", u"877-798-4141", true, u"x", V{});
        row("plus required never", u"+877-798-4141", true, u"+", V{});
        row("two-char required", u"555-1234;877-1234", true, u"55", V{"5551234"});
        row("required spans removed space", u"5 5-1", true, u"55", V{"551"});
        row("required is case/char exact", u"877-798", true, u"8-7", V{});
        row("full-width digits end tokens", u"12\uFF1834", false, u"", V{"12", "34"});
        row("arabic-indic digit ends token", u"12\u066334", false, u"", V{"12", "34"});
        row("no-break space ends token", u"877\u00A0798", false, u"", V{"877", "798"});
        row("surrogate pair ends token", u"12\U0001F4DE34", false, u"", V{"12", "34"});
        row("CR and LF end tokens", u"12\r34\n56", false, u"", V{"12", "34", "56"});
        row("punctuation only tokens", u"-- . ()", false, u"", V{""});
    }

    void extractPhone() {
        QFETCH(std::u16string, text);
        QFETCH(bool, active);
        QFETCH(std::u16string, required);
        QFETCH(std::vector<std::string>, expected);
        QCOMPARE(ExtractPhone(text, {{active, required}}), expected);
    }

    // The stream gives the line scanner's numbers, for every way of cutting the text.
    void streamMatchesLineScanner_data() {
        QTest::addColumn<std::u16string>("text");
        QTest::addColumn<bool>("active");
        QTest::addColumn<std::u16string>("required");
        QTest::newRow("mixed") << std::u16string(
                                      u"Call (877) 798-4141 or 555 123 4567, ext 12; "
                                      u"2021-08-31 {99}(88)-77.66 x")
                               << false << std::u16string();
        QTest::newRow("required dash") << std::u16string(u"877-798-4141 8777984142 (877)7984143")
                                       << true << std::u16string(u"-");
        QTest::newRow("required repeated prefix")
            << std::u16string(u"1-1-1-1-2 11-112 1-1-12345 555-55-5-12345") << true
            << std::u16string(u"1-1-2");
        QTest::newRow("digits over twenty")
            << std::u16string(u"123456789012345678901 1234567890") << false << std::u16string();
        QTest::newRow("twenty digits")
            << std::u16string(u"1234-5678-9012-3456-7890 x") << false << std::u16string();
        QTest::newRow("impossible required")
            << std::u16string(u"877-798-4141") << true << std::u16string(u"-x");
    }

    void streamMatchesLineScanner() {
        QFETCH(std::u16string, text);
        QFETCH(bool, active);
        QFETCH(std::u16string, required);
        std::string bytes(text.begin(), text.end());  // these texts are ASCII
        const auto expected = Reference(text, {active, required});
        for (std::size_t piece : {1u, 2u, 3u, 5u, 16u, 17u, 1000u}) {
            QCOMPARE(Stream(bytes, {active, required}, piece), expected);
        }
    }

    // Random texts over the characters that matter, random pieces, random options.
    void streamMatchesLineScannerRandom() {
        std::mt19937 rng(20261207);
        const std::u16string alphabet = u"0123456789.-(){} x\t\r\n55--";
        const std::u16string needles[] = {u"-", u"55", u"(", u"5-5", u"", u"x", u"0123"};
        for (int round = 0; round < 3000; ++round) {
            std::u16string text;
            const int len = std::uniform_int_distribution<int>(0, 120)(rng);
            for (int i = 0; i < len; ++i) {
                text.push_back(alphabet[std::uniform_int_distribution<std::size_t>(
                    0, alphabet.size() - 1)(rng)]);
            }
            const RequiredText required{rng() % 2 == 0, needles[rng() % std::size(needles)]};
            const std::string bytes(text.begin(), text.end());
            const std::size_t piece = 1 + rng() % 9;
            QCOMPARE(Stream(bytes, required, piece), Reference(text, required));
        }
    }

    // Bytes from 0x80 up stand for characters that are not number characters.
    void highBytesEndNumbers() {
        const std::string bytes =
            "877-798\xC3\xA9"
            "4141 555\x80"
            "12345";
        QCOMPARE(Stream(bytes, {}, 4), (std::vector<std::string>{"877798", "4141555", "12345"}));
        QCOMPARE(Stream("8777984141\xA0"
                        "12345",
                        {}, 3),
                 (std::vector<std::string>{"8777984141", "12345"}));
    }

    // A token long only through punctuation is judged exactly, however long it is.
    void longPunctuationTokens() {
        std::string bytes = "1";
        bytes += std::string(200000, '.');
        bytes += "234567-89";
        QCOMPARE(Stream(bytes, {true, u"-"}, 4096), (std::vector<std::string>{"123456789"}));
        QCOMPARE(Stream(bytes, {true, u"(-"}, 4096), (std::vector<std::string>{}));
        std::string digits(1000000, '7');
        QCOMPARE(Stream(digits + " x 12345", {}, 65536), (std::vector<std::string>{"12345"}));
    }

    // A new required text applies from the next number on, never half-way through one, also
    // when the plain scan (which passes over runs without a digit) stopped inside a number.
    void requiredTextChangesBetweenNumbers_data() {
        QTest::addColumn<QString>("before");  // the required text of the first piece, if any
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("rest");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("inside a number's digits")
            << "-"
            << "877-798"
            << "."
            << "-4141,877.798.4142,877-798-4143" << QStringList{"8777984141", "8777984142"};
        QTest::newRow("plain, before a number's first digit")
            << ""
            << "call ("
            << "x"
            << "877) 798-4141, 877-798-4142" << QStringList{"8777984141"};
        QTest::newRow("plain, inside a number's digits")
            << ""
            << "877-79"
            << "x"
            << "8-4141, 877-798-4142" << QStringList{"8777984141"};
        QTest::newRow("plain, spaces after digits")
            << ""
            << "877 "
            << "x"
            << " 798 4141 x 8777984142" << QStringList{"8777984141"};
        QTest::newRow("plain, punctuation only") << ""
                                                 << "x ... "
                                                 << "x"
                                                 << ". 877-798-4141" << QStringList{"8777984141"};
        QTest::newRow("plain, a number closed") << ""
                                                << "8777984141,"
                                                << "x"
                                                << "877-798-4142" << QStringList{"8777984141"};
    }

    void requiredTextChangesBetweenNumbers() {
        QFETCH(QString, before);
        QFETCH(QString, first);
        QFETCH(QString, after);
        QFETCH(QString, rest);
        QFETCH(QStringList, expected);
        NumberStream stream(ScanRules{{!before.isEmpty(), before.toStdU16String()}});
        std::vector<PhoneNumber> found;
        const std::string head = first.toStdString(), tail = rest.toStdString();
        stream.feed(head.data(), head.size(), found);
        stream.setRules({{true, after.toStdU16String()}});
        stream.feed(tail.data(), tail.size(), found);
        stream.finish(found);
        QStringList got;
        for (const PhoneNumber& n : found)
            got << QString::fromStdString(n.str());
        QCOMPARE(got, expected);
    }
};

QTEST_APPLESS_MAIN(PhoneScannerTest)
#include "test_phone_scanner.moc"
