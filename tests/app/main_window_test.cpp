#include <gtest/gtest.h>

#include "app/MainWindow.h"

TEST(MainWindow, CreatesATopLevelWindowTitledWithTheProgramName) {
    MainWindow window;
    ASSERT_TRUE(window.Create(GetModuleHandleA(nullptr)));
    char title[64] = {};
    GetWindowTextA(window.Handle(), title, sizeof title);
    EXPECT_STREQ(title, "Lumivo");
    EXPECT_EQ(GetParent(window.Handle()), nullptr);
}
