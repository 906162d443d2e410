#include "cli/PositionOptions.h"

#include <QString>
#include <utility>
#include <vector>

#include "batch/PositionList.h"
#include "cli/CliUtil.h"

namespace vorlix::cli {
namespace {

// A list number that does not fit is refused, never read as another one.
const std::string kListRange = " (list numbers go from 0 to 2147483647)";

// Games and records: an open range "N-" goes on to the file's end, not only
// up to 999 as a position list's does, so no game of a large file is left
// out silently.
bool ParseGameList(const std::string& text, TIntegerList& list, std::string& error) {
    std::string closed;
    for (const std::string& item : SplitCommas(text)) {
        const std::string bare = QString::fromStdString(item).remove(QLatin1Char(' ')).toStdString();
        if (!closed.empty()) closed += ',';
        closed += item;
        if (bare.size() > 1 && bare.back() == '-' && bare.find('-') == bare.size() - 1) closed += "2147483647";
    }
    return ParsePositionText(closed, list, error);
}

}  // namespace

bool ParsePositionFlag(const std::string& name, TPositionOptions& o) {
    if (name == "--fen-start")
        o.FenStartGiven = true;
    else if (name == "--fen-final")
        o.FenFinalGiven = true;
    else
        return false;
    return true;
}

std::optional<std::string> ParsePositionValue(const std::string& name, const std::string& value, TPositionOptions& o) {
    if (name == "--games") {
        o.Games = value;
    } else if (name == "--records") {
        o.Records = value;
    } else if (name == "--positions") {
        if (value == "entire")
            o.Positions.Mode = TPositionMode::Entire;
        else if (value == "fixed")
            o.Positions.Mode = TPositionMode::Fixed;
        else if (value == "custom")
            o.Positions.Mode = TPositionMode::Custom;
        else
            return "--positions takes entire, fixed or custom";
    } else if (name == "--from-start") {
        o.FromStart = value;
    } else if (name == "--from-end") {
        o.FromEnd = value;
    } else {
        return std::nullopt;
    }
    return std::string();
}

std::string CheckPositionOptions(TPositionOptions& o, bool epdInput) {
    std::string error;
    if (epdInput) {
        if (o.Records) {
            if (!IsValidPositionText(*o.Records)) return "not a valid record list: \"" + *o.Records + "\"";
            if (!ParseGameList(*o.Records, o.RecordList, error)) return error + kListRange;
        }
        if (o.Games || o.FromStart || o.FromEnd || o.FenStartGiven || o.FenFinalGiven ||
            o.Positions.Mode != TPositionMode::Fixed)
            return "--games, --positions, --from-start, --from-end, --fen-start and --fen-final apply to PGN files";
        return {};
    }
    if (o.Games) {
        if (!IsValidPositionText(*o.Games)) return "not a valid game list: \"" + *o.Games + "\"";
        if (!ParseGameList(*o.Games, o.GameList, error)) return error + kListRange;
    }
    if (o.Records) return "--records applies to EPD files (--games to PGN files)";
    if ((o.FromStart || o.FromEnd) && o.Positions.Mode != TPositionMode::Custom)
        return "--from-start and --from-end need --positions custom";
    if ((o.FenStartGiven || o.FenFinalGiven) && o.Positions.Mode != TPositionMode::Fixed)
        return "--fen-start and --fen-final apply to --positions fixed";
    if (o.FenStartGiven || o.FenFinalGiven) {
        o.Positions.FenStart = o.FenStartGiven;
        o.Positions.FenFinal = o.FenFinalGiven;
    }
    if (o.Positions.Mode == TPositionMode::Custom) {
        const std::string start = o.FromStart.value_or(""), end = o.FromEnd.value_or("");
        if (!IsValidPositionText(start) && !IsValidPositionText(end))
            return "--positions custom needs a valid --from-start or --from-end list (such as 1,5-7,-3,40-)";
        for (const auto& [text, given] : {std::pair{start, o.FromStart.has_value()}, {end, o.FromEnd.has_value()}})
            if (given && !IsValidPositionText(text)) return "not a valid position list: \"" + text + "\"";
        if (!ParsePositionText(start, o.Positions.Custom.FromStart, error) ||
            !ParsePositionText(end, o.Positions.Custom.FromEnd, error))
            return error + kListRange;
    }
    return {};
}

}  // namespace vorlix::cli
