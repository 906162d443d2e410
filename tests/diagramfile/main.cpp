#include <gtest/gtest.h>

#include "board/GuiContext.h"

// The board builds fonts and pixmaps, which need a GUI application object.
int main(int argc, char** argv) {
    vorlix::EnsureGuiApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
