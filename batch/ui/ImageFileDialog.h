#pragma once
// The file save dialog with a strip below the standard controls for the colour
// depth of the image and the transparency of GIF files.
#include <QFileDialog>

#include "board/ui/FileFilters.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace vorlix {

inline const QString kImageSaveFilter = "Gif Image (*.gif)|*.gif|Jpeg Image (*.jpg)|*.jpg|Bitmap Image (*.bmp)|*.bmp";
// The batch tools also write PNG and SVG (drawn at any size); the editor's Save
// as Image offers PDF as well.
inline const QString kBatchImageSaveFilter = kImageSaveFilter + "|PNG Image (*.png)|*.png|SVG Image (*.svg)|*.svg";
inline const QString kScalableImageSaveFilter = kBatchImageSaveFilter + "|PDF Document (*.pdf)|*.pdf";

class TImageFileDialog : public QFileDialog {
    Q_OBJECT
public:
    explicit TImageFileDialog(QWidget* parent = nullptr);

    // True when the user chose a file; FileName, FilterIndex, ColorIndex and
    // Transparent then hold the choices.
    bool Execute();

    int ColorIndex() const { return colorIndex_; }
    void SetColorIndex(int index) { colorIndex_ = index; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent) { transparent_ = transparent; }

    void SetFilter(const QString& pairs);
    int FilterIndex() const;  // 1-based
    void SetFilterIndex(int index);

    QString FileName() const;
    void SetFileName(const QString& fileName);
    QString InitialDir() const { return initialDir_; }
    void SetInitialDir(const QString& folder) { initialDir_ = folder; }

    // The strip's controls, for callers that look at them.
    QComboBox* cmbColors() const { return FcmbColors; }
    QCheckBox* chkTransparent() const { return FchkTransparent; }

    // Lays out and fills the strip for the current file type; runs when the
    // dialog shows and whenever the user picks another type.
    void RefreshStrip();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* CreateStrip();
    void cmbColorsChange(int row);
    void chkTransparentClick(bool checked);

    int colorIndex_ = 0;
    bool transparent_ = false;
    QString fileName_;
    QString initialDir_;
    QStringList nameFilters_;
    bool filling_ = false;
    QWidget* FpnlColors = nullptr;
    QLabel* FlblColors = nullptr;
    QComboBox* FcmbColors = nullptr;
    QCheckBox* FchkTransparent = nullptr;
};

}  // namespace vorlix
