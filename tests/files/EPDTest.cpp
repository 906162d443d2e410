#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

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
    EXPECT_EQ(EpdLine(rec), kStart + " w KQkq - bm Nf3 Nc3; id \"my id\";");
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
    for (const std::string& text :
         std::vector<std::string>{kStart + " x - -;", kStart + " w KQz -;", kStart + " w - e;", kStart + " w - z3;",
                                  kStart + "/8 w - -;", "8/8/8/8/8/8/8/8p w - -;", kStart + "  w - -;"}) {
        ASSERT_TRUE(LoadText(text)) << text;
        EXPECT_FALSE(Rec(0).Valid) << text;
    }
}

TEST_F(EPDFile, MajorErrors) {
    for (const std::string& text : std::vector<std::string>{"8/8/8/8/x/8/8/8 w - -;", kStart + " w - -;x stray text;",
                                                            " bm e4;", std::string(1100, '8') + ";", kStart + ";"}) {
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
    ASSERT_TRUE(
        LoadText("4k3/8/8/8/8/8/8/4K3 w - - bm Kd2; id \"A\"; \n4k3/8/8/8/8/8/8/3K4 b - - bm Kd7; id \"B\";\t\r\n"
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
    EXPECT_EQ(EpdLine(Rec(3)), "4k3/8/8/8/8/8/8/4K3 w - - 0 1 bm Kd2; c0 \"x\";");
    EXPECT_EQ(Rec(0).Operations, (std::vector<std::string>{"bm e4", "id \"s1\"", "c0 \"e4=10; d4=8\"", "ce 35",
                                                           "acd 12", "pv e4 e5 Nf3"}));
    EXPECT_EQ(EpdLine(Rec(0)), scored);
    EXPECT_EQ(EpdLine(Rec(1)), "4k3/8/8/8/8/8/8/4K3 w - - ce -12; c1 \"x\";");
    EXPECT_TRUE(Rec(2).Operations.empty());  // the counters of a FEN line are no operation
    EXPECT_EQ(Rec(2).Counters, "0 1");

    Epd->SaveToFile(Dir.File("again.epd"));
    TEPD again;
    ASSERT_TRUE(again.LoadFromFile(Dir.File("again.epd")));
    ASSERT_EQ(again.Count(), 4);
    EXPECT_EQ(again.First->Operations, Rec(0).Operations);
    EXPECT_EQ(again.First->Id, "s1");
    EXPECT_EQ(EpdLine(*again.First->Next), EpdLine(Rec(1)));
}

TEST_F(EPDFile, IdInTheFirstChunkIsReadToo) {
    // Ignoring it would drop it when the file is saved.
    ASSERT_TRUE(LoadText(kStart + " w - - id \"x\"; bm e4;\n"));
    EXPECT_EQ(Rec(0).Id, "x");
    EXPECT_EQ(Rec(0).BestMove, "e4");
    EXPECT_EQ(EpdLine(Rec(0)), kStart + " w - -; id \"x\"; bm e4;");  // in their order
}

TEST_F(EPDFile, OnlyQuotesAfterABlankOpenAString) {
    ASSERT_TRUE(LoadText(kStart + " w - - bm e4\"; c0 \"open; ce 3;\n" + kStart + " b - -;\n"));
    ASSERT_EQ(Epd->Count(), 2);
    EXPECT_EQ(Rec(0).BestMove, "e4");
    EXPECT_EQ(Rec(0).Operations, (std::vector<std::string>{"bm e4\"", "c0 \"open; ce 3\""}));
}

TEST_F(EPDFile, BestMoveKeepsEveryMove) {
    ASSERT_TRUE(LoadText(kStart + " w - - bm abcdefghijk;\n"));
    EXPECT_EQ(Rec(0).BestMove, "abcdefghijk");
    ASSERT_TRUE(LoadText("4k3/8/8/3Pp3/8/8/8/4K3 w - e6 bm dxe6 Kd2  Ke2 ;"));
    EXPECT_EQ(Rec(0).BestMove, "dxe6 Kd2  Ke2");
    ASSERT_TRUE(LoadText(kStart + " w - -; bm abcdefghijk; bm x;"));
    EXPECT_EQ(Rec(0).BestMove, "abcdefghijk x");
    EXPECT_EQ(EpdLine(Rec(0)), kStart + " w - - bm abcdefghijk x;");  // one operation holds them all
}

TEST_F(EPDFile, EncodingsEndAsUtf8) {
    ASSERT_TRUE(LoadText("\xEF\xBB\xBF" + kStart + " w - -; id \"\xC3\xA9t\xC3\xA9\";"));
    EXPECT_EQ(Rec(0).Id, "\xC3\xA9t\xC3\xA9");
    ASSERT_TRUE(LoadText(kStart + " w - -; id \"\xE9t\xE9\";"));
    EXPECT_EQ(Rec(0).Id, "\xC3\xA9t\xC3\xA9");
}

TEST_F(EPDFile, DeleteCurrent) {
    ASSERT_TRUE(
        LoadText("8/8/8/8/8/8/8/K7 w - -; id \"a\";\n8/8/8/8/8/8/8/1K6 w - -; id \"b\";\n"
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

TEST_F(EPDFile, SaveWritesTheFileBackAndReplacesSafely) {
    ASSERT_TRUE(LoadText(kStart + " w KQkq - bm e4; id \"s\";\n4k3/8/8/8/8/8/8/4K3 b - -;"));
    const std::string out = Dir.File("out.epd");
    Dir.Write("out.epd", "old contents");
    Epd->GoNext();
    Epd->SaveToFile(out);
    EXPECT_EQ(Epd->Current, Epd->First);
    // As it was read: LF line ends, no line end after the last record.
    EXPECT_EQ(Dir.Read("out.epd"), kStart + " w KQkq - bm e4; id \"s\";\n4k3/8/8/8/8/8/8/4K3 b - -;");
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
    EXPECT_EQ(same, 297);  // records with several best moves too; three have an "am" operation
}

namespace {

std::string ReadFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace

// Loading and saving without an edit gives the file back byte for byte, whatever its line ends,
// blanks, encoding, counters, faulty records or missing last line end.
TEST(EPDRoundTrip, UntouchedFilesAreWrittenBackByteForByte) {
    const std::string wac = ReadFile(VORLIX_TEST_DATA_DIR "/wacnew.epd");
    const std::string bk = ReadFile(VORLIX_TEST_DATA_DIR "/bratko-kopec.epd");
    ASSERT_FALSE(wac.empty());
    ASSERT_FALSE(bk.empty());
    const std::string k = "4k3/8/8/8/8/8/8/4K3";
    const struct {
        const char* Name;
        std::string Text;
    } files[] = {
        {"wacnew", wac},
        {"bratko-kopec", bk},
        {"wacnew with CR LF", WithCrLf(wac)},
        {"bratko-kopec without its last line end", bk.substr(0, bk.size() - 1)},
        {"CR line ends", k + " w - - bm Kd2 Ke2;\r" + k + " b - -;\r"},
        {"mixed line ends", k + " w - -;\r\n" + k + " b - -;\n" + k + " w - -;\r\n"},
        {"byte-order mark, blank lines and blanks",
         "\xEF\xBB\xBF\n\n  " + k + " w  -  - bm  Kd2 ;  id \"a\" ;\t\n\n\n" + k + " b - -"},
        {"Windows-1252 id", k + " w - -; id \"\xE9t\xE9\";\n"},
        {"FEN counters and unknown operations", k + " w - - 0 1 ce 35; c0 \"a; b\"; pv Kd2 Kd7;\n"},
        {"faulty records", "8/8/8/8/8/8/8/7 w - -; id \"short\";\n" + k + " x - - bm Kd2;\n" + k + " w - -;\n"},
        {"record without its semicolon", k + " w - - bm Kd2\n" + k + " b - -\n"},
        {"two records on a line", k + " w - -;" + k + " b - -;\n"},
    };
    TTempDir dir;
    for (const auto& file : files) {
        const std::string in = dir.Write("in.epd", file.Text), out = dir.File("out.epd");
        TEPD epd;
        ASSERT_TRUE(epd.LoadFromFile(in)) << file.Name;
        EXPECT_GT(epd.Count(), 0) << file.Name;
        epd.SaveToFile(out);
        EXPECT_EQ(dir.Read("out.epd"), file.Text) << file.Name;
    }
}

// An edited record is written anew with every best move and its operations in their order;
// the records around it and the file's line ends stay as they were.
TEST_F(EPDFile, AnEditChangesOnlyItsOwnRecord) {
    const std::string k = "4k3/8/8/8/8/8/8/4K3";
    const std::string first = "   " + k + " w  - - bm Kd2 Ke2;\n";
    const std::string second = k + " b - - 0 1 c0 \"x\"; bm e5 Rf6+; ce 3; id \"old\";  \n\n";
    const std::string third = k + " w - - bm Kf2;";
    ASSERT_TRUE(LoadText(first + second + third));
    Rec(1).Id = "new";
    Epd->SaveToFile(Dir.File("out.epd"));
    EXPECT_EQ(Dir.Read("out.epd"), first + k + " b - - 0 1 c0 \"x\"; bm e5 Rf6+; ce 3; id \"new\";  \n\n" + third);

    // A best move and an id the record did not have go first; the ones it had can go.
    Rec(2).Id = "third";
    Rec(1).BestMove.clear();
    Epd->SaveToFile(Dir.File("out.epd"));
    EXPECT_EQ(Dir.Read("out.epd"),
              first + k + " b - - 0 1 c0 \"x\"; ce 3; id \"new\";  \n\n" + k + " w - - bm Kf2; id \"third\";");

    // Undoing an edit by hand gives the record's own bytes again.
    Rec(1).Id = "old";
    Rec(1).BestMove = "e5 Rf6+";
    Rec(2).Id.clear();
    Epd->SaveToFile(Dir.File("out.epd"));
    EXPECT_EQ(Dir.Read("out.epd"), first + second + third);
}

// A line appended to the file and to the records loaded from it gives the same file.
TEST_F(EPDFile, AnAppendedLineEndsLikeTheFile) {
    const std::string k = "4k3/8/8/8/8/8/8/4K3";
    const std::string line = k + " b - - bm Kd7; id \"new\";";
    for (const std::string& text : {k + " w - -;\n" + k + " w - -;\r\n" + k + " w - -;\n",
                                    k + " w - -;\r\n" + k + " w - -", std::string(), std::string("\n\n")}) {
        ASSERT_TRUE(LoadText(text));
        TEPDRec* const current = Epd->Current;
        TEPDRec* rec = Epd->AppendLine(line);
        EXPECT_EQ(Epd->Current, current);
        EXPECT_EQ(rec->Id, "new");
        EXPECT_EQ(rec->BestMove, "Kd7");
        EXPECT_FALSE(rec->WhiteToMove);
        EXPECT_EQ(Epd->Text(), AppendedFileText(text, line)) << text;
    }
    EXPECT_EQ(AppendedFileText(k + " w - -;\r\n" + k + " w - -", line),
              k + " w - -;\r\n" + k + " w - -\r\n" + line + "\r\n");
    EXPECT_EQ(AppendedFileText(k + " w - -;\n", line), k + " w - -;\n" + line + "\n");
    EXPECT_EQ(AppendedFileText("", line), line + "\r\n");
}

// A record written anew reads back as the same record, so that saving again
// changes nothing: odd operations must neither shrink nor grow on each save.
TEST(EPDRoundTrip, ARecordWrittenAnewReadsBackTheSame) {
    const std::string k = "4k3/8/8/8/8/8/8/4K3 w - -";
    const std::string lines[] = {
        k + " bm Kd2; 1 5 6 6 5",
        k + " bm Kd2; 1 5 6 6 5;",
        k + " 0 1 bm Kd2; 7 8; 9",
        k + " 12 bm Kd2;",
        k + " c0 \"a; b\"; 3 4 ce 5;",
        k + " c0 \"open",
        k + " id \"x\" ; ; bm Ke2 ;",
        "B8; 1 5 6 6 5",
        "4k3/8/8 - -m Kd2; 1 5 6 5",
        "B8; 1  bm6 6 5",
        "B8; 1  bm",
    };
    TTempDir dir;
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        auto writeAnew = [&](const std::string& from, const std::string& to, std::vector<std::string>& records) {
            TEPD epd;
            epd.LoadFromFile(dir.File(from));
            records.clear();
            for (TEPDRec* r = epd.First; r; r = r->Next) {
                records.push_back(EpdLine(*r));
                r->ReadLine.clear();  // as if edited: written from the record, not its bytes
            }
            epd.SaveToFile(dir.File(to));
        };
        dir.Write("in.epd", line + "\n");
        std::vector<std::string> read, again, third;
        writeAnew("in.epd", "a.epd", read);
        writeAnew("a.epd", "b.epd", again);
        writeAnew("b.epd", "c.epd", third);
        EXPECT_EQ(again, read);
        EXPECT_EQ(third, read);
        EXPECT_EQ(dir.Read("b.epd"), dir.Read("c.epd"));
    }
}
