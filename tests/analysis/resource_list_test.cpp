#include "analysis/resource_list.h"

#include <gtest/gtest.h>

using tarnwick::analysis::ResourceList;

TEST(ResourceList, KeepsOrderAndCountsDuplicates) {
    ResourceList list;
    list.append("a.wad");
    list.append("b.wad");
    list.append("a.wad");
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.find("a.wad"), 0);
    list.remove(0);
    EXPECT_TRUE(list.contains("a.wad"));
    EXPECT_EQ(list.find("a.wad"), 1);
    list.replace(1, "c.wad");
    EXPECT_FALSE(list.contains("a.wad"));
    EXPECT_EQ(list.item(1), "c.wad");
    EXPECT_THROW(list.item(2), std::out_of_range);
    EXPECT_THROW(list.remove(-1), std::out_of_range);
}
