#include <gtest/gtest.h>

#include <QCoreApplication>

// Qt's image readers (the independent decoder of these tests) come as plugins.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
