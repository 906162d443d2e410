#pragma once
// Turns the lines of a PGN file into game records: tag lines start and fill a
// game, all other lines become its move text. Comments after ";" and escape
// lines starting with "%" never reach the move text.
#include <functional>
#include <string>
#include <string_view>

#include "files/PGNRecord.h"

namespace vorlix {

class TPGNGameBuilder {
public:
    // appendGame adds a new, default record to the list and returns it.
    explicit TPGNGameBuilder(std::function<TPGNRec*()> appendGame);

    // One raw line of the file; raises EPGNFileError for text before the first game.
    // mayHoldHighBytes false promises a pure ASCII line (skips the encoding check).
    void AddLine(std::string_view rawLine, bool mayHoldHighBytes = true);
    // Stores the move text collected for the game being read.
    void Finish();
    // False when some stored text is not valid UTF-8 (the file is then Windows-1252).
    bool TextIsUtf8() const { return Utf8_; }

private:
    enum class TState { BeforeFirstGame, Tags, Moves };

    void StartGame();
    void AddTag(std::string_view line);
    void AddMoveLine(std::string_view line);
    std::string_view StripLineComment(std::string_view line);

    std::function<TPGNRec*()> AppendGame_;
    TPGNRec* Game_ = nullptr;
    TState State_ = TState::BeforeFirstGame;
    bool InBrace_ = false;
    bool Utf8_ = true;
    std::string Moves_;  // move text of the game being read; reused between games
};

}  // namespace vorlix
