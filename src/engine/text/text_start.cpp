#include "text_start.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "text_decoder.h"

namespace tessaly {

namespace {

// Reads `file` through once, `head` first, and returns the check of its bytes (well-formed
// UTF-8, ASCII throughout); `file` then reads again from its first byte (from a temporary copy
// when it cannot go back).
Utf8Check ReadThroughAsUtf8(std::unique_ptr<FileSource>& file, std::string_view head,
                            std::span<char> buffer, const std::string& path) {
    Utf8Check check;
    check.feed(head);
    std::FILE* copy = nullptr;
    if (!file->rewind()) {
        copy = std::tmpfile();
        if (!copy) throw FileReadError("Cannot read \"" + path + "\": " + std::strerror(errno));
        std::fwrite(head.data(), 1, head.size(), copy);
    } else {
        for (std::size_t past = 0; past < head.size();) {  // past the head again
            const std::size_t n =
                file->readFully(buffer.data(), std::min(buffer.size(), head.size() - past));
            if (n == 0) break;
            past += n;
        }
    }
    for (std::size_t n; (n = file->read(buffer.data(), buffer.size())) > 0;) {
        check.feed(std::string_view(buffer.data(), n));
        if (copy && std::fwrite(buffer.data(), 1, n, copy) != n) {
            std::fclose(copy);
            throw FileReadError("Cannot read \"" + path +
                                "\": the temporary copy could not be written");
        }
    }
    if (copy) {
        std::fflush(copy);
        const int fd = ::dup(::fileno(copy));
        std::fclose(copy);
        if (fd < 0 || ::lseek(fd, 0, SEEK_SET) != 0) {
            throw FileReadError("Cannot read \"" + path + "\": " + std::strerror(errno));
        }
        file = std::make_unique<FileSource>(fd, path);
    } else {
        file->rewind();
    }
    return check;
}

}  // namespace

TextEncoding StartText(std::unique_ptr<FileSource>& file, std::string& head,
                       std::vector<char>& buffer, const std::string& path, bool separators,
                       std::string_view started) {
    char first[4];
    std::string_view start =
        started.empty() ? std::string_view(first, file->readFully(first, sizeof first)) : started;
    const TextEncoding encoding = StartText(file, start, buffer, path, separators);
    head.assign(start);
    return encoding;
}

TextEncoding StartText(std::unique_ptr<FileSource>& file, std::string_view& start,
                       std::span<char> buffer, const std::string& path, bool separators,
                       bool* asciiThroughout) {
    const EncodingChoice choice = DetectEncoding(start);
    start.remove_prefix(choice.markLength);
    if (!separators || choice.encoding != TextEncoding::EightBit) return choice.encoding;
    const std::string head(start);  // the buffer is read into while the file is told
    const Utf8Check check = ReadThroughAsUtf8(file, head, buffer, path);
    if (asciiThroughout) *asciiThroughout = check.asciiThroughout();
    start = {};  // read again from the first byte
    return check.wellFormed() ? TextEncoding::Utf8 : TextEncoding::EightBit;
}

}  // namespace tessaly
