#include <algorithm>
#include <cstring>

#include "board/DiagramBoard.h"
#include "board/DiagramFile.h"
#include "board/DiagramFileTags.h"
#include "board/DiagramFileText.h"
#include "imaging/BmpReader.h"
#include "imaging/ByteStream.h"

namespace vorlix {

using namespace vxd;

namespace {

// Applies the fields one by one, in file order, through the board's setters.
class TDiagramReader {
public:
    TDiagramReader(const std::vector<uint8_t>& bytes, TDiagram& diagram)
        : In(bytes.data(), bytes.size()), Board(diagram.Board), Header(diagram.Header), Footer(diagram.Footer) {}

    void Read() {
        while (!In.AtEnd()) ReadField(In.ReadU8());
        if (MarksRead) Board.SetMarks(Marks.Take());  // once: a file may hold very many
    }

private:
    uint8_t RangedByte(int max) {
        const uint8_t value = In.ReadU8();
        if (value > max) throw EVXDFileError();
        return value;
    }
    bool Flag() { return RangedByte(1) != 0; }
    // Font names end at their first zero character; so does line text.
    std::string Text() {
        std::string bytes = In.ReadShortString();
        bytes.resize(std::min(bytes.size(), bytes.find('\0')));
        return Cp1252ToUtf8(bytes);
    }

    void ReadField(uint8_t tag) {
        if (ReadIdentityField(tag) || ReadStyleField(tag) || ReadCoordinateField(tag)) return;
        if (tag >= kHeaderTags && tag <= kHeaderTags + int(LineFontSize))
            ReadLineField(Header, static_cast<LineField>(tag - kHeaderTags));
        else if (tag >= kFooterTags && tag <= kFooterTags + int(LineFontSize))
            ReadLineField(Footer, static_cast<LineField>(tag - kFooterTags));
        else if (tag == LightImage)
            Board.SetLightSquareBitmap(ReadImage());
        else if (tag == DarkImage)
            Board.SetDarkSquareBitmap(ReadImage());
        else if (tag == ArrowMark || tag == SquareMark)
            ReadMark(tag);
        else if (tag == CoordsInside)
            Board.SetCoordenateInside(true);
        else if (tag == SideToMove)
            Board.SetSideToMove(static_cast<TSideToMove>(MarkValue(3)));
        else
            SkipUnknownTag();
    }

    int MarkValue(int count) {
        const int value = In.ReadU8() - kMarkByteBase;
        if (value < 0 || value >= count) throw EVXDFileError();
        return value;
    }
    int MarkSquare() {
        const int file = MarkValue(8);
        return file * 8 + MarkValue(8);
    }
    void ReadMark(uint8_t tag) {
        const auto color = static_cast<TMarkColor>(MarkValue(kMarkColorCount));
        if (tag == ArrowMark) {
            const int from = MarkSquare();
            Marks.Add(TArrowMark{from, MarkSquare(), color});
        } else {
            Marks.Add(TSquareMark{MarkSquare(), color});
        }
        MarksRead = true;
    }

    // Files of newer writers may carry fields this reader does not know; only
    // their tag byte can be stepped over.
    void SkipUnknownTag() {
        if (FileVersion <= 200) throw EVXDFileError();
    }

    bool ReadIdentityField(uint8_t tag) {
        switch (tag) {
            case Signature: ReadSignature(); return true;
            case Version: FileVersion = In.ReadU16(); return true;
            case PieceSize:
                if (In.ReadU8() != pzSmall) throw EVXDFileError();
                return true;
            default: return false;
        }
    }

    void ReadSignature() {
        const uint8_t* field = In.ReadBytes(1 + kSignatureLength);
        if (field[0] != kSignatureLength || std::memcmp(field + 1, kSignature, kSignatureLength) != 0)
            throw EVXDFileError();
    }

    static TPieceStyle StyleOfByte(uint8_t value) {
        if (value == 1) return psRoviravo;
        if (value == 2) return psRoruvoz;
        return psRirozReg;
    }

    bool ReadStyleField(uint8_t tag) {
        switch (tag) {
            case PieceStyle: Board.SetPieceStyle(StyleOfByte(RangedByte(9))); break;
            case View: Board.SetView(Flag() ? vwBlackUnder : vwWhiteUnder); break;
            case GridLineWidth: Board.SetGridLineWidth(RangedByte(kMaxGridLineWidth)); break;
            case GridLineColor: Board.SetGridLineColor(In.ReadU32()); break;
            case SquareSize: Board.SetSquareSize(RangedByte(kMaxSquareSizeByte)); break;
            case LightSquares: Board.SetLightSquares(In.ReadU32()); break;
            case DarkSquares: Board.SetDarkSquares(In.ReadU32()); break;
            case LightShading: Board.SetLightShading(static_cast<TShading>(RangedByte(shDiagonalRL))); break;
            case DarkShading: Board.SetDarkShading(static_cast<TShading>(RangedByte(shDiagonalRL))); break;
            case LightShadingColor: Board.SetLightShadingColor(In.ReadU32()); break;
            case DarkShadingColor: Board.SetDarkShadingColor(In.ReadU32()); break;
            case LightAutoFit: Board.SetLightSquareAutoFit(Flag()); break;
            case DarkAutoFit: Board.SetDarkSquareAutoFit(Flag()); break;
            case Squares: ReadSquares(); break;
            case Border: ReadBorder(); break;
            default: return false;
        }
        return true;
    }

    static int32_t I32At(const uint8_t* p) {
        return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
    }

    // A code outside the board's range would index past its piece pictures.
    static TSquareInfo SquareFromRecord(const uint8_t* r) {
        TSquareInfo s;
        s.Piece = I32At(r);
        if (s.Piece < 0 || s.Piece > kMaxSquareCode) throw EVXDFileError();
        s.IsLight = r[4] != 0;
        s.Bounds = {I32At(r + 8), I32At(r + 12), I32At(r + 16), I32At(r + 20)};
        s.Selected = r[24] != 0;
        s.Highlighted = r[25] != 0;
        s.HighlightColor = static_cast<TColor>(I32At(r + 28));
        s.Merged = r[32] != 0;
        return s;
    }

    void ReadSquares() {
        const uint8_t* records = In.ReadBytes(kSquaresSize);
        TSquareInfo squares[64];
        for (int i = 0; i < 64; ++i) squares[i] = SquareFromRecord(records + i * kSquareRecordSize);
        std::copy(std::begin(squares), std::end(squares), Board.SquareData());
    }

    void ReadBorder() {
        TBorderInfo border;
        border.Width = In.ReadI32();
        border.TopColor = In.ReadU32();
        border.BottomColor = In.ReadU32();
        Board.Border().Add(border);
    }

    // Decodes a set of bits by subtracting the largest first; bits[i] has
    // value 8 >> i. Bits decoded before a remainder is found stay applied.
    template <class Apply>
    static void DecodeBits(uint8_t value, const int (&bits)[4], Apply apply) {
        int result = 0;
        for (int i = 0; i < 4; ++i) {
            const int weight = 8 >> i;
            if (value >= weight) {
                value = static_cast<uint8_t>(value - weight);
                result |= bits[i];
            }
        }
        apply(result);
        if (value > 0) throw EVXDFileError();
    }

    // The sides field is in every written file, the inside tag only when set:
    // the sides bring the bands back unless that tag follows.
    void ReadCoordinateSides() {
        Board.SetCoordenateInside(false);
        static constexpr int kSides[4] = {South, West, East, North};
        DecodeBits(In.ReadU8(), kSides,
                   [this](int sides) { Board.SetCoordenateOrientation(static_cast<TCoordenateOrientation>(sides)); });
    }

    template <class Change>
    void ChangeFont(Change change) {
        TCFont font = Board.Font();
        change(font);
        Board.SetFont(font);
    }

    void ReadFontStyle() {
        static constexpr int kStyles[4] = {fsStrikeOut, fsUnderline, fsItalic, fsBold};
        DecodeBits(In.ReadU8(), kStyles, [this](int style) { ChangeFont([style](TCFont& f) { f.Style = style; }); });
    }

    bool ReadCoordinateField(uint8_t tag) {
        switch (tag) {
            case CoordSides: ReadCoordinateSides(); break;
            case FontColor: {
                const TColor c = In.ReadU32();
                ChangeFont([c](TCFont& f) { f.Color = c; });
                break;
            }
            case FontSize: {
                const int s = RangedByte(kMaxFontSize);
                ChangeFont([s](TCFont& f) { f.Size = s; });
                break;
            }
            case FontName: {
                std::string n = Text();
                ChangeFont([&n](TCFont& f) { f.Name = n; });
                break;
            }
            case FontStyle: ReadFontStyle(); break;
            case CoordBackColor: Board.SetCoordenateBackColor(In.ReadU32()); break;
            case CoordCapitals: Board.SetCoordenateInCapitals(Flag()); break;
            default: return false;
        }
        return true;
    }

    void ReadLineField(THeaderFooterInfo& line, LineField field) {
        switch (field) {
            case LineText: line.Text = Text(); break;
            case LineAlignment: line.Alignment = RangedByte(taRightJustify); break;
            case LineColor: line.Color = In.ReadU32(); break;
            case LineEnabled: line.Enabled = Flag(); break;
            case LineFontStyle: line.Font.Style = RangedByte(15); break;
            case LineFontColor: line.Font.Color = In.ReadU32(); break;
            case LineFontName: line.Font.Name = Text(); break;
            case LineFontSize: line.Font.Size = RangedByte(kMaxFontSize); break;
        }
    }

    QImage ReadImage() {
        try {
            TBmpImage bmp = ReadBmp(In.Current(), In.Remaining());
            In.Skip(bmp.ByteCount);
            return std::move(bmp.Image);
        } catch (const EBmpError&) {
            throw EVXDFileError();
        }
    }

    TByteReader In;
    TDiagramBoard& Board;
    THeaderFooterInfo& Header;
    THeaderFooterInfo& Footer;
    int FileVersion = 0;
    TMarkCollector Marks;
    bool MarksRead = false;
};

}  // namespace

void DecodeDiagram(const std::vector<uint8_t>& bytes, TDiagram& diagram) {
    try {
        TDiagramReader(bytes, diagram).Read();
    } catch (const EShortRead&) {
        throw EVXDFileError();
    }
}

}  // namespace vorlix
