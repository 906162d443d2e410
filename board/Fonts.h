#pragma once
// Font objects for TCFont descriptions. Sizes are points at 96 dots per inch
// (12 points = 16 pixels) whatever the device says, and the old Windows face
// "MS Sans Serif" maps to an installed sans face so renderings match everywhere.
#include <QFont>
#include <QString>

#include "board/HeaderFooter.h"

namespace vorlix {

// Family actually used for a face name.
QString ResolveFontFamily(const std::string& name);
// Pixel size of a point size at 96 dots per inch. Sizes come raw from diagram
// files, so the result stops at kMaxFontPixels (about 1500 points).
constexpr int kMaxFontPixels = 2048;
int PointsToPixels(int points);
// Starts the GUI application when there is none yet (see GuiContext.h).
QFont MakeFont(const TCFont& font);
// "Nimbus Sans" of "Nimbus Sans [urw]": the family name a diagram keeps.
QString FamilyWithoutFoundry(const QString& family);
// Colour, name, size and style bits of a font; the colour is passed in
// because QFont carries none. The name is the family without its foundry.
TCFont FontToCFont(const QFont& font, TColor color);
// As FontToCFont, but the face that previousName resolves to (or is drawn
// with) keeps previousName, so a diagram's "MS Sans Serif" survives a trip
// through a font dialog that was left unchanged.
TCFont FontToCFontKeepingName(const QFont& font, TColor color, const std::string& previousName);

}  // namespace vorlix
