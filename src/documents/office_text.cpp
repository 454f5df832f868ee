#include "office_text.h"

#include <zip.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "document_limits.h"
#include "xml_push_parser.h"

namespace tessaly::documents {

namespace {

struct ZipCloser {
    void operator()(zip_t* zip) const { zip_discard(zip); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipCloser>;

ZipArchive OpenZip(const std::string& path, const std::string& name) {
    int error = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (!zip) {
        zip_error_t e;
        zip_error_init_with_code(&e, error);
        const std::string reason = zip_error_strerror(&e);
        zip_error_fini(&e);
        throw DocumentError(name, "the document's zip is damaged (" + reason + ")");
    }
    return ZipArchive(zip);
}

bool HasEntry(zip_t* zip, const char* name) {
    return zip_name_locate(zip, name, 0) >= 0;
}

// The whole (small) entry `name`, at most `limit` bytes; nothing when absent.
std::optional<std::string> SmallEntry(zip_t* zip, const char* name, std::size_t limit) {
    zip_file_t* file = zip_fopen(zip, name, 0);
    if (!file) return std::nullopt;
    std::string text(limit, '\0');
    const zip_int64_t n = zip_fread(file, text.data(), limit);
    zip_fclose(file);
    text.resize(n < 0 ? 0 : std::size_t(n));
    return text;
}

// Entries whose names start with `prefix` and end in ".xml", in the order of the number in their
// names (sheet2 before sheet10).
std::vector<std::string> NumberedEntries(zip_t* zip, const std::string& prefix) {
    std::vector<std::pair<unsigned long, std::string>> found;
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(zip, zip_uint64_t(i), 0);
        if (!name || std::strncmp(name, prefix.c_str(), prefix.size()) != 0) continue;
        const std::string rest = name + prefix.size();
        if (rest.size() < 5 || rest.substr(rest.size() - 4) != ".xml") continue;
        if (rest.find('/') != std::string::npos) continue;
        unsigned long n = 0;
        for (char c : rest)
            if (c >= '0' && c <= '9') n = std::min(n * 10 + unsigned(c - '0'), 1ul << 30);
        found.emplace_back(n, name);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (auto& f : found)
        names.push_back(std::move(f.second));
    return names;
}

enum class PartRole { Text, SharedStrings, Sheet, OpenDocument };

struct Part {
    std::string name;
    PartRole role;
    // Where the part's text stands ("header", "slide 2", "sheet Sales"); empty for the body.
    std::string place = {};
    // Word processing notes and comments: the element of each one, which is also what it is
    // called ("footnote" 1, 2, ...); empty for other parts.
    std::string note = {};
};

// One zip entry streamed into a parser a chunk at a time, what it expands to counted against
// the document's bounds.
class PartStream {
  public:
    // Throws DocumentError when the entry cannot be opened; `stored` is its zipped size.
    PartStream(zip_t* zip, const std::string& entry, std::uint64_t stored,
               std::uint64_t& documentExpanded, const std::string& path)
        : file_(zip_fopen(zip, entry.c_str(), 0)),
          stored_(stored),
          documentExpanded_(documentExpanded),
          path_(path) {
        if (!file_) {
            throw DocumentError(
                path, "the document's zip is damaged (" + std::string(zip_strerror(zip)) + ")");
        }
    }
    ~PartStream() { zip_fclose(file_); }
    PartStream(const PartStream&) = delete;
    PartStream& operator=(const PartStream&) = delete;

    // Parses the next chunk of the entry; false once all of it was parsed. Throws
    // DocumentError.
    bool feed(XmlPushParser& parser) {
        const zip_int64_t n = zip_fread(file_, buffer_.data(), buffer_.size());
        if (n < 0) {
            throw DocumentError(path_, std::string("the document's zip is damaged (") +
                                           zip_error_strerror(zip_file_get_error(file_)) + ")");
        }
        expanded_ += std::uint64_t(n);
        documentExpanded_ += std::uint64_t(n);
        if (documentExpanded_ > kMaxExpandedBytes)
            throw DocumentError(path_, "the document expands to more than 1 GiB; not read further");
        if (expanded_ > kRatioFloor && expanded_ / kMaxEntryRatio > stored_) {
            throw DocumentError(
                path_, "a part of the document expands more than 100 times; not read further");
        }
        if (!parser.parse(buffer_.data(), std::size_t(n), n == 0)) {
            throw DocumentError(path_, "the document's XML is damaged (" + parser.failure() + ")");
        }
        return n > 0;
    }
    std::uint64_t expanded() const { return expanded_; }

  private:
    zip_file_t* file_;
    std::uint64_t stored_;
    std::uint64_t expanded_ = 0;
    std::uint64_t& documentExpanded_;
    const std::string& path_;
    // Large enough that reading costs little beside parsing, small enough that what one chunk
    // gives stays a small piece of text.
    std::array<char, 32 * 1024> buffer_;
};

// Calls each(name, attributes) for every element that starts in the small XML entry `entry` of
// the zip (a workbook's list of sheets, a part's relationships), up to its first MiB; nothing
// when it is absent or damaged: what it tells only names places.
template <class Each>
void ForEachStart(zip_t* zip, const std::string& entry, Each&& each) {
    struct Starts final : XmlEvents {
        explicit Starts(Each& e) : each(e) {}
        void start(std::string_view name, const XmlAttributes& attributes) override {
            each(name, attributes);
        }
        void end(std::string_view) override {}
        void text(std::string_view) override {}
        Each& each;
    } starts(each);
    if (zip_name_locate(zip, entry.c_str(), 0) < 0) return;
    try {
        std::uint64_t expanded = 0;
        PartStream stream(zip, entry, kRatioFloor, expanded, entry);
        XmlPushParser parser(starts);
        while (stream.expanded() < kRatioFloor && stream.feed(parser)) {
        }
    } catch (const FileReadError&) {
    }
}

// The target of each relationship of the part `part` (its "_rels" entry), by id, as the zip
// names the entry it points at.
std::vector<std::pair<std::string, std::string>> Relationships(zip_t* zip,
                                                               const std::string& part) {
    const std::size_t slash = part.rfind('/') + 1;
    const std::string folder = part.substr(0, slash);
    std::vector<std::pair<std::string, std::string>> found;
    ForEachStart(zip, folder + "_rels/" + part.substr(slash) + ".rels",
                 [&](std::string_view element, const XmlAttributes& attributes) {
                     if (element != "Relationship") return;
                     std::string target = attributes.value("Target");
                     if (target.starts_with("/")) {
                         target.erase(0, 1);
                     } else {
                         target = folder + target;
                         // "../slides/slide3.xml" from "ppt/notesSlides/"
                         for (std::size_t up; (up = target.find("/../")) != std::string::npos;) {
                             const std::size_t parent = target.rfind('/', up - 1);
                             target.erase(parent == std::string::npos ? 0 : parent + 1,
                                          up + 4 - (parent == std::string::npos ? 0 : parent + 1));
                         }
                     }
                     found.emplace_back(attributes.value("Id"), std::move(target));
                 });
    return found;
}

// A master page's header or footer (left and first pages' included).
bool HeaderOrFooter(std::string_view name) {
    for (const std::string_view kind : {"header", "footer"})
        if (name == kind || (name.starts_with(kind) && (name.substr(kind.size()) == "-left" ||
                                                        name.substr(kind.size()) == "-first")))
            return true;
    return false;
}

// A spreadsheet's column as its user names it: 1 is A, 27 is AA.
std::string ColumnName(unsigned long column) {
    std::string name;
    for (; column > 0; column = (column - 1) / 26)
        name.insert(name.begin(), char('A' + (column - 1) % 26));
    return name;
}

// The row and column of a cell reference such as "B7" (0 for a part absent or not a number).
std::pair<unsigned long, unsigned long> CellOf(std::string_view ref) {
    unsigned long column = 0, row = 0;
    for (const char c : ref) {
        if (c >= 'A' && c <= 'Z') column = std::min(column * 26 + unsigned(c - 'A' + 1), 1ul << 30);
        if (c >= '0' && c <= '9') row = std::min(row * 10 + unsigned(c - '0'), 1ul << 30);
    }
    return {row, column};
}

class OfficeText final : public DocumentText, private XmlEvents {
  public:
    OfficeText(std::string path, ZipArchive zip, OfficeKind kind, std::vector<Part> parts)
        : path_(std::move(path)), zip_(std::move(zip)), kind_(kind), parts_(std::move(parts)) {}

    bool read(std::string& out) override {
        out_ = &out;
        const std::size_t start = out.size();
        if (keepsPlaces() && !placesNamed_) namePlaces();
        while (out.size() - start < kPieceSize) {
            if (!parser_) {
                if (next_ == parts_.size()) return false;
                if (!openPart(parts_[next_++])) continue;
                if (keepsPlaces()) enter(part_->place);
            }
            if (!stream_->feed(*parser_)) closePart();
        }
        return true;
    }

  private:
    // Where each part's text stands, read once from the document's own lists when places are
    // kept: the sheets' names, which slide each page of notes belongs to.
    void namePlaces() {
        placesNamed_ = true;
        zip_t* zip = zip_.get();
        std::size_t sheets = 0, slides = 0, notes = 0;
        std::vector<std::pair<std::string, std::string>> sheetNames;  // entry, name
        if (kind_ == OfficeKind::Spreadsheet) {
            const auto targets = Relationships(zip, "xl/workbook.xml");
            ForEachStart(zip, "xl/workbook.xml",
                         [&](std::string_view element, const XmlAttributes& attributes) {
                             if (element != "sheet") return;
                             const std::string id = attributes.value("id");
                             for (const auto& [relation, target] : targets)
                                 if (relation == id)
                                     sheetNames.emplace_back(target, attributes.value("name"));
                         });
        }
        if (kind_ == OfficeKind::OpenDocument) {
            const std::string type = SmallEntry(zip, "mimetype", 128).value_or("");
            spreadsheet_ =
                type.ends_with(".spreadsheet") || type.ends_with(".spreadsheet-template");
            presentation_ =
                type.ends_with(".presentation") || type.ends_with(".presentation-template");
        }
        for (Part& part : parts_) {
            const std::string& name = part.name;
            if (part.role == PartRole::Sheet) {
                part.place = "sheet " + std::to_string(++sheets);
                for (const auto& [entry, sheet] : sheetNames)
                    if (entry == name) part.place = "sheet " + sheet;
            } else if (name.starts_with("word/header")) {
                part.place = "header";
            } else if (name.starts_with("word/footer")) {
                part.place = "footer";
            } else if (name.starts_with("word/") && name != "word/document.xml") {
                // footnotes.xml holds the footnotes, endnotes.xml the endnotes, ...
                part.note = name.substr(5, name.size() - 10);
            } else if (name.starts_with("ppt/slides/")) {
                part.place = "slide " + std::to_string(++slides);
            } else if (name.starts_with("ppt/notesSlides/")) {
                part.place = "notes " + std::to_string(++notes);
                for (const auto& [relation, target] : Relationships(zip, name))
                    for (std::size_t i = 0; i < slides; ++i)
                        if (parts_[i].name == target)
                            part.place = "slide " + std::to_string(i + 1) + ", notes";
            }
        }
    }

    bool openPart(const Part& part) {
        zip_stat_t stat;
        if (zip_stat(zip_.get(), part.name.c_str(), 0, &stat) != 0) return false;
        stream_ = std::make_unique<PartStream>(
            zip_.get(), part.name, (stat.valid & ZIP_STAT_COMP_SIZE) ? stat.comp_size : 0,
            expanded_, path_);
        parser_ = std::make_unique<XmlPushParser>(static_cast<XmlEvents&>(*this));
        role_ = part.role;
        part_ = &part;
        cell_ = Cell{};
        inText_ = 0;
        skipped_ = 0;
        row_ = 0;
        notes_ = 0;
        return true;
    }

    void closePart() {
        parser_.reset();
        stream_.reset();
    }

    // The text appended from now on stands at `where`.
    void enter(std::string_view where) { enterPlace(out_->size(), where); }

    void start(std::string_view name, const XmlAttributes& attributes) override {
        switch (role_) {
            case PartRole::Text:
                return ooxmlStart(name, attributes);
            case PartRole::SharedStrings:
                if (name == "si") strings_.emplace_back();
                if (name == "rPh") cell_.phonetic = true;
                if (name == "t" && !strings_.empty()) ++inText_;
                return;
            case PartRole::Sheet:
                return cellStart(name, attributes);
            case PartRole::OpenDocument:
                return openDocumentStart(name, attributes);
        }
    }

    void end(std::string_view name) override {
        std::string& out = *out_;
        switch (role_) {
            case PartRole::Text:
                if (name == "t" && inText_ > 0) --inText_;
                if (name == "p" || name == "tr") out += '\n';
                if (name == "tc") out += '\t';
                return;
            case PartRole::SharedStrings:
                if (name == "rPh") cell_.phonetic = false;
                if (name == "t" && inText_ > 0) --inText_;
                return;
            case PartRole::Sheet:
                return cellEnd(name);
            case PartRole::OpenDocument:
                return openDocumentEnd(name);
        }
    }

    void text(std::string_view text) override {
        switch (role_) {
            case PartRole::Text:
                if (inText_ > 0) *out_ += text;
                return;
            case PartRole::SharedStrings:
                if (inText_ > 0 && !cell_.phonetic) strings_.back() += text;
                return;
            case PartRole::Sheet:
                if (cell_.inValue) cell_.text += text;
                return;
            case PartRole::OpenDocument:
                if (inText_ > 0 && skipped_ == 0) *out_ += text;
                return;
        }
    }

    // Word processing and presentation parts: text stands in <t> runs; tabs, breaks and
    // paragraph ends are elements of their own; table cells end with a tab, rows end lines.
    void ooxmlStart(std::string_view name, const XmlAttributes& attributes) {
        if (name == "t") ++inText_;
        if (name == "tab") *out_ += '\t';
        if (name == "br" || name == "cr") *out_ += '\n';
        // A note or comment is named by its count among those of its part, as they are
        // numbered in the document; the separators between the text and its notes are not
        // counted.
        if (keepsPlaces() && !part_->note.empty() && name == part_->note) {
            const std::string type = attributes.value("type");
            if (type.empty() || type == "normal") {
                enter(part_->note + " " + std::to_string(++notes_));
            } else {
                enter({});
            }
        }
    }

    // A sheet's cells: the stored value, or the shared string it points at, or the inline
    // string; each cell ends with a tab, each row ends a line. A cell is named by its
    // reference, or when it has none, as the one after the cell before.
    void cellStart(std::string_view name, const XmlAttributes& attributes) {
        if (name == "c") {
            // Emptied rather than made anew, so that no cell allocates.
            cell_.text.clear();
            cell_.inValue = false;
            cell_.type = attributes.value("t");
            if (keepsPlaces()) {
                const auto [row, column] = CellOf(attributes.value("r"));
                if (row > 0) row_ = row;
                column_ = column > 0 ? column : column_ + 1;
                enter(part_->place + ", cell " + ColumnName(column_) + std::to_string(row_));
            }
        } else if (name == "v" || (name == "t" && cell_.type == "inlineStr")) {
            cell_.inValue = true;
        } else if (name == "row" && keepsPlaces()) {
            const unsigned long row = CellOf(attributes.value("r")).first;
            row_ = row > 0 ? row : row_ + 1;
            column_ = 0;
        }
    }

    void cellEnd(std::string_view name) {
        std::string& out = *out_;
        if (name == "v" || name == "t") {
            cell_.inValue = false;
        } else if (name == "c") {
            if (cell_.type != "s") {
                out += cell_.text;
            } else if (!cell_.text.empty()) {
                const unsigned long index = std::strtoul(cell_.text.c_str(), nullptr, 10);
                if (index < strings_.size()) out += strings_[index];
            }
            out += '\t';
        } else if (name == "row") {
            out += '\n';
        }
    }

    // OpenDocument: text stands in paragraphs and headings (and their spans); <text:s c="N"/>
    // is N spaces. A note or a comment inside a paragraph stands on lines of its own, without
    // its citation mark, author or date, so that none of them joins the paragraph's numbers.
    void openDocumentStart(std::string_view name, const XmlAttributes& attributes) {
        std::string& out = *out_;
        if (name == "p" || name == "h") ++inText_;
        if (name == "tab") out += '\t';
        if (name == "line-break") out += '\n';
        if (name == "s") {
            const std::string count = attributes.value("c");
            const unsigned long n = count.empty() ? 1 : std::strtoul(count.c_str(), nullptr, 10);
            out.append(std::min(n, 1024ul), ' ');
        }
        if (name == "note-citation" || name == "creator" || name == "date") ++skipped_;
        if (name == "note" || name == "annotation") {
            out += '\n';
            if (keepsPlaces()) {
                outerPlace_ = place();
                if (name == "annotation") {
                    enter("comment " + std::to_string(++comments_));
                } else if (attributes.value("note-class") == "endnote") {
                    enter("endnote " + std::to_string(++endnotes_));
                } else {
                    enter("footnote " + std::to_string(++notes_));
                }
            }
        }
        if (keepsPlaces()) openDocumentPlace(name, attributes);
    }

    void openDocumentEnd(std::string_view name) {
        std::string& out = *out_;
        if ((name == "p" || name == "h") && inText_ > 0) {
            --inText_;
            out += '\n';
        }
        if (name == "table-row") out += '\n';
        if (name == "table-cell") out += '\t';
        if ((name == "note-citation" || name == "creator" || name == "date") && skipped_ > 0)
            --skipped_;
        if (name == "note" || name == "annotation") {
            out += '\n';
            if (keepsPlaces()) enter(outerPlace_);
        }
        if (keepsPlaces()) {
            if (name == "notes") enter("slide " + std::to_string(slides_));
            if (HeaderOrFooter(name)) enter({});
        }
    }

    // The places of an OpenDocument: a spreadsheet's sheets and cells (rows and cells may
    // stand for several repeated ones), a presentation's slides and their notes, the master
    // pages' headers and footers.
    void openDocumentPlace(std::string_view name, const XmlAttributes& attributes) {
        const auto repeated = [&](std::string_view attribute) {
            const unsigned long n = std::strtoul(attributes.value(attribute).c_str(), nullptr, 10);
            return std::clamp(n, 1ul, 1ul << 30);
        };
        if (name == "table" && spreadsheet_) {
            sheet_ = attributes.value("name");
            ++sheets_;
            if (sheet_.empty()) sheet_ = std::to_string(sheets_);
            row_ = 0;
            rowsAhead_ = 1;
        } else if (name == "table-row") {
            row_ += rowsAhead_;
            rowsAhead_ = repeated("number-rows-repeated");
            column_ = 0;
            columnsAhead_ = 1;
        } else if ((name == "table-cell" || name == "covered-table-cell") && spreadsheet_) {
            column_ += columnsAhead_;
            columnsAhead_ = repeated("number-columns-repeated");
            enter("sheet " + sheet_ + ", cell " + ColumnName(column_) + std::to_string(row_));
        } else if (name == "page" && presentation_) {
            enter("slide " + std::to_string(++slides_));
        } else if (name == "notes" && presentation_) {
            enter("slide " + std::to_string(slides_) + ", notes");
        } else if (HeaderOrFooter(name)) {
            enter(name.starts_with("header") ? "header" : "footer");
        }
    }

    struct Cell {
        std::string type;
        std::string text;
        bool inValue = false;
        bool phonetic = false;
    };

    std::string path_;
    ZipArchive zip_;
    OfficeKind kind_;
    std::vector<Part> parts_;
    std::size_t next_ = 0;
    std::uint64_t expanded_ = 0;
    // The part being read: its entry and the parser it is fed to.
    std::unique_ptr<PartStream> stream_;
    std::unique_ptr<XmlPushParser> parser_;
    const Part* part_ = nullptr;
    PartRole role_ = PartRole::Text;
    std::string* out_ = nullptr;  // where the read going on appends text
    int inText_ = 0;
    int skipped_ = 0;  // inside elements whose text is not the document's
    Cell cell_;
    std::vector<std::string> strings_;

    // Places, when kept.
    bool placesNamed_ = false;
    std::string outerPlace_;                                 // where an OpenDocument note stands in
    unsigned long notes_ = 0, endnotes_ = 0, comments_ = 0;  // notes and comments so far
    unsigned long row_ = 0, column_ = 0;                     // the sheet's cell being read
    unsigned long rowsAhead_ = 1, columnsAhead_ = 1;  // what the row and cell before stand for
    std::string sheet_;
    unsigned long sheets_ = 0, slides_ = 0;
    bool spreadsheet_ = false, presentation_ = false;
};

}  // namespace

std::optional<OfficeKind> OfficeKindOf(const std::string& path, const std::string& name) {
    const ZipArchive zip = OpenZip(path, name);
    if (HasEntry(zip.get(), "word/document.xml")) return OfficeKind::WordProcessing;
    if (HasEntry(zip.get(), "xl/workbook.xml")) return OfficeKind::Spreadsheet;
    if (HasEntry(zip.get(), "ppt/presentation.xml")) return OfficeKind::Presentation;
    if (const auto type = SmallEntry(zip.get(), "mimetype", 128);
        type && type->starts_with("application/vnd.oasis.opendocument.") &&
        HasEntry(zip.get(), "content.xml")) {
        return OfficeKind::OpenDocument;
    }
    return std::nullopt;
}

std::unique_ptr<DocumentText> OpenOfficeText(const std::string& path, const std::string& name,
                                             OfficeKind kind) {
    ZipArchive zip = OpenZip(path, name);
    std::vector<Part> parts;
    const auto add = [&](const std::vector<std::string>& names, PartRole role) {
        for (const std::string& name : names)
            parts.push_back({name, role});
    };
    switch (kind) {
        case OfficeKind::WordProcessing:
            parts.push_back({"word/document.xml", PartRole::Text});
            add(NumberedEntries(zip.get(), "word/header"), PartRole::Text);
            add(NumberedEntries(zip.get(), "word/footer"), PartRole::Text);
            for (const char* name :
                 {"word/footnotes.xml", "word/endnotes.xml", "word/comments.xml"})
                parts.push_back({name, PartRole::Text});
            break;
        case OfficeKind::Spreadsheet:
            parts.push_back({"xl/sharedStrings.xml", PartRole::SharedStrings});
            add(NumberedEntries(zip.get(), "xl/worksheets/sheet"), PartRole::Sheet);
            break;
        case OfficeKind::Presentation:
            add(NumberedEntries(zip.get(), "ppt/slides/slide"), PartRole::Text);
            add(NumberedEntries(zip.get(), "ppt/notesSlides/notesSlide"), PartRole::Text);
            break;
        case OfficeKind::OpenDocument:
            // The body, then the master pages' headers and footers.
            parts.push_back({"content.xml", PartRole::OpenDocument});
            parts.push_back({"styles.xml", PartRole::OpenDocument});
            break;
    }
    return std::make_unique<OfficeText>(name, std::move(zip), kind, std::move(parts));
}

}  // namespace tessaly::documents
