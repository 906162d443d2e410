// A named theme in the editor: chosen in the board settings, it fills the
// dialog's controls, is kept in the Board settings for the next new diagram,
// and the editor's PNG export at 100 % is the same picture as `vorlix render`
// and `vorlix batch` with that theme.
#include <QApplication>
#include <QComboBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include "batch/ui/ColorDepthChoice.h"
#include "board/DiagramBoard.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "tests/common/EditorFixture.h"

using namespace vorlix;
using vorlix::test::EditorFixture;

namespace {

const QString kVorlix = QStringLiteral(VORLIX_BIN_DIR "/vorlix");

class ThemeJourney : public EditorFixture {
protected:
    void SetUp() override {
        oldDataHome = qgetenv("XDG_DATA_HOME");
        EditorFixture::SetUp();
        // The user's own theme folder is the test's: only the shipped themes are found.
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath("share")));
        StartEditor();
    }
    void TearDown() override {
        EditorFixture::TearDown();
        qputenv("XDG_DATA_HOME", oldDataHome);
    }
    void Trigger(const char* item) {
        QApplication::setActiveWindow(window.get());
        window->UpdateCommandStates();
        window->Item(item)->trigger();
    }
    // Runs vorlix; its output image, converted for comparing.
    QImage Vorlix(const QStringList& args, const QString& image) {
        QProcess p;
        p.start(kVorlix, args);
        EXPECT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return QImage(image).convertToFormat(QImage::Format_RGB32);
    }
    QByteArray oldDataHome;
};

TEST_F(ThemeJourney, WalnutChosenInTheBoardSettingsExportsAsTheCommandLineDrawsIt) {
    if (!QFile::exists(kVorlix)) GTEST_SKIP() << "vorlix not built";
    QStringList offered;
    QTimer::singleShot(0, [&offered] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog);
        auto* themes = dialog->findChild<QComboBox*>("cbxTheme");
        ASSERT_TRUE(themes);
        for (int i = 0; i < themes->count(); ++i) offered << themes->itemText(i);
        themes->setCurrentIndex(themes->findText("walnut"));
        dialog->findChild<QPushButton*>("btnApply")->click();
        dialog->findChild<QPushButton*>("btnCancel")->click();
    });
    Trigger("mnuConfigureBoard");
    EXPECT_EQ(offered, QStringList({"(none)", "lagoon", "print", "walnut"}));
    EXPECT_EQ(window->Board().DarkSquares(), RgbToColor(0xB58863));
    EXPECT_EQ(store->ReadString(kBoardKey, "Theme"), std::optional<QString>("walnut"));

    Trigger("mnuImageScale4");  // 100 %
    const QString editor = dir.filePath("editor.png");
    ASSERT_TRUE(window->SaveImageTo(editor, fiPNG, ciTrueColor, false));
    const QImage exported = QImage(editor).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(exported.isNull());

    const QString style = dir.filePath("default.vxd"), render = dir.filePath("render.png");
    EXPECT_EQ(Vorlix({"render", "--vxd", style, "--theme", "walnut", "-o", render}, render), exported);
    const QString epd = WriteFile("one.epd", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -\n");
    EXPECT_EQ(Vorlix({"batch", epd, "--style", style, "--theme", "walnut", "--header", "none", "--footer", "none", "-o",
                      dir.filePath("B.png")},
                     dir.filePath("B001.png")),
              exported);

    // A new diagram starts in the theme, and the dialog shows it as chosen.
    Trigger("mnuFileNew");
    EXPECT_EQ(window->Board().DarkSquares(), RgbToColor(0xB58863));
    QString shown;
    QTimer::singleShot(0, [&shown] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog);
        shown = dialog->findChild<QComboBox*>("cbxTheme")->currentText();
        dialog->findChild<QPushButton*>("btnCancel")->click();
    });
    Trigger("mnuConfigureBoard");
    EXPECT_EQ(shown, "walnut");
}

}  // namespace
