#pragma once
// Internals of the board settings dialog shared by its source files: the
// controls of one square colour and the small pictures the pages show.
#include <QImage>

#include "board/BoardStyle.h"
#include "board/HighlightOption.h"
#include "board/ui/BoardSettingsDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace vorlix {

struct TBoardSettingsDialog::TSquareControls {
    TColorButton* Color = nullptr;
    QComboBox* Shading = nullptr;
    TColorButton* ShadingColor = nullptr;
    QCheckBox* ImageOn = nullptr;
    QPushButton* Change = nullptr;
    QCheckBox* AutoFit = nullptr;
    QLabel* Preview = nullptr;
};

// The pictures with pieces are drawn for a screen of the given device pixel
// ratio: the board's bitmaps at 1, outline pieces at the screen's resolution
// above (the pictures keep their logical size).

// The board's diagram.
QImage DiagramForScreen(const TDiagramBoard& board, qreal ratio);
// Four pieces of a set side by side.
QImage PieceSetPicture(TPieceStyle style, qreal ratio);
// Which side sits at the bottom: the two kings of the set.
QImage OrientationPicture(TView view, TPieceStyle style, qreal ratio);
// "ABC123" or "abc123" centred in the font and its colour on the back colour.
QImage FontExamplePicture(const TCFont& font, TColor backColor, bool capitals, QSize size);
// A sample rectangle of a shading in its pen colour.
QImage ShadingSample(TShading shading, TColor penColor, QSize size);
// Four squares of the diagram as the style draws them, highlighted with two settings.
QImage HighlightExample(const TBoardStyle& style, const THighlightOption& first, const THighlightOption& second,
                        qreal ratio);

}  // namespace vorlix
