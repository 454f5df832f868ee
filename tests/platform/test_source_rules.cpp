// Rules the whole program keeps, checked on its sources: each layer includes only the headers
// of the layers it may use (the table in Layers below, as the README states it); no command
// interpreter or other program is ever started, but pdftotext by the PDF reader; web pages and
// folders are opened only by the shell launcher, and it is asked only for the product's own pages
// and the sample folder; every format string handed to a printf-style function is a literal, so no
// text from a file, the settings or the user is ever read as one.

#include <QRegularExpression>
#include <QtTest>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

std::filesystem::path SourceFolder() {
    // The tests' data folder is <root>/tests/data.
    return std::filesystem::path(qEnvironmentVariable("TESSALY_TEST_DATA").toStdString())
               .parent_path()
               .parent_path() /
           "src";
}

// The text with comments blanked out, and the insides of string and character literals too
// when asked; line breaks stay, so every position keeps its line.
std::string Code(const std::string& text, bool blankLiterals) {
    std::string out = text;
    enum { kCode, kLine, kBlock, kString, kChar } state = kCode;
    const auto blank = [&](std::size_t at) {
        if (text[at] != '\n') out[at] = ' ';
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        switch (state) {
            case kCode:
                if (c == '/' && next == '/') {
                    state = kLine;
                    blank(i);
                } else if (c == '/' && next == '*') {
                    state = kBlock;
                    blank(i), blank(++i);
                } else if (c == '"') {
                    state = kString;
                } else if (c == '\'') {
                    state = kChar;
                }
                break;
            case kLine:
                if (c == '\n') state = kCode;
                blank(i);
                break;
            case kBlock:
                blank(i);
                if (c == '*' && next == '/') blank(++i), state = kCode;
                break;
            case kString:
            case kChar:
                if (c == (state == kString ? '"' : '\'')) {
                    state = kCode;
                    break;
                }
                if (blankLiterals) blank(i);
                if (c == '\\' && i + 1 < text.size() && blankLiterals)
                    blank(++i);
                else if (c == '\\')
                    ++i;
                break;
        }
    }
    return out;
}

// The arguments of the call whose "(" stands at `open`, split at the top level.
Strings Arguments(const std::string& code, std::size_t open) {
    Strings args(1);
    int depth = 0;
    for (std::size_t i = open + 1; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '(' || c == '[' || c == '{') ++depth;
        if (c == ')' || c == ']' || c == '}') {
            if (depth == 0) break;
            --depth;
        }
        if (c == ',' && depth == 0) {
            args.emplace_back();
            continue;
        }
        args.back() += c;
    }
    for (std::string& a : args) {
        a.erase(0, a.find_first_not_of(" \t\n"));
        a.erase(a.find_last_not_of(" \t\n") + 1);
    }
    return args;
}

struct Source {
    std::string name;  // below src/
    std::string code;  // comments blanked
    std::string bare;  // comments and literals blanked
};

Source FromText(std::string name, const std::string& text) {
    return {std::move(name), Code(text, false), Code(text, true)};
}

std::vector<Source> Sources() {
    std::vector<Source> sources;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(SourceFolder())) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".cpp" && ext != ".h") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        sources.push_back(
            FromText(std::filesystem::relative(entry.path(), SourceFolder()).string(), text));
    }
    return sources;
}

std::string Where(const Source& s, std::size_t at) {
    const auto line = std::count(s.code.begin(), s.code.begin() + std::ptrdiff_t(at), '\n') + 1;
    const std::size_t start = s.code.rfind('\n', at) + 1;
    return s.name + ":" + std::to_string(line) + ": " +
           s.code.substr(start, s.code.find('\n', at) - start);
}

// A rule: the calls looked for (in code without literals); the one file that may hold them, or
// an argument of each call and what it must be.
struct Rule {
    QRegularExpression call;
    std::string allowedIn;
    int argument = -1;
    QRegularExpression wanted;
};

// Where `sources` break `rule`.
Strings Broken(const std::vector<Source>& sources, const Rule& rule) {
    Strings broken;
    for (const Source& s : sources) {
        // Latin-1 keeps one unit per byte, so positions are the same in both texts.
        for (auto it = rule.call.globalMatch(QString::fromLatin1(s.bare)); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const std::size_t at = std::size_t(m.capturedStart());
            if (rule.argument < 0) {
                if (s.name != rule.allowedIn) broken.push_back(Where(s, at));
                continue;
            }
            const Strings args = Arguments(s.code, std::size_t(m.capturedEnd()) - 1);
            const std::size_t n = std::size_t(rule.argument);
            const std::string argument = n < args.size() ? args[n] : "";
            if (!rule.wanted.match(QString::fromLatin1(argument)).hasMatch()) {
                broken.push_back(Where(s, at));
            }
        }
    }
    return broken;
}

// The layer a source below src/ belongs to: its folder, with the platform's Qt and POSIX
// implementations apart from the interfaces, and the engine's three parts apart from each other.
std::string LayerOf(const std::string& name) {
    for (const char* own :
         {"platform/qt/", "platform/posix/", "engine/scan/", "engine/text/", "engine/run/"}) {
        if (name.rfind(own, 0) == 0) return std::string(own, std::strlen(own) - 1);
    }
    return name.substr(0, name.find('/'));
}

// Who may include whose headers. Qt's headers count as the layer "Qt".
const std::map<std::string, std::set<std::string>>& Layers() {
    static constexpr const char* kScan = "engine/scan";
    static constexpr const char* kText = "engine/text";
    static constexpr const char* kRun = "engine/run";
    static const std::map<std::string, std::set<std::string>> layers{
        {"engine/scan", {"engine/scan"}},
        {"engine/text", {"engine/text", "engine/scan"}},
        {"engine/run", {"engine/run", "engine/text", "engine/scan", "platform"}},
        {"platform", {"platform"}},
        {"platform/posix", {"platform/posix", "platform"}},
        // The window's writers keep the one rule for writing a path, which the extractor shares.
        {"platform/qt", {"platform/qt", "platform", "platform/posix", "Qt"}},
        // Documents become text for the scan: they know how text is told, not how it is scanned.
        {"documents", {"documents", kText, kScan}},
        {"inputs", {"inputs", kScan, kText, kRun, "platform"}},
        {"results", {"results", kScan, kText, kRun, "platform"}},
        {"numbers", {"numbers", kScan}},
        {"cli",
         {"cli", kScan, kText, kRun, "documents", "inputs", "results", "numbers", "platform",
          "platform/posix"}},
        {"shell",
         {"shell", kScan, kText, kRun, "documents", "inputs", "results", "numbers", "platform",
          "platform/posix", "platform/qt", "Qt"}},
    };
    return layers;
}

// Where the includes of `sources` cross the layers' rule. A quoted include names a header of
// the including file's own folder, "platform/<interface>.h", or a header of another layer
// found by its name; an angle include of a Qt header belongs to Qt.
Strings LayerBreaches(const std::vector<Source>& sources, const std::vector<Source>& all) {
    std::map<std::string, std::string> owner;  // header name -> its layer
    for (const Source& s : all) {
        const std::string file = s.name.substr(s.name.rfind('/') + 1);
        if (file.size() > 2 && file.substr(file.size() - 2) == ".h") owner[file] = LayerOf(s.name);
    }
    static const QRegularExpression include(
        QStringLiteral("^[ \\t]*#[ \\t]*include[ \\t]*([<\"])([^>\"]+)[>\"]"),
        QRegularExpression::MultilineOption);
    Strings broken;
    for (const Source& s : sources) {
        const std::string layer = LayerOf(s.name);
        const auto allowed = Layers().find(layer);
        for (auto it = include.globalMatch(QString::fromLatin1(s.code)); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const std::string target = m.captured(2).toStdString();
            std::string used;
            if (m.captured(1) == QLatin1String("<")) {
                if (target[0] == 'Q') used = "Qt";
            } else if (target.rfind("platform/", 0) == 0) {
                used = "platform";
            } else if (target.find('/') != std::string::npos) {
                used = "?";  // a path into another layer's folder
            } else if (const auto found = owner.find(target); found != owner.end()) {
                used = found->second;
            }
            if (used.empty() || used == layer) continue;
            if (allowed == Layers().end() || !allowed->second.count(used)) {
                broken.push_back(Where(s, std::size_t(m.capturedStart())) + " (" + layer +
                                 " may not use " + used + ")");
            }
        }
    }
    return broken;
}

}  // namespace

class SourceRulesTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY(Sources().size() > 50); }

    // "pattern", "allowedIn", "argument", "mustMatch": the rule (see Rule); "breach": code that
    // breaks it, to show the rule does catch what it is meant to.
    void rules_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("allowedIn");
        QTest::addColumn<int>("argument");
        QTest::addColumn<QString>("mustMatch");
        QTest::addColumn<QString>("breach");
        const QString programs =
            "\\b(system|popen|execl|execle|execlp|execv|execve|execvp|execvpe|posix_spawnp?|"
            "fork|vfork|wordexp|ShellExecute\\w*|QProcess)\\b";
        // pdftotext reads PDF files in a process of its own, started by one file only.
        QTest::newRow("no command interpreter, no other program but pdftotext")
            << programs << "documents/pdf_text.cpp" << -1 << ""
            << "std::system((\"xdg-open \" + path).c_str());";
        QTest::newRow("the desktop is asked only by the shell launcher")
            << "\\bopenUrl\\s*\\("
            << "platform/qt/qt_shell_launcher.cpp" << -1 << ""
            << "QDesktopServices::openUrl(QUrl(line));";
        QTest::newRow("web pages: the product's own pages only")
            << "\\.openWebAddress\\s*\\("
            << "" << 0 << "^pageAddress\\(k(HomePage|FormattingPage)File\\)$"
            << "services_.shell.openWebAddress(settings.readOr(\"Page\", \"\"));";
        QTest::newRow("folders: the sample folder and a result's folder only")
            << "\\.openFolder\\s*\\("
            << "" << 0 << "^(sampleFolder\\(\\)|ContainingFolder\\(source\\.file->path\\))$"
            << "services_.shell.openFolder(record);";
        const auto formats = [](std::initializer_list<const char*> names, int argument,
                                const QString& before) {
            for (const char* name : names) {
                QTest::newRow(qPrintable(QStringLiteral("%1 formats are literals").arg(name)))
                    << QStringLiteral("\\b%1\\s*\\(").arg(name) << "" << argument
                    << (argument == 0 ? "^(\"|$)" : "^\"")
                    << QStringLiteral("std::%1(%2text.c_str());").arg(name, before);
            }
        };
        formats(
            {"printf", "vprintf", "asprintf", "qDebug", "qInfo", "qWarning", "qCritical", "qFatal"},
            0, "");
        formats({"fprintf", "sprintf", "vfprintf", "vsprintf", "dprintf", "syslog"}, 1, "out, ");
        formats({"snprintf", "vsnprintf"}, 2, "buffer, size, ");
    }

    // "file", "line": an include that crosses the layers' rule, planted to show the check
    // catches it; then the real sources must hold none.
    void layers_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("line");
        QTest::newRow("engine uses results") << "engine/run/breach.cpp"
                                             << "#include \"result_list.h\"";
        QTest::newRow("engine uses documents") << "engine/run/breach.cpp"
                                               << "#include \"documents.h\"";
        QTest::newRow("documents use the run") << "documents/breach.cpp"
                                               << "#include \"ordered_scan.h\"";
        QTest::newRow("engine uses Qt") << "engine/text/breach.h"
                                        << "#include <QString>";
        QTest::newRow("scanner uses text") << "engine/scan/breach.cpp"
                                           << "#include \"text_encoding.h\"";
        QTest::newRow("scanner uses the platform") << "engine/scan/breach.cpp"
                                                   << "#include \"platform/error_box.h\"";
        QTest::newRow("text uses the run") << "engine/text/breach.cpp"
                                           << "#include \"error_report.h\"";
        QTest::newRow("results uses inputs") << "results/breach.cpp"
                                             << "#include \"input_list.h\"";
        QTest::newRow("inputs uses the shell") << "inputs/breach.cpp"
                                               << "#include \"main_window.h\"";
        QTest::newRow("Qt pieces use the engine") << "platform/qt/breach.cpp"
                                                  << "#include \"error_report.h\"";
        QTest::newRow("a path into another folder") << "results/breach.cpp"
                                                    << "#include \"engine/phone_number.h\"";
    }

    void layers() {
        QFETCH(QString, file);
        QFETCH(QString, line);
        const std::vector<Source> all = Sources();
        const Source breach = FromText(file.toStdString(), line.toStdString() + "\n");
        QCOMPARE(LayerBreaches({breach}, all).size(), std::size_t(1));
        const Strings broken = LayerBreaches(all, all);
        QVERIFY2(broken.empty(), broken.empty() ? "" : broken.front().c_str());
    }

    void rules() {
        QFETCH(QString, pattern);
        QFETCH(QString, allowedIn);
        QFETCH(int, argument);
        QFETCH(QString, mustMatch);
        QFETCH(QString, breach);
        const Rule rule{QRegularExpression(pattern), allowedIn.toStdString(), argument,
                        QRegularExpression(mustMatch)};
        QVERIFY(rule.call.isValid() && rule.wanted.isValid());
        QCOMPARE(Broken({FromText("shell/breach.cpp",
                                  "void F() {\n    " + breach.toStdString() + "\n}\n")},
                        rule)
                     .size(),
                 std::size_t(1));
        const Strings broken = Broken(Sources(), rule);
        QVERIFY2(broken.empty(), broken.empty() ? "" : broken.front().c_str());
    }
};

QTEST_APPLESS_MAIN(SourceRulesTest)
#include "test_source_rules.moc"
