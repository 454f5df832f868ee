#include "qt_message_text.h"

namespace tessaly {

QString MessageDisplayText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            shown += text[i];
            continue;
        }
        shown += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
}

}  // namespace tessaly
