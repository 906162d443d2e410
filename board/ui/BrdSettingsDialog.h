#pragma once
// The board settings dialog: every style setting of the board and the four
// highlight settings, edited as a scratch copy with previews and written to
// the board only by Apply.
#include <QDialog>
#include <array>
#include <functional>
#include <memory>

#include "board/BoardStyle.h"
#include "board/HighlightOption.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace vorlix {

class TColorButton;
class TkxChessBrd;

using THighlightOptions = std::array<THighlightOption, 4>;

// Help topics of the pages, in page order.
constexpr int kBrdSettingsHelpContexts[] = {2010, 2030, 2100, 2200, 2250};
constexpr int kMaxDialogBorders = 6;

class TfrmBrdSettings : public QDialog {
    Q_OBJECT
public:
    enum TPage { pgBorders, pgCoordinates, pgHighlighting, pgMiscellaneous, pgSquares };

    // scratchFolder holds the scratch copies of chosen square images.
    TfrmBrdSettings(TkxChessBrd& board, THighlightOptions& highlights, const QString& scratchFolder,
                    QWidget* mainWindow);
    ~TfrmBrdSettings() override;

    // What the dialog needs of its owner; tests answer them directly.
    std::function<bool(const QString& question)> OnConfirm;  // Yes = true
    std::function<void(const QString& message)> OnError;
    std::function<QString(const QString& folder)> OnChooseImageFile;  // empty: cancelled
    std::function<void()> OnApplied;                                  // the board and highlights were written
    std::function<void(const QString& fileName)> OnScratchImage;      // a scratch copy was written
    QString BackGroundPath;  // the folder of the image chooser; follows the chosen file

    const TBoardStyle& Style() const { return FStyle; }
    const THighlightOptions& Highlights() const { return FHighlights; }
    bool Modified() const { return FModified; }
    int ShownBorders() const { return FShownBorders; }
    int HelpContext() const;
    // The diagram as Apply would make it, with the board's position.
    const QImage& PreviewImage() const;

    void btnApplyClick();
    void btnDefaultsClick();
    void btnAddClick();
    void btnRemoveClick();
    void btnHelpClick();
    // Chooses the picture of one square colour (Change, or ticking an empty Background Image).
    void ChooseSquareImage(bool light);

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct TSquareControls;

    QWidget* CreateBordersPage();
    QWidget* CreateCoordinatesPage();
    QWidget* CreateHighlightingPage();
    QWidget* CreateMiscellaneousPage();
    QWidget* CreateSquaresPage();
    QGroupBox* CreateSquareGroup(bool light);
    void CreateButtons();

    void LoadFromBoard();
    void LoadSquareImages();
    void FillControls();
    void FillSquareControls(bool light);
    void UpdateBorderBoxes();
    void Changed();
    void SetModified(bool modified);
    void RefreshPreviews();
    void DrawFontExample();
    void DrawShadingItems(bool light);
    void DrawSquareImagePreview(bool light);
    void DrawHighlightExamples();
    TBoardStyle StyleToApply() const;

    TkxChessBrd& FBoard;
    THighlightOptions& FAppHighlights;
    QString FScratchFolder;
    QWidget* FMainWindow;
    TBoardStyle FStyle;
    THighlightOptions FHighlights;
    std::array<TBorderInfo, kMaxDialogBorders> FBorderSlots{};
    int FShownBorders = 0;
    QImage FLightImage, FDarkImage;  // previews; null = "(none)"
    bool FLightImageOn = false, FDarkImageOn = false;
    bool FModified = false;
    bool FFilling = false;
    std::unique_ptr<TkxChessBrd> FPreviewBoard;

    QTabWidget* FPages = nullptr;
    QPushButton* FbtnApply = nullptr;
    QPushButton* FbtnAdd = nullptr;
    QPushButton* FbtnRemove = nullptr;
    std::array<QGroupBox*, kMaxDialogBorders> FBorderBoxes{};
    std::array<TColorButton*, kMaxDialogBorders> FBorderColors{};
    std::array<QSpinBox*, kMaxDialogBorders> FBorderWidths{};
    std::array<QCheckBox*, 4> FSides{};
    TColorButton* FFontColor = nullptr;
    TColorButton* FCoordBackColor = nullptr;
    QCheckBox* FCapitals = nullptr;
    QLabel* FFontExample = nullptr;
    std::array<TColorButton*, 4> FHLColors{};
    std::array<QCheckBox*, 4> FHLMerges{};
    std::array<QLabel*, 2> FHLExamples{};
    std::array<QRadioButton*, 3> FPieceStyles{};
    QSpinBox* FGridWidth = nullptr;
    TColorButton* FGridColor = nullptr;
    QRadioButton* FWhiteUnder = nullptr;
    QRadioButton* FBlackUnder = nullptr;
    QLabel* FOrientationPicture = nullptr;
    QComboBox* FSquareSize = nullptr;
    std::unique_ptr<TSquareControls> FLight, FDark;
    QLabel* FPreview = nullptr;
};

}  // namespace vorlix
