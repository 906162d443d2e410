#pragma once
// The numbered file names of a batch run, formed from the name the user chose.
// Numbers that outgrow their width are written with more digits, and every
// diagram of a run gets a name of its own, so a run never overwrites a file it
// wrote itself.
#include <QString>
#include <string>
#include <string_view>

namespace vorlix {

// A file name's bytes held in a QString without loss, so that numbered names
// can be formed from a name that is not UTF-8: valid UTF-8 reads as usual and
// each other byte b is kept as the lone surrogate U+DC00 + b, which no decoded
// name holds. LocalFileName gives the bytes back for the file system.
QString NameOfLocalFile(std::string_view bytes);
std::string LocalFileName(const QString& name);

struct TChosenName {
    QString Path;       // the folder, with its trailing separator (empty for the current folder)
    QString Stem;       // the file name without folder and extension
    QString Extension;  // from the last "." on
};

// Splits a name that already carries its extension (see ForceExtension).
TChosenName SplitChosenName(const QString& fileName, bool upperCaseExtension);

// path + stem + number (zero-padded to at least width digits) + extension.
QString BatchFileName(const QString& path, const QString& stem, long long number, int width, const QString& extension);
QString BatchFileName(const TChosenName& name, long long number, int width);

// How positions are chosen from each game of a PGN run.
enum class TPositionMode { Entire, Custom, Fixed };

// The file of position `position` (1 = starting position) of the run's game
// `game`. Each game owns a block of numbers (500 positions, or 10 for fixed
// positions as images); a position beyond its game's block is written after
// the block's last number with "_" and its place beyond the block
// (Cap00500_001.GIF for position 501 of the first game), so it cannot take
// the next game's names.
QString PgnBatchFileName(const TChosenName& name, TPositionMode mode, bool imageFiles, int game, int position);

// The n-th diagram of an EPD run: three digits (more when n > 999).
QString EpdBatchFileName(const TChosenName& name, int n);

}  // namespace vorlix
