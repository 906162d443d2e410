#include <gtest/gtest.h>

#include "imaging/ImageScaling.h"
#include "settings/FileExtension.h"

using namespace vorlix;

TEST(ForceExtension, AppendsTheWantedExtensionUnlessPresent) {
    EXPECT_EQ(ForceExtension(std::string("Board"), ".GIF"), "Board.gif");
    EXPECT_EQ(ForceExtension(std::string("Board."), ".GIF"), "Board.gif");
    EXPECT_EQ(ForceExtension(std::string("Board.txt"), ".GIF"), "Board.txt.gif");
    EXPECT_EQ(ForceExtension(std::string("Board.gif"), ".GIF"), "Board.gif");
    EXPECT_EQ(ForceExtension(std::string("Board.GIF"), ".GIF"), "Board.GIF");
    EXPECT_EQ(ForceExtension(std::string("Board.Jpg"), "jpg"), "Board.Jpg");
    EXPECT_EQ(ForceExtension(std::string("Board.jpeg"), ".JPG"), "Board.jpeg.jpg");
    EXPECT_EQ(ForceExtension(std::string("/tmp/v1.2/Board"), ".VXD"), "/tmp/v1.2/Board.vxd");
    EXPECT_EQ(ForceExtension(QStringLiteral("Stellung.epd"), QStringLiteral(".EPD")), QStringLiteral("Stellung.epd"));
}

TEST(ScaleCeil, RoundsUpPositiveAndDownOtherValues) {
    EXPECT_EQ(ScaleCeil(131.2000002L), 132);
    EXPECT_EQ(ScaleCeil(90.0L), 90);
    EXPECT_EQ(ScaleCeil(0.0L), 0);
    EXPECT_EQ(ScaleCeil(-1.5L), -2);
}

// The 32-bit factors lie a hair off their decimal values; the sizes follow them.
TEST(ScaleCeil, ScaledSizesOfTheScaleTable) {
    EXPECT_EQ(ScaledLength(328, ImageScaleFactor(0)), 132);
    EXPECT_EQ(ScaledLength(100, ImageScaleFactor(1)), 61);
    EXPECT_EQ(ScaledLength(100, ImageScaleFactor(2)), 81);
    EXPECT_EQ(ScaledLength(100, ImageScaleFactor(3)), 90);
    EXPECT_EQ(ScaledLength(100, ImageScaleFactor(5)), 125);
    EXPECT_EQ(ScaledLength(328, ImageScaleFactor(7)), 656);
    EXPECT_EQ(ImageScaleIndexOfPercent(40), 0);
    EXPECT_EQ(ImageScaleIndexOfPercent(200), 7);
    EXPECT_FALSE(ImageScaleIndexOfPercent(50).has_value());
}
