#include "batch/GameBook.h"

#include <cctype>
#include <cstring>
#include <optional>

#include "board/PositionMarks.h"
#include "files/CommentMarks.h"
#include "rules/FenReader.h"
#include "rules/MoveRules.h"

namespace vorlix {

namespace {

constexpr int kDiagramNag = 201;

struct TGlyph {
    int Nag;
    const char* Text;
};

// The glyphs books print; the others are left out.
constexpr TGlyph kGlyphs[] = {
    {1, "!"},
    {2, "?"},
    {3, "!!"},
    {4, "??"},
    {5, "!?"},
    {6, "?!"},
    {7, "\xE2\x96\xA1"},  // only move
    {10, "="},
    {13, "\xE2\x88\x9E"},   // unclear
    {14, "\xE2\xA9\xB2"},   // White slightly better
    {15, "\xE2\xA9\xB1"},   // Black slightly better
    {16, "\xC2\xB1"},       // White better
    {17, "\xE2\x88\x93"},   // Black better
    {18, "+\xE2\x88\x92"},  // White winning
    {19, "\xE2\x88\x92+"},  // Black winning
    {22, "\xE2\xA8\x80"},   // zugzwang
    {23, "\xE2\xA8\x80"},
    {32, "\xE2\x9F\xB3"},  // development
    {33, "\xE2\x9F\xB3"},
    {36, "\xE2\x86\x91"},  // initiative
    {37, "\xE2\x86\x91"},
    {40, "\xE2\x86\x92"},  // attack
    {41, "\xE2\x86\x92"},
    {132, "\xE2\x87\x86"},  // counterplay
    {133, "\xE2\x87\x86"},
    {138, "\xE2\x8A\x95"},  // time trouble
    {139, "\xE2\x8A\x95"},
    {146, "N"},  // novelty
};

bool IsResult(std::string_view token) { return token == "1-0" || token == "0-1" || token == "1/2-1/2" || token == "*"; }

std::string MoveLabelOf(const TChessPosition& before, bool withNumber, const std::string& move) {
    const int number = before.WhiteToMove ? before.MoveNumber + 1 : before.MoveNumber;
    if (before.WhiteToMove) return std::to_string(number) + ". " + move;
    return withNumber ? std::to_string(number) + "... " + move : move;
}

// One line of the game in the replay: its position, the one before its last
// move (where a variation starts), and the move last played, waiting for its
// comments and glyphs before its diagram is decided.
struct TLine {
    TChessPosition Position;
    TChessPosition Before;
    bool HasMove = false;
};

class TBookBuilder {
public:
    TBookBuilder(const TPGNRec& game, const TBookOptions& options, TBookGame& book)
        : game_(game), options_(options), book_(book) {}

    void Run() {
        TLine main;
        if (!game_.HasSetup)
            SetStartPosition(main.Position);
        else if (!ReadFEN(game_.FEN, main.Position)) {
            book_.Error = "Illegal FEN data in PGN archive.";
            return;
        }
        lines_.push_back(main);
        const std::string_view text = game_.Moves;
        size_t i = 0;
        while (i < text.size() && book_.Error.empty()) {
            const char c = text[i];
            if (std::isspace(static_cast<unsigned char>(c))) {
                ++i;
            } else if (c == '{') {
                const size_t end = text.find('}', i + 1);
                const std::string_view comment =
                    text.substr(i + 1, (end == std::string_view::npos ? text.size() : end) - i - 1);
                Comment(comment);
                i = end == std::string_view::npos ? text.size() : end + 1;
            } else if (c == ';') {
                const size_t end = text.find('\n', i);
                Comment(text.substr(i + 1, (end == std::string_view::npos ? text.size() : end) - i - 1));
                i = end == std::string_view::npos ? text.size() : end + 1;
            } else if (c == '(') {
                Flush();
                TLine variation;
                variation.Position = lines_.back().HasMove ? lines_.back().Before : lines_.back().Position;
                lines_.push_back(variation);
                Add(TBookItem::VariationStart, "(");
                numberNext_ = true;
                ++i;
            } else if (c == ')') {
                Flush();
                if (lines_.size() > 1) {
                    lines_.pop_back();
                    Add(TBookItem::VariationEnd, ")");
                }
                numberNext_ = true;
                ++i;
            } else if (c == '$') {
                size_t end = i + 1;
                while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
                Nag(std::atoi(std::string(text.substr(i + 1, end - i - 1)).c_str()));
                i = end;
            } else {
                size_t end = i;
                while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])) &&
                       !std::strchr("{}();$", text[end]))
                    ++end;
                Token(text.substr(i, end - i));
                i = end;
            }
        }
        Flush();
    }

private:
    bool Markers() const { return options_.Diagrams == TBookDiagrams::Markers; }

    void Add(TBookItem::TKind kind, std::string text) {
        TBookItem item;
        item.Kind = kind;
        item.Text = std::move(text);
        item.Depth = static_cast<int>(lines_.size()) - 1;
        book_.Items.push_back(std::move(item));
    }

    void Comment(std::string_view comment) {
        if (Markers() && comment.find("[#]") != std::string_view::npos) wanted_ = true;
        if (pending_) marks_.Add(ParseCommentMarks(comment));
        const std::string shown = CommentText(comment);
        if (shown.empty()) return;
        Add(TBookItem::Comment, shown);
        numberNext_ = true;
    }

    void Nag(int nag) {
        if (Markers() && nag == kDiagramNag) wanted_ = true;
        const std::string glyph = NagGlyph(nag);
        if (glyph.empty()) return;
        // The marks of the move itself ("!", "?!") are written on it, the others after it.
        if (nag <= 6 && !book_.Items.empty() && book_.Items.back().Kind == TBookItem::Move)
            book_.Items.back().Text += glyph;
        else
            Add(TBookItem::Glyph, glyph);
    }

    void Token(std::string_view token) {
        // Move numbers ("12.", "12...") and results are no moves.
        size_t digits = 0;
        while (digits < token.size() && std::isdigit(static_cast<unsigned char>(token[digits]))) ++digits;
        if (IsResult(token)) {
            Flush();
            if (lines_.size() == 1) Add(TBookItem::Result, std::string(token));
            return;
        }
        if (digits > 0 && digits < token.size() && token[digits] == '.') {
            token.remove_prefix(digits);
            while (!token.empty() && token.front() == '.') token.remove_prefix(1);
            if (token.empty()) return;
        }
        // Glyphs written on the move ("e4!?") are shown after it.
        std::string_view marks;
        while (!token.empty() && (token.back() == '!' || token.back() == '?')) {
            marks = std::string_view(token.data() + token.size() - 1, marks.size() + 1);
            token.remove_suffix(1);
        }
        Flush();
        TLine& line = lines_.back();
        TChessMove move;
        if (!DecodeMove(token, line.Position.WhiteToMove, move) || !ValidateMove(line.Position, move)) {
            book_.Error = "Illegal move data: " + MoveLabelOf(line.Position, true, std::string(token));
            return;
        }
        const std::string written = options_.Notation == TNotation::AsWritten
                                        ? std::string(token)
                                        : MoveToText(line.Position, move, options_.Notation);
        Add(TBookItem::Move, MoveLabelOf(line.Position, numberNext_, written));
        numberNext_ = false;
        line.Before = line.Position;
        MakeMove(line.Before, line.Position, move);
        // Castling after this move depends on whether the king now stands in check.
        const bool check = IsKingAttacked(line.Position, line.Position.WhiteToMove);
        line.Position.WhiteInCheck = line.Position.WhiteToMove && check;
        line.Position.BlackInCheck = !line.Position.WhiteToMove && check;
        line.Position.LastMove = move;
        line.HasMove = true;
        book_.Items.back().Text += marks;
        pending_ = true;
        pendingLabel_ = MoveLabelOf(line.Before, true, written);
        wanted_ = options_.Diagrams == TBookDiagrams::Every && lines_.size() == 1 && options_.EveryMoves > 0 &&
                  line.Position.WhiteToMove && line.Position.MoveNumber % options_.EveryMoves == 0;
    }

    // The move last played is complete: its diagram, when one is wanted, follows its comments.
    void Flush() {
        if (pending_ && wanted_ && options_.Diagrams != TBookDiagrams::None) {
            TBookDiagram diagram{lines_.back().Position, marks_.Marks(), "After " + pendingLabel_};
            diagram.Position.Prev = diagram.Position.Next = nullptr;
            book_.Diagrams.push_back(std::move(diagram));
            Add(TBookItem::Diagram, pendingLabel_);
            book_.Items.back().DiagramIndex = static_cast<int>(book_.Diagrams.size()) - 1;
            numberNext_ = true;
        }
        pending_ = wanted_ = false;
        marks_ = TMarkCollector();
    }

    const TPGNRec& game_;
    const TBookOptions& options_;
    TBookGame& book_;
    std::vector<TLine> lines_;
    bool numberNext_ = true;  // the next black move shows its number
    bool pending_ = false;
    bool wanted_ = false;
    std::string pendingLabel_;
    TMarkCollector marks_;
};

std::string Joined(std::initializer_list<std::string> parts) {
    std::string out;
    for (const std::string& part : parts) {
        if (part.empty() || part == "?" || part == "????.??.??") continue;
        if (!out.empty()) out += ", ";
        out += part;
    }
    return out;
}

}  // namespace

std::string NagGlyph(int nag) {
    for (const TGlyph& g : kGlyphs)
        if (g.Nag == nag) return g.Text;
    return {};
}

std::string CommentText(std::string_view comment) {
    std::string out;
    bool blank = false;
    for (size_t i = 0; i < comment.size(); ++i) {
        if (comment.compare(i, 3, "[#]") == 0) {
            i += 2;
            continue;
        }
        if (comment.compare(i, 2, "[%") == 0) {
            const size_t end = comment.find(']', i);
            if (end != std::string_view::npos) {
                i = end;
                continue;
            }
        }
        const char c = comment[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            blank = !out.empty();
            continue;
        }
        if (blank) out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

void MakeBookDiagram(const TBookDiagram& bookDiagram, const TBookOptions& options, TDiagram& diagram) {
    const TChessPosition& position = bookDiagram.Position;
    const std::string& caption = bookDiagram.Caption;
    if (options.Look) options.Look(diagram.Board);
    diagram.Board.ClearBoard();
    for (int square = 0; square < 64; ++square)
        if (position.Board[square] != pcEmpty)
            diagram.Board.SetPiece(SquareFile(square), SquareRank(square), position.Board[square]);
    diagram.Board.SetMarks(bookDiagram.Marks);
    diagram.Board.SetSideToMove(SideOfPosition(position));
    diagram.Board.SetShowSideToMove(true);
    diagram.Footer.Enabled = !caption.empty();
    diagram.Footer.Text = caption;
    diagram.Footer.Alignment = taCenter;
}

TBookGame BuildBookGame(const TPGNRec& game, const TBookOptions& options) {
    TBookGame book;
    book.Players = (game.White.empty() ? std::string("?") : game.White) + " - " +
                   (game.Black.empty() ? std::string("?") : game.Black);
    book.Details = Joined({game.Event, game.Site, game.Date,
                           game.Round.empty() || game.Round == "?" ? std::string() : "round " + game.Round, game.ECO,
                           game.Result});
    TBookBuilder(game, options, book).Run();
    return book;
}

}  // namespace vorlix
