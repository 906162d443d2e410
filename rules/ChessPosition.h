#pragma once
// One position of a game and one decoded move. Plain records: the game replay
// owns a chain of positions linked through Prev/Next.
#include <cstdint>
#include <string>

namespace vorlix {

// Piece codes shared by the rules, the position text readers and the diagram board.
enum : int32_t {
    pcEmpty = 0,
    pcWKing = 1,
    pcWQueen = 2,
    pcWBishop = 3,
    pcWKnight = 4,
    pcWRook = 5,
    pcWPawn = 6,
    pcBKing = 7,
    pcBQueen = 8,
    pcBBishop = 9,
    pcBKnight = 10,
    pcBRook = 11,
    pcBPawn = 12,
};
constexpr int32_t kBlackOffset = 6;

// Letters of EPD/FEN text indexed by piece code; entry 0 is never written.
inline constexpr char kPieceLetters[13] = {' ', 'K', 'Q', 'B', 'N', 'R', 'P', 'k', 'q', 'b', 'n', 'r', 'p'};

// Square index: file-major (a1 = 0, a2 = 1, ..., h8 = 63).
constexpr int SquareIndex(int file, int rank) { return file * 8 + rank; }
constexpr int SquareFile(int index) { return index / 8; }
constexpr int SquareRank(int index) { return index % 8; }

struct TChessMove {
    int32_t Piece = 0;
    bool Capture = false;
    int32_t Promotion = 0;
    bool EnPassant = false;
    char CheckMark = ' ';
    int32_t FromFile = -1;
    int32_t FromRank = -1;
    int32_t ToFile = 0;
    int32_t ToRank = 0;
};

struct TChessPosition {
    int32_t MoveNumber = 0;
    std::string MoveText = "-";
    TChessMove LastMove{0, false, 0, false, '\0', 0, 0, 0, 0};  // all zero before the first move
    bool WhiteToMove = true;
    bool WhiteInCheck = false;
    bool BlackInCheck = false;
    bool CastleWhiteShort = false;
    bool CastleWhiteLong = false;
    bool CastleBlackShort = false;
    bool CastleBlackLong = false;
    bool EpPossible = false;
    int32_t EpFile = -1;
    int32_t EpRank = -1;
    int32_t HalfMoveClock = 0;
    int32_t Board[64] = {};
    TChessPosition* Prev = nullptr;
    TChessPosition* Next = nullptr;
};

// The standard start position with all castling rights.
void SetStartPosition(TChessPosition& pos);
// Copies only the 64 squares.
void CopyPlacement(const TChessPosition& from, TChessPosition& to);

}  // namespace vorlix
