#include <gtest/gtest.h>

#include "TempFiles.h"
#include "files/EPD.h"
#include "files/Exceptions.h"
#include "files/PositionText.h"

using namespace vorlix;

class EPDFile : public ::testing::Test {
protected:
    bool LoadText(const std::string& text) {
        Path = Dir.Write("positions.epd", text);
        Reporter.Messages.clear();
        Epd = std::make_unique<TEPD>(Reporter);
        return Epd->LoadFromFile(Path);
    }
    TEPDRec& Rec(int index) {
        TEPDRec* r = Epd->First;
        for (int i = 0; i < index && r; ++i) r = r->Next;
        EXPECT_NE(r, nullptr);
        return *r;
    }
    TTempDir Dir;
    std::string Path;
    TCollectingReporter Reporter;
    std::unique_ptr<TEPD> Epd;
};

namespace {
const std::string kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR";
}

TEST_F(EPDFile, ReadsRecordsWithOperations) {
    ASSERT_TRUE(LoadText(kStart + " w KQkq - bm e4; id \"start\";\r\n" + kStart + " b Kq - ;\r\n"));
    ASSERT_EQ(Epd->Count(), 2);
    EXPECT_EQ(Rec(0).BestMove, "e4");
    EXPECT_EQ(Rec(0).Id, "start");
    EXPECT_EQ(Rec(0).SourceText, kStart + " w KQkq - bm e4;");
    EXPECT_TRUE(Rec(0).Valid);
    EXPECT_EQ(EpdLine(Rec(0)), kStart + " w KQkq - bm e4; id \"start\";");
    EXPECT_FALSE(Rec(1).WhiteToMove);
    EXPECT_TRUE(Rec(1).CastleWhiteShort && Rec(1).CastleBlackLong);
    EXPECT_FALSE(Rec(1).CastleWhiteLong || Rec(1).CastleBlackShort);
    EXPECT_EQ(EpdLine(Rec(1)), kStart + " b Kq -;");
    EXPECT_EQ(Epd->Current, Epd->First);
    EXPECT_EQ(Epd->PlacementText(), kStart);
}

TEST_F(EPDFile, WritesIdWithoutBestMove) {
    TEPDRec rec;
    int32_t board[64];
    size_t i = 0;
    ASSERT_EQ(ParsePlacement(kStart + " ", i, board), TPlacementResult::Ok);
    for (int k = 0; k < 64; ++k) rec.Board[k] = static_cast<uint8_t>(board[k]);
    rec.CastleWhiteShort = rec.CastleWhiteLong = rec.CastleBlackShort = rec.CastleBlackLong = true;
    EXPECT_EQ(EpdLine(rec), kStart + " w KQkq -;");
    rec.Id = "  my id ";
    rec.BestMove = " Nf3 Nc3 ";
    EXPECT_EQ(EpdLine(rec), kStart + " w KQkq - bm Nf3; id \"my id\";");
    rec.BestMove.clear();
    EXPECT_EQ(EpdLine(rec), kStart + " w KQkq -; id \"my id\";");
}

TEST_F(EPDFile, EnPassantSquareMustBeReal) {
    // No black pawn on e5: minor error.
    ASSERT_TRUE(LoadText("4k3/8/8/8/8/8/8/4K3 w - e6;"));
    EXPECT_FALSE(Rec(0).Valid);
    // Black pawn on e5, no white pawn beside it: read, but no capture possible.
    ASSERT_TRUE(LoadText("4k3/8/8/4p3/8/8/8/4K3 w - e6;"));
    EXPECT_TRUE(Rec(0).Valid);
    EXPECT_FALSE(Rec(0).EpPossible);
    EXPECT_EQ(Rec(0).EpSquare, "");
    EXPECT_EQ(EpdLine(Rec(0)), "4k3/8/8/4p3/8/8/8/4K3 w - -;");
    // A white pawn on d5 can capture.
    ASSERT_TRUE(LoadText("4k3/8/8/3Pp3/8/8/8/4K3 w - e6 bm dxe6;"));
    EXPECT_TRUE(Rec(0).EpPossible);
    EXPECT_EQ(Rec(0).EpSquare, "e6");
    EXPECT_EQ(Rec(0).EpFile, 4);
    EXPECT_EQ(Rec(0).EpRank, 5);
    EXPECT_EQ(EpdLine(Rec(0)), "4k3/8/8/3Pp3/8/8/8/4K3 w - e6 bm dxe6;");
    ASSERT_TRUE(LoadText("4k3/8/8/8/4Pp2/8/8/4K3 b - e3;"));
    EXPECT_EQ(EpdLine(Rec(0)), "4k3/8/8/8/4Pp2/8/8/4K3 b - e3;");
}

TEST_F(EPDFile, FiveMinorErrorsAreToleratedTheSixthIsNot) {
    const std::string bad = "8/8/8/8/8/8/8/7 w - -;\n";  // short rank
    const std::string good = kStart + " w - -;\n";
    ASSERT_TRUE(LoadText(good + bad + bad + bad + bad + bad + good));
    ASSERT_EQ(Epd->Count(), 7);
    for (int i = 1; i <= 5; ++i) EXPECT_FALSE(Rec(i).Valid) << i;
    EXPECT_TRUE(Rec(6).Valid);
    EXPECT_TRUE(Reporter.Messages.empty());

    EXPECT_FALSE(LoadText(good + bad + bad + bad + bad + bad + bad + good));
    EXPECT_EQ(Reporter.Last(), Path + " does not seem to\r\n be a valid EPD file.");
    EXPECT_EQ(Epd->Count(), 7);  // records before the failure stay
    EXPECT_FALSE(Rec(6).Valid);
}

TEST_F(EPDFile, MinorErrorKinds) {
    for (const std::string& text : std::vector<std::string>{kStart + " x - -;", kStart + " w KQz -;", kStart + " w - e;", kStart + " w - z3;",
                                    kStart + "/8 w - -;", "8/8/8/8/8/8/8/8p w - -;", kStart + "  w - -;"}) {
        ASSERT_TRUE(LoadText(text)) << text;
        EXPECT_FALSE(Rec(0).Valid) << text;
    }
}

TEST_F(EPDFile, MajorErrors) {
    for (const std::string& text : std::vector<std::string>{"8/8/8/8/x/8/8/8 w - -;", kStart + " w - -;x stray text;", " bm e4;", std::string(1100, '8') + ";",
          kStart + ";"}) {
        EXPECT_FALSE(LoadText(text)) << text;
        EXPECT_EQ(Reporter.Last(), Path + " does not seem to\r\n be a valid EPD file.");
    }
}

TEST_F(EPDFile, LineEndEndsARecordWithoutSemicolon) {
    ASSERT_TRUE(LoadText(kStart + " w - -\n" + kStart + " b - - bm e5\r\n4k3/8/8/8/8/8/8/4K3 w - -"));
    ASSERT_EQ(Epd->Count(), 3);
    EXPECT_TRUE(Rec(0).WhiteToMove);
    EXPECT_EQ(Rec(0).BestMove, "");
    EXPECT_FALSE(Rec(1).WhiteToMove);
    EXPECT_EQ(Rec(1).BestMove, "e5");
    EXPECT_EQ(Rec(1).SourceText, kStart + " b - - bm e5");
    EXPECT_TRUE(Rec(2).Valid);
}

TEST_F(EPDFile, BlankAfterLastSemicolonDoesNotSwallowTheNextRecord) {
    ASSERT_TRUE(LoadText("4k3/8/8/8/8/8/8/4K3 w - - bm Kd2; id \"A\"; \n4k3/8/8/8/8/8/8/3K4 b - - bm Kd7; id \"B\";\t\r\n"
                         "   \n4k3/8/8/8/8/8/8/2K5 w - -; id \"C\n"));
    ASSERT_EQ(Epd->Count(), 3);
    EXPECT_EQ(Rec(0).Id, "A");
    EXPECT_EQ(Rec(1).Id, "B");
    EXPECT_EQ(Rec(1).BestMove, "Kd7");
    EXPECT_EQ(Rec(2).Id, "C");  // an id stops at the line end
}

TEST_F(EPDFile, OtherOperationsAreKeptAndWrittenBack) {
    const std::string scored = kStart + " w KQkq - bm e4; id \"s1\"; c0 \"e4=10; d4=8\"; ce 35; acd 12; pv e4 e5 Nf3;";
    ASSERT_TRUE(LoadText(scored + "\r\n4k3/8/8/8/8/8/8/4K3 w - - ce -12; c1 \"x\";\r\n"
                         "4k3/8/8/8/8/8/8/4K3 w - - 0 1\n4k3/8/8/8/8/8/8/4K3 w - - 0 1 bm Kd2; c0 \"x\";\n"));
    ASSERT_EQ(Epd->Count(), 4);
    EXPECT_EQ(EpdLine(Rec(3)), "4k3/8/8/8/8/8/8/4K3 w - - bm Kd2; c0 \"x\";");
    EXPECT_EQ(Rec(0).OtherOperations, (std::vector<std::string>{"c0 \"e4=10; d4=8\"", "ce 35", "acd 12", "pv e4 e5 Nf3"}));
    EXPECT_EQ(EpdLine(Rec(0)), scored);
    EXPECT_EQ(EpdLine(Rec(1)), "4k3/8/8/8/8/8/8/4K3 w - -; ce -12; c1 \"x\";");
    EXPECT_TRUE(Rec(2).OtherOperations.empty());  // the counters of a FEN line are no operation

    Epd->SaveToFile(Dir.File("again.epd"));
    TEPD again;
    ASSERT_TRUE(again.LoadFromFile(Dir.File("again.epd")));
    ASSERT_EQ(again.Count(), 4);
    EXPECT_EQ(again.First->OtherOperations, Rec(0).OtherOperations);
    EXPECT_EQ(again.First->Id, "s1");
    EXPECT_EQ(EpdLine(*again.First->Next), EpdLine(Rec(1)));
}

TEST_F(EPDFile, IdInTheFirstChunkIsReadToo) {
    // Ignoring it would drop it when the file is saved.
    ASSERT_TRUE(LoadText(kStart + " w - - id \"x\"; bm e4;\n"));
    EXPECT_EQ(Rec(0).Id, "x");
    EXPECT_EQ(Rec(0).BestMove, "e4");
    EXPECT_EQ(EpdLine(Rec(0)), kStart + " w - - bm e4; id \"x\";");
}

TEST_F(EPDFile, OnlyQuotesAfterABlankOpenAString) {
    ASSERT_TRUE(LoadText(kStart + " w - - bm e4\"; c0 \"open; ce 3;\n" + kStart + " b - -;\n"));
    ASSERT_EQ(Epd->Count(), 2);
    EXPECT_EQ(Rec(0).BestMove, "e4");
    EXPECT_EQ(Rec(0).OtherOperations, std::vector<std::string>{"c0 \"open; ce 3\""});
}

TEST_F(EPDFile, BestMoveLengthLimits) {
    ASSERT_TRUE(LoadText(kStart + " w - - bm abcdefghijk;\n"));
    EXPECT_EQ(Rec(0).BestMove, "abcdefghi");
    ASSERT_TRUE(LoadText("4k3/8/8/3Pp3/8/8/8/4K3 w - e6 bm abcdefghijk;"));
    EXPECT_EQ(Rec(0).BestMove, "abcdefgh");
    ASSERT_TRUE(LoadText(kStart + " w - -; bm abcdefghijk; bm x;"));
    EXPECT_EQ(Rec(0).BestMove, "abcdefghx");
}

TEST_F(EPDFile, EncodingsEndAsUtf8) {
    ASSERT_TRUE(LoadText("\xEF\xBB\xBF" + kStart + " w - -; id \"\xC3\xA9t\xC3\xA9\";"));
    EXPECT_EQ(Rec(0).Id, "\xC3\xA9t\xC3\xA9");
    ASSERT_TRUE(LoadText(kStart + " w - -; id \"\xE9t\xE9\";"));
    EXPECT_EQ(Rec(0).Id, "\xC3\xA9t\xC3\xA9");
}

TEST_F(EPDFile, DeleteCurrent) {
    ASSERT_TRUE(LoadText("8/8/8/8/8/8/8/K7 w - -; id \"a\";\n8/8/8/8/8/8/8/1K6 w - -; id \"b\";\n"
                         "8/8/8/8/8/8/8/2K5 w - -; id \"c\";\n"));
    Epd->GoFirst();
    Epd->GoNext();
    Epd->DeleteCurrent();
    EXPECT_EQ(Epd->Current->Id, "c");
    EXPECT_EQ(Epd->First->Next, Epd->Current);
    EXPECT_EQ(Epd->Current->Prev, Epd->First);
    Epd->DeleteCurrent();
    EXPECT_EQ(Epd->Current->Id, "a");
    Epd->DeleteCurrent();
    EXPECT_EQ(Epd->First, nullptr);
    EXPECT_EQ(Epd->Current, nullptr);
    EXPECT_EQ(Epd->PlacementText(), "");
    Epd->DeleteCurrent();
    EXPECT_EQ(Epd->Count(), 0);
}

TEST_F(EPDFile, SaveWritesCrLfLinesAndReplacesSafely) {
    ASSERT_TRUE(LoadText(kStart + " w KQkq - bm e4; id \"s\";\n4k3/8/8/8/8/8/8/4K3 b - -;"));
    const std::string out = Dir.File("out.epd");
    Dir.Write("out.epd", "old contents");
    Epd->GoNext();
    Epd->SaveToFile(out);
    EXPECT_EQ(Epd->Current, Epd->First);
    EXPECT_EQ(Dir.Read("out.epd"), kStart + " w KQkq - bm e4; id \"s\";\r\n4k3/8/8/8/8/8/8/4K3 b - -;\r\n");
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Dir.Path())) files += entry.is_regular_file();
    EXPECT_EQ(files, 2);  // no temporary file left behind

    try {
        Epd->SaveToFile(Dir.File("no/such/folder/out.epd"));
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message(), "File not found!");
    }
    EXPECT_THROW(Epd->SaveToFile(Dir.Path().string()), EInOutError);
}

TEST_F(EPDFile, IOErrors) {
    TEPD epd(Reporter);
    EXPECT_FALSE(epd.LoadFromFile(Dir.File("missing.epd")));
    EXPECT_EQ(Reporter.Last(), "File not found!");
    EXPECT_FALSE(epd.LoadFromFile(Dir.Path().string()));
    EXPECT_EQ(Reporter.Last(), "Invalid file name!");
}

TEST(EPDSamples, AllRecordsValidAndWrittenBackUnchanged) {
    TEPD epd;
    ASSERT_TRUE(epd.LoadFromFile(VORLIX_TEST_DATA_DIR "/wacnew.epd"));
    EXPECT_EQ(epd.Count(), 300);
    int same = 0;
    for (const TEPDRec* r = epd.First; r; r = r->Next) {
        EXPECT_TRUE(r->Valid);
        same += EpdLine(*r) == r->SourceText + " id \"" + r->Id + "\";";
    }
    EXPECT_GT(same, 250);  // only records with several best moves differ
}
