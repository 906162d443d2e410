#pragma once
// "PGN Print Layout": the move list's print layout and its header and body fonts,
// and the notation of the move list and its printing.
#include <QDialog>

#include "viewers/PgnViewerSettings.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace vorlix {

class TPgnPrintDialog : public QDialog {
    Q_OBJECT
public:
    // Starts from the stored layout and fonts; Settings() holds the choice after "&OK".
    TPgnPrintDialog(const TMoveListPrintSettings& settings, QWidget* parent = nullptr);

    TMoveListPrintSettings Settings() const;
    QRadioButton* rbtLayout(int layout) const { return FrbtLayout[layout]; }
    QLabel* imgLayout(int layout) const { return FimgLayout[layout]; }
    QGroupBox* gpbLayout() const { return FgpbLayout; }
    QPushButton* btnHeaderFont() const { return FbtnHeaderFont; }
    QPushButton* btnBodyFont() const { return FbtnBodyFont; }
    QComboBox* cbxNotation() const { return FcbxNotation; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QGroupBox* CreateLayoutGroup();
    QGroupBox* CreateFontsGroup();
    void SpreadPictures();
    void ChooseFont(QPushButton* button, TCFont& font);

    TMoveListPrintSettings settings_;
    QGroupBox* FgpbLayout = nullptr;
    QLabel* FimgLayout[3] = {};
    QRadioButton* FrbtLayout[3] = {};
    QPushButton* FbtnHeaderFont = nullptr;
    QPushButton* FbtnBodyFont = nullptr;
    QComboBox* FcbxNotation = nullptr;
};

// The left edges of three pictures of width w spread over a client width:
// the free width is divided into four equal gaps.
std::array<int, 3> SpreadPictureLefts(int clientWidth, int pictureWidth);

}  // namespace vorlix
