#include "board/ui/Quotations.h"

#include <QRandomGenerator>

namespace vorlix {

const std::array<TQuotation, kQuotationCount>& Quotations() {
    static const std::array<TQuotation, kQuotationCount> quotations = {{
        {"Help your pieces so they can help you.", "Paul Morphy"},
        {"Chess is the struggle against the error.", "Johannes Zukertort"},
        {"Every chess master was once a beginner.", "Irving Chernev"},
        {"The pawns are the soul of chess.", "Philidor"},
        {"Tactics flow from a superior position.", "Bobby Fischer"},
        {"In order to improve your game, you must study the endgame before everything else.", "J. R. Capablanca"},
        {"Chess is a sea in which a gnat may drink and an elephant may bathe.", "Indian proverb"},
        {"The blunders are all there on the board, waiting to be made.", "Savielly Tartakower"},
        {"A bad plan is better than none at all.", "Frank Marshall"},
        {"When you see a good move, look for a better one.", "Emanuel Lasker"},
        {"The threat is stronger than the execution.", "Aron Nimzowitsch"},
        {"Chess is life.", "Bobby Fischer"},
        {"Before the endgame, the gods have placed the middle game.", "Siegbert Tarrasch"},
        {"Even a poor plan is better than no plan at all.", "Mikhail Chigorin"},
        {"The winner of the game is the player who makes the next-to-last mistake.", "Savielly Tartakower"},
        {"Chess is beautiful enough to waste your life for.", "Hans Ree"},
        {"One bad move nullifies forty good ones.", "Israel Horowitz"},
        {"Play the opening like a book, the middle game like a magician, and the endgame like a machine.",
         "Rudolf Spielmann"},
        {"Of chess it has been said that life is not long enough for it.", "Bertrand Russell"},
        {"Chess is imagination.", "David Bronstein"},
        {"Pawn endings are to chess what putting is to golf.", "Cecil Purdy"},
        {"A knight on the rim is dim.", "Chess proverb"},
        {"Rooks belong behind passed pawns.", "Siegbert Tarrasch"},
        {"The hardest game to win is a won game.", "Emanuel Lasker"},
        {"All that matters on the chessboard is good moves.", "Bobby Fischer"},
        {"Chess holds its master in its own bonds.", "Albert Einstein"},
        {"Chess is the art of analysis.", "Mikhail Botvinnik"},
        {"A good diagram says more than a page of moves.", "Chess Vorlix"},
    }};
    return quotations;
}

const TQuotation& RandomQuotation() { return Quotations()[QRandomGenerator::global()->bounded(kQuotationCount)]; }

}  // namespace vorlix
