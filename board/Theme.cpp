#include "board/Theme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <map>

#include "board/DiagramBoard.h"
#include "board/FileBytes.h"
#include "files/InstallPaths.h"

namespace vorlix {

namespace {

// Far above any real theme or square picture; what is larger is not one.
constexpr qint64 kMaxThemeFileBytes = 1 << 20;
constexpr qint64 kMaxThemePictureBytes = 64 << 20;

constexpr const char* kSuffix = ".theme";

std::optional<TColor> ParseColor(const QString& text) {
    static const QRegularExpression hex(QStringLiteral("^#([0-9a-fA-F]{6})$"));
    const auto match = hex.match(text);
    if (!match.hasMatch()) return std::nullopt;
    return RgbToColor(0xFF000000u | match.captured(1).toUInt(nullptr, 16));
}

std::optional<TShading> ParseShading(const QString& text) {
    static const std::map<QString, TShading> names = {{"none", shNone},
                                                      {"horizontal", shHorizontal},
                                                      {"vertical", shVertical},
                                                      {"diagonal-lr", shDiagonalLR},
                                                      {"diagonal-rl", shDiagonalRL}};
    const auto it = names.find(text);
    return it == names.end() ? std::nullopt : std::optional<TShading>(it->second);
}

std::optional<bool> ParseBool(const QString& text) {
    if (text == QLatin1String("yes")) return true;
    if (text == QLatin1String("no")) return false;
    return std::nullopt;
}

std::optional<int> ParseWidth(const QString& text, int most) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value > most) return std::nullopt;
    return value;
}

// "WIDTH #TOP #BOTTOM", or "WIDTH #COLOUR" for one colour all round.
std::optional<TBorderInfo> ParseBorder(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    const auto width = ParseWidth(parts[0], TBorderArray::kMaxWidth);
    const auto top = ParseColor(parts[1]);
    const auto bottom = ParseColor(parts.back());
    if (!width || !top || !bottom) return std::nullopt;
    return TBorderInfo{*width, *top, *bottom};
}

}  // namespace

bool ReadTheme(const QString& file, TTheme& theme, QString& error) {
    QByteArray text;
    if (!ReadFileBytes(file, kMaxThemeFileBytes, text, error)) return false;
    theme = TTheme();
    theme.File = file;
    theme.Name = QFileInfo(file).completeBaseName();
    const QDir base = QFileInfo(file).absoluteDir();
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        auto fail = [&](const QString& what) {
            error = QStringLiteral("%1: line %2: %3").arg(file).arg(i + 1).arg(what);
            return false;
        };
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';'))) continue;
        if (line == QLatin1String("[Theme]")) continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0) return fail(QStringLiteral("expected KEY = VALUE"));
        const QString key = line.left(equals).trimmed(), value = line.mid(equals + 1).trimmed();
        auto color = [&](std::optional<TColor>& to) {
            return (to = ParseColor(value)) ? true : fail(QStringLiteral("%1 takes a colour #RRGGBB").arg(key));
        };
        auto shading = [&](std::optional<TShading>& to) {
            return (to = ParseShading(value))
                       ? true
                       : fail(QStringLiteral("%1 takes none, horizontal, vertical, diagonal-lr or diagonal-rl")
                                  .arg(key));
        };
        auto autoFit = [&](std::optional<bool>& to) {
            return (to = ParseBool(value)) ? true : fail(QStringLiteral("%1 takes yes or no").arg(key));
        };
        auto image = [&](QImage& to) {
            const QString path = base.filePath(value);
            QByteArray bytes;
            QString why;
            if (ReadFileBytes(path, kMaxThemePictureBytes, bytes, why)) to = QImage::fromData(bytes);
            return !to.isNull()
                       ? true
                       : fail(QStringLiteral("%1: cannot read the picture %2").arg(key, why.isEmpty() ? path : why));
        };
        bool ok = true;
        if (key == QLatin1String("Name")) {
            theme.Name = value;
        } else if (key == QLatin1String("LightSquares")) {
            ok = color(theme.LightSquares);
        } else if (key == QLatin1String("DarkSquares")) {
            ok = color(theme.DarkSquares);
        } else if (key == QLatin1String("LightSquareImage")) {
            ok = image(theme.LightImage);
        } else if (key == QLatin1String("DarkSquareImage")) {
            ok = image(theme.DarkImage);
        } else if (key == QLatin1String("LightImageFit")) {
            ok = autoFit(theme.LightAutoFit);
        } else if (key == QLatin1String("DarkImageFit")) {
            ok = autoFit(theme.DarkAutoFit);
        } else if (key == QLatin1String("LightShading")) {
            ok = shading(theme.LightShading);
        } else if (key == QLatin1String("DarkShading")) {
            ok = shading(theme.DarkShading);
        } else if (key == QLatin1String("LightShadingColor")) {
            ok = color(theme.LightShadingColor);
        } else if (key == QLatin1String("DarkShadingColor")) {
            ok = color(theme.DarkShadingColor);
        } else if (key == QLatin1String("CoordinateColor")) {
            ok = color(theme.CoordinateColor);
        } else if (key == QLatin1String("CoordinateBackColor")) {
            ok = color(theme.CoordinateBackColor);
        } else if (key == QLatin1String("GridLineColor")) {
            ok = color(theme.GridLineColor);
        } else if (key == QLatin1String("HighlightColor")) {
            ok = color(theme.HighlightColor);
        } else if (key == QLatin1String("GridLineWidth")) {
            theme.GridLineWidth = ParseWidth(value, TDiagramBoard::kMaxGridLineWidth);
            ok = theme.GridLineWidth
                     ? true
                     : fail(QStringLiteral("GridLineWidth takes 0 to %1").arg(TDiagramBoard::kMaxGridLineWidth));
        } else if (key == QLatin1String("Border")) {
            const auto border = ParseBorder(value);
            if (!border) return fail(QStringLiteral("Border takes WIDTH #TOP #BOTTOM"));
            if (!theme.Borders) theme.Borders.emplace();
            theme.Borders->push_back(*border);
        } else if (key == QLatin1String("Pieces")) {
            theme.Pieces = base.absoluteFilePath(value);
        } else {
            return fail(QStringLiteral("unknown key %1").arg(key));
        }
        if (!ok) return false;
    }
    return true;
}

bool LoadNamedTheme(const QString& name, TTheme& theme, std::shared_ptr<const TVectorPieces>& pieces, QString& error) {
    const QString file = FindTheme(name);
    if (file.isEmpty()) {
        error =
            QStringLiteral("There is no theme %1 (looked in %2).").arg(name, ThemeFolders().join(QStringLiteral(", ")));
        return false;
    }
    if (!ReadTheme(file, theme, error)) return false;
    pieces.reset();
    if (theme.Pieces.isEmpty()) return true;
    pieces = TVectorPieces::FromFolder(theme.Pieces, error);
    return pieces != nullptr;
}

void ApplyTheme(const TTheme& theme, TDiagramBoard& board) {
    board.BeginUpdate();
    if (theme.LightSquares) board.SetLightSquares(*theme.LightSquares);
    if (theme.DarkSquares) board.SetDarkSquares(*theme.DarkSquares);
    if (!theme.LightImage.isNull()) board.SetLightSquareBitmap(theme.LightImage);
    if (!theme.DarkImage.isNull()) board.SetDarkSquareBitmap(theme.DarkImage);
    if (theme.LightAutoFit) board.SetLightSquareAutoFit(*theme.LightAutoFit);
    if (theme.DarkAutoFit) board.SetDarkSquareAutoFit(*theme.DarkAutoFit);
    if (theme.LightShading) board.SetLightShading(*theme.LightShading);
    if (theme.DarkShading) board.SetDarkShading(*theme.DarkShading);
    if (theme.LightShadingColor) board.SetLightShadingColor(*theme.LightShadingColor);
    if (theme.DarkShadingColor) board.SetDarkShadingColor(*theme.DarkShadingColor);
    if (theme.CoordinateColor) {
        TCFont font = board.Font();
        font.Color = *theme.CoordinateColor;
        board.SetFont(font);
    }
    if (theme.CoordinateBackColor) board.SetCoordenateBackColor(*theme.CoordinateBackColor);
    if (theme.GridLineColor) board.SetGridLineColor(*theme.GridLineColor);
    if (theme.GridLineWidth) board.SetGridLineWidth(*theme.GridLineWidth);
    if (theme.HighlightColor) board.SetMoveMarkColor(theme.HighlightColor);
    if (theme.Borders) board.Border().Assign(*theme.Borders);
    board.EndUpdate();
}

QStringList ThemeFolders() {
    QStringList folders;
    const std::vector<std::string> xdg = XdgDataFolders();
    if (!xdg.empty()) folders << QString::fromStdString(xdg.front()) + QStringLiteral("/chess-vorlix/themes");
    const std::string data = FindDataFolder(RunningProgramFolder(), xdg);
    if (!data.empty()) folders << QString::fromStdString(data) + QStringLiteral("/themes");
    return folders;
}

QString FindTheme(const QString& name, const QStringList& folders) {
    if (name.isEmpty()) return {};
    if (name.contains(QLatin1Char('/')) || name.endsWith(QLatin1String(kSuffix)))
        return QFileInfo(name).isFile() ? name : QString();
    for (const QString& folder : folders) {
        const QString file = QDir(folder).filePath(name + QLatin1String(kSuffix));
        if (QFileInfo(file).isFile()) return file;
    }
    return {};
}

QStringList ThemeNames(const QStringList& folders) {
    QStringList names;
    for (const QString& folder : folders)
        for (const QFileInfo& info : QDir(folder).entryInfoList({QStringLiteral("*.theme")}, QDir::Files))
            if (!names.contains(info.completeBaseName())) names << info.completeBaseName();
    names.sort();
    return names;
}

}  // namespace vorlix
