#pragma once
// A TrueType font made from outline pictures: each path becomes one glyph.
// Documents that keep what is drawn (PDF pages, pictures recorded for
// printing) embed a font once and then need a few bytes per piece, where
// outlines would be written out again on every square.
#include <QByteArray>
#include <QPainterPath>
#include <QString>
#include <vector>

namespace vorlix {

// Font units per cell unit: paths in a 32-unit cell make glyphs of one em (2048).
constexpr int kPieceFontUnitsPerCellUnit = 64;

// One glyph: the character that draws it (each its own) and its outline.
struct TFontGlyph {
    char32_t Char;
    QPainterPath Path;
};

// The font file; paths are in cell units (y down) with the baseline at y = cellSize,
// so text drawn at pixel size cellSize with its baseline at the cell's bottom
// covers what filling the paths in the cell covers, by each path's fill rule.
QByteArray MakePieceFont(const QString& family, int cellSize, const std::vector<TFontGlyph>& glyphs);

}  // namespace vorlix
