#pragma once
// The diagram file (.VXD): a sequence of tagged fields holding every style
// setting of the board, its 64 squares, header, footer and square images.
// SaveDiagramFile and LoadDiagramFile are the one save and the one load.
#include <QString>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "board/Diagram.h"

namespace vorlix {

class TErrorReporter;

// A field of the file is out of range, cut short or unknown.
class EVXDFileError : public std::runtime_error {
public:
    EVXDFileError() : std::runtime_error("Invalid diagram file.") {}
};

constexpr int kVxdVersion = 220;
// Larger files are refused instead of being read into memory.
constexpr size_t kMaxDiagramFileSize = size_t(256) << 20;

// The complete file for the diagram.
std::vector<uint8_t> EncodeDiagram(const TDiagram& diagram, int version = kVxdVersion);

// Applies the fields of a file to the diagram, in file order, through the
// board's setters; fields the file does not hold keep their values. The caller
// holds the board's update lock and has emptied the borders and square images.
// Throws EVXDFileError.
void DecodeDiagram(const std::vector<uint8_t>& bytes, TDiagram& diagram);

// Writes the file through the crash-safe writer, which keeps the previous file
// when the write fails. Throws (EInOutError and the writer's errors).
void SaveDiagramFile(const TDiagram& diagram, const QString& fileName, int version = kVxdVersion);

// The one road for opening a diagram file (start-up, Open, undo, tools):
// loads the file into the diagram, reporting every failure (a missing file
// too) to the reporter with the file's name. The whole file is checked before
// anything changes, so on failure the diagram stays as it was. True on success.
bool LoadDiagramFile(const QString& fileName, TDiagram& diagram, TErrorReporter& reporter);

}  // namespace vorlix
