#pragma once
// The file type filters of the editor's file dialogs, as "Label|patterns"
// pairs (board/ui/FileFilters.h turns them into Qt's name filters).
#include <QString>

namespace vorlix {

inline const QString kOpenFilter =
    "Chess Files (*.vxd, *.pgn, *.epd)|*.epd;*.pgn;*.vxd|Chess Diagrams (*.vxd)|*.vxd|PGN Files (*.pgn)|*.pgn|"
    "EPD Files (*.epd)|*.epd|All Files (*.*)|*.*";
inline const QString kDiagramFilter = "Chess Vorlix Diagram (*.vxd)|*.vxd|All Files (*.*)|*.*";
inline const QString kEpdFilter = "EPD File (*.epd)|*.epd|All Files (*.*)|*.*";

}  // namespace vorlix
