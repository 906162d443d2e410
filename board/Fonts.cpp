#include "board/Fonts.h"

#include <QFontInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "board/GuiContext.h"

namespace vorlix {

namespace {
// Helvetica-metric sans from fonts-urw-base35: close to the old Windows
// dialog face in width and weight.
constexpr const char* kSansSerifSubstitute = "Nimbus Sans";
}  // namespace

QString ResolveFontFamily(const std::string& name) {
    const QString family = QString::fromStdString(name);
    if (family.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0 ||
        family.compare(QLatin1String("Microsoft Sans Serif"), Qt::CaseInsensitive) == 0 || family.isEmpty())
        return QString::fromLatin1(kSansSerifSubstitute);
    return family;
}

int PointsToPixels(int points) {
    const double pixels = std::abs(double(points)) * 96.0 / 72.0;
    return int(std::lround(std::min(pixels, double(kMaxFontPixels))));
}

QFont MakeFont(const TCFont& font) {
    // Text is what needs the application and its fonts: the command line
    // starts them only when a diagram has some.
    EnsureGuiApplication();
    QFont result(ResolveFontFamily(font.Name));
    result.setPixelSize(std::max(1, PointsToPixels(font.Size)));
    result.setBold(font.Style & fsBold);
    result.setItalic(font.Style & fsItalic);
    result.setUnderline(font.Style & fsUnderline);
    result.setStrikeOut(font.Style & fsStrikeOut);
    result.setStyleHint(QFont::SansSerif);
    // Fixed rasterising, not the desktop's font settings: the same diagram must
    // give the same pixels on every machine, and colour-fringed (sub-pixel)
    // text would spoil images reduced to a few colours.
    result.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    result.setHintingPreference(QFont::PreferVerticalHinting);
    return result;
}

QString FamilyWithoutFoundry(const QString& family) {
    // Font dialogs tell faces that several foundries make apart as "Family [foundry]".
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]$"));
    return QString(family).remove(foundry);
}

TCFont FontToCFont(const QFont& font, TColor color) {
    TCFont result;
    result.Color = color;
    result.Name = FamilyWithoutFoundry(font.family()).toStdString();
    result.Size = font.pointSize() > 0 ? font.pointSize() : int(std::lround(font.pixelSize() * 72.0 / 96.0));
    result.Style = (font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0) | (font.underline() ? fsUnderline : 0) |
                   (font.strikeOut() ? fsStrikeOut : 0);
    return result;
}

TCFont FontToCFontKeepingName(const QFont& font, TColor color, const std::string& previousName) {
    TCFont result = FontToCFont(font, color);
    const QString chosen = QString::fromStdString(result.Name);
    // The face the name stands for, and the face the system drew it with
    // when that one is not installed.
    const QString drawnWith = FamilyWithoutFoundry(QFontInfo(MakeFont(TCFont{color, previousName, 12, 0})).family());
    for (const QString& face : {ResolveFontFamily(previousName), drawnWith})
        if (face.compare(chosen, Qt::CaseInsensitive) == 0) result.Name = previousName;
    return result;
}

}  // namespace vorlix
