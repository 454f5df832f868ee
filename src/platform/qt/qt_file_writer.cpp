#include "qt_file_writer.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <stdexcept>

namespace tessaly {

namespace {

[[noreturn]] void Fail(const std::string& path, const QString& reason) {
    throw std::runtime_error("Cannot write \"" + path + "\": " + reason.toStdString());
}

// The name as Qt holds it. Bytes that are no valid UTF-8 do not survive the trip and would name
// another file, so such a name is refused.
QString FileName(const std::string& path) {
    if (path.find('\0') != std::string::npos) Fail(path, QStringLiteral("invalid name"));
    const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
    const QString name = QFile::decodeName(bytes);
    if (QFile::encodeName(name) != bytes) {
        Fail(path, QStringLiteral("the name holds bytes that are not text"));
    }
    return name;
}

class QtSafeFile : public SafeFile {
  public:
    explicit QtSafeFile(const std::string& path) : path_(path), file_(FileName(path)) {
        // Writing straight into the target when no temporary file can be made beside it would
        // expose the old file to a half-finished write.
        file_.setDirectWriteFallback(false);
        if (!file_.open(QIODevice::WriteOnly)) Fail(path_, file_.errorString());
    }
    // Destroying an uncommitted QSaveFile deletes its temporary file; the target stays as it was.

    void write(std::string_view bytes) override {
        if (failed_) Fail(path_, QStringLiteral("an earlier write failed"));
        const qint64 size = static_cast<qint64>(bytes.size());
        if (size == 0) return;
        if (file_.write(bytes.data(), size) != size) {
            failed_ = true;
            Fail(path_, file_.errorString());
        }
    }

    void commit() override {
        if (failed_) Fail(path_, QStringLiteral("an earlier write failed"));
        // Buffered bytes are written only now; a full disk shows here.
        if (!file_.flush()) {
            failed_ = true;
            Fail(path_, file_.errorString());
        }
        if (!file_.commit()) {
            failed_ = true;
            Fail(path_, file_.errorString());
        }
    }

  private:
    std::string path_;
    QSaveFile file_;
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
    if (path.empty()) Fail(path, QStringLiteral("no file name was given"));
    const QFileInfo target(FileName(path));
    if (target.isDir()) Fail(path, QStringLiteral("it is a folder"));
    // Swapping in the new file needs only the folder's rights, not the file's: a file the user
    // may not change must not be replaced behind their back.
    if (target.exists() && !target.isWritable())
        Fail(path, QStringLiteral("the file is read-only"));
    return std::make_unique<QtSafeFile>(path);
}

}  // namespace tessaly
