#pragma once
// Turns the lines of a PGN file into game records: tag lines start and fill a
// game, all other lines become its move text. Comments after ";" and escape
// lines starting with "%" never reach the move text; comments before the first
// game are skipped.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/LineReader.h"
#include "files/PGNRecord.h"
#include "files/TagNameSet.h"

namespace vorlix {

struct TTagParts;

// Whether the move text of the games is kept. Readers that only list games
// skip it: it is still read for comments and encoding, but never copied.
enum class TMoveText { Keep, Skip };

class TPGNGameBuilder {
public:
    // newGame hands out a record with default values for the next game; gameDone
    // receives it once complete. A game whose text is not UTF-8 is read as
    // Windows-1252 and stored as UTF-8 (skipped move text counts too).
    TPGNGameBuilder(std::function<TPGNRec*()> newGame, std::function<void(TPGNRec&)> gameDone,
                    TMoveText moveText = TMoveText::Keep);

    // One raw line of the file; raises EPGNFileError for text before the first game.
    // At least kLineSlack bytes after the line must be readable (they are not
    // used): short tag lines are looked at sixteen bytes at a time.
    void AddLine(std::string_view rawLine);
    // Completes the game being read, if any.
    void Finish();
    // A tag line has been read: the text is a PGN file.
    bool StartedAGame() const { return state_ != TState::BeforeFirstGame; }
    // The part of the line being read that is read now (during AddLine): a game
    // that starts begins with it, also in the middle of a line.
    std::string_view Piece() const { return piece_; }

private:
    enum class TState { BeforeFirstGame, Tags, Moves };

    std::string_view AddPiece(std::string_view line);  // returns the text still to read
    std::string_view SkipLeadingComment(std::string_view line);
    void StartGame();
    void AddTag(const TTagParts& tag);
    void SetTag(std::string& field, const TTagParts& tag);
    void AddMoveLine(std::string_view line);
    std::string_view StripLineComment(std::string_view line);
    void StoreAsUtf8();

    std::function<TPGNRec*()> newGame_;
    std::function<void(TPGNRec&)> gameDone_;
    TMoveText moveText_;
    TPGNRec* game_ = nullptr;
    TState state_ = TState::BeforeFirstGame;
    bool inBrace_ = false;
    TTagNameSet tagNames_;            // tags read for the game being read
    std::string moves_;               // move text of the game being read; reused between games
    std::string setup_;               // the value of a SetUp tag
    bool tagsHaveHighBytes_ = false;  // a tag value stored for the game may hold non-ASCII bytes
    bool movesAreUtf8_ = true;        // the game's move text read so far is valid UTF-8
    std::string_view piece_;
};

}  // namespace vorlix
