// The pages of the board settings dialog: controls and their connections.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "board/Theme.h"
#include "board/ui/BoardSettingsDialog.h"
#include "board/ui/BoardSettingsSquares.h"
#include "board/ui/Quotations.h"
#include "board/ui/StyleChoosers.h"
#include "board/ui/StyleDialogButtons.h"

namespace vorlix {
namespace {

QLabel* AddLabel(QGridLayout* grid, const QString& caption, int row, int column, QWidget* buddy = nullptr) {
    auto* label = new QLabel(caption);
    if (buddy) label->setBuddy(buddy);
    grid->addWidget(label, row, column);
    return label;
}

TColorButton* NewColorButton(const QString& name) {
    auto* button = new TColorButton;
    button->setObjectName(name);
    return button;
}

}  // namespace

QWidget* TBoardSettingsDialog::CreateThemeRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    theme_ = new QComboBox(row);
    theme_->setObjectName("cbxTheme");
    theme_->addItem("(none)", QString());
    // The user's own themes and the ones we ship, each name once.
    for (const QString& name : ThemeNames()) theme_->addItem(name, name);
    auto* label = new QLabel("&Theme:", row);
    label->setBuddy(theme_);
    layout->addWidget(label);
    layout->addWidget(theme_);
    layout->addStretch(1);
    connect(theme_, &QComboBox::currentIndexChanged, this, [this] { ChooseTheme(theme_->currentData().toString()); });
    return row;
}

QWidget* TBoardSettingsDialog::CreateBordersPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* buttons = new QHBoxLayout;
    FbtnAdd = new QPushButton("A&dd", page);
    FbtnAdd->setObjectName("btnAdd");
    FbtnRemove = new QPushButton("&Remove", page);
    FbtnRemove->setObjectName("btnRemove");
    buttons->addWidget(FbtnAdd);
    buttons->addWidget(FbtnRemove);
    buttons->addStretch(1);
    column->addLayout(buttons);
    auto* boxes = new QGridLayout;
    for (int i = 0; i < kMaxDialogBorders; ++i) {
        auto* box = new QGroupBox(QString("Border &%1:").arg(i + 1), page);
        box->setObjectName(QString("gpbBorder%1").arg(i + 1));
        auto* grid = new QGridLayout(box);
        borderColors_[i] = NewColorButton(QString("btnBorderColor%1").arg(i + 1));
        borderWidths_[i] = new QSpinBox(box);
        borderWidths_[i]->setObjectName(QString("edtBorderWidth%1").arg(i + 1));
        borderWidths_[i]->setRange(1, 12);
        borderWidths_[i]->findChild<QLineEdit*>()->setReadOnly(true);  // changed with the arrows only
        AddLabel(grid, "Border Color:", 0, 0);
        grid->addWidget(borderColors_[i], 0, 1);
        AddLabel(grid, "Border Width:", 1, 0);
        grid->addWidget(borderWidths_[i], 1, 1);
        boxes->addWidget(box, i / 2, i % 2);
        borderBoxes_[i] = box;
        connect(borderColors_[i], &TColorButton::ColorChanged, this, [this, i](TColor color) {
            borderSlots_[i].TopColor = borderSlots_[i].BottomColor = color;
            Changed();
        });
        connect(borderWidths_[i], &QSpinBox::valueChanged, this, [this, i](int width) {
            borderSlots_[i].Width = width;
            Changed();
        });
    }
    column->addLayout(boxes);
    column->addStretch(1);
    connect(FbtnAdd, &QPushButton::clicked, this, &TBoardSettingsDialog::btnAddClick);
    connect(FbtnRemove, &QPushButton::clicked, this, &TBoardSettingsDialog::btnRemoveClick);
    return page;
}

QWidget* TBoardSettingsDialog::CreateCoordinatesPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* where = new QGroupBox("&Where?:", page);
    auto* sides = new QVBoxLayout(where);
    const char* captions[] = {"North / Above board", "West / Left from board", "East / Right from board",
                              "South / Under board"};
    const char* names[] = {"chkNorth", "chkWest", "chkEast", "chkSouth"};
    const TCoordenateOrientation flags[] = {North, West, East, South};
    for (int i = 0; i < 4; ++i) {
        sides_[i] = new QCheckBox(captions[i], where);
        sides_[i]->setObjectName(names[i]);
        sides->addWidget(sides_[i]);
        connect(sides_[i], &QCheckBox::toggled, this, [this, flag = flags[i]](bool on) {
            style_.CoordSides = on ? (style_.CoordSides | flag) : (style_.CoordSides & ~flag);
            Changed();
        });
    }
    // Labels in the edge squares keep the diagram as small as one without coordinates.
    inside_ = new QCheckBox("Inside the Edge Squares", where);
    inside_->setObjectName("chkCoordsInside");
    sides->addWidget(inside_);
    connect(inside_, &QCheckBox::toggled, this, [this](bool on) {
        style_.CoordInside = on;
        Changed();
    });
    column->addWidget(where);
    // The mover mark: a small square beside the board, filled for Black, empty for White.
    showSideToMove_ = new QCheckBox("Show Side to Move", page);
    showSideToMove_->setObjectName("chkShowSideToMove");
    column->addWidget(showSideToMove_);
    connect(showSideToMove_, &QCheckBox::toggled, this, [this](bool on) {
        style_.ShowSideToMove = on;
        Changed();
    });

    auto* font = new QGroupBox("&Font:", page);
    auto* fontGrid = new QGridLayout(font);
    auto* change = new QPushButton("Change", font);
    change->setObjectName("btnFontChange");
    fontColor_ = NewColorButton("btnFontColor");
    fontExample_ = new QLabel(font);
    fontExample_->setObjectName("imgFontExample");
    fontExample_->setFixedSize(180, 48);
    fontExample_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    fontGrid->addWidget(change, 0, 0);
    AddLabel(fontGrid, "Font Color:", 1, 0);
    fontGrid->addWidget(fontColor_, 1, 1);
    fontGrid->addWidget(fontExample_, 0, 2, 2, 1);
    column->addWidget(font);
    connect(change, &QPushButton::clicked, this, [this] {
        if (const std::optional<TCFont> chosen = ChooseFont(style_.CoordFont, this)) {
            style_.CoordFont = *chosen;
            Changed();
        }
    });
    connect(fontColor_, &TColorButton::ColorChanged, this, [this](TColor color) {
        style_.CoordFont.Color = color;
        Changed();
    });

    auto* other = new QGroupBox("&Other:", page);
    auto* otherGrid = new QGridLayout(other);
    coordBackColor_ = NewColorButton("btnCoordBackColor");
    capitals_ = new QCheckBox("Coordinates in Capitals", other);
    capitals_->setObjectName("chkCapitals");
    AddLabel(otherGrid, "Back Color:", 0, 0);
    otherGrid->addWidget(coordBackColor_, 0, 1);
    otherGrid->addWidget(capitals_, 1, 0, 1, 2);
    column->addWidget(other);
    column->addStretch(1);
    connect(coordBackColor_, &TColorButton::ColorChanged, this, [this](TColor color) {
        style_.CoordBackColor = color;
        Changed();
    });
    connect(capitals_, &QCheckBox::toggled, this, [this](bool on) {
        style_.CoordInCapitals = on;
        Changed();
    });
    return page;
}

QWidget* TBoardSettingsDialog::CreateHighlightingPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* settings = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto* box = new QGroupBox(QString("Setting %1:").arg(i + 1), page);
        auto* grid = new QGridLayout(box);
        hlColors_[i] = NewColorButton(QString("btnHLColor%1").arg(i + 1));
        hlMerges_[i] = new QCheckBox("Merge with square", box);
        hlMerges_[i]->setObjectName(QString("chkHLMerge%1").arg(i + 1));
        AddLabel(grid, "Highlight Color:", 0, 0);
        grid->addWidget(hlColors_[i], 0, 1);
        grid->addWidget(hlMerges_[i], 1, 0, 1, 2);
        settings->addWidget(box, i / 2, i % 2);
        connect(hlColors_[i], &TColorButton::ColorChanged, this, [this, i](TColor color) {
            highlights_[i].Color = color;
            Changed();
        });
        connect(hlMerges_[i], &QCheckBox::toggled, this, [this, i](bool on) {
            highlights_[i].Merge = on;
            Changed();
        });
    }
    column->addLayout(settings);
    column->addWidget(new QLabel("Some highlighting examples:", page));
    auto* examples = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        hlExamples_[i] = new QLabel(page);
        hlExamples_[i]->setObjectName(QString("imgHLExample%1").arg(i + 1));
        examples->addWidget(hlExamples_[i]);
    }
    examples->addStretch(1);
    column->addLayout(examples);
    column->addStretch(1);
    return page;
}

QWidget* TBoardSettingsDialog::CreateMiscellaneousPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* styles = new QGroupBox("&Piece Style:", page);
    auto* styleGrid = new QGridLayout(styles);
    const char* captions[] = {"Riroz Regular", "Roviravo", "Roruvoz"};
    const char* names[] = {"rbtRiroz", "rbtRoviravo", "rbtRoruvoz"};
    for (int i = 0; i < 3; ++i) {
        pieceStyles_[i] = new QRadioButton(captions[i], styles);
        pieceStyles_[i]->setObjectName(names[i]);
        auto* picture = new QLabel(styles);
        picture->setPixmap(QPixmap::fromImage(PieceSetPicture(TPieceStyle(i), devicePixelRatioF())));
        styleGrid->addWidget(pieceStyles_[i], i, 0);
        styleGrid->addWidget(picture, i, 1);
        connect(pieceStyles_[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (!on) return;
            style_.PieceStyle = TPieceStyle(i);
            Changed();
        });
    }
    column->addWidget(styles);

    auto* lower = new QHBoxLayout;
    auto* grid = new QGroupBox("&Gridline Settings:", page);
    auto* gridGrid = new QGridLayout(grid);
    gridWidth_ = new QSpinBox(grid);
    gridWidth_->setObjectName("edtGridWidth");
    gridWidth_->setRange(0, 8);
    gridWidth_->findChild<QLineEdit*>()->setReadOnly(true);
    gridColor_ = NewColorButton("btnGridColor");
    AddLabel(gridGrid, "Gridline Width:", 0, 0);
    gridGrid->addWidget(gridWidth_, 0, 1);
    AddLabel(gridGrid, "Gridline Color:", 1, 0);
    gridGrid->addWidget(gridColor_, 1, 1);
    lower->addWidget(grid);
    connect(gridWidth_, &QSpinBox::valueChanged, this, [this](int width) {
        style_.GridLineWidth = width;
        Changed();
    });
    connect(gridColor_, &TColorButton::ColorChanged, this, [this](TColor color) {
        style_.GridLineColor = color;
        Changed();
    });

    auto* orientation = new QGroupBox("&Orientation:", page);
    auto* orientationGrid = new QGridLayout(orientation);
    whiteUnder_ = new QRadioButton("White Under", orientation);
    whiteUnder_->setObjectName("rbtWhiteUnder");
    blackUnder_ = new QRadioButton("Black Under", orientation);
    blackUnder_->setObjectName("rbtBlackUnder");
    orientationPicture_ = new QLabel(orientation);
    orientationGrid->addWidget(whiteUnder_, 0, 0);
    orientationGrid->addWidget(blackUnder_, 1, 0);
    orientationGrid->addWidget(orientationPicture_, 0, 1, 2, 1);
    lower->addWidget(orientation);
    column->addLayout(lower);
    connect(whiteUnder_, &QRadioButton::toggled, this, [this](bool on) {
        style_.View = on ? vwWhiteUnder : vwBlackUnder;
        Changed();
    });

    const TQuotation& quotation = RandomQuotation();
    auto* quote = new QLabel(QString("\u201C%1\u201D\n\u2014 %2").arg(quotation.Text, quotation.Author), page);
    quote->setObjectName("lblQuotation");
    quote->setWordWrap(true);
    quote->setAlignment(Qt::AlignCenter);
    QFont italic = quote->font();
    italic.setItalic(true);
    quote->setFont(italic);
    column->addWidget(quote);
    column->addStretch(1);
    return page;
}

QWidget* TBoardSettingsDialog::CreateSquaresPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* size = new QGroupBox("&Square Size:", page);
    auto* sizeRow = new QHBoxLayout(size);
    squareSize_ = new QComboBox(size);
    squareSize_->setObjectName("cbxSquareSize");
    for (int s = 32; s <= 48; s += 2) squareSize_->addItem(QString::number(s), s);
    sizeRow->addWidget(squareSize_);
    sizeRow->addStretch(1);
    column->addWidget(size);
    connect(squareSize_, &QComboBox::currentIndexChanged, this, [this] {
        style_.SquareSize = squareSize_->currentData().toInt();
        Changed();
    });
    auto* squares = new QHBoxLayout;
    squares->addWidget(CreateSquareGroup(true));
    squares->addWidget(CreateSquareGroup(false));
    column->addLayout(squares);
    column->addStretch(1);
    return page;
}

QGroupBox* TBoardSettingsDialog::CreateSquareGroup(bool light) {
    auto* box = new QGroupBox(light ? "&Light Squares:" : "Dar&k Squares:");
    const QString side = light ? "Light" : "Dark";
    TSquareControls& c = *(light ? light_ : dark_);
    auto* grid = new QGridLayout(box);
    c.Color = NewColorButton("btn" + side + "Color");
    c.Shading = new QComboBox(box);
    c.Shading->setObjectName("cbx" + side + "Shading");
    c.Shading->setIconSize(QSize(32, 14));
    for (const char* name : {"None", "Horizontal", "Vertical", "Diagonal 1", "Diagonal 2"}) c.Shading->addItem(name);
    c.ShadingColor = NewColorButton("btn" + side + "ShadingColor");
    c.ImageOn = new QCheckBox("Background Image", box);
    c.ImageOn->setObjectName("chk" + side + "Image");
    c.Change = new QPushButton("Change", box);
    c.Change->setObjectName("btn" + side + "Image");
    c.AutoFit = new QCheckBox("Fit to Square", box);
    c.AutoFit->setObjectName("chk" + side + "AutoFit");
    c.Preview = new QLabel(box);
    c.Preview->setObjectName("img" + side + "Image");
    c.Preview->setFixedSize(72, 72);
    c.Preview->setAlignment(Qt::AlignCenter);
    c.Preview->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    AddLabel(grid, "Square Color:", 0, 0);
    grid->addWidget(c.Color, 0, 1);
    AddLabel(grid, "Shading:", 1, 0, c.Shading);
    grid->addWidget(c.Shading, 1, 1);
    AddLabel(grid, "Shading Color:", 2, 0);
    grid->addWidget(c.ShadingColor, 2, 1);
    grid->addWidget(c.ImageOn, 3, 0, 1, 2);
    grid->addWidget(c.Change, 4, 0);
    grid->addWidget(c.AutoFit, 4, 1);
    grid->addWidget(c.Preview, 5, 0, 1, 2, Qt::AlignCenter);

    TSquareStyle& style = light ? style_.Light : style_.Dark;
    connect(c.Color, &TColorButton::ColorChanged, this, [this, &style](TColor color) {
        style.Color = color;
        Changed();
    });
    connect(c.Shading, &QComboBox::currentIndexChanged, this, [this, &style](int index) {
        style.Shading = TShading(std::max(0, index));
        Changed();
    });
    connect(c.ShadingColor, &TColorButton::ColorChanged, this, [this, &style](TColor color) {
        style.ShadingColor = color;
        Changed();
    });
    connect(c.AutoFit, &QCheckBox::toggled, this, [this, &style](bool on) {
        style.AutoFit = on;
        Changed();
    });
    connect(c.Change, &QPushButton::clicked, this, [this, light] { ChooseSquareImage(light); });
    connect(c.ImageOn, &QCheckBox::toggled, this, [this, light](bool on) {
        (light ? lightImageOn_ : darkImageOn_) = on;
        const bool empty = (light ? lightImage_ : darkImage_).isNull();
        if (on && empty && !filling_) ChooseSquareImage(light);
        Changed();
    });
    return box;
}

void TBoardSettingsDialog::CreateButtons() {
    const TStyleDialogButtons buttons = AddStyleDialogButtons(this, static_cast<QVBoxLayout*>(layout()));
    auto* help = new QPushButton("&Help", this);
    help->setObjectName("btnHelp");
    help->setAutoDefault(false);
    buttons.Row->insertWidget(0, help);
    FbtnApply = buttons.Apply;
    connect(help, &QPushButton::clicked, this, &TBoardSettingsDialog::btnHelpClick);
    connect(buttons.Defaults, &QPushButton::clicked, this, &TBoardSettingsDialog::btnDefaultsClick);
    connect(FbtnApply, &QPushButton::clicked, this, &TBoardSettingsDialog::btnApplyClick);
}

}  // namespace vorlix
