#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <random>

#include "DiagramTestSupport.h"
#include "board/DiagramFile.h"
#include "files/ErrorReporter.h"
#include "imaging/BmpReader.h"
#include "imaging/BmpWriter.h"
#include "imaging/ByteStream.h"

using namespace vorlix;
using namespace vorlix::test;

namespace {

const char* const kInvalid = "Invalid diagram file.";

class DiagramFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        board.SetErrorReporter(&reporter);
    }
    QString Path(const char* name) const { return dir.filePath(name); }
    // Messages name the file they are about.
    std::string About(const char* name, const char* message) const { return Path(name).toStdString() + "\n" + message; }
    std::string Invalid() const { return About("in.vxd", kInvalid); }

    // Loads bytes written to a file; true on success.
    bool LoadBytes(const std::vector<uint8_t>& bytes) {
        WriteBytes(Path("in.vxd"), bytes);
        return LoadDiagramFile(Path("in.vxd"), diagram, reporter);
    }
    // Signature and version 220, then the given field bytes.
    static std::vector<uint8_t> WithPrelude(std::initializer_list<uint8_t> fields, uint16_t version = 220) {
        TByteWriter w;
        w.WriteU8(0);
        w.WriteU8(20);
        w.WriteBytes(reinterpret_cast<const uint8_t*>("Chess Vorlix Diagram"), 20);
        w.WriteU8(1);
        w.WriteU16(version);
        for (uint8_t b : fields) w.WriteU8(b);
        return w.Take();
    }
    // The bytes of the file saved from a diagram.
    std::vector<uint8_t> Saved(const TDiagram& from) {
        SaveDiagramFile(from, Path("saved.vxd"));
        return FileBytes(Path("saved.vxd"));
    }

    QTemporaryDir dir;
    TCollectingReporter reporter;
    TDiagram diagram;
    TDiagramBoard& board = diagram.Board;
    THeaderFooterInfo& header = diagram.Header;
    THeaderFooterInfo& footer = diagram.Footer;
};

void ExpectSameBoard(const TDiagramBoard& a, const TDiagramBoard& b) {
    EXPECT_EQ(a.PieceStyle(), b.PieceStyle());
    EXPECT_EQ(a.View(), b.View());
    EXPECT_EQ(a.GridLineWidth(), b.GridLineWidth());
    EXPECT_EQ(a.GridLineColor(), b.GridLineColor());
    EXPECT_EQ(a.SquareSize(), b.SquareSize());
    EXPECT_EQ(a.LightSquares(), b.LightSquares());
    EXPECT_EQ(a.DarkSquares(), b.DarkSquares());
    EXPECT_EQ(a.LightShading(), b.LightShading());
    EXPECT_EQ(a.DarkShading(), b.DarkShading());
    EXPECT_EQ(a.LightShadingColor(), b.LightShadingColor());
    EXPECT_EQ(a.DarkShadingColor(), b.DarkShadingColor());
    EXPECT_EQ(a.LightSquareAutoFit(), b.LightSquareAutoFit());
    EXPECT_EQ(a.DarkSquareAutoFit(), b.DarkSquareAutoFit());
    EXPECT_EQ(a.CoordenateOrientation(), b.CoordenateOrientation());
    EXPECT_EQ(a.Font(), b.Font());
    EXPECT_EQ(a.CoordenateBackColor(), b.CoordenateBackColor());
    EXPECT_EQ(a.CoordenateInCapitals(), b.CoordenateInCapitals());
    EXPECT_EQ(a.CoordenateInside(), b.CoordenateInside());
    EXPECT_EQ(a.Border().Items(), b.Border().Items());
    for (int i = 0; i < 64; ++i) EXPECT_EQ(a.SquareData()[i], b.SquareData()[i]) << "square " << i;
    EXPECT_TRUE(SamePixels(a.LightSquareBitmap(), b.LightSquareBitmap()));
    EXPECT_TRUE(SamePixels(a.DarkSquareBitmap(), b.DarkSquareBitmap()));
}

}  // namespace

TEST_F(DiagramFile, EverySettingSquareAndLineSurvivesSaveAndLoad) {
    TDiagram source;
    StyleEverything(source.Board);
    source.Board.Render();  // square rectangles of a real rendering are stored too
    source.Header = SampleLine("Kasparov – Topalov, Wijk aan Zee 1999 é", 1);
    source.Footer = SampleLine("White to move", 2);
    SaveDiagramFile(source, Path("all.vxd"));

    ASSERT_TRUE(LoadDiagramFile(Path("all.vxd"), diagram, reporter)) << reporter.Last();
    ExpectSameBoard(board, source.Board);
    EXPECT_EQ(header, source.Header);  // each line comes back in its own place
    EXPECT_EQ(footer, source.Footer);
    EXPECT_TRUE(board.IsSelected(QPoint(4, 3)));
    EXPECT_TRUE(board.Square(4, 3).Highlighted && board.Square(4, 3).Merged);
    EXPECT_EQ(board.Border().Get(1).Width, 4);  // three borders in their order
    EXPECT_TRUE(reporter.Messages.empty());
}

TEST_F(DiagramFile, SquareImagesOfEveryDepthSurvive) {
    for (int bits : {1, 4, 8, 24}) {
        const QImage light = bits == 24 ? RgbPicture(9, 5) : IndexedPicture(9, 5, 1 << bits);
        const QImage dark = bits == 24 ? RgbPicture(3, 11) : IndexedPicture(3, 11, 1 << bits);
        // A file of another writer may embed the image at its own depth.
        std::vector<uint8_t> bytes = WithPrelude({});
        bytes.push_back(200);
        const std::vector<uint8_t> lightBmp = EncodeBmp(light, bits);
        bytes.insert(bytes.end(), lightBmp.begin(), lightBmp.end());
        bytes.insert(bytes.end(), {7, 1, 201});  // a field right after the image
        const std::vector<uint8_t> darkBmp = EncodeBmp(dark, bits);
        bytes.insert(bytes.end(), darkBmp.begin(), darkBmp.end());
        ASSERT_TRUE(LoadBytes(bytes)) << bits << " " << reporter.Last();
        EXPECT_EQ(board.View(), vwBlackUnder);
        EXPECT_TRUE(SamePixels(board.LightSquareBitmap(), light)) << bits;
        EXPECT_TRUE(SamePixels(board.DarkSquareBitmap(), dark)) << bits;

        TDiagram again;
        SaveDiagramFile(diagram, Path("images.vxd"));
        ASSERT_TRUE(LoadDiagramFile(Path("images.vxd"), again, reporter));
        EXPECT_TRUE(SamePixels(again.Board.LightSquareBitmap(), light)) << bits;
        EXPECT_TRUE(SamePixels(again.Board.DarkSquareBitmap(), dark)) << bits;
    }
}

TEST_F(DiagramFile, WriterLaysOutTheFieldsInOrder) {
    TDiagram fresh;
    fresh.Board.Border().Clear();
    const std::vector<uint8_t> bytes = Saved(fresh);
    ASSERT_GE(bytes.size(), 26u);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[1], 20);
    EXPECT_EQ(std::string(bytes.begin() + 2, bytes.begin() + 22), "Chess Vorlix Diagram");
    EXPECT_EQ(bytes[22], 1);
    EXPECT_EQ(bytes[23] | bytes[24] << 8, 220);
    EXPECT_EQ(bytes[25], 5);
    // No borders, no images: fixed size of every other field.
    const size_t expected = 22 + 3 + 2 * 3 + 2 + 5 + 2 + 5 * 2 + 2 * 2 + 5 * 2 + 2 * 2 + 2305 + 2 + 5 + 2 + 257 + 2 +
                            5 + 2 + 2 * (257 + 2 + 5 + 2 + 2 + 5 + 257 + 2);
    EXPECT_EQ(bytes.size(), expected);
    // Coordinate font name: length byte 255, name, zero bytes.
    const size_t fontName = 22 + 3 + 6 + 2 + 5 + 2 + 10 + 4 + 10 + 4 + 2305 + 2 + 5 + 2;
    EXPECT_EQ(bytes[fontName], 43);
    EXPECT_EQ(bytes[fontName + 1], 255);
}

namespace {

// Value size of each fixed-size tag; the square images are measured by the BMP reader.
size_t FixedSize(uint8_t tag) {
    switch (tag) {
        case 0: return 21;
        case 1: return 2;
        case 25: return 2304;
        case 50: return 12;
        case 43:
        case 60:
        case 66:
        case 70:
        case 76: return 256;
        case 11:
        case 16:
        case 17:
        case 20:
        case 21:
        case 41:
        case 45:
        case 62:
        case 65:
        case 72:
        case 75: return 4;
        default: return 1;
    }
}

struct TField {
    uint8_t Tag;
    std::vector<uint8_t> Value;
    uint32_t U32() const { return Value[0] | Value[1] << 8 | Value[2] << 16 | uint32_t(Value[3]) << 24; }
};

std::vector<TField> SplitFields(const std::vector<uint8_t>& bytes) {
    std::vector<TField> fields;
    for (size_t at = 0; at < bytes.size();) {
        const uint8_t tag = bytes[at++];
        const size_t size = tag >= 200 ? ReadBmp(&bytes[at], bytes.size() - at).ByteCount : FixedSize(tag);
        fields.push_back({tag, std::vector<uint8_t>(bytes.begin() + long(at), bytes.begin() + long(at + size))});
        at += size;
    }
    return fields;
}

uint32_t U32At(const std::vector<uint8_t>& v, size_t at) {
    return v[at] | v[at + 1] << 8 | v[at + 2] << 16 | uint32_t(v[at + 3]) << 24;
}

}  // namespace

TEST_F(DiagramFile, EveryFieldSitsWhereTheFormatPutsIt) {
    TDiagram source;
    StyleEverything(source.Board);
    source.Board.Render();
    source.Header = SampleLine("Top", 1);
    source.Footer = SampleLine("Bottom", 2);
    const std::vector<TField> fields = SplitFields(Saved(source));

    std::vector<int> tags;
    for (const TField& f : fields) tags.push_back(f.Tag);
    const std::vector<int> expected = {0,  1,  5,  6,  7,  10, 11, 15, 16, 17, 18, 19, 20, 21,  22,
                                       23, 25, 40, 41, 42, 43, 44, 45, 46, 50, 50, 50, 60, 61,  62,
                                       63, 64, 65, 66, 67, 70, 71, 72, 73, 74, 75, 76, 77, 200, 201};
    ASSERT_EQ(tags, expected);
    auto field = [&](int tag) -> const TField& {
        return *std::find_if(fields.begin(), fields.end(), [tag](const TField& f) { return f.Tag == tag; });
    };
    EXPECT_EQ(field(6).Value[0], 2);
    EXPECT_EQ(field(7).Value[0], 1);
    EXPECT_EQ(field(10).Value[0], 3);
    EXPECT_EQ(field(11).U32(), 0x123456u);
    EXPECT_EQ(field(15).Value[0], 40);
    EXPECT_EQ(field(16).U32(), 0x80000005u);
    EXPECT_EQ(field(19).Value[0], shDiagonalRL);
    EXPECT_EQ(field(40).Value[0], North | West);
    EXPECT_EQ(field(42).Value[0], 20);
    EXPECT_EQ(std::string(field(43).Value.begin() + 1, field(43).Value.begin() + 13), "DejaVu Serif");
    EXPECT_EQ(field(43).Value[13], 0);
    EXPECT_EQ(field(44).Value[0], fsItalic | fsUnderline);
    EXPECT_EQ(U32At(fields[25].Value, 0), 4u);  // the second border, in list order
    EXPECT_EQ(U32At(fields[26].Value, 8), 0x808080u);

    // Square records: index file * 8 + rank, the Part's offsets.
    const std::vector<uint8_t>& squares = field(25).Value;
    const size_t e4 = (4 * 8 + 3) * 36, a8 = 7 * 36;
    EXPECT_EQ(U32At(squares, e4), uint32_t(pcWCross));
    EXPECT_EQ(squares[e4 + 24], 1);  // selected
    EXPECT_EQ(squares[e4 + 25], 1);  // highlighted
    EXPECT_EQ(U32At(squares, e4 + 28), 0x00FFFFu);
    EXPECT_EQ(squares[e4 + 32], 1);  // merged
    EXPECT_EQ(U32At(squares, a8 + 28), 0xFF00FFu);
    EXPECT_EQ(squares[a8 + 4], source.Board.Square(0, 7).IsLight);
    EXPECT_EQ(int32_t(U32At(squares, e4 + 16)), source.Board.Square(4, 3).Bounds.Right);
    EXPECT_EQ(U32At(squares, (7 * 8 + 7) * 36), uint32_t(pcBDot));

    EXPECT_EQ(field(60).Value[0], 3);
    EXPECT_EQ(std::string(field(60).Value.begin() + 1, field(60).Value.begin() + 4), "Top");
    EXPECT_EQ(field(61).Value[0], 1);
    EXPECT_EQ(field(64).Value[0], fsBold | fsStrikeOut);
    EXPECT_EQ(field(67).Value[0], 14);
    EXPECT_EQ(std::string(field(70).Value.begin() + 1, field(70).Value.begin() + 7), "Bottom");
    EXPECT_EQ(field(71).Value[0], 2);
    EXPECT_EQ(field(200).Value[0], 'B');
}

TEST_F(DiagramFile, SignatureAndVersionOnlyEmptiesBordersAndImagesAndKeepsTheRest) {
    StyleEverything(board);
    header = SampleLine("kept", 1);
    const THeaderFooterInfo before = header;
    ASSERT_TRUE(LoadBytes(WithPrelude({})));
    EXPECT_EQ(board.Border().Count(), 0);
    EXPECT_TRUE(board.LightSquareBitmap().isNull());
    EXPECT_TRUE(board.DarkSquareBitmap().isNull());
    EXPECT_EQ(board.PieceStyle(), psRoruvoz);
    EXPECT_EQ(board.SquareSize(), 40);
    EXPECT_EQ(header, before);
}

TEST_F(DiagramFile, ValueRangesOfSingleFields) {
    board.SetPieceStyle(psRoviravo);
    EXPECT_TRUE(LoadBytes(WithPrelude({6, 5})));
    EXPECT_EQ(board.PieceStyle(), psRirozReg);
    EXPECT_FALSE(LoadBytes(WithPrelude({6, 10})));
    EXPECT_EQ(reporter.Last(), Invalid());

    EXPECT_TRUE(LoadBytes(WithPrelude({15, 33})));
    EXPECT_EQ(board.SquareSize(), 36);
    EXPECT_TRUE(LoadBytes(WithPrelude({15, 64})));
    EXPECT_EQ(board.SquareSize(), 64);
    EXPECT_FALSE(LoadBytes(WithPrelude({15, 65})));

    EXPECT_TRUE(LoadBytes(WithPrelude({40, 10})));
    EXPECT_EQ(board.CoordenateOrientation(), East | South);
    EXPECT_FALSE(LoadBytes(WithPrelude({40, 16})));
    EXPECT_EQ(board.CoordenateOrientation(), East | South);  // a failed file changes nothing

    EXPECT_TRUE(LoadBytes(WithPrelude({44, 6})));
    EXPECT_EQ(board.Font().Style, fsItalic | fsUnderline);

    for (auto bad : {std::initializer_list<uint8_t>{5, 1},
                     {7, 2},
                     {10, 9},
                     {18, 5},
                     {22, 2},
                     {42, 73},
                     {44, 16},
                     {46, 2},
                     {61, 3},
                     {63, 2},
                     {64, 16},
                     {67, 73},
                     {77, 73}})
        EXPECT_FALSE(LoadBytes(WithPrelude(bad))) << int(*bad.begin());
}

TEST_F(DiagramFile, UnknownTagsAreSkippedOnlyAfterANewVersion) {
    EXPECT_TRUE(LoadBytes(WithPrelude({99, 7, 1}, 220)));
    EXPECT_EQ(board.View(), vwBlackUnder);
    EXPECT_FALSE(LoadBytes(WithPrelude({99}, 150)));
    EXPECT_FALSE(LoadBytes(WithPrelude({99}, 200)));
    EXPECT_FALSE(LoadBytes({99, 1, 220, 0}));  // before any version
    EXPECT_EQ(reporter.Last(), Invalid());
}

TEST_F(DiagramFile, BadSignatureAndBadSquareCodesAreInvalid) {
    std::vector<uint8_t> bytes = WithPrelude({});
    bytes[5] = 'x';
    EXPECT_FALSE(LoadBytes(bytes));
    TDiagram source;
    std::vector<uint8_t> saved = Saved(source);
    const size_t squares = 22 + 3 + 6 + 2 + 5 + 2 + 10 + 4 + 10 + 4;
    ASSERT_EQ(saved[squares], 25);
    saved[squares + 1] = 17;  // a1 would hold a code without a picture
    EXPECT_FALSE(LoadBytes(saved));
    EXPECT_EQ(reporter.Last(), Invalid());
}

TEST_F(DiagramFile, AFileThatFailsHalfWayLeavesTheWholeDiagramAsItWas) {
    StyleEverything(board);
    board.SetLightSquareBitmap(RgbPicture(3, 2));
    board.ToggleSelection({2, 2});
    header = SampleLine("header", 1);
    footer = SampleLine("footer", 2);
    TDiagramBoard before;
    StyleEverything(before);
    before.SetLightSquareBitmap(RgbPicture(3, 2));
    before.ToggleSelection({2, 2});
    const THeaderFooterInfo headerBefore = header, footerBefore = footer;

    TDiagram other;
    other.Board.SetView(vwBlackUnder);
    other.Board.Border().Assign({{5, clRed, clBlue}});
    other.Header = SampleLine("h", 2);
    other.Footer = SampleLine("f", 0);
    std::vector<uint8_t> bytes = EncodeDiagram(other);
    bytes.push_back(10);  // a grid line width of 200: invalid, after every other field
    bytes.push_back(200);
    EXPECT_FALSE(LoadBytes(bytes));
    EXPECT_EQ(reporter.Last(), Invalid());
    ExpectSameBoard(board, before);
    EXPECT_EQ(header, headerBefore);
    EXPECT_EQ(footer, footerBefore);

    EXPECT_FALSE(LoadBytes({}));  // an empty file is no diagram
    EXPECT_EQ(reporter.Last(), Invalid());
    ExpectSameBoard(board, before);
}

TEST_F(DiagramFile, FileErrorsAreReportedFromTheSharedTable) {
    EXPECT_FALSE(LoadDiagramFile(Path("missing.vxd"), diagram, reporter));
    EXPECT_EQ(reporter.Last(), About("missing.vxd", "File not found!"));
    EXPECT_FALSE(LoadDiagramFile(dir.path(), diagram, reporter));
    EXPECT_EQ(reporter.Last(), dir.path().toStdString() + "\nInvalid file name!");
    EXPECT_THROW(SaveDiagramFile(diagram, Path("no/such/folder.vxd")), std::exception);
}

TEST_F(DiagramFile, SavingReplacesALongerFileWholly) {
    WriteBytes(Path("saved.vxd"), std::vector<uint8_t>(100000, 0xAB));
    TDiagram source;
    const std::vector<uint8_t> bytes = Saved(source);
    EXPECT_EQ(bytes, EncodeDiagram(source));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"saved.vxd"});
}

TEST_F(DiagramFile, AFailedSaveKeepsTheOldFile) {
    TDiagram source;
    StyleEverything(source.Board);
    const std::vector<uint8_t> old = Saved(source);
    // A file size limit makes the write fail half-way, as a full disk would.
    rlimit saved{}, small{};
    getrlimit(RLIMIT_FSIZE, &saved);
    small = saved;
    small.rlim_cur = 1000;
    auto previous = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_ANY_THROW(SaveDiagramFile(source, Path("saved.vxd")));
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);
    EXPECT_EQ(FileBytes(Path("saved.vxd")), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"saved.vxd"});
}

TEST_F(DiagramFile, EveryPrefixAndRandomDamageLoadsOrIsInvalid) {
    TDiagram source;
    StyleEverything(source.Board);
    source.Board.SetLightSquareBitmap(RgbPicture(3, 2));
    source.Board.SetDarkSquareBitmap(IndexedPicture(2, 2, 2));
    const std::vector<uint8_t> good = Saved(source);
    int loaded = 0;
    for (size_t n = 0; n <= good.size(); ++n) {
        if (LoadBytes(std::vector<uint8_t>(good.begin(), good.begin() + long(n)))) {
            ++loaded;
        } else {
            ASSERT_EQ(reporter.Last(), Invalid()) << "prefix " << n;
        }
    }
    EXPECT_GT(loaded, 40);  // every field boundary
    std::mt19937 rng(4);
    for (int round = 0; round < 1500; ++round) {
        std::vector<uint8_t> bytes = good;
        for (int flips = 1 + int(rng() % 3); flips > 0; --flips)
            bytes[rng() % bytes.size()] ^= uint8_t(1 + rng() % 255);
        if (!LoadBytes(bytes)) {
            ASSERT_EQ(reporter.Last(), Invalid()) << "round " << round;
        }
        board.Render();
    }
}

TEST_F(DiagramFile, MarksFollowEveryOtherFieldInBytesOldReadersStepOver) {
    TDiagram source;
    StyleEverything(source.Board);
    const std::vector<uint8_t> plain = EncodeDiagram(source);
    TBoardMarks marks;
    marks.Arrows = {{12, 28, TMarkColor::Green}, {63, 0, TMarkColor::Blue}};
    marks.Squares = {{27, TMarkColor::Red}, {45, TMarkColor::Yellow}};
    source.Board.SetMarks(marks);
    const std::vector<uint8_t> marked = EncodeDiagram(source);
    ASSERT_GT(marked.size(), plain.size());
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), marked.begin()));
    // No byte of the new field is a tag an older reader knows: all are 202 or above.
    EXPECT_TRUE(std::all_of(marked.begin() + long(plain.size()), marked.end(), [](uint8_t b) { return b >= 202; }));

    ASSERT_TRUE(LoadBytes(marked));
    EXPECT_EQ(board.Marks(), marks);
    ExpectSameBoard(board, source.Board);
    // A file without marks leaves none behind.
    ASSERT_TRUE(LoadBytes(plain));
    EXPECT_TRUE(board.Marks().Empty());
}

TEST_F(DiagramFile, CoordinatesInsideTravelInOneByteOldReadersStepOver) {
    TDiagram source;
    StyleEverything(source.Board);
    TBoardMarks marks;  // the new tag must not disturb the fields that follow it
    marks.Arrows = {{12, 28, TMarkColor::Green}};
    marks.Squares = {{27, TMarkColor::Red}};
    source.Board.SetMarks(marks);
    const std::vector<uint8_t> bands = Saved(source);
    source.Board.SetCoordenateInside(true);
    const std::vector<uint8_t> inside = Saved(source);
    // The same bytes with one tag added, in the range older readers skip;
    // diagrams with coordinate bands keep their bytes exactly.
    ASSERT_EQ(inside.size(), bands.size() + 1);
    const auto at = std::mismatch(bands.begin(), bands.end(), inside.begin()).second;
    ASSERT_NE(at, inside.end());
    EXPECT_GE(*at, 202);
    EXPECT_TRUE(std::equal(at + 1, inside.end(), bands.begin() + (at - inside.begin())));

    ASSERT_TRUE(LoadBytes(inside));
    EXPECT_TRUE(board.CoordenateInside());
    ExpectSameBoard(board, source.Board);
    // Reading a diagram with bands (an undo step back, another file) takes the labels out again.
    ASSERT_TRUE(LoadBytes(bands));
    EXPECT_FALSE(board.CoordenateInside());
    EXPECT_EQ(board.CoordenateOrientation(), source.Board.CoordenateOrientation());
    // A file of only signature and version changes nothing.
    board.SetCoordenateInside(true);
    ASSERT_TRUE(LoadBytes(WithPrelude({})));
    EXPECT_TRUE(board.CoordenateInside());
}

// The side to move: two bytes in the range older readers skip, only when set;
// each side comes back, a bad value is refused and the file before is kept.
TEST_F(DiagramFile, SideToMoveTravelsInTwoBytesOnlyWhenSet) {
    TDiagram source;
    StyleEverything(source.Board);
    TBoardMarks marks;  // the new tag must not disturb the fields that follow it
    marks.Arrows = {{12, 28, TMarkColor::Blue}};
    source.Board.SetMarks(marks);
    source.Board.SetCoordenateInside(true);
    const std::vector<uint8_t> none = Saved(source);
    const struct {
        TSideToMove Side;
        uint8_t Payload;
    } kSides[] = {{TSideToMove::White, 203}, {TSideToMove::Black, 204}};
    for (const auto& c : kSides) {
        source.Board.SetSideToMove(c.Side);
        const std::vector<uint8_t> with = Saved(source);
        ASSERT_EQ(with.size(), none.size() + 2);
        const auto at = std::mismatch(none.begin(), none.end(), with.begin()).second;
        ASSERT_NE(at, with.end());
        EXPECT_EQ(at[0], 233);
        EXPECT_EQ(at[1], c.Payload);
        EXPECT_TRUE(std::equal(at + 2, with.end(), none.begin() + (at - with.begin())));
        ASSERT_TRUE(LoadBytes(with));
        EXPECT_EQ(board.SideToMove(), c.Side);
        EXPECT_EQ(board.Marks(), marks);
        ExpectSameBoard(board, source.Board);
        EXPECT_EQ(Saved(diagram), with) << "read and written again: the same bytes";
    }
    // A file without the tag (every older one) reads as no side, and writes back as it was.
    ASSERT_TRUE(LoadBytes(none));
    EXPECT_EQ(board.SideToMove(), TSideToMove::None);
    EXPECT_EQ(Saved(diagram), none);
    // A payload out of range is no diagram: the one loaded stays.
    std::vector<uint8_t> bad = WithPrelude({233, 205});
    board.SetSideToMove(TSideToMove::Black);
    EXPECT_FALSE(LoadBytes(bad));
    EXPECT_EQ(board.SideToMove(), TSideToMove::Black);
}

// A file of very many marks loads at once, without repeats and within the bound.
TEST_F(DiagramFile, VeryManyMarksLoadWithoutRepeatsAndWithinTheBound) {
    std::vector<uint8_t> fields;
    for (int i = 0; i < 64000; ++i) {
        const int from = i % 64, to = (i / 64) % 64;
        fields.insert(fields.end(), {230, 203, uint8_t(202 + from / 8), uint8_t(202 + from % 8), uint8_t(202 + to / 8),
                                     uint8_t(202 + to % 8)});
        fields.insert(fields.end(), {231, 204, uint8_t(202 + from / 8), uint8_t(202 + from % 8)});
    }
    std::vector<uint8_t> bytes = WithPrelude({});
    bytes.insert(bytes.end(), fields.begin(), fields.end());
    ASSERT_TRUE(LoadBytes(bytes));
    EXPECT_EQ(board.Marks().Arrows.size(), TMarkCollector::kMaxArrows);
    EXPECT_EQ(board.Marks().Squares.size(), 64u);
}

TEST_F(DiagramFile, BadOrShortMarkFieldsAreInvalid) {
    EXPECT_TRUE(LoadBytes(WithPrelude({230, 203, 206, 203, 206, 205})));
    EXPECT_EQ(board.Marks().Arrows, (std::vector<TArrowMark>{{4 * 8 + 1, 4 * 8 + 3, TMarkColor::Green}}));
    EXPECT_FALSE(LoadBytes(WithPrelude({231, 206, 202, 202})));  // fifth colour
    EXPECT_FALSE(LoadBytes(WithPrelude({231, 202, 210, 202})));  // ninth file
    EXPECT_FALSE(LoadBytes(WithPrelude({231, 202, 7, 202})));    // below the free bytes
    EXPECT_FALSE(LoadBytes(WithPrelude({230, 202, 202, 202})));  // cut short
    EXPECT_EQ(reporter.Last(), Invalid());
}
