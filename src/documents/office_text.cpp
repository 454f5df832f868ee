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

class OfficeText final : public DocumentText {
  public:
    OfficeText(std::string path, ZipArchive zip, std::vector<Part> parts)
        : path_(std::move(path)), zip_(std::move(zip)), parts_(std::move(parts)) {}
    ~OfficeText() override { closePart(); }

    bool read(std::string& out) override {
        const std::size_t start = out.size();
        while (out.size() - start < kPieceSize) {
            if (!reader_) {
                if (next_ == parts_.size()) return false;
                if (!openPart(parts_[next_++])) continue;
            }
            if (!step(out)) closePart();
        }
        return true;
    }

  private:
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
        reader_ =
            std::make_unique<XmlTextReader>(&EntryStream::Read, &EntryStream::Close, &stream_);
        cell_ = Cell{};
        inText_ = 0;
        return true;
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
                if (node.empty()) out += '\t';
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

    // OpenDocument: text stands in paragraphs and headings (and their spans); <text:s c="N"/>
    // is N spaces.
    void openDocumentText(const XmlNode& node, std::string& out) {
        const std::string_view name = node.localName();
        if (node.isText()) {
            if (inText_ > 0) out += node.value();
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
        } else if (node.isEnd()) {
            if ((name == "p" || name == "h") && inText_ > 0) {
                --inText_;
                out += '\n';
            }
            if (name == "table-row") out += '\n';
            if (name == "table-cell") out += '\t';
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
    std::vector<Part> parts_;
    std::size_t next_ = 0;
    EntryStream stream_;
    std::unique_ptr<XmlTextReader> reader_;
    PartRole role_ = PartRole::Text;
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
    return std::make_unique<OfficeText>(name, std::move(zip), std::move(parts));
}

}  // namespace tessaly::documents
