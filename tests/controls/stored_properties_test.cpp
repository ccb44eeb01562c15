// How a stored value reads as each type when a control loads its layout.

#include "controls/property_store.h"

#include <gtest/gtest.h>

using namespace tarnwick::controls;

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
}
