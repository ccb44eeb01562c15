#include "controls/property_store.h"

#include <cmath>
#include <limits>
#include <type_traits>

namespace tarnwick::controls {

namespace {

bool same_name(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

template <class T> T whole_number(double value, const QString& name) {
    if (std::trunc(value) != value || value < std::numeric_limits<T>::min() ||
        value > std::numeric_limits<T>::max())
        throw PropertyTypeError("property \"" + name.toStdString() + "\" is not a whole number");
    return static_cast<T>(value);
}

template <class T> T convert(const PropertyValue& stored, const QString& name) {
    if (const T* exact = std::get_if<T>(&stored)) return *exact;
    if constexpr (std::is_same_v<T, std::int32_t> || std::is_same_v<T, Colour>) {
        if (const auto* i = std::get_if<std::int32_t>(&stored)) return static_cast<T>(*i);
        if (const auto* c = std::get_if<Colour>(&stored)) return static_cast<T>(*c);
        if (const auto* d = std::get_if<double>(&stored)) return whole_number<T>(*d, name);
    }
    if constexpr (std::is_same_v<T, double>) {
        if (const auto* i = std::get_if<std::int32_t>(&stored)) return *i;
        if (const auto* c = std::get_if<Colour>(&stored)) return *c;
    }
    throw PropertyTypeError("property \"" + name.toStdString() + "\" has the wrong type");
}

} // namespace

PropertyStore::PropertyStore(std::initializer_list<std::pair<QString, PropertyValue>> entries) {
    for (const auto& [name, value] : entries)
        set(name, value);
}

template <class T> T PropertyStore::read(const QString& name, const T& fallback) const {
    const PropertyValue* stored = find(name);
    return stored ? convert<T>(*stored, name) : fallback;
}

template <class T>
void PropertyStore::write(const QString& name, const T& value, const T& fallback) {
    if (value == fallback)
        remove(name);
    else
        set(name, value);
}

void PropertyStore::set(const QString& name, PropertyValue value) {
    for (auto& entry : entries_) {
        if (same_name(entry.first, name)) {
            entry.second = std::move(value);
            return;
        }
    }
    entries_.emplace_back(name, std::move(value));
}

void PropertyStore::remove(const QString& name) {
    std::erase_if(entries_, [&](const auto& entry) { return same_name(entry.first, name); });
}

const PropertyValue* PropertyStore::find(const QString& name) const {
    for (const auto& entry : entries_)
        if (same_name(entry.first, name)) return &entry.second;
    return nullptr;
}

QStringList PropertyStore::names() const {
    QStringList out;
    for (const auto& entry : entries_)
        out << entry.first;
    return out;
}

template bool PropertyStore::read<bool>(const QString&, const bool&) const;
template void PropertyStore::write<bool>(const QString&, const bool&, const bool&);
template std::int32_t PropertyStore::read<std::int32_t>(const QString&, const std::int32_t&) const;
template void PropertyStore::write<std::int32_t>(const QString&, const std::int32_t&,
                                                 const std::int32_t&);
template Colour PropertyStore::read<Colour>(const QString&, const Colour&) const;
template void PropertyStore::write<Colour>(const QString&, const Colour&, const Colour&);
template double PropertyStore::read<double>(const QString&, const double&) const;
template void PropertyStore::write<double>(const QString&, const double&, const double&);
template QString PropertyStore::read<QString>(const QString&, const QString&) const;
template void PropertyStore::write<QString>(const QString&, const QString&, const QString&);
template Font PropertyStore::read<Font>(const QString&, const Font&) const;
template void PropertyStore::write<Font>(const QString&, const Font&, const Font&);

Font read_font(const PropertyStore& store, const Font& ambient) {
    Font font = store.read(QStringLiteral("Font"), ambient);
    font.name = store.read(QStringLiteral("FontName"), ambient.name);
    font.size = store.read(QStringLiteral("FontSize"), ambient.size);
    font.italic = store.read(QStringLiteral("FontItalic"), ambient.italic);
    font.underline = store.read(QStringLiteral("FontUnderline"), ambient.underline);
    return font;
}

void write_font(PropertyStore& store, const Font& font, const Font& ambient) {
    store.write(QStringLiteral("Font"), font, ambient);
    store.write(QStringLiteral("FontName"), font.name, ambient.name);
    store.write(QStringLiteral("FontSize"), font.size, ambient.size);
    store.write(QStringLiteral("FontItalic"), font.italic, ambient.italic);
    store.write(QStringLiteral("FontUnderline"), font.underline, ambient.underline);
}

} // namespace tarnwick::controls
