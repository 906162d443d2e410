#include <gtest/gtest.h>

#include <QPdfWriter>
#include <QTemporaryDir>

#include "files/PGNPos.h"
#include "settings/SettingsStore.h"
#include "viewers/MoveListPrint.h"
#include "viewers/PgnViewerSettings.h"

using namespace vorlix;

namespace {

// Records what is printed; every character is 10 pixels wide and 20 high.
class TRecordingCanvas : public TPrintCanvas {
public:
    struct TText {
        int Page, X, Y;
        QString Text;
    };
    int PageWidth() const override { return 1000; }
    int PageHeight() const override { return Height; }
    void SetFont(const TCFont& font) override { Fonts.push_back(font.Name); }
    int TextWidth(const QString& text) override { return 10 * static_cast<int>(text.size()); }
    int TextHeight(const QString&) override { return 20; }
    void TextOut(int x, int y, const QString& text) override { Texts.push_back({Page, x, y, text}); }
    void HorizontalLine(int x1, int x2, int y, int pen) override { Lines.push_back({x1, x2, y, pen}); }
    bool NewPage() override {
        ++Page;
        return true;
    }
    const TText* Find(const QString& text) const {
        for (const TText& t : Texts)
            if (t.Text == text) return &t;
        return nullptr;
    }

    int Height = 1400;
    int Page = 0;
    std::vector<TText> Texts;
    std::vector<std::array<int, 4>> Lines;
    std::vector<std::string> Fonts;
};

TMoveListPrintJob Job(const std::string& moves, int layout, const std::string& fen = "") {
    TMoveListPrintJob job;
    job.Caption = "PGN Archive: /tmp/games.pgn";
    job.Game.White = "Anna";
    job.Game.Black = "Bert";
    job.Game.WhiteElo = "2100";
    job.Game.Event = "Open";
    job.Game.Result = "1-0";
    job.Game.Moves = moves + " 1-0";
    job.Game.HasSetup = !fen.empty();
    job.Game.FEN = fen;
    TPGNPos chain;
    chain.LoadGame(&job.Game);
    job.Grid = BuildMoveGrid(chain, "1-0");
    job.Settings.Layout = layout;
    job.Settings.HeaderFont.Name = "Header";
    job.Settings.BodyFont.Name = "Body";
    return job;
}

std::string ManyMoves(int fullMoves) {
    // Knights out and back again, as long as needed.
    const char* cycle[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    std::string text;
    for (int ply = 0; ply < 2 * fullMoves; ++ply) {
        if (ply % 2 == 0) text += std::to_string(ply / 2 + 1) + ". ";
        text += std::string(cycle[ply % 4]) + " ";
    }
    return text;
}

}  // namespace

TEST(MoveListPrint, TitleAndTagLinesInTheHeaderFont) {
    TRecordingCanvas canvas;
    ASSERT_TRUE(PrintMoveList(canvas, Job("1. e4 e5", 1)));
    EXPECT_EQ(canvas.Fonts, (std::vector<std::string>{"Header", "Body"}));
    const auto* label = canvas.Find("PGN Archive: ");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->X, 100);
    EXPECT_EQ(label->Y, 120);
    const int valueX = 13 * 10 + 200;
    EXPECT_EQ(canvas.Find("/tmp/games.pgn")->X, valueX);
    EXPECT_EQ(canvas.Find("Event:")->Y, 148);
    EXPECT_EQ(canvas.Find("Anna (2100)")->X, valueX);
    EXPECT_NE(canvas.Find("Bert (?)"), nullptr);  // no Elo tag
    EXPECT_EQ(canvas.Find("Site:"), nullptr);     // empty tags are left out
    // Separator below the tags, then the moves 16 pixels lower, a closing separator.
    ASSERT_EQ(canvas.Lines.size(), 2u);
    const int resultY = canvas.Find("Result:")->Y;
    EXPECT_EQ(canvas.Lines[0], (std::array<int, 4>{100, 900, resultY + 28 + 8, 3}));
    EXPECT_EQ(canvas.Find("1. e4 e5 ")->Y, resultY + 28 + 8 + 16);
    EXPECT_NE(canvas.Find(" 1-0  "), nullptr);
}

TEST(MoveListPrint, RunningTextWrapsAndPairsBreakPages) {
    TRecordingCanvas canvas;
    ASSERT_TRUE(PrintMoveList(canvas, Job(ManyMoves(30), 0)));
    const auto* first = canvas.Find("1. Nf3 Nf6 ");
    const auto* second = canvas.Find("2. Ng1 Ng8 ");
    EXPECT_EQ(second->X, first->X + 110 + 3);
    EXPECT_EQ(second->Y, first->Y);
    int wrapped = 0;
    for (const auto& t : canvas.Texts) wrapped += t.X == 100 && t.Y > first->Y && t.Text.endsWith(' ');
    EXPECT_GT(wrapped, 0);
    for (const auto& t : canvas.Texts) EXPECT_LT(t.X + 10 * t.Text.size(), 900u) << t.Text.toStdString();

    TRecordingCanvas pairs;
    pairs.Height = 600;
    ASSERT_TRUE(PrintMoveList(pairs, Job(ManyMoves(30), 1)));
    EXPECT_GT(pairs.Page, 0);
    for (const auto& t : pairs.Texts) EXPECT_LT(t.Y + 28, 600 - 100 + 1) << t.Text.toStdString();
    const auto* broken = pairs.Find("20. Ng1 Ng8 ");
    ASSERT_NE(broken, nullptr);
}

TEST(MoveListPrint, ThreeColumnsAroundAMiddleColumnSizedByTheMoveNumbers) {
    // 120 plies: the second-to-last grid row is numbered 60, so two "8" wide plus 30.
    TMoveListPrintJob job = Job(ManyMoves(60), 2);
    ASSERT_EQ(job.Grid.Rows[job.Grid.Rows.size() - 2][0], "60.");
    TRecordingCanvas canvas;
    canvas.Height = 100000;
    EXPECT_EQ(MiddleColumnWidth(canvas, job.Grid), 50);
    ASSERT_TRUE(PrintMoveList(canvas, job));
    const auto* number = canvas.Find("60");
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->X, 500 - 10);
    // Row 60: white's move ends at the middle column's left edge, black's starts at its right edge.
    const auto it = std::find_if(canvas.Texts.begin(), canvas.Texts.end(),
                                 [&](const auto& t) { return t.Y == number->Y && t.Text == "Ng1"; });
    ASSERT_NE(it, canvas.Texts.end());
    EXPECT_EQ(it->X + 30, 500 - 25);
    const auto black = std::find_if(canvas.Texts.begin(), canvas.Texts.end(),
                                    [&](const auto& t) { return t.Y == number->Y && t.Text == "Ng8"; });
    EXPECT_EQ(black->X, 525);
}

TEST(MoveListPrint, AGameStartingWithBlackPrintsItsFirstRowWithDots) {
    const auto job = Job("12... Kd7 13. e4", 0, "4k3/8/8/8/8/8/4P3/4K3 b - - 0 12");
    EXPECT_EQ(MoveRowText(job.Grid.Rows[1]), "12... Kd7 ");
    EXPECT_EQ(MoveRowText(job.Grid.Rows[2]), "13. e4 1-0 ");
}

TEST(MoveListPrint, PrintsEveryLayoutToAPdf) {
    QTemporaryDir dir;
    const QString keep = qEnvironmentVariable("VORLIX_KEEP_PDF");  // a folder to look at the pages
    for (int layout = 0; layout < 3; ++layout) {
        const QString file = (keep.isEmpty() ? dir.path() : keep) + QString("/movelist-layout%1.pdf").arg(layout);
        {
            QPdfWriter pdf(file);
            pdf.setResolution(300);
            TPagedCanvas canvas(pdf);
            ASSERT_TRUE(canvas.Begin());
            TMoveListPrintJob job = Job(ManyMoves(45), layout);
            job.Settings.HeaderFont = {0, "Arial", 14, fsBold};
            job.Settings.BodyFont = {0, "Arial", 12, 0};
            ASSERT_TRUE(PrintMoveList(canvas, job));
        }
        QFile written(file);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_GT(written.size(), 1000);
        EXPECT_TRUE(written.read(5) == "%PDF-");
    }
}

TEST(PgnViewerSettings, InvalidPrintSettingsAreRepairedAndWritten) {
    QTemporaryDir dir;
    TSettingsStore store(dir.filePath("s.ini"));
    store.WriteInteger(kPGNLayoutKey, "Layout", 3);
    store.WriteInteger(kPGNLayoutKey, "HFSize", 7);
    store.WriteInteger(kPGNLayoutKey, "BFSize", 100);
    store.WriteString(kPGNLayoutKey, "HFName", "   ");
    store.WriteString(kPGNLayoutKey, "BFName", "Courier");
    store.WriteInteger(kPGNLayoutKey, "BFStyle", fsBold | fsItalic);
    const TMoveListPrintSettings s = LoadMoveListPrintSettings(store);
    EXPECT_EQ(s.Layout, 0);
    EXPECT_EQ(s.HeaderFont.Size, 14);
    EXPECT_EQ(s.HeaderFont.Name, "Arial");
    EXPECT_EQ(s.BodyFont.Size, 100);
    EXPECT_EQ(s.BodyFont.Name, "Courier");
    EXPECT_EQ(s.BodyFont.Style, fsBold | fsItalic);
    EXPECT_EQ(store.ReadInteger(kPGNLayoutKey, "Layout"), 0);
    EXPECT_EQ(store.ReadString(kPGNLayoutKey, "HFName"), "Arial");
    EXPECT_EQ(store.ReadInteger(kPGNLayoutKey, "HFStyle"), 0);
}

TEST(MoveListPrint, APlayerWithoutANameKeepsHisLine) {
    TMoveListPrintJob job = Job("1. e4 e5", 1);
    job.Game.White.clear();
    TRecordingCanvas canvas;
    ASSERT_TRUE(PrintMoveList(canvas, job));
    const auto* white = canvas.Find("White:");
    ASSERT_NE(white, nullptr);
    ASSERT_NE(canvas.Find(" (2100)"), nullptr);
    EXPECT_EQ(canvas.Find(" (2100)")->Y, white->Y);
    EXPECT_EQ(canvas.Find("Black:")->Y, white->Y + 28);
}
