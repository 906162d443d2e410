// The move rules against the published node counts of the legal move tree
// ("perft") of well-known positions. The counts come from outside this code, so
// a fault in castling, en passant, promotion, pins or check that the rules and
// their tests share cannot hide here.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "rules/FenReader.h"
#include "tests/rules/LegalMoves.h"

using namespace vorlix;
using namespace vorlix::oracle;

namespace {

bool CastlesOutOfCheck(const TChessPosition& pos, const TChessMove& move) {
    return (move.Piece == pcWKing || move.Piece == pcBKing) && std::abs(move.ToFile - move.FromFile) == 2 &&
           IsKingAttacked(pos.Board, pos.WhiteToMove);
}

// Without check marks the castling rule cannot know of a check; `dropCastlingInCheck`
// takes out exactly those castlings, to show that nothing else differs.
uint64_t Perft(const TChessPosition& pos, const TKingSquares& kings, int depth, bool withCheckMarks,
               bool dropCastlingInCheck = false) {
    std::vector<TChessMove> moves = LegalMoves(pos, kings);
    if (dropCastlingInCheck) std::erase_if(moves, [&](const TChessMove& move) { return CastlesOutOfCheck(pos, move); });
    if (depth == 1) return moves.size();
    uint64_t nodes = 0;
    for (const TChessMove& move : moves) {
        TChessPosition next = pos;
        TKingSquares nextKings = kings;
        PlayAsText(next, nextKings, move, withCheckMarks);
        nodes += Perft(next, nextKings, depth - 1, withCheckMarks, dropCastlingInCheck);
    }
    return nodes;
}

// The count below each first move, to find a difference quickly.
std::string Divide(const TChessPosition& pos, const TKingSquares& kings, int depth) {
    const std::vector<TChessMove> moves = LegalMoves(pos, kings);
    std::string out;
    for (const TChessMove& move : moves) {
        TChessPosition next = pos;
        TKingSquares nextKings = kings;
        PlayAsText(next, nextKings, move);
        out += SquareName(move.FromFile, move.FromRank) + SquareName(move.ToFile, move.ToRank);
        if (move.Promotion)
            out += kPieceLetters[move.Promotion > kBlackOffset ? move.Promotion - kBlackOffset : move.Promotion];
        out += ": " + std::to_string(depth > 1 ? Perft(next, nextKings, depth - 1, true) : 1) + "\n";
    }
    return out;
}

struct TPerftCase {
    const char* Name;
    const char* Fen;
    std::vector<uint64_t> Nodes;  // depth 1, 2, ...
};

// The common perft suite. Depths are cut so that the whole table runs in under
// two seconds in an optimised build.
const TPerftCase kSuite[] = {
    {"start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", {20, 400, 8902, 197281}},
    {"kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", {48, 2039, 97862, 4085603}},
    {"rook endgame with en passant pins", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", {14, 191, 2812, 43238, 674624}},
    {"promotions and castling in check",
     "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1",
     {6, 264, 9467, 422333}},
    {"the same mirrored, black to move",
     "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1",
     {6, 264, 9467, 422333}},
    {"underpromotion with check",
     "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8",
     {44, 1486, 62379, 2103487}},
    {"middlegame",
     "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10",
     {46, 2079, 89890, 3894594}},
};

}  // namespace

TEST(Perft, PublishedCountsOfTheCommonSuite) {
    for (const TPerftCase& c : kSuite) {
        TChessPosition pos;
        ASSERT_TRUE(ReadFEN(c.Fen, pos)) << c.Name;
        TKingSquares kings;
        kings.Find(pos.Board);
        for (size_t depth = 1; depth <= c.Nodes.size(); ++depth) {
            const uint64_t nodes = Perft(pos, kings, static_cast<int>(depth), true);
            EXPECT_EQ(nodes, c.Nodes[depth - 1]) << c.Name << " depth " << depth << "\n"
                                                 << (nodes != c.Nodes[depth - 1] ? Divide(pos, kings, depth) : "");
            if (nodes != c.Nodes[depth - 1]) break;
        }
    }
}

// Moves made without text carry no check mark, and the castling rule follows
// the mark, not the board: a bare move list lets a checked king castle. That
// is the only difference from the published counts.
TEST(Perft, WithoutCheckMarksOnlyCastlingOutOfCheckIsAdded) {
    const TPerftCase& c = kSuite[5];
    TChessPosition pos;
    ASSERT_TRUE(ReadFEN(c.Fen, pos)) << c.Name;
    TKingSquares kings;
    kings.Find(pos.Board);
    EXPECT_EQ(Perft(pos, kings, 3, false), c.Nodes[2] + 97) << c.Name;
    EXPECT_EQ(Perft(pos, kings, 3, false, true), c.Nodes[2]) << c.Name;
}
