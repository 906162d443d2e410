#pragma once
// The board settings dialog: every style setting of the board and the four
// highlight settings, edited as a scratch copy with previews and written to
// the board only by Apply.
#include <QDialog>
#include <array>
#include <functional>
#include <memory>

#include "board/BoardStyle.h"
#include "board/Borders.h"
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
class TDiagramBoard;
class TVectorPieces;

using THighlightOptions = std::array<THighlightOption, 4>;

// Help topics of the pages, in page order.
constexpr int kBrdSettingsHelpContexts[] = {2010, 2030, 2100, 2200, 2250};
constexpr int kMaxDialogBorders = 6;

class TBoardSettingsDialog : public QDialog {
    Q_OBJECT
public:
    enum TPage { pgBorders, pgCoordinates, pgHighlighting, pgMiscellaneous, pgSquares };

    // scratchFolder holds the scratch copies of chosen square images.
    TBoardSettingsDialog(TDiagramBoard& board, THighlightOptions& highlights, const QString& scratchFolder,
                         QWidget* mainWindow);
    ~TBoardSettingsDialog() override;

    // What the dialog needs of its owner; tests answer them directly.
    std::function<bool(const QString& question)> OnConfirm;  // Yes = true
    std::function<void(const QString& message)> OnError;
    std::function<QString(const QString& folder)> OnChooseImageFile;  // empty: cancelled
    std::function<void()> OnApplied;                                  // the board and highlights were written
    std::function<void(const QString& fileName)> OnScratchImage;      // a scratch copy was written
    QString BackGroundPath;  // the folder of the image chooser; follows the chosen file

    const TBoardStyle& Style() const { return style_; }
    const THighlightOptions& Highlights() const { return highlights_; }
    bool Modified() const { return modified_; }
    int ShownBorders() const { return shownBorders_; }
    int HelpContext() const;
    // The named theme chosen last; empty: none.
    const QString& ThemeName() const { return themeName_; }
    // Shows the theme as the one chosen, without changing the controls.
    void ShowTheme(const QString& name);
    // Fills the controls from the theme NAME over what they hold (what the
    // theme leaves out stays); empty: none, the controls stay. False, with the
    // error reported and the choice as it was, when the theme cannot be read.
    bool ChooseTheme(const QString& name);
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

    QWidget* CreateThemeRow();
    void LoadFromBoard();
    void SetBorderSlots(const std::vector<TBorderInfo>& borders);
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

    TDiagramBoard& board_;
    THighlightOptions& appHighlights_;
    QString scratchFolder_;
    QWidget* mainWindow_;
    TBoardStyle style_;
    THighlightOptions highlights_;
    std::array<TBorderInfo, kMaxDialogBorders> borderSlots_{};
    int shownBorders_ = 0;
    QImage lightImage_, darkImage_;  // previews; null = "(none)"
    bool lightImageOn_ = false, darkImageOn_ = false;
    bool modified_ = false;
    bool filling_ = false;
    std::unique_ptr<TDiagramBoard> previewBoard_;
    QString themeName_;
    std::shared_ptr<const TVectorPieces> pieceSet_;  // a theme's own pieces; null: the piece style's

    QTabWidget* pages_ = nullptr;
    QComboBox* theme_ = nullptr;
    QPushButton* FbtnApply = nullptr;
    QPushButton* FbtnAdd = nullptr;
    QPushButton* FbtnRemove = nullptr;
    std::array<QGroupBox*, kMaxDialogBorders> borderBoxes_{};
    std::array<TColorButton*, kMaxDialogBorders> borderColors_{};
    std::array<QSpinBox*, kMaxDialogBorders> borderWidths_{};
    std::array<QCheckBox*, 4> sides_{};
    TColorButton* fontColor_ = nullptr;
    TColorButton* coordBackColor_ = nullptr;
    QCheckBox* capitals_ = nullptr;
    QCheckBox* inside_ = nullptr;
    QCheckBox* showSideToMove_ = nullptr;
    QLabel* fontExample_ = nullptr;
    std::array<TColorButton*, 4> hlColors_{};
    std::array<QCheckBox*, 4> hlMerges_{};
    std::array<QLabel*, 2> hlExamples_{};
    std::array<QRadioButton*, 3> pieceStyles_{};
    QSpinBox* gridWidth_ = nullptr;
    TColorButton* gridColor_ = nullptr;
    QRadioButton* whiteUnder_ = nullptr;
    QRadioButton* blackUnder_ = nullptr;
    QLabel* orientationPicture_ = nullptr;
    QComboBox* squareSize_ = nullptr;
    std::unique_ptr<TSquareControls> light_, dark_;
    QLabel* preview_ = nullptr;
};

}  // namespace vorlix
