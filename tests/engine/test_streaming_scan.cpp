// Streaming a file through the scanner in pieces gives exactly the numbers of reading it into
// lines and scanning each line, in every encoding, wherever the pieces are cut: through CR LF
// pairs, UTF-8 sequences, UTF-16 surrogate pairs and numbers.

#include <QtTest>

#include <algorithm>
#include <fstream>
#include <random>

#include "file_number_scan.h"
#include "file_text_reader.h"
#include "phone_scanner.h"
#include "support/temp_files.h"
#include "unit_narrowing.h"
#include "written_file_scan.h"

using namespace tessaly;
using tessaly::testing::TempFiles;

Q_DECLARE_METATYPE(tessaly::TextEncoding)

namespace {

std::vector<std::string> ByLines(const std::string& path, const RequiredText& required) {
    std::vector<std::string> out;
    for (const std::u16string& line : ReadFileLines(path)) {
        for (std::string& n : ExtractPhone(line, ScanRules{required})) {
            if (n.size() >= kMinDigits && n.size() <= kMaxDigits) out.push_back(std::move(n));
        }
    }
    return out;
}

// Each number's value, and with the line or the written text, a space and each.
std::string Described(std::string value, std::size_t line, const std::string& text,
                      const ScanRules& rules) {
    if (rules.lineNumbers) value += " " + std::to_string(line);
    return rules.writtenText ? value + " " + text : value;
}

std::vector<std::string> Streamed(const std::string& path, const ScanRules& rules,
                                  std::size_t chunk, MappedReading mapping = {}) {
    FileNumberScan scan(path, rules, chunk, nullptr, mapping);
    std::vector<PhoneNumber> found;
    std::vector<std::size_t> lines;
    NumberTexts texts;
    while (scan.next(found, &lines, &texts)) {
    }
    std::vector<std::string> out;
    for (std::size_t i = 0; i < found.size(); ++i) {
        out.push_back(Described(found[i].str(), rules.lineNumbers ? lines[i] : 0,
                                rules.writtenText ? std::string(texts.at(i)) : "", rules));
    }
    return out;
}

// The numbers as the plain output's digit lines. With `ahead` rules, every third piece that can
// be gone back to is first scanned under them, as a scan run ahead of its reader would be, and
// then scanned again from where the scan stood before it; `wentBack` counts them.
std::vector<std::string> StreamedLines(const std::string& path, const ScanRules& rules,
                                       std::size_t chunk, MappedReading mapping = {},
                                       const ScanRules* ahead = nullptr, int* wentBack = nullptr) {
    FileNumberScan scan(path, rules, chunk, nullptr, mapping);
    DigitLines lines, scannedAhead;
    FileNumberScan::Mark mark;
    int piece = 0;
    for (bool more = scan.nextLines(lines); more; more = scan.nextLines(lines)) {
        if (!ahead || !scan.canGoBack() || ++piece % 3 != 0) continue;
        scan.mark(mark);
        scan.setRules(*ahead);
        scan.nextLines(scannedAhead);
        scan.goBack(mark);
        ++*wentBack;
    }
    std::vector<std::string> out;
    std::string_view text = lines.view();
    for (std::size_t end; (end = text.find('\n')) != std::string_view::npos;
         text.remove_prefix(end + 1))
        out.emplace_back(text.substr(0, end));
    if (!text.empty()) out.emplace_back("unended line: " + std::string(text));
    return out;
}

// The same through the decoding reader (texts outside ASCII show as '?').
std::vector<std::string> ReadAsWritten(const std::string& path, const ScanRules& rules,
                                       std::size_t chunk) {
    WrittenFileScan scan(path, rules, chunk);
    std::vector<WrittenNumber> found;
    while (scan.next(found)) {
    }
    std::vector<std::string> out;
    for (const WrittenNumber& n : found) {
        std::string text;
        for (char16_t unit : n.text)
            text.push_back(unit < 0x80 ? char(unit) : '?');
        out.push_back(Described(n.value, n.line, text, rules));
    }
    return out;
}

void PutUnit(std::string& out, char32_t v, int width, bool big) {
    for (int i = 0; i < width; ++i) {
        const int shift = 8 * (big ? width - 1 - i : i);
        out.push_back(char((v >> shift) & 0xFF));
    }
}

// Code points that matter to the scanner, and some that only have to be passed over safely.
char32_t RandomCodePoint(std::mt19937& rng) {
    static const char32_t common[] = {U'0',     U'1',  U'5',   U'9',   U'.',   U'-',   U'(',
                                      U')',     U'{',  U'}',   U' ',   U' ',   U'\r',  U'\n',
                                      U'x',     U'\t', 0xA0,   0xE9,   0x20AC, 0xFF18, 0x1F4DE,
                                      0x10FFFF, 0,     0x2013, 0x2212, 0x3000, 0x0663, 0xFF09};
    return common[rng() % std::size(common)];
}

// A file body in `encoding`, with some deliberately broken units mixed in.
std::string MakeBody(TextEncoding encoding, std::mt19937& rng, int length) {
    static const std::u32string phones[] = {U"877-798-4141", U"(555) 123 4567", U"12.345.67",
                                            U"{1}(2)3-4.5 6", U"555-1234"};
    std::u32string text = U"x";  // a first NUL would read as another mark
    while (int(text.size()) < length) {
        if (rng() % 6 == 0) {
            text += phones[rng() % std::size(phones)];
        } else {
            text.push_back(rng() % 23 == 0 ? U'\r' : RandomCodePoint(rng));
        }
    }
    std::string out;
    for (char32_t cp : text) {
        const bool broken = rng() % 41 == 0;
        switch (encoding) {
            case TextEncoding::EightBit:
                out.push_back(cp < 0x100 ? char(cp) : char(0x80 + rng() % 128));
                break;
            case TextEncoding::Utf8:
                if (broken) {
                    static const char* bad[] = {"\xE2\x82", "\xC0\xAE", "\xFF", "\xED\xA0\x80",
                                                "\x80"};
                    out += bad[rng() % std::size(bad)];
                } else if (cp < 0x80) {
                    out.push_back(char(cp));
                } else if (cp < 0x800) {
                    out.push_back(char(0xC0 | (cp >> 6)));
                    out.push_back(char(0x80 | (cp & 0x3F)));
                } else if (cp < 0x10000) {
                    out.push_back(char(0xE0 | (cp >> 12)));
                    out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
                    out.push_back(char(0x80 | (cp & 0x3F)));
                } else {
                    out.push_back(char(0xF0 | (cp >> 18)));
                    out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
                    out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
                    out.push_back(char(0x80 | (cp & 0x3F)));
                }
                break;
            case TextEncoding::Utf16LE:
            case TextEncoding::Utf16BE: {
                const bool big = encoding == TextEncoding::Utf16BE;
                if (broken) {
                    PutUnit(out, 0xD800 + rng() % 0x800, 2, big);  // a lone surrogate
                } else if (cp >= 0x10000) {
                    PutUnit(out, 0xD800 + ((cp - 0x10000) >> 10), 2, big);
                    PutUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF), 2, big);
                } else {
                    PutUnit(out, cp, 2, big);
                }
                break;
            }
            case TextEncoding::Utf32LE:
            case TextEncoding::Utf32BE:
                PutUnit(out, broken ? char32_t(0x110000 + rng() % 5) : cp, 4,
                        encoding == TextEncoding::Utf32BE);
                break;
        }
    }
    return out;
}

// Every file read through a mapping after its first piece, a page at a time (wide text's
// windows hold as many characters: a page per byte of its units).
constexpr MappedReading kEveryFileMapped{0, 4096};

std::string Mark(TextEncoding e) {
    switch (e) {
        case TextEncoding::Utf8:
            return "\xEF\xBB\xBF";
        case TextEncoding::Utf16LE:
            return "\xFF\xFE";
        case TextEncoding::Utf16BE:
            return "\xFE\xFF";
        case TextEncoding::Utf32LE:
            return std::string("\xFF\xFE\0\0", 4);
        case TextEncoding::Utf32BE:
            return std::string("\0\0\xFE\xFF", 4);
        default:
            return "";
    }
}

// ASCII and Latin-1 text in `encoding`, after its mark.
std::string Encode(TextEncoding encoding, std::u32string_view text) {
    std::string out = Mark(encoding);
    for (char32_t cp : text) {
        switch (encoding) {
            case TextEncoding::EightBit:
                out.push_back(char(cp));
                break;
            case TextEncoding::Utf8:
                if (cp >= 0x80) out.push_back(char(0xC0 | (cp >> 6)));
                out.push_back(char(cp < 0x80 ? cp : 0x80 | (cp & 0x3F)));
                break;
            case TextEncoding::Utf16LE:
            case TextEncoding::Utf16BE:
                PutUnit(out, cp, 2, encoding == TextEncoding::Utf16BE);
                break;
            case TextEncoding::Utf32LE:
            case TextEncoding::Utf32BE:
                PutUnit(out, cp, 4, encoding == TextEncoding::Utf32BE);
                break;
        }
    }
    return out;
}

}  // namespace

class StreamingScanTest : public QObject {
    Q_OBJECT

  private slots:
    void sameNumbersAsLines_data() {
        QTest::addColumn<TextEncoding>("encoding");
        // Bytes above 0x7F made a '-': 0 none, 1 up to a random length, 2 every one.
        QTest::addColumn<int>("asciiBefore");
        QTest::newRow("8-bit") << TextEncoding::EightBit << 0;
        QTest::newRow("utf-8") << TextEncoding::Utf8 << 0;
        QTest::newRow("utf-16 le") << TextEncoding::Utf16LE << 0;
        QTest::newRow("utf-16 be") << TextEncoding::Utf16BE << 0;
        QTest::newRow("utf-32 le") << TextEncoding::Utf32LE << 0;
        QTest::newRow("utf-32 be") << TextEncoding::Utf32BE << 0;
        // Without a mark and with the separators, a file of ASCII alone is passed through whole,
        // and one that is ASCII up to some piece is told UTF-8 or not only there.
        QTest::newRow("ascii only") << TextEncoding::EightBit << 2;
        QTest::newRow("ascii up to a later piece") << TextEncoding::EightBit << 1;
    }

    void sameNumbersAsLines() {
        QFETCH(TextEncoding, encoding);
        QFETCH(int, asciiBefore);
        std::mt19937 rng(7 + int(encoding));
        TempFiles files;
        const RequiredText options[] = {{}, {true, u"-"}, {true, u"5-"}, {true, u""}};
        int nonEmpty = 0, wentBack = 0;
        for (int round = 0; round < 60; ++round) {
            std::string bytes = Mark(encoding);
            // Half the 8-bit files are UTF-8 without a mark (well-formed or not).
            const bool unmarked = encoding == TextEncoding::EightBit && round % 2 == 1;
            bytes += MakeBody(unmarked ? TextEncoding::Utf8 : encoding, rng, 1 + int(rng() % 400));
            if (round % 3 == 0) bytes.append(std::size_t(rng() % 4), '7');  // a broken last unit
            if (asciiBefore) {
                const std::size_t ascii = asciiBefore == 2 ? bytes.size() : rng() % bytes.size();
                std::replace_if(
                    bytes.begin(), bytes.begin() + ascii, [](char c) { return c & 0x80; }, '-');
            }
            const std::string path = files.write(std::to_string(round) + ".txt", bytes);
            // The mark table must see the same file both ways.
            QCOMPARE(DetectEncoding(bytes).encoding, encoding);
            for (const RequiredText& required : options) {
                const auto expected = ByLines(path, required);
                nonEmpty += !expected.empty();
                for (std::size_t chunk : {1u, 2u, 3u, 4u, 5u, 7u, 13u, 64u, 4096u}) {
                    QCOMPARE(Streamed(path, ScanRules{required}, chunk), expected);
                    QCOMPARE(StreamedLines(path, ScanRules{required}, chunk), expected);
                }
                // Read through a mapping after the first piece, a page at a time; and scanned
                // ahead under other rules, then again from where the scan stood.
                const ScanRules other{{true, required.active ? u"" : u"5"}};
                for (std::size_t chunk : {1u, 5u, 64u}) {
                    QCOMPARE(Streamed(path, ScanRules{required}, chunk, kEveryFileMapped),
                             expected);
                    QCOMPARE(StreamedLines(path, ScanRules{required}, chunk, kEveryFileMapped),
                             expected);
                    QCOMPARE(StreamedLines(path, ScanRules{required}, chunk, kEveryFileMapped,
                                           &other, &wentBack),
                             expected);
                }
                // The byte scanner's written texts and its reading of the separators are the
                // decoding reader's (which reads a character at a time: fewer cuts).
                ScanRules texts{required}, textsAndLines{required}, separators{required};
                texts.writtenText = textsAndLines.writtenText = textsAndLines.lineNumbers = true;
                separators.unicodeSeparators = true;
                for (std::size_t chunk : {1u, 2u, 5u, 4096u}) {
                    QCOMPARE(Streamed(path, texts, chunk), ReadAsWritten(path, texts, chunk));
                    QCOMPARE(Streamed(path, textsAndLines, chunk),
                             ReadAsWritten(path, textsAndLines, chunk));
                    QCOMPARE(Streamed(path, separators, chunk),
                             ReadAsWritten(path, separators, chunk));
                }
                QCOMPARE(Streamed(path, texts, 3, kEveryFileMapped), ReadAsWritten(path, texts, 3));
                QCOMPARE(Streamed(path, separators, 3, kEveryFileMapped),
                         ReadAsWritten(path, separators, 3));
                // Gone back to before the piece where the file was told UTF-8 or not.
                ScanRules separatorsAhead = separators;
                separatorsAhead.required = other.required;
                for (std::size_t chunk : {1u, 3u, 64u}) {
                    QCOMPARE(StreamedLines(path, separators, chunk, kEveryFileMapped,
                                           &separatorsAhead, &wentBack),
                             ReadAsWritten(path, separators, chunk));
                }
            }
        }
        QVERIFY(nonEmpty > 40);  // the generator does produce numbers
        QVERIFY(wentBack > 1000);
    }

    // Each number's line, as editors count lines, in every encoding and with every line end,
    // wherever the pieces are cut (a CR LF pair split between two pieces is one break).
    void lineNumbers_data() {
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("lines");
        const QString mixed = "12345\n\n23456\r\n34567\r45678\r\r\n\u00e9 56789 \n\r67895";
        const QList<int> mixedLines{1, 3, 4, 5, 7, 9};
        // Many blocks of bytes: a CR LF pair across the first block's end, runs of breaks
        // longer than the counters' widest step.
        const QString many = QString("abc\r\n").repeated(13) + "12345" +
                             QString("\r").repeated(40) + "23456" + QString("\r\n").repeated(2500) +
                             "\n34567";
        for (auto [name, e] : {std::pair{"8-bit", TextEncoding::EightBit},
                               {"utf-8", TextEncoding::Utf8},
                               {"utf-16 le", TextEncoding::Utf16LE},
                               {"utf-16 be", TextEncoding::Utf16BE},
                               {"utf-32 le", TextEncoding::Utf32LE},
                               {"utf-32 be", TextEncoding::Utf32BE}}) {
            QTest::addRow("%s mixed ends", name) << e << mixed << mixedLines;
            QTest::addRow("%s many blocks", name) << e << many << QList<int>{14, 54, 2555};
            QTest::addRow("%s mark not a line", name) << e << "55555 x" << QList<int>{1};
        }
        QTest::newRow("lone CR only") << TextEncoding::EightBit << "\r\r12345\r" << QList<int>{3};
        QTest::newRow("number spans spaces")
            << TextEncoding::EightBit << "a\n1 2 3 4 5\n(555) 123-4567" << QList<int>{2, 3};
        QTest::newRow("many on one line") << TextEncoding::Utf8 << "\n15555, 25555; 35555\r\n"
                                          << QList<int>{2, 2, 2};
    }

    void lineNumbers() {
        QFETCH(TextEncoding, encoding);
        QFETCH(QString, text);
        QFETCH(QList<int>, lines);
        TempFiles files;
        const std::string path = files.write("f", Encode(encoding, text.toStdU32String()));
        const std::vector<std::size_t> expected(lines.begin(), lines.end());
        // With a required text the scanner takes another path through the bytes (every number
        // here holds a 5).
        for (const RequiredText& required : {RequiredText{}, RequiredText{true, u"5"}}) {
            ScanRules rules{required};
            rules.lineNumbers = true;
            for (std::size_t chunk : {1u, 2u, 3u, 5u, 4096u}) {
                FileNumberScan scan(path, rules, chunk);
                std::vector<PhoneNumber> found;
                std::vector<std::size_t> got;
                while (scan.next(found, &got)) {
                }
                QCOMPARE(got, expected);
                // The same lines beside the digit lines (-n), and beside the written texts (jsonl).
                FileNumberScan lineScan(path, rules, chunk);
                DigitLines digits;
                got.clear();
                while (lineScan.nextLines(digits, &got)) {
                }
                QCOMPARE(got, expected);
                QCOMPARE(std::size_t(std::count(digits.view().begin(), digits.view().end(), '\n')),
                         expected.size());
                ScanRules withTexts = rules;
                withTexts.writtenText = true;
                FileNumberScan textScan(path, withTexts, chunk);
                NumberTexts texts;
                got.clear();
                while (textScan.next(found, &got, &texts)) {
                }
                QCOMPARE(got, expected);
            }
        }
    }

    // One gigantic line holding a gigantic run of number characters is streamed piece by piece;
    // the numbers around it still come out.
    void gigantic_line() {
        TempFiles files;
        std::string bytes = "877-798-4141 ";
        bytes += std::string(3 << 20, '9');
        bytes += "x(555)123-4567";
        const std::string path = files.write("big", bytes);
        QCOMPARE(Streamed(path, {}, 65536), (std::vector<std::string>{"5551234567"}));
        QCOMPARE(Streamed(path, {}, 65536), ByLines(path, {}));
        QCOMPARE(StreamedLines(path, {}, 65536), ByLines(path, {}));
        // Mapped, with pieces cut at every window's end.
        QCOMPARE(StreamedLines(path, {}, 5000, {0, 16384}), ByLines(path, {}));
        QCOMPARE(StreamedLines(path, {}, 65536), StreamedLines(path, {}, 65536, {1u << 30, 4096}));
    }

    // Every way of narrowing wide units this processor runs gives each unit's byte, at every
    // length and start, also for units whose low byte alone would pass for ASCII.
    void narrowingsAgree_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("big");
        QTest::newRow("utf-16 le") << 2 << false;
        QTest::newRow("utf-16 be") << 2 << true;
        QTest::newRow("utf-32 le") << 4 << false;
        QTest::newRow("utf-32 be") << 4 << true;
    }

    void narrowingsAgree() {
        QFETCH(int, width);
        QFETCH(bool, big);
        // The first 14 fit in 16 bits.
        static const char32_t values[] = {
            U'0',   U'9',   U' ',   0x7F, 0x80, 0xFF,    0x135,     0x7F35,     0xFF35,
            0xFF80, 0xFFFF, 0x3500, 0x35, 0x23, 0x10035, 0x1000035, 0x35000000, 0xFFFFFF7F};
        std::mt19937 rng(width * 2 + big);
        std::string units, narrowed;  // the units, and each one's byte
        for (int i = 0; i < 300; ++i) {
            const char32_t v = values[rng() % (width == 2 ? 14 : std::size(values))];
            PutUnit(units, v, width, big);
            narrowed.push_back(v < 0x80 ? char(v) : char(0x80));
        }
        const auto ways = AvailableUnitNarrowings();
        QVERIFY(!ways.empty());
        const auto* bytes = reinterpret_cast<const unsigned char*>(units.data());
        for (std::size_t from : {0, 1, 7, 31}) {
            for (std::size_t count = 0; count <= 300 - from; count += count < 70 ? 1 : 29) {
                const std::string expected = narrowed.substr(from, count) + '#';
                for (const UnitNarrowing& way : ways) {
                    std::string got(count + 1, '#');  // nothing written past the last unit
                    const char* end =
                        way.narrow(bytes + from * width, count, width, big, got.data());
                    QVERIFY2(got == expected && end == got.data() + count, way.name);
                }
            }
        }
    }

    // A mapped file that becomes shorter while it is scanned: the scan fails with the file's
    // path and the reason, keeps the numbers of the pieces scanned before (each one whole and
    // in order) and takes back those of the piece that met the lost bytes; the process lives on.
    void shortenedWhileMapped_data() {
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<bool>("digitLines");
        QTest::addColumn<bool>("writtenText");
        QTest::addColumn<int>("cut");  // the file's new length after its mark
        QTest::newRow("8-bit digit lines, to nothing")
            << TextEncoding::EightBit << true << false << 0;
        QTest::newRow("8-bit digit lines, inside the window")
            << TextEncoding::EightBit << true << false << 3000 * 9;
        // "555-12" before the lost page: the zeros would close it as a number of 5 digits.
        QTest::newRow("8-bit digit lines, inside a number at a page's end")
            << TextEncoding::EightBit << true << false << 6 * 4096;
        QTest::newRow("8-bit numbers with texts, in a later window")
            << TextEncoding::EightBit << false << true << 9000 * 9;
        QTest::newRow("utf-16, inside the window")
            << TextEncoding::Utf16LE << true << false << 1000 * 18;
        QTest::newRow("utf-32, in a later window")
            << TextEncoding::Utf32BE << false << false << 8000 * 36;
    }

    void shortenedWhileMapped() {
        QFETCH(TextEncoding, encoding);
        QFETCH(bool, digitLines);
        QFETCH(bool, writtenText);
        QFETCH(int, cut);
        constexpr int kLines = 12000;
        std::u32string text;
        for (int i = 0; i < kLines; ++i)
            text += U"555-1234\n";
        TempFiles files;
        const std::string bytes = Encode(encoding, text);
        const std::string path = files.write("big", bytes);
        ScanRules rules;
        rules.writtenText = writtenText;
        FileNumberScan scan(path, rules, 4096, nullptr, {0, 65536});
        DigitLines lines;
        std::vector<PhoneNumber> found;
        NumberTexts texts;
        const auto next = [&] {
            return digitLines ? scan.nextLines(lines) : scan.next(found, nullptr, &texts);
        };
        QVERIFY(next());
        QVERIFY(next());  // the first piece mapped
        const std::size_t lineBytes = (bytes.size() - Mark(encoding).size()) / kLines;
        QCOMPARE(::truncate(path.c_str(), off_t(Mark(encoding).size() + cut)), 0);
        QString failure;
        try {
            while (next()) {
            }
        } catch (const FileReadError& e) {
            failure = QString::fromStdString(e.what());
        }
        QCOMPARE(failure, QString::fromStdString("Cannot read \"" + path +
                                                 "\": it became shorter while it was read"));
        std::vector<std::string> numbers;
        for (const PhoneNumber& n : found)
            numbers.push_back(n.str());
        for (std::string_view rest = lines.view(); !rest.empty();
             rest.remove_prefix(rest.find('\n') + 1))
            numbers.emplace_back(rest.substr(0, rest.find('\n')));
        // Every number that ended before the lost bytes, in the two pieces scanned before the
        // cut or up to it, and none after.
        const std::size_t scanned = (2 * 4096 - Mark(encoding).size()) / lineBytes;
        QCOMPARE(numbers.size(), std::max(cut / lineBytes, scanned));
        QCOMPARE(numbers, std::vector<std::string>(numbers.size(), "5551234"));
        if (writtenText) QCOMPARE(texts.ends.size(), found.size());
    }

    // A file that grew after it was opened is read past its mapping; a scan that goes back from
    // there, after every piece, reads it again as it reads on.
    void grownPastMappingGoingBack() {
        TempFiles files;
        std::string text;
        for (int i = 0; i < 3000; ++i)
            text += std::to_string(5550000 + i) + (i % 5 ? " x " : "\n");
        const std::string path = files.write("big", text);
        FileNumberScan straight(path, {}, 1000, nullptr, {0, 4096});
        FileNumberScan back(path, {}, 1000, nullptr, {0, 4096});
        DigitLines expected, lines, ahead;
        QVERIFY(straight.nextLines(expected) && back.nextLines(lines));
        std::ofstream(path, std::ios::app) << text.substr(0, 9000) << " 555-0000";
        while (straight.nextLines(expected)) {
        }
        FileNumberScan::Mark mark;
        int wentBack = 0;
        for (bool more = true; more;) {
            if (back.canGoBack()) {
                back.mark(mark);
                back.nextLines(ahead);
                back.goBack(mark);
                ++wentBack;
            }
            more = back.nextLines(lines);
        }
        QVERIFY(wentBack > 20);
        QCOMPARE(lines.view(), expected.view());
        QVERIFY(expected.view().ends_with("5550000\n"));
    }
};

QTEST_APPLESS_MAIN(StreamingScanTest)
#include "test_streaming_scan.moc"
