#pragma once
// Turns the lines of a PGN file into game records: tag lines start and fill a
// game, all other lines become its move text. Comments after ";" and escape
// lines starting with "%" never reach the move text; comments before the first
// game are skipped.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/PGNRecord.h"

namespace vorlix {

class TPGNGameBuilder {
public:
    // newGame hands out a record with default values for the next game; gameDone
    // receives it once complete. A game whose text is not UTF-8 is read as
    // Windows-1252 and stored as UTF-8.
    TPGNGameBuilder(std::function<TPGNRec*()> newGame, std::function<void(TPGNRec&)> gameDone);

    // One raw line of the file; raises EPGNFileError for text before the first game.
    void AddLine(std::string_view rawLine);
    // Completes the game being read, if any.
    void Finish();
    // A tag line has been read: the text is a PGN file.
    bool StartedAGame() const { return State_ != TState::BeforeFirstGame; }
    // The part of the line being read that is read now (during AddLine): a game
    // that starts begins with it, also in the middle of a line.
    std::string_view Piece() const { return Piece_; }

private:
    enum class TState { BeforeFirstGame, Tags, Moves };

    std::string_view AddPiece(std::string_view line);  // returns the text still to read
    std::string_view SkipLeadingComment(std::string_view line);
    bool HasTag(std::string_view name) const;
    static std::string_view TagName(std::string_view line);
    static std::string_view AfterTag(std::string_view line);
    void StartGame();
    void AddTag(std::string_view line);
    void AddMoveLine(std::string_view line);
    std::string_view StripLineComment(std::string_view line);

    std::function<TPGNRec*()> NewGame_;
    std::function<void(TPGNRec&)> GameDone_;
    TPGNRec* Game_ = nullptr;
    TState State_ = TState::BeforeFirstGame;
    bool InBrace_ = false;
    std::vector<std::string> TagNames_;  // tags read for the game being read
    std::string Moves_;  // move text of the game being read; reused between games
    std::string_view Piece_;
};

}  // namespace vorlix
