#pragma once
// MailText: the text of an e-mail message, or of every message of a mailbox file, read by GMime:
// the From, To, Cc, Reply-To and Subject headers decoded (encoded words too), every text part
// decoded (quoted-printable, base64) and converted from its charset to UTF-8, HTML parts read
// as web pages (html_text.h), and attachments that are documents read as documents through
// `nested`. Enclosed messages are read in turn; nesting and the number of parts are bounded.
// A mailbox hands its text over one message at a time. Places: "message 2" of a mailbox,
// "attachment report.docx" (and the attached document's own within it: "attachment
// report.docx, page 2"), "enclosed message"; a message's own text has none.

#include <functional>
#include <memory>
#include <string>

#include "document_text.h"

namespace tessaly::documents {

// Opens the file at `path` (an attachment saved apart, called `name` in failure descriptions)
// as a document `depth` levels down; nothing when it is not one.
using NestedReader = std::function<std::unique_ptr<DocumentText>(
    const std::string& path, const std::string& name, int depth)>;

// `name` is what failure descriptions call the file.
std::unique_ptr<DocumentText> OpenMailText(const std::string& path, const std::string& name,
                                           bool mailbox, int depth, NestedReader nested);

}  // namespace tessaly::documents
