// The stored properties of every control: what a layout holds after a save, in which order,
// and that a load gives back what a save stored.

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

using Entries = std::vector<std::pair<QString, PropertyValue>>;

struct StoredCase {
    const char* control;
    std::function<std::unique_ptr<SkinnedControl>()> make;
    // Every property, none at its default, in the order of save.
    Entries all;
    // What a save stores after a load of an empty layout: defaults that differ between the two.
    QStringList left_by_empty_layout = {};
};

void PrintTo(const StoredCase& c, std::ostream* os) {
    *os << c.control;
}

template <class C> std::unique_ptr<SkinnedControl> make() {
    return std::make_unique<C>();
}

Entries font_entries() {
    const Font font{.name = "Tahoma", .size = 12, .italic = true, .underline = true};
    return {{"Font", font},
            {"FontName", font.name},
            {"FontSize", font.size},
            {"FontItalic", true},
            {"FontUnderline", true}};
}

Entries joined(Entries head, const Entries& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

const Entries common = {{"BackColor", Colour(2)}, {"Enabled", false}};

const StoredCase cases[] = {
    {"elboton", make<elboton>,
     joined(joined({{"ForeColor", Colour(1)},
                    common[0],
                    common[1],
                    {"Caption", QString("Add")},
                    {"Color3DLight", Colour(3)},
                    {"Color3DDark", Colour(4)}},
                   font_entries()),
            {{"DropShadow", true}, {"CenterCaption", true}})},
    {"elframe", make<elframe>,
     joined(common, {{"Color3DLight", Colour(3)}, {"Color3DDark", Colour(4)}})},
    {"ellabel", make<ellabel>,
     joined(joined(joined(common, {{"Caption", QString("Busy")}}), font_entries()),
            {{"DropShadow", true}})},
    {"elpanel", make<elpanel>,
     joined(joined({common[0],
                    {"ForeColor", Colour(1)},
                    {"CloseColor", Colour(5)},
                    common[1],
                    {"Title", QString("Mine")},
                    {"Icon", false},
                    {"Cerrar", false},
                    {"Color3DLight", Colour(3)},
                    {"Color3DDark", Colour(4)}},
                   font_entries()),
            {{"DropShadow", true}})},
    {"elprogress", make<elprogress>,
     joined({{"ForeColor", Colour(1)}, common[0], common[1], {"Min", 1}, {"Max", 20}, {"Value", 3}},
            {{"Color3DLight", Colour(3)}, {"Color3DDark", Colour(4)}})},
    {"elradio", make<elradio>,
     joined(joined({common[0],
                    {"BackColor2", Colour(6)},
                    {"CheckedColor", Colour(7)},
                    {"UncheckedColor", Colour(8)},
                    {"OverColor", Colour(9)},
                    common[1],
                    {"Caption", QString("Show All")},
                    {"Value", true},
                    {"Color3DLight", Colour(3)},
                    {"Color3DDark", Colour(4)}},
                   font_entries()),
            {{"DropShadow", true}})},
    {"eltexto",
     make<eltexto>,
     joined({{"MaxChars", 9},
             common[0],
             {"ForeColor", Colour(1)},
             common[1],
             {"Text", QString("de_foo.bsp")},
             {"Color3DLight", Colour(3)},
             {"Color3DDark", Colour(4)}},
            font_entries()),
     {"Text"}},
};

class StoredProperties : public ::testing::TestWithParam<StoredCase> {};

TEST_P(StoredProperties, ALayoutOfDefaultsLoadsAndSavesAsNothingElse) {
    auto control = GetParam().make();
    control->load({});
    PropertyStore saved;
    saved.set("Enabled", false); // what an older save stored goes
    saved.set("Stale", true);    // what the control does not store stays
    control->save(saved);
    EXPECT_EQ(saved.names(), QStringList{"Stale"} + GetParam().left_by_empty_layout);
}

TEST_P(StoredProperties, SaveWritesEveryPropertyInItsOrderAndLoadGivesItBack) {
    PropertyStore all;
    for (const auto& [name, value] : GetParam().all)
        all.set(name, value);
    auto control = GetParam().make();
    control->load(all);
    PropertyStore saved;
    control->save(saved);
    ASSERT_EQ(saved.names(), all.names());
    for (const auto& name : all.names())
        EXPECT_TRUE(*saved.find(name) == *all.find(name)) << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Controls, StoredProperties, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.control); });

} // namespace
