// Reading a file into lines: the mark table, the decodings, the two ways of splitting lines,
// and paths that are not readable files.

#include <QtTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "file_number_scan.h"
#include "file_text_reader.h"
#include "support/table_types.h"
#include "support/temp_files.h"
#include "text_encoding.h"

using namespace tessaly;
using tessaly::testing::TempFiles;

Q_DECLARE_METATYPE(tessaly::Lines)
Q_DECLARE_METATYPE(tessaly::TextEncoding)

class FileTextReaderTest : public QObject {
    Q_OBJECT

  private slots:
    void detectEncoding_data() {
        QTest::addColumn<std::string>("head");
        QTest::addColumn<TextEncoding>("encoding");
        QTest::addColumn<int>("markLength");
        auto row = [](const char* name, std::string head, TextEncoding e, int mark) {
            QTest::newRow(name) << head << e << mark;
        };
        row("empty", "", TextEncoding::EightBit, 0);
        row("one byte", "\xFF", TextEncoding::EightBit, 0);
        row("utf-32 le", std::string("\xFF\xFE\0\0", 4), TextEncoding::Utf32LE, 4);
        row("utf-32 be", std::string("\0\0\xFE\xFF", 4), TextEncoding::Utf32BE, 4);
        row("utf-8", "\xEF\xBB\xBF", TextEncoding::Utf8, 3);
        row("utf-8 two bytes only", "\xEF\xBB", TextEncoding::EightBit, 0);
        row("utf-16 le",
            "\xFF\xFE"
            "a",
            TextEncoding::Utf16LE, 2);
        row("three bytes FF FE 00", std::string("\xFF\xFE\0", 3), TextEncoding::Utf16LE, 2);
        row("utf-16 be two bytes", "\xFE\xFF", TextEncoding::Utf16BE, 2);
        row("utf-16 without mark",
            std::string("1\0"
                        "2\0",
                        4),
            TextEncoding::EightBit, 0);
    }

    void detectEncoding() {
        QFETCH(std::string, head);
        QFETCH(TextEncoding, encoding);
        QFETCH(int, markLength);
        const EncodingChoice choice = DetectEncoding(head);
        QCOMPARE(choice.encoding, encoding);
        QCOMPARE(int(choice.markLength), markLength);
    }

    void readFileLines_data() {
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<Lines>("lines");
        auto row = [](const char* name, std::string bytes, Lines lines) {
            QTest::newRow(name) << bytes << lines;
        };
        row("empty file", "", Lines{u""});
        row("utf-8 mark only", "\xEF\xBB\xBF", Lines{u""});
        row("utf-8 CR LF",
            "\xEF\xBB\xBF"
            "a\r\nb\r\n",
            Lines{u"a", u"b", u""});
        row("utf-8 LF stays inside",
            "\xEF\xBB\xBF"
            "a\nb",
            Lines{u"a\nb"});
        row("utf-8 decoded",
            "\xEF\xBB\xBF"
            "\xE2\x82\xAC"
            "1",
            Lines{u"\u20AC1"});
        row("utf-8 invalid keeps ascii",
            "\xEF\xBB\xBF"
            "\xE2\x82"
            "5\xFF",
            Lines{u"\uFFFD5\uFFFD"});
        row("8-bit windows-1252", "\x80\xE9\x81", Lines{u"\u20AC\u00E9\u0081"});
        row("8-bit line breaks", "a\r\nb\nc\rd\r\n", Lines{u"a", u"b", u"c", u"d"});
        row("utf-8 without mark is 8-bit", "\xC3\xA9", Lines{u"\u00C3\u00A9"});
        row("one byte", "7", Lines{u"7"});
        row("utf-16 le",
            std::string("\xFF\xFE"
                        "1\0\r\0\n\0"
                        "2\0",
                        10),
            Lines{u"1", u"2"});
        row("utf-16 be",
            std::string("\xFE\xFF\0"
                        "1\0"
                        "2",
                        6),
            Lines{u"12"});
        row("utf-16 be mark only", "\xFE\xFF", Lines{u""});
        row("FF FE 00 is utf-16 with odd byte", std::string("\xFF\xFE\0", 3), Lines{u"\uFFFD"});
        row("utf-16 lone surrogate",
            std::string("\xFF\xFE\x00\xD8"
                        "5\0",
                        6),
            Lines{std::u16string{char16_t(0xD800), u'5'}});
        row("utf-32 le",
            std::string("\xFF\xFE\0\0"
                        "9\0\0\0"
                        "\x0E\xF4\x01\0",
                        12),
            Lines{u"9\U0001F40E"});
        row("utf-32 be invalid",
            std::string("\0\0\xFE\xFF"
                        "\0\x11\0\0"
                        "\0\0\0"
                        "4",
                        12),
            Lines{u"\uFFFD4"});
        row("utf-16 without mark is 8-bit", std::string("5\0", 2),
            Lines{std::u16string(u"5\0", 2)});
    }

    void readFileLines() {
        QFETCH(std::string, bytes);
        QFETCH(Lines, lines);
        TempFiles files;
        QCOMPARE(ReadFileLines(files.write("f.txt", bytes)), lines);
    }

    void splitLines_data() {
        QTest::addColumn<std::u16string>("text");
        QTest::addColumn<Lines>("lines");
        QTest::newRow("empty") << std::u16string() << Lines{u""};
        QTest::newRow("no break") << std::u16string(u"abc") << Lines{u"abc"};
        QTest::newRow("ends in CR LF") << std::u16string(u"a\r\n") << Lines{u"a", u""};
        QTest::newRow("lone CR and LF stay") << std::u16string(u"a\rb\nc") << Lines{u"a\rb\nc"};
        QTest::newRow("CR CR LF") << std::u16string(u"a\r\r\nb") << Lines{u"a\r", u"b"};
    }

    void splitLines() {
        QFETCH(std::u16string, text);
        QFETCH(Lines, lines);
        QCOMPARE(SplitLines(text), lines);
    }

    void readerState() {
        TempFiles files;
        TextFileReader reader;
        QVERIFY(reader.IsUnicodeFile(files.write("a", "\xFF\xFE")));
        QVERIFY(!reader.utf8File());
        QVERIFY(!reader.IsUnicodeFile(files.write("b", "\xEF\xBB\xBF")));
        QVERIFY(reader.utf8File());
        QVERIFY(!reader.IsUnicodeFile(files.write("c", "x")));
        QVERIFY(!reader.utf8File());  // reset by every test
    }

    // Paths that are no readable file fail at once with a description naming the path, both
    // when read into lines and when streamed; nothing waits on a FIFO or reads a device.
    void unreadablePaths_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing"
                                 << "No such file or directory";
        QTest::newRow("folder") << "folder"
                                << "it is a folder, not a file";
        QTest::newRow("fifo") << "fifo"
                              << "it is a named pipe (FIFO), not a file";
        QTest::newRow("device") << "device"
                                << "it is a device, not a file";
        QTest::newRow("socket") << "socket"
                                << "it is a socket, not a file";
        QTest::newRow("empty name") << "empty"
                                    << "empty name";
    }

    void unreadablePaths() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        TempFiles files;
        std::string path = files.path("x");
        int socketFd = -1;
        if (kind == "folder") {
            path = files.folder();
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
        } else if (kind == "device") {
            path = "/dev/zero";
        } else if (kind == "socket") {
            socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un addr{};
            addr.sun_family = AF_UNIX;
            std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
            QCOMPARE(::bind(socketFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
        } else if (kind == "empty") {
            path.clear();
        }
        for (int way = 0; way < 2; ++way) {
            try {
                if (way == 0) {
                    ReadFileLines(path);
                } else {
                    std::vector<PhoneNumber> out;
                    ScanFileNumbers(path, {}, out);
                }
                QFAIL("reading did not fail");
            } catch (const FileReadError& e) {
                const QString what = QString::fromStdString(e.what());
                QVERIFY2(what.contains(reason), qPrintable(what));
                if (kind != "empty")
                    QVERIFY2(what.contains(QString::fromStdString(path)), qPrintable(what));
            }
        }
        if (socketFd >= 0) ::close(socketFd);
    }
};

QTEST_APPLESS_MAIN(FileTextReaderTest)
#include "test_file_text_reader.moc"
