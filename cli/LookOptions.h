#pragma once
// The look of the drawn diagrams that every drawing command takes the same way:
// --theme NAME (a named theme) and --pieces DIR (a piece set of twelve SVG
// files). Parsed, loaded and applied
// here once, so `render`, `batch`, `sheet` and `gif` agree word for word.
#include <memory>
#include <optional>
#include <string>

#include "board/Theme.h"

namespace vorlix {
class TDiagramBoard;
class TVectorPieces;
}  // namespace vorlix

namespace vorlix::cli {

struct TLookOptions {
    std::optional<std::string> Theme;               // the name or file, as given
    std::optional<std::string> Pieces;              // the folder, as given
    std::optional<TTheme> LoadedTheme;              // loaded by LoadLook
    std::shared_ptr<const TVectorPieces> PieceSet;  // loaded by LoadLook
};

// Takes an option of these with its value; nullopt when the name is not one
// of them, else the error (empty when the value is good).
std::optional<std::string> ParseLookValue(const std::string& name, const std::string& value, TLookOptions& o);

// Reads what the options name; the error (naming the file), empty when all could be read.
std::string LoadLook(TLookOptions& o);

// Puts the look on a board, over what its style file gave it.
void ApplyLook(const TLookOptions& o, TDiagramBoard& board);

}  // namespace vorlix::cli
