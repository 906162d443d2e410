#pragma once
// Which games and positions of a PGN file, or which records of an EPD file, a
// command takes: the options that `batch` and `sheet` share, parsed and
// checked in one place so both pick the same positions from the same words.
#include <optional>
#include <string>

#include "batch/IntegerList.h"
#include "batch/PositionPicker.h"

namespace vorlix::cli {

struct TPositionOptions {
    std::optional<std::string> Games;
    TIntegerList GameList;  // Games, parsed
    TPositionRule Positions;
    std::optional<std::string> FromStart, FromEnd;
    bool FenStartGiven = false, FenFinalGiven = false;
    std::optional<std::string> Records;
    TIntegerList RecordList;  // Records, parsed
};

// Takes a flag of these options (--fen-start, --fen-final); false for any other word.
bool ParsePositionFlag(const std::string& name, TPositionOptions& o);

// Takes an option of these with its value; nullopt when the name is not one
// of them, else the error (empty when the value is good).
std::optional<std::string> ParsePositionValue(const std::string& name, const std::string& value, TPositionOptions& o);

// Checks the options against each other and the input's kind and parses the
// lists; the error, empty when they agree.
std::string CheckPositionOptions(TPositionOptions& o, bool epdInput);

}  // namespace vorlix::cli
