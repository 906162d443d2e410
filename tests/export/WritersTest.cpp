#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "export/ImageExport.h"
#include "tests/imaging/TestImages.h"

using namespace vorlix;
using namespace vorlix::testimages;

namespace {

std::vector<std::uint8_t> Encode(const QImage& image, const TImageSaveOptions& options) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(EncodeDiagramImage(image, options, bytes, error)) << error;
    return bytes;
}

int BmpBits(const std::vector<std::uint8_t>& bytes) { return bytes[28] | (bytes[29] << 8); }
int BmpCompression(const std::vector<std::uint8_t>& bytes) { return bytes[30]; }

QByteArray ReadAll(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(BmpWriter, WritesEveryDepthAsAnUncompressedBitmapQtReads) {
    const QImage source = Gradient(101, 37);  // row padding at every depth
    const struct {
        int ColorIndex, Bits, Colors;
    } cases[] = {{ciMonochrome, 1, 2}, {ci16Colors, 4, 16}, {ci256Colors, 8, 256}, {ciTrueColor, 24, 0}};
    for (const auto& c : cases) {
        const auto bytes = Encode(source, {TImageFormat::Bmp, c.ColorIndex});
        ASSERT_GT(bytes.size(), 54u);
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(BmpBits(bytes), c.Bits);
        EXPECT_EQ(BmpCompression(bytes), 0);
        const QImage decoded = Decode(bytes);
        ASSERT_FALSE(decoded.isNull()) << c.Bits;
        EXPECT_EQ(decoded.size(), source.size());
        EXPECT_EQ(decoded.colorCount(), c.Colors) << c.Bits;
        EXPECT_EQ(decoded.depth(), c.Bits == 4 ? 8 : (c.Bits == 24 ? 32 : c.Bits)) << c.Bits;  // Qt widens 4 to 8
    }
}

TEST(BmpWriter, MatchesPaletteColoursExactlyWithoutDithering) {
    const QImage source = Stripes(40, 6, {qRgb(255, 0, 0), qRgb(0, 0, 128), qRgb(250, 250, 250)});
    for (int colorIndex : {ci16Colors, ci256Colors, ciTrueColor}) {
        const QImage decoded = Decode(Encode(source, {TImageFormat::Bmp, colorIndex}));
        EXPECT_EQ(decoded.pixel(0, 0), qRgb(255, 0, 0)) << colorIndex;
        EXPECT_EQ(decoded.pixel(15, 5), qRgb(0, 0, 128)) << colorIndex;
        EXPECT_EQ(decoded.pixel(39, 3), colorIndex == ciTrueColor ? qRgb(250, 250, 250) : qRgb(255, 255, 255));
    }
    const QImage mono = Decode(Encode(source, {TImageFormat::Bmp, ciMonochrome}));
    EXPECT_EQ(mono.pixel(15, 0), qRgb(0, 0, 0));
    EXPECT_EQ(mono.pixel(39, 0), qRgb(255, 255, 255));
}

TEST(JpegWriter, WritesEveryQualityAndQualityChangesTheFile) {
    const QImage source = Gradient(90, 50).convertToFormat(QImage::Format_RGB888);
    std::size_t previous = 0;
    for (int quality : {1, 50, 81, 100}) {
        const auto bytes = Encode(source, {TImageFormat::Jpeg, ciTrueColor, quality});
        const QImage decoded = Decode(bytes);
        ASSERT_FALSE(decoded.isNull()) << quality;
        EXPECT_EQ(decoded.size(), source.size());
        EXPECT_GT(bytes.size(), previous) << quality;
        previous = bytes.size();
    }
}

TEST(JpegWriter, IgnoresTheColourIndex) {
    const QImage source = Gradient(40, 40);
    const auto trueColour = Encode(source, {TImageFormat::Jpeg, ciTrueColor, 81});
    EXPECT_EQ(Encode(source, {TImageFormat::Jpeg, ciMonochrome, 81}), trueColour);
    EXPECT_EQ(Encode(source, {TImageFormat::Jpeg, 17, 81}), trueColour);
    EXPECT_FALSE(Decode(trueColour).isGrayscale());
}

TEST(SaveDiagramImage, ReplacesAFileAndLeavesNoTemporaryFile) {
    QTemporaryDir folder;
    const QString name = folder.filePath("board.gif");
    QFile old(name);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    TCollectingReporter reporter;
    ASSERT_TRUE(SaveDiagramImage(Gradient(30, 30), name, {TImageFormat::Gif, ci16Colors}, reporter));
    EXPECT_TRUE(reporter.Messages.empty());
    EXPECT_TRUE(ReadAll(name).startsWith("GIF8"));
    EXPECT_EQ(QImage(name).size(), QSize(30, 30));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"board.gif"});
}

TEST(SaveDiagramImage, ReportsFailuresAndKeepsTheOldFile) {
    QTemporaryDir folder;
    const QString name = folder.filePath("board.bmp");
    QFile old(name);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    TCollectingReporter reporter;
    // No GIF of true colour, and no bitmap of a colour index beyond 24 bits.
    EXPECT_FALSE(SaveDiagramImage(Gradient(8, 8), name, {TImageFormat::Gif, ciTrueColor}, reporter));
    EXPECT_FALSE(SaveDiagramImage(Gradient(8, 8), name, {TImageFormat::Bmp, 4}, reporter));
    EXPECT_FALSE(SaveDiagramImage(QImage(), name, {TImageFormat::Bmp, ciTrueColor}, reporter));
    EXPECT_EQ(reporter.Messages.size(), 3u);
    EXPECT_EQ(ReadAll(name), QByteArray("old contents"));

    reporter.Messages.clear();
    EXPECT_FALSE(SaveDiagramImage(Gradient(8, 8), folder.filePath("missing/board.bmp"),
                                  {TImageFormat::Bmp, ciTrueColor}, reporter));
    EXPECT_EQ(reporter.Last(), "File not found!");
    EXPECT_FALSE(SaveDiagramImage(Gradient(8, 8), folder.path(), {TImageFormat::Bmp, ciTrueColor}, reporter));
    EXPECT_EQ(reporter.Last(), "Invalid file name!");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"board.bmp"});
}

TEST(SaveDiagramImage, ReportsADeniedFolder) {
    if (geteuid() == 0) GTEST_SKIP() << "root may write anywhere";
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
    TCollectingReporter reporter;
    EXPECT_FALSE(SaveDiagramImage(Gradient(8, 8), folder.filePath("b.jpg"), {TImageFormat::Jpeg}, reporter));
    EXPECT_EQ(reporter.Last(), "Access to file denied. Try again later.");
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(TransparentCorner, FollowsHeaderFooterAndCoordinateSides) {
    const QRgb back = qRgb(255, 255, 255);
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(back);
    auto corner = [&](TTransparencyRule rule) {
        rule.BackColor = back;
        return FindTransparentCorner(image, rule);
    };
    EXPECT_FALSE(corner({}).has_value());
    EXPECT_EQ(corner({.HeaderEnabled = true, .FooterEnabled = true}), QPoint(0, 0));
    EXPECT_EQ(corner({.FooterEnabled = true, .North = true}), QPoint(0, 9));
    EXPECT_EQ(corner({.West = true, .East = true}), QPoint(0, 0));
    EXPECT_EQ(corner({.East = true, .South = true}), QPoint(19, 0));
    EXPECT_EQ(corner({.South = true}), QPoint(0, 9));
    image.setPixel(19, 0, qRgb(254, 255, 255));
    EXPECT_FALSE(corner({.East = true}).has_value());
}
