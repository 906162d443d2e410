#include "board/ui/BoardSettingsDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "board/DiagramBoard.h"
#include "board/Theme.h"
#include "board/VectorPieces.h"
#include "board/ui/BoardSettingsSquares.h"
#include "board/ui/DialogPlacement.h"
#include "board/ui/FileFilters.h"
#include "board/ui/SquareImageFile.h"
#include "board/ui/StyleChoosers.h"
#include "help/ui/Help.h"

namespace vorlix {
namespace {

const THighlightOptions kDefaultHighlights = {THighlightOption{0x0000FF, false}, THighlightOption{0x00FF00, false},
                                              THighlightOption{0x000080, false}, THighlightOption{0x008000, false}};
constexpr int kDefaultFirstBorderWidth = 2;

// A square image shown small enough for the preview box.
QPixmap PreviewPixmap(const QImage& image, QSize box) {
    if (image.isNull()) return {};
    return QPixmap::fromImage(image.width() > box.width() || image.height() > box.height()
                                  ? image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                  : image);
}

}  // namespace

TBoardSettingsDialog::TBoardSettingsDialog(TDiagramBoard& board, THighlightOptions& highlights,
                                           const QString& scratchFolder, QWidget* mainWindow)
    : QDialog(mainWindow),
      board_(board),
      appHighlights_(highlights),
      scratchFolder_(scratchFolder),
      mainWindow_(mainWindow),
      previewBoard_(std::make_unique<TDiagramBoard>()),
      light_(std::make_unique<TSquareControls>()),
      dark_(std::make_unique<TSquareControls>()) {
    setObjectName("frmBrdSettings");
    setWindowTitle("Customize Board Settings");
    auto* column = new QVBoxLayout(this);
    column->addWidget(CreateThemeRow());
    auto* body = new QHBoxLayout;
    pages_ = new QTabWidget(this);
    pages_->setObjectName("pgcSettings");
    pages_->addTab(CreateBordersPage(), "Borders");
    pages_->addTab(CreateCoordinatesPage(), "Coordinates");
    pages_->addTab(CreateHighlightingPage(), "Highlighting");
    pages_->addTab(CreateMiscellaneousPage(), "Miscellaneous");
    pages_->addTab(CreateSquaresPage(), "Squares");
    body->addWidget(pages_, 1);
    auto* previewColumn = new QVBoxLayout;
    previewColumn->addWidget(new QLabel("Preview:", this));
    preview_ = new QLabel(this);
    preview_->setObjectName("imgPreview");
    preview_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    previewColumn->addWidget(preview_, 1);
    body->addLayout(previewColumn);
    column->addLayout(body, 1);
    CreateButtons();

    // The preview shows the board's own position.
    for (int i = 0; i < 64; ++i) previewBoard_->SquareData()[i] = board_.SquareData()[i];
    // With its side too, White when the diagram has none, so "Show Side to Move" shows what it does.
    previewBoard_->SetSideToMove(board_.SideToMove() == TSideToMove::None ? TSideToMove::White : board_.SideToMove());
    previewBoard_->UnselectAll();
    LoadFromBoard();
    FillControls();
    SetModified(false);
}

TBoardSettingsDialog::~TBoardSettingsDialog() = default;

void TBoardSettingsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnWindow(this, mainWindow_);
}

void TBoardSettingsDialog::LoadFromBoard() {
    style_ = ReadBoardStyle(board_);
    highlights_ = appHighlights_;
    pieceSet_ = board_.PieceSet();
    SetBorderSlots(style_.Borders);
    LoadSquareImages();
}

// A border shows one colour, its top one; both are kept until the user picks
// another, so Apply does not lose a bottom colour from a file or a theme.
void TBoardSettingsDialog::SetBorderSlots(const std::vector<TBorderInfo>& borders) {
    shownBorders_ = std::min<int>(int(borders.size()), kMaxDialogBorders);
    for (int i = 0; i < kMaxDialogBorders; ++i)
        borderSlots_[i] = i < shownBorders_ ? TBorderInfo{std::clamp(borders[i].Width, 1, 12), borders[i].TopColor,
                                                          borders[i].BottomColor}
                                            : TBorderInfo{1, clBlack, clBlack};
}

void TBoardSettingsDialog::ShowTheme(const QString& name) {
    const QSignalBlocker quiet(theme_);
    const int index = theme_->findData(name);
    theme_->setCurrentIndex(std::max(0, index));
    themeName_ = index > 0 ? name : QString();
}

bool TBoardSettingsDialog::ChooseTheme(const QString& name) {
    if (name.isEmpty()) {
        // Only the remembered choice changes: Apply keeps it.
        if (!themeName_.isEmpty()) SetModified(true);
        ShowTheme({});
        return true;
    }
    TTheme theme;
    QString error;
    std::shared_ptr<const TVectorPieces> pieces;
    if (!LoadNamedTheme(name, theme, pieces, error)) {
        if (OnError) OnError(error);
        ShowTheme(themeName_);
        return false;
    }
    // The theme goes over the controls as it goes over a style file on the command line.
    TDiagramBoard scratch;
    ApplyBoardStyle(scratch, StyleToApply());
    ApplyTheme(theme, scratch);
    style_ = ReadBoardStyle(scratch);
    if (theme.Borders) SetBorderSlots(*theme.Borders);
    if (!theme.LightImage.isNull()) lightImage_ = theme.LightImage, lightImageOn_ = true;
    if (!theme.DarkImage.isNull()) darkImage_ = theme.DarkImage, darkImageOn_ = true;
    if (pieces) pieceSet_ = pieces;
    ShowTheme(name);
    FillControls();
    SetModified(true);
    return true;
}

void TBoardSettingsDialog::LoadSquareImages() {
    // Without an image on the board, the scratch copy of an earlier choice is offered again.
    auto load = [this](const QImage& onBoard, bool light) {
        if (!onBoard.isNull()) return onBoard;
        const QString scratch = ScratchImageName(scratchFolder_, light);
        return QFile::exists(scratch) ? LoadSquareImage(scratch) : QImage();
    };
    lightImage_ = load(style_.Light.Bitmap, true);
    darkImage_ = load(style_.Dark.Bitmap, false);
    lightImageOn_ = !style_.Light.Bitmap.isNull();
    darkImageOn_ = !style_.Dark.Bitmap.isNull();
}

void TBoardSettingsDialog::FillControls() {
    filling_ = true;
    for (int i = 0; i < kMaxDialogBorders; ++i) {
        borderColors_[i]->SetColor(borderSlots_[i].TopColor);
        borderWidths_[i]->setValue(borderSlots_[i].Width);
    }
    const TCoordenateOrientation flags[] = {North, West, East, South};
    for (int i = 0; i < 4; ++i) sides_[i]->setChecked(style_.CoordSides & flags[i]);
    fontColor_->SetColor(style_.CoordFont.Color);
    coordBackColor_->SetColor(style_.CoordBackColor);
    capitals_->setChecked(style_.CoordInCapitals);
    inside_->setChecked(style_.CoordInside);
    showSideToMove_->setChecked(style_.ShowSideToMove);
    for (int i = 0; i < 4; ++i) {
        hlColors_[i]->SetColor(highlights_[i].Color);
        hlMerges_[i]->setChecked(highlights_[i].Merge);
    }
    pieceStyles_[std::min<int>(style_.PieceStyle, 2)]->setChecked(true);
    gridWidth_->setValue(style_.GridLineWidth);
    gridColor_->SetColor(style_.GridLineColor);
    (style_.View == vwWhiteUnder ? whiteUnder_ : blackUnder_)->setChecked(true);
    const int sizeIndex = squareSize_->findData(style_.SquareSize);
    squareSize_->setCurrentIndex(sizeIndex >= 0 ? sizeIndex : squareSize_->findData(36));
    style_.SquareSize = squareSize_->currentData().toInt();
    FillSquareControls(true);
    FillSquareControls(false);
    UpdateBorderBoxes();
    filling_ = false;
    RefreshPreviews();
}

void TBoardSettingsDialog::FillSquareControls(bool light) {
    TSquareControls& c = *(light ? light_ : dark_);
    const TSquareStyle& style = light ? style_.Light : style_.Dark;
    c.Color->SetColor(style.Color);
    c.Shading->setCurrentIndex(std::min<int>(style.Shading, 4));
    c.ShadingColor->SetColor(style.ShadingColor);
    c.ImageOn->setChecked(light ? lightImageOn_ : darkImageOn_);
    c.AutoFit->setChecked(style.AutoFit);
}

void TBoardSettingsDialog::UpdateBorderBoxes() {
    for (int i = 0; i < kMaxDialogBorders; ++i) borderBoxes_[i]->setVisible(i < shownBorders_);
    FbtnAdd->setEnabled(shownBorders_ < kMaxDialogBorders);
    FbtnRemove->setEnabled(shownBorders_ > 0);
}

void TBoardSettingsDialog::btnAddClick() {
    if (shownBorders_ >= kMaxDialogBorders) return;
    ++shownBorders_;
    UpdateBorderBoxes();
    Changed();
}

void TBoardSettingsDialog::btnRemoveClick() {
    if (shownBorders_ <= 0) return;
    --shownBorders_;
    UpdateBorderBoxes();
    Changed();
}

void TBoardSettingsDialog::Changed() {
    if (filling_) return;
    SetModified(true);
    RefreshPreviews();
}

void TBoardSettingsDialog::SetModified(bool modified) {
    modified_ = modified;
    FbtnApply->setEnabled(modified);
}

TBoardStyle TBoardSettingsDialog::StyleToApply() const {
    TBoardStyle style = style_;
    style.Borders.assign(borderSlots_.begin(), borderSlots_.begin() + shownBorders_);
    style.Light.Bitmap = lightImageOn_ ? lightImage_ : QImage();
    style.Dark.Bitmap = darkImageOn_ ? darkImage_ : QImage();
    return style;
}

void TBoardSettingsDialog::RefreshPreviews() {
    ApplyBoardStyle(*previewBoard_, StyleToApply());
    previewBoard_->SetPieceSet(pieceSet_);
    previewBoard_->Render();
    preview_->setPixmap(QPixmap::fromImage(DiagramForScreen(*previewBoard_, devicePixelRatioF())));
    DrawFontExample();
    DrawShadingItems(true);
    DrawShadingItems(false);
    DrawSquareImagePreview(true);
    DrawSquareImagePreview(false);
    DrawHighlightExamples();
    orientationPicture_->setPixmap(
        QPixmap::fromImage(OrientationPicture(style_.View, style_.PieceStyle, devicePixelRatioF())));
}

const QImage& TBoardSettingsDialog::PreviewImage() const { return previewBoard_->DiagramBitmap(); }

void TBoardSettingsDialog::DrawFontExample() {
    const QSize size = fontExample_->size() - QSize(4, 4);
    fontExample_->setPixmap(
        QPixmap::fromImage(FontExamplePicture(style_.CoordFont, style_.CoordBackColor, style_.CoordInCapitals, size)));
}

void TBoardSettingsDialog::DrawShadingItems(bool light) {
    TSquareControls& c = *(light ? light_ : dark_);
    const TColor pen = (light ? style_.Light : style_.Dark).ShadingColor;
    for (int i = 0; i < c.Shading->count(); ++i)
        c.Shading->setItemIcon(i, QPixmap::fromImage(ShadingSample(TShading(i), pen, c.Shading->iconSize())));
}

void TBoardSettingsDialog::DrawSquareImagePreview(bool light) {
    QLabel* preview = (light ? light_ : dark_)->Preview;
    const QImage& image = light ? lightImage_ : darkImage_;
    if (image.isNull()) {
        preview->setPixmap({});
        preview->setText("(none)");
    } else {
        preview->setPixmap(PreviewPixmap(image, preview->size() - QSize(4, 4)));
    }
}

void TBoardSettingsDialog::DrawHighlightExamples() {
    const TBoardStyle style = StyleToApply();
    for (int i = 0; i < 2; ++i)
        hlExamples_[i]->setPixmap(QPixmap::fromImage(
            HighlightExample(style, highlights_[2 * i], highlights_[2 * i + 1], devicePixelRatioF())));
}

void TBoardSettingsDialog::btnDefaultsClick() {
    for (TBorderInfo& slot : borderSlots_) slot = {1, clBlack, clBlack};
    borderSlots_[0].Width = kDefaultFirstBorderWidth;
    shownBorders_ = std::min(shownBorders_, 1);  // the first box stays shown or hidden as it was
    style_.CoordSides = East | South;
    style_.CoordInCapitals = false;
    style_.CoordInside = false;
    style_.ShowSideToMove = false;
    style_.MoveMarkColor.reset();
    style_.CoordBackColor = clWhite;
    style_.CoordFont = TCFont{clBlack, "MS Sans Serif", 12, fsBold};
    style_.PieceStyle = psRirozReg;
    style_.View = vwWhiteUnder;
    style_.GridLineWidth = 0;
    style_.GridLineColor = clBlack;
    highlights_ = kDefaultHighlights;
    style_.Light = TSquareStyle{clWhite};
    style_.Dark = TSquareStyle{clSilver};
    lightImage_ = darkImage_ = QImage();
    lightImageOn_ = darkImageOn_ = false;
    style_.SquareSize = 36;
    pieceSet_.reset();
    ShowTheme({});
    FillControls();
    SetModified(true);
}

void TBoardSettingsDialog::btnApplyClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ApplyBoardStyle(board_, StyleToApply());
    board_.SetPieceSet(pieceSet_);
    appHighlights_ = highlights_;
    SetModified(false);
    if (OnApplied) OnApplied();
    QApplication::restoreOverrideCursor();
}

int TBoardSettingsDialog::HelpContext() const { return kBrdSettingsHelpContexts[pages_->currentIndex()]; }

void TBoardSettingsDialog::btnHelpClick() { ShowHelpTopic(HelpContext()); }

void TBoardSettingsDialog::ChooseSquareImage(bool light) {
    const QString file = OnChooseImageFile ? OnChooseImageFile(BackGroundPath)
                                           : ChooseFileToOpen(this, "Open", BackGroundPath, kSquareImageFilter);
    if (file.isEmpty()) return;
    BackGroundPath = QFileInfo(file).absolutePath();
    QImage image = LoadSquareImage(file);
    if (image.isNull()) {
        if (OnError) OnError("Invalid image!");
        return;
    }
    if (OfferShrink(image.size()) && OnConfirm &&
        OnConfirm("The image you selected is quite big.\nDo you want me to (pre) shrink it?"))
        image = ShrinkSquareImage(image);
    (light ? lightImage_ : darkImage_) = image;
    const QString scratch = ScratchImageName(scratchFolder_, light);
    if (SaveScratchImage(image, scratch) && OnScratchImage) OnScratchImage(scratch);
    Changed();
}

}  // namespace vorlix
