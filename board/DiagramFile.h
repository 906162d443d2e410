#pragma once
// The diagram file (.VXD): a sequence of tagged fields holding every style
// setting of the board, its 64 squares, header, footer and square images.
// TDiagramBoard::SaveToFile / LoadFromFile are defined with this format.
#include <QString>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "board/HeaderFooter.h"

namespace vorlix {

class TDiagramBoard;
class TErrorReporter;

// A field of the file is out of range, cut short or unknown.
class EVXDFileError : public std::runtime_error {
public:
    EVXDFileError() : std::runtime_error("Invalid diagram file.") {}
};

constexpr int kVxdVersion = 220;
// Larger files are refused instead of being read into memory.
constexpr size_t kMaxDiagramFileSize = size_t(256) << 20;

// The complete file for the board's current diagram.
std::vector<uint8_t> EncodeDiagram(const TDiagramBoard& board, int version, const THeaderFooterInfo& footer,
                                   const THeaderFooterInfo& header);

// Applies the fields of a file to the board and the two records, in file order,
// through the board's setters. The caller holds the update lock and has
// emptied the borders and square images. Throws EVXDFileError.
void DecodeDiagram(const std::vector<uint8_t>& bytes, TDiagramBoard& board, THeaderFooterInfo& header,
                   THeaderFooterInfo& footer);

// The one road for opening a diagram file the user named (start-up, Open,
// tools): loads the file into the board and the records, reporting every
// failure (a missing file too) to the reporter with the file's name. The whole
// file is checked before anything changes, so on failure the board and both
// records stay as they were. True on success.
bool LoadDiagramFile(const QString& fileName, TDiagramBoard& board, THeaderFooterInfo& header,
                     THeaderFooterInfo& footer, TErrorReporter& reporter);

}  // namespace vorlix
