#pragma once

#include "platform/colour.h"
#include "platform/fonts.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <utility>
#include <variant>
#include <vector>

namespace tarnwick::controls {

using platform::Colour;
using platform::Font;

// Colours are stored as Colour (unsigned), other integers as std::int32_t.
using PropertyValue = std::variant<bool, std::int32_t, Colour, double, QString, Font>;

// A stored value that cannot be read as the type asked for.
class PropertyTypeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The persisted properties of one control, kept by its host with the window layout.
// Names compare without regard to case. A value equal to its default is not stored, so a
// layout holds only what differs from the control's defaults.
class PropertyStore {
public:
    PropertyStore() = default;
    PropertyStore(std::initializer_list<std::pair<QString, PropertyValue>> entries);

    // The stored value, or `fallback` when nothing is stored under `name`. Integers and
    // colours read as each other bit for bit, and as floating point; a floating-point
    // value reads as an integer only when it is one. Anything else throws PropertyTypeError.
    template <class T> T read(const QString& name, const T& fallback) const;
    // Stores `value`, or removes what is stored when it equals `fallback`, so that a save
    // over an older layout does not leave a stale value behind.
    template <class T> void write(const QString& name, const T& value, const T& fallback);

    void set(const QString& name, PropertyValue value);
    void remove(const QString& name);
    const PropertyValue* find(const QString& name) const;
    // The stored names, in the order they were first stored.
    QStringList names() const;
    int size() const { return static_cast<int>(entries_.size()); }
    bool empty() const { return entries_.empty(); }

private:
    std::vector<std::pair<QString, PropertyValue>> entries_;
};

// The font properties "Font", "FontName", "FontSize", "FontItalic" and "FontUnderline", in
// this order, each with the matching attribute of `ambient` as its default.
Font read_font(const PropertyStore& store, const Font& ambient);
void write_font(PropertyStore& store, const Font& font, const Font& ambient);

} // namespace tarnwick::controls
