#include "app/EpdPositionLine.h"

#include <sys/stat.h>

#include "files/EPD.h"
#include "files/FileInput.h"
#include "files/PositionText.h"
#include "files/SafeFileWriter.h"
#include "files/TextUtil.h"

namespace vorlix {
namespace {

std::string ReadWholeFile(const std::string& fileName) {
    struct stat info {};
    if (stat(fileName.c_str(), &info) != 0) return {};  // a new file
    TFileInput input(fileName);
    std::string text;
    char block[65536];
    while (const size_t n = input.Read(block, sizeof block)) text.append(block, n);
    return text;
}

}  // namespace

std::string PositionEpdLine(const std::array<int32_t, 64>& codes, const TPositionData& data) {
    TEPDRec rec;
    for (int i = 0; i < 64; ++i) rec.Board[i] = static_cast<uint8_t>(codes[i]);
    rec.WhiteToMove = data.WhiteToMove;
    rec.CastleWhiteShort = data.CastleWhiteShort;
    rec.CastleWhiteLong = data.CastleWhiteLong;
    rec.CastleBlackShort = data.CastleBlackShort;
    rec.CastleBlackLong = data.CastleBlackLong;
    rec.EpPossible = data.EnPassant;
    rec.EpSquare = data.EpSquare;
    // The dialog's best move is one move: the text up to its first blank.
    const std::string_view bestMove = Trim(data.BestMove);
    rec.BestMove = bestMove.substr(0, bestMove.find(' '));
    rec.Id = data.GameId;
    return EpdLine(rec);
}

void AppendEpdLine(const std::string& fileName, const std::string& line) {
    // A last line without its line end would swallow the new position.
    WriteFileSafely(fileName, AppendedFileText(ReadWholeFile(fileName), line));
}

}  // namespace vorlix
