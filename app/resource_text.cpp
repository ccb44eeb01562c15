#include "app/resource_text.h"

#include "analysis/single_byte.h"

namespace tarnwick::app {

QString to_screen(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char b : bytes)
        text +=
            QChar(static_cast<char16_t>(analysis::byte_to_unicode(static_cast<unsigned char>(b))));
    return text;
}

std::optional<std::string> to_resource(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        const auto byte = analysis::unicode_to_byte(c.unicode());
        if (!byte) return std::nullopt;
        bytes += static_cast<char>(*byte);
    }
    return bytes;
}

std::string to_utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

} // namespace tarnwick::app
