// The board settings dialog as a user meets it: nothing reaches the board
// before Apply, Apply writes everything, Defaults and Cancel, the border
// limits, square images and the preview that equals the rendered diagram.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "board/DiagramBoard.h"
#include "board/DiagramFile.h"
#include "board/Fonts.h"
#include "board/ui/BoardSettingsDialog.h"
#include "board/ui/SquareImageFile.h"
#include "board/ui/StyleChoosers.h"
#include "imaging/BmpWriter.h"

using namespace vorlix;

namespace {

const THighlightOptions kAppHighlights = {THighlightOption{0x123456, true}, THighlightOption{0x00FF00, false},
                                          THighlightOption{0x000080, false}, THighlightOption{0x008000, true}};

class BrdSettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        board.SetStartPosition();
        board.Border().Assign({{3, 0x0000FF, 0x00FF00}, {1, clBlack, clBlack}});
        board.SetGridLineWidth(1);
        board.SetLightShading(shVertical);
        board.SetCoordenateInCapitals(true);
        highlights = kAppHighlights;
        dialog = std::make_unique<TBoardSettingsDialog>(board, highlights, dir.path(), nullptr);
        dialog->OnApplied = [this] { ++applied; };
        dialog->OnConfirm = [this](const QString& question) {
            questions << question;
            return answerYes;
        };
        dialog->OnError = [this](const QString& message) { errors << message; };
        dialog->OnScratchImage = [this](const QString& file) { scratch << file; };
    }
    void TearDown() override { SetColorChooser(nullptr); }

    template <class T>
    T* Find(const char* name) {
        T* found = dialog->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void Click(const char* name) { QTest::mouseClick(Find<QPushButton>(name), Qt::LeftButton); }
    bool ApplyEnabled() { return Find<QPushButton>("btnApply")->isEnabled(); }
    QString WriteBmp(const char* name, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const std::vector<uint8_t> bytes = EncodeBmp(image);
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        return file.fileName();
    }

    QTemporaryDir dir;
    TDiagram diagram;  // a style file holds the board with an empty header and footer
    TDiagramBoard& board = diagram.Board;
    THighlightOptions highlights;
    std::unique_ptr<TBoardSettingsDialog> dialog;
    int applied = 0;
    bool answerYes = true;
    QStringList questions, errors, scratch;
};

}  // namespace

TEST_F(BrdSettingsDialogTest, OpensWithTheBoardsSettingsAndApplyDisabled) {
    EXPECT_EQ(dialog->windowTitle(), "Customize Board Settings");
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_EQ(dialog->ShownBorders(), 2);
    EXPECT_EQ(Find<QSpinBox>("edtBorderWidth1")->value(), 3);
    EXPECT_TRUE(Find<QCheckBox>("chkCapitals")->isChecked());
    EXPECT_EQ(Find<QComboBox>("cbxLightShading")->currentIndex(), int(shVertical));
    EXPECT_EQ(Find<QSpinBox>("edtGridWidth")->value(), 1);
    EXPECT_TRUE(Find<QCheckBox>("chkHLMerge1")->isChecked());
    EXPECT_EQ(Find<QLabel>("imgLightImage")->text(), "(none)");
}

TEST_F(BrdSettingsDialogTest, ApplyWritesEverythingOnceAndDisablesItself) {
    Find<QCheckBox>("chkCapitals")->click();
    Find<QCheckBox>("chkNorth")->click();
    Find<QCheckBox>("chkCoordsInside")->click();
    Find<QSpinBox>("edtGridWidth")->setValue(3);
    Find<QComboBox>("cbxSquareSize")->setCurrentText("44");
    Find<QCheckBox>("chkHLMerge2")->click();
    SetColorChooser([](TColor) { return TColor(0x00AA55); });
    Click("btnDarkColor");
    Click("btnRemove");
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_TRUE(board.CoordenateInCapitals());  // nothing before Apply
    EXPECT_FALSE(board.CoordenateInside());
    EXPECT_EQ(highlights, kAppHighlights);

    Click("btnApply");
    EXPECT_EQ(applied, 1);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_FALSE(board.CoordenateInCapitals());
    EXPECT_EQ(board.CoordenateOrientation(), North | East | South);
    EXPECT_TRUE(board.CoordenateInside());
    EXPECT_EQ(board.GridLineWidth(), 3);
    EXPECT_EQ(board.SquareSize(), 44);
    EXPECT_EQ(board.DarkSquares(), TColor(0x00AA55));
    ASSERT_EQ(board.Border().Count(), 1);
    // A border whose colour was not touched keeps both of its colours...
    EXPECT_EQ(board.Border().Get(0), (TBorderInfo{3, 0x0000FF, 0x00FF00}));
    EXPECT_TRUE(highlights[1].Merge);
    EXPECT_EQ(board.LightShading(), shVertical);  // untouched settings stay
    // ... and both edges take the colour the user picks for it.
    Click("btnBorderColor1");
    Click("btnApply");
    EXPECT_EQ(board.Border().Get(0), (TBorderInfo{3, 0x00AA55, 0x00AA55}));
}

TEST_F(BrdSettingsDialogTest, DefaultsChangeTheControlsOnlyAndCancelKeepsTheBoard) {
    const QImage before = (board.Render(), board.DiagramBitmap().copy());
    Click("btnDefaults");
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_EQ(dialog->ShownBorders(), 1);  // the first box stays shown
    EXPECT_EQ(Find<QSpinBox>("edtBorderWidth1")->value(), 2);
    EXPECT_FALSE(Find<QCheckBox>("chkCapitals")->isChecked());
    EXPECT_EQ(Find<QComboBox>("cbxLightShading")->currentIndex(), 0);
    EXPECT_EQ(dialog->Highlights()[0], (THighlightOption{0x0000FF, false}));
    EXPECT_EQ(dialog->Style().CoordFont, (TCFont{clBlack, "MS Sans Serif", 12, fsBold}));
    EXPECT_EQ(dialog->Style().Dark.Color, clSilver);

    Click("btnCancel");
    EXPECT_EQ(applied, 0);
    EXPECT_EQ(highlights, kAppHighlights);
    board.Render();
    EXPECT_EQ(board.DiagramBitmap(), before);
    EXPECT_EQ(board.Border().Count(), 2);
}

TEST_F(BrdSettingsDialogTest, SixBordersAtMostAndZeroIsAllowed) {
    while (Find<QPushButton>("btnAdd")->isEnabled()) Click("btnAdd");
    EXPECT_EQ(dialog->ShownBorders(), 6);
    while (Find<QPushButton>("btnRemove")->isEnabled()) Click("btnRemove");
    EXPECT_EQ(dialog->ShownBorders(), 0);
    EXPECT_TRUE(Find<QPushButton>("btnAdd")->isEnabled());
    Click("btnApply");
    EXPECT_EQ(board.Border().Count(), 0);
}

TEST_F(BrdSettingsDialogTest, ABoardWithMoreThanSixBordersKeepsItsFirstSix) {
    std::vector<TBorderInfo> many;
    for (int i = 1; i <= 8; ++i) many.push_back({i, clBlack, clBlack});
    board.Border().Assign(many);
    TBoardSettingsDialog other(board, highlights, dir.path(), nullptr);
    EXPECT_EQ(other.ShownBorders(), 6);
    EXPECT_FALSE(other.findChild<QPushButton*>("btnAdd")->isEnabled());
    other.btnApplyClick();
    ASSERT_EQ(board.Border().Count(), 6);
    EXPECT_EQ(board.Border().Get(5).Width, 6);
}

TEST_F(BrdSettingsDialogTest, ALargeImageIsOfferedForShrinkingAndKeptAsAScratchCopy) {
    const QString file = WriteBmp("big.bmp", 300, 200);
    dialog->OnChooseImageFile = [&](const QString&) { return file; };
    Click("btnLightImage");
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], "The image you selected is quite big.\nDo you want me to (pre) shrink it?");
    ASSERT_EQ(scratch.size(), 1);
    EXPECT_TRUE(scratch[0].endsWith("/lback001.bmp"));
    EXPECT_EQ(LoadSquareImage(scratch[0]).size(), QSize(96, 64));
    EXPECT_EQ(dialog->BackGroundPath, dir.path());
    EXPECT_TRUE(ApplyEnabled());

    Find<QCheckBox>("chkLightImage")->click();  // tick it: the preview holds the picture already
    Click("btnApply");
    EXPECT_EQ(board.LightSquareBitmap().size(), QSize(96, 64));

    // Declining keeps the picture as it is; the same scratch name is used again.
    answerYes = false;
    Click("btnLightImage");
    EXPECT_EQ(LoadSquareImage(scratch.last()).size(), QSize(300, 200));
    EXPECT_EQ(scratch.last(), scratch.first());
}

TEST_F(BrdSettingsDialogTest, SmallImagesAreNotQuestionedAndBadOnesAreReported) {
    EXPECT_FALSE(OfferShrink(QSize(199, 201)));  // 39,999 pixels
    EXPECT_TRUE(OfferShrink(QSize(200, 200)));
    EXPECT_EQ(ShrunkSize(QSize(200, 300)), QSize(64, 96));
    EXPECT_EQ(ShrunkSize(QSize(100, 70)), QSize(92, 64));  // 64 * 100 / 70 = 91.4, rounded up

    QFile bad(dir.filePath("bad.jpg"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    dialog->OnChooseImageFile = [&](const QString&) { return bad.fileName(); };
    Click("btnDarkImage");
    EXPECT_EQ(errors, QStringList{"Invalid image!"});
    EXPECT_EQ(Find<QLabel>("imgDarkImage")->text(), "(none)");
    EXPECT_TRUE(scratch.isEmpty());
}

TEST_F(BrdSettingsDialogTest, TickingAnEmptyBackgroundImageOpensTheChooserAndCancellingRemovesTheBoardsImage) {
    QImage tile(40, 40, QImage::Format_RGB32);
    tile.fill(Qt::yellow);
    board.SetDarkSquareBitmap(tile);
    TBoardSettingsDialog other(board, highlights, dir.path(), nullptr);
    int chooserOpened = 0;
    other.OnChooseImageFile = [&](const QString&) {
        ++chooserOpened;
        return QString();
    };
    auto* on = other.findChild<QCheckBox*>("chkLightImage");
    on->click();
    EXPECT_EQ(chooserOpened, 1);
    EXPECT_TRUE(on->isChecked());
    other.findChild<QCheckBox*>("chkDarkImage")->click();  // untick: the dark image goes
    other.btnApplyClick();
    EXPECT_TRUE(board.LightSquareBitmap().isNull());
    EXPECT_TRUE(board.DarkSquareBitmap().isNull());
}

TEST_F(BrdSettingsDialogTest, HelpFollowsTheActivePage) {
    auto* pages = Find<QTabWidget>("pgcSettings");
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        EXPECT_EQ(dialog->HelpContext(), kBrdSettingsHelpContexts[page]);
    }
}

TEST_F(BrdSettingsDialogTest, ThePreviewIsTheDiagramThatApplyAndTheRenderCommandMake) {
    Find<QSpinBox>("edtGridWidth")->setValue(2);
    Find<QCheckBox>("chkWest")->click();
    Find<QComboBox>("cbxDarkShading")->setCurrentIndex(shDiagonalLR);
    const QImage preview = dialog->PreviewImage().copy();
    // On a screen of ratio 1 the label shows that very bitmap.
    const QImage shown = Find<QLabel>("imgPreview")->pixmap().toImage();
    EXPECT_EQ(shown.devicePixelRatio(), 1.0);
    EXPECT_EQ(shown.convertToFormat(preview.format()), preview);
    Click("btnApply");
    board.Render();
    EXPECT_EQ(board.DiagramBitmap(), preview);

    const QString tool = VORLIX_BIN_DIR "/vorlix";
    if (!QFile::exists(tool)) GTEST_SKIP() << "vorlix not built";
    const QString vxd = dir.filePath("style.vxd"), bmp = dir.filePath("style.bmp");
    SaveDiagramFile(diagram, vxd);
    QProcess render;
    render.start(tool, {"render", "--vxd", vxd, "-o", bmp});
    ASSERT_TRUE(render.waitForFinished(30000));
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
    EXPECT_EQ(LoadSquareImage(bmp), preview.convertToFormat(QImage::Format_RGB32));
}

TEST(FontRoundTrip, TheSubstituteFaceKeepsTheNameTheDiagramHad) {
    const TCFont original{0x112233, "MS Sans Serif", 14, fsBold | fsItalic};
    const TCFont back = FontToCFontKeepingName(MakeFont(original), original.Color, original.Name);
    EXPECT_EQ(back.Name, "MS Sans Serif");
    EXPECT_EQ(back.Style, fsBold | fsItalic);
    QFont other("DejaVu Serif");
    other.setPointSize(10);
    EXPECT_EQ(FontToCFontKeepingName(other, clBlack, "MS Sans Serif").Name, "DejaVu Serif");
}

TEST(FontRoundTrip, AFontDialogsFoundryNeverReachesTheDiagram) {
    struct TCase {
        const char* Chosen;    // as the font dialog answers
        const char* Previous;  // the diagram's name
        const char* Kept;
    };
    const TCase cases[] = {
        {"Nimbus Sans [urw]", "MS Sans Serif", "MS Sans Serif"},
        {"Nimbus Sans [URW]", "Microsoft Sans Serif", "Microsoft Sans Serif"},
        {"DejaVu Serif [PfEd]", "MS Sans Serif", "DejaVu Serif"},
        {"DejaVu Serif", "DejaVu Serif", "DejaVu Serif"},
    };
    for (const TCase& c : cases) {
        QFont chosen;
        chosen.setFamily(c.Chosen);
        chosen.setPointSize(12);
        EXPECT_EQ(FontToCFontKeepingName(chosen, clBlack, c.Previous).Name, c.Kept) << c.Chosen;
    }
    EXPECT_EQ(FamilyWithoutFoundry("Nimbus Sans [urw]"), "Nimbus Sans");
    EXPECT_EQ(FamilyWithoutFoundry("Nimbus Sans"), "Nimbus Sans");
}

// Themes fill the pages one over the other; a spoilt one is named and changes nothing.
TEST_F(BrdSettingsDialogTest, AThemeFillsThePagesAndASpoiltOneIsNamed) {
    const QByteArray oldDataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("share")));
    const QString own = dir.filePath("share/chess-vorlix/themes");
    ASSERT_TRUE(QDir().mkpath(own));
    QFile bad(own + "/bad.theme"), mine(own + "/mine.theme");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly) && mine.open(QIODevice::WriteOnly));
    bad.write("LightSquares = brown\n");
    mine.write("DarkSquares = #102030\nPieces = " VORLIX_TEST_DATA_DIR "/svg-pieces\n");
    bad.close(), mine.close();

    TBoardSettingsDialog other(board, highlights, dir.path(), nullptr);
    other.OnError = [this](const QString& message) { errors << message; };
    auto* themes = other.findChild<QComboBox*>("cbxTheme");
    ASSERT_TRUE(themes);
    const struct {
        const char* Name;
        const char* Error;  // empty: none
        QRgb Dark;
        const char* Shown;
    } cases[] = {
        {"lagoon", "", 0x7FA4C8, "lagoon"},
        {"bad", "bad.theme: line 1: LightSquares takes a colour", 0x7FA4C8, "lagoon"},
        {"mine", "", 0x102030, "mine"},  // over lagoon: its borders stay
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        errors.clear();
        themes->setCurrentIndex(themes->findText(c.Name));
        EXPECT_EQ(errors.size(), *c.Error ? 1 : 0);
        EXPECT_TRUE(errors.join("").contains(c.Error)) << errors.join("").toStdString();
        EXPECT_EQ(themes->currentText(), c.Shown);
        EXPECT_EQ(other.ThemeName(), c.Shown);
        EXPECT_EQ(other.Style().Dark.Color, RgbToColor(c.Dark));
        EXPECT_EQ(other.ShownBorders(), 2);
    }
    other.findChild<QPushButton*>("btnApply")->click();
    EXPECT_EQ(board.DarkSquares(), RgbToColor(0x102030));
    EXPECT_EQ(board.LightSquares(), RgbToColor(0xE8F0F8));
    EXPECT_NE(board.PieceSet(), nullptr);
    EXPECT_EQ(board.Border().Get(1), (TBorderInfo{2, RgbToColor(0x7FA4C8), RgbToColor(0x1F3A57)}));
    qputenv("XDG_DATA_HOME", oldDataHome);
}
