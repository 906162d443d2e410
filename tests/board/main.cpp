#include <gtest/gtest.h>

#include "board/GuiContext.h"

int main(int argc, char** argv) {
    vorlix::EnsureGuiApplication();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
