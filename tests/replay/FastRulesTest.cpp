// The fast move rules (kings followed move by move, candidates found from the
// target, pin test instead of a board copy, in-place decoding and making,
// placement written per rank) must answer exactly like the plain full-scan
// rules, on every position of real games and on odd boards no game reaches.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "files/ErrorReporter.h"
#include "files/MoveTokens.h"
#include "files/PGNReader.h"
#include "rules/FenReader.h"
#include "rules/KingSquares.h"
#include "rules/MoveNotation.h"
#include "rules/MoveRules.h"
#include "rules/Placement.h"
#include "tests/replay/ReferenceRules.h"
#include "tests/replay/SampleGames.h"

using namespace vorlix;

namespace {

bool SameMove(const TChessMove& a, const TChessMove& b) {
    return a.Piece == b.Piece && a.Capture == b.Capture && a.Promotion == b.Promotion && a.EnPassant == b.EnPassant &&
           a.CheckMark == b.CheckMark && a.FromFile == b.FromFile && a.FromRank == b.FromRank && a.ToFile == b.ToFile &&
           a.ToRank == b.ToRank;
}

std::string Describe(const TChessMove& m) {
    char text[96];
    std::snprintf(text, sizeof text, "piece %d cap %d promo %d ep %d mark '%c' from %d,%d to %d,%d", m.Piece, m.Capture,
                  m.Promotion, m.EnPassant, m.CheckMark, m.FromFile, m.FromRank, m.ToFile, m.ToRank);
    return text;
}

bool SameState(const TChessPosition& a, const TChessPosition& b) {
    return a.MoveNumber == b.MoveNumber && a.WhiteToMove == b.WhiteToMove && a.WhiteInCheck == b.WhiteInCheck &&
           a.BlackInCheck == b.BlackInCheck && a.CastleWhiteShort == b.CastleWhiteShort &&
           a.CastleWhiteLong == b.CastleWhiteLong && a.CastleBlackShort == b.CastleBlackShort &&
           a.CastleBlackLong == b.CastleBlackLong && a.EpPossible == b.EpPossible && a.EpFile == b.EpFile &&
           a.EpRank == b.EpRank && a.HalfMoveClock == b.HalfMoveClock &&
           std::memcmp(a.Board, b.Board, sizeof a.Board) == 0;
}

// Follows one game both ways: the reference chain of copies, and one position
// changed in place with its kings and placement text kept up to date.
class TTwinReplay {
public:
    explicit TTwinReplay(const TChessPosition& start) : ref_(start), fast_(start) {
        kings_.Find(fast_.Board);
        placement_.SetAll(fast_.Board);
        followed_.SetAll(fast_.Board);
    }

    const TChessPosition& Position() const { return ref_; }
    const TKingSquares& Kings() const { return kings_; }

    // Checks a validation of `move` both ways; true when it is legal.
    bool Validate(TChessMove& move, const std::string& where) {
        TChessMove fast = move;
        const bool refOk = reference::ValidateMove(ref_, move);
        const bool fastOk = ValidateMove(fast_, kings_, fast);
        EXPECT_EQ(refOk, fastOk) << where << ": " << Describe(move) << " in " << PlacementText(ref_.Board)
                                 << (ref_.WhiteToMove ? " w" : " b");
        if (refOk && fastOk) {
            EXPECT_TRUE(SameMove(move, fast)) << where << ": " << Describe(move) << " / " << Describe(fast);
        }
        return refOk && fastOk;
    }

    // Makes a validated move both ways and compares everything that follows.
    void Play(const TChessMove& move, const std::string& where) {
        TChessPosition next;
        reference::MakeMove(ref_, next, move);
        next.MoveText.clear();
        ref_ = next;
        PlayMove(fast_, move);
        kings_.Follow(fast_, move);
        placement_.Update(fast_.Board, RanksChangedBy(move), kings_.Occupied);
        followed_.Follow(fast_.Board, move, kings_.Occupied);
        if (kings_.InCheck >= 0) {
            const int side = fast_.WhiteToMove ? 0 : 1;
            ASSERT_EQ(kings_.Count[side], 1) << where;
            const int king = kings_.Square[side];
            EXPECT_EQ(kings_.InCheck == 1,
                      IsSquareAttacked(fast_.Board, SquareFile(king), SquareRank(king), !fast_.WhiteToMove))
                << where << ": check after " << Describe(move) << " in " << PlacementText(fast_.Board);
        }

        EXPECT_TRUE(SameState(ref_, fast_)) << where;
        TKingSquares found;
        found.Find(ref_.Board);
        for (int code = pcWKing; code <= pcBPawn; ++code) EXPECT_EQ(kings_.Pieces[code], found.Pieces[code]) << where;
        for (int side = 0; side < 2; ++side) {
            EXPECT_EQ(kings_.Count[side], found.Count[side]) << where;
            if (found.Count[side]) {
                EXPECT_EQ(kings_.Square[side], found.Square[side]) << where;
            }
        }
        char text[kPlacementRoom];
        const size_t n = placement_.Write(text);
        EXPECT_EQ(std::string(text, n), PlacementText(ref_.Board)) << where;
        const size_t m = followed_.Write(text);
        EXPECT_EQ(std::string(text, m), PlacementText(ref_.Board)) << where << ": followed square by square";
    }

private:
    TChessPosition ref_;
    TChessPosition fast_;
    TKingSquares kings_;
    TPlacementCache placement_;
    TPlacementCache followed_;  // follows the squares each move changed
};

bool DecodeBoth(std::string_view token, bool white, TChessMove& move) {
    TChessMove fast;
    const bool refOk = reference::DecodeMove(token, white, move);
    const bool fastOk = DecodeMove(token, white, fast);
    EXPECT_EQ(refOk, fastOk) << token;
    if (refOk && fastOk) {
        EXPECT_TRUE(SameMove(move, fast)) << token << ": " << Describe(move) << " / " << Describe(fast);
    }
    return refOk && fastOk;
}

// A move of any shape, legal or not, colour matching the side or not.
TChessMove RandomMove(std::mt19937& rng, bool white) {
    TChessMove m;
    m.Piece = static_cast<int32_t>(rng() % 13);
    if (rng() % 5) m.Piece = static_cast<int32_t>(1 + rng() % 6 + (white ? 0 : kBlackOffset));
    m.Capture = rng() % 2;
    const int promo = rng() % 8;
    m.Promotion = promo < 5 ? 0 : static_cast<int32_t>(2 + rng() % 11);
    m.CheckMark = "  +#"[rng() % 4];
    m.ToFile = static_cast<int32_t>(rng() % 8);
    m.ToRank = static_cast<int32_t>(rng() % 8);
    m.FromFile = static_cast<int32_t>(rng() % 10) - 1;
    m.FromRank = static_cast<int32_t>(rng() % 10) - 1;
    if (rng() % 3) m.FromFile = m.FromRank = -1;
    return m;
}

// Tries random moves in the position; where both sides agree a move is legal it
// is also played from a copy, so that unusual positions get explored too.
void ProbeRandomMoves(const TTwinReplay& replay, std::mt19937& rng, int tries, int depth, const std::string& where) {
    for (int i = 0; i < tries; ++i) {
        TChessMove m = RandomMove(rng, replay.Position().WhiteToMove);
        TTwinReplay copy = replay;
        if (!copy.Validate(m, where) || depth == 0) continue;
        const std::string path = where + " then " + Describe(m);
        copy.Play(m, path);
        ProbeRandomMoves(copy, rng, tries / 4, depth - 1, path);
    }
}

// Variants of a real token: marks, hyphens and letters put in or taken out.
std::vector<std::string> TokenVariants(std::string_view token, std::mt19937& rng) {
    static const char kAdd[] = "!?+#=-xepQRBNK0O12345678abcdefgh ";
    std::vector<std::string> out;
    for (int i = 0; i < 4; ++i) {
        std::string t(token);
        if (!t.empty() && rng() % 2) t.erase(rng() % t.size(), 1);
        t.insert(rng() % (t.size() + 1), 1, kAdd[rng() % (sizeof kAdd - 1)]);
        if (rng() % 3 == 0) t.insert(rng() % (t.size() + 1), 1, kAdd[rng() % (sizeof kAdd - 1)]);
        out.push_back(t);
    }
    return out;
}

struct TCoverage {
    long Plies = 0;
    long Failures = 0;
};

// Replays a game both ways the way the game replay does, move by move.
void CompareGame(const TPGNRec& game, const std::string& where, bool probe, std::mt19937& rng, TCoverage& coverage) {
    TChessPosition start;
    if (game.HasSetup) {
        if (!ReadFEN(game.FEN, start)) return;
    } else {
        SetStartPosition(start);
    }
    std::vector<TMove> tokens;
    SplitMoveTokens(game.Moves, game.Result, start.WhiteToMove, tokens);
    TTwinReplay replay(start);
    for (const TMove& token : tokens) {
        const std::string at = where + " move " + std::string(token.Text);
        if (probe) {
            ProbeRandomMoves(replay, rng, 8, 2, at);
            for (const std::string& variant : TokenVariants(token.Text, rng)) {
                TChessMove m;
                if (DecodeBoth(variant, token.IsWhite, m)) {
                    TTwinReplay copy = replay;
                    copy.Validate(m, at + " variant " + variant);
                }
            }
        }
        TChessMove move;
        if (!DecodeBoth(token.Text, token.IsWhite, move)) break;
        const TChessPosition& pos = replay.Position();
        if (token.IsWhite ? pos.BlackInCheck : pos.WhiteInCheck) break;
        if (!replay.Validate(move, at)) {
            ++coverage.Failures;
            break;
        }
        replay.Play(move, at);
        ++coverage.Plies;
        if (::testing::Test::HasFailure()) return;
    }
}

void CompareFile(const std::string& path, bool probe, TCoverage& coverage) {
    std::mt19937 rng(20261207);
    TCollectingReporter errors;
    TPGNRec game;
    int number = 0;
    ReadPGNFile(
        path, errors,
        [&] {
            ResetGame(game);
            return &game;
        },
        [&](TPGNRec& done) {
            if (::testing::Test::HasFailure()) return;
            CompareGame(done, path + " game " + std::to_string(++number), probe, rng, coverage);
        });
}

}  // namespace

TEST(FastRules, AgreeOnEverySampleGameAndNearbyMoves) {
    TCoverage coverage;
    for (const std::string& path : SamplePgnFiles()) CompareFile(path, true, coverage);
    EXPECT_GT(coverage.Plies, 20000);
}

TEST(FastRules, AgreeOnEveryPositionOfTheBenchmarkGames) {
    const TSampleFile bench = TSampleFile::Unzipped("games2500-oneline.pgn.gz");
    ASSERT_TRUE(bench.Ok());
    TCoverage coverage;
    CompareFile(bench.Path(), false, coverage);
    EXPECT_GT(coverage.Plies, 150000);
}

TEST(FastRules, AgreeOnBoardsNoGameReaches) {
    const char* const kFens[] = {
        "k7/8/8/8/8/8/8/K6K w - - 0 1",       // two white kings
        "8/8/8/3q4/8/8/8/8 w - - 0 1",        // no king at all
        "4k3/8/8/3pK3/8/8/8/8 w - d6 0 1",    // en passant beside the king
        "4k3/8/8/K2pP2r/8/8/8/8 w - d6 0 1",  // en passant that opens a rank
        "4k3/8/8/3k4/8/8/8/4K3 w - d6 0 1",   // the en-passant square's neighbour is a king
        "r3k2r/pppppppp/8/8/8/8/PPPPPPPP/R3K2R w KQkq - 0 1",
        "r3k2r/8/8/8/4q3/8/8/R3K2R w KQkq - 0 1",  // in check, castling both ways
        "4k3/4r3/8/8/8/8/4N3/4K3 w - - 0 1",       // pinned knight
        "4k3/8/8/1b6/8/3P4/4K3/8 w - - 0 1",       // pinned pawn
        "7k/P7/8/8/8/8/p7/K7 b - - 0 1",           // promotions
        "4k3/8/8/8/8/8/8/RN2K2R w KQ - 0 1",
        "kK6/8/8/8/8/8/8/8 w - - 0 1",         // kings side by side
        "8/8/8/8/8/8/P7/8 w - - 0 1",          // a lone pawn
        "Q3k3/8/8/Q7/8/8/Q7/Q3K2Q w - - 0 1",  // many queens
    };
    std::mt19937 rng(7);
    for (const char* fen : kFens) {
        TChessPosition start;
        ASSERT_TRUE(ReadFEN(fen, start)) << fen;
        for (bool white : {true, false}) {
            start.WhiteToMove = white;
            TTwinReplay replay(start);
            ProbeRandomMoves(replay, rng, 2000, 3, fen);
        }
    }
}

// The attack test on followed square sets answers like the one that walks the
// board, on every square of boards from real games and odd ones.
TEST(FastRules, AttackTestOnSquareSetsAgrees) {
    std::vector<std::string> fens = {"k7/8/8/8/8/8/8/K6K w - - 0 1", "Q3k3/8/8/Q7/8/8/Q7/Q3K2Q w - - 0 1",
                                     "4k3/8/8/K2pP2r/8/8/8/8 w - d6 0 1", "r3k2r/8/8/8/4q3/8/8/R3K2R w KQkq - 0 1",
                                     "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"};
    std::mt19937 rng(11);
    for (int i = 0; i < 200; ++i) {  // random boards: any piece on any square
        std::string fen;
        for (int rank = 7; rank >= 0; --rank) {
            for (int file = 0; file < 8; ++file) fen += rng() % 3 ? '1' : "KQBNRPkqbnrp"[rng() % 12];
            if (rank) fen += '/';
        }
        fens.push_back(fen + " w - - 0 1");
    }
    for (const std::string& fen : fens) {
        TChessPosition pos;
        ASSERT_TRUE(ReadFEN(fen, pos)) << fen;
        TKingSquares squares;
        squares.Find(pos.Board);
        for (int square = 0; square < 64; ++square)
            for (const bool white : {true, false})
                EXPECT_EQ(squares.Attacked(square, white),
                          IsSquareAttacked(pos.Board, SquareFile(square), SquareRank(square), white))
                    << fen << " square " << square << (white ? " by white" : " by black");
    }
}
