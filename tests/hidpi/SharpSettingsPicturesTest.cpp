// The board settings dialog on a high-density screen: its pictures with
// pieces are drawn at the screen's resolution, not enlarged bitmaps.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTemporaryDir>

#include "board/DiagramBoard.h"
#include "board/ui/BoardSettingsDialog.h"
#include "board/ui/BoardSettingsSquares.h"
#include "tests/hidpi/PixelEdges.h"

namespace vorlix {
namespace {

void ExpectSharp(const QImage& picture, QSize logical, int minimumEdges) {
    EXPECT_EQ(picture.devicePixelRatio(), 2.0);
    EXPECT_EQ(picture.size(), logical * 2);
    EXPECT_GT(EdgesAtOddPlaces(picture), minimumEdges);
}

TEST(SharpSettingsPictures, ThePreviewShowsTheDiagramAtDeviceResolution) {
    TDiagramBoard board;
    board.SetStartPosition();
    THighlightOptions highlights{};
    QTemporaryDir scratch;
    TBoardSettingsDialog dialog(board, highlights, scratch.path(), nullptr);
    ASSERT_EQ(dialog.devicePixelRatioF(), 2.0);
    const auto* preview = dialog.findChild<QLabel*>("imgPreview");
    ASSERT_NE(preview, nullptr);
    const QSize logical = dialog.PreviewImage().size();  // the bitmap road is unchanged
    ExpectSharp(preview->pixmap().toImage(), logical, 200);
}

TEST(SharpSettingsPictures, PieceSetsOrientationAndHighlightExamplesAreDrawnAtTheRatio) {
    ExpectSharp(PieceSetPicture(psRirozReg, 2.0), QSize(128, 32), 40);
    ExpectSharp(OrientationPicture(vwWhiteUnder, psRirozReg, 2.0), QSize(40, 72), 20);
    TBoardStyle style;
    const THighlightOption red{0x0000FF, false}, green{0x00FF00, true};
    const QImage example = HighlightExample(style, red, green, 2.0);
    EXPECT_EQ(example.devicePixelRatio(), 2.0);
    EXPECT_EQ(example.size(), HighlightExample(style, red, green, 1.0).size() * 2);
    EXPECT_GT(EdgesAtOddPlaces(example), 20);
}

}  // namespace
}  // namespace vorlix
