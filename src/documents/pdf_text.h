#pragma once
// PdfText: the text of a PDF file, written by poppler-utils' pdftotext run as a child process
// (never linked: a hostile PDF stays out of this process) with UTF-8 output, read from its
// standard output as it comes. The child gets a time limit (kPdfSeconds in all) and a memory
// limit (kPdfMemory of address space); past either it is killed and the file fails with the
// reason. pdftotext ends each page with a form feed, after which the next page's place begins
// ("page 2").

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "document_text.h"

namespace tessaly::documents {

inline constexpr std::chrono::seconds kPdfSeconds{60};
inline constexpr std::uint64_t kPdfMemory = std::uint64_t{2} << 30;

// `program` is the pdftotext to run, found on the PATH when it has no "/"; `name` is what failure
// descriptions call the file.
std::unique_ptr<DocumentText> OpenPdfText(const std::string& path, const std::string& name,
                                          const std::string& program = "pdftotext");

}  // namespace tessaly::documents
