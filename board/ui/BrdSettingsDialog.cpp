#include "board/ui/BrdSettingsDialog.h"

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
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "board/ChessBoard.h"
#include "board/ui/BrdSettingsSquares.h"
#include "board/ui/DialogPlacement.h"
#include "board/ui/FileFilters.h"
#include "board/ui/SquareImageFile.h"
#include "board/ui/StyleChoosers.h"
#include "help/ui/Help.h"

namespace vorlix {
namespace {

const THighlightOptions kDefaultHighlights = {
    THighlightOption{0x0000FF, false}, THighlightOption{0x00FF00, false}, THighlightOption{0x000080, false},
    THighlightOption{0x008000, false}};
constexpr int kDefaultFirstBorderWidth = 2;

// A square image shown small enough for the preview box.
QPixmap PreviewPixmap(const QImage& image, QSize box) {
    if (image.isNull()) return {};
    return QPixmap::fromImage(image.width() > box.width() || image.height() > box.height()
                                  ? image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                  : image);
}

}  // namespace

TfrmBrdSettings::TfrmBrdSettings(TkxChessBrd& board, THighlightOptions& highlights, const QString& scratchFolder,
                                 QWidget* mainWindow)
    : QDialog(mainWindow),
      FBoard(board),
      FAppHighlights(highlights),
      FScratchFolder(scratchFolder),
      FMainWindow(mainWindow),
      FPreviewBoard(std::make_unique<TkxChessBrd>()),
      FLight(std::make_unique<TSquareControls>()),
      FDark(std::make_unique<TSquareControls>()) {
    setObjectName("frmBrdSettings");
    setWindowTitle("Customize Board Settings");
    auto* column = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    FPages = new QTabWidget(this);
    FPages->setObjectName("pgcSettings");
    FPages->addTab(CreateBordersPage(), "Borders");
    FPages->addTab(CreateCoordinatesPage(), "Coordinates");
    FPages->addTab(CreateHighlightingPage(), "Highlighting");
    FPages->addTab(CreateMiscellaneousPage(), "Miscellaneous");
    FPages->addTab(CreateSquaresPage(), "Squares");
    body->addWidget(FPages, 1);
    auto* previewColumn = new QVBoxLayout;
    previewColumn->addWidget(new QLabel("Preview:", this));
    FPreview = new QLabel(this);
    FPreview->setObjectName("imgPreview");
    FPreview->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    previewColumn->addWidget(FPreview, 1);
    body->addLayout(previewColumn);
    column->addLayout(body, 1);
    CreateButtons();

    // The preview shows the board's own position.
    for (int i = 0; i < 64; ++i) FPreviewBoard->SquareData()[i] = FBoard.SquareData()[i];
    FPreviewBoard->UnselectAll();
    LoadFromBoard();
    FillControls();
    SetModified(false);
}

TfrmBrdSettings::~TfrmBrdSettings() = default;

void TfrmBrdSettings::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnWindow(this, FMainWindow);
}

void TfrmBrdSettings::LoadFromBoard() {
    FStyle = ReadBoardStyle(FBoard);
    FHighlights = FAppHighlights;
    const std::vector<TBorderInfo>& borders = FStyle.Borders;
    FShownBorders = std::min<int>(int(borders.size()), kMaxDialogBorders);
    for (int i = 0; i < kMaxDialogBorders; ++i)
        FBorderSlots[i] = i < FShownBorders ? TBorderInfo{std::clamp(borders[i].Width, 1, 12), borders[i].TopColor,
                                                          borders[i].TopColor}
                                            : TBorderInfo{1, clBlack, clBlack};
    LoadSquareImages();
}

void TfrmBrdSettings::LoadSquareImages() {
    // Without an image on the board, the scratch copy of an earlier choice is offered again.
    auto load = [this](const QImage& onBoard, bool light) {
        if (!onBoard.isNull()) return onBoard;
        const QString scratch = ScratchImageName(FScratchFolder, light);
        return QFile::exists(scratch) ? LoadSquareImage(scratch) : QImage();
    };
    FLightImage = load(FStyle.Light.Bitmap, true);
    FDarkImage = load(FStyle.Dark.Bitmap, false);
    FLightImageOn = !FStyle.Light.Bitmap.isNull();
    FDarkImageOn = !FStyle.Dark.Bitmap.isNull();
}

void TfrmBrdSettings::FillControls() {
    FFilling = true;
    for (int i = 0; i < kMaxDialogBorders; ++i) {
        FBorderColors[i]->SetColor(FBorderSlots[i].TopColor);
        FBorderWidths[i]->setValue(FBorderSlots[i].Width);
    }
    const TCoordenateOrientation flags[] = {North, West, East, South};
    for (int i = 0; i < 4; ++i) FSides[i]->setChecked(FStyle.CoordSides & flags[i]);
    FFontColor->SetColor(FStyle.CoordFont.Color);
    FCoordBackColor->SetColor(FStyle.CoordBackColor);
    FCapitals->setChecked(FStyle.CoordInCapitals);
    for (int i = 0; i < 4; ++i) {
        FHLColors[i]->SetColor(FHighlights[i].Color);
        FHLMerges[i]->setChecked(FHighlights[i].Merge);
    }
    FPieceStyles[std::min<int>(FStyle.PieceStyle, 2)]->setChecked(true);
    FGridWidth->setValue(FStyle.GridLineWidth);
    FGridColor->SetColor(FStyle.GridLineColor);
    (FStyle.View == vwWhiteUnder ? FWhiteUnder : FBlackUnder)->setChecked(true);
    const int sizeIndex = FSquareSize->findData(FStyle.SquareSize);
    FSquareSize->setCurrentIndex(sizeIndex >= 0 ? sizeIndex : FSquareSize->findData(36));
    FStyle.SquareSize = FSquareSize->currentData().toInt();
    FillSquareControls(true);
    FillSquareControls(false);
    UpdateBorderBoxes();
    FFilling = false;
    RefreshPreviews();
}

void TfrmBrdSettings::FillSquareControls(bool light) {
    TSquareControls& c = *(light ? FLight : FDark);
    const TSquareStyle& style = light ? FStyle.Light : FStyle.Dark;
    c.Color->SetColor(style.Color);
    c.Shading->setCurrentIndex(std::min<int>(style.Shading, 4));
    c.ShadingColor->SetColor(style.ShadingColor);
    c.ImageOn->setChecked(light ? FLightImageOn : FDarkImageOn);
    c.AutoFit->setChecked(style.AutoFit);
}

void TfrmBrdSettings::UpdateBorderBoxes() {
    for (int i = 0; i < kMaxDialogBorders; ++i) FBorderBoxes[i]->setVisible(i < FShownBorders);
    FbtnAdd->setEnabled(FShownBorders < kMaxDialogBorders);
    FbtnRemove->setEnabled(FShownBorders > 0);
}

void TfrmBrdSettings::btnAddClick() {
    if (FShownBorders >= kMaxDialogBorders) return;
    ++FShownBorders;
    UpdateBorderBoxes();
    Changed();
}

void TfrmBrdSettings::btnRemoveClick() {
    if (FShownBorders <= 0) return;
    --FShownBorders;
    UpdateBorderBoxes();
    Changed();
}

void TfrmBrdSettings::Changed() {
    if (FFilling) return;
    SetModified(true);
    RefreshPreviews();
}

void TfrmBrdSettings::SetModified(bool modified) {
    FModified = modified;
    FbtnApply->setEnabled(modified);
}

TBoardStyle TfrmBrdSettings::StyleToApply() const {
    TBoardStyle style = FStyle;
    style.Borders.assign(FBorderSlots.begin(), FBorderSlots.begin() + FShownBorders);
    style.Light.Bitmap = FLightImageOn ? FLightImage : QImage();
    style.Dark.Bitmap = FDarkImageOn ? FDarkImage : QImage();
    return style;
}

void TfrmBrdSettings::RefreshPreviews() {
    ApplyBoardStyle(*FPreviewBoard, StyleToApply());
    FPreviewBoard->Render();
    FPreview->setPixmap(QPixmap::fromImage(DiagramForScreen(*FPreviewBoard, devicePixelRatioF())));
    DrawFontExample();
    DrawShadingItems(true);
    DrawShadingItems(false);
    DrawSquareImagePreview(true);
    DrawSquareImagePreview(false);
    DrawHighlightExamples();
    FOrientationPicture->setPixmap(
        QPixmap::fromImage(OrientationPicture(FStyle.View, FStyle.PieceStyle, devicePixelRatioF())));
}

const QImage& TfrmBrdSettings::PreviewImage() const { return FPreviewBoard->DiagramBitmap(); }

void TfrmBrdSettings::DrawFontExample() {
    const QSize size = FFontExample->size() - QSize(4, 4);
    FFontExample->setPixmap(QPixmap::fromImage(
        FontExamplePicture(FStyle.CoordFont, FStyle.CoordBackColor, FStyle.CoordInCapitals, size)));
}

void TfrmBrdSettings::DrawShadingItems(bool light) {
    TSquareControls& c = *(light ? FLight : FDark);
    const TColor pen = (light ? FStyle.Light : FStyle.Dark).ShadingColor;
    for (int i = 0; i < c.Shading->count(); ++i)
        c.Shading->setItemIcon(i, QPixmap::fromImage(ShadingSample(TShading(i), pen, c.Shading->iconSize())));
}

void TfrmBrdSettings::DrawSquareImagePreview(bool light) {
    QLabel* preview = (light ? FLight : FDark)->Preview;
    const QImage& image = light ? FLightImage : FDarkImage;
    if (image.isNull()) {
        preview->setPixmap({});
        preview->setText("(none)");
    } else {
        preview->setPixmap(PreviewPixmap(image, preview->size() - QSize(4, 4)));
    }
}

void TfrmBrdSettings::DrawHighlightExamples() {
    const TBoardStyle style = StyleToApply();
    for (int i = 0; i < 2; ++i)
        FHLExamples[i]->setPixmap(
            QPixmap::fromImage(HighlightExample(style, FHighlights[2 * i], FHighlights[2 * i + 1], devicePixelRatioF())));
}

void TfrmBrdSettings::btnDefaultsClick() {
    for (TBorderInfo& slot : FBorderSlots) slot = {1, clBlack, clBlack};
    FBorderSlots[0].Width = kDefaultFirstBorderWidth;
    FShownBorders = std::min(FShownBorders, 1);  // the first box stays shown or hidden as it was
    FStyle.CoordSides = East | South;
    FStyle.CoordInCapitals = false;
    FStyle.CoordBackColor = clWhite;
    FStyle.CoordFont = TCFont{clBlack, "MS Sans Serif", 12, fsBold};
    FStyle.PieceStyle = psRirozReg;
    FStyle.View = vwWhiteUnder;
    FStyle.GridLineWidth = 0;
    FStyle.GridLineColor = clBlack;
    FHighlights = kDefaultHighlights;
    FStyle.Light = TSquareStyle{clWhite};
    FStyle.Dark = TSquareStyle{clSilver};
    FLightImage = FDarkImage = QImage();
    FLightImageOn = FDarkImageOn = false;
    FStyle.SquareSize = 36;
    FillControls();
    SetModified(true);
}

void TfrmBrdSettings::btnApplyClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ApplyBoardStyle(FBoard, StyleToApply());
    FAppHighlights = FHighlights;
    SetModified(false);
    if (OnApplied) OnApplied();
    QApplication::restoreOverrideCursor();
}

int TfrmBrdSettings::HelpContext() const { return kBrdSettingsHelpContexts[FPages->currentIndex()]; }

void TfrmBrdSettings::btnHelpClick() { ShowHelpTopic(HelpContext()); }

void TfrmBrdSettings::ChooseSquareImage(bool light) {
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
    (light ? FLightImage : FDarkImage) = image;
    const QString scratch = ScratchImageName(FScratchFolder, light);
    if (SaveScratchImage(image, scratch) && OnScratchImage) OnScratchImage(scratch);
    Changed();
}

}  // namespace vorlix
