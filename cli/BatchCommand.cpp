// vorlix batch: the batch diagram tools without a window. Positions of a PGN
// or EPD file become numbered image or diagram files named as the batch
// dialogs name them, or the pages of one PDF file.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <unistd.h>

#include "imaging/ImageScaling.h"
#include "print/PdfPrintTarget.h"
#include "print/PrintScaling.h"
#include "batch/BatchFileName.h"
#include "print/BatchPrinter.h"
#include "batch/EpdCaption.h"
#include "batch/GameCaption.h"
#include "print/PageLayout.h"
#include "batch/PositionPicker.h"
#include "board/ChessBoard.h"
#include "board/DiagramFile.h"
#include "board/GuiContext.h"
#include "batch/BatchRunner.h"
#include "export/ScalableExport.h"
#include "cli/CliUtil.h"
#include "cli/Commands.h"
#include "files/EPD.h"
#include "files/GameMarks.h"
#include "files/PGNPos.h"
#include "files/PGNReader.h"
#include "files/SafeFileWriter.h"

namespace vorlix::cli {

namespace {

constexpr int kDefaultPrintScaleIndex = 4;  // 200 %

enum class TInputKind { Pgn, Epd };

// A header or footer choice: keep the style's line, switch it off, or fill it per diagram.
enum class TLineKind { Keep, None, GameItems, EpdId, EpdBestMove, FixedText };

struct TLineChoice {
    TLineKind Kind = TLineKind::Keep;
    TCaptionItems Items;
    std::string Text;
};

struct TBatchOptions {
    std::string Input;
    TInputKind InputKind = TInputKind::Pgn;
    std::string Output;
    std::optional<TImageFormat> Format = TImageFormat::Gif;  // none: diagram files
    std::optional<std::string> Games;
    TIntegerList GameList;  // Games, parsed
    TPositionRule Positions;
    std::optional<std::string> FromStart, FromEnd;
    bool FenStartGiven = false, FenFinalGiven = false;
    std::optional<std::string> HeaderArg, FooterArg;
    TLineChoice Header, Footer;
    std::optional<std::string> Style;
    std::optional<int> Colors;
    bool Transparent = false;
    int Quality = 81;
    std::optional<int> ScalePercent;
    bool PerPage = false;
    int Jobs = 0;
};

int BadArgument(const std::string& message) {
    std::fprintf(stderr, "vorlix batch: %s\n", message.c_str());
    return Usage();
}

bool EndsWith(const std::string& text, const std::string& tail) {
    if (text.size() < tail.size()) return false;
    for (size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - tail.size() + i])) != tail[i]) return false;
    return true;
}

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text + ",") {
        if (c == ',') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    return parts;
}

// PGN: event,site,date,players,eco,result,move (and elo, the players' ratings).
std::string ParseGameItems(const std::string& text, TCaptionItems& items) {
    for (const std::string& item : SplitCommas(text)) {
        if (item == "event") items.Event = true;
        else if (item == "site") items.Site = true;
        else if (item == "date") items.Date = true;
        else if (item == "players") items.White = items.Black = true;
        else if (item == "elo") items.WhiteElo = items.BlackElo = true;
        else if (item == "eco") items.ECO = true;
        else if (item == "result") items.Result = true;
        else if (item == "move") items.Move = true;
        else return "unknown header item \"" + item + "\" (event, site, date, players, elo, eco, result, move)";
    }
    return {};
}

std::string ParseLineChoice(const std::string& text, TInputKind input, TLineChoice& choice) {
    if (text == "none") {
        choice.Kind = TLineKind::None;
        return {};
    }
    if (input == TInputKind::Pgn) {
        choice.Kind = TLineKind::GameItems;
        return ParseGameItems(text, choice.Items);
    }
    if (text == "id") {
        choice.Kind = TLineKind::EpdId;
    } else if (text == "bm") {
        choice.Kind = TLineKind::EpdBestMove;
    } else if (text.rfind("text:", 0) == 0) {
        choice.Text = QString::fromStdString(text.substr(5)).trimmed().toStdString();
        choice.Kind = choice.Text.empty() ? TLineKind::None : TLineKind::FixedText;
    } else {
        return "an EPD header or footer is id, bm, text:SOME TEXT or none";
    }
    return {};
}

std::optional<int> ParseNumber(const std::string& text) {
    int value = 0;
    if (!ParsePositive(text, value)) return std::nullopt;
    return value;
}

std::string ParseValueOption(const std::string& name, const std::string& value, TBatchOptions& o) {
    if (name == "-o") {
        o.Output = value;
    } else if (name == "--games") {
        o.Games = value;
    } else if (name == "--positions") {
        if (value == "entire") o.Positions.Mode = TPositionMode::Entire;
        else if (value == "fixed") o.Positions.Mode = TPositionMode::Fixed;
        else if (value == "custom") o.Positions.Mode = TPositionMode::Custom;
        else return "--positions takes entire, fixed or custom";
    } else if (name == "--from-start") {
        o.FromStart = value;
    } else if (name == "--from-end") {
        o.FromEnd = value;
    } else if (name == "--header") {
        o.HeaderArg = value;
    } else if (name == "--footer") {
        o.FooterArg = value;
    } else if (name == "--style") {
        o.Style = value;
    } else if (name == "--colors") {
        o.Colors = ParseNumber(value);
        if (!o.Colors || (*o.Colors != 2 && *o.Colors != 16 && *o.Colors != 256 && *o.Colors != 24))
            return "--colors takes 2, 16, 256 or 24";
    } else if (name == "--quality") {
        const auto quality = ParseNumber(value);
        if (!quality || *quality > 100) return "--quality takes a number from 1 to 100";
        o.Quality = *quality;
    } else if (name == "--scale") {
        if (!(o.ScalePercent = ParseNumber(value))) return "--scale takes a percentage";
    } else if (name == "--jobs") {
        const auto jobs = ParseNumber(value);
        if (!jobs || *jobs > 256) return "--jobs takes a number from 1 to 256";
        o.Jobs = *jobs;
    } else {
        return "unknown option " + name;
    }
    return {};
}

// A list number that does not fit is refused, never read as another one.
const std::string kListRange = " (list numbers go from 0 to 2147483647)";

std::string CheckPositions(TBatchOptions& o) {
    if (o.InputKind == TInputKind::Epd) {
        if (o.Games || o.FromStart || o.FromEnd || o.FenStartGiven || o.FenFinalGiven ||
            o.Positions.Mode != TPositionMode::Fixed)
            return "--games, --positions, --from-start, --from-end, --fen-start and --fen-final apply to PGN files";
        return {};
    }
    if ((o.FromStart || o.FromEnd) && o.Positions.Mode != TPositionMode::Custom)
        return "--from-start and --from-end need --positions custom";
    if ((o.FenStartGiven || o.FenFinalGiven) && o.Positions.Mode != TPositionMode::Fixed)
        return "--fen-start and --fen-final apply to --positions fixed";
    if (o.FenStartGiven || o.FenFinalGiven) {
        o.Positions.FenStart = o.FenStartGiven;
        o.Positions.FenFinal = o.FenFinalGiven;
    }
    std::string error;
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

// PNG and SVG images, drawn at any scale (a PDF is printed pages).
bool IsDrawnImage(const std::optional<TImageFormat>& format) {
    return format == TImageFormat::Png || format == TImageFormat::Svg;
}

std::string CheckFormatOptions(TBatchOptions& o) {
    const bool image = o.Format == TImageFormat::Gif || o.Format == TImageFormat::Bmp || o.Format == TImageFormat::Jpeg;
    if (o.Colors && !image) return "--colors applies to GIF, BMP and JPEG images";
    if (o.Colors && o.Format == TImageFormat::Gif && *o.Colors == 24) return "a GIF image has at most 256 colours";
    if (o.Colors && o.Format == TImageFormat::Jpeg && *o.Colors != 24) return "a JPEG image is always 24-bit";
    if (o.Transparent && o.Format != TImageFormat::Gif && o.Format != TImageFormat::Png)
        return "--transparent applies to GIF and PNG images only";
    if (o.PerPage && o.Format != TImageFormat::Pdf) return "--per-page applies to PDF output";
    if (o.ScalePercent) {
        const double scale = *o.ScalePercent / 100.0;
        if (IsDrawnImage(o.Format) && !(scale >= kMinImageScale && scale <= kMaxImageScale))
            return "--scale takes a percentage from 10 to 4000 for PNG and SVG images";
        if (image && !ImageScaleIndexOfPercent(*o.ScalePercent))
            return "--scale takes 40, 60, 80, 90, 100, 125, 150 or 200 for images";
        if (o.Format == TImageFormat::Pdf && !PrintScaleIndexOfPercent(*o.ScalePercent))
            return "--scale takes 100, 125, 150, 175, 200, 225, 250, 275, 300, 400, 500 or 600 for PDF";
        if (!o.Format) return "--scale does not apply to diagram files";
    }
    return {};
}

std::string CheckOptions(TBatchOptions& o) {
    if (o.Input.empty()) return "give a PGN or EPD file";
    if (EndsWith(o.Input, ".pgn")) o.InputKind = TInputKind::Pgn;
    else if (EndsWith(o.Input, ".epd")) o.InputKind = TInputKind::Epd;
    else return "the input file must end in .pgn or .epd";
    if (o.Output.empty()) return "-o OUT is required";
    if (EndsWith(o.Output, ".vxd")) o.Format = std::nullopt;
    else if (!(o.Format = ImageFormatOfFileName(QString::fromStdString(o.Output))))
        return "the output file must end in .gif, .bmp, .jpg, .jpeg, .png, .svg, .vxd or .pdf";
    if (QFileInfo(QString::fromStdString(o.Output)).fileName().startsWith('.'))
        return "the output file needs a name before its extension";
    if (o.Games && o.InputKind == TInputKind::Pgn) {
        std::string error;
        if (!IsValidPositionText(*o.Games)) return "not a valid game list: \"" + *o.Games + "\"";
        if (!ParsePositionText(*o.Games, o.GameList, error)) return error + kListRange;
    }
    if (std::string error = CheckPositions(o); !error.empty()) return error;
    if (o.HeaderArg)
        if (std::string error = ParseLineChoice(*o.HeaderArg, o.InputKind, o.Header); !error.empty()) return error;
    if (o.FooterArg)
        if (std::string error = ParseLineChoice(*o.FooterArg, o.InputKind, o.Footer); !error.empty()) return error;
    return CheckFormatOptions(o);
}

std::string ParseBatchOptions(const Args& args, TBatchOptions& o) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--fen-start") o.FenStartGiven = true;
        else if (name == "--fen-final") o.FenFinalGiven = true;
        else if (name == "--transparent") o.Transparent = true;
        else if (name == "--per-page") o.PerPage = true;
        else if (name.size() > 1 && name[0] == '-') {
            if (i + 1 >= args.size()) return "option " + name + " needs a value";
            if (std::string error = ParseValueOption(name, args[++i], o); !error.empty()) return error;
        } else if (!o.Input.empty()) {
            return "give only one input file";
        } else {
            o.Input = name;
        }
    }
    return CheckOptions(o);
}

TImageOptions ImageOptionsOf(const TBatchOptions& o) {
    TImageOptions choice;
    choice.Format = o.Format.value_or(TImageFormat::Gif);
    switch (o.Colors.value_or(o.Format == TImageFormat::Gif ? 256 : 24)) {
        case 2: choice.ColorIndex = ciMonochrome; break;
        case 16: choice.ColorIndex = ci16Colors; break;
        case 256: choice.ColorIndex = ci256Colors; break;
        default: choice.ColorIndex = ciTrueColor; break;
    }
    choice.Transparent = o.Transparent;
    choice.Quality = o.Quality;
    if (IsDrawnImage(o.Format)) {
        if (o.ScalePercent) choice.Scale = *o.ScalePercent / 100.0;
    } else if (o.ScalePercent && o.Format != TImageFormat::Pdf) {
        choice.ScaleIndex = *ImageScaleIndexOfPercent(*o.ScalePercent);
    }
    return choice;
}

QString StyleFileOf(const TBatchOptions& o) {
    if (o.Style) return QString::fromStdString(*o.Style);
    return QCoreApplication::applicationDirPath() + QStringLiteral("/default.vxd");
}

// The style's line switched on or off as chosen; the text follows per diagram.
void ApplyLineSwitch(const TLineChoice& choice, THeaderFooterInfo& line) {
    if (choice.Kind == TLineKind::None) line.Enabled = false;
    else if (choice.Kind != TLineKind::Keep) line.Enabled = true;
    if (choice.Kind == TLineKind::FixedText) line.Text = choice.Text;
}

// A progress bar on standard error, redrawn at most ten times a second.
class TProgressBar {
public:
    explicit TProgressBar(bool shown) : Shown_(shown) {}
    ~TProgressBar() { Clear(); }
    bool Shown() const { return Shown_; }
    void Clear() {
        if (Drawn_) std::fputs("\r\033[K", stderr);
        Drawn_ = false;
    }
    void Show(long long done, long long total, int diagrams) {
        if (!Shown_ || total <= 0) return;
        const auto now = std::chrono::steady_clock::now();
        if (Drawn_ && now - Last_ < std::chrono::milliseconds(100) && done < total) return;
        Last_ = now;
        Drawn_ = true;
        constexpr int kWidth = 30;
        const int filled = static_cast<int>(done * kWidth / total);
        std::fprintf(stderr, "\r[%s%s] %3lld%%  %d diagrams", std::string(filled, '#').c_str(),
                     std::string(kWidth - filled, '.').c_str(), done * 100 / total, diagrams);
        std::fflush(stderr);
    }

private:
    bool Shown_;
    bool Drawn_ = false;
    std::chrono::steady_clock::time_point Last_;
};

class TBatchCommand {
public:
    explicit TBatchCommand(const TBatchOptions& o) : O_(o) {}
    int Run();

private:
    TRunStyle Style();
    bool RunPgn(TBatchRunner& runner);
    bool RunEpd(TBatchRunner& runner);
    void AddGame(TBatchRunner& runner, TPGNRec& game, int numberInFile, int numberInRun);
    int CountGames();
    std::optional<std::string> LineText(const TLineChoice& choice, const TPGNRec& game, const TChessPosition& p) const;
    std::optional<std::string> LineText(const TLineChoice& choice, const TEPDRec& record) const;
    QString PgnFileName(int game, int position) const;

    const TBatchOptions& O_;
    TStdErrReporter Reporter_;
    TStdErrReporter GameReporter_{O_.Input};  // the games' replay errors
    int FaultyGames_ = 0;                      // games cut short or skipped
    TChosenName Name_;
    TProgressBar Progress_{isatty(2) != 0};
    long long ProgressDone_ = 0, ProgressTotal_ = 0;
    bool Stopped_ = false;
};

TRunStyle TBatchCommand::Style() {
    TRunStyle style;
    const QString file = StyleFileOf(O_);
    style.Load = [file, this](TkxChessBrd& board, THeaderFooterInfo& header, THeaderFooterInfo& footer) {
        if (!LoadDiagramFile(file, board, header, footer, Reporter_)) return false;
        ApplyLineSwitch(O_.Header, header);
        ApplyLineSwitch(O_.Footer, footer);
        return true;
    };
    style.Kind = !O_.Format                          ? TOutputKind::Diagram
                 : O_.Format == TImageFormat::Pdf ? TOutputKind::Printed
                                                  : TOutputKind::Image;
    style.Image = ImageOptionsOf(O_);
    return style;
}

std::optional<std::string> TBatchCommand::LineText(const TLineChoice& choice, const TPGNRec& game,
                                                   const TChessPosition& p) const {
    if (choice.Kind != TLineKind::GameItems) return std::nullopt;
    return ComposeGameCaption(choice.Items, game, p);
}

std::optional<std::string> TBatchCommand::LineText(const TLineChoice& choice, const TEPDRec& record) const {
    if (choice.Kind == TLineKind::EpdId) return EpdCaptionText(TEpdCaptionMode::Description, record, {});
    if (choice.Kind == TLineKind::EpdBestMove) return EpdCaptionText(TEpdCaptionMode::BestMove, record, {});
    return std::nullopt;
}

int TBatchCommand::CountGames() {
    TSilentReporter silent;
    TPGNRec game;
    int count = 0;
    ReadPGNFile(O_.Input, silent, [&] { ResetGame(game); return &game; }, [&](TPGNRec&) { ++count; });
    return count;
}

// A game that cannot be replayed to its end is named on standard error and
// gives only the positions before the faulty move (PickPositions); the run
// goes on with the next game.
void TBatchCommand::AddGame(TBatchRunner& runner, TPGNRec& game, int numberInFile, int numberInRun) {
    TCollectingReporter replayErrors;
    TPGNPos replay(replayErrors);
    const bool whole = replay.LoadGame(&game, numberInFile);
    if (!whole) {
        ++FaultyGames_;
        Progress_.Clear();
        for (const std::string& message : replayErrors.Messages) GameReporter_.Report(TMsgKind::Error, message);
    }
    const std::vector<TBoardMarks> marks = ReadGameMarks(game);
    for (const TPickedPosition& pick : PickPositions(replay.First, game.HasSetup, O_.Positions, whole)) {
        TDiagramJob job;
        std::copy(std::begin(pick.Position->Board), std::end(pick.Position->Board), job.Codes.begin());
        job.Marks = BatchPositionMarks(marks, *pick.Position);
        job.HeaderText = LineText(O_.Header, game, *pick.Position);
        job.FooterText = LineText(O_.Footer, game, *pick.Position);
        if (O_.Format != TImageFormat::Pdf)
            job.FileName =
                PgnBatchFileName(Name_, O_.Positions.Mode, O_.Format.has_value(), numberInRun, pick.Number);
        if (!runner.Add(std::move(job))) {
            Stopped_ = true;
            return;
        }
    }
}

bool TBatchCommand::RunPgn(TBatchRunner& runner) {
    const TIntegerList& games = O_.GameList;
    if (Progress_.Shown()) ProgressTotal_ = O_.Games ? std::min<long long>(games.CountIn(1, INT32_MAX), CountGames())
                                                     : CountGames();
    TPGNRec game;
    int inFile = 0, inRun = 0;
    const bool read = ReadPGNFile(
        O_.Input, Reporter_, [&] { ResetGame(game); return &game; },
        [&](TPGNRec& done) {
            ++inFile;
            if (Stopped_ || (O_.Games && !games.Contains(inFile))) return;
            AddGame(runner, done, inFile, ++inRun);
            ++ProgressDone_;
            Progress_.Show(ProgressDone_, ProgressTotal_, runner.Written());
        });
    return read;
}

bool TBatchCommand::RunEpd(TBatchRunner& runner) {
    TEPD epd(Reporter_);
    const bool read = epd.LoadFromFile(O_.Input);
    ProgressTotal_ = epd.Count();
    int n = 0;
    for (const TEPDRec* r = epd.First; r && !Stopped_; r = r->Next) {
        TDiagramJob job;
        std::copy(std::begin(r->Board), std::end(r->Board), job.Codes.begin());
        job.HeaderText = LineText(O_.Header, *r);
        job.FooterText = LineText(O_.Footer, *r);
        if (O_.Format != TImageFormat::Pdf) job.FileName = EpdBatchFileName(Name_, ++n);
        Stopped_ = !runner.Add(std::move(job));
        Progress_.Show(++ProgressDone_, ProgressTotal_, runner.Written());
    }
    return read;
}

int TBatchCommand::Run() {
    const auto started = std::chrono::steady_clock::now();
    EnsureGuiApplication();
    const bool upperCase = O_.InputKind == TInputKind::Pgn || !O_.Format;
    Name_ = SplitChosenName(QString::fromStdString(O_.Output), upperCase);
    const QString folder = Name_.Path.isEmpty() ? QStringLiteral(".") : Name_.Path;
    if (!QFileInfo(folder).isDir()) {
        std::fprintf(stderr, "vorlix batch: %s: the folder does not exist\n", folder.toLocal8Bit().constData());
        return 1;
    }
    const int threads = O_.Jobs > 0 ? O_.Jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));

    TBatchRunner runner(Style(), threads);
    if (!runner.Prepare(Reporter_)) return 1;
    std::unique_ptr<TPdfPrintTarget> pdf;
    std::unique_ptr<TBatchPrinter> pages;
    if (O_.Format == TImageFormat::Pdf) {
        pdf = std::make_unique<TPdfPrintTarget>(QString::fromStdString(O_.Output));
        const int scale = O_.ScalePercent ? *PrintScaleIndexOfPercent(*O_.ScalePercent) : kDefaultPrintScaleIndex;
        const QSize page = pdf->PageSize();
        const TkxChessBrd& board = runner.Board();
        const TPageGrid grid = ComputePageGrid(page.width(), page.height(), PrintScaleFactor(scale), board.Width(),
                                               board.Height(), runner.Header(), runner.Footer());
        if (!grid.Fits) return BadArgument("the diagrams will not fit on an A4 page at this --scale");
        pages = std::make_unique<TBatchPrinter>(*pdf, grid, O_.PerPage);
        runner.SetPrinter(pages.get());
    }

    const bool read = O_.InputKind == TInputKind::Pgn ? RunPgn(runner) : RunEpd(runner);
    bool written = runner.Flush();
    std::string error = runner.Error();
    if (written && pages) written = pages->EndPage(error) && pdf->Finish(error);
    FlushFolder(QFile::encodeName(folder).toStdString());
    Progress_.Clear();
    if (!written) {
        Reporter_.Report(TMsgKind::Error, error);
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (pdf)
        std::printf("%d diagrams written on %d pages of %s in %.2f seconds\n", runner.Written(), pdf->PageCount(),
                    O_.Output.c_str(), seconds);
    else
        std::printf("%d diagrams written in %.2f seconds\n", runner.Written(), seconds);
    return read && FaultyGames_ == 0 ? 0 : 1;
}

}  // namespace

int RunBatch(const Args& args) {
    TBatchOptions options;
    if (const std::string error = ParseBatchOptions(args, options); !error.empty()) return BadArgument(error);
    return TBatchCommand(options).Run();
}

}  // namespace vorlix::cli
