// Each document reader, one table each, on the documents make_documents.py writes: the numbers
// found and their lines (runs joined, breaks and cells apart, every place of the document read)
// or the failure said for a hostile file.

#include <QtTest>

#include "documents.h"
#include "file_number_scan.h"
#include "ordered_scan.h"

using tessaly::FileReadError;
using tessaly::PhoneNumber;
using tessaly::ScanRules;
using tessaly::documents::DocumentOptions;
using tessaly::documents::Documents;

namespace {

std::string DataFile(const QString& name) {
    return std::string(TESSALY_DOCUMENTS_DATA) + "/" + name.toStdString();
}

// "line:number" of every number found, space-separated, or "failed: <description>".
QString Scan(const std::string& path, bool separators, const DocumentOptions& options = {}) {
    const Documents documents(options);
    ScanRules rules;
    rules.lengths = 1u << 10 | 1u << 11;  // the extractor's default lengths
    rules.lineNumbers = true;
    rules.unicodeSeparators = separators;
    rules.documents = &documents;
    std::vector<PhoneNumber> numbers;
    std::vector<std::size_t> lines;
    try {
        tessaly::ScanFileNumbers(path, rules, numbers, &lines);
    } catch (const FileReadError& e) {
        return QStringLiteral("failed: ") + QString::fromStdString(e.what());
    }
    QStringList found;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        found << QStringLiteral("%1:%2").arg(lines[i]).arg(
            QString::fromStdString(std::string(numbers[i].view())));
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
    }
}

}  // namespace

class DocumentReadersTest : public QObject {
    Q_OBJECT

  private slots:
    void officeDocuments_data() {
        Columns();
        // Runs joined; a tab and a break part numbers; deleted text is not read; then the
        // header, footer, footnotes, endnotes and comments.
        QTest::newRow("word processing") << "joins.docx" << false
                                         << "1:6175550182 5:7185550100 6:4155550101 7:4155550102 "
                                            "8:4155550103 9:4155550104 10:4155550105";
        // Shared strings (runs joined, the phonetic reading left out), inline strings and
        // numbers as stored; cells part numbers; sheet2 before sheet10.
        QTest::newRow("spreadsheet")
            << "cells.xlsx" << false << "1:3035550111 2:3035550114 3:0303555011 4:3035550113";
        QTest::newRow("presentation, slides in order, then notes")
            << "slides.pptx" << false << "1:5035550121 2:5035550120 3:5035550122";
        // A span joined, <text:s c="3"/> three blanks, a tab and a line break parting, the
        // master page's header after the body.
        QTest::newRow("opendocument text")
            << "joins.odt" << false << "1:7195550130 2:7195550131 6:7195550134";
        QTest::newRow("opendocument spreadsheet") << "cells.ods" << false << "4:8085550141";
        QTest::newRow("opendocument presentation") << "slides.odp" << false << "1:9075550150";
        QTest::newRow("truncated zip")
            << "truncated.docx" << false << "failed: the document's zip is damaged";
        QTest::newRow("expands past 100 times")
            << "bomb.docx" << false << "failed: expands more than 100 times";
        QTest::newRow("entity expansion")
            << "entities.docx" << false << "failed: the document's XML is damaged";
        QTest::newRow("nested past the bound") << "deep.docx" << false << "failed: Excessive depth";
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
        QTest::newRow("message") << "message.eml" << false
                                 << "3:3125550201 5:3125550202 7:3125550200 11:3125550204";
        QTest::newRow("message, separators")
            << "message.eml" << true
            << "3:3125550201 5:3125550202 6:3125550203 7:3125550200 11:3125550204";
        QTest::newRow("mailbox") << "mailbox.mbox" << false << "4:7735550210 8:7735550211";
        QTest::newRow("enclosed past the bound")
            << "nested.eml" << false << "failed: nested too deeply";
    }

    void pdfFiles() { Check(); }
    void pdfFiles_data() {
        Columns();
        QTest::newRow("two pages") << "pages.pdf" << false << "1:4155550300 3:4155550301";
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
        QTest::newRow("a document still") << "joins.odt"
                                          << "1:7195550130 2:7195550131 6:7195550134";
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
        QCOMPARE(numbers, std::size_t(3));
    }
};

QTEST_APPLESS_MAIN(DocumentReadersTest)
#include "test_document_readers.moc"
