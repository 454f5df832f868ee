#include "office_text.h"

#include <libxml/xmlreader.h>
#include <zip.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "document_limits.h"
#include "xml_text_reader.h"

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

// Reads one zip entry for libxml2, counting what it expands to against the document's bounds.
struct EntryStream {
    zip_file_t* file = nullptr;
    std::uint64_t stored = 0;
    std::uint64_t expanded = 0;
    std::uint64_t* documentExpanded = nullptr;
    std::string failure;

    static int Read(void* context, char* buffer, int len) {
        auto* self = static_cast<EntryStream*>(context);
        const zip_int64_t n = zip_fread(self->file, buffer, zip_uint64_t(len));
        if (n < 0) {
            self->failure = std::string("the document's zip is damaged (") +
                            zip_error_strerror(zip_file_get_error(self->file)) + ")";
            return -1;
        }
        self->expanded += std::uint64_t(n);
        *self->documentExpanded += std::uint64_t(n);
        if (*self->documentExpanded > kMaxExpandedBytes) {
            self->failure = "the document expands to more than 1 GiB; not read further";
            return -1;
        }
        if (self->expanded > kRatioFloor && self->expanded / kMaxEntryRatio > self->stored) {
            self->failure = "a part of the document expands more than 100 times; not read further";
            return -1;
        }
        return int(n);
    }
    static int Close(void*) { return 0; }
};

// Calls each(node) for every element that starts in the small XML entry `name` of the zip (a
// workbook's list of sheets, a part's relationships); nothing when it is absent or damaged: what
// it tells only names places.
template <class Each>
void ForEachStart(zip_t* zip, const std::string& name, Each&& each) {
    std::uint64_t expanded = 0;
    EntryStream stream;
    stream.file = zip_fopen(zip, name.c_str(), 0);
    if (!stream.file) return;
    stream.stored = kRatioFloor;  // small entries: the document's bound is enough
    stream.documentExpanded = &expanded;
    {
        XmlTextReader reader(&EntryStream::Read, &EntryStream::Close, &stream);
        XmlNode node;
        while (reader.next(node) == 1 && expanded <= kRatioFloor)
            if (node.isStart()) each(node);
    }
    zip_fclose(stream.file);
}

// The target of each relationship of the part `part` (its "_rels" entry), by id, as the zip
// names the entry it points at.
std::vector<std::pair<std::string, std::string>> Relationships(zip_t* zip,
                                                               const std::string& part) {
    const std::size_t slash = part.rfind('/') + 1;
    const std::string folder = part.substr(0, slash);
    std::vector<std::pair<std::string, std::string>> found;
    ForEachStart(zip, folder + "_rels/" + part.substr(slash) + ".rels", [&](const XmlNode& node) {
        if (node.localName() != "Relationship") return;
        std::string target = node.attribute("Target");
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
        found.emplace_back(node.attribute("Id"), std::move(target));
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

class OfficeText final : public DocumentText {
  public:
    OfficeText(std::string path, ZipArchive zip, OfficeKind kind, std::vector<Part> parts)
        : path_(std::move(path)), zip_(std::move(zip)), kind_(kind), parts_(std::move(parts)) {}
    ~OfficeText() override { closePart(); }

    bool read(std::string& out) override {
        const std::size_t start = out.size();
        if (keepsPlaces() && !placesNamed_) namePlaces();
        while (out.size() - start < kPieceSize) {
            if (!reader_) {
                if (next_ == parts_.size()) return false;
                if (!openPart(parts_[next_++])) continue;
                if (keepsPlaces()) enter(out, part_->place);
            }
            if (!step(out)) closePart();
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
            ForEachStart(zip, "xl/workbook.xml", [&](const XmlNode& node) {
                if (node.localName() != "sheet") return;
                const std::string id = node.attribute("id");
                for (const auto& [relation, target] : targets)
                    if (relation == id) sheetNames.emplace_back(target, node.attribute("name"));
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
        stream_ = EntryStream{};
        stream_.file = zip_fopen(zip_.get(), part.name.c_str(), 0);
        if (!stream_.file) {
            throw DocumentError(path_, "the document's zip is damaged (" +
                                           std::string(zip_strerror(zip_.get())) + ")");
        }
        stream_.stored = (stat.valid & ZIP_STAT_COMP_SIZE) ? stat.comp_size : 0;
        stream_.documentExpanded = &expanded_;
        role_ = part.role;
        part_ = &part;
        reader_ =
            std::make_unique<XmlTextReader>(&EntryStream::Read, &EntryStream::Close, &stream_);
        cell_ = Cell{};
        inText_ = 0;
        skipped_ = 0;
        row_ = 0;
        notes_ = 0;
        return true;
    }

    // The text appended from now on stands at `where`.
    void enter(const std::string& out, std::string where) {
        if (where == place_) return;
        place_ = std::move(where);
        markPlace(out.size(), place_);
    }

    void closePart() {
        reader_.reset();
        if (stream_.file) zip_fclose(stream_.file);
        stream_.file = nullptr;
    }

    // One node of the part; false at its end.
    bool step(std::string& out) {
        XmlNode node;
        const int r = reader_->next(node);
        if (r < 0) {
            throw DocumentError(path_,
                                !stream_.failure.empty()
                                    ? stream_.failure
                                    : "the document's XML is damaged (" + reader_->failure() + ")");
        }
        if (r == 0) return false;
        switch (role_) {
            case PartRole::Text:
                ooxmlText(node, out);
                break;
            case PartRole::SharedStrings:
                sharedString(node);
                break;
            case PartRole::Sheet:
                sheetCell(node, out);
                break;
            case PartRole::OpenDocument:
                openDocumentText(node, out);
                break;
        }
        return true;
    }

    // Word processing and presentation parts: text stands in <t> runs; tabs, breaks and
    // paragraph ends are elements of their own.
    void ooxmlText(const XmlNode& node, std::string& out) {
        if (node.isText()) {
            if (inText_ > 0) out += node.value();
        } else if (node.isStart()) {
            const std::string_view name = node.localName();
            if (name == "t" && !node.empty()) ++inText_;
            if (keepsPlaces() && !part_->note.empty() && name == part_->note) noteStarts(node, out);
            if (name == "tab") out += '\t';
            if (name == "br" || name == "cr") out += '\n';
            if ((name == "p" || name == "tr") && node.empty()) out += '\n';
        } else if (node.isEnd()) {
            const std::string_view name = node.localName();
            if (name == "t" && inText_ > 0) --inText_;
            if (name == "p" || name == "tr") out += '\n';
            if (name == "tc") out += '\t';
        }
    }

    // A note or comment is named by its count among those of its part, as they are numbered
    // in the document; the separators between the text and its notes are not counted.
    void noteStarts(const XmlNode& node, std::string& out) {
        const std::string type = node.attribute("type");
        if (type.empty() || type == "normal") {
            enter(out, part_->note + " " + std::to_string(++notes_));
        } else {
            enter(out, {});
        }
    }

    // One string of the table per <si>, its runs joined; phonetic readings (<rPh>) left out.
    void sharedString(const XmlNode& node) {
        const std::string_view name = node.localName();
        if (node.isText()) {
            if (inText_ > 0 && !cell_.phonetic) strings_.back() += node.value();
        } else if (node.isStart()) {
            if (name == "si") strings_.emplace_back();
            if (name == "rPh" && !node.empty()) cell_.phonetic = true;
            if (name == "t" && !node.empty() && !strings_.empty()) ++inText_;
        } else if (node.isEnd()) {
            if (name == "rPh") cell_.phonetic = false;
            if (name == "t" && inText_ > 0) --inText_;
        }
    }

    // A sheet's cells: the stored value, or the shared string it points at, or the inline string;
    // each cell ends with a tab, each row ends a line.
    void sheetCell(const XmlNode& node, std::string& out) {
        const std::string_view name = node.localName();
        if (node.isText()) {
            if (cell_.inValue) cell_.text += node.value();
        } else if (node.isStart()) {
            if (name == "c") {
                cell_ = Cell{};
                cell_.type = node.attribute("t");
                if (keepsPlaces()) cellStarts(node, out);
                if (node.empty()) out += '\t';
            } else if (name == "row" && keepsPlaces()) {
                const unsigned long row = std::strtoul(node.attribute("r").c_str(), nullptr, 10);
                row_ = row > 0 ? row : row_ + 1;
                column_ = 0;
                if (node.empty()) out += '\n';
            } else if (name == "v" || (name == "t" && cell_.type == "inlineStr")) {
                cell_.inValue = !node.empty();
            } else if (name == "row" && node.empty()) {
                out += '\n';
            }
        } else if (node.isEnd()) {
            if (name == "v" || name == "t") {
                cell_.inValue = false;
            } else if (name == "c") {
                if (cell_.type == "s") {
                    const unsigned long index = std::strtoul(cell_.text.c_str(), nullptr, 10);
                    if (index < strings_.size()) out += strings_[index];
                } else {
                    out += cell_.text;
                }
                out += '\t';
            } else if (name == "row") {
                out += '\n';
            }
        }
    }

    // A cell is named by its reference, or when it has none, as the one after the cell before.
    void cellStarts(const XmlNode& node, std::string& out) {
        const auto [row, column] = CellOf(node.attribute("r"));
        if (row > 0) row_ = row;
        column_ = column > 0 ? column : column_ + 1;
        enter(out, part_->place + ", cell " + ColumnName(column_) + std::to_string(row_));
    }

    // OpenDocument: text stands in paragraphs and headings (and their spans); <text:s c="N"/>
    // is N spaces. A note or a comment inside a paragraph stands on lines of its own, without
    // its citation mark, author or date, so that none of them joins the paragraph's numbers.
    void openDocumentText(const XmlNode& node, std::string& out) {
        const std::string_view name = node.localName();
        if (node.isText()) {
            if (inText_ > 0 && skipped_ == 0) out += node.value();
        } else if (node.isStart()) {
            if ((name == "p" || name == "h") && !node.empty()) ++inText_;
            if ((name == "p" || name == "h" || name == "table-row") && node.empty()) out += '\n';
            if (name == "tab") out += '\t';
            if (name == "line-break") out += '\n';
            if (name == "s") {
                const std::string count = node.attribute("c");
                const unsigned long n =
                    count.empty() ? 1 : std::strtoul(count.c_str(), nullptr, 10);
                out.append(std::min(n, 1024ul), ' ');
            }
            if ((name == "note-citation" || name == "creator" || name == "date") && !node.empty())
                ++skipped_;
            if ((name == "note" || name == "annotation") && !node.empty()) {
                out += '\n';
                if (keepsPlaces()) {
                    outerPlace_ = place_;
                    if (name == "annotation") {
                        enter(out, "comment " + std::to_string(++comments_));
                    } else if (node.attribute("note-class") == "endnote") {
                        enter(out, "endnote " + std::to_string(++endnotes_));
                    } else {
                        enter(out, "footnote " + std::to_string(++notes_));
                    }
                }
            }
            if (keepsPlaces()) openDocumentPlace(node, name, out);
        } else if (node.isEnd()) {
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
                if (keepsPlaces()) enter(out, outerPlace_);
            }
            if (keepsPlaces()) {
                if (name == "notes") enter(out, "slide " + std::to_string(slides_));
                if (HeaderOrFooter(name)) enter(out, {});
            }
        }
    }

    // The places of an OpenDocument: a spreadsheet's sheets and cells (rows and cells may
    // stand for several repeated ones), a presentation's slides and their notes, the master
    // pages' headers and footers.
    void openDocumentPlace(const XmlNode& node, std::string_view name, std::string& out) {
        const auto repeated = [&](std::string_view attribute) {
            const unsigned long n = std::strtoul(node.attribute(attribute).c_str(), nullptr, 10);
            return std::clamp(n, 1ul, 1ul << 30);
        };
        if (name == "table" && spreadsheet_) {
            sheet_ = node.attribute("name");
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
            enter(out, "sheet " + sheet_ + ", cell " + ColumnName(column_) + std::to_string(row_));
        } else if (name == "page" && presentation_) {
            enter(out, "slide " + std::to_string(++slides_));
        } else if (name == "notes" && presentation_) {
            enter(out, "slide " + std::to_string(slides_) + ", notes");
        } else if (HeaderOrFooter(name)) {
            enter(out, name.starts_with("header") ? "header" : "footer");
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
    bool placesNamed_ = false;
    std::size_t next_ = 0;
    EntryStream stream_;
    std::unique_ptr<XmlTextReader> reader_;
    PartRole role_ = PartRole::Text;
    const Part* part_ = nullptr;
    std::string place_;        // where the text being appended stands
    unsigned long notes_ = 0;  // notes of the part so far
    unsigned long endnotes_ = 0, comments_ = 0;
    std::string outerPlace_;                          // where an OpenDocument note stands in
    unsigned long row_ = 0, column_ = 0;              // the sheet's cell being read
    unsigned long rowsAhead_ = 1, columnsAhead_ = 1;  // what the row and cell before stand for
    std::string sheet_;
    unsigned long sheets_ = 0, slides_ = 0;
    int skipped_ = 0;  // inside elements whose text is not the document's
    bool spreadsheet_ = false, presentation_ = false;
    std::uint64_t expanded_ = 0;
    int inText_ = 0;
    Cell cell_;
    std::vector<std::string> strings_;
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
