#include "board/DiagramBoard.h"

#include "board/BoardText.h"
#include "board/PieceImages.h"
#include "board/VectorPieces.h"
#include "rules/ChessPosition.h"

namespace vorlix {

namespace {
// Colour inversion of a square code: pieces and marks swap colour, empty stays.
int32_t InvertedCode(int32_t code) {
    if (code >= 1 && code <= 6) return code + kBlackOffset;
    if (code >= 7 && code <= 12) return code - kBlackOffset;
    if (code == pcWCross || code == pcWDot) return code + 2;
    if (code == pcBCross || code == pcBDot) return code - 2;
    return code;
}
}  // namespace

TDiagramBoard::TDiagramBoard() : border_([this] { Invalidate(); }), pieces_(std::make_unique<TPieceImages>()) {
    border_.Add({2, clBlack, clBlack});
    BuildPieceImages();
    InitSquares();
    SetStartPosition();
}

TDiagramBoard::~TDiagramBoard() = default;

void TDiagramBoard::InitSquares() {
    for (int file = 0; file < 8; ++file)
        for (int rank = 0; rank < 8; ++rank) {
            squares_[file][rank] = TSquareInfo{};
            squares_[file][rank].IsLight = (file + rank) % 2 == 1;
        }
}

// ---- Property plumbing --------------------------------------------------------

template <class T>
bool TDiagramBoard::Assign(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

void TDiagramBoard::Invalidate() {
    if (OnInvalidate && !updating_) OnInvalidate(*this);
}

void TDiagramBoard::RebuildAndInvalidate() {
    BuildPieceImages();
    Invalidate();
}

void TDiagramBoard::InvalidateBackgrounds() { backgroundValid_[0] = backgroundValid_[1] = false; }

void TDiagramBoard::RaiseFocusChange() {
    if (OnFocusChange) OnFocusChange(*this);
}

int TDiagramBoard::AnimationDelay() const {
    return animationSpeed_ >= 0 && animationSpeed_ < 50 ? 50 - animationSpeed_ : 0;
}

void TDiagramBoard::SetBorderColor(TColor value) {
    if (Assign(borderColor_, value)) Invalidate();
}

void TDiagramBoard::SetBorderWidth(int value) {
    if (value >= 0 && Assign(borderWidth_, value)) Invalidate();
}

void TDiagramBoard::SetCoordenateBackColor(TColor value) {
    if (Assign(coordBackColor_, value)) Invalidate();
}

void TDiagramBoard::SetCoordenateInCapitals(bool value) {
    if (Assign(coordCapitals_, value)) Invalidate();
}

void TDiagramBoard::SetCoordenateOrientation(TCoordenateOrientation value) {
    if (Assign(coordSides_, TCoordenateOrientation(value & kAllCoords))) Invalidate();
}

void TDiagramBoard::SetCoordenateInside(bool value) {
    if (Assign(coordInside_, value)) Invalidate();
}

void TDiagramBoard::SetLightSquares(TColor value) {
    if (!Assign(lightSquares_, value)) return;
    InvalidateBackgrounds();
    Invalidate();
}

void TDiagramBoard::SetDarkSquares(TColor value) {
    if (!Assign(darkSquares_, value)) return;
    InvalidateBackgrounds();
    Invalidate();
}

void TDiagramBoard::SetLightShading(TShading value) {
    if (value <= shDiagonalRL && Assign(lightShading_, value)) RebuildAndInvalidate();
}

void TDiagramBoard::SetDarkShading(TShading value) {
    if (value <= shDiagonalRL && Assign(darkShading_, value)) RebuildAndInvalidate();
}

void TDiagramBoard::SetLightShadingColor(TColor value) {
    if (Assign(lightShadingColor_, value) && lightShading_ != shNone) Invalidate();
}

void TDiagramBoard::SetDarkShadingColor(TColor value) {
    if (Assign(darkShadingColor_, value) && darkShading_ != shNone) Invalidate();
}

void TDiagramBoard::SetLightSquareAutoFit(bool value) {
    if (!Assign(lightAutoFit_, value)) return;
    InvalidateBackgrounds();
    if (!lightBitmap_.isNull()) Invalidate();
}

void TDiagramBoard::SetDarkSquareAutoFit(bool value) {
    if (!Assign(darkAutoFit_, value)) return;
    InvalidateBackgrounds();
    if (!darkBitmap_.isNull()) Invalidate();
}

void TDiagramBoard::SetLightSquareBitmap(const QImage& value) {
    lightBitmap_ = value.isNull() || value.width() == 0 || value.height() == 0 ? QImage() : value.copy();
    InvalidateBackgrounds();
    Invalidate();
}

void TDiagramBoard::SetDarkSquareBitmap(const QImage& value) {
    darkBitmap_ = value.isNull() || value.width() == 0 || value.height() == 0 ? QImage() : value.copy();
    InvalidateBackgrounds();
    Invalidate();
}

void TDiagramBoard::SetGridLineColor(TColor value) {
    if (Assign(gridLineColor_, value) && gridLineWidth_ > 0) Invalidate();
}

void TDiagramBoard::SetGridLineWidth(int value) {
    if (value >= 0 && value <= kMaxGridLineWidth && Assign(gridLineWidth_, value)) Invalidate();
}

void TDiagramBoard::SetPieceStyle(TPieceStyle value) {
    if (value > psRoruvoz || !Assign(pieceStyle_, value)) return;
    RebuildAndInvalidate();
    if (OnPieceStyleChange) OnPieceStyleChange(*this);
}

void TDiagramBoard::SetPieceSet(std::shared_ptr<const TVectorPieces> set) {
    if (pieceSet_ == set) return;
    pieceSet_ = std::move(set);
    RebuildAndInvalidate();
    if (OnPieceStyleChange) OnPieceStyleChange(*this);
}

const TVectorPieces& TDiagramBoard::Pieces() const { return pieceSet_ ? *pieceSet_ : TVectorPieces::Of(pieceStyle_); }

void TDiagramBoard::SetSquareSize(int value) {
    if (value < kMinSquareSize || value > kMaxSquareSize || value % 2 != 0) return;
    if (!Assign(squareSize_, value)) return;
    InvalidateBackgrounds();
    RebuildAndInvalidate();
}

void TDiagramBoard::SetView(TView value) {
    if (value <= vwBlackUnder && Assign(view_, value)) Invalidate();
}

void TDiagramBoard::SetFont(const TCFont& value) {
    if (Assign(font_, value)) Invalidate();
}

void TDiagramBoard::BuildPieceImages() {
    pieces_->Build(squareSize_, pieceStyle_, lightShading_, darkShading_, pieceSet_ ? pieceSet_->Artwork() : QImage());
}

const QImage& TDiagramBoard::PieceImage(int Code) const {
    static const QImage none;
    if (Code < 0 || Code > kMaxSquareCode) return none;
    return pieces_->Picture(TPieceImages::Plain, Code);
}

// ---- Contents ------------------------------------------------------------------

void TDiagramBoard::SetPiece(int File, int Rank, int Code) {
    if (!OnBoard({File, Rank}) || Code < 0 || Code > kMaxSquareCode) return;
    squares_[File][Rank].Piece = Code;
    ContentsChanged();
}

void TDiagramBoard::PutMarks(const TBoardMarks& marks, bool fromGame) {
    marksFromGame_ = fromGame;
    TBoardMarks kept = Normalized(marks);
    if (kept == marks_) return;
    marks_ = std::move(kept);
    Invalidate();
}

void TDiagramBoard::ContentsChanged() {
    if (!moveState_.Empty()) {
        moveState_ = {};
        Invalidate();
    }
    if (!marksFromGame_) return;
    marksFromGame_ = false;
    if (marks_.Empty()) return;
    marks_ = {};
    Invalidate();  // arrows cross squares that a one-square redraw leaves alone
}

TBoardContents TDiagramBoard::Contents() const { return {Codes(), marks_, marksFromGame_, sideToMove_, moveState_}; }

void TDiagramBoard::SetContents(const TBoardContents& contents) {
    SetCodes(contents.Codes);
    PutMarks(contents.Marks, contents.MarksFromGame);
    SetSideToMove(contents.SideToMove);
    SetMoveState(contents.MoveState);
}

void TDiagramBoard::SetSideToMove(TSideToMove value) {
    if (value <= TSideToMove::Black && Assign(sideToMove_, value) && showSideToMove_) Invalidate();
}

void TDiagramBoard::SetShowSideToMove(bool value) {
    if (Assign(showSideToMove_, value) && sideToMove_ != TSideToMove::None) Invalidate();
}

void TDiagramBoard::SetMoveMarkColor(const std::optional<TColor>& value) {
    if (Assign(moveMarkColor_, value) && (moveState_.LastMove != TLastMoveMark::None || moveState_.Check >= 0))
        Invalidate();
}

void TDiagramBoard::SetMoveState(const TMoveState& value) {
    TMoveState kept = value;
    auto onBoard = [](int square) { return square >= 0 && square < 64 ? square : -1; };
    kept.From = onBoard(kept.From);
    kept.To = onBoard(kept.To);
    kept.Check = onBoard(kept.Check);
    if (kept.From < 0 || kept.To < 0) kept.LastMove = TLastMoveMark::None;
    if (Assign(moveState_, kept)) Invalidate();
}

bool TDiagramBoard::MoverAtBottom() const {
    return sideToMove_ == (view_ == vwWhiteUnder ? TSideToMove::White : TSideToMove::Black);
}

void TDiagramBoard::ClearPiece(QPoint Square) { SetPiece(Square.x(), Square.y(), 0); }

int TDiagramBoard::SquareCode(QPoint Square) const {
    return OnBoard(Square) ? squares_[Square.x()][Square.y()].Piece : 0;
}

int TDiagramBoard::GetPiece(QPoint Square) const {
    const int code = SquareCode(Square);
    return code > 0 && code < pcWCross ? code : 0;
}

void TDiagramBoard::ClearBoard() {
    for (auto& file : squares_)
        for (auto& square : file) square.Piece = 0;
    ContentsChanged();
}

void TDiagramBoard::SetStartPosition() {
    ClearBoard();
    TChessPosition start;
    vorlix::SetStartPosition(start);
    for (int index = 0; index < 64; ++index) squares_[SquareFile(index)][SquareRank(index)].Piece = start.Board[index];
}

bool TDiagramBoard::IsEmpty() const {
    for (const auto& file : squares_)
        for (const auto& square : file)
            if (square.Piece != 0) return false;
    return true;
}

bool TDiagramBoard::FindPiece(int Code, QPoint& Square) const {
    if (IsEmpty() || !OnBoard(Square)) return false;
    for (int index = SquareIndex(Square.x(), Square.y()); index < 64; ++index) {
        if (squares_[SquareFile(index)][SquareRank(index)].Piece == Code) {
            Square = QPoint(SquareFile(index), SquareRank(index));
            return true;
        }
    }
    return false;
}

std::array<int32_t, 64> TDiagramBoard::Codes() const {
    std::array<int32_t, 64> codes{};
    for (int index = 0; index < 64; ++index)
        codes[size_t(index)] = squares_[SquareFile(index)][SquareRank(index)].Piece;
    return codes;
}

void TDiagramBoard::SetCodes(const std::array<int32_t, 64>& codes) {
    for (int index = 0; index < 64; ++index) SetPiece(SquareFile(index), SquareRank(index), codes[size_t(index)]);
}

void TDiagramBoard::EndUpdate() {
    updating_ = false;
    Invalidate();
}

void TDiagramBoard::ResetSettings() {
    BeginUpdate();
    UnselectAll();
    UnhighlightAll();
    SetStartPosition();
    ClearMarks();
    SetSideToMove(TSideToMove::None);
    SetMoveMarkColor(std::nullopt);
    border_.Assign({{2, clBlack, clBlack}});
    SetCoordenateOrientation(East | South);
    SetCoordenateBackColor(clBtnFace);
    SetCoordenateInCapitals(false);
    SetCoordenateInside(false);
    SetFont(TCFont{});
    SetPieceStyle(psRirozReg);
    SetView(vwWhiteUnder);
    SetGridLineWidth(0);
    SetGridLineColor(clBlack);
    SetLightShading(shNone);
    SetDarkShading(shNone);
    SetLightSquareBitmap(QImage());
    SetDarkSquareBitmap(QImage());
    SetLightSquareAutoFit(false);
    SetDarkSquareAutoFit(false);
    SetLightShadingColor(clBlack);
    SetDarkShadingColor(clBlack);
    SetLightSquares(clWhite);
    SetDarkSquares(clSilver);
    SetSquareSize(36);
    EndUpdate();
}

// ---- Selection -----------------------------------------------------------------

template <class F>
void TDiagramBoard::ForSelected(F f) {
    for (auto& file : squares_)
        for (auto& square : file)
            if (square.Selected) f(square);
}

void TDiagramBoard::ToggleSelection(QPoint Square) {
    if (!OnBoard(Square)) return;
    auto& square = squares_[Square.x()][Square.y()];
    square.Selected = !square.Selected;
    RaiseFocusChange();
}

bool TDiagramBoard::IsSelected(QPoint Square) const {
    return OnBoard(Square) && squares_[Square.x()][Square.y()].Selected;
}

int TDiagramBoard::SelectedCount() const {
    int count = 0;
    for (const auto& file : squares_)
        for (const auto& square : file) count += square.Selected ? 1 : 0;
    return count;
}

void TDiagramBoard::SelectAll() {
    const bool changed = SelectedCount() < 64;
    for (auto& file : squares_)
        for (auto& square : file) square.Selected = true;
    Invalidate();
    if (changed) RaiseFocusChange();
}

void TDiagramBoard::UnselectAll() {
    const bool changed = SelectedCount() > 0;
    for (auto& file : squares_)
        for (auto& square : file) square.Selected = false;
    if (changed) RaiseFocusChange();
}

void TDiagramBoard::SetPieceOnSelection(int Code) {
    if (Code < 0 || Code > kMaxSquareCode) return;
    if (SelectedCount() > 0) ContentsChanged();
    ForSelected([Code](TSquareInfo& square) {
        square.Piece = Code;
        square.Selected = false;
    });
    Invalidate();
}

void TDiagramBoard::DefectSelection() {
    if (SelectedCount() > 0) ContentsChanged();
    ForSelected([](TSquareInfo& square) { square.Piece = InvertedCode(square.Piece); });
    Invalidate();
}

int TDiagramBoard::SelectionPiece() const {
    int piece = -1;
    for (const auto& file : squares_)
        for (const auto& square : file) {
            if (!square.Selected) continue;
            if (piece == -1)
                piece = square.Piece;
            else if (piece != square.Piece)
                return -1;
        }
    return piece;
}

// ---- Highlighting --------------------------------------------------------------

namespace {
void Highlight(TSquareInfo& square, TColor color, bool merged, bool keepMerged) {
    square.Highlighted = true;
    square.HighlightColor = color;
    if (!keepMerged) square.Merged = merged;
}

void Unhighlight(TSquareInfo& square) {
    square.Highlighted = false;
    square.Merged = false;
    square.HighlightColor = clWhite;
}
}  // namespace

void TDiagramBoard::HighlightSquare(TColor Color, bool Merged, bool KeepMerged, QPoint Square) {
    if (!OnBoard(Square)) return;
    Highlight(squares_[Square.x()][Square.y()], Color, Merged, KeepMerged);
    Invalidate();
}

void TDiagramBoard::HighlightSelection(TColor Color, bool Merged, bool KeepMerged) {
    ForSelected([&](TSquareInfo& square) { Highlight(square, Color, Merged, KeepMerged); });
    Invalidate();
}

void TDiagramBoard::UnhighlightSquare(QPoint Square) {
    if (!OnBoard(Square)) return;
    Unhighlight(squares_[Square.x()][Square.y()]);
    Invalidate();
}

void TDiagramBoard::UnhighlightSelection() {
    ForSelected(Unhighlight);
    Invalidate();
}

void TDiagramBoard::UnhighlightAll() {
    for (auto& file : squares_)
        for (auto& square : file) Unhighlight(square);
    Invalidate();
}

void TDiagramBoard::SetMergeSquare(QPoint Square, bool Merged) {
    if (!OnBoard(Square)) return;
    auto& square = squares_[Square.x()][Square.y()];
    if (square.Highlighted) square.Merged = Merged;
    Invalidate();
}

void TDiagramBoard::SetMergeSelection(bool Merged) {
    ForSelected([Merged](TSquareInfo& square) {
        if (square.Highlighted) square.Merged = Merged;
    });
    Invalidate();
}

bool TDiagramBoard::SelectionUnhighlighted() const {
    for (const auto& file : squares_)
        for (const auto& square : file)
            if (square.Selected && square.Highlighted) return false;
    return true;
}

bool TDiagramBoard::SelectionMerged() const {
    for (const auto& file : squares_)
        for (const auto& square : file)
            if (square.Selected && !(square.Highlighted && square.Merged)) return false;
    return true;
}

bool TDiagramBoard::SelectionUnmerged() const {
    for (const auto& file : squares_)
        for (const auto& square : file)
            if (square.Selected && !(square.Highlighted && !square.Merged)) return false;
    return true;
}

// ---- Text forms ----------------------------------------------------------------

bool TDiagramBoard::SetPositionFromPlacement(const std::string& Text) {
    const auto codes = ReadPlacement(Text);
    if (!codes) return false;
    SetCodes(*codes);
    return true;
}

void TDiagramBoard::GetPlacementText(std::string& Text) const { Text += WritePlacement(Codes()); }

bool TDiagramBoard::SetPositionFromSetup(const std::string& Text) {
    const auto codes = ReadSetup(Text);
    if (!codes) return false;
    SetCodes(*codes);
    return true;
}

void TDiagramBoard::GetSetupText(std::string& Text) const { Text = WriteSetup(Codes()); }

void TDiagramBoard::GetTextDiagram(std::string& Text) const { Text = WriteTextDiagram(Codes(), view_); }

}  // namespace vorlix
