#include "batch/GameCaption.h"

#include "files/PGNRecord.h"
#include "rules/ChessPosition.h"

namespace vorlix {
namespace {

void Append(std::string& text, const std::string& item) {
    text += item;
    text += ", ";
}

std::string Rated(const std::string& name, const std::string& rating) { return name + " (" + rating + ")"; }

std::string Players(const TCaptionItems& items, const TCaptionValues& v) {
    if (items.White && items.Black) {
        if (items.WhiteElo && items.BlackElo) return Rated(v.White, v.WhiteElo) + " - " + Rated(v.Black, v.BlackElo);
        return v.White + " - " + v.Black;
    }
    if (items.White) return items.WhiteElo ? Rated(v.White, v.WhiteElo) : v.White;
    if (items.Black) return items.BlackElo ? Rated(v.Black, v.BlackElo) : v.Black;
    return {};
}

std::string RatingOrUnknown(const std::string& rating) { return rating.empty() ? "?" : rating; }

}  // namespace

std::string ComposeCaption(const TCaptionItems& items, const TCaptionValues& v) {
    std::string text;
    if (items.Event) Append(text, v.Event);
    if (items.Site) Append(text, v.Site);
    if (items.Date) Append(text, v.Date);
    if (items.White || items.Black) Append(text, Players(items, v));
    if (items.ECO) Append(text, v.ECO);
    if (items.Result) Append(text, v.Result);
    if (items.Move && !v.Move.empty()) Append(text, v.Move);
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, ", ") == 0) text.resize(text.size() - 2);
    return text;
}

std::string ComposeExampleCaption(const TCaptionItems& items, const std::string& currentText) {
    if (!items.Any()) return currentText;
    TCaptionValues sample;
    sample.Event = "Moscow Open";
    sample.Site = "Moscow, RUS";
    sample.Date = "1989.10.04";
    sample.White = "Dorlan, Ev.";
    sample.WhiteElo = "2710";
    sample.Black = "Mirvel, T.";
    sample.BlackElo = "2645";
    sample.ECO = "A67";
    sample.Result = "1/2-1/2";
    sample.Move = "11... Bf8";
    return ComposeCaption(items, sample);
}

std::string MoveDataText(const TChessPosition& position) {
    if (position.MoveNumber <= 0) return {};
    return std::to_string(position.MoveNumber) + (position.WhiteToMove ? "... " : ". ") + position.MoveText;
}

std::string ComposeGameCaption(const TCaptionItems& items, const TPGNRec& game, const TChessPosition& position) {
    TCaptionValues v;
    v.Event = game.Event;
    v.Site = game.Site;
    v.Date = game.Date;
    v.White = game.White;
    v.WhiteElo = RatingOrUnknown(game.WhiteElo);
    v.Black = game.Black;
    v.BlackElo = RatingOrUnknown(game.BlackElo);
    v.ECO = game.ECO;
    v.Result = game.Result;
    v.Move = MoveDataText(position);
    return ComposeCaption(items, v);
}

}  // namespace vorlix
