// The stored properties of every control: what a layout holds after a save, in which order,
// and that a load gives back what a save stored; and how a stored value reads as each type.

#include "controls/elboton.h"
#include "controls/elframe.h"
#include "controls/ellabel.h"
#include "controls/elpanel.h"
#include "controls/elprogress.h"
#include "controls/elradio.h"
#include "controls/eltexto.h"

#include <gtest/gtest.h>
#include <memory>

using namespace tarnwick::controls;

namespace {

using Entry = std::pair<QString, PropertyValue>;
using Entries = std::vector<Entry>;

struct StoredCase {
    const char* control;
    std::unique_ptr<SkinnedControl> (*make)();
    // Every property, none at its default, in the order of save.
    Entries all;
    // What a save stores after a load of an empty layout: defaults that differ between the two.
    QStringList left_by_empty_layout = {};
};

template <class C> std::unique_ptr<SkinnedControl> make() {
    return std::make_unique<C>();
}

Entry entry(const char* name, PropertyValue value) {
    return {QString::fromLatin1(name), std::move(value)};
}

// `head`, the five font properties, then `tail`.
Entries with_font(Entries head, const Entries& tail = {}) {
    const Font font{.name = "Tahoma", .size = 12, .italic = true, .underline = true};
    head.insert(head.end(),
                {entry("Font", font), entry("FontName", font.name), entry("FontSize", font.size),
                 entry("FontItalic", true), entry("FontUnderline", true)});
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

const Entry fore = entry("ForeColor", Colour(1)), back = entry("BackColor", Colour(2)),
            off = entry("Enabled", false), light = entry("Color3DLight", Colour(3)),
            dark = entry("Color3DDark", Colour(4)), shadow = entry("DropShadow", true);

const StoredCase cases[] = {
    {"elboton", make<elboton>,
     with_font({fore, back, off, entry("Caption", QString("Add")), light, dark},
               {shadow, entry("CenterCaption", true)})},
    {"elframe", make<elframe>, {back, off, light, dark}},
    {"ellabel", make<ellabel>,
     with_font({back, fore, off, entry("Caption", QString("Busy"))}, {shadow})},
    {"elpanel", make<elpanel>,
     with_font({back, fore, entry("CloseColor", Colour(5)), off, entry("Title", QString("Mine")),
                entry("Icon", false), entry("Cerrar", false), light, dark},
               {shadow})},
    {"elprogress",
     make<elprogress>,
     {fore, back, off, entry("Min", 1), entry("Max", 20), entry("Value", 3), light, dark}},
    {"elradio", make<elradio>,
     with_font({back, entry("BackColor2", Colour(6)), entry("CheckedColor", Colour(7)),
                entry("UncheckedColor", Colour(8)), entry("OverColor", Colour(9)), off,
                entry("Caption", QString("Show All")), entry("Value", true), light, dark},
               {shadow})},
    {"eltexto",
     make<eltexto>,
     with_font({entry("MaxChars", 9), back, fore, off, entry("Text", QString("de_foo.bsp")), light,
                dark}),
     {"Text"}},
};

class StoredProperties : public ::testing::TestWithParam<StoredCase> {};

TEST_P(StoredProperties, SaveWritesEveryPropertyInItsOrderAndALayoutOfDefaultsStoresNothingElse) {
    PropertyStore all;
    for (const auto& [name, value] : GetParam().all)
        all.set(name, value);
    auto control = GetParam().make();
    control->load(all);
    PropertyStore saved{{"Stale", true}}; // what the control does not store stays
    control->save(saved);
    ASSERT_EQ(saved.names(), QStringList{"Stale"} + all.names());
    for (const auto& name : all.names())
        EXPECT_TRUE(*saved.find(name) == *all.find(name)) << name.toStdString();
    // Every value goes back to its default, and what the save above stored goes.
    control->load({});
    control->save(saved);
    EXPECT_EQ(saved.names(), QStringList{"Stale"} + GetParam().left_by_empty_layout);
}

INSTANTIATE_TEST_SUITE_P(Controls, StoredProperties, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.control); });

} // namespace

TEST(PropertyStore, NumbersReadAcrossIntegerColourAndFloatingPoint) {
    const PropertyStore store{entry("color3ddark", std::int32_t(0x80000008)), entry("fontsize", 9),
                              entry("count", 3.0), entry("half", 3.5),
                              entry("caption", QString("x"))};
    EXPECT_EQ(store.read<Colour>("Color3DDark", 0), 0x80000008u);
    EXPECT_EQ(store.read<double>("FontSize", 0), 9.0);
    EXPECT_EQ(store.read<std::int32_t>("Count", 0), 3);
    EXPECT_THROW(store.read<std::int32_t>("Half", 0), PropertyTypeError);
    EXPECT_THROW(store.read<std::int32_t>("Caption", 0), PropertyTypeError);
}
