#include "mail_text.h"

#include <fcntl.h>
#include <gmime/gmime.h>
#include <strings.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "document_limits.h"
#include "html_text.h"

namespace tessaly::documents {

namespace {

// GMime's objects are reference counted; this drops one reference when it goes.
template <class T>
struct GObjectRef {
    T* object = nullptr;
    explicit GObjectRef(T* o = nullptr) : object(o) {}
    ~GObjectRef() {
        if (object) g_object_unref(object);
    }
    GObjectRef(const GObjectRef&) = delete;
    GObjectRef& operator=(const GObjectRef&) = delete;
    T* get() const { return object; }
};

void InitialiseGMime() {
    static std::once_flag once;
    std::call_once(once, [] { g_mime_init(); });
}

// A part's content, its transfer encoding undone and, for text, converted to UTF-8.
std::string DecodedContent(GMimePart* part, bool asText) {
    GMimeDataWrapper* content = g_mime_part_get_content(part);
    if (!content) return {};
    GObjectRef<GMimeStream> memory(g_mime_stream_mem_new());
    GObjectRef<GMimeStream> filtered(g_mime_stream_filter_new(memory.get()));
    const char* charset = g_mime_object_get_content_type_parameter(GMIME_OBJECT(part), "charset");
    if (asText && charset && strcasecmp(charset, "utf-8") != 0 &&
        strcasecmp(charset, "us-ascii") != 0) {
        if (GMimeFilter* convert = g_mime_filter_charset_new(charset, "UTF-8")) {
            g_mime_stream_filter_add(GMIME_STREAM_FILTER(filtered.get()), convert);
            g_object_unref(convert);
        }
    }
    g_mime_data_wrapper_write_to_stream(content, filtered.get());
    g_mime_stream_flush(filtered.get());
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(memory.get()));
    return bytes ? std::string(reinterpret_cast<const char*>(bytes->data), bytes->len)
                 : std::string();
}

// A place within a place: "attachment a.eml, attachment report.docx, page 2".
std::string Within(std::string_view outer, std::string_view inner) {
    if (outer.empty() || inner.empty()) return std::string(outer.empty() ? inner : outer);
    return std::string(outer) + ", " + std::string(inner);
}

class MailText final : public DocumentText {
  public:
    MailText(const std::string& path, std::string name, bool mailbox, int depth,
             NestedReader nested)
        : path_(std::move(name)), depth_(depth), nested_(std::move(nested)) {
        InitialiseGMime();
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) throw DocumentError(path_, std::strerror(errno));
        stream_.object = g_mime_stream_fs_new(fd);  // owns fd from here
        parser_.object = g_mime_parser_new_with_stream(stream_.get());
        g_mime_parser_set_format(parser_.get(), mailbox ? GMIME_FORMAT_MBOX : GMIME_FORMAT_MESSAGE);
        mailbox_ = mailbox;
    }

    bool read(std::string& out) override {
        if (done_) return false;
        GObjectRef<GMimeMessage> message(g_mime_parser_construct_message(parser_.get(), nullptr));
        if (!message.get()) {
            done_ = true;
            if (!read_) throw DocumentError(path_, "the e-mail message is damaged");
            return false;
        }
        read_ = true;
        parts_ = 0;
        // A mailbox's messages are counted; a message file is one message.
        if (mailbox_) enterPlace(out.size(), "message " + std::to_string(++messages_));
        messageText(message.get(), depth_, out);
        done_ = !mailbox_ || g_mime_parser_eos(parser_.get());
        return !done_;
    }

  private:
    void messageText(GMimeMessage* message, int depth, std::string& out) {
        static const char* const kHeaders[] = {"From", "To", "Cc", "Reply-To", "Subject"};
        GMimeHeaderList* headers = g_mime_object_get_header_list(GMIME_OBJECT(message));
        for (const char* name : kHeaders) {
            GMimeHeader* header = g_mime_header_list_get_header(headers, name);
            const char* raw = header ? g_mime_header_get_raw_value(header) : nullptr;
            if (!raw) continue;
            char* unfolded = g_mime_utils_header_unfold(raw);
            char* decoded = g_mime_utils_header_decode_text(nullptr, unfolded);
            out += name;
            out += ": ";
            out += decoded ? decoded : unfolded;
            out += '\n';
            g_free(decoded);
            g_free(unfolded);
        }
        out += '\n';
        if (GMimeObject* body = g_mime_message_get_mime_part(message)) partText(body, depth, out);
    }

    void partText(GMimeObject* object, int depth, std::string& out) {
        if (depth > kMaxNesting) {
            throw DocumentError(path_, "the e-mail's parts are nested too deeply");
        }
        if (++parts_ > kMaxMessageParts) {
            throw DocumentError(path_, "the e-mail has too many parts");
        }
        if (GMIME_IS_MULTIPART(object)) {
            GMimeMultipart* multipart = GMIME_MULTIPART(object);
            const int count = g_mime_multipart_get_count(multipart);
            for (int i = 0; i < count; ++i)
                partText(g_mime_multipart_get_part(multipart, i), depth + 1, out);
        } else if (GMIME_IS_MESSAGE_PART(object)) {
            if (GMimeMessage* enclosed =
                    g_mime_message_part_get_message(GMIME_MESSAGE_PART(object))) {
                const char* filename =
                    g_mime_object_get_content_disposition_parameter(object, "filename");
                const std::string outer = place();
                enterPlace(out.size(),
                           Within(outer, filename ? "attachment " + std::string(filename)
                                                  : std::string("enclosed message")));
                messageText(enclosed, depth + 1, out);
                enterPlace(out.size(), outer);
            }
        } else if (GMIME_IS_PART(object)) {
            leafText(GMIME_PART(object), depth, out);
        }
    }

    void leafText(GMimePart* part, int depth, std::string& out) {
        GMimeContentType* type = g_mime_object_get_content_type(GMIME_OBJECT(part));
        const char* filename = g_mime_part_get_filename(part);
        const bool html = type && g_mime_content_type_is_type(type, "text", "html");
        if (!html && !(type && g_mime_content_type_is_type(type, "text", "*"))) {
            attachmentText(part, filename ? filename : "", depth, out);
            return;
        }
        // A text sent as a file of its own is an attachment too.
        const std::string outer = place();
        if (filename) enterPlace(out.size(), Within(outer, "attachment " + std::string(filename)));
        if (html) {
            out += HtmlToText(DecodedContent(part, true), path_);
        } else {
            out += DecodedContent(part, true);
        }
        if (!out.empty() && out.back() != '\n') out += '\n';
        enterPlace(out.size(), outer);
    }

    // An attachment is saved apart and read when its content makes it a document.
    void attachmentText(GMimePart* part, const std::string& filename, int depth, std::string& out) {
        const std::string content = DecodedContent(part, false);
        if (content.empty()) return;
        const char* folder = std::getenv("TMPDIR");
        std::string temp = std::string(folder && *folder ? folder : "/tmp") + "/tessaly-XXXXXX";
        const int fd = ::mkstemp(temp.data());
        if (fd < 0)
            throw DocumentError(
                path_, "cannot save an attachment apart: " + std::string(std::strerror(errno)));
        ::unlink(temp.c_str());  // gone with the descriptor; read through /proc/self/fd
        const std::string name = path_ + " (attachment " + filename + ")";
        struct Closer {
            int fd;
            ~Closer() { ::close(fd); }
        } closer{fd};
        for (std::size_t at = 0; at < content.size();) {
            const ssize_t n = ::write(fd, content.data() + at, content.size() - at);
            if (n <= 0)
                throw DocumentError(
                    path_, "cannot save an attachment apart: " + std::string(std::strerror(errno)));
            at += std::size_t(n);
        }
        std::unique_ptr<DocumentText> text =
            nested_("/proc/self/fd/" + std::to_string(fd), name, depth + 1);
        if (!text) return;
        // The document's own places stand within the attachment's.
        const std::string outer = place();
        const std::string attachment = Within(outer, "attachment " + filename);
        enterPlace(out.size(), attachment);
        TextPlaces inner;
        if (keepsPlaces()) text->keepPlaces(&inner);
        for (bool more = true; more;) {
            more = text->read(out);
            for (const TextPlace& mark : inner)
                markPlace(mark.at, Within(attachment, mark.where));
            inner.clear();
        }
        if (!out.empty() && out.back() != '\n') out += '\n';
        enterPlace(out.size(), outer);
    }

    std::string path_;
    int depth_;
    NestedReader nested_;
    GObjectRef<GMimeStream> stream_;
    GObjectRef<GMimeParser> parser_;
    bool mailbox_ = false;
    bool done_ = false;
    bool read_ = false;
    std::size_t parts_ = 0;
    std::size_t messages_ = 0;
};

}  // namespace

std::unique_ptr<DocumentText> OpenMailText(const std::string& path, const std::string& name,
                                           bool mailbox, int depth, NestedReader nested) {
    return std::make_unique<MailText>(path, std::move(name), mailbox, depth, std::move(nested));
}

}  // namespace tessaly::documents
