#pragma once
// Shared pieces of the diagram file and undo tests.
#include <QImage>
#include <QTemporaryDir>
#include <vector>

#include "board/DiagramBoard.h"
#include "board/HeaderFooter.h"

namespace vorlix::test {

// An indexed picture using every colour of a table of n entries.
QImage IndexedPicture(int width, int height, int colors);
QImage RgbPicture(int width, int height);
bool SamePixels(const QImage& a, const QImage& b);

// A board with every setting away from its default.
void StyleEverything(TDiagramBoard& board);
THeaderFooterInfo SampleLine(const char* text, int alignment);

std::vector<uint8_t> FileBytes(const QString& path);
void WriteBytes(const QString& path, const std::vector<uint8_t>& bytes);

}  // namespace vorlix::test
