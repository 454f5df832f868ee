// A number's line read back from its file: line ends as editors count them, every encoding,
// the number's written form marked, long lines cut around it, and files changed or gone since.

#include <QtTest>

#include <cstdio>

#include "document_text.h"
#include "source_line.h"
#include "support/temp_files.h"

using namespace tessaly;
using tessaly::testing::TempFiles;

namespace {

QByteArray Utf16LE(const QString& text) {
    return QByteArray("\xFF\xFE", 2) +
           QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

// Files named *.doc hold a document's text after their first line, given in pieces of three
// bytes; its places are cells, each field of a line parted by a tab one ("cell 2").
class CellDocuments : public DocumentReader {
  public:
    std::unique_ptr<DocumentText> open(const std::string& path,
                                       std::string_view head) const override {
        if (!path.ends_with(".doc")) return nullptr;
        struct Cells : DocumentText {
            std::string text;
            int cell = 0;
            bool read(std::string& out) override {
                for (const char c : text.substr(0, 3)) {
                    if (cell == 0) markPlace(out.size(), "cell " + std::to_string(cell = 1));
                    out += c;
                    if (c == '\t') markPlace(out.size(), "cell " + std::to_string(++cell));
                    if (c == '\n') cell = 0;
                }
                text.erase(0, 3);
                return !text.empty();
            }
        };
        auto text = std::make_unique<Cells>();
        text->text = std::string(head.substr(head.find('\n') + 1));
        return text;
    }
};

}  // namespace

class SourceLineTest : public QObject {
    Q_OBJECT

  private slots:
    // "text": the line as shown, its marked number in [ ] (none: not on the line); "cuts": "<"
    // the line goes on before the text, ">" after it; "where": for a document (CellDocuments),
    // where in it the number stands.
    void lines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("cuts");
        QTest::addColumn<QString>("where");
        const QString a(10000, 'a'), b(10000, 'b');
        const auto row = [](const char* name, QByteArray bytes, int line, const char* digits,
                            QString text, const char* cuts = "", const char* where = nullptr) {
            QTest::newRow(name) << bytes << line << digits << text << cuts
                                << (where ? QString(where) : QString());
        };
        // A document's line is a line of its text (not of its bytes), and its number's place
        // is the place it stands at, which the document marks in pieces apart from the line's.
        const QByteArray cells = "not read\nx\t555-1234\t555-9876\nz 555-1234";
        row("document, a later cell", cells, 1, "5559876", "x\t555-1234\t[555-9876]", "", "cell 3");
        row("document, the first run with the digits", cells, 1, "5551234",
            "x\t[555-1234]\t555-9876", "", "cell 2");
        row("document, its last line", cells, 2, "5551234", "z [555-1234]", "", "cell 1");
        row("document, not on the line", cells, 2, "5559876", "z 555-1234", "", "");
        row("LF", "x\nb 555-1234 c\nd", 2, "5551234", "b [555-1234] c");
        row("CR LF, blanks inside", "x\r\ny\r\n(555) 123-4567 z", 3, "5551234567",
            "[(555) 123-4567] z");
        row("lone CR, last line", "a\rb\r12345", 3, "12345", "[12345]");
        row("empty lines count", "\n\r\n\r12345\n", 4, "12345", "[12345]");
        row("UTF-8 with mark",
            "\xEF\xBB\xBF"
            "caf\xC3\xA9\r\n555-1234 \xC3\xA9",
            2, "5551234", QString::fromUtf8("[555-1234] \xC3\xA9"));
        row("8-bit", "caf\xE9 555-1234", 1, "5551234", QString::fromUtf8("caf\xC3\xA9 [555-1234]"));
        row("UTF-16 with mark", Utf16LE(QString::fromUtf8("\xC3\xA9\r\n\xC3\xA9 555-1234")), 2,
            "5551234", QString::fromUtf8("\xC3\xA9 [555-1234]"));
        row("the first whole run with the digits", "555-12345 x 555-1234 y 555-1234", 1, "5551234",
            "555-12345 x [555-1234] y 555-1234");
        row("not on the line", "555-9999", 1, "5551234", "555-9999");
        row("long line, cut around the number", (a + " 555-1234 " + b).toLatin1(), 1, "5551234",
            QString(1999, 'a') + " [555-1234] " + QString(1999, 'b'), "<>");
        row("long line, number at its start", ("x 555-1234 " + b + "\n").toLatin1(), 1, "5551234",
            "x [555-1234] " + QString(3997, 'b'), ">");
        // A +E.164 result, found as the line spells it: a whole run before a part of one, the
        // spelling with its digits before another.
        row("+E.164, national", "Call (212) 555-0147 now", 1, "+12125550147",
            "Call [(212) 555-0147] now");
        row("+E.164, code and trunk 1", "x 1-212-555-0147", 1, "+12125550147",
            "x [1-212-555-0147]");
        row("+E.164, its +", "x + 1 212 555 0147", 1, "+12125550147", "x [+ 1 212 555 0147]");
        row("+E.164, GB trunk 0", "020 7946 0958 x", 1, "+442079460958", "[020 7946 0958] x");
        row("+E.164, code and (0)", "+44 (0)20 7946 0958", 1, "+442079460958",
            "[+44 (0)20 7946 0958]");
        row("+E.164, international prefix", "011 44 20 7946 0958", 1, "+442079460958",
            "[011 44 20 7946 0958]");
        row("+E.164, the digits before another spelling", "212-555-0147 or +1 212 555 0147", 1,
            "+12125550147", "212-555-0147 or [+1 212 555 0147]");
        row("+E.164, a national run before a part", "1 212 555 0147 1 212 555 0199, 212-555-0199",
            1, "+12125550199", "1 212 555 0147 1 212 555 0199, [212-555-0199]");
        row("+E.164, a part after an international prefix", "0044-20-7946-0958 0044-20-7946-0999",
            1, "+442079460958", "[0044-20-7946-0958] 0044-20-7946-0999");
        // A spelling is whole: digits that merely end like the number, or a national number
        // behind another calling code or prefix, are not it.
        row("+E.164, a shorter run", "555-0147 and 12-555-0147", 1, "+12125550147",
            "555-0147 and 12-555-0147");
        row("+E.164, another code", "+332079460958 / 92079460958", 1, "+442079460958",
            "+332079460958 / 92079460958");
        // A part of a run that blanks cut (a run of several numbers); a whole run first.
        row("cut part, first", "x 212-555-0199 212-555-0142 y", 1, "2125550199",
            "x [212-555-0199] 212-555-0142 y");
        row("cut part, second", "x 212-555-0199 212-555-0142 y", 1, "2125550142",
            "x 212-555-0199 [212-555-0142] y");
        row("cut part, of groups", "(212) 555 0199 (212) 555 0142", 1, "2125550142",
            "(212) 555 0199 [(212) 555 0142]");
        row("cut part, +E.164", "212-555-0199 212-555-0142", 1, "+12125550142",
            "212-555-0199 [212-555-0142]");
        row("cut part, the first of two", "555 1234 999 x 555 1234 888", 1, "5551234",
            "[555 1234] 999 x 555 1234 888");
        row("cut part, after a whole run", "555 0199 0142 x 5550199", 1, "5550199",
            "555 0199 0142 x [5550199]");
        row("cut part, not a group's tail", "2125550199 212-555-01 42", 1, "55501",
            "2125550199 212-555-01 42");
        row("cut part, long line, a whole run far on",
            ("555-1234 999-0000 " + a + " 5551234").toLatin1(), 1, "5551234",
            QString(1999, 'a') + " [5551234]", "<");
        row("cut part, long line, none closer",
            ("x 555-1234 999-0000 " + QString(70000, 'c')).toLatin1(), 1, "5551234",
            "x [555-1234] 999-0000 " + QString(3988, 'c'), ">");
    }
    void lines() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, digits);
        QFETCH(QString, text);
        QFETCH(QString, cuts);
        QFETCH(QString, where);
        TempFiles files;
        const std::string path = files.write(where.isNull() ? "f" : "f.doc", bytes.toStdString());
        const CellDocuments documents;
        const SourceLine s = ReadSourceLine({path, *StampOf(path)}, std::uint64_t(line),
                                            digits.toStdString(), nullptr, &documents);
        const bool onLine = text.contains('[');
        QCOMPARE(int(s.state),
                 int(onLine ? SourceLine::State::Shown : SourceLine::State::NotOnLine));
        QString shown = QString::fromStdU16String(s.text);
        if (onLine) shown.insert(qsizetype(s.numberEnd), ']').insert(qsizetype(s.numberStart), '[');
        QCOMPARE(shown, text);
        QCOMPARE(s.cutBefore, cuts.contains('<'));
        QCOMPARE(s.cutAfter, cuts.contains('>'));
        QCOMPARE(QString::fromStdString(s.where), where.isNull() ? QString() : where);
    }

    // A file changed, shortened or gone since the run is not read as if it were the same.
    void fileNoLongerTheSame() {
        TempFiles files;
        const std::string path = files.write("f", "a\n555-1234\n");
        const SourceFile read{path, *StampOf(path)};
        files.write("f", "a\n555-1234\nb\n");
        QCOMPARE(int(ReadSourceLine(read, 2, "5551234").state), int(SourceLine::State::Changed));
        QCOMPARE(int(ReadSourceLine({path, *StampOf(path)}, 9, "5551234").state),
                 int(SourceLine::State::Changed));
        std::remove(path.c_str());
        QCOMPARE(int(ReadSourceLine(read, 2, "5551234").state), int(SourceLine::State::Gone));
        // A read told to stop (the window going) ends without reading on.
        const std::atomic<bool> stop{true};
        QCOMPARE(int(ReadSourceLine({path, *StampOf(path)}, 2, "5551234", &stop).state),
                 int(SourceLine::State::Gone));
        files.write("f", "a\n555-1234\n");
        QCOMPARE(int(ReadSourceLine({path, *StampOf(path)}, 2, "5551234", &stop).state),
                 int(SourceLine::State::Unreadable));
        QCOMPARE(ContainingFolder(path), files.folder());
        QCOMPARE(ContainingFolder("/f"), std::string("/"));
    }
};

QTEST_APPLESS_MAIN(SourceLineTest)
#include "test_source_line.moc"
