#pragma once
// The header and footer dialog: edits a scratch copy of one of the two text
// lines of the diagram image and writes it back only on Apply.
#include <QDialog>
#include <QImage>
#include <functional>

#include "board/HeaderFooter.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vorlix {

class TColorButton;
class TDiagramBoard;

enum class THeaderKind { Header, Footer };

// The footer's topic is the one after the header's.
constexpr int kHeaderHelpContext = 2400;
constexpr int kFooterHelpContext = 2401;
constexpr int kMaxHeaderText = 64;

// The example line: the text in its font on the back colour, placed by its
// alignment and cut at the picture's edges.
QImage HeaderPreviewPicture(const THeaderFooterInfo& line, TColor backColor, QSize size);

class THeaderDialog : public QDialog {
    Q_OBJECT
public:
    THeaderDialog(THeaderKind kind, THeaderFooterInfo& record, TDiagramBoard& board, QWidget* mainWindow);

    // The record and the board's back colour were written.
    std::function<void()> OnApplied;

    // The record as Apply would write it.
    THeaderFooterInfo Scratch() const;
    TColor BackColor() const;
    bool Modified() const { return modified_; }
    int HelpContext() const { return kind_ == THeaderKind::Header ? kHeaderHelpContext : kFooterHelpContext; }
    QImage PreviewImage() const;

    void btnApplyClick();
    void btnDefaultsClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void FillControls(const THeaderFooterInfo& line, TColor backColor);
    void Changed();
    void SetModified(bool modified);
    void DrawPreview();

    THeaderKind kind_;
    THeaderFooterInfo& record_;
    TDiagramBoard& board_;
    QWidget* mainWindow_;
    THeaderFooterInfo scratch_;
    bool modified_ = false;
    bool filling_ = false;

    QCheckBox* FchkEnabled = nullptr;
    QLineEdit* FedtText = nullptr;
    QComboBox* FcbxAlignment = nullptr;
    TColorButton* FbtnBackColor = nullptr;
    TColorButton* FbtnFontColor = nullptr;
    QLabel* FimgExample = nullptr;
    QPushButton* FbtnApply = nullptr;
};

}  // namespace vorlix
