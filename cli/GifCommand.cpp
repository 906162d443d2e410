// vorlix gif FILE.pgn: one game of a PGN file as an animated GIF, one frame
// per position, in the style of a diagram file when one is given.
#include <QString>
#include <optional>
#include <string>

#include "board/DiagramBoard.h"
#include "board/DiagramFile.h"
#include "board/GuiContext.h"
#include "cli/CliUtil.h"
#include "cli/Commands.h"
#include "cli/LookOptions.h"
#include "cli/GameStateOptions.h"
#include "export/GameAnimation.h"
#include "files/PGNReader.h"
#include "imaging/ImageFormat.h"

namespace vorlix::cli {

namespace {

struct TGifArgs {
    std::string File;
    int Game = 1;
    std::string Output;
    std::optional<std::string> Style;
    TLookOptions Look;
    TGameAnimationOptions Animation;
    TGameStateChoice State;
};

bool ParseValue(const std::string& name, const std::string& value, TGifArgs& parsed) {
    if (std::optional<std::string> error = ParseLookValue(name, value, parsed.Look)) return error->empty();
    if (name == "--game") return ParsePositive(value, parsed.Game);
    if (name == "--delay") return ParsePositive(value, parsed.Animation.DelayMs) && parsed.Animation.DelayMs <= 655350;
    if (name == "-o") {
        parsed.Output = value;
        return ImageFormatOfFileName(QString::fromStdString(value)) == TImageFormat::Gif;
    }
    if (name == "--style") {
        parsed.Style = value;
        return true;
    }
    return false;
}

bool ParseArgs(const Args& args, TGifArgs& parsed) {
    for (size_t i = 0; i < args.size(); ++i) {
        std::string error;
        if (const size_t taken = ParseGameStateOption(args, i, parsed.State, error)) {
            // A game's frames each keep the board's own orientation.
            if (!error.empty() || parsed.State.OrientMover) return false;
            i += taken - 1;
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            if (i + 1 >= args.size() || !ParseValue(args[i], args[i + 1], parsed)) return false;
            ++i;
        } else if (!IsFileArgument(args[i]) || !parsed.File.empty()) {
            return false;
        } else {
            parsed.File = args[i];
        }
    }
    // --last-move alone (or squares) highlights the squares as it always has.
    parsed.Animation.LastMove = parsed.State.LastMove == TLastMoveMark::Squares;
    parsed.Animation.LastMoveArrow = parsed.State.LastMove == TLastMoveMark::Arrow;
    parsed.Animation.Check = parsed.State.Check;
    parsed.Animation.Glyphs = parsed.State.Glyphs;
    return !parsed.File.empty() && !parsed.Output.empty();
}

// Reads the file up to the wanted game; false when it cannot be read or lacks the game.
bool ReadGame(const TGifArgs& parsed, TPGNRec& wanted, TStdErrReporter& reporter) {
    return ForGameNumber(parsed.File, parsed.Game, reporter, [&](TPGNRec& done) { wanted = done; });
}

}  // namespace

int RunGif(const Args& args) {
    TGifArgs parsed;
    if (!ParseArgs(args, parsed)) return Usage();
    EnsureGuiApplication();
    TStdErrReporter reporter(parsed.File);
    TPGNRec game;
    if (!ReadGame(parsed, game, reporter)) return 1;

    TDiagram diagram;
    if (parsed.Style) {
        TStdErrReporter styleReporter(*parsed.Style);
        const TOpenableName style(*parsed.Style);
        if (!LoadDiagramFile(QString::fromStdString(style.Utf8()), diagram, styleReporter)) return 1;
    }
    if (const std::string error = LoadLook(parsed.Look); !error.empty()) {
        std::fprintf(stderr, "vorlix gif: %s\n", error.c_str());
        return 1;
    }
    ApplyLook(parsed.Look, diagram.Board);
    if (parsed.State.MoverMark) diagram.Board.SetShowSideToMove(true);
    reporter.SetSubject(parsed.File + ", game " + std::to_string(parsed.Game));
    return SaveGameAnimation(diagram, game, parsed.Animation, parsed.Output, reporter) ? 0 : 1;
}

}  // namespace vorlix::cli
