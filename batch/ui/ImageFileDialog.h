#pragma once
// The file save dialog with a strip below the standard controls whose options
// follow the chosen file type: colour depth and transparency (GIF, BMP, PNG),
// JPEG quality, the image scale table for the bitmap formats and any size for
// the formats drawn as outlines.
#include <QFileDialog>

#include "board/ui/FileFilters.h"
#include "imaging/ImageFormat.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

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
    int Quality() const { return quality_; }
    int ScaleIndex() const { return scaleIndex_; }
    int ScalePercent() const { return scalePercent_; }  // PNG, SVG and PDF
    // The settings' JPEG quality and image scale index, which the strip opens
    // on; a scalable format starts at the same size as the table's entry.
    void SetImageSettings(int quality, int scaleIndex);
    // A batch PDF is pages laid out at the print scaling, so the strip offers
    // no size for it there.
    void SetPdfAsPages(bool pages) { pdfAsPages_ = pages; }

    // What the file is to be written with: the chosen type and the strip's
    // options that apply to it.
    TImageOptions ImageOptions() const;

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
    QSpinBox* spbQuality() const { return FspbQuality; }
    QComboBox* cmbScale() const { return FcmbScale; }
    QSpinBox* spbScale() const { return FspbScale; }

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
    int quality_ = 81;
    int scaleIndex_ = 4;
    int scalePercent_ = 100;
    bool pdfAsPages_ = false;
    QString fileName_;
    QString initialDir_;
    QStringList nameFilters_;
    bool filling_ = false;
    QWidget* FpnlColors = nullptr;
    QLabel* FlblColors = nullptr;
    QComboBox* FcmbColors = nullptr;
    QCheckBox* FchkTransparent = nullptr;
    QLabel* FlblScale = nullptr;
    QComboBox* FcmbScale = nullptr;
    QSpinBox* FspbScale = nullptr;
    QLabel* FlblQuality = nullptr;
    QSpinBox* FspbQuality = nullptr;
};

}  // namespace vorlix
