#include "qt_file_writer.h"

#include <sys/stat.h>

#include <QFile>
#include <stdexcept>

#include "file_replacement.h"

namespace tessaly {

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
    throw std::runtime_error("Cannot write \"" + path + "\": " + reason);
}

// A name is handed on as the bytes the user chose, and the save dialog gives names as text:
// bytes that are no valid UTF-8 came from elsewhere and would name another file than the one
// shown, so such a name is refused.
void CheckName(const std::string& path) {
    if (path.find('\0') != std::string::npos) Fail(path, "invalid name");
    const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
    if (QFile::encodeName(QFile::decodeName(bytes)) != bytes) {
        Fail(path, "the name holds bytes that are not text");
    }
}

class ReplacingFile : public SafeFile {
  public:
    ReplacingFile(const std::string& path, EventLoop* loop)
        : path_(path), file_(open(path, loop)) {}
    // Dropped without commit(): the temporary file goes and the target stays as it was.

    void write(std::string_view bytes) override {
        if (failed_) Fail(path_, "an earlier write failed");
        run([&] { file_->write(bytes); });
    }

    void commit() override {
        if (failed_) Fail(path_, "an earlier write failed");
        run([&] { file_->commit(); });
    }

  private:
    static std::unique_ptr<FileReplacement> open(const std::string& path, EventLoop* loop) {
        StreamWait wait;
        if (loop) wait = [loop] { return loop->yield(); };
        try {
            return std::make_unique<FileReplacement>(path, std::move(wait));
        } catch (const NoReader&) {
            throw NoReaderError("No program is reading " + path + "; the results were not saved.");
        } catch (const WriteRefused& e) {
            Fail(path, e.what());
        }
    }

    template <class Step>
    void run(Step&& step) {
        try {
            step();
        } catch (const WriteRefused& e) {
            failed_ = true;
            Fail(path_, e.what());
        }
    }

    std::string path_;
    std::unique_ptr<FileReplacement> file_;
    bool failed_ = false;
};

}  // namespace

bool QtFileWriter::PathExists(const std::string& path) {
    // Asked of the bytes themselves: a name that is no text still names the one file it names.
    struct stat info {};
    return !path.empty() && path.find('\0') == std::string::npos &&
           ::stat(path.c_str(), &info) == 0;
}

std::unique_ptr<SafeFile> QtFileWriter::create(const std::string& path) {
    if (path.empty()) Fail(path, "no file name was given");
    CheckName(path);
    return std::make_unique<ReplacingFile>(path, loop_);
}

}  // namespace tessaly
