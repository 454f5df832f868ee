#include "utf8_throughout.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "text_decoder.h"

namespace tessaly {

bool ReadsAsUtf8Throughout(std::unique_ptr<FileSource>& file, std::string_view head,
                           std::vector<char>& buffer, const std::string& path) {
    Utf8Check check;
    check.feed(head);
    std::FILE* copy = nullptr;
    if (!file->rewind()) {
        copy = std::tmpfile();
        if (!copy) throw FileReadError("Cannot read \"" + path + "\": " + std::strerror(errno));
        std::fwrite(head.data(), 1, head.size(), copy);
    } else {
        file->readFully(buffer.data(), head.size());  // past the head again
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
    return check.wellFormed();
}

}  // namespace tessaly
