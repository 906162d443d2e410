#pragma once
// The editor's settings held in memory and mirrored in the settings store:
// loading with defaults and repairs, and the writers for each write moment.
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>

#include "board/Colors.h"
#include "board/HighlightOption.h"
#include "settings/WindowBounds.h"

namespace vorlix {

class TSettingsStore;

inline const QString kMainKey = "Software/Brantel/Chess Vorlix/2.20";
inline const QString kHighLightingKey = kMainKey + "/HighLighting";
inline const QString kBoardKey = kMainKey + "/Board";
inline const QString kViewerColsKey = kMainKey + "/ViewerCols";

constexpr int kDefaultImageScale = 4;
constexpr int kDefaultPrintScale = 4;
constexpr int kDefaultJPGQuality = 81;
constexpr int kDefaultClipboardFormat = 3;
constexpr int kDefaultAnimationSpeed = 45;
constexpr int kRecentPGNCount = 5;
constexpr int kRecentEPDCount = 5;
constexpr int kRecentVXDCount = 6;

class TAppSettings {
public:
    explicit TAppSettings(TSettingsStore& store) : store_(store) {}
    // The store itself, for windows that keep values of their own (viewer layouts).
    TSettingsStore& Store() { return store_; }

    // The folder of the settings file, with a trailing slash: the place for
    // other per-user files of the editor.
    QString SettingsFolder() const;

    // Reads every value, repairing and writing back what is absent or out of range.
    void LoadSettings(QSize screen);
    void LoadRecentFiles();
    void SaveRecentFiles();

    // Immediate writers.
    void SaveScales();
    void SaveClipboardFormat();
    void SaveJPGQuality();
    void SavePlaySounds();
    void SaveAnimate();
    void SaveAnimationSpeed();
    void SaveShowSideToMove();
    void SaveTheme();
    void SaveHighlighting();
    void SaveFileTypeAnswers();
    void SaveWindowBounds(int left, int top, int width, int height);
    void SaveSettingsOnClose();
    // Column widths of the viewers' lists ("ViewerCols"): a stored width is
    // used only when it is above 0 and below 800, else the design width.
    int LoadViewerColumn(const QString& name, int designWidth) const;
    void SaveViewerColumn(const QString& name, int width);

    int ImageScale = kDefaultImageScale;
    int PrintScale = kDefaultPrintScale;
    TWindowBounds Bounds;
    // The height saved at exit: the loaded one, renewed whenever a toolbar is shown or hidden.
    int RememberedHeight = kDesignHeight;
    bool ShowTool = true;
    bool ShowCool = true;
    bool ShowTips = true;
    int TipIndex = 0;
    bool PlaySounds = true;
    QString SavePath, SaveVXDPath, SaveEPDPath, OpenPath, BackGroundPath;
    int JPGQuality = kDefaultJPGQuality;
    int ClipboardFormat = kDefaultClipboardFormat;
    bool AskPGNReg = true, AskEPDReg = true, DoPGNReg = true, DoEPDReg = true;
    std::array<THighlightOption, 4> HighLight{};
    bool Animate = true;
    int AnimationSpeed = kDefaultAnimationSpeed;
    // The board setting "Show Side to Move": the mover mark beside every diagram that has a side.
    bool ShowSideToMove = false;
    // The named theme last chosen in the board settings; empty: none.
    QString Theme;
    QStringList RecentPGN, RecentEPD, RecentVXD;

private:
    int LoadRangedInteger(const QString& key, const QString& name, int lo, int hi, int fallback);
    bool LoadWrittenBool(const QString& key, const QString& name, bool fallback);
    QString LoadFolder(const QString& name, const QString& fallback);
    void LoadWindowBounds(QSize screen);
    void LoadHighlighting();
    QStringList LoadRecentList(const QString& prefix, int count);
    void SaveRecentList(const QString& prefix, int count, const QStringList& list);

    TSettingsStore& store_;
};

}  // namespace vorlix
