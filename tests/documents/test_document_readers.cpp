// Each document reader, one table each, on the documents make_documents.py writes: the numbers
// found and their lines (runs joined, breaks and cells apart, every place of the document read)
// or the failure said for a hostile file.

#include <QtTest>

#include "documents.h"
#include "file_number_scan.h"
#include "ordered_scan.h"
#include "written_file_scan.h"

using tessaly::FileReadError;
using tessaly::PhoneNumber;
using tessaly::ScanRules;
using tessaly::documents::DocumentOptions;
using tessaly::documents::Documents;

namespace {

std::string DataFile(const QString& name) {
    return std::string(TESSALY_DOCUMENTS_DATA) + "/" + name.toStdString();
}

QString Found(std::size_t line, std::string_view number, std::string_view where) {
    QString found = QStringLiteral("%1:%2").arg(line).arg(QString::fromUtf8(number));
    if (!where.empty()) found += "@" + QString::fromUtf8(where);
    return found;
}

// "line:number" of every number found, "@where" after it when it stands at a place of the
// document, space-separated, or "failed: <description>". The byte scanner, or with `written`
// the scan of decoded text (which holds each number back until the text after it is read).
QString Scan(const std::string& path, bool separators, const DocumentOptions& options = {},
             bool written = false) {
    const Documents documents(options);
    ScanRules rules;
    rules.lengths = 1u << 10 | 1u << 11;  // the extractor's default lengths
    rules.lineNumbers = true;
    rules.unicodeSeparators = separators;
    rules.places = true;
    rules.numberContext = written;
    rules.documents = &documents;
    QStringList found;
    try {
        if (written) {
            tessaly::WrittenFileScan scan(path, rules);
            std::vector<tessaly::WrittenNumber> numbers;
            while (scan.next(numbers)) {
            }
            for (const auto& n : numbers)
                found << Found(n.line, n.value, n.where);
            return found.join(' ');
        }
        tessaly::FileNumberScan scan(path, rules);
        for (bool more = true; more;) {
            std::vector<PhoneNumber> numbers;
            std::vector<std::size_t> lines;
            tessaly::NumberPlaces places;
            more = scan.next(numbers, &lines, nullptr, &places);
            for (std::size_t i = 0, run = 0; i < numbers.size(); ++i) {
                while (run + 1 < places.runs.size() && places.runs[run + 1].first <= i)
                    ++run;
                found << Found(lines[i], numbers[i].view(),
                               run < places.runs.size() ? places.runs[run].where : "");
            }
        }
    } catch (const FileReadError& e) {
        return QStringLiteral("failed: ") + QString::fromStdString(e.what());
    }
    return found.join(' ');
}

void Columns() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("separators");
    QTest::addColumn<QString>("expected");  // Scan's answer, or the start of "failed: ..."
}

void Check() {
    QFETCH(QString, file);
    QFETCH(bool, separators);
    QFETCH(QString, expected);
    const QString found = Scan(DataFile(file), separators);
    if (expected.startsWith("failed: ")) {
        QVERIFY2(found.startsWith("failed: ") && found.contains(expected.mid(8)),
                 qPrintable(found));
    } else {
        QCOMPARE(found, expected);
        QCOMPARE(Scan(DataFile(file), separators, {}, true), expected);
    }
}

}  // namespace

class DocumentReadersTest : public QObject {
    Q_OBJECT

  private slots:
    void officeDocuments_data() {
        Columns();
        // Runs joined; a tab and a break part numbers; deleted text is not read; then the
        // header, footer, footnotes (the separators not counted), endnotes and comments.
        QTest::newRow("word processing")
            << "joins.docx" << false
            << "1:6175550182 5:7185550100 6:4155550101@header 7:4155550102@footer "
               "11:4155550103@footnote 2 12:4155550104@endnote 1 13:4155550105@comment 1";
        // Shared strings (runs joined, the phonetic reading left out), inline strings and
        // numbers as stored; cells part numbers; sheet2 before sheet10; the sheets named as
        // the workbook names them, cells by their references or, without, by their order.
        QTest::newRow("spreadsheet")
            << "cells.xlsx" << false
            << "1:3035550111@sheet Sales, cell B1 2:3035550114@sheet Sales, cell C2 "
               "3:0303555011@sheet Sales, cell A3 4:3035550115@sheet Sales, cell B7 "
               "5:3035550113@sheet R&D, cell A1";
        // Each piece handed over starts at the place the piece before ended at.
        QString big;
        for (int row = 1; row <= 4000; ++row)
            big += QStringLiteral(" %1:%2@sheet Big, cell B%1").arg(row).arg(5550000000LL + row);
        QTest::newRow("a sheet longer than a piece") << "big.xlsx" << false << big.mid(1);
        // Notes belong to the slide their relationship names.
        QTest::newRow("presentation, slides in order, then notes")
            << "slides.pptx" << false
            << "1:5035550121@slide 1 2:5035550120@slide 2 3:5035550122@slide 2, notes";
        // A span joined, <text:s c="3"/> three blanks, a tab and a line break parting; a
        // footnote and a comment on lines of their own, without the note's citation mark or
        // the comment's date; the master page's header after the body.
        QTest::newRow("opendocument text")
            << "joins.odt" << false
            << "1:7195550130 2:7195550131 6:7195550135 7:7195550136@footnote 1 "
               "10:7195550137@comment 1 12:7195550138 13:7195550134@header";
        // Blanks alone between tags are text, as any other.
        QTest::newRow("opendocument, blanks between tags")
            << "layout.odt" << false << "3:8085550198";
        // Repeated rows and cells counted; a table without a name named by its order.
        QTest::newRow("opendocument spreadsheet")
            << "cells.ods" << false
            << "4:8085550141@sheet Sales, cell A2 7:8085550142@sheet Sales, cell D5 "
               "9:8085550143@sheet 2, cell A1";
        QTest::newRow("opendocument presentation")
            << "slides.odp" << false << "1:9075550150@slide 1 2:9075550151@slide 2, notes";
        QTest::newRow("truncated zip")
            << "truncated.docx" << false << "failed: the document's zip is damaged";
        QTest::newRow("expands past 100 times")
            << "bomb.docx" << false << "failed: expands more than 100 times";
        QTest::newRow("entity expansion")
            << "entities.docx" << false << "failed: the document's XML is damaged";
        QTest::newRow("nested past the bound")
            << "deep.docx" << false << "failed: nested more than 256 deep";
        QTest::newRow("a zip that is no document")
            << "archive.zip" << false
            << "failed: archive.zip: not a text file or a document Tessaly reads; skipped";
    }
    void officeDocuments() { Check(); }

    void webPages() { Check(); }
    void webPages_data() {
        Columns();
        // Script and style skipped; source line breaks are blanks; blocks and cells part; the
        // tel: link's number on a line of its own; <pre> keeps its breaks.
        QTest::newRow("page") << "page.html" << false << "4:6175550183 8:16125550186";
        // &nbsp; and &#8209; decoded, then read as a blank and a hyphen.
        QTest::newRow("page, separators")
            << "page.html" << true << "3:6175550182 4:6175550183 8:16125550186";
        QTest::newRow("told by its start") << "start-only.txt" << false << "1:6125550188";
        QTest::newRow("a tag later is text") << "not-html.txt" << false << "2:6125550190";
        QTest::newRow("nested past the bound")
            << "deep.html" << false << "failed: nested too deeply";
    }

    void messages() { Check(); }
    void messages_data() {
        Columns();
        // Decoded headers (Subject in base64 words), a quoted-printable ISO-8859-1 part joined
        // across its soft break, a base64 HTML part read as a page, the attached document,
        // the enclosed message; nothing from Message-ID or the charset parameter.
        QTest::newRow("message")
            << "message.eml" << false
            << "3:3125550201 5:3125550202 7:3125550200@attachment report.docx "
               "8:3125550205@attachment report.docx, footer 12:3125550204@enclosed message";
        QTest::newRow("message, separators")
            << "message.eml" << true
            << "3:3125550201 5:3125550202 6:3125550203 7:3125550200@attachment report.docx "
               "8:3125550205@attachment report.docx, footer 12:3125550204@enclosed message";
        QTest::newRow("mailbox") << "mailbox.mbox" << false
                                 << "4:7735550210@message 1 8:7735550211@message 2";
        QTest::newRow("enclosed past the bound")
            << "nested.eml" << false << "failed: nested too deeply";
    }

    void pdfFiles() { Check(); }
    void pdfFiles_data() {
        Columns();
        // Pages counted from pdftotext's form feeds.
        QTest::newRow("two pages")
            << "pages.pdf" << false << "1:4155550300@page 1 3:4155550301@page 2";
        QTest::newRow("damaged") << "damaged.pdf" << false << "failed: could not open the PDF";
    }

    void contentKinds() { Check(); }
    void contentKinds_data() {
        Columns();
        QTest::newRow("executable")
            << "program.bin" << false << "failed: program.bin: not a text file";
        QTest::newRow("NUL bytes") << "nul.dat" << false << "failed: nul.dat: not a text file";
        QTest::newRow("legacy office file") << "legacy.doc" << false << "failed: not a text file";
        QTest::newRow("UTF-16 LE without a mark, a surrogate pair")
            << "wide-le.txt" << false << "1:5551234568 2:5551234569";
        QTest::newRow("UTF-16 BE without a mark") << "wide-be.txt" << false << "1:5551234570";
        QTest::newRow("UTF-16 with its mark, as always")
            << "marked-le.txt" << false << "1:5551234571";
    }

    // --binary reads what is not text as 8-bit text, as before; documents stay documents.
    void binaryRead_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        QTest::newRow("executable") << "program.bin"
                                    << "1:5551234567";
        QTest::newRow("NUL bytes") << "nul.dat"
                                   << "1:5551234567";
        QTest::newRow("a document still") << "slides.odp"
                                          << "1:9075550150@slide 1 2:9075550151@slide 2, notes";
    }
    void binaryRead() {
        QFETCH(QString, file);
        QFETCH(QString, expected);
        QCOMPARE(Scan(DataFile(file), false, {.readBinary = true}), expected);
    }

    // Without pdftotext, the file fails with a message naming the package to install.
    void missingPdfProgram() {
        const QString found =
            Scan(DataFile("pages.pdf"), false, {.pdfProgram = "/nonexistent/pdftotext"});
        QVERIFY2(found.contains("poppler-utils"), qPrintable(found));
    }

    // The ordered scan hands a skipped file to its own event, not to the failures.
    void skippedIsNoFailure() {
        const Documents documents;
        ScanRules rules;
        rules.lengths = 1u << 10;
        rules.documents = &documents;
        std::vector<std::string> paths{DataFile("program.bin"), DataFile("joins.odt")};
        std::size_t next = 0;
        QStringList said;
        std::size_t numbers = 0;
        tessaly::OrderedScanEvents events;
        events.numbers = [&](std::size_t, const tessaly::ScanBatch& b) {
            numbers += b.numbers.size();
        };
        events.failure = [&](std::size_t, const std::string& d) {
            said << "failure " + QString::fromStdString(d);
        };
        events.skipped = [&](std::size_t i, const std::string&) {
            said << QStringLiteral("skipped %1").arg(i);
        };
        tessaly::ScanFilesInOrder(
            [&]() -> std::optional<std::string> {
                return next < paths.size() ? std::optional(paths[next++]) : std::nullopt;
            },
            rules, 2, events);
        QCOMPARE(said, QStringList{"skipped 0"});
        QCOMPARE(numbers, std::size_t(7));
    }
};

QTEST_APPLESS_MAIN(DocumentReadersTest)
#include "test_document_readers.moc"
