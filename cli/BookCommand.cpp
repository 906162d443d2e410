// vorlix book FILE.pgn -o OUT.(pdf|html): the games of a PGN file as a book,
// their moves, comments and variations as text with diagrams where the
// annotator asked for them.
#include <QFileInfo>
#include <QString>
#include <optional>
#include <string>

#include "batch/GameBook.h"
#include "batch/GameBookWriter.h"
#include "batch/IntegerList.h"
#include "batch/PositionList.h"
#include "board/GuiContext.h"
#include "cli/CliUtil.h"
#include "cli/Commands.h"
#include "cli/LookOptions.h"
#include "files/PGNReader.h"

namespace vorlix::cli {

namespace {

struct TBookArgs {
    std::string File;
    std::string Output;
    std::optional<TIntegerList> Games;
    TBookOptions Options;
    TLookOptions Look;
};

int BadArgument(const std::string& message) {
    std::fprintf(stderr, "vorlix book: %s\n", message.c_str());
    return Usage();
}

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
    return QString::fromStdString(text).endsWith(QString::fromStdString(tail), Qt::CaseInsensitive);
}

std::string ParseValue(const std::string& name, const std::string& value, TBookArgs& a) {
    if (name == "-o") {
        a.Output = value;
        if (!IsHtmlBookName(QString::fromStdString(value)) && !EndsWithNoCase(value, ".pdf"))
            return "the output file must end in .pdf or .html";
    } else if (name == "--games") {
        // An open range "N-" runs to the file's end.
        std::string closed = value;
        if (closed.size() > 1 && closed.back() == '-') closed += "2147483647";
        TIntegerList list;
        std::string error;
        if (!IsValidPositionText(closed) || !ParsePositionText(closed, list, error))
            return "--games takes numbers and ranges such as 1,5-7";
        a.Games = list;
    } else if (name == "--diagrams") {
        if (value == "markers") {
            a.Options.Diagrams = TBookDiagrams::Markers;
        } else if (value == "none") {
            a.Options.Diagrams = TBookDiagrams::None;
        } else if (value.rfind("every:", 0) == 0 && ParsePositive(value.substr(6), a.Options.EveryMoves)) {
            a.Options.Diagrams = TBookDiagrams::Every;
        } else {
            return "--diagrams takes markers, every:N or none";
        }
    } else if (name == "--notation") {
        if (!NotationFromKey(value, a.Options.Notation))
            return "--notation takes letters, figurine, de, fr, es, nl, it or asis";
    } else if (name == "--paper") {
        if (value != "a4" && value != "letter") return "--paper takes a4 or letter";
        a.Options.Letter = value == "letter";
    } else if (name == "--columns") {
        if (value != "1" && value != "2") return "--columns takes 1 or 2";
        a.Options.Columns = value == "2" ? 2 : 1;
    } else if (std::optional<std::string> error = ParseLookValue(name, value, a.Look)) {
        return *error;
    } else {
        return "unknown option " + name;
    }
    return {};
}

std::string ParseArgs(const Args& args, TBookArgs& a) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name.size() > 1 && name[0] == '-') {
            if (i + 1 >= args.size()) return "option " + name + " needs a value";
            if (std::string error = ParseValue(name, args[++i], a); !error.empty()) return error;
        } else if (!a.File.empty() || !IsFileArgument(name)) {
            return "give only one input file";
        } else {
            a.File = name;
        }
    }
    if (a.File.empty()) return "give a PGN file";
    if (a.Output.empty()) return "-o OUT.pdf or -o OUT.html is required";
    return {};
}

}  // namespace

int RunBook(const Args& args) {
    TBookArgs a;
    if (std::string error = ParseArgs(args, a); !error.empty()) return BadArgument(error);
    EnsureGuiApplication();
    if (const std::string error = LoadLook(a.Look); !error.empty()) {
        std::fprintf(stderr, "vorlix book: %s\n", error.c_str());
        return 1;
    }
    if (a.Look.LoadedTheme || a.Look.PieceSet)
        a.Options.Look = [&look = a.Look](TDiagramBoard& board) { ApplyLook(look, board); };
    const std::string input = InputFileName(a.File);
    TStdErrReporter reporter(input);
    std::vector<TBookGame> games;
    bool faulty = false;
    TPGNRec record;
    int number = 0;
    const bool read = ReadPGNFile(
        input, reporter,
        [&] {
            ResetGame(record);
            return &record;
        },
        [&](TPGNRec& game) {
            ++number;
            if (a.Games && !a.Games->Contains(number)) return;
            games.push_back(BuildBookGame(game, a.Options));
            if (!games.back().Error.empty()) {
                faulty = true;
                std::fprintf(stderr, "vorlix book: %s: game %d: %s\n", input.c_str(), number,
                             games.back().Error.c_str());
            }
        });
    if (!read) return 1;
    if (games.empty()) {
        std::fprintf(stderr, "vorlix book: %s: no games to write\n", input.c_str());
        return 1;
    }
    const QString title = QFileInfo(QString::fromStdString(input)).completeBaseName();
    std::string error;
    if (!WriteGameBook(games, a.Options, QString::fromStdString(a.Output), title, error)) {
        std::fprintf(stderr, "vorlix book: %s\n", error.c_str());
        return 1;
    }
    // The book is written up to each faulty game's bad move; the fault still fails the run.
    return faulty ? 1 : 0;
}

}  // namespace vorlix::cli
