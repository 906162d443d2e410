// vorlix render: a position (FEN placement, setup text, or a diagram file) to a
// diagram image. Arguments are parsed into an options record first, then applied
// to a board through its own setters, so the board's rules (e.g. odd square
// sizes) hold; the picture goes through the same image road as the editor's.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QString>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "batch/CaptionTemplate.h"
#include "board/BoardText.h"
#include "board/DiagramBoard.h"
#include "board/DiagramFile.h"
#include "board/GuiContext.h"
#include "cli/CliUtil.h"
#include "cli/Commands.h"
#include "cli/GameStateOptions.h"
#include "cli/LookOptions.h"
#include "export/DiagramImage.h"
#include "export/ImageExport.h"
#include "export/ScalableExport.h"
#include "files/TextEncoding.h"
#include "imaging/ImageScaling.h"

namespace vorlix::cli {

namespace {

struct TRenderOptions {
    TLookOptions Look;
    std::optional<std::string> Vxd;
    std::optional<std::string> Fen;
    std::optional<std::string> Setup;
    std::optional<std::string> Fens;  // a file of positions, one a line; "-" for standard input
    std::string Output;
    TImageFormat Format = TImageFormat::Bmp;
    bool Scalable = false;  // PNG, SVG or PDF
    std::optional<TView> View;
    std::optional<TPieceStyle> PieceStyle;
    std::optional<int> SquareSize;
    std::optional<TCoordenateOrientation> Coords;
    std::optional<bool> CoordsInside;
    std::optional<int> Grid;
    int ScaleIndex = kNoScaleIndex;
    std::optional<int> ScalePercent;
    std::optional<int> Size;  // board width in output pixels
    std::optional<int> Dpi;
    std::optional<int> Colors;  // 2, 16, 256 or 24
    bool Transparent = false;
    bool SvgTextAsPaths = false;
    int Quality = 81;
    std::optional<std::string> Header;
    std::optional<std::string> Footer;
    std::optional<std::string> HeaderCaption, Caption;  // caption templates, filled from the position
    std::optional<int32_t> HeaderAlign;
    std::optional<int32_t> FooterAlign;
    TBoardMarks Marks;  // added to those of a diagram file
    TGameStateChoice State;
    std::optional<std::string> Pgn;  // a game's position instead of --fen or --setup
    std::optional<int> Game, Position;
};

void PrintMessage(const std::string& message) {
    std::string text = "vorlix render: ";
    AppendPrintable(text, message);
    text += '\n';
    std::fputs(text.c_str(), stderr);
}

int BadArgument(const std::string& message) {
    PrintMessage(message);
    return Usage();
}

int Failure(const std::string& message) {
    PrintMessage(message);
    return 1;
}

// A name Qt can open. Qt reads file names as UTF-8; a name in any other
// bytes is opened here and handed over as the descriptor's /proc path, so the
// file meant is the file read.
class TQtFileName {
public:
    explicit TQtFileName(const std::string& name) {
        if (IsValidUtf8(name)) {
            name_ = QString::fromStdString(name);
            return;
        }
        fd_ = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
        name_ = fd_ >= 0 ? QStringLiteral("/proc/self/fd/%1").arg(fd_) : QString();
    }
    ~TQtFileName() {
        if (fd_ >= 0) ::close(fd_);
    }
    TQtFileName(const TQtFileName&) = delete;
    TQtFileName& operator=(const TQtFileName&) = delete;
    const QString& Name() const { return name_; }

private:
    int fd_ = -1;
    QString name_;
};

// Writes the image to the file named by the bytes given, as they are.
bool SaveImage(const QImage& image, const std::string& fileName, const TImageSaveOptions& save,
               TStdErrReporter& reporter) {
    reporter.SetSubject(fileName);
    if (const std::string missing = OutputFailureMessage(fileName, {}); !missing.empty()) {
        reporter.Report(TMsgKind::Error, missing);
        return false;
    }
    return SaveDiagramImage(image, fileName, save, reporter);
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
            case 'N':
            case 'n': sides |= North; break;
            case 'W':
            case 'w': sides |= West; break;
            case 'E':
            case 'e': sides |= East; break;
            case 'S':
            case 's': sides |= South; break;
            default: return std::nullopt;
        }
    }
    return sides;
}

std::optional<int32_t> ParseAlignment(const std::string& text) {
    if (text == "left") return taLeftJustify;
    if (text == "center") return taCenter;
    if (text == "right") return taRightJustify;
    return std::nullopt;
}

// The option that takes a value; returns an error message, empty on success.
std::string ParseValueOption(const std::string& name, const std::string& value, TRenderOptions& o) {
    if (std::optional<std::string> error = ParseLookValue(name, value, o.Look)) return *error;
    if (name == "--vxd") {
        o.Vxd = value;
    } else if (name == "--fen") {
        o.Fen = value;
    } else if (name == "--setup") {
        o.Setup = value;
    } else if (name == "--fens") {
        o.Fens = value;
    } else if (name == "--pgn") {
        o.Pgn = value;
    } else if (name == "--game" || name == "--position") {
        const auto number = ParseInt(value);
        if (!number || *number < 1) return name + " takes a number from 1";
        (name == "--game" ? o.Game : o.Position) = number;
    } else if (name == "-o") {
        o.Output = value;
    } else if (name == "--view") {
        if (!(o.View = ParseView(value))) return "--view takes white or black";
    } else if (name == "--piece-style") {
        if (!(o.PieceStyle = ParsePieceStyle(value))) return "--piece-style takes riroz, roviravo or roruvoz";
    } else if (name == "--square-size") {
        o.SquareSize = ParseInt(value);
        if (!o.SquareSize || *o.SquareSize < TDiagramBoard::kMinSquareSize ||
            *o.SquareSize > TDiagramBoard::kMaxSquareSize || *o.SquareSize % 2 != 0)
            return "--square-size takes an even number from " + std::to_string(TDiagramBoard::kMinSquareSize) + " to " +
                   std::to_string(TDiagramBoard::kMaxSquareSize);
    } else if (name == "--coords") {
        // "inside" keeps the sides (of the --vxd file, or east and south) and moves their labels in.
        o.CoordsInside = value == "inside";
        if (!*o.CoordsInside && !(o.Coords = ParseCoords(value)))
            return "--coords takes letters from N, W, E, S, - for none, or inside";
    } else if (name == "--grid") {
        o.Grid = ParseInt(value);
        if (!o.Grid || *o.Grid < 0 || *o.Grid > TDiagramBoard::kMaxGridLineWidth)
            return "--grid takes a number from 0 to " + std::to_string(TDiagramBoard::kMaxGridLineWidth);
    } else if (name == "--scale") {
        o.ScalePercent = ParseInt(value);
        if (!o.ScalePercent || *o.ScalePercent < 10 || *o.ScalePercent > 4000)
            return "--scale takes a percentage from 10 to 4000";
    } else if (name == "--size") {
        o.Size = ParseInt(value);
        if (!o.Size || *o.Size < 16 || *o.Size > kMaxImagePixels)
            return "--size takes a number of pixels from 16 to 16384";
    } else if (name == "--dpi") {
        o.Dpi = ParseInt(value);
        if (!o.Dpi || *o.Dpi < 10 || *o.Dpi > 9600) return "--dpi takes a number from 10 to 9600";
    } else if (name == "--svg-text") {
        if (value != "paths" && value != "text") return "--svg-text takes paths or text";
        o.SvgTextAsPaths = value == "paths";
    } else if (name == "--colors") {
        o.Colors = ParseInt(value);
        if (!o.Colors || (*o.Colors != 2 && *o.Colors != 16 && *o.Colors != 256 && *o.Colors != 24))
            return "--colors takes 2, 16, 256 or 24";
    } else if (name == "--quality") {
        const auto quality = ParseInt(value);
        if (!quality || *quality < 1 || *quality > 100) return "--quality takes a number from 1 to 100";
        o.Quality = *quality;
    } else if (name == "--arrow") {
        const auto arrow = ParseArrowArgument(value);
        if (!arrow) return "--arrow takes two squares such as e2e4, optionally with :R, :G, :Y or :B";
        o.Marks.Arrows.push_back(*arrow);
    } else if (name == "--mark") {
        const auto mark = ParseSquareArgument(value);
        if (!mark) return "--mark takes a square such as d4, optionally with :R, :G, :Y or :B";
        o.Marks.Squares.push_back(*mark);
    } else if (name == "--caption") {
        o.Caption = value;
    } else if (name == "--header-caption") {
        o.HeaderCaption = value;
    } else if (name == "--header") {
        o.Header = value;
    } else if (name == "--footer") {
        o.Footer = value;
    } else if (name == "--header-align") {
        if (!(o.HeaderAlign = ParseAlignment(value))) return "--header-align takes left, center or right";
    } else if (name == "--footer-align") {
        if (!(o.FooterAlign = ParseAlignment(value))) return "--footer-align takes left, center or right";
    } else {
        return "unknown option " + name;
    }
    return {};
}

// The bitmap formats keep the image scale table of the editor.
std::string CheckBitmapOptions(TRenderOptions& o) {
    if (o.Size || o.Dpi) return "--size and --dpi apply to PNG, SVG and PDF images only";
    if (o.SvgTextAsPaths) return "--svg-text applies to SVG images only";
    if (o.ScalePercent) {
        const auto index = ImageScaleIndexOfPercent(*o.ScalePercent);
        if (!index) return "--scale takes 40, 60, 80, 90, 100, 125, 150 or 200 for BMP, GIF and JPEG images";
        o.ScaleIndex = *index;
    }
    if (o.Transparent && o.Format != TImageFormat::Gif) return "--transparent applies to GIF and PNG images only";
    if (o.Colors && o.Format == TImageFormat::Gif && *o.Colors == 24) return "a GIF image has at most 256 colours";
    if (o.Colors && o.Format == TImageFormat::Jpeg && *o.Colors != 24) return "a JPEG image is always 24-bit";
    return {};
}

std::string CheckScalableOptions(const TRenderOptions& o) {
    if (o.Size && o.ScalePercent) return "give at most one of --size and --scale";
    if (o.Colors) return "--colors applies to BMP and GIF images only";
    if (o.Transparent && o.Format != TImageFormat::Png) return "--transparent applies to GIF and PNG images only";
    if (o.Dpi && o.Format == TImageFormat::Svg) return "--dpi applies to PNG and PDF images only";
    if (o.SvgTextAsPaths && o.Format != TImageFormat::Svg) return "--svg-text applies to SVG images only";
    return {};
}

// Where "%d" or "%0Nd" (N 1..9) stands in a name pattern: its offset, length and width.
struct TNumberPattern {
    size_t At = 0, Length = 0;
    int Width = 0;
};

std::optional<TNumberPattern> NumberPattern(const std::string& pattern) {
    std::optional<TNumberPattern> found;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') continue;
        TNumberPattern p{i, 2, 0};
        if (i + 3 < pattern.size() && pattern[i + 1] == '0' && pattern[i + 2] >= '1' && pattern[i + 2] <= '9' &&
            pattern[i + 3] == 'd')
            p = {i, 4, pattern[i + 2] - '0'};
        else if (i + 1 >= pattern.size() || pattern[i + 1] != 'd')
            return std::nullopt;  // a lone % would be ambiguous
        if (found) return std::nullopt;
        found = p;
        i += p.Length - 1;
    }
    return found;
}

std::string NumberedName(const std::string& pattern, int n) {
    const TNumberPattern p = *NumberPattern(pattern);
    std::string number = std::to_string(n);
    if (int(number.size()) < p.Width) number.insert(0, p.Width - number.size(), '0');
    return pattern.substr(0, p.At) + number + pattern.substr(p.At + p.Length);
}

// Checks the options against each other and the output format.
std::string CheckRenderOptions(TRenderOptions& o) {
    if (int(bool(o.Fen)) + int(bool(o.Setup)) + int(bool(o.Fens)) + int(bool(o.Pgn)) > 1)
        return "give at most one of --fen, --setup, --fens and --pgn";
    if (!o.Fen && !o.Setup && !o.Fens && !o.Pgn && !o.Vxd) return "give --fen, --setup, --fens, --pgn or --vxd";
    if ((o.Game || o.Position) && !o.Pgn) return "--game and --position apply to --pgn";
    if ((o.State.LastMove != TLastMoveMark::None || o.State.Glyphs) && !o.Pgn)
        return "--last-move and --glyphs need a game position (--pgn)";
    if (o.Output.empty()) return "-o OUT is required";
    if (o.Header && o.HeaderCaption) return "give at most one of --header and --header-caption";
    if (o.Footer && o.Caption) return "give at most one of --footer and --caption";
    if (o.Fens && !NumberPattern(o.Output))
        return "with --fens, -o needs one number in its name, such as d%03d.png (%d or %0Nd)";
    const auto format = ImageFormatOfFileName(QString::fromStdString(o.Output));
    if (!format) return "the output file must end in .png, .svg, .pdf, .gif, .jpg, .jpeg or .bmp";
    o.Format = *format;
    o.Scalable = IsScalableFormat(*format);
    if (o.Scalable) return CheckScalableOptions(o);
    return CheckBitmapOptions(o);
}

std::string ParseRenderOptions(const Args& args, TRenderOptions& options) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        std::string stateError;
        if (const size_t taken = ParseGameStateOption(args, i, options.State, stateError)) {
            if (!stateError.empty()) return stateError;
            i += taken - 1;
            continue;
        }
        if (name == "--transparent") {
            options.Transparent = true;
            continue;
        }
        if (i + 1 >= args.size()) return "option " + name + " needs a value";
        if (std::string error = ParseValueOption(name, args[++i], options); !error.empty()) return error;
    }
    return CheckRenderOptions(options);
}

int ColorIndexOf(const TRenderOptions& o) {
    switch (o.Colors.value_or(o.Format == TImageFormat::Gif ? 256 : 24)) {
        case 2: return ciMonochrome;
        case 16: return ci16Colors;
        case 256: return ci256Colors;
        default: return ciTrueColor;
    }
}

void ApplyStyle(const TRenderOptions& options, TDiagramBoard& board) {
    TBoardMarks marks = board.Marks();
    marks.Arrows.insert(marks.Arrows.end(), options.Marks.Arrows.begin(), options.Marks.Arrows.end());
    marks.Squares.insert(marks.Squares.end(), options.Marks.Squares.begin(), options.Marks.Squares.end());
    board.SetMarks(marks);
    if (options.View) board.SetView(*options.View);
    if (options.PieceStyle) board.SetPieceStyle(*options.PieceStyle);
    if (options.SquareSize) board.SetSquareSize(*options.SquareSize);
    if (options.Coords) board.SetCoordenateOrientation(*options.Coords);
    if (options.CoordsInside) board.SetCoordenateInside(*options.CoordsInside);
    if (options.Grid) board.SetGridLineWidth(*options.Grid);
    if (options.State.MoverMark) board.SetShowSideToMove(true);
}

// Puts the position on the board; returns an error message, empty on success.
std::string ApplyPosition(const TRenderOptions& options, TDiagramBoard& board) {
    if (options.Fen && !board.SetPositionFromPlacement(*options.Fen))
        return "not a valid FEN piece placement: \"" + *options.Fen + "\"";
    if (options.Setup && !board.SetPositionFromSetup(*options.Setup))
        return "not a valid setup text: \"" + *options.Setup + "\"";
    if (options.Fen || options.Setup)
        ShowPositionState(board, SideToMoveOfText(options.Fen ? *options.Fen : *options.Setup), options.State);
    else if (options.Vxd && !options.Pgn)
        ShowPositionState(board, board.SideToMove(), options.State);
    return {};
}

// Header and footer given on the command line replace the file's and are shown.
void ApplyHeaderFooter(const TRenderOptions& o, TDiagram& diagram) {
    THeaderFooterInfo& header = diagram.Header;
    THeaderFooterInfo& footer = diagram.Footer;
    if (o.Header) {
        header.Text = *o.Header;
        header.Enabled = true;
    }
    if (o.Footer) {
        footer.Text = *o.Footer;
        footer.Enabled = true;
    }
    if (o.HeaderAlign) header.Alignment = *o.HeaderAlign;
    if (o.FooterAlign) footer.Alignment = *o.FooterAlign;
}

bool SaveScalable(const TRenderOptions& o, TDiagram& diagram, TErrorReporter& reporter) {
    TScalableOptions save;
    save.Format = o.Format;
    save.Transparent = o.Transparent;
    save.TextAsPaths = o.SvgTextAsPaths;
    save.Dpi = o.Dpi.value_or(96);
    if (o.ScalePercent) save.Scale = *o.ScalePercent / 100.0;
    if (o.Size) save.Scale = double(*o.Size) / diagram.Board.DiagramSize().width();
    QByteArray bytes;
    std::string error;
    if (!EncodeScalableImage(diagram, save, bytes, error)) {
        reporter.Report(TMsgKind::Error, error);
        return false;
    }
    // The name's bytes as given: a QString would change a name that is not UTF-8.
    return WriteImageFile(o.Output, {bytes.constData(), size_t(bytes.size())}, reporter);
}

// The caption templates filled from the position drawn.
void ApplyCaptions(const TRenderOptions& o, const TCaptionRecord& fields, TDiagram& diagram) {
    for (auto [caption, line] : {std::pair{&o.HeaderCaption, &diagram.Header}, {&o.Caption, &diagram.Footer}}) {
        if (!*caption) continue;
        line->Text = ExpandCaption(**caption, fields);
        line->Enabled = true;
    }
}

// The fields of a position given as text: the FEN given, else the board's
// placement (White to move); n counts the --fens lines.
TCaptionRecord CaptionRecordOfText(const std::string& fen, int n, const TDiagramBoard& board) {
    std::string placement = fen;
    if (placement.empty()) board.GetPlacementText(placement);
    return CaptionRecordOfFen(placement, n);
}

// Writes the diagram as the options ask, to options.Output.
bool Draw(const TRenderOptions& options, TDiagram& diagram, TStdErrReporter& reporter) {
    if (options.Scalable) {
        reporter.SetSubject(options.Output);
        return SaveScalable(options, diagram, reporter);
    }
    const QImage image = RenderDiagramImage(diagram, options.ScaleIndex);
    TImageSaveOptions save;
    save.Format = options.Format;
    save.ColorIndex = ColorIndexOf(options);
    save.Quality = options.Quality;
    if (options.Transparent) save.TransparentCorner = FindTransparentCorner(image, TransparencyRuleOf(diagram));
    return SaveImage(image, options.Output, save, reporter);
}

// One diagram for every line of the --fens file (a FEN, or a setup text), in
// the style given, numbered from 1 by the line's place among the non-empty
// lines. A bad line is reported with its number and skipped; the exit code then is 1.
int RenderFens(const TRenderOptions& options, TDiagram& diagram, TStdErrReporter& reporter) {
    const std::string& source = *options.Fens;
    const bool standardInput = source == "-";
    struct stat st {};
    if (!standardInput && ::stat(source.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return Failure(source + ": is a folder, not a file of positions");
    FILE* in = standardInput ? stdin : std::fopen(source.c_str(), "rb");
    if (!in) return Failure(source + ": " + std::strerror(errno));
    constexpr size_t kMaxLine = 4096;  // far beyond any FEN: a longer line is not one
    bool allDrawn = true;
    const TView view = diagram.Board.View();
    int lineNumber = 0, n = 0;
    std::string line;
    int c = 0;
    do {
        c = std::fgetc(in);
        if (c != '\n' && c != EOF) {
            if (line.size() <= kMaxLine) line.push_back(char(c));
            continue;
        }
        ++lineNumber;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
        const size_t start = line.find_first_not_of(" \t");
        if (start != std::string::npos) {
            const std::string text = line.substr(start);
            const std::string placement = text.substr(0, text.find(' '));
            ++n;
            diagram.Board.BeginUpdate();
            const bool placed = text.size() <= kMaxLine && (diagram.Board.SetPositionFromPlacement(placement) ||
                                                            diagram.Board.SetPositionFromSetup(text));
            diagram.Board.EndUpdate();
            if (!placed) {
                PrintMessage(source + ":" + std::to_string(lineNumber) + ": not a FEN or setup text");
                allDrawn = false;
            } else {
                diagram.Board.SetView(view);  // each line turns the board for its own mover
                ShowPositionState(diagram.Board, SideToMoveOfText(text), options.State);
                TRenderOptions one = options;
                one.Output = NumberedName(options.Output, n);
                ApplyCaptions(options, CaptionRecordOfText(text, n, diagram.Board), diagram);
                allDrawn = Draw(one, diagram, reporter) && allDrawn;
            }
        }
        line.clear();
    } while (c != EOF);
    const bool readError = std::ferror(in);
    if (!standardInput) std::fclose(in);
    if (readError) return Failure(source + ": the file could not be read to its end");
    return allDrawn ? 0 : 1;
}

// PNG at its own size is drawn as a bitmap, as BMP, GIF and JPEG are; the
// other scalable images draw pieces and text as outlines, which needs the
// GUI application. A bitmap needs it only for text, and the first font made
// starts it: a diagram without coordinates, header or footer is drawn without
// loading a platform plugin or the font configuration.
bool DrawnAsBitmap(const TRenderOptions& o) {
    return !o.Scalable || (o.Format == TImageFormat::Png && !o.ScalePercent && !o.Size && !o.Dpi && !o.Transparent);
}

}  // namespace

int RunRender(const Args& args) {
    TRenderOptions options;
    if (const std::string error = ParseRenderOptions(args, options); !error.empty()) return BadArgument(error);

    // Piece sets and themes read SVG and image files, which needs the GUI machinery.
    if (!DrawnAsBitmap(options) || options.Look.Theme || options.Look.Pieces) EnsureGuiApplication();
    if (const std::string error = LoadLook(options.Look); !error.empty()) return Failure(error);
    TStdErrReporter reporter(options.Vxd.value_or(std::string()));
    TDiagram diagram;
    TDiagramBoard& board = diagram.Board;
    board.SetErrorReporter(&reporter);
    if (options.Vxd && !LoadDiagramFile(TQtFileName(*options.Vxd).Name(), diagram, reporter)) return 1;

    board.BeginUpdate();
    ApplyStyle(options, board);
    ApplyLook(options.Look, board);
    const std::string error = ApplyPosition(options, board);
    if (options.Pgn) reporter.SetSubject(*options.Pgn);
    TCaptionRecord gameFields;  // filled with a game's position
    const bool gameShown =
        !options.Pgn || ShowGamePosition(*options.Pgn, options.Game.value_or(1), options.Position.value_or(0),
                                         options.State, board, reporter, &gameFields);
    board.EndUpdate();
    if (!error.empty()) return Failure(error);
    if (!gameShown) return 1;
    ApplyHeaderFooter(options, diagram);
    if (options.Fens) return RenderFens(options, diagram, reporter);
    ApplyCaptions(options,
                  options.Pgn ? gameFields : CaptionRecordOfText(options.Fen.value_or(std::string()), 1, board),
                  diagram);
    return Draw(options, diagram, reporter) ? 0 : 1;
}

}  // namespace vorlix::cli
