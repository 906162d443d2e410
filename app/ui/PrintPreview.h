#pragma once
// The print preview: the page at a fifth of its printer pixels with the
// diagram at the print scale, which can be changed here before printing.
#include <QDialog>
#include <QImage>

#include "print/PrintedDiagram.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace vorlix {

class TPrintCommands;

class TPrintPreview : public QDialog {
    Q_OBJECT
public:
    // Draws the diagram once; the preview and its printout use that drawing.
    TPrintPreview(TPrintCommands& commands, QWidget* mainWindow);

    QComboBox* cmbScaling() const { return FcmbScaling; }
    QLabel* imgPreview() const { return FimgPreview; }
    const QImage& PagePicture() const { return page_; }

    void cmbScalingChange(int index);
    void mnuPrinterSetupClick();
    void spbPrintClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SizePagePicture();
    void DrawPagePicture();

    TPrintCommands& commands_;
    QWidget* mainWindow_;
    TPrintedDiagram diagram_;
    QImage page_;
    QComboBox* FcmbScaling = nullptr;
    QLabel* FimgPreview = nullptr;
    QScrollArea* scrollArea_ = nullptr;
};

}  // namespace vorlix
