#include "board/ui/HeaderDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "board/DiagramBoard.h"
#include "board/Fonts.h"
#include "board/ui/DialogPlacement.h"
#include "board/ui/StyleChoosers.h"
#include "board/ui/StyleDialogButtons.h"
#include "help/ui/Help.h"

namespace vorlix {
namespace {

constexpr int kExampleFrame = 2;  // the picture lies this far inside the example's frame

int PreviewLeft(int alignment, int pictureWidth, int textWidth) {
    switch (alignment) {
        case taCenter: return textWidth > pictureWidth ? 0 : (pictureWidth - textWidth) / 2;
        case taRightJustify: return pictureWidth - textWidth;  // a wide text runs off the left edge
        default: return 0;
    }
}

}  // namespace

QImage HeaderPreviewPicture(const THeaderFooterInfo& line, TColor backColor, QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(ColorToQColor(backColor));
    const QFont font = MakeFont(line.Font);
    const QFontMetrics metrics(font);
    const QString text = QString::fromStdString(line.Text);
    const int textHeight = metrics.height();
    const int top = textHeight > size.height() ? 0 : (size.height() - textHeight) / 2;
    const int left = PreviewLeft(line.Alignment, size.width(), metrics.horizontalAdvance(text));
    QPainter painter(&picture);
    painter.setClipRect(picture.rect());
    painter.setFont(font);
    painter.setPen(ColorToQColor(line.Font.Color));
    painter.drawText(QPoint(left, top + metrics.ascent()), text);
    return picture;
}

THeaderDialog::THeaderDialog(THeaderKind kind, THeaderFooterInfo& record, TDiagramBoard& board, QWidget* mainWindow)
    : QDialog(mainWindow), kind_(kind), record_(record), board_(board), mainWindow_(mainWindow), scratch_(record) {
    const bool header = kind == THeaderKind::Header;
    setObjectName(header ? "frmHeader" : "frmFooter");
    setWindowTitle(header ? "Customise Header Settings" : "Customize Footer Settings");
    CreateControls();
    FillControls(scratch_, board_.CoordenateBackColor());
    SetModified(false);
}

void THeaderDialog::CreateControls() {
    const bool header = kind_ == THeaderKind::Header;
    auto* column = new QVBoxLayout(this);
    auto* box = new QGroupBox(header ? "&Header Settings:" : "&Footer Settings:", this);
    auto* grid = new QGridLayout(box);
    FchkEnabled = new QCheckBox(header ? "&Enable Headers" : "&Enable Footers", box);
    FchkEnabled->setObjectName("chkEnabled");
    FedtText = new QLineEdit(box);
    FedtText->setObjectName("edtText");
    FedtText->setMaxLength(kMaxHeaderText);
    auto* textLabel = new QLabel(header ? "&Header Text:" : "Footer &Text:", box);
    textLabel->setBuddy(FedtText);
    FcbxAlignment = new QComboBox(box);
    FcbxAlignment->setObjectName("cbxAlignment");
    FcbxAlignment->addItems({"Left Justified", "Centered", "Right Justified"});
    auto* alignmentLabel = new QLabel("A&lignment:", box);
    alignmentLabel->setBuddy(FcbxAlignment);
    FbtnBackColor = new TColorButton(box);
    FbtnBackColor->setObjectName("btnBackColor");
    auto* backLabel = new QLabel("&Back Color:", box);
    backLabel->setBuddy(FbtnBackColor);
    auto* font = new QPushButton("&Font Settings", box);
    font->setObjectName("btnFont");
    FbtnFontColor = new TColorButton(box);
    FbtnFontColor->setObjectName("btnFontColor");
    FimgExample = new QLabel(box);
    FimgExample->setObjectName("imgExample");
    FimgExample->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    FimgExample->setFixedSize(300, 44);

    grid->addWidget(FchkEnabled, 0, 0, 1, 2);
    grid->addWidget(textLabel, 1, 0);
    grid->addWidget(FedtText, 1, 1, 1, 2);
    grid->addWidget(alignmentLabel, 2, 0);
    grid->addWidget(FcbxAlignment, 2, 1);
    grid->addWidget(backLabel, 3, 0);
    grid->addWidget(FbtnBackColor, 3, 1);
    grid->addWidget(font, 4, 0);
    grid->addWidget(new QLabel("Font Color:", box), 4, 1, Qt::AlignRight);
    grid->addWidget(FbtnFontColor, 4, 2);
    grid->addWidget(new QLabel("Example:", box), 5, 0, 1, 3);
    grid->addWidget(FimgExample, 6, 0, 1, 3);
    column->addWidget(box);

    const TStyleDialogButtons buttons = AddStyleDialogButtons(this, column);
    FbtnApply = buttons.Apply;

    connect(FchkEnabled, &QCheckBox::toggled, this, [this](bool on) {
        scratch_.Enabled = on;
        Changed();
    });
    connect(FedtText, &QLineEdit::textChanged, this, [this](const QString& text) {
        scratch_.Text = text.toStdString();
        Changed();
    });
    connect(FcbxAlignment, &QComboBox::currentIndexChanged, this, [this](int index) {
        scratch_.Alignment = std::max(0, index);
        Changed();
    });
    connect(FbtnBackColor, &TColorButton::ColorChanged, this, &THeaderDialog::Changed);
    connect(FbtnFontColor, &TColorButton::ColorChanged, this, [this](TColor color) {
        scratch_.Font.Color = color;
        Changed();
    });
    connect(font, &QPushButton::clicked, this, [this] {
        if (const std::optional<TCFont> chosen = ChooseFont(scratch_.Font, this)) {
            scratch_.Font = *chosen;
            Changed();
        }
    });
    connect(buttons.Defaults, &QPushButton::clicked, this, &THeaderDialog::btnDefaultsClick);
    connect(FbtnApply, &QPushButton::clicked, this, &THeaderDialog::btnApplyClick);
}

void THeaderDialog::FillControls(const THeaderFooterInfo& line, TColor backColor) {
    filling_ = true;
    scratch_ = line;
    FchkEnabled->setChecked(line.Enabled);
    FedtText->setText(QString::fromStdString(line.Text));
    FcbxAlignment->setCurrentIndex(std::clamp<int>(line.Alignment, 0, 2));
    scratch_.Alignment = FcbxAlignment->currentIndex();
    FbtnBackColor->SetColor(backColor);
    FbtnFontColor->SetColor(line.Font.Color);
    filling_ = false;
    DrawPreview();
}

void THeaderDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnWindow(this, mainWindow_);
}

void THeaderDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) return ShowHelpTopic(HelpContext());
    QDialog::keyPressEvent(event);
}

void THeaderDialog::Changed() {
    if (filling_) return;
    SetModified(true);
    DrawPreview();
}

void THeaderDialog::SetModified(bool modified) {
    modified_ = modified;
    FbtnApply->setEnabled(modified);
}

THeaderFooterInfo THeaderDialog::Scratch() const {
    THeaderFooterInfo line = scratch_;
    line.Text = QString::fromStdString(scratch_.Text).trimmed().toStdString();
    return line;
}

TColor THeaderDialog::BackColor() const { return FbtnBackColor->Color(); }

QImage THeaderDialog::PreviewImage() const {
    const QSize size = FimgExample->size() - QSize(2 * kExampleFrame, 2 * kExampleFrame);
    return HeaderPreviewPicture(scratch_, BackColor(), size);
}

void THeaderDialog::DrawPreview() { FimgExample->setPixmap(QPixmap::fromImage(PreviewImage())); }

void THeaderDialog::btnDefaultsClick() {
    THeaderFooterInfo line = scratch_;
    line.Enabled = false;
    line.Text.clear();
    line.Alignment = taLeftJustify;
    line.Font = TCFont{clBlack, "MS Sans Serif", 12, fsBold};
    FillControls(line, clWhite);
    SetModified(true);
}

void THeaderDialog::btnApplyClick() {
    board_.SetCoordenateBackColor(BackColor());
    record_ = Scratch();
    SetModified(false);
    if (OnApplied) OnApplied();
}

}  // namespace vorlix
