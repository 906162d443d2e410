#include <gtest/gtest.h>

#include "files/GameGlyphs.h"

namespace vorlix {
namespace {

struct TGlyphCase {
    const char* Moves;
    std::vector<std::string> Glyphs;  // per position, the start first
};

const TGlyphCase kCases[] = {
    {"1. e4! e5?! 2. Nf3!! Nc6?? 3. Bb5!? a6? *", {"", "!", "?!", "!!", "??", "!?", "?"}},
    {"1. e4 $1 e5 $6 2. Nf3 $3 $14 Nc6 $4 3. Bb5 $5 a6 $2 *", {"", "!", "?!", "!!", "??", "!?", "?"}},
    // Separate glyphs count; comments, variations and other annotations do not.
    {"1. e4 !? {a $4 ?? comment} e5 (1... c5 $1 !) $10 2. Nf3 $146 Nc6 ?! *", {"", "!?", "", "", "?!"}},
    // A move's own glyph comes before the annotation after it.
    {"1. d4? $1 d5 *", {"", "?", ""}},
    {"1. e4 e5 2. Nf3 *", {"", "", "", ""}},
};

TEST(GameGlyphs, EachMovesGlyphFromItsTextOrItsAnnotation) {
    for (const TGlyphCase& c : kCases) {
        TPGNRec game;
        game.Moves = c.Moves;
        game.Result = "*";
        EXPECT_EQ(ReadGameGlyphs(game), c.Glyphs) << c.Moves;
    }
    EXPECT_EQ(GlyphAt({"", "!"}, 5), "");
    EXPECT_EQ(GlyphOfNag(7), "");
    EXPECT_EQ(GlyphOfMoveText("Nf3!?"), "!?");
    EXPECT_EQ(GlyphOfMoveText("Nf3!!?"), "");
}

}  // namespace
}  // namespace vorlix
