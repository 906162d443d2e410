#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "app/Clipboard.h"
#include "app/ClipboardFormats.h"
#include "board/DiagramBoard.h"

namespace vorlix {
namespace {

const std::string kStartPlacement = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { QGuiApplication::clipboard()->clear(); }
    QString Text() const { return QGuiApplication::clipboard()->text(); }
    void PutText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

    TDiagramBoard board;
    TCollectingReporter reporter;
    TDiagramClipboard clipboard{*QGuiApplication::clipboard(), reporter};
    TDiagramClipboard::TImageRenderer render = [this] {
        board.Render();
        return board.DiagramBitmap();
    };
};

TEST(ClipboardFormats, MenuItemNamesSelectTheirCodes) {
    const char* names[] = {"mnuEditClipBmp1", "mnuEditClipBmp4",  "mnuEditClipBmp8", "mnuEditClipBmpT",
                           "mnuEditClipEPD",  "mnuEditClipPlain", "mnuEditClipSetup"};
    for (int code = 0; code < kClipboardFormatCount; ++code)
        EXPECT_EQ(ClipboardFormatOfItemName(names[code]), code) << names[code];
    EXPECT_FALSE(ClipboardFormatOfItemName("mnuEditClipX").has_value());
    EXPECT_FALSE(ClipboardFormatOfItemName("").has_value());
}

TEST_F(ClipboardTest, EpdTextOfTheStartPositionPastesBack) {
    ASSERT_TRUE(clipboard.Copy(board, cfEPDText, render));
    EXPECT_EQ(Text().toStdString(), kStartPlacement);
    board.ClearBoard();
    board.SetPiece(4, 3, pcWCross);
    ASSERT_TRUE(clipboard.Paste(board));
    TDiagramBoard start;
    EXPECT_EQ(board.Codes(), start.Codes());
    EXPECT_TRUE(reporter.Messages.empty());
}

TEST_F(ClipboardTest, PastedSetupTextMayHaveAPrefixAndEndAtABlank) {
    PutText("Kindly: wKe1/bKe8");
    ASSERT_TRUE(clipboard.Paste(board));
    EXPECT_EQ(board.SquareCode({4, 0}), 1);
    EXPECT_EQ(board.SquareCode({4, 7}), 7);
    EXPECT_EQ(board.SquareCode({0, 0}), 0);

    PutText("wKe1 some words");
    ASSERT_TRUE(clipboard.Paste(board));
    EXPECT_EQ(board.SquareCode({4, 0}), 1);
    EXPECT_EQ(board.SquareCode({4, 7}), 0);

    PutText("8/8/8/8/8/8/8/8 w - - 0 1");
    ASSERT_TRUE(clipboard.Paste(board));
    EXPECT_TRUE(board.IsEmpty());
}

TEST_F(ClipboardTest, RejectedTextLeavesTheBoardAndSaysSo) {
    board.SetPiece(4, 3, pcBDot);
    board.ToggleSelection({4, 3});
    const auto before = board.Codes();
    for (const char* text : {" rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "wKe1,",
                             "rnbqkbnr/ppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", "", "hello world"}) {
        PutText(QString::fromUtf8(text));
        EXPECT_FALSE(clipboard.Paste(board)) << text;
        EXPECT_EQ(board.Codes(), before) << text;
    }
    EXPECT_TRUE(board.IsSelected({4, 3}));
    ASSERT_EQ(reporter.Messages.size(), 5u);
    EXPECT_EQ(reporter.Last(), "Clipboard text does not appear to contain any \nvalid chess data...");
}

TEST_F(ClipboardTest, TextFormatsAreTheBoardsOwnTexts) {
    board.ClearBoard();
    ASSERT_TRUE(clipboard.Copy(board, cfSetupText, render));
    EXPECT_EQ(Text(), "");
    EXPECT_FALSE(clipboard.HoldsText());
    EXPECT_FALSE(clipboard.HoldsBitmap());

    board.SetPiece(4, 3, pcWCross);
    board.SetPiece(0, 0, 5);
    ASSERT_TRUE(clipboard.Copy(board, cfPlainText, render));
    std::string picture;
    board.GetTextDiagram(picture);
    EXPECT_EQ(Text().toStdString(), picture);
    EXPECT_FALSE(Text().endsWith('\n'));
    EXPECT_TRUE(clipboard.HoldsText());

    ASSERT_TRUE(clipboard.Copy(board, cfSetupText, render));
    EXPECT_EQ(Text(), "wRa1/b");
}

TEST_F(ClipboardTest, BitmapsTravelInTheirDepthAndAsBmpFiles) {
    struct {
        int format;
        QImage::Format qtFormat;
        int colors;
        int bmpBits;
    } cases[] = {{cfMonochromeBitmap, QImage::Format_Mono, 2, 1},
                 {cf16ColorBitmap, QImage::Format_Indexed8, 16, 4},
                 {cf256ColorBitmap, QImage::Format_Indexed8, 256, 8},
                 {cfTrueColorBitmap, QImage::Format_RGB888, 0, 24}};
    board.Render();
    const QSize size = board.DiagramBitmap().size();
    for (const auto& c : cases) {
        PutText("stale text");
        ASSERT_TRUE(clipboard.Copy(board, c.format, render)) << c.format;
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        ASSERT_TRUE(data);
        EXPECT_FALSE(clipboard.HoldsText());
        EXPECT_TRUE(clipboard.HoldsBitmap());
        const QImage image = qvariant_cast<QImage>(data->imageData());
        EXPECT_EQ(image.format(), c.qtFormat);
        EXPECT_EQ(image.colorCount(), c.colors);
        EXPECT_EQ(image.size(), size);
        const QByteArray bmp = data->data(kBmpMimeType);
        ASSERT_GT(bmp.size(), 54);
        EXPECT_TRUE(bmp.startsWith("BM"));
        EXPECT_EQ(int(uchar(bmp[28])), c.bmpBits);
    }
    // A white square stays white and a black frame pixel black in the monochrome image.
    ASSERT_TRUE(clipboard.Copy(board, cfMonochromeBitmap, render));
    const QImage mono = qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData());
    const TRect32 a6 = board.Square(0, 5).Bounds;  // light and empty
    EXPECT_EQ(mono.pixel(a6.Left + 17, a6.Top + 17), 0xFFFFFFFFu);
    EXPECT_EQ(mono.pixel(0, 0), 0xFF000000u);  // the border

    clipboard.Empty();
    EXPECT_FALSE(clipboard.HoldsBitmap());
}

TEST_F(ClipboardTest, FailedCopyIsReportedAndLeavesTheClipboardEmpty) {
    PutText("old");
    EXPECT_FALSE(clipboard.Copy(board, cfTrueColorBitmap, [] { return QImage(); }));
    EXPECT_EQ(reporter.Last(), "The diagram could not be copied to the clipboard...");
    EXPECT_FALSE(clipboard.HoldsText());
    EXPECT_FALSE(clipboard.Copy(board, 7, render));
    EXPECT_EQ(reporter.Messages.size(), 2u);
}

}  // namespace
}  // namespace vorlix
