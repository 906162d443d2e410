// vorlix batch: the batch diagram tools without a window. Positions of a PGN
// or EPD file become numbered image or diagram files named as the batch
// dialogs name them, or the pages of one PDF file.
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "batch/BatchFileName.h"
#include "batch/BatchRunner.h"
#include "batch/CaptionTemplate.h"
#include "batch/EpdCaption.h"
#include "batch/GameCaption.h"
#include "batch/GameStateChoice.h"
#include "batch/Manifest.h"
#include "batch/OverwriteGuard.h"
#include "batch/PositionPicker.h"
#include "batch/Shard.h"
#include "board/DiagramBoard.h"
#include "board/DiagramFile.h"
#include "board/GuiContext.h"
#include "cli/CliUtil.h"
#include "cli/Commands.h"
#include "cli/GamePass.h"
#include "cli/LookOptions.h"
#include "cli/PositionOptions.h"
#include "cli/GameStateOptions.h"
#include "export/ScalableExport.h"
#include "files/EPD.h"
#include "files/GameGlyphs.h"
#include "files/GameMarks.h"
#include "files/InstallPaths.h"
#include "files/PGNPos.h"
#include "files/PGNReader.h"
#include "files/SafeFileWriter.h"
#include "files/TextEncoding.h"
#include "imaging/ImageScaling.h"
#include "print/BatchPrinter.h"
#include "print/PageLayout.h"
#include "print/PdfPrintTarget.h"
#include "print/PrintScaling.h"

namespace vorlix::cli {

namespace {

constexpr int kDefaultPrintScaleIndex = 4;  // 200 %

enum class TInputKind { Pgn, Epd };

// A header or footer choice: keep the style's line, switch it off, or fill it per diagram.
enum class TLineKind { Keep, None, GameItems, EpdId, EpdBestMove, FixedText, Template };

struct TLineChoice {
    TLineKind Kind = TLineKind::Keep;
    TCaptionItems Items;
    std::string Text;
};

struct TBatchOptions : TPositionOptions {
    TLookOptions Look;
    std::string Input;
    TInputKind InputKind = TInputKind::Pgn;
    std::string Output;
    std::optional<TImageFormat> Format = TImageFormat::Gif;  // none: diagram files
    std::optional<std::string> HeaderArg, FooterArg;
    std::optional<std::string> HeaderCaption, Caption;  // caption templates of the header and footer
    TLineChoice Header, Footer;
    std::optional<std::string> Style;
    std::optional<int> Colors;
    bool Transparent = false;
    bool SvgTextAsPaths = false;
    int Quality = 81;
    std::optional<int> ScalePercent;
    bool PerPage = false;
    int Jobs = 0;
    std::optional<std::string> ShardArg;
    TShard Shard;
    bool Overwrite = false;
    std::optional<std::string> Manifest;
    // The arguments that every shard of one run shares (for its manifest).
    std::vector<std::string> RunArguments;
    TGameStateChoice State;
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

// PGN: event,site,date,players,eco,result,move (and elo, the players' ratings).
std::string ParseGameItems(const std::string& text, TCaptionItems& items) {
    for (const std::string& item : SplitCommas(text)) {
        if (item == "event")
            items.Event = true;
        else if (item == "site")
            items.Site = true;
        else if (item == "date")
            items.Date = true;
        else if (item == "players")
            items.White = items.Black = true;
        else if (item == "elo")
            items.WhiteElo = items.BlackElo = true;
        else if (item == "eco")
            items.ECO = true;
        else if (item == "result")
            items.Result = true;
        else if (item == "move")
            items.Move = true;
        else
            return "unknown header item \"" + item + "\" (event, site, date, players, elo, eco, result, move)";
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
    if (std::optional<std::string> error = ParsePositionValue(name, value, o)) return *error;
    if (std::optional<std::string> error = ParseLookValue(name, value, o.Look)) return *error;
    if (name == "-o") {
        o.Output = value;
    } else if (name == "--svg-text") {
        if (value != "paths" && value != "text") return "--svg-text takes paths or text";
        o.SvgTextAsPaths = value == "paths";
    } else if (name == "--shard") {
        o.ShardArg = value;
    } else if (name == "--manifest") {
        o.Manifest = value;
    } else if (name == "--caption") {
        o.Caption = value;
    } else if (name == "--header-caption") {
        o.HeaderCaption = value;
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
    if (o.SvgTextAsPaths && o.Format != TImageFormat::Svg) return "--svg-text applies to SVG images only";
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

// A shard of a PDF run writes its own file, named after the chosen one with
// the shard's number, holding the whole run's pages of its part: with one
// diagram a page those are the same pages. Many diagrams a page would fill
// the pages differently, so that is refused.
std::string CheckShard(TBatchOptions& o) {
    if (!o.ShardArg) return {};
    std::string error;
    if (!ParseShard(*o.ShardArg, o.Shard, error)) return error;
    if (o.Format != TImageFormat::Pdf || o.Shard.Whole()) return {};
    if (o.PerPage)
        return "--shard does not apply to PDF with --per-page: a shard would fill its pages differently from one "
               "run (leave out --per-page, or write the PDF in one run)";
    // Formed in bytes: the chosen name need not be UTF-8.
    const std::string count = std::to_string(o.Shard.Count);
    std::string index = std::to_string(o.Shard.Index);
    if (index.size() < count.size()) index.insert(0, count.size() - index.size(), '0');
    const size_t dot = o.Output.rfind('.');
    o.Output.insert(dot == std::string::npos ? o.Output.size() : dot, "-" + index + "-of-" + count);
    return {};
}

// A caption template takes the place of --header or --footer. The diagram
// numbers before a shard's part of a PGN run are not known to the shard, so
// {n} there is refused rather than numbered differently from one run.
std::string CheckCaptions(TBatchOptions& o) {
    struct TCaptionLine {
        const std::optional<std::string>& Caption;
        const std::optional<std::string>& Arg;
        TLineChoice& Line;
        const char* Names;
    };
    for (const TCaptionLine& c : {TCaptionLine{o.HeaderCaption, o.HeaderArg, o.Header, "--header and --header-caption"},
                                  TCaptionLine{o.Caption, o.FooterArg, o.Footer, "--footer and --caption"}}) {
        if (!c.Caption) continue;
        if (c.Arg) return std::string("give at most one of ") + c.Names;
        const std::vector<std::string> fields = CaptionFieldsOf(*c.Caption);
        if (o.InputKind == TInputKind::Pgn && !o.Shard.Whole() &&
            std::find(fields.begin(), fields.end(), "n") != fields.end())
            return "{n} in a caption does not apply to a PGN run cut into shards: a shard does not know the "
                   "diagrams before its part";
        c.Line.Kind = TLineKind::Template;
        c.Line.Text = *c.Caption;
    }
    return {};
}

std::string CheckOptions(TBatchOptions& o) {
    if (o.Input.empty()) return "give a PGN or EPD file";
    if (EndsWith(o.Input, ".pgn"))
        o.InputKind = TInputKind::Pgn;
    else if (EndsWith(o.Input, ".epd"))
        o.InputKind = TInputKind::Epd;
    else
        return "the input file must end in .pgn or .epd";
    if (o.Output.empty()) return "-o OUT is required";
    // The manifest holds names as JSON text.
    if (o.Manifest && !(IsValidUtf8(o.Output) && IsValidUtf8(*o.Manifest)))
        return "--manifest needs an output name and a manifest name in UTF-8";
    if (EndsWith(o.Output, ".vxd"))
        o.Format = std::nullopt;
    else if (!(o.Format = ImageFormatOfFileName(QString::fromStdString(o.Output))))
        return "the output file must end in .gif, .bmp, .jpg, .jpeg, .png, .svg, .vxd or .pdf";
    if (QFileInfo(QString::fromStdString(o.Output)).fileName().startsWith('.'))
        return "the output file needs a name before its extension";
    if (std::string error = CheckPositionOptions(o, o.InputKind == TInputKind::Epd); !error.empty()) return error;
    if (o.InputKind == TInputKind::Epd && (o.State.LastMove != TLastMoveMark::None || o.State.Glyphs))
        return "--last-move and --glyphs apply to PGN files";
    if (o.HeaderArg)
        if (std::string error = ParseLineChoice(*o.HeaderArg, o.InputKind, o.Header); !error.empty()) return error;
    if (o.FooterArg)
        if (std::string error = ParseLineChoice(*o.FooterArg, o.InputKind, o.Footer); !error.empty()) return error;
    if (std::string error = CheckShard(o); !error.empty()) return error;
    if (std::string error = CheckCaptions(o); !error.empty()) return error;
    return CheckFormatOptions(o);
}

std::string ParseBatchOptions(const Args& args, TBatchOptions& o) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        std::string stateError;
        if (const size_t taken = ParseGameStateOption(args, i, o.State, stateError)) {
            if (!stateError.empty()) return stateError;
            o.RunArguments.insert(o.RunArguments.end(), args.begin() + i, args.begin() + i + taken);
            i += taken - 1;
            continue;
        }
        if (ParsePositionFlag(name, o)) {
            // --fen-start, --fen-final: kept for the manifest below
        } else if (name == "--transparent")
            o.Transparent = true;
        else if (name == "--per-page")
            o.PerPage = true;
        else if (name == "--overwrite")
            o.Overwrite = true;
        else if (name == "--verify")
            return "--verify comes first: vorlix batch --verify MANIFEST...";
        else if (name.size() > 1 && name[0] == '-') {
            if (i + 1 >= args.size()) return "option " + name + " needs a value";
            if (std::string error = ParseValueOption(name, args[++i], o); !error.empty()) return error;
            if (name != "--shard" && name != "--manifest" && name != "--jobs")
                o.RunArguments.insert(o.RunArguments.end(), {name, args[i]});
            continue;
        } else if (!o.Input.empty()) {
            return "give only one input file";
        } else {
            o.Input = name;
        }
        if (name != "--overwrite") o.RunArguments.push_back(name);
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
    choice.SvgTextAsPaths = o.SvgTextAsPaths;
    choice.Quality = o.Quality;
    if (IsDrawnImage(o.Format)) {
        if (o.ScalePercent) choice.Scale = *o.ScalePercent / 100.0;
    } else if (o.ScalePercent && o.Format != TImageFormat::Pdf) {
        choice.ScaleIndex = *ImageScaleIndexOfPercent(*o.ScalePercent);
    }
    return choice;
}

QString StyleFileOf(const TBatchOptions& o, const std::optional<TOpenableName>& style) {
    return QString::fromStdString(style ? style->Utf8() : DefaultStyleFile());
}

// The style's line switched on or off as chosen; the text follows per diagram.
void ApplyLineSwitch(const TLineChoice& choice, THeaderFooterInfo& line) {
    if (choice.Kind == TLineKind::None)
        line.Enabled = false;
    else if (choice.Kind != TLineKind::Keep)
        line.Enabled = true;
    if (choice.Kind == TLineKind::FixedText) line.Text = choice.Text;
}

// A progress bar on standard error, redrawn at most ten times a second.
class TProgressBar {
public:
    explicit TProgressBar(bool shown) : shown_(shown) {}
    ~TProgressBar() { Clear(); }
    bool Shown() const { return shown_; }
    void Clear() {
        if (drawn_) std::fputs("\r\033[K", stderr);
        drawn_ = false;
    }
    void Show(long long done, long long total, int diagrams) {
        if (!shown_ || total <= 0) return;
        const auto now = std::chrono::steady_clock::now();
        if (drawn_ && now - last_ < std::chrono::milliseconds(100) && done < total) return;
        last_ = now;
        drawn_ = true;
        constexpr int kWidth = 30;
        const int filled = static_cast<int>(done * kWidth / total);
        std::fprintf(stderr, "\r[%s%s] %3lld%%  %d diagrams", std::string(filled, '#').c_str(),
                     std::string(kWidth - filled, '.').c_str(), done * 100 / total, diagrams);
        std::fflush(stderr);
    }

private:
    bool shown_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point last_;
};

// Stops a read once the games it is for are done.
class TStopReading : public TPGNReadObserver {
public:
    explicit TStopReading(const bool& done) : done_(done) {}
    bool BeforeLine(uint64_t) override { return !done_; }

private:
    const bool& done_;
};

class TBatchCommand {
public:
    explicit TBatchCommand(const TBatchOptions& o) : O_(o) {}
    int Run();

private:
    using TGameHandler = std::function<bool(TPGNRec& game, int numberInFile, int numberInRun)>;
    TRunStyle Style();
    bool FindShard();
    bool ForEachGame(TErrorReporter& reporter, const TGameHandler& handle);
    QString FirstClash();
    bool RunPgn(TBatchRunner& runner);
    bool RunEpd(TBatchRunner& runner);
    void AddGame(TBatchRunner& runner, TPGNRec& game, int numberInFile, int numberInRun);
    bool Add(TBatchRunner& runner, TDiagramJob job, const TManifestSource& source);
    void LogWritten(const TBatchRunner& runner);
    std::optional<std::string> LineText(const TLineChoice& choice, const TPGNRec& game, const TChessPosition& p,
                                        int gameNumber) const;
    std::optional<std::string> LineText(const TLineChoice& choice, const TEPDRec& record, int number) const;
    QString PgnFileName(int game, int position) const;
    int CountGames();

    const TBatchOptions& O_;
    TStdErrReporter reporter_;
    TStdErrReporter gameReporter_{O_.Input};  // the games' replay errors
    int faultyGames_ = 0;                     // games cut short or skipped
    int diagrams_ = 0;                        // the PGN run's diagrams so far, for {n}
    TChosenName name_;
    TProgressBar progress_{isatty(2) != 0};
    long long progressDone_ = 0, progressTotal_ = 0;
    bool stopped_ = false;
    // The run's games or records (places in run order) this process writes: all but for a shard.
    TShardRange range_{0, INT64_MAX};
    bool shardRead_ = true;  // the shard's counting pass read the whole file
    TPgnWork pgnWork_;       // where a shard of a PGN run starts reading
    TEPD epd_{reporter_};
    bool epdRead_ = true;
    std::vector<std::pair<const TEPDRec*, int>> records_;  // the run's records and their numbers in the file
    TManifestWriter manifest_;
    std::deque<std::pair<QString, TManifestSource>> unlogged_;  // queued files, for the manifest
    int logged_ = 0;
    std::string manifestError_;
    std::optional<TOpenableName> style_;  // --style, held open when its name is not UTF-8
};

TRunStyle TBatchCommand::Style() {
    TRunStyle style;
    if (O_.Style) style_.emplace(*O_.Style);
    const QString file = StyleFileOf(O_, style_);
    style.Load = [file, this](TDiagram& diagram) {
        if (!LoadDiagramFile(file, diagram, reporter_)) return false;
        if (O_.State.MoverMark) diagram.Board.SetShowSideToMove(true);
        ApplyLineSwitch(O_.Header, diagram.Header);
        ApplyLineSwitch(O_.Footer, diagram.Footer);
        ApplyLook(O_.Look, diagram.Board);
        return true;
    };
    style.Kind = !O_.Format                       ? TOutputKind::Diagram
                 : O_.Format == TImageFormat::Pdf ? TOutputKind::Printed
                                                  : TOutputKind::Image;
    style.Image = ImageOptionsOf(O_);
    return style;
}

std::optional<std::string> TBatchCommand::LineText(const TLineChoice& choice, const TPGNRec& game,
                                                   const TChessPosition& p, int gameNumber) const {
    if (choice.Kind == TLineKind::Template)
        return ExpandCaption(choice.Text, CaptionRecordOfGame(game, gameNumber, p, diagrams_));
    if (choice.Kind != TLineKind::GameItems) return std::nullopt;
    return ComposeGameCaption(choice.Items, game, p);
}

std::optional<std::string> TBatchCommand::LineText(const TLineChoice& choice, const TEPDRec& record, int number) const {
    if (choice.Kind == TLineKind::Template) return ExpandCaption(choice.Text, CaptionRecordOfEpd(record, number));
    if (choice.Kind == TLineKind::EpdId) return EpdCaptionText(TEpdCaptionMode::Description, record, {});
    if (choice.Kind == TLineKind::EpdBestMove) return EpdCaptionText(TEpdCaptionMode::BestMove, record, {});
    return std::nullopt;
}

// The run's records (EPD) are read at once; a shard of a PGN run counts the
// games and their moves in one fast pass and cuts its part by their work.
bool TBatchCommand::FindShard() {
    if (O_.InputKind == TInputKind::Epd) {
        epdRead_ = epd_.LoadFromFile(O_.Input);
        int number = 0;
        for (const TEPDRec* r = epd_.First; r; r = r->Next)
            if (++number, !O_.Records || O_.RecordList.Contains(number)) records_.emplace_back(r, number);
        if (!O_.Shard.Whole()) range_ = ShardOfCount(static_cast<int64_t>(records_.size()), O_.Shard);
        progressTotal_ = std::min<long long>(range_.Last, records_.size()) - range_.First;
        return true;
    }
    if (O_.Shard.Whole()) return true;
    shardRead_ = CountPgnWork(O_.Input, O_.Games ? &O_.GameList : nullptr, O_.Positions,
                              O_.Jobs > 0 ? O_.Jobs : DefaultJobs(), reporter_, pgnWork_);
    range_ = ShardOfWork(pgnWork_.Work, O_.Shard);
    pgnWork_.Work = {};
    progressTotal_ = range_.Size();
    return true;
}

// Hands the run's games of this process to handle in file order, with their
// numbers in the file and in the whole run; handle returns false to stop.
bool TBatchCommand::ForEachGame(TErrorReporter& reporter, const TGameHandler& handle) {
    if (range_.Size() <= 0) return true;
    TPGNRec game;
    // A shard skips the parts of the file before its games.
    const TPgnStart start = O_.Shard.Whole() || pgnWork_.Starts.empty() ? TPgnStart() : pgnWork_.StartOf(range_);
    int inFile = start.GamesBefore;
    int64_t place = start.PlacesBefore;
    bool done = false;
    TStopReading stop(done);
    return ReadPGNPart(
        O_.Input, start.Offset, O_.Shard.Whole() ? UINT64_MAX : pgnWork_.End, reporter,
        [&] {
            ResetGame(game);
            return &game;
        },
        [&](TPGNRec& read) {
            ++inFile;
            if (done || (O_.Games && !O_.GameList.Contains(inFile))) return;
            const int64_t here = place++;
            if (here >= range_.Last)
                done = true;
            else if (here >= range_.First)
                done = !handle(read, inFile, static_cast<int>(here + 1));
        },
        TMoveText::Keep, &stop);
}

// The first file, in run order, that this run would write over though it did
// not write it; empty when none. Replays the games without drawing, and only
// when the folder holds files that the run's names could meet.
QString TBatchCommand::FirstClash() {
    if (O_.Format == TImageFormat::Pdf) {
        struct stat st {};
        return ::stat(O_.Output.c_str(), &st) == 0 ? NameOfLocalFile(O_.Output) : QString();
    }
    const TExistingFiles existing(name_);
    if (existing.Empty()) return {};
    if (O_.InputKind == TInputKind::Epd) {
        for (int64_t i = range_.First; i < std::min<int64_t>(range_.Last, records_.size()); ++i)
            if (const QString name = EpdBatchFileName(name_, static_cast<int>(i + 1)); existing.Contains(name))
                return name;
        return {};
    }
    QString clash;
    TSilentReporter silent;
    ForEachGame(silent, [&](TPGNRec& game, int inFile, int inRun) {
        TPGNPos replay(silent);
        const bool whole = replay.LoadGame(&game, inFile);
        for (const TPickedPosition& pick : PickPositions(replay.First, game.HasSetup, O_.Positions, whole))
            if (const QString name = PgnFileName(inRun, pick.Number); existing.Contains(name)) {
                clash = name;
                return false;
            }
        return true;
    });
    return clash;
}

QString TBatchCommand::PgnFileName(int game, int position) const {
    return PgnBatchFileName(name_, O_.Positions.Mode, O_.Format.has_value(), game, position);
}

// The manifest takes each file once the runner has written it, in run order.
void TBatchCommand::LogWritten(const TBatchRunner& runner) {
    for (; logged_ < runner.Written() && !unlogged_.empty(); ++logged_) {
        if (manifestError_.empty() &&
            !manifest_.AddFile(unlogged_.front().first, unlogged_.front().second, manifestError_))
            stopped_ = true;
        unlogged_.pop_front();
    }
}

bool TBatchCommand::Add(TBatchRunner& runner, TDiagramJob job, const TManifestSource& source) {
    if (manifest_.IsOpen() && !job.FileName.isEmpty()) unlogged_.emplace_back(job.FileName, source);
    const bool added = runner.Add(std::move(job));
    LogWritten(runner);
    return added && manifestError_.empty();
}

// A game that cannot be replayed to its end is named on standard error and
// gives only the positions before the faulty move (PickPositions); the run
// goes on with the next game.
void TBatchCommand::AddGame(TBatchRunner& runner, TPGNRec& game, int numberInFile, int numberInRun) {
    TCollectingReporter replayErrors;
    TPGNPos replay(replayErrors);
    const bool whole = replay.LoadGame(&game, numberInFile);
    if (!whole) {
        ++faultyGames_;
        progress_.Clear();
        for (const std::string& message : replayErrors.Messages) {
            gameReporter_.Report(TMsgKind::Error, message);
            if (manifest_.IsOpen()) manifest_.AddError(message, {numberInFile, 0, 0});
        }
    }
    const std::vector<TBoardMarks> marks = ReadGameMarks(game);
    const std::vector<std::string> glyphs = O_.State.Glyphs ? ReadGameGlyphs(game) : std::vector<std::string>();
    for (const TPickedPosition& pick : PickPositions(replay.First, game.HasSetup, O_.Positions, whole)) {
        TDiagramJob job;
        std::copy(std::begin(pick.Position->Board), std::end(pick.Position->Board), job.Codes.begin());
        job.Marks = BatchPositionMarks(marks, *pick.Position);
        SetJobGameState(job, *pick.Position, GlyphAt(glyphs, PositionIndex(*pick.Position)), O_.State);
        ++diagrams_;
        job.HeaderText = LineText(O_.Header, game, *pick.Position, numberInFile);
        job.FooterText = LineText(O_.Footer, game, *pick.Position, numberInFile);
        if (O_.Format != TImageFormat::Pdf) job.FileName = PgnFileName(numberInRun, pick.Number);
        if (!Add(runner, std::move(job), {numberInFile, 0, pick.Number})) {
            stopped_ = true;
            return;
        }
    }
}

int TBatchCommand::CountGames() {
    TSilentReporter silent;
    TPGNRec game;
    int count = 0;
    ReadPGNFile(
        O_.Input, silent,
        [&] {
            ResetGame(game);
            return &game;
        },
        [&](TPGNRec&) { ++count; });
    return count;
}

bool TBatchCommand::RunPgn(TBatchRunner& runner) {
    if (progress_.Shown() && O_.Shard.Whole())
        progressTotal_ = O_.Games ? std::min<long long>(O_.GameList.CountIn(1, INT32_MAX), CountGames()) : CountGames();
    // A shard's counting pass has told the file's failures already.
    TSilentReporter silent;
    const bool read = ForEachGame(O_.Shard.Whole() ? static_cast<TErrorReporter&>(reporter_) : silent,
                                  [&](TPGNRec& game, int inFile, int inRun) {
                                      AddGame(runner, game, inFile, inRun);
                                      progress_.Show(++progressDone_, progressTotal_, runner.Written());
                                      return !stopped_;
                                  });
    return read && shardRead_;
}

bool TBatchCommand::RunEpd(TBatchRunner& runner) {
    for (int64_t i = range_.First; i < std::min<int64_t>(range_.Last, records_.size()) && !stopped_; ++i) {
        const TEPDRec& r = *records_[i].first;
        TDiagramJob job;
        std::copy(std::begin(r.Board), std::end(r.Board), job.Codes.begin());
        SetJobEpdState(job, r, O_.State);
        job.HeaderText = LineText(O_.Header, r, static_cast<int>(i + 1));
        job.FooterText = LineText(O_.Footer, r, static_cast<int>(i + 1));
        if (O_.Format != TImageFormat::Pdf) job.FileName = EpdBatchFileName(name_, static_cast<int>(i + 1));
        stopped_ = !Add(runner, std::move(job), {0, records_[i].second, 0});
        progress_.Show(++progressDone_, progressTotal_, runner.Written());
    }
    return epdRead_;
}

int TBatchCommand::Run() {
    const auto started = std::chrono::steady_clock::now();
    EnsureGuiApplication();
    const bool upperCase = O_.InputKind == TInputKind::Pgn || !O_.Format;
    // Names are formed and used without loss of bytes that are not UTF-8.
    name_ = SplitChosenName(NameOfLocalFile(O_.Output), upperCase);
    const std::string folder = name_.Path.isEmpty() ? std::string(".") : LocalFileName(name_.Path);
    if (struct stat st{}; ::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        std::fprintf(stderr, "vorlix batch: %s: the folder does not exist\n", folder.c_str());
        return 1;
    }
    const int threads = O_.Jobs > 0 ? O_.Jobs : DefaultJobs();

    TBatchRunner runner(Style(), threads);
    if (!runner.Prepare(reporter_)) return 1;
    std::unique_ptr<TPdfPrintTarget> pdf;
    std::unique_ptr<TBatchPrinter> pages;
    if (O_.Format == TImageFormat::Pdf) {
        pdf = std::make_unique<TPdfPrintTarget>(O_.Output);
        const int scale = O_.ScalePercent ? *PrintScaleIndexOfPercent(*O_.ScalePercent) : kDefaultPrintScaleIndex;
        const QSize page = pdf->PageSize();
        const TDiagram& style = runner.Diagram();
        const TPageGrid grid = ComputePageGrid(page.width(), page.height(), PrintScaleFactor(scale),
                                               style.Board.Width(), style.Board.Height(), style.Header, style.Footer);
        if (!grid.Fits) return BadArgument("the diagrams will not fit on an A4 page at this --scale");
        pages = std::make_unique<TBatchPrinter>(*pdf, grid, O_.PerPage);
        runner.SetPrinter(pages.get());
    }
    if (!FindShard()) return 1;
    // Nothing is written when the run would replace a file it did not write.
    if (!O_.Overwrite) {
        QString clash = FirstClash();
        if (clash.isEmpty() && O_.Manifest && QFileInfo::exists(QString::fromStdString(*O_.Manifest)))
            clash = QString::fromStdString(*O_.Manifest);
        if (!clash.isEmpty()) {
            std::fprintf(stderr, "vorlix batch: %s\n", ClashMessage(clash).c_str());
            return 1;
        }
    }
    if (O_.Manifest) {
        std::string error;
        if (!manifest_.Open(QString::fromStdString(*O_.Manifest), {O_.RunArguments, O_.Shard}, error)) {
            std::fprintf(stderr, "vorlix batch: %s\n", error.c_str());
            return 1;
        }
    }

    const bool read = O_.InputKind == TInputKind::Pgn ? RunPgn(runner) : RunEpd(runner);
    bool written = runner.Flush();
    LogWritten(runner);
    std::string error = manifestError_.empty() ? runner.Error() : manifestError_;
    written = written && manifestError_.empty();
    if (written && pages) written = pages->EndPage(error) && pdf->Finish(error);
    if (written && pdf && pdf->PageCount() > 0 && manifest_.IsOpen())
        written = manifest_.AddFile(QString::fromStdString(O_.Output), {}, error);
    FlushFolder(folder);
    progress_.Clear();
    if (!written) {
        reporter_.Report(TMsgKind::Error, error);
        return 1;
    }
    const int exitCode = read && faultyGames_ == 0 ? 0 : 1;
    if (manifest_.IsOpen() && !manifest_.Finish(exitCode, error)) {
        reporter_.Report(TMsgKind::Error, error);
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (pdf)
        std::printf("%d diagrams written on %d pages of %s in %.2f seconds\n", runner.Written(), pdf->PageCount(),
                    O_.Output.c_str(), seconds);
    else
        std::printf("%d diagrams written in %.2f seconds\n", runner.Written(), seconds);
    return exitCode;
}

int VerifyRun(const Args& manifests) {
    if (manifests.empty()) return BadArgument("--verify needs at least one manifest");
    EnsureGuiApplication();
    TStdErrReporter reporter;
    const TVerifyResult result = VerifyManifests(manifests, reporter);
    if (result.GameErrors)
        std::fprintf(stderr, "vorlix batch: note: the runs could not replay %lld games to their end\n",
                     result.GameErrors);
    if (result.Problems) {
        std::fprintf(stderr, "vorlix batch: %lld problems in %lld files of %zu manifests\n", result.Problems,
                     result.Files, manifests.size());
        return 1;
    }
    std::printf("%lld files of %zu manifests verified\n", result.Files, manifests.size());
    return 0;
}

}  // namespace

int RunBatch(const Args& args) {
    if (!args.empty() && args.front() == "--verify") return VerifyRun(Args(args.begin() + 1, args.end()));
    TBatchOptions options;
    if (const std::string error = ParseBatchOptions(args, options); !error.empty()) return BadArgument(error);
    if (options.Look.Pieces || options.Look.Theme) {
        EnsureGuiApplication();
        if (const std::string error = LoadLook(options.Look); !error.empty()) {
            std::fprintf(stderr, "vorlix batch: %s\n", error.c_str());
            return 1;
        }
    }
    return TBatchCommand(options).Run();
}

}  // namespace vorlix::cli
