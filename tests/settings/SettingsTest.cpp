#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "settings/AppPaths.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"

using namespace vorlix;

namespace {

const QSize kScreen(1280, 1024);

class SettingsTest : public ::testing::Test {
protected:
    QString File() const { return dir.filePath("settings.ini"); }
    // Every stored value name, relative to the main key.
    QStringList StoredNames() const {
        QSettings ini(File(), QSettings::IniFormat);
        QStringList names;
        for (const QString& k : ini.allKeys()) names << k.mid(kMainKey.size() + 1);
        names.sort();
        return names;
    }
    void Store(const QString& key, const QString& name, const QVariant& value) {
        QSettings ini(File(), QSettings::IniFormat);
        ini.setValue(key + "/" + name, value);
    }
    QVariant Stored(const QString& key, const QString& name) const {
        QSettings ini(File(), QSettings::IniFormat);
        return ini.value(key + "/" + name);
    }
    TAppSettings Load() {
        TAppSettings s(*store);
        s.LoadSettings(kScreen);
        return s;
    }
    void Reload() { store = std::make_unique<TSettingsStore>(File()); }
    void SetUp() override { Reload(); }

    QTemporaryDir dir;
    std::unique_ptr<TSettingsStore> store;
};

}  // namespace

TEST_F(SettingsTest, FirstStartWritesExactlyTheWrittenDefaults) {
    const TAppSettings s = Load();
    QStringList expected = {"AskEPDReg",
                            "AskPGNReg",
                            "Board/Animate",
                            "Board/AnimationSpeed",
                            "Clipboard Format",
                            "DoEPDReg",
                            "DoPGNReg",
                            "Height",
                            "HighLighting/HLColor1",
                            "HighLighting/HLColor2",
                            "HighLighting/HLColor3",
                            "HighLighting/HLColor4",
                            "HighLighting/HLMerge1",
                            "HighLighting/HLMerge2",
                            "HighLighting/HLMerge3",
                            "HighLighting/HLMerge4",
                            "ImageScale",
                            "JPG Quality",
                            "Left",
                            "PlaySounds",
                            "PrintScale",
                            "ShowTips",
                            "TipIndex",
                            "Top",
                            "Width"};
    expected.sort();
    EXPECT_EQ(StoredNames(), expected);
    EXPECT_EQ(Stored(kMainKey, "Width").toInt(), 443);
    EXPECT_EQ(Stored(kMainKey, "Height").toInt(), 511);
    EXPECT_EQ(Stored(kMainKey, "Left").toInt(), (1280 - 443) / 2);
    EXPECT_EQ(Stored(kMainKey, "Top").toInt(), (1024 - 511) / 2);
    EXPECT_EQ(Stored(kMainKey, "JPG Quality").toInt(), 81);
    EXPECT_EQ(Stored(kMainKey, "Clipboard Format").toInt(), 3);
    EXPECT_EQ(Stored(kHighLightingKey, "HLColor2").toInt(), 65280);
    EXPECT_EQ(Stored(kHighLightingKey, "HLColor4").toInt(), 32768);
    EXPECT_EQ(Stored(kBoardKey, "AnimationSpeed").toInt(), 45);
    EXPECT_EQ(Stored(kBoardKey, "Animate").toInt(), 1);
    // Images start among the pictures, everything else among the documents.
    EXPECT_EQ(s.SavePath, TAppPaths::DefaultDocumentFolder(TDocumentKind::Pictures));
    EXPECT_EQ(s.BackGroundPath, s.SavePath);
    EXPECT_EQ(s.OpenPath, TAppPaths::DefaultDocumentFolder(TDocumentKind::Documents));
    EXPECT_EQ(s.SaveVXDPath, s.OpenPath);
    EXPECT_TRUE(s.ShowTool);
    EXPECT_TRUE(s.ShowCool);
}

TEST_F(SettingsTest, FoldersAndToolbarsAppearOnlyAfterTheFirstClose) {
    TAppSettings s = Load();
    s.SaveSettingsOnClose();
    const QStringList names = StoredNames();
    for (const char* name :
         {"SavePath", "SaveVXDPath", "SaveEPDPath", "OpenPath", "BackGroundPath", "ShowTool", "ShowCool"})
        EXPECT_TRUE(names.contains(name)) << name;
}

TEST_F(SettingsTest, OutOfRangeValuesAreRepairedAndWrittenBack) {
    Store(kMainKey, "ImageScale", 9);
    Store(kMainKey, "PrintScale", 12);
    Store(kMainKey, "TipIndex", 25);
    Store(kMainKey, "JPG Quality", 0);
    Store(kMainKey, "Clipboard Format", 7);
    Store(kBoardKey, "AnimationSpeed", 51);
    Store(kMainKey, "Width", 250);
    Store(kMainKey, "Height", 200);
    Store(kMainKey, "ShowTips", 1);
    Reload();
    const TAppSettings s = Load();
    EXPECT_EQ(s.ImageScale, 4);
    EXPECT_EQ(s.PrintScale, 4);
    EXPECT_EQ(s.TipIndex, 0);
    EXPECT_EQ(s.JPGQuality, 81);
    EXPECT_EQ(s.ClipboardFormat, 3);
    EXPECT_EQ(s.AnimationSpeed, 45);
    EXPECT_EQ(s.Bounds.Width, 301);
    EXPECT_EQ(s.Bounds.Height, 351);
    EXPECT_EQ(Stored(kMainKey, "ImageScale").toInt(), 4);
    EXPECT_EQ(Stored(kMainKey, "PrintScale").toInt(), 4);
    EXPECT_EQ(Stored(kMainKey, "TipIndex").toInt(), 0);
    EXPECT_EQ(Stored(kMainKey, "JPG Quality").toInt(), 81);
    EXPECT_EQ(Stored(kMainKey, "Clipboard Format").toInt(), 3);
    EXPECT_EQ(Stored(kBoardKey, "AnimationSpeed").toInt(), 45);
    EXPECT_EQ(Stored(kMainKey, "Width").toInt(), 301);
    EXPECT_EQ(Stored(kMainKey, "Height").toInt(), 351);
}

TEST_F(SettingsTest, ValuesInRangeAreKeptUntouched) {
    Store(kMainKey, "ImageScale", 7);
    Store(kMainKey, "JPG Quality", 100);
    Store(kBoardKey, "AnimationSpeed", 0);
    Store(kMainKey, "PlaySounds", 0);
    Store(kMainKey, "ShowTips", 0);
    Store(kMainKey, "TipIndex", 24);
    Reload();
    const TAppSettings s = Load();
    EXPECT_EQ(s.ImageScale, 7);
    EXPECT_EQ(s.JPGQuality, 100);
    EXPECT_EQ(s.AnimationSpeed, 0);
    EXPECT_FALSE(s.PlaySounds);
    EXPECT_FALSE(s.ShowTips);
    EXPECT_EQ(s.TipIndex, 24);
}

TEST_F(SettingsTest, ValuesOfTheWrongTypeReadAsAbsent) {
    Store(kMainKey, "Width", "wide");
    Store(kMainKey, "PlaySounds", "maybe");
    Store(kMainKey, "ShowTool", 7);  // any non-zero number is true
    Reload();
    const TAppSettings s = Load();
    EXPECT_EQ(s.Bounds.Width, 443);
    EXPECT_EQ(Stored(kMainKey, "Width").toInt(), 443);
    EXPECT_TRUE(s.PlaySounds);
    EXPECT_TRUE(s.ShowTool);
}

TEST(WindowBounds, RepairsSizeFirstThenPosition) {
    TBoundsRepairs r;
    // Too wide for the screen: the screen width, then left is checked against it.
    TWindowBounds b = RepairWindowBounds({10, 10, 2000, 400}, QSize(1024, 768), r);
    EXPECT_EQ(b.Width, 1024);
    EXPECT_EQ(b.Left, 0);
    EXPECT_TRUE(r.Width && r.Left);
    EXPECT_FALSE(r.Height || r.Top);

    // Partly off screen to the right: centred horizontally only.
    b = RepairWindowBounds({900, 100, 443, 511}, QSize(1024, 768), r);
    EXPECT_EQ(b.Left, (1024 - 443) / 2);
    EXPECT_EQ(b.Top, 100);
    EXPECT_TRUE(r.Left);
    EXPECT_FALSE(r.Top);

    b = RepairWindowBounds({-5, 700, 443, 511}, QSize(1024, 768), r);
    EXPECT_EQ(b.Left, (1024 - 443) / 2);
    EXPECT_EQ(b.Top, (768 - 511) / 2);
}

TEST_F(SettingsTest, ResizedWidthComesBackButHeightIsTheRememberedOne) {
    TAppSettings s = Load();
    s.SaveWindowBounds(20, 30, 600, 700);  // resized by the user
    s.SaveSettingsOnClose();               // no toolbar toggled: the loaded height
    Reload();
    const TAppSettings next = Load();
    EXPECT_EQ(next.Bounds.Width, 600);
    EXPECT_EQ(next.Bounds.Height, 511);
    EXPECT_EQ(next.Bounds.Left, 20);
}

TEST_F(SettingsTest, ImmediateWritersStoreTheirValues) {
    TAppSettings s = Load();
    s.ImageScale = 2;
    s.PrintScale = 9;
    s.SaveScales();
    s.JPGQuality = 55;
    s.SaveJPGQuality();
    s.Animate = false;
    s.SaveAnimate();
    s.PlaySounds = false;
    s.SavePlaySounds();
    EXPECT_EQ(Stored(kMainKey, "ImageScale").toInt(), 2);
    EXPECT_EQ(Stored(kMainKey, "PrintScale").toInt(), 9);
    EXPECT_EQ(Stored(kMainKey, "JPG Quality").toInt(), 55);
    EXPECT_EQ(Stored(kBoardKey, "Animate").toInt(), 0);
    EXPECT_EQ(Stored(kMainKey, "PlaySounds").toInt(), 0);
}

TEST_F(SettingsTest, RecentListsReplaceEverySlot) {
    Store(kMainKey, "PGN3", "/old/c.pgn");
    Store(kMainKey, "VXD6", "/old/f.vxd");
    Reload();
    TAppSettings s(*store);
    s.LoadRecentFiles();
    EXPECT_EQ(s.RecentPGN, QStringList{"/old/c.pgn"});
    s.RecentPGN = {"/a.pgn", "/b.pgn"};
    s.RecentVXD = {"/d.vxd"};
    s.SaveRecentFiles();
    EXPECT_EQ(Stored(kMainKey, "PGN1").toString(), "/a.pgn");
    EXPECT_EQ(Stored(kMainKey, "PGN2").toString(), "/b.pgn");
    EXPECT_FALSE(Stored(kMainKey, "PGN3").isValid());
    EXPECT_FALSE(Stored(kMainKey, "VXD6").isValid());
    EXPECT_EQ(Stored(kMainKey, "VXD1").toString(), "/d.vxd");
}
