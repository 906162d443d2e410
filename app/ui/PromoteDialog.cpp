#include "app/ui/PromoteDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QPixmap>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "board/DiagramBoard.h"
#include "board/ui/DialogPlacement.h"

namespace vorlix {

namespace {

constexpr int kGlyphSize = 32;
constexpr QRgb kGlyphBackground = 0xFFFF00FF;  // magenta, the glyph's transparent colour
// Code offsets from the queen of the promoting side.
constexpr int kQueenOffset = 0, kBishopOffset = 1, kKnightOffset = 2, kRookOffset = 3;

QPixmap GlyphOf(const TDiagramBoard& board, int code) {
    QImage bitmap(kGlyphSize, kGlyphSize, QImage::Format_RGB32);
    bitmap.fill(kGlyphBackground);
    board.DrawPieceGlyph(code, bitmap);
    QPixmap glyph = QPixmap::fromImage(bitmap);
    glyph.setMask(glyph.createMaskFromColor(QColor::fromRgb(kGlyphBackground)));
    return glyph;
}

}  // namespace

TPromoteDialog::TPromoteDialog(const TDiagramBoard& board, int pieceCode, QWidget* mainWindow)
    : QDialog(mainWindow), mainWindow_(mainWindow), pieceCode_(pieceCode) {
    setWindowTitle("Promotion");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    auto* group = new QGroupBox("Promote Pawn to:", this);
    FbtnQueen = MakeButton("&Queen", "btnQueen");
    FbtnRook = MakeButton("&Rook", "btnRook");
    FbtnBishop = MakeButton("&Bishop", "btnBishop");
    FbtnKnight = MakeButton("&Knight", "btnKnight");
    FbtnCancel = MakeButton("&Cancel", "btnCancel");
    FbtnCancel->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    auto* row = new QHBoxLayout(group);
    for (QToolButton* button : {FbtnQueen, FbtnRook, FbtnBishop, FbtnKnight, FbtnCancel}) row->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    DrawGlyphs(board);

    connect(FbtnQueen, &QToolButton::clicked, this, [this] { Choose(kQueenOffset); });
    connect(FbtnBishop, &QToolButton::clicked, this, [this] { Choose(kBishopOffset); });
    connect(FbtnKnight, &QToolButton::clicked, this, [this] { Choose(kKnightOffset); });
    connect(FbtnRook, &QToolButton::clicked, this, [this] { Choose(kRookOffset); });
    connect(FbtnCancel, &QToolButton::clicked, this, &TPromoteDialog::btnCancelClick);
}

QToolButton* TPromoteDialog::MakeButton(const QString& caption, const QString& name) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(kGlyphSize, kGlyphSize));
    button->setFixedSize(53, 64);
    return button;
}

void TPromoteDialog::DrawGlyphs(const TDiagramBoard& board) {
    FbtnQueen->setIcon(GlyphOf(board, pieceCode_ + kQueenOffset));
    FbtnBishop->setIcon(GlyphOf(board, pieceCode_ + kBishopOffset));
    FbtnKnight->setIcon(GlyphOf(board, pieceCode_ + kKnightOffset));
    FbtnRook->setIcon(GlyphOf(board, pieceCode_ + kRookOffset));
}

void TPromoteDialog::showEvent(QShowEvent* event) {
    adjustSize();
    CentreOnWindow(this, mainWindow_);
    QDialog::showEvent(event);
}

void TPromoteDialog::Choose(int offset) {
    pieceCode_ += offset;
    cancel_ = false;
    accept();
}

void TPromoteDialog::btnCancelClick() {
    cancel_ = true;
    reject();
}

}  // namespace vorlix
