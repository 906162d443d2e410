#include "settings/Settings.h"

#include <QFileInfo>

#include "settings/AppPaths.h"
#include "settings/SettingsStore.h"

namespace vorlix {
namespace {

constexpr std::array<TColor, 4> kDefaultHighlightColors = {255, 65280, 128, 32768};
constexpr int kMaxImageScale = 7;
constexpr int kMaxPrintScale = 11;
constexpr int kMaxTipIndex = 24;
constexpr int kMaxClipboardFormat = 6;
constexpr int kMaxAnimationSpeed = 50;
constexpr int kMaxViewerColumn = 800;

}  // namespace

int TAppSettings::LoadRangedInteger(const QString& key, const QString& name, int lo, int hi, int fallback) {
    const std::optional<int> stored = store_.ReadInteger(key, name);
    if (stored && *stored >= lo && *stored <= hi) return *stored;
    store_.WriteInteger(key, name, fallback);
    return fallback;
}

bool TAppSettings::LoadWrittenBool(const QString& key, const QString& name, bool fallback) {
    if (const std::optional<bool> stored = store_.ReadBool(key, name)) return *stored;
    store_.WriteBool(key, name, fallback);
    return fallback;
}

QString TAppSettings::SettingsFolder() const { return QFileInfo(store_.FileName()).absolutePath() + "/"; }

QString TAppSettings::LoadFolder(const QString& name, const QString& fallback) {
    return store_.ReadString(kMainKey, name).value_or(fallback);
}

void TAppSettings::LoadWindowBounds(QSize screen) {
    TStoredBounds stored{store_.ReadInteger(kMainKey, "Left"), store_.ReadInteger(kMainKey, "Top"),
                         store_.ReadInteger(kMainKey, "Width"), store_.ReadInteger(kMainKey, "Height")};
    TBoundsRepairs repairs;
    Bounds = RepairWindowBounds(stored, screen, repairs);
    if (repairs.Width) store_.WriteInteger(kMainKey, "Width", Bounds.Width);
    if (repairs.Height) store_.WriteInteger(kMainKey, "Height", Bounds.Height);
    if (repairs.Left) store_.WriteInteger(kMainKey, "Left", Bounds.Left);
    if (repairs.Top) store_.WriteInteger(kMainKey, "Top", Bounds.Top);
    RememberedHeight = Bounds.Height;
}

void TAppSettings::LoadHighlighting() {
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i + 1);
        const std::optional<int> color = store_.ReadInteger(kHighLightingKey, "HLColor" + n);
        HighLight[i].Color = color ? static_cast<TColor>(*color) : kDefaultHighlightColors[i];
        if (!color) store_.WriteInteger(kHighLightingKey, "HLColor" + n, int(HighLight[i].Color));
        HighLight[i].Merge = LoadWrittenBool(kHighLightingKey, "HLMerge" + n, false);
    }
}

void TAppSettings::LoadSettings(QSize screen) {
    ImageScale = LoadRangedInteger(kMainKey, "ImageScale", 0, kMaxImageScale, kDefaultImageScale);
    PrintScale = LoadRangedInteger(kMainKey, "PrintScale", 0, kMaxPrintScale, kDefaultPrintScale);
    LoadWindowBounds(screen);
    ShowTool = store_.ReadBool(kMainKey, "ShowTool").value_or(true);
    ShowCool = store_.ReadBool(kMainKey, "ShowCool").value_or(true);
    const std::optional<bool> showTips = store_.ReadBool(kMainKey, "ShowTips");
    ShowTips = showTips.value_or(true);
    if (!showTips) {
        // A first start shows the tips from the beginning.
        store_.WriteBool(kMainKey, "ShowTips", true);
        store_.WriteInteger(kMainKey, "TipIndex", 0);
    }
    TipIndex = LoadRangedInteger(kMainKey, "TipIndex", 0, kMaxTipIndex, 0);
    PlaySounds = LoadWrittenBool(kMainKey, "PlaySounds", true);
    // The dialogs start among the user's files, never in the program's folder.
    const QString documents = TAppPaths::DefaultDocumentFolder(TDocumentKind::Documents);
    const QString pictures = TAppPaths::DefaultDocumentFolder(TDocumentKind::Pictures);
    SavePath = LoadFolder("SavePath", pictures);
    SaveVXDPath = LoadFolder("SaveVXDPath", documents);
    SaveEPDPath = LoadFolder("SaveEPDPath", documents);
    OpenPath = LoadFolder("OpenPath", documents);
    BackGroundPath = LoadFolder("BackGroundPath", pictures);
    JPGQuality = LoadRangedInteger(kMainKey, "JPG Quality", 1, 100, kDefaultJPGQuality);
    ClipboardFormat = LoadRangedInteger(kMainKey, "Clipboard Format", 0, kMaxClipboardFormat, kDefaultClipboardFormat);
    AskPGNReg = LoadWrittenBool(kMainKey, "AskPGNReg", true);
    AskEPDReg = LoadWrittenBool(kMainKey, "AskEPDReg", true);
    DoPGNReg = LoadWrittenBool(kMainKey, "DoPGNReg", true);
    DoEPDReg = LoadWrittenBool(kMainKey, "DoEPDReg", true);
    LoadHighlighting();
    Animate = LoadWrittenBool(kBoardKey, "Animate", true);
    AnimationSpeed = LoadRangedInteger(kBoardKey, "AnimationSpeed", 0, kMaxAnimationSpeed, kDefaultAnimationSpeed);
    // Written only once the user changes it: a first start writes what it always wrote.
    ShowSideToMove = store_.ReadBool(kBoardKey, "ShowSideToMove").value_or(false);
    Theme = store_.ReadString(kBoardKey, "Theme").value_or(QString());
    store_.Flush();
}

QStringList TAppSettings::LoadRecentList(const QString& prefix, int count) {
    QStringList list;
    for (int i = 1; i <= count; ++i)
        if (const std::optional<QString> name = store_.ReadString(kMainKey, prefix + QString::number(i)))
            if (!name->isEmpty()) list << *name;
    return list;
}

void TAppSettings::SaveRecentList(const QString& prefix, int count, const QStringList& list) {
    for (int i = 1; i <= count; ++i) {
        const QString name = prefix + QString::number(i);
        store_.DeleteValue(kMainKey, name);
        if (i <= list.size()) store_.WriteString(kMainKey, name, list[i - 1]);
    }
}

void TAppSettings::LoadRecentFiles() {
    RecentPGN = LoadRecentList("PGN", kRecentPGNCount);
    RecentEPD = LoadRecentList("EPD", kRecentEPDCount);
    RecentVXD = LoadRecentList("VXD", kRecentVXDCount);
}

void TAppSettings::SaveRecentFiles() {
    SaveRecentList("VXD", kRecentVXDCount, RecentVXD);
    SaveRecentList("EPD", kRecentEPDCount, RecentEPD);
    SaveRecentList("PGN", kRecentPGNCount, RecentPGN);
    store_.Flush();
}

void TAppSettings::SaveScales() {
    store_.WriteInteger(kMainKey, "ImageScale", ImageScale);
    store_.WriteInteger(kMainKey, "PrintScale", PrintScale);
    store_.Flush();
}

void TAppSettings::SaveClipboardFormat() {
    store_.WriteInteger(kMainKey, "Clipboard Format", ClipboardFormat);
    store_.Flush();
}

void TAppSettings::SaveJPGQuality() {
    store_.WriteInteger(kMainKey, "JPG Quality", JPGQuality);
    store_.Flush();
}

void TAppSettings::SavePlaySounds() {
    store_.WriteBool(kMainKey, "PlaySounds", PlaySounds);
    store_.Flush();
}

void TAppSettings::SaveAnimate() {
    store_.WriteBool(kBoardKey, "Animate", Animate);
    store_.Flush();
}

void TAppSettings::SaveAnimationSpeed() {
    store_.WriteInteger(kBoardKey, "AnimationSpeed", AnimationSpeed);
    store_.Flush();
}

void TAppSettings::SaveShowSideToMove() {
    store_.WriteBool(kBoardKey, "ShowSideToMove", ShowSideToMove);
    store_.Flush();
}

void TAppSettings::SaveTheme() {
    store_.WriteString(kBoardKey, "Theme", Theme);
    store_.Flush();
}

void TAppSettings::SaveHighlighting() {
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i + 1);
        store_.WriteInteger(kHighLightingKey, "HLColor" + n, int(HighLight[i].Color));
        store_.WriteBool(kHighLightingKey, "HLMerge" + n, HighLight[i].Merge);
    }
    store_.Flush();
}

void TAppSettings::SaveFileTypeAnswers() {
    store_.WriteBool(kMainKey, "AskPGNReg", AskPGNReg);
    store_.WriteBool(kMainKey, "AskEPDReg", AskEPDReg);
    store_.WriteBool(kMainKey, "DoPGNReg", DoPGNReg);
    store_.WriteBool(kMainKey, "DoEPDReg", DoEPDReg);
    store_.Flush();
}

void TAppSettings::SaveWindowBounds(int left, int top, int width, int height) {
    Bounds = {left, top, width, height};
    store_.WriteInteger(kMainKey, "Left", left);
    store_.WriteInteger(kMainKey, "Top", top);
    store_.WriteInteger(kMainKey, "Width", width);
    store_.WriteInteger(kMainKey, "Height", height);
    store_.Flush();
}

void TAppSettings::SaveSettingsOnClose() {
    store_.WriteInteger(kMainKey, "PrintScale", PrintScale);
    store_.WriteString(kMainKey, "OpenPath", OpenPath);
    store_.WriteString(kMainKey, "SavePath", SavePath);
    store_.WriteString(kMainKey, "BackGroundPath", BackGroundPath);
    store_.WriteString(kMainKey, "SaveVXDPath", SaveVXDPath);
    store_.WriteString(kMainKey, "SaveEPDPath", SaveEPDPath);
    store_.WriteBool(kMainKey, "ShowTips", ShowTips);
    store_.WriteInteger(kMainKey, "TipIndex", TipIndex);
    store_.WriteBool(kMainKey, "ShowTool", ShowTool);
    store_.WriteBool(kMainKey, "ShowCool", ShowCool);
    store_.WriteInteger(kMainKey, "Height", RememberedHeight);
    store_.Flush();
}

int TAppSettings::LoadViewerColumn(const QString& name, int designWidth) const {
    const std::optional<int> stored = store_.ReadInteger(kViewerColsKey, name);
    return stored && *stored > 0 && *stored < kMaxViewerColumn ? *stored : designWidth;
}

void TAppSettings::SaveViewerColumn(const QString& name, int width) {
    store_.WriteInteger(kViewerColsKey, name, width);
    store_.Flush();
}

}  // namespace vorlix
