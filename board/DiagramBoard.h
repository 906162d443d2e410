#pragma once
// The diagram board: one chess diagram (64 squares with marks, selection and
// highlights) and every style setting, rendered into its own diagram bitmap.
// It is a plain object; a widget shows DiagramBitmap() and forwards the mouse.
// Events are callbacks the owner sets.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "board/Borders.h"
#include "board/Colors.h"
#include "board/HeaderFooter.h"
#include "board/PositionMarks.h"
#include "board/SquareInfo.h"
#include "files/BoardMarks.h"

class QPainter;

namespace vorlix {

class TErrorReporter;
class TPieceImages;
class TVectorPieces;

// The diagram bitmap is QImage::Format_RGB32.
constexpr QImage::Format kDiagramFormat = QImage::Format_RGB32;

// What the squares hold: the 64 codes and the marks, with where the marks came from.
struct TBoardContents {
    std::array<int32_t, 64> Codes{};
    TBoardMarks Marks;
    bool MarksFromGame = false;
    TSideToMove SideToMove = TSideToMove::None;
    TMoveState MoveState;
    bool operator==(const TBoardContents&) const = default;
};

class TDiagramBoard {
public:
    // Square arguments: x = file (0..7 = a..h), y = rank (0..7 = 1..8).
    using TNotifyEvent = std::function<void(TDiagramBoard& Sender)>;
    using TMoveEvent = std::function<void(TDiagramBoard& Sender, QPoint Source, QPoint Destination, int Piece)>;
    using TPromotionEvent = std::function<void(TDiagramBoard& Sender, int& PromPiece, bool& Cancel)>;
    using TClickEvent = std::function<void(TDiagramBoard& Sender, QPoint Square, bool Focused, bool HighLighted,
                                           bool Merged, int Piece, int X, int Y)>;
    using TResizeEvent =
        std::function<void(TDiagramBoard& Sender, int NewWidth, int NewHeight, int DeltaWidth, int DeltaHeight)>;
    // The picture changed: the control should repaint (render and show) soon.
    using TInvalidateEvent = std::function<void(TDiagramBoard& Sender)>;
    // One square was redrawn into the diagram bitmap; Rect is in diagram pixels.
    using TSquareRedrawnEvent = std::function<void(TDiagramBoard& Sender, QRect Rect)>;

    TDiagramBoard();
    ~TDiagramBoard();
    TDiagramBoard(const TDiagramBoard&) = delete;
    TDiagramBoard& operator=(const TDiagramBoard&) = delete;

    // ---- Events -------------------------------------------------------------
    TMoveEvent OnMove;
    TPromotionEvent OnPromotion;
    TClickEvent OnLeftClick;
    TClickEvent OnRightClick;
    TNotifyEvent OnFocusChange;
    TNotifyEvent OnPieceStyleChange;
    TResizeEvent OnResize;
    TInvalidateEvent OnInvalidate;
    TSquareRedrawnEvent OnSquareRedrawn;

    // ---- Properties ---------------------------------------------------------
    bool Animate() const { return animate_; }
    void SetAnimate(bool value) { animate_ = value; }
    int AnimationSpeed() const { return animationSpeed_; }
    void SetAnimationSpeed(int value) { animationSpeed_ = value; }
    // Per-frame delay of animations in ms (0 = none).
    int AnimationDelay() const;

    TBorderArray& Border() { return border_; }
    const TBorderArray& Border() const { return border_; }
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);

    TColor CoordenateBackColor() const { return coordBackColor_; }
    void SetCoordenateBackColor(TColor value);
    bool CoordenateInCapitals() const { return coordCapitals_; }
    void SetCoordenateInCapitals(bool value);
    TCoordenateOrientation CoordenateOrientation() const { return coordSides_; }
    void SetCoordenateOrientation(TCoordenateOrientation value);
    // Labels inside the edge squares instead of in bands around the board:
    // the diagram is then as large as without coordinates.
    bool CoordenateInside() const { return coordInside_; }
    void SetCoordenateInside(bool value);
    // The sides that carry a coordinate band (none while the labels are inside).
    TCoordenateOrientation CoordenateBandSides() const { return coordInside_ ? 0 : coordSides_; }

    TColor LightSquares() const { return lightSquares_; }
    void SetLightSquares(TColor value);
    TColor DarkSquares() const { return darkSquares_; }
    void SetDarkSquares(TColor value);
    TShading LightShading() const { return lightShading_; }
    void SetLightShading(TShading value);
    TShading DarkShading() const { return darkShading_; }
    void SetDarkShading(TShading value);
    TColor LightShadingColor() const { return lightShadingColor_; }
    void SetLightShadingColor(TColor value);
    TColor DarkShadingColor() const { return darkShadingColor_; }
    void SetDarkShadingColor(TColor value);
    bool LightSquareAutoFit() const { return lightAutoFit_; }
    void SetLightSquareAutoFit(bool value);
    bool DarkSquareAutoFit() const { return darkAutoFit_; }
    void SetDarkSquareAutoFit(bool value);
    // The board keeps its own copy; a null image means "empty".
    const QImage& LightSquareBitmap() const { return lightBitmap_; }
    void SetLightSquareBitmap(const QImage& value);
    const QImage& DarkSquareBitmap() const { return darkBitmap_; }
    void SetDarkSquareBitmap(const QImage& value);

    TColor GridLineColor() const { return gridLineColor_; }
    void SetGridLineColor(TColor value);
    int GridLineWidth() const { return gridLineWidth_; }
    // Ignored when negative or above kMaxGridLineWidth.
    void SetGridLineWidth(int value);

    bool Move() const { return move_; }
    void SetMove(bool value) { move_ = value; }
    TPieceSize PieceSize() const { return pzSmall; }
    TPieceStyle PieceStyle() const { return pieceStyle_; }
    void SetPieceStyle(TPieceStyle value);
    // A piece set loaded from SVG files, drawn in place of the style's pieces
    // (null: the style's own). It is a choice of the run, not kept in the file.
    void SetPieceSet(std::shared_ptr<const TVectorPieces> set);
    const std::shared_ptr<const TVectorPieces>& PieceSet() const { return pieceSet_; }
    // The outline pieces this board draws: the piece set, else the style's.
    const TVectorPieces& Pieces() const;
    int SquareSize() const { return squareSize_; }
    // Accepted only when it differs, is even and lies in kMinSquareSize..kMaxSquareSize.
    void SetSquareSize(int value);
    TView View() const { return view_; }
    void SetView(TView value);
    // Font of the coordinate letters and digits.
    const TCFont& Font() const { return font_; }
    void SetFont(const TCFont& value);

    // Size of the last rendering (292 x 292 before the first one).
    int Width() const { return width_; }
    int Height() const { return height_; }

    static constexpr int kMinSquareSize = 32;
    static constexpr int kMaxSquareSize = 64;
    static constexpr int kMaxGridLineWidth = 255;

    // ---- Squares ------------------------------------------------------------
    const TSquareInfo& Square(int file, int rank) const { return squares_[file][rank]; }
    TSquareInfo& Square(int file, int rank) { return squares_[file][rank]; }
    // All 64 records in file-major order (index file * 8 + rank), as stored in diagram files.
    TSquareInfo* SquareData() { return &squares_[0][0]; }
    const TSquareInfo* SquareData() const { return &squares_[0][0]; }
    static bool OnBoard(QPoint square) {
        return square.x() >= 0 && square.x() < 8 && square.y() >= 0 && square.y() < 8;
    }

    // ---- Contents -----------------------------------------------------------
    void SetPiece(int File, int Rank, int Code);
    void ClearPiece(QPoint Square);
    // The code when below 13 (marks read as empty); 0 off the board.
    int GetPiece(QPoint Square) const;
    // The stored code including marks; 0 off the board.
    int SquareCode(QPoint Square) const;
    void ClearBoard();
    void SetStartPosition();
    bool IsEmpty() const;
    bool FindPiece(int Code, QPoint& Square) const;
    // The 64 codes in file-major order.
    std::array<int32_t, 64> Codes() const;
    void SetCodes(const std::array<int32_t, 64>& codes);

    void Refresh() { Invalidate(); }
    void BeginUpdate() { updating_ = true; }
    void EndUpdate();
    bool Updating() const { return updating_; }
    void ResetSettings();

    // ---- Selection ----------------------------------------------------------
    void ToggleSelection(QPoint Square);
    bool IsSelected(QPoint Square) const;
    int SelectedCount() const;
    void SelectAll();
    void UnselectAll();
    void SetPieceOnSelection(int Code);
    void DefectSelection();
    int SelectionPiece() const;
    bool SelectionSamePiece() const { return SelectedCount() == 0 || SelectionPiece() >= 0; }
    bool SelectionEmpty() const { return SelectionPiece() == 0; }

    // ---- Highlighting -------------------------------------------------------
    void HighlightSquare(TColor Color, bool Merged, bool KeepMerged, QPoint Square);
    void HighlightSelection(TColor Color, bool Merged, bool KeepMerged);
    void UnhighlightSquare(QPoint Square);
    void UnhighlightSelection();
    void UnhighlightAll();
    void SetMergeSquare(QPoint Square, bool Merged);
    void SetMergeSelection(bool Merged);
    bool SelectionUnhighlighted() const;
    bool SelectionMerged() const;
    bool SelectionUnmerged() const;

    // ---- Arrows and coloured squares ---------------------------------------
    // Drawn over the diagram on every output; kept in diagram files. Marks on
    // squares off the board are dropped.
    //
    // Marks a game's comments gave belong to the position shown with them: the
    // next write of any square's contents drops them, so only the game's
    // replay, which sets each position's marks after its pieces, keeps them.
    // Other marks (a diagram file's, the command line's) stay until replaced.
    const TBoardMarks& Marks() const { return marks_; }
    bool MarksFromGame() const { return marksFromGame_; }
    void SetMarks(const TBoardMarks& marks) { PutMarks(marks, false); }
    // The marks of the game position now on the board.
    void SetGameMarks(const TBoardMarks& marks) { PutMarks(marks, true); }
    void ClearMarks() { SetMarks({}); }

    // ---- Side to move and game state ---------------------------------------
    // The side to move belongs to the diagram and its file; it is drawn as the
    // mover mark only while ShowSideToMove is on. The move state is what a
    // game gave the position now shown: like a game's marks, the next write
    // of any square's contents drops it.
    TSideToMove SideToMove() const { return sideToMove_; }
    void SetSideToMove(TSideToMove value);
    bool ShowSideToMove() const { return showSideToMove_; }
    void SetShowSideToMove(bool value);
    const TMoveState& MoveState() const { return moveState_; }
    void SetMoveState(const TMoveState& value);
    // The colour of the last move's rings or arrow and of the check ring, as a
    // theme gives it; none: their own colours.
    const std::optional<TColor>& MoveMarkColor() const { return moveMarkColor_; }
    void SetMoveMarkColor(const std::optional<TColor>& value);
    // The side to move at the bottom of the diagram; false when none is set.
    bool MoverAtBottom() const;

    // The contents as a whole, for putting them back after a run that borrows the board.
    TBoardContents Contents() const;
    void SetContents(const TBoardContents& contents);

    // ---- Text forms ---------------------------------------------------------
    bool SetPositionFromPlacement(const std::string& Text);
    // Appends the FEN placement to Text.
    void GetPlacementText(std::string& Text) const;
    bool SetPositionFromSetup(const std::string& Text);
    void GetSetupText(std::string& Text) const;
    void GetTextDiagram(std::string& Text) const;

    // ---- Errors -------------------------------------------------------------
    // Where the owner wants this board's failures told (the undo history's); none set: silent.
    TErrorReporter* ErrorReporter() const { return errorReporter_; }
    void SetErrorReporter(TErrorReporter* reporter) { errorReporter_ = reporter; }

    // ---- Rendering ----------------------------------------------------------
    // Renders the whole diagram into the diagram bitmap (sets Width/Height, Bounds).
    void Render();
    // The paint handler: renders unless the update lock is set; true when it rendered.
    bool Paint();
    const QImage& DiagramBitmap() const { return diagram_; }
    // Renders, then draws the diagram onto Bitmap at (X, Y); Bitmap is not resized.
    void DrawDiagramOn(QImage& Bitmap, int X, int Y);
    // Draws plain picture Code (1..16) so its 32 x 32 cell lands in a 32 x 32 bitmap.
    void DrawPieceGlyph(int Code, QImage& Bitmap) const;
    // Draws one square at its stored Bounds onto a canvas.
    void DrawSquare(QPainter& Canvas, QPoint Square) const;
    // Redraws one square into the diagram bitmap and raises OnSquareRedrawn.
    void RedrawSquare(QPoint Square);
    // Hit test against the last rendering; Square = (-1, -1) when on no square.
    bool SquareAt(int X, int Y, QPoint& Square) const;
    void BuildPieceImages();
    // Prepared S x S picture of a code (0..16) from the plain list (transparent
    // background, ARGB32); used for drag images and animation.
    const QImage& PieceImage(int Code) const;

    // Geometry of the current settings.
    int BorderTotal() const;  // B, with every width clamped to sane bounds
    QRect SquareRect(int File, int Rank) const;
    QSize DiagramSize() const;

private:
    void Invalidate();
    void RebuildAndInvalidate();
    void InvalidateBackgrounds();
    void RaiseFocusChange();
    void PutMarks(const TBoardMarks& marks, bool fromGame);
    // Square contents were written: a game's marks no longer belong to them.
    void ContentsChanged();
    void InitSquares();
    template <class F>
    void ForSelected(F f);
    template <class T>
    bool Assign(T& field, const T& value);

    void ComposeSquare(const TSquareInfo& square, uchar* dst, qsizetype stride) const;
    const QImage& BackgroundTile(bool light) const;
    void DrawCoordinates(QPainter& p) const;
    void DrawInsideCoordinates();
    void DrawBorders();
    void DrawGrid();

    // Everything the coordinates, borders and grid are drawn from. Squares
    // are redrawn whole every time, so while this stays the same (and no
    // arrow was painted over the frame) the frame of the last rendering stands.
    struct TFrameKey {
        QSize Size;
        int SquareSize, GridLineWidth;
        TColor GridLineColor, CoordBackColor;
        TCoordenateOrientation Sides;
        bool Capitals, Inside;
        TView View;
        TCFont Font;
        std::vector<TBorderInfo> Borders;
        bool operator==(const TFrameKey&) const = default;
    };
    TFrameKey FrameKey() const;

    TSquareInfo squares_[8][8];
    TBoardMarks marks_;
    bool marksFromGame_ = false;
    TSideToMove sideToMove_ = TSideToMove::None;
    bool showSideToMove_ = false;
    TMoveState moveState_;
    std::optional<TColor> moveMarkColor_;
    TBorderArray border_;
    bool animate_ = false;
    int animationSpeed_ = 45;
    TColor borderColor_ = clBlack;
    int borderWidth_ = 2;
    TColor coordBackColor_ = clWhite;
    bool coordCapitals_ = false;
    TCoordenateOrientation coordSides_ = East | South;
    bool coordInside_ = false;
    TColor lightSquares_ = clWhite;
    TColor darkSquares_ = clSilver;
    TShading lightShading_ = shNone;
    TShading darkShading_ = shNone;
    TColor lightShadingColor_ = clBlack;
    TColor darkShadingColor_ = clBlack;
    bool lightAutoFit_ = false;
    bool darkAutoFit_ = false;
    QImage lightBitmap_;
    QImage darkBitmap_;
    TColor gridLineColor_ = clBlack;
    int gridLineWidth_ = 0;
    bool move_ = true;
    TPieceStyle pieceStyle_ = psRirozReg;
    std::shared_ptr<const TVectorPieces> pieceSet_;
    int squareSize_ = 36;
    TView view_ = vwWhiteUnder;
    TCFont font_;
    int width_ = 292;
    int height_ = 292;
    bool updating_ = false;
    TErrorReporter* errorReporter_ = nullptr;

    std::unique_ptr<TPieceImages> pieces_;
    QImage diagram_;
    std::optional<TFrameKey> frameDrawn_;  // what the frame of diagram_ shows
    mutable QImage backgroundTiles_[2];    // light, dark; rebuilt on demand
    mutable bool backgroundValid_[2] = {false, false};
};

}  // namespace vorlix
