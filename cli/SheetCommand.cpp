// vorlix sheet: a worksheet of an EPD file's records or a PGN file's
// positions, picked as vorlix batch picks them, as one PDF file.
#include <QFileInfo>
#include <QString>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "batch/PositionPicker.h"
#include "batch/Worksheet.h"
#include "board/Diagram.h"
#include "board/DiagramFile.h"
#include "board/GuiContext.h"
#include "cli/CliUtil.h"
#include "cli/Commands.h"
#include "cli/GameStateOptions.h"
#include "cli/LookOptions.h"
#include "cli/PositionOptions.h"
#include "files/EPD.h"
#include "files/GameMarks.h"
#include "files/PGNPos.h"
#include "files/PGNReader.h"
#include "print/WorksheetLayout.h"

namespace vorlix::cli {
namespace {

struct TSheetOptions : TPositionOptions {
    TLookOptions Look;
    std::string Input, Output;
    bool Epd = false;
    std::optional<std::string> Style;
    TWorksheetOptions Sheet;
};

int BadArgument(const std::string& message) {
    std::fprintf(stderr, "vorlix sheet: %s\n", message.c_str());
    return Usage();
}

bool EndsWith(const std::string& text, const char* tail) {
    return QString::fromStdString(text).endsWith(QLatin1String(tail), Qt::CaseInsensitive);
}

std::string ParseValue(const std::string& name, const std::string& value, TSheetOptions& o) {
    if (std::optional<std::string> error = ParsePositionValue(name, value, o)) return *error;
    if (std::optional<std::string> error = ParseLookValue(name, value, o.Look)) return *error;
    if (name == "-o") {
        o.Output = value;
    } else if (name == "--per-page") {
        int n = 0;
        if (!ParsePositive(value, n) || !SheetGridOf(n)) return "--per-page takes 1, 2, 4, 6, 9 or 12";
        o.Sheet.PerPage = n;
    } else if (name == "--paper") {
        if (value != "a4" && value != "letter") return "--paper takes a4 or letter";
        o.Sheet.Letter = value == "letter";
    } else if (name == "--caption") {
        o.Sheet.Caption = value;
    } else if (name == "--title") {
        o.Sheet.Title = value;
    } else if (name == "--style") {
        o.Style = value;
    } else {
        return "unknown option " + name;
    }
    return {};
}

std::string ParseSheetOptions(const Args& args, TSheetOptions& o) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        std::string stateError;
        if (const size_t taken = ParseGameStateOption(args, i, o.Sheet.State, stateError)) {
            if (!stateError.empty()) return stateError;
            i += taken - 1;
            continue;
        }
        if (ParsePositionFlag(name, o)) continue;
        if (name == "--key") {
            o.Sheet.Key = true;
        } else if (name.size() > 1 && name[0] == '-') {
            if (i + 1 >= args.size()) return "option " + name + " needs a value";
            if (std::string error = ParseValue(name, args[++i], o); !error.empty()) return error;
        } else if (!o.Input.empty()) {
            return "give only one input file";
        } else {
            o.Input = name;
        }
    }
    if (o.Input.empty()) return "give a PGN or EPD file";
    o.Epd = EndsWith(o.Input, ".epd");
    if (!o.Epd && !EndsWith(o.Input, ".pgn")) return "the input file must end in .pgn or .epd";
    if (o.Output.empty()) return "-o SHEET.pdf is required";
    if (!EndsWith(o.Output, ".pdf")) return "a worksheet is a PDF file: -o must end in .pdf";
    if (o.Sheet.State.Glyphs) return "--glyphs does not apply to worksheets: a glyph gives the answer away";
    if (o.Epd && o.Sheet.State.LastMove != TLastMoveMark::None) return "--last-move applies to PGN files";
    return CheckPositionOptions(o, o.Epd);
}

// The EPD file's records, or those of --records; false after a reported failure.
bool EpdPositions(const TSheetOptions& o, TErrorReporter& reporter, std::vector<TSheetPosition>& positions) {
    TEPD epd(reporter);
    const bool read = epd.LoadFromFile(o.Input);
    int number = 0;
    for (const TEPDRec* r = epd.First; r; r = r->Next)
        if (++number, !o.Records || o.RecordList.Contains(number))
            positions.push_back(SheetPositionOfEpd(*r, static_cast<int>(positions.size()) + 1));
    return read;
}

// The positions of the games, picked as a batch run picks them. A game that
// cannot be replayed to its end is named and gives the positions before its
// faulty move; false when one was met or the file could not be read.
bool PgnPositions(const TSheetOptions& o, TErrorReporter& reporter, std::vector<TSheetPosition>& positions) {
    TPGNRec game;
    int inFile = 0;
    bool whole = true;
    const bool read = ReadPGNFile(
        o.Input, reporter,
        [&] {
            ResetGame(game);
            return &game;
        },
        [&](TPGNRec& g) {
            ++inFile;
            if (o.Games && !o.GameList.Contains(inFile)) return;
            TPGNPos replay(reporter);
            const bool complete = replay.LoadGame(&g, inFile);
            whole = whole && complete;
            const std::vector<TBoardMarks> marks = ReadGameMarks(g);
            for (const TPickedPosition& pick : PickPositions(replay.First, g.HasSetup, o.Positions, complete))
                positions.push_back(SheetPositionOfGame(g, inFile, *pick.Position,
                                                        BatchPositionMarks(marks, *pick.Position),
                                                        static_cast<int>(positions.size()) + 1));
        });
    return read && whole;
}

}  // namespace

int RunSheet(const Args& args) {
    TSheetOptions o;
    if (const std::string error = ParseSheetOptions(args, o); !error.empty()) return BadArgument(error);
    const QString folder = QFileInfo(QString::fromStdString(o.Output)).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        std::fprintf(stderr, "vorlix sheet: %s: the folder does not exist\n", folder.toLocal8Bit().constData());
        return 1;
    }
    EnsureGuiApplication();
    TStdErrReporter reporter(o.Input);
    std::vector<TSheetPosition> positions;
    const bool read = o.Epd ? EpdPositions(o, reporter, positions) : PgnPositions(o, reporter, positions);
    if (positions.empty()) {
        std::fprintf(stderr, "vorlix sheet: %s: no positions for the worksheet\n", o.Input.c_str());
        return 1;
    }
    const std::string styleFile = o.Style.value_or(DefaultStyleFile());
    TStdErrReporter styleReporter(styleFile);
    TDiagram style;
    style.Board.SetErrorReporter(&styleReporter);
    if (!LoadDiagramFile(QString::fromStdString(styleFile), style, styleReporter)) return 1;
    if (const std::string lookError = LoadLook(o.Look); !lookError.empty()) {
        std::fprintf(stderr, "vorlix sheet: %s\n", lookError.c_str());
        return 1;
    }
    ApplyLook(o.Look, style.Board);
    std::string error;
    if (!WriteWorksheet(style, positions, o.Sheet, QString::fromStdString(o.Output), error)) {
        std::fprintf(stderr, "vorlix sheet: %s\n", error.c_str());
        return 1;
    }
    std::printf("%zu diagrams written to %s\n", positions.size(), o.Output.c_str());
    return read ? 0 : 1;
}

}  // namespace vorlix::cli
