#pragma once
// The PGN viewer's stored move-list print layout with its two fonts, and the
// notation the move list shows.
#include <QString>

#include "board/HeaderFooter.h"
#include "rules/MoveNotation.h"

namespace vorlix {

class TSettingsStore;

inline const QString kPGNLayoutKey = "Software/Brantel/Chess Vorlix/2.20/PGN Layout";

constexpr int kGameListColumns = 12;

// Print layouts of the move list.
enum TMoveListLayout { mlRunningText = 0, mlPairPerLine = 1, mlThreeColumns = 2 };

struct TMoveListPrintSettings {
    int Layout = mlRunningText;
    TCFont HeaderFont{clBlack, "Arial", 14, 0};
    TCFont BodyFont{clBlack, "Arial", 12, 0};
    // How the move list and its printing show moves; the file's own text by default.
    TNotation Notation = TNotation::AsWritten;
};

// The viewer's own switch for the game state on the board (the last move,
// the king in check and the move's glyph): "ShowGameState" under "PGN Viewer", off by default.
inline const QString kPGNViewerKey = "Software/Brantel/Chess Vorlix/2.20/PGN Viewer";
bool LoadShowGameState(TSettingsStore& store);
void SaveShowGameState(TSettingsStore& store, bool show);

// Reads "PGN Layout"; a missing or invalid value takes its default, which is written at once.
TMoveListPrintSettings LoadMoveListPrintSettings(TSettingsStore& store);
void SaveMoveListPrintSettings(TSettingsStore& store, const TMoveListPrintSettings& settings);

}  // namespace vorlix
