#include "controls/property_store.h"

#include <gtest/gtest.h>

using namespace tarnwick::controls;

TEST(PropertyStore, NamesIgnoreCaseAndDefaultsAreNotStored) {
    PropertyStore store;
    store.write<Colour>("Color3DLight", 0x00222E28, 0x0095AAA0);
    store.write<bool>("DropShadow", false, false);
    EXPECT_EQ(store.names(), QStringList{"Color3DLight"});
    EXPECT_EQ(store.read<Colour>("color3dlight", 0), 0x00222E28u);
    EXPECT_EQ(store.read<QString>("Caption", "Boton"), "Boton");
    // Writing the default over an older value leaves nothing behind.
    store.write<Colour>("COLOR3DLIGHT", 0x0095AAA0, 0x0095AAA0);
    EXPECT_TRUE(store.empty());
}

TEST(PropertyStore, NumbersReadAcrossIntegerColourAndFloatingPoint) {
    const PropertyStore store{{"color3ddark", std::int32_t(0x80000008)},
                              {"fontsize", 9},
                              {"count", 3.0},
                              {"half", 3.5},
                              {"caption", QString("x")}};
    EXPECT_EQ(store.read<Colour>("Color3DDark", 0), 0x80000008u);
    EXPECT_EQ(store.read<double>("FontSize", 0), 9.0);
    EXPECT_EQ(store.read<std::int32_t>("Count", 0), 3);
    EXPECT_THROW(store.read<std::int32_t>("Half", 0), PropertyTypeError);
    EXPECT_THROW(store.read<std::int32_t>("Caption", 0), PropertyTypeError);
    EXPECT_THROW(store.read<bool>("Count", false), PropertyTypeError);
}
