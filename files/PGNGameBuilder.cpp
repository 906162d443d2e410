#include "files/PGNGameBuilder.h"

#include <cstring>

#include "files/Exceptions.h"
#include "files/TextEncoding.h"
#include "files/TextUtil.h"

namespace vorlix {

namespace {

// The text between the first two double quotes, without brace comments, cut at ";".
std::string TagValue(std::string_view line) {
    const size_t open = line.find('"');
    if (open == std::string_view::npos) return {};
    const size_t close = line.find('"', open + 1);
    if (close == std::string_view::npos) return {};
    const std::string_view raw = line.substr(open + 1, close - open - 1);
    bool plain = true;
    for (char c : raw) plain &= c != '{' && c != ';';
    if (plain) return std::string(raw);
    std::string value;
    bool inBrace = false;
    for (char c : raw) {
        if (inBrace) {
            inBrace = c != '}';
        } else if (c == '{') {
            inBrace = true;
        } else if (c == ';') {
            break;
        } else {
            value += c;
        }
    }
    return value;
}

// A game is stored as UTF-8: its text as it is when it is valid UTF-8, else
// read as Windows-1252. Deciding per game needs no pass over the whole file
// first, so a file can be read as it streams in.
void StoreAsUtf8(TPGNRec& g) {
    std::string* const fields[] = {&g.Event, &g.Site, &g.Date, &g.Round, &g.Result, &g.White, &g.WhiteElo,
                                   &g.Black, &g.BlackElo, &g.ECO, &g.FEN, &g.Moves};
    bool utf8 = true;
    for (const std::string* s : fields) utf8 = utf8 && (!HasHighBytes(*s) || IsValidUtf8(*s));
    if (utf8) return;
    for (std::string* s : fields)
        if (HasHighBytes(*s)) *s = Cp1252ToUtf8(*s);
}

}  // namespace

TPGNGameBuilder::TPGNGameBuilder(std::function<TPGNRec*()> newGame, std::function<void(TPGNRec&)> gameDone)
    : NewGame_(std::move(newGame)), GameDone_(std::move(gameDone)) {}

void TPGNGameBuilder::AddLine(std::string_view rawLine) {
    // A line may hold several tags and move text after them: each piece is read as a line.
    std::string_view rest = Trim(rawLine);
    while (!rest.empty()) rest = TrimLeft(AddPiece(Piece_ = rest));
    Piece_ = {};
}

std::string_view TPGNGameBuilder::AddPiece(std::string_view line) {
    if (State_ == TState::BeforeFirstGame) {
        if (InBrace_ || line[0] == '{') return SkipLeadingComment(line);
        if (line[0] == ';') return {};  // a comment line before the first game
    }
    if (line[0] == '%' && !InBrace_) return {};  // escape line
    // Wrapped move text may start a line inside a comment with a command such
    // as "[%clk 0:03:00]"; that line belongs to the comment, not to a new game.
    const bool commentCommand = InBrace_ && line.size() > 1 && line[1] == '%';
    if (line[0] == '[' && !commentCommand) {
        const std::string_view name = TagName(line);
        // Tag sections without move text between them (empty games) are still separate games.
        if (State_ != TState::Tags || HasTag(name)) StartGame();
        TagNames_.emplace_back(name);
        AddTag(line);
        return AfterTag(line);
    }
    if (State_ == TState::BeforeFirstGame) throw EPGNFileError("Illegal file contents.");
    AddMoveLine(line);
    return {};
}

// A "{...}" comment before the first game (a description or licence), possibly spanning lines.
std::string_view TPGNGameBuilder::SkipLeadingComment(std::string_view line) {
    const size_t close = line.find('}', InBrace_ ? 0 : 1);
    InBrace_ = close == std::string_view::npos;
    return InBrace_ ? std::string_view() : line.substr(close + 1);
}

bool TPGNGameBuilder::HasTag(std::string_view name) const {
    for (const std::string& known : TagNames_)
        if (known == name) return true;
    return false;
}

std::string_view TPGNGameBuilder::TagName(std::string_view line) {
    size_t end = 1;
    while (end < line.size() && !IsBlankOrControl(line[end]) && line[end] != '"' && line[end] != ']') ++end;
    return line.substr(1, end - 1);
}

// The text after the tag's closing "]" (which follows its quoted value).
std::string_view TPGNGameBuilder::AfterTag(std::string_view line) {
    size_t from = 1;
    if (const size_t open = line.find('"'); open != std::string_view::npos) {
        if (const size_t close = line.find('"', open + 1); close != std::string_view::npos) from = close + 1;
    }
    const size_t bracket = line.find(']', from);
    return bracket == std::string_view::npos ? std::string_view() : line.substr(bracket + 1);
}

void TPGNGameBuilder::StartGame() {
    Finish();
    Game_ = NewGame_();
    State_ = TState::Tags;
    InBrace_ = false;
    TagNames_.clear();
}

void TPGNGameBuilder::Finish() {
    if (!Game_) return;
    if (!Moves_.empty()) Game_->Moves.assign(Moves_);  // exact size: no spare capacity kept
    Moves_.clear();
    StoreAsUtf8(*Game_);
    if (GameDone_) GameDone_(*Game_);
    Game_ = nullptr;
}

void TPGNGameBuilder::AddTag(std::string_view line) {
    TPGNRec& g = *Game_;
    if (line.size() < 4) return;
    switch (line[1] & ~0x20) {  // upper case of the first letter
        case 'F':
            if (StartsWithUpper(line, "[FEN ")) {
                g.FEN = TagValue(line);
                g.HasSetup = true;
            }
            break;
        case 'E':
            if (StartsWithUpper(line, "[ECO ")) g.ECO = TagValue(line);
            else if (StartsWithUpper(line, "[EVENT ")) g.Event = TagValue(line);
            break;
        case 'S':
            if (StartsWithUpper(line, "[SITE ")) g.Site = TagValue(line);
            else if (StartsWithUpper(line, "[SETUP ")) g.HasSetup = TagValue(line) == "1";
            break;
        case 'D':
            if (StartsWithUpper(line, "[DATE ")) g.Date = TagValue(line);
            break;
        case 'R':
            if (StartsWithUpper(line, "[ROUND ")) g.Round = TagValue(line);
            else if (StartsWithUpper(line, "[RESULT ")) g.Result = TagValue(line);
            break;
        case 'W':
            if (StartsWithUpper(line, "[WHITE ")) g.White = TagValue(line);
            else if (StartsWithUpper(line, "[WHITEELO")) g.WhiteElo = TagValue(line);
            break;
        case 'B':
            if (StartsWithUpper(line, "[BLACK ")) g.Black = TagValue(line);
            else if (StartsWithUpper(line, "[BLACKELO")) g.BlackElo = TagValue(line);
            break;
        default: break;
    }
}

// Cuts a ";" comment that stands outside braces; braces may span lines.
std::string_view TPGNGameBuilder::StripLineComment(std::string_view line) {
    const auto holds = [&](char c) { return std::memchr(line.data(), c, line.size()) != nullptr; };
    if (!InBrace_ && !holds(';') && !holds('{')) return line;  // the common case, found by fast scans
    bool inBrace = InBrace_;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (inBrace) {
            if (c == '}') inBrace = false;
        } else if (c == '{') {
            inBrace = true;
        } else if (c == ';') {
            InBrace_ = false;
            return TrimRight(line.substr(0, i));
        }
    }
    InBrace_ = inBrace;
    return line;
}

void TPGNGameBuilder::AddMoveLine(std::string_view line) {
    const std::string_view text = StripLineComment(line);
    if (text.empty()) return;  // a comment-only line changes nothing
    Moves_.append(text);
    Moves_ += ' ';
    State_ = TState::Moves;
}

}  // namespace vorlix
