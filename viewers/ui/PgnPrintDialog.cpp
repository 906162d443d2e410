#include "viewers/ui/PgnPrintDialog.h"

#include <QComboBox>
#include <QFontDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "board/Fonts.h"

namespace vorlix {

namespace {

constexpr int kPictureWidth = 64;
constexpr int kPictureHeight = 80;
constexpr int kPictureTop = 22;

// Small pictures of the three layouts: running text, one pair per line, three centred columns.
QPixmap LayoutPicture(int layout) {
    QPixmap pixmap(kPictureWidth, kPictureHeight);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(0, 0, kPictureWidth - 1, kPictureHeight - 1);
    p.fillRect(6, 6, 30, 3, Qt::black);  // the title and the tags
    for (int i = 0; i < 3; ++i) p.fillRect(6, 12 + 4 * i, 20 + 6 * (i % 2), 2, Qt::darkGray);
    p.drawLine(6, 26, kPictureWidth - 7, 26);
    const QColor text(0, 0, 128);
    for (int line = 0; line < 11; ++line) {
        const int y = 31 + 4 * line;
        if (layout == 0) {
            p.fillRect(6, y, line == 10 ? 24 : kPictureWidth - 12, 2, text);
        } else if (layout == 1) {
            p.fillRect(6, y, 18 + (line * 7) % 12, 2, text);
        } else {
            p.fillRect(30 - 6 - (line * 5) % 9, y, 6 + (line * 5) % 9, 2, text);
            p.fillRect(30, y, 4, 2, Qt::black);
            p.fillRect(38, y, 6 + (line * 3) % 9, 2, text);
        }
    }
    return pixmap;
}

QFont ButtonFont(const TCFont& font) {
    QFont f(ResolveFontFamily(font.Name));
    f.setBold(font.Style & fsBold);
    f.setItalic(font.Style & fsItalic);
    f.setUnderline(font.Style & fsUnderline);
    f.setStrikeOut(font.Style & fsStrikeOut);
    return f;
}

}  // namespace

std::array<int, 3> SpreadPictureLefts(int clientWidth, int pictureWidth) {
    const int gap = (clientWidth - 3 * pictureWidth) / 4;
    return {gap, 2 * gap + pictureWidth, 3 * gap + 2 * pictureWidth};
}

TPgnPrintDialog::TPgnPrintDialog(const TMoveListPrintSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setObjectName("frmPGNPrint");
    setWindowTitle("PGN Print Layout");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateLayoutGroup());
    layout->addWidget(CreateFontsGroup());
    auto* notation = new QHBoxLayout;
    FcbxNotation = new QComboBox(this);
    FcbxNotation->setObjectName("cbxNotation");
    for (const char* name : kNotationNames) FcbxNotation->addItem(name);
    FcbxNotation->setCurrentIndex(static_cast<int>(settings.Notation));
    auto* notationLabel = new QLabel("&Notation:", this);
    notationLabel->setBuddy(FcbxNotation);
    notation->addWidget(notationLabel);
    notation->addWidget(FcbxNotation, 1);
    layout->addLayout(notation);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("btnOK");
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("btnCancel");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    FrbtLayout[std::clamp(settings.Layout, 0, 2)]->setChecked(true);
}

QGroupBox* TPgnPrintDialog::CreateLayoutGroup() {
    FgpbLayout = new QGroupBox("&Layout", this);
    FgpbLayout->setObjectName("gpbLayout");
    FgpbLayout->setMinimumSize(300, kPictureTop + kPictureHeight + 36);
    for (int i = 0; i < 3; ++i) {
        FimgLayout[i] = new QLabel(FgpbLayout);
        FimgLayout[i]->setPixmap(LayoutPicture(i));
        FimgLayout[i]->resize(kPictureWidth, kPictureHeight);
        FrbtLayout[i] = new QRadioButton(FgpbLayout);
        FrbtLayout[i]->setObjectName(QString("rbtLayout%1").arg(i + 1));
        FrbtLayout[i]->adjustSize();
    }
    return FgpbLayout;
}

QGroupBox* TPgnPrintDialog::CreateFontsGroup() {
    auto* group = new QGroupBox("&Fonts:", this);
    group->setObjectName("gpbFonts");
    auto* grid = new QHBoxLayout(group);
    FbtnHeaderFont = new QPushButton(QString::fromStdString(settings_.HeaderFont.Name), group);
    FbtnHeaderFont->setObjectName("btnHeaderFont");
    FbtnHeaderFont->setFont(ButtonFont(settings_.HeaderFont));
    FbtnBodyFont = new QPushButton(QString::fromStdString(settings_.BodyFont.Name), group);
    FbtnBodyFont->setObjectName("btnBodyFont");
    FbtnBodyFont->setFont(ButtonFont(settings_.BodyFont));
    grid->addWidget(new QLabel("Header:", group));
    grid->addWidget(FbtnHeaderFont, 1);
    grid->addSpacing(12);
    grid->addWidget(new QLabel("Body:", group));
    grid->addWidget(FbtnBodyFont, 1);
    connect(FbtnHeaderFont, &QPushButton::clicked, this, [this] { ChooseFont(FbtnHeaderFont, settings_.HeaderFont); });
    connect(FbtnBodyFont, &QPushButton::clicked, this, [this] { ChooseFont(FbtnBodyFont, settings_.BodyFont); });
    return group;
}

void TPgnPrintDialog::ChooseFont(QPushButton* button, TCFont& font) {
    QFont initial = ButtonFont(font);
    initial.setPointSize(font.Size);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, this, "Font", QFontDialog::ScalableFonts);
    if (!ok) return;
    const TColor color = font.Color;
    font = FontToCFontKeepingName(chosen, color, font.Name);
    font.Size = std::clamp(chosen.pointSize() > 0 ? chosen.pointSize() : font.Size, 8, 100);
    button->setText(QString::fromStdString(font.Name));
    button->setFont(ButtonFont(font));
}

void TPgnPrintDialog::SpreadPictures() {
    const int client = FgpbLayout->contentsRect().width();
    const std::array<int, 3> lefts = SpreadPictureLefts(client, kPictureWidth);
    for (int i = 0; i < 3; ++i) {
        FimgLayout[i]->move(lefts[static_cast<size_t>(i)], kPictureTop);
        QRadioButton* radio = FrbtLayout[i];
        radio->move(lefts[static_cast<size_t>(i)] + (kPictureWidth - radio->width()) / 2,
                    kPictureTop + kPictureHeight + 6);
    }
}

void TPgnPrintDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the screen.
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
    SpreadPictures();
}

TMoveListPrintSettings TPgnPrintDialog::Settings() const {
    TMoveListPrintSettings s = settings_;
    for (int i = 0; i < 3; ++i)
        if (FrbtLayout[i]->isChecked()) s.Layout = i;
    s.Notation = static_cast<TNotation>(std::clamp(FcbxNotation->currentIndex(), 0, kNotationCount - 1));
    return s;
}

}  // namespace vorlix
