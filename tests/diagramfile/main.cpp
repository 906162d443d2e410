#include <QGuiApplication>
#include <gtest/gtest.h>

// The board builds fonts and pixmaps, which need a GUI application object.
int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
