#include "qt_cursor_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <algorithm>
#include <stdexcept>

namespace tessaly {

namespace {

unsigned Word(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// A cursor file starts with a directory: reserved 0, type 2, the image count, then one 16-byte
// entry per image whose bytes 4 to 7 hold the hotspot.
constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr unsigned kCursorType = 2;

}  // namespace

std::optional<CursorHotspot> ReadCursorHotspot(std::string_view bytes) {
    if (bytes.size() < kDirectorySize + kEntrySize) return std::nullopt;
    if (Word(bytes, 0) != 0 || Word(bytes, 2) != kCursorType || Word(bytes, 4) == 0) {
        return std::nullopt;
    }
    const std::size_t entry = kDirectorySize;
    return CursorHotspot{static_cast<int>(Word(bytes, entry + 4)),
                         static_cast<int>(Word(bytes, entry + 6))};
}

QCursor LoadCursorFile(const std::string& path) {
    const QString name = QFile::decodeName(QByteArray(path.data(), qsizetype(path.size())));
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("Cannot read the pointer file " + path + ": " +
                                 file.errorString().toStdString());
    }
    const QByteArray bytes = file.readAll();
    const std::optional<CursorHotspot> hotspot =
        ReadCursorHotspot(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "cur");
    const QImage image = reader.read();
    if (!hotspot || image.isNull()) {
        throw std::runtime_error("The pointer file " + path + " holds no pointer image");
    }
    const int x = std::clamp(hotspot->x, 0, image.width() - 1);
    const int y = std::clamp(hotspot->y, 0, image.height() - 1);
    return QCursor(QPixmap::fromImage(image), x, y);
}

}  // namespace tessaly
