#include "platform/dialogs.h"

#include <gtest/gtest.h>

using tarnwick::platform::toolkit_filter;

TEST(Dialogs, FiltersTakeTheToolkitsForm) {
    EXPECT_EQ(toolkit_filter("Cs Map (*.bsp)|*.bsp"), "Cs Map (*.bsp)");
    EXPECT_EQ(toolkit_filter("Text|*.txt;*.log|All|*"), "Text (*.txt *.log);;All (*)");
    EXPECT_EQ(toolkit_filter("No pattern"), "");
}
