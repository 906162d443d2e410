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

int TAppSettings::LoadRangedInteger(const QString& key, const QString& name, int lo, int hi,
                                    int fallback) {
    const std::optional<int> stored = FStore.ReadInteger(key, name);
    if (stored && *stored >= lo && *stored <= hi) return *stored;
    FStore.WriteInteger(key, name, fallback);
    return fallback;
}

bool TAppSettings::LoadWrittenBool(const QString& key, const QString& name, bool fallback) {
    if (const std::optional<bool> stored = FStore.ReadBool(key, name)) return *stored;
    FStore.WriteBool(key, name, fallback);
    return fallback;
}

QString TAppSettings::SettingsFolder() const { return QFileInfo(FStore.FileName()).absolutePath() + "/"; }

QString TAppSettings::LoadFolder(const QString& name, const QString& fallback) {
    return FStore.ReadString(kMainKey, name).value_or(fallback);
}

void TAppSettings::LoadWindowBounds(QSize screen) {
    TStoredBounds stored{FStore.ReadInteger(kMainKey, "Left"), FStore.ReadInteger(kMainKey, "Top"),
                         FStore.ReadInteger(kMainKey, "Width"), FStore.ReadInteger(kMainKey, "Height")};
    TBoundsRepairs repairs;
    Bounds = RepairWindowBounds(stored, screen, repairs);
    if (repairs.Width) FStore.WriteInteger(kMainKey, "Width", Bounds.Width);
    if (repairs.Height) FStore.WriteInteger(kMainKey, "Height", Bounds.Height);
    if (repairs.Left) FStore.WriteInteger(kMainKey, "Left", Bounds.Left);
    if (repairs.Top) FStore.WriteInteger(kMainKey, "Top", Bounds.Top);
    RememberedHeight = Bounds.Height;
}

void TAppSettings::LoadHighlighting() {
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i + 1);
        const std::optional<int> color = FStore.ReadInteger(kHighLightingKey, "HLColor" + n);
        HighLight[i].Color = color ? static_cast<TColor>(*color) : kDefaultHighlightColors[i];
        if (!color) FStore.WriteInteger(kHighLightingKey, "HLColor" + n, int(HighLight[i].Color));
        HighLight[i].Merge = LoadWrittenBool(kHighLightingKey, "HLMerge" + n, false);
    }
}

void TAppSettings::LoadSettings(QSize screen) {
    ImageScale = LoadRangedInteger(kMainKey, "ImageScale", 0, kMaxImageScale, kDefaultImageScale);
    PrintScale = LoadRangedInteger(kMainKey, "PrintScale", 0, kMaxPrintScale, kDefaultPrintScale);
    LoadWindowBounds(screen);
    ShowTool = FStore.ReadBool(kMainKey, "ShowTool").value_or(true);
    ShowCool = FStore.ReadBool(kMainKey, "ShowCool").value_or(true);
    const std::optional<bool> showTips = FStore.ReadBool(kMainKey, "ShowTips");
    ShowTips = showTips.value_or(true);
    if (!showTips) {
        // A first start shows the tips from the beginning.
        FStore.WriteBool(kMainKey, "ShowTips", true);
        FStore.WriteInteger(kMainKey, "TipIndex", 0);
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
    ClipboardFormat =
        LoadRangedInteger(kMainKey, "Clipboard Format", 0, kMaxClipboardFormat, kDefaultClipboardFormat);
    AskPGNReg = LoadWrittenBool(kMainKey, "AskPGNReg", true);
    AskEPDReg = LoadWrittenBool(kMainKey, "AskEPDReg", true);
    DoPGNReg = LoadWrittenBool(kMainKey, "DoPGNReg", true);
    DoEPDReg = LoadWrittenBool(kMainKey, "DoEPDReg", true);
    LoadHighlighting();
    Animate = LoadWrittenBool(kBoardKey, "Animate", true);
    AnimationSpeed =
        LoadRangedInteger(kBoardKey, "AnimationSpeed", 0, kMaxAnimationSpeed, kDefaultAnimationSpeed);
    FStore.Flush();
}

QStringList TAppSettings::LoadRecentList(const QString& prefix, int count) {
    QStringList list;
    for (int i = 1; i <= count; ++i)
        if (const std::optional<QString> name = FStore.ReadString(kMainKey, prefix + QString::number(i)))
            if (!name->isEmpty()) list << *name;
    return list;
}

void TAppSettings::SaveRecentList(const QString& prefix, int count, const QStringList& list) {
    for (int i = 1; i <= count; ++i) {
        const QString name = prefix + QString::number(i);
        FStore.DeleteValue(kMainKey, name);
        if (i <= list.size()) FStore.WriteString(kMainKey, name, list[i - 1]);
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
    FStore.Flush();
}

void TAppSettings::SaveScales() {
    FStore.WriteInteger(kMainKey, "ImageScale", ImageScale);
    FStore.WriteInteger(kMainKey, "PrintScale", PrintScale);
    FStore.Flush();
}

void TAppSettings::SaveClipboardFormat() {
    FStore.WriteInteger(kMainKey, "Clipboard Format", ClipboardFormat);
    FStore.Flush();
}

void TAppSettings::SaveJPGQuality() {
    FStore.WriteInteger(kMainKey, "JPG Quality", JPGQuality);
    FStore.Flush();
}

void TAppSettings::SavePlaySounds() {
    FStore.WriteBool(kMainKey, "PlaySounds", PlaySounds);
    FStore.Flush();
}

void TAppSettings::SaveAnimate() {
    FStore.WriteBool(kBoardKey, "Animate", Animate);
    FStore.Flush();
}

void TAppSettings::SaveAnimationSpeed() {
    FStore.WriteInteger(kBoardKey, "AnimationSpeed", AnimationSpeed);
    FStore.Flush();
}

void TAppSettings::SaveHighlighting() {
    for (int i = 0; i < 4; ++i) {
        const QString n = QString::number(i + 1);
        FStore.WriteInteger(kHighLightingKey, "HLColor" + n, int(HighLight[i].Color));
        FStore.WriteBool(kHighLightingKey, "HLMerge" + n, HighLight[i].Merge);
    }
    FStore.Flush();
}

void TAppSettings::SaveFileTypeAnswers() {
    FStore.WriteBool(kMainKey, "AskPGNReg", AskPGNReg);
    FStore.WriteBool(kMainKey, "AskEPDReg", AskEPDReg);
    FStore.WriteBool(kMainKey, "DoPGNReg", DoPGNReg);
    FStore.WriteBool(kMainKey, "DoEPDReg", DoEPDReg);
    FStore.Flush();
}

void TAppSettings::SaveWindowBounds(int left, int top, int width, int height) {
    Bounds = {left, top, width, height};
    FStore.WriteInteger(kMainKey, "Left", left);
    FStore.WriteInteger(kMainKey, "Top", top);
    FStore.WriteInteger(kMainKey, "Width", width);
    FStore.WriteInteger(kMainKey, "Height", height);
    FStore.Flush();
}

void TAppSettings::SaveSettingsOnClose() {
    FStore.WriteInteger(kMainKey, "PrintScale", PrintScale);
    FStore.WriteString(kMainKey, "OpenPath", OpenPath);
    FStore.WriteString(kMainKey, "SavePath", SavePath);
    FStore.WriteString(kMainKey, "BackGroundPath", BackGroundPath);
    FStore.WriteString(kMainKey, "SaveVXDPath", SaveVXDPath);
    FStore.WriteString(kMainKey, "SaveEPDPath", SaveEPDPath);
    FStore.WriteBool(kMainKey, "ShowTips", ShowTips);
    FStore.WriteInteger(kMainKey, "TipIndex", TipIndex);
    FStore.WriteBool(kMainKey, "ShowTool", ShowTool);
    FStore.WriteBool(kMainKey, "ShowCool", ShowCool);
    FStore.WriteInteger(kMainKey, "Height", RememberedHeight);
    FStore.Flush();
}

int TAppSettings::LoadViewerColumn(const QString& name, int designWidth) const {
    const std::optional<int> stored = FStore.ReadInteger(kViewerColsKey, name);
    return stored && *stored > 0 && *stored < kMaxViewerColumn ? *stored : designWidth;
}

void TAppSettings::SaveViewerColumn(const QString& name, int width) {
    FStore.WriteInteger(kViewerColsKey, name, width);
    FStore.Flush();
}

}  // namespace vorlix
