// Checks the committed piece pictures as the board loads them: cell layout,
// the 16-colour palette with magenta at index 13, and crisp, non-empty cells.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>

namespace {

constexpr int Cell = 32;
constexpr QRgb Magenta = 0xFFFF00FF;
constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;

struct Picture {
    const char* name;
    int columns;
    int rows;
};

const Picture Pictures[] = {{"RIROZ", 6, 2}, {"ROVIRAVO", 6, 2}, {"RORUVOZ", 6, 2}, {"EXTRA", 2, 2}};

const QRgb StandardPalette[16] = {0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080,
                                  0xFF008080, 0xFFC0C0C0, 0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
                                  0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

QImage load(const Picture& picture) {
    return QImage(QStringLiteral(VORLIX_SOURCE_DIR "/resources/pieces/") + QString::fromLatin1(picture.name) +
                  QStringLiteral(".bmp"));
}

struct CellCount {
    int black = 0;
    int white = 0;
    int other = 0;
    bool whiteTouchesBackground = false;
};

CellCount countCell(const QImage& image, int column, int row) {
    CellCount count;
    const int left = column * Cell;
    const int top = row * Cell;
    for (int y = top; y < top + Cell; ++y)
        for (int x = left; x < left + Cell; ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel == Black)
                ++count.black;
            else if (pixel == White)
                ++count.white;
            else if (pixel != Magenta)
                ++count.other;
            if (pixel != White) continue;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    const bool inCell = nx >= left && nx < left + Cell && ny >= top && ny < top + Cell;
                    if (!inCell || image.pixel(nx, ny) == Magenta) count.whiteTouchesBackground = true;
                }
        }
    return count;
}

TEST(ArtworkTest, PicturesAreFourBitWithTheStandardPalette) {
    for (const Picture& picture : Pictures) {
        SCOPED_TRACE(picture.name);
        const QImage image = load(picture);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), picture.columns * Cell);
        EXPECT_EQ(image.height(), picture.rows * Cell);
        ASSERT_EQ(image.format(), QImage::Format_Indexed8);
        const QList<QRgb> table = image.colorTable();
        ASSERT_EQ(table.size(), 16);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(table[i], StandardPalette[i]) << "index " << i;
    }
}

TEST(ArtworkTest, EveryCellHoldsACrispPieceOnMagenta) {
    for (const Picture& picture : Pictures) {
        const QImage image = load(picture);
        ASSERT_FALSE(image.isNull()) << picture.name;
        for (int row = 0; row < picture.rows; ++row)
            for (int column = 0; column < picture.columns; ++column) {
                SCOPED_TRACE(testing::Message() << picture.name << " row " << row << " column " << column);
                const int left = column * Cell;
                const int top = row * Cell;
                EXPECT_EQ(image.pixel(left, top), Magenta);
                EXPECT_EQ(image.pixel(left + Cell - 1, top), Magenta);
                EXPECT_EQ(image.pixel(left, top + Cell - 1), Magenta);
                EXPECT_EQ(image.pixel(left + Cell - 1, top + Cell - 1), Magenta);
                const CellCount count = countCell(image, column, row);
                EXPECT_EQ(count.other, 0) << "only black, white and magenta";
                EXPECT_GT(count.black + count.white, 40) << "cell is nearly empty";
                EXPECT_FALSE(count.whiteTouchesBackground) << "white needs a black outline";
                if (row == 0)
                    EXPECT_GT(count.white, 0) << "white row needs white inside";
                else
                    EXPECT_GT(count.black, count.white) << "black row must be mostly black";
            }
    }
}

TEST(ArtworkTest, SetsDifferFromEachOther) {
    const QImage a = load(Pictures[0]);
    const QImage b = load(Pictures[1]);
    const QImage c = load(Pictures[2]);
    ASSERT_FALSE(a.isNull() || b.isNull() || c.isNull());
    EXPECT_NE(a, b);
    EXPECT_NE(b, c);
    EXPECT_NE(a, c);
}

}  // namespace
