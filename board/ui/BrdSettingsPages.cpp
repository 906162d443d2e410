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

#include "board/ui/BrdSettingsDialog.h"
#include "board/ui/BrdSettingsSquares.h"
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

QWidget* TfrmBrdSettings::CreateBordersPage() {
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
        FBorderColors[i] = NewColorButton(QString("btnBorderColor%1").arg(i + 1));
        FBorderWidths[i] = new QSpinBox(box);
        FBorderWidths[i]->setObjectName(QString("edtBorderWidth%1").arg(i + 1));
        FBorderWidths[i]->setRange(1, 12);
        FBorderWidths[i]->findChild<QLineEdit*>()->setReadOnly(true);  // changed with the arrows only
        AddLabel(grid, "Border Color:", 0, 0);
        grid->addWidget(FBorderColors[i], 0, 1);
        AddLabel(grid, "Border Width:", 1, 0);
        grid->addWidget(FBorderWidths[i], 1, 1);
        boxes->addWidget(box, i / 2, i % 2);
        FBorderBoxes[i] = box;
        connect(FBorderColors[i], &TColorButton::ColorChanged, this, [this, i](TColor color) {
            FBorderSlots[i].TopColor = FBorderSlots[i].BottomColor = color;
            Changed();
        });
        connect(FBorderWidths[i], &QSpinBox::valueChanged, this, [this, i](int width) {
            FBorderSlots[i].Width = width;
            Changed();
        });
    }
    column->addLayout(boxes);
    column->addStretch(1);
    connect(FbtnAdd, &QPushButton::clicked, this, &TfrmBrdSettings::btnAddClick);
    connect(FbtnRemove, &QPushButton::clicked, this, &TfrmBrdSettings::btnRemoveClick);
    return page;
}

QWidget* TfrmBrdSettings::CreateCoordinatesPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* where = new QGroupBox("&Where?:", page);
    auto* sides = new QVBoxLayout(where);
    const char* captions[] = {"North / Above board", "West / Left from board", "East / Right from board",
                              "South / Under board"};
    const char* names[] = {"chkNorth", "chkWest", "chkEast", "chkSouth"};
    const TCoordenateOrientation flags[] = {North, West, East, South};
    for (int i = 0; i < 4; ++i) {
        FSides[i] = new QCheckBox(captions[i], where);
        FSides[i]->setObjectName(names[i]);
        sides->addWidget(FSides[i]);
        connect(FSides[i], &QCheckBox::toggled, this, [this, flag = flags[i]](bool on) {
            FStyle.CoordSides = on ? (FStyle.CoordSides | flag) : (FStyle.CoordSides & ~flag);
            Changed();
        });
    }
    column->addWidget(where);

    auto* font = new QGroupBox("&Font:", page);
    auto* fontGrid = new QGridLayout(font);
    auto* change = new QPushButton("Change", font);
    change->setObjectName("btnFontChange");
    FFontColor = NewColorButton("btnFontColor");
    FFontExample = new QLabel(font);
    FFontExample->setObjectName("imgFontExample");
    FFontExample->setFixedSize(180, 48);
    FFontExample->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    fontGrid->addWidget(change, 0, 0);
    AddLabel(fontGrid, "Font Color:", 1, 0);
    fontGrid->addWidget(FFontColor, 1, 1);
    fontGrid->addWidget(FFontExample, 0, 2, 2, 1);
    column->addWidget(font);
    connect(change, &QPushButton::clicked, this, [this] {
        if (const std::optional<TCFont> chosen = ChooseFont(FStyle.CoordFont, this)) {
            FStyle.CoordFont = *chosen;
            Changed();
        }
    });
    connect(FFontColor, &TColorButton::ColorChanged, this, [this](TColor color) {
        FStyle.CoordFont.Color = color;
        Changed();
    });

    auto* other = new QGroupBox("&Other:", page);
    auto* otherGrid = new QGridLayout(other);
    FCoordBackColor = NewColorButton("btnCoordBackColor");
    FCapitals = new QCheckBox("Coordinates in Capitals", other);
    FCapitals->setObjectName("chkCapitals");
    AddLabel(otherGrid, "Back Color:", 0, 0);
    otherGrid->addWidget(FCoordBackColor, 0, 1);
    otherGrid->addWidget(FCapitals, 1, 0, 1, 2);
    column->addWidget(other);
    column->addStretch(1);
    connect(FCoordBackColor, &TColorButton::ColorChanged, this, [this](TColor color) {
        FStyle.CoordBackColor = color;
        Changed();
    });
    connect(FCapitals, &QCheckBox::toggled, this, [this](bool on) {
        FStyle.CoordInCapitals = on;
        Changed();
    });
    return page;
}

QWidget* TfrmBrdSettings::CreateHighlightingPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* settings = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto* box = new QGroupBox(QString("Setting %1:").arg(i + 1), page);
        auto* grid = new QGridLayout(box);
        FHLColors[i] = NewColorButton(QString("btnHLColor%1").arg(i + 1));
        FHLMerges[i] = new QCheckBox("Merge with square", box);
        FHLMerges[i]->setObjectName(QString("chkHLMerge%1").arg(i + 1));
        AddLabel(grid, "Highlight Color:", 0, 0);
        grid->addWidget(FHLColors[i], 0, 1);
        grid->addWidget(FHLMerges[i], 1, 0, 1, 2);
        settings->addWidget(box, i / 2, i % 2);
        connect(FHLColors[i], &TColorButton::ColorChanged, this, [this, i](TColor color) {
            FHighlights[i].Color = color;
            Changed();
        });
        connect(FHLMerges[i], &QCheckBox::toggled, this, [this, i](bool on) {
            FHighlights[i].Merge = on;
            Changed();
        });
    }
    column->addLayout(settings);
    column->addWidget(new QLabel("Some highlighting examples:", page));
    auto* examples = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        FHLExamples[i] = new QLabel(page);
        FHLExamples[i]->setObjectName(QString("imgHLExample%1").arg(i + 1));
        examples->addWidget(FHLExamples[i]);
    }
    examples->addStretch(1);
    column->addLayout(examples);
    column->addStretch(1);
    return page;
}

QWidget* TfrmBrdSettings::CreateMiscellaneousPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* styles = new QGroupBox("&Piece Style:", page);
    auto* styleGrid = new QGridLayout(styles);
    const char* captions[] = {"Riroz Regular", "Roviravo", "Roruvoz"};
    const char* names[] = {"rbtRiroz", "rbtRoviravo", "rbtRoruvoz"};
    for (int i = 0; i < 3; ++i) {
        FPieceStyles[i] = new QRadioButton(captions[i], styles);
        FPieceStyles[i]->setObjectName(names[i]);
        auto* picture = new QLabel(styles);
        picture->setPixmap(QPixmap::fromImage(PieceSetPicture(TPieceStyle(i), devicePixelRatioF())));
        styleGrid->addWidget(FPieceStyles[i], i, 0);
        styleGrid->addWidget(picture, i, 1);
        connect(FPieceStyles[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (!on) return;
            FStyle.PieceStyle = TPieceStyle(i);
            Changed();
        });
    }
    column->addWidget(styles);

    auto* lower = new QHBoxLayout;
    auto* grid = new QGroupBox("&Gridline Settings:", page);
    auto* gridGrid = new QGridLayout(grid);
    FGridWidth = new QSpinBox(grid);
    FGridWidth->setObjectName("edtGridWidth");
    FGridWidth->setRange(0, 8);
    FGridWidth->findChild<QLineEdit*>()->setReadOnly(true);
    FGridColor = NewColorButton("btnGridColor");
    AddLabel(gridGrid, "Gridline Width:", 0, 0);
    gridGrid->addWidget(FGridWidth, 0, 1);
    AddLabel(gridGrid, "Gridline Color:", 1, 0);
    gridGrid->addWidget(FGridColor, 1, 1);
    lower->addWidget(grid);
    connect(FGridWidth, &QSpinBox::valueChanged, this, [this](int width) {
        FStyle.GridLineWidth = width;
        Changed();
    });
    connect(FGridColor, &TColorButton::ColorChanged, this, [this](TColor color) {
        FStyle.GridLineColor = color;
        Changed();
    });

    auto* orientation = new QGroupBox("&Orientation:", page);
    auto* orientationGrid = new QGridLayout(orientation);
    FWhiteUnder = new QRadioButton("White Under", orientation);
    FWhiteUnder->setObjectName("rbtWhiteUnder");
    FBlackUnder = new QRadioButton("Black Under", orientation);
    FBlackUnder->setObjectName("rbtBlackUnder");
    FOrientationPicture = new QLabel(orientation);
    orientationGrid->addWidget(FWhiteUnder, 0, 0);
    orientationGrid->addWidget(FBlackUnder, 1, 0);
    orientationGrid->addWidget(FOrientationPicture, 0, 1, 2, 1);
    lower->addWidget(orientation);
    column->addLayout(lower);
    connect(FWhiteUnder, &QRadioButton::toggled, this, [this](bool on) {
        FStyle.View = on ? vwWhiteUnder : vwBlackUnder;
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

QWidget* TfrmBrdSettings::CreateSquaresPage() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* size = new QGroupBox("&Square Size:", page);
    auto* sizeRow = new QHBoxLayout(size);
    FSquareSize = new QComboBox(size);
    FSquareSize->setObjectName("cbxSquareSize");
    for (int s = 32; s <= 48; s += 2) FSquareSize->addItem(QString::number(s), s);
    sizeRow->addWidget(FSquareSize);
    sizeRow->addStretch(1);
    column->addWidget(size);
    connect(FSquareSize, &QComboBox::currentIndexChanged, this, [this] {
        FStyle.SquareSize = FSquareSize->currentData().toInt();
        Changed();
    });
    auto* squares = new QHBoxLayout;
    squares->addWidget(CreateSquareGroup(true));
    squares->addWidget(CreateSquareGroup(false));
    column->addLayout(squares);
    column->addStretch(1);
    return page;
}

QGroupBox* TfrmBrdSettings::CreateSquareGroup(bool light) {
    auto* box = new QGroupBox(light ? "&Light Squares:" : "Dar&k Squares:");
    const QString side = light ? "Light" : "Dark";
    TSquareControls& c = *(light ? FLight : FDark);
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

    TSquareStyle& style = light ? FStyle.Light : FStyle.Dark;
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
        (light ? FLightImageOn : FDarkImageOn) = on;
        const bool empty = (light ? FLightImage : FDarkImage).isNull();
        if (on && empty && !FFilling) ChooseSquareImage(light);
        Changed();
    });
    return box;
}

void TfrmBrdSettings::CreateButtons() {
    const TStyleDialogButtons buttons = AddStyleDialogButtons(this, static_cast<QVBoxLayout*>(layout()));
    auto* help = new QPushButton("&Help", this);
    help->setObjectName("btnHelp");
    help->setAutoDefault(false);
    buttons.Row->insertWidget(0, help);
    FbtnApply = buttons.Apply;
    connect(help, &QPushButton::clicked, this, &TfrmBrdSettings::btnHelpClick);
    connect(buttons.Defaults, &QPushButton::clicked, this, &TfrmBrdSettings::btnDefaultsClick);
    connect(FbtnApply, &QPushButton::clicked, this, &TfrmBrdSettings::btnApplyClick);
}

}  // namespace vorlix
