#pragma once

// A control's stored properties as one table of rows that load and save both walk, so
// that each name and its default are written once.

#include "controls/property_store.h"

#include <functional>
#include <initializer_list>
#include <vector>

namespace tarnwick::controls {

template <class C> struct StoredRow {
    QString name;
    // Reads the row's value (or values) and applies it as the setter would, without
    // notifying the host or redrawing.
    std::function<void(C&, const PropertyStore&)> load;
    // Writes the value from where it lives, nothing when it equals the default.
    std::function<void(const C&, PropertyStore&)> save;

    // A value of type T under `name`: `get` takes it from the control, `apply` gives it.
    template <class T, class Get, class Apply>
    static StoredRow property(const char* name, const T& fallback, Get get, Apply apply) {
        return property(name, fallback, fallback, get, apply);
    }
    // A value that lives in a field of the control, loaded into it as it is stored.
    template <class T> static StoredRow field(const char* name, const T& fallback, T C::*member) {
        return property(
            name, fallback, [member](const C& c) { return c.*member; },
            [member](C& c, const T& v) { c.*member = v; });
    }
    // A value with a default of its own for load.
    template <class T, class Get, class Apply>
    static StoredRow property(const char* name, const T& save_default, const T& load_default,
                              Get get, Apply apply) {
        const QString key = QString::fromLatin1(name);
        return {key, [=](C& c, const PropertyStore& s) { apply(c, s.read(key, load_default)); },
                [=](const C& c, PropertyStore& s) { s.write(key, T(get(c)), save_default); }};
    }
};

template <class C> using StoredRows = std::vector<StoredRow<C>>;

template <class C>
void save_rows(const C& control, PropertyStore& store, const StoredRows<C>& rows) {
    for (const auto& row : rows)
        row.save(control, store);
}

// Loads the rows named in `first` in that order, then the others in the table's order.
template <class C>
void load_rows(C& control, const PropertyStore& store, const StoredRows<C>& rows,
               std::initializer_list<const char*> first = {}) {
    const auto is_first = [&](const QString& name) {
        for (const char* f : first)
            if (name == QLatin1String(f)) return true;
        return false;
    };
    for (const char* f : first)
        for (const auto& row : rows)
            if (row.name == QLatin1String(f)) row.load(control, store);
    for (const auto& row : rows)
        if (!is_first(row.name)) row.load(control, store);
}

} // namespace tarnwick::controls
