// These tests run the windows as on a high-density screen: every device pixel
// ratio is 2 (set before the application starts; the offscreen platform is set by CTest).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
