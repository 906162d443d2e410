// vorlix render: a position (FEN placement or setup text) to a diagram image.
// Arguments are parsed into an options record first, then applied to a board
// through its own setters, so the board's rules (e.g. odd square sizes) hold.
#include <QString>
#include <cstdio>
#include <optional>
#include <string>

#include "board/Bmp24Writer.h"
#include "board/ChessBoard.h"
#include "board/GuiContext.h"
#include "cli/Commands.h"

namespace vorlix::cli {

namespace {

struct TRenderOptions {
    std::optional<std::string> Fen;
    std::optional<std::string> Setup;
    std::string Output;
    std::optional<TView> View;
    std::optional<TPieceStyle> PieceStyle;
    std::optional<int> SquareSize;
    std::optional<TCoordenateOrientation> Coords;
    std::optional<int> Grid;
};

int BadArgument(const std::string& message) {
    std::fprintf(stderr, "vorlix render: %s\n", message.c_str());
    std::fputs("usage: vorlix render (--fen TEXT | --setup TEXT) -o OUT.bmp [--view white|black]\n"
               "       [--piece-style riroz|roviravo|roruvoz] [--square-size N] [--coords LETTERS] [--grid N]\n",
               stderr);
    return 2;
}

std::optional<int> ParseInt(const std::string& text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size()) return std::nullopt;
    for (size_t j = i; j < text.size(); ++j)
        if (text[j] < '0' || text[j] > '9') return std::nullopt;
    return std::stoi(text);
}

std::optional<TView> ParseView(const std::string& text) {
    if (text == "white") return vwWhiteUnder;
    if (text == "black") return vwBlackUnder;
    return std::nullopt;
}

std::optional<TPieceStyle> ParsePieceStyle(const std::string& text) {
    if (text == "riroz") return psRirozReg;
    if (text == "roviravo") return psRoviravo;
    if (text == "roruvoz") return psRoruvoz;
    return std::nullopt;
}

// Any of N, W, E, S (upper or lower case); "-" for no coordinates.
std::optional<TCoordenateOrientation> ParseCoords(const std::string& text) {
    if (text == "-") return TCoordenateOrientation(0);
    if (text.empty()) return std::nullopt;
    TCoordenateOrientation sides = 0;
    for (char c : text) {
        switch (c) {
            case 'N': case 'n': sides |= North; break;
            case 'W': case 'w': sides |= West; break;
            case 'E': case 'e': sides |= East; break;
            case 'S': case 's': sides |= South; break;
            default: return std::nullopt;
        }
    }
    return sides;
}

bool HasBmpExtension(const std::string& name) {
    return QString::fromStdString(name).endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive);
}

// Fills options from the arguments; returns an error message, empty on success.
std::string ParseRenderOptions(const Args& args, TRenderOptions& options) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (i + 1 >= args.size()) return "option " + name + " needs a value";
        const std::string& value = args[++i];
        if (name == "--fen") {
            options.Fen = value;
        } else if (name == "--setup") {
            options.Setup = value;
        } else if (name == "-o") {
            options.Output = value;
        } else if (name == "--view") {
            if (!(options.View = ParseView(value))) return "--view takes white or black";
        } else if (name == "--piece-style") {
            if (!(options.PieceStyle = ParsePieceStyle(value)))
                return "--piece-style takes riroz, roviravo or roruvoz";
        } else if (name == "--square-size") {
            if (!(options.SquareSize = ParseInt(value))) return "--square-size takes a number";
        } else if (name == "--coords") {
            if (!(options.Coords = ParseCoords(value)))
                return "--coords takes letters from N, W, E, S, or - for none";
        } else if (name == "--grid") {
            if (!(options.Grid = ParseInt(value))) return "--grid takes a number";
        } else {
            return "unknown option " + name;
        }
    }
    if (options.Fen.has_value() == options.Setup.has_value()) return "give exactly one of --fen and --setup";
    if (options.Output.empty()) return "-o OUT.bmp is required";
    if (!HasBmpExtension(options.Output)) return "the output file must end in .bmp";
    return {};
}

void ApplyStyle(const TRenderOptions& options, TkxChessBrd& board) {
    if (options.View) board.SetView(*options.View);
    if (options.PieceStyle) board.SetPieceStyle(*options.PieceStyle);
    if (options.SquareSize) board.SetSquareSize(*options.SquareSize);
    if (options.Coords) board.SetCoordenateOrientation(*options.Coords);
    if (options.Grid) board.SetGridLineWidth(*options.Grid);
}

// Puts the position on the board; returns an error message, empty on success.
std::string ApplyPosition(const TRenderOptions& options, TkxChessBrd& board) {
    if (options.Fen && !board.SetPositionFromPlacement(*options.Fen))
        return "not a valid FEN piece placement: \"" + *options.Fen + "\"";
    if (options.Setup && !board.SetPositionFromSetup(*options.Setup))
        return "not a valid setup text: \"" + *options.Setup + "\"";
    return {};
}

}  // namespace

int RunRender(const Args& args) {
    TRenderOptions options;
    if (const std::string error = ParseRenderOptions(args, options); !error.empty()) return BadArgument(error);

    EnsureGuiApplication();
    TkxChessBrd board;
    board.BeginUpdate();
    ApplyStyle(options, board);
    if (const std::string error = ApplyPosition(options, board); !error.empty()) {
        std::fprintf(stderr, "vorlix render: %s\n", error.c_str());
        return 1;
    }
    board.EndUpdate();
    board.Render();

    std::string error;
    if (!SaveBmp24(board.DiagramBitmap(), QString::fromStdString(options.Output), error)) {
        std::fprintf(stderr, "vorlix render: cannot write %s: %s\n", options.Output.c_str(), error.c_str());
        return 1;
    }
    return 0;
}

}  // namespace vorlix::cli
