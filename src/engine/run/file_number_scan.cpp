#include "file_number_scan.h"

#include <algorithm>
#include <span>

#include "text_decoder.h"
#include "text_start.h"

namespace tessaly {

FileNumberScan::FileNumberScan(const std::string& path, const ScanRules& rules,
                               std::size_t chunkSize, ReadBuffer* shared, MappedReading mapping)
    : file_(std::make_unique<FileSource>(path)),
      chunkSize_(chunkSize < 4 ? 4 : chunkSize),
      mapping_(mapping),
      stream_(rules) {
    // A document is told by the file's first bytes, which the first piece then holds whole: a
    // regular file reads short only at its end, and standard input is always text.
    const bool tellsDocuments = rules.documents && path != "-";
    if (tellsDocuments) chunkSize_ = std::max(chunkSize_, DocumentReader::kHeadSize);
    // One byte more than a small file holds, so that its one read meets its end.
    const std::uint64_t size = file_->size();
    const std::size_t room = size > 0 && size < chunkSize_ ? std::size_t(size) + 1 : chunkSize_;
    buffer_ = (shared ? *shared : ownBuffer_).room(room < 4 ? 4 : room);
    chunkSize_ = std::min(chunkSize_, room < 4 ? 4 : room);
    readPiece();
    // The mark needs the first four bytes, which a pipe may give in several reads.
    while (piece_.size() < 4 && !atEnd_) {
        const std::size_t n = file_->read(buffer_ + piece_.size(), 4 - piece_.size());
        atEnd_ = n == 0;
        readSoFar_ += n;
        piece_ = std::string_view(buffer_, piece_.size() + n);
    }
    if (tellsDocuments) {
        document_ = rules.documents->open(path, piece_.substr(0, DocumentReader::kHeadSize));
        if (document_) {
            keepsPlaces_ = rules.places;
            if (keepsPlaces_) document_->keepPlaces(&textPlaces_);
            piece_ = {};
            atEnd_ = false;
            projector_ = AsciiProjector(TextEncoding::Utf8, rules.unicodeSeparators);
            return;
        }
    }
    // A named file, which can be read again from any byte, is told UTF-8 or not only at its
    // first byte of 0x80 or more: the ASCII before it reads the same either way, and a file of
    // ASCII alone is read once. Standard input is told before its first number.
    const bool tellsLater = rules.unicodeSeparators && path != "-";
    bool asciiThroughout = false;
    const TextEncoding encoding =
        StartText(file_, piece_, std::span(buffer_, chunkSize_), path,
                  rules.unicodeSeparators && !tellsLater, &asciiThroughout);
    // Told UTF-8 by reading the whole file: it is read again from its first byte.
    if (piece_.data() == nullptr) {
        atEnd_ = false;
        readSoFar_ = 0;
    }
    // ASCII throughout holds no separator to look for: its pieces pass as they are, without a
    // second look at every byte. (Should the file change between the two readings, the bytes it
    // gains are read as characters that are no separators, as text changed under a scan may be.)
    // So does the ASCII of a file not told yet.
    untold_ = tellsLater && encoding == TextEncoding::EightBit;
    projector_ = AsciiProjector(encoding, rules.unicodeSeparators && !asciiThroughout && !untold_);
    mapped_ = path != "-" && !atEnd_ && file_->size() >= mapping_.from;
    tellIfNotAscii();
}

void FileNumberScan::tellIfNotAscii() {
    if (!untold_ || IsAscii(piece_.data(), piece_.size())) return;
    // Every byte before this piece was ASCII, so the whole file is well-formed UTF-8 when it is
    // from here to its end. The rest is read through once and the reading goes on after the
    // piece; its bytes may come from a mapping, which stays as it is.
    Utf8Check check;
    check.feed(piece_);
    if (!atEnd_) {
        if (!file_->seek(readSoFar_)) throw file_->failure("cannot read it through");
        const auto room = std::make_unique_for_overwrite<char[]>(kDefaultChunkSize);
        for (std::size_t n; (n = file_->read(room.get(), kDefaultChunkSize)) > 0;)
            check.feed(std::string_view(room.get(), n));
        if (!mapped_ && !file_->seek(readSoFar_)) throw file_->failure("cannot read it again");
    }
    untold_ = false;
    projector_ =
        AsciiProjector(check.wellFormed() ? TextEncoding::Utf8 : TextEncoding::EightBit, true);
}

bool FileNumberScan::mapPiece() {
    if (!window_ || windowTaken_ == window_->bytes().size()) {
        const std::uint64_t next = window_ ? windowAt_ + windowTaken_ : readSoFar_;
        window_.reset();  // its pieces were scanned
        windowAt_ = next / MappedWindow::PageSize() * MappedWindow::PageSize();
        windowTaken_ = std::size_t(next - windowAt_);
        // A window holds as many characters whatever the width of their units: wide text, with
        // 2 or 4 times the bytes, is mapped in as few windows as 8-bit text.
        window_ = std::make_unique<MappedWindow>(
            *file_, windowAt_, mapping_.window * UnitWidth(projector_.encoding()));
        if (windowTaken_ >= window_->bytes().size()) {
            // Past the length the file had when opened, or not to be mapped: read on from
            // there, as from any file, to a read that gives nothing.
            window_.reset();
            mapped_ = false;
            readSoFar_ = next;
            if (!file_->seek(next)) throw file_->failure("cannot go on reading after its mapping");
            return false;
        }
    }
    const std::string_view bytes = window_->bytes();
    piece_ = bytes.substr(windowTaken_, chunkSize_);
    windowTaken_ += piece_.size();
    readSoFar_ = windowAt_ + windowTaken_;
    return true;
}

bool FileNumberScan::readPiece() {
    if (document_) {
        text_.clear();
        textPlaces_.clear();
        atEnd_ = !document_->read(text_);
        piece_ = text_;
        return !piece_.empty();
    }
    if (!mapped_ || !mapPiece()) {
        const std::size_t n = file_->read(buffer_, chunkSize_);
        readSoFar_ += n;
        piece_ = std::string_view(buffer_, n);
        // A regular file reads short only at its end; a read that stops short at the length the
        // file had when opened needs no further read to say so. Anything else (a pipe, a file
        // that changed) reads on until a read gives nothing.
        atEnd_ = n == 0 || (n < chunkSize_ && readSoFar_ == file_->size());
    }
    tellIfNotAscii();
    return !piece_.empty();
}

void FileNumberScan::mark(Mark& mark) const {
    mark.stream = stream_;
    mark.projector = projector_;
    mark.next = readSoFar_;
    mark.mapped = mapped_;
    mark.untold = untold_;
}

// The window is mapped again at the mark's offset when the next piece needs it; a file read
// past its mapping is read from there.
void FileNumberScan::goBack(const Mark& mark) {
    stream_ = mark.stream;
    projector_ = mark.projector;
    window_.reset();
    windowTaken_ = 0;
    readSoFar_ = mark.next;
    mapped_ = mark.mapped;
    untold_ = mark.untold;
    piece_ = {};
    atEnd_ = false;
    done_ = false;
    if (!mapped_ && !file_->seek(readSoFar_)) throw file_->failure("cannot read it again");
}

template <class Feed, class Finish, class Place>
bool FileNumberScan::step(Feed&& feed, Finish&& finish, Place&& place) {
    if (done_) return false;
    // A document may give a piece without text before its end.
    if (piece_.empty() && !atEnd_) readPiece();
    const auto feedStretch = [&](std::string_view text) {
        if (projector_.passesThrough(text.data(), text.size())) {
            feed(text.data(), text.size());
        } else {
            projector_.project(text.data(), text.size(), projected_);
            feed(projected_.data(), projected_.size());
        }
    };
    if (!textPlaces_.empty()) {
        WalkPlaces(piece_, textPlaces_, feedStretch, [&](std::string_view where) {
            where_ = where;
            place(where);
        });
        textPlaces_.clear();
    } else if (!piece_.empty()) {
        feedStretch(piece_);
        // Bytes of the mapping went away under the scan and read as zeros: what the piece gave
        // is taken back by the caller.
        if (window_ && window_->lost()) throw window_->lostFailure(*file_);
    }
    piece_ = {};
    if (!atEnd_) return true;
    projected_.clear();
    projector_.finish(projected_);
    feed(projected_.data(), projected_.size());
    finish();
    done_ = true;
    return false;
}

bool FileNumberScan::next(std::vector<PhoneNumber>& out, std::vector<std::size_t>* lines,
                          NumberTexts* texts, NumberPlaces* places) {
    places = keepsPlaces_ ? places : nullptr;
    if (places) places->enter(out.size(), where_);
    const std::size_t found = out.size(), foundLines = lines ? lines->size() : 0,
                      textBytes = texts ? texts->bytes.size() : 0,
                      textEnds = texts ? texts->ends.size() : 0;
    try {
        return step([&](const char* data,
                        std::size_t size) { stream_.feed(data, size, out, lines, texts); },
                    [&] { stream_.finish(out, lines, texts); },
                    [&](std::string_view where) {
                        if (places) places->enter(out.size(), where);
                    });
    } catch (const FileReadError&) {
        out.resize(found);
        if (lines) lines->resize(foundLines);
        if (texts) texts->bytes.resize(textBytes), texts->ends.resize(textEnds);
        throw;
    }
}

bool FileNumberScan::nextLines(DigitLines& lines, std::vector<std::size_t>* lineNumbers) {
    const std::size_t found = lines.view().size(),
                      foundLines = lineNumbers ? lineNumbers->size() : 0;
    try {
        return step([&](const char* data,
                        std::size_t size) { stream_.feedLines(data, size, lines, lineNumbers); },
                    [&] { stream_.finishLines(lines, lineNumbers); }, [](std::string_view) {});
    } catch (const FileReadError&) {
        lines.truncate(found);
        if (lineNumbers) lineNumbers->resize(foundLines);
        throw;
    }
}

void ScanFileNumbers(const std::string& path, const ScanRules& rules, std::vector<PhoneNumber>& out,
                     std::vector<std::size_t>* lines) {
    FileNumberScan scan(path, rules);
    while (scan.next(out, lines)) {
    }
}

}  // namespace tessaly
