#pragma once

// Resource paths are single-byte text; the screen shows Unicode. Every byte has its
// character, so entries read from a map show and come back unchanged; typed text with a
// character that has no byte is refused rather than written as something else.

#include <QString>
#include <optional>
#include <string>

namespace tarnwick::app {

QString to_screen(const std::string& bytes);
std::optional<std::string> to_resource(const QString& text);

// File paths and names as the analysis takes them (UTF-8).
std::string to_utf8(const QString& text);

} // namespace tarnwick::app
