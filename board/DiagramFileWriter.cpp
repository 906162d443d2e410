#include <algorithm>

#include "board/DiagramBoard.h"
#include "board/DiagramFile.h"
#include "board/DiagramFileTags.h"
#include "board/DiagramFileText.h"
#include "imaging/BmpReader.h"
#include "imaging/BmpWriter.h"
#include "imaging/ByteStream.h"

namespace vorlix {

using namespace vxd;

namespace {

// Values are clamped to what the reader accepts, so every saved file loads again.
uint8_t ClampedByte(int value, int max) { return static_cast<uint8_t>(std::clamp(value, 0, max)); }

// A picture larger than the BMP reader accepts is stored scaled down, so the
// file still loads.
QImage WithinReaderLimits(const QImage& image) {
    const int64_t pixels = int64_t(image.width()) * image.height();
    if (image.width() <= kMaxBmpSide && image.height() <= kMaxBmpSide && pixels <= kMaxBmpPixels) return image;
    QSize size = image.size().scaled(kMaxBmpSide, kMaxBmpSide, Qt::KeepAspectRatio);
    while (int64_t(size.width()) * size.height() > kMaxBmpPixels) size /= 2;
    return image.scaled(size.expandedTo(QSize(1, 1)), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

class TDiagramWriter {
public:
    explicit TDiagramWriter(const TDiagramBoard& board) : Board(board) {}

    std::vector<uint8_t> Write(int version, const THeaderFooterInfo& header, const THeaderFooterInfo& footer) {
        WriteIdentity(version);
        WriteStyle();
        WriteSquares();
        WriteCoordinates();
        for (const TBorderInfo& border : Board.Border().Items()) WriteBorder(border);
        WriteLine(kHeaderTags, header);
        WriteLine(kFooterTags, footer);
        WriteImage(LightImage, Board.LightSquareBitmap());
        WriteImage(DarkImage, Board.DarkSquareBitmap());
        if (Board.CoordenateInside()) Out.WriteU8(CoordsInside);
        if (Board.SideToMove() != TSideToMove::None) {
            Out.WriteU8(SideToMove);
            MarkByte(int(Board.SideToMove()));
        }
        WriteMarks(Board.Marks());
        return Out.Take();
    }

private:
    void MarkByte(int value) { Out.WriteU8(static_cast<uint8_t>(kMarkByteBase + value)); }
    void WriteMarks(const TBoardMarks& marks) {
        for (const TArrowMark& a : marks.Arrows) {
            Out.WriteU8(ArrowMark);
            for (int value : {int(a.Color), a.From / 8, a.From % 8, a.To / 8, a.To % 8}) MarkByte(value);
        }
        for (const TSquareMark& m : marks.Squares) {
            Out.WriteU8(SquareMark);
            for (int value : {int(m.Color), m.Square / 8, m.Square % 8}) MarkByte(value);
        }
    }

    void Byte(Tag tag, uint8_t value) {
        Out.WriteU8(tag);
        Out.WriteU8(value);
    }
    void Color(Tag tag, TColor value) {
        Out.WriteU8(tag);
        Out.WriteU32(value);
    }
    void Text(uint8_t tag, const std::string& utf8, int lengthByte = -1) {
        Out.WriteU8(tag);
        Out.WriteShortString(Utf8ToCp1252(utf8), lengthByte);
    }

    void WriteIdentity(int version) {
        Out.WriteU8(Signature);
        Out.WriteU8(kSignatureLength);
        Out.WriteBytes(reinterpret_cast<const uint8_t*>(kSignature), kSignatureLength);
        Out.WriteU8(Version);
        Out.WriteU16(static_cast<uint16_t>(version));
    }

    void WriteStyle() {
        Byte(PieceSize, pzSmall);
        Byte(PieceStyle, Board.PieceStyle());
        Byte(View, Board.View());
        Byte(GridLineWidth, ClampedByte(Board.GridLineWidth(), kMaxGridLineWidth));
        Color(GridLineColor, Board.GridLineColor());
        Byte(SquareSize, ClampedByte(Board.SquareSize(), kMaxSquareSizeByte));
        Color(LightSquares, Board.LightSquares());
        Color(DarkSquares, Board.DarkSquares());
        Byte(LightShading, Board.LightShading());
        Byte(DarkShading, Board.DarkShading());
        Color(LightShadingColor, Board.LightShadingColor());
        Color(DarkShadingColor, Board.DarkShadingColor());
        Byte(LightAutoFit, Board.LightSquareAutoFit());
        Byte(DarkAutoFit, Board.DarkSquareAutoFit());
    }

    void WriteSquare(const TSquareInfo& s) {
        Out.WriteI32(s.Piece);
        Out.WriteU8(s.IsLight);
        Out.WriteZeros(3);
        Out.WriteI32(s.Bounds.Left);
        Out.WriteI32(s.Bounds.Top);
        Out.WriteI32(s.Bounds.Right);
        Out.WriteI32(s.Bounds.Bottom);
        Out.WriteU8(s.Selected);
        Out.WriteU8(s.Highlighted);
        Out.WriteZeros(2);
        Out.WriteU32(s.HighlightColor);
        Out.WriteU8(s.Merged);
        Out.WriteZeros(3);
    }

    void WriteSquares() {
        Out.WriteU8(Squares);
        const TSquareInfo* squares = Board.SquareData();
        for (int i = 0; i < 64; ++i) WriteSquare(squares[i]);
    }

    void WriteCoordinates() {
        const TCFont& font = Board.Font();
        Byte(CoordSides, Board.CoordenateOrientation() & kAllCoords);
        Color(FontColor, font.Color);
        Byte(FontSize, ClampedByte(font.Size, kMaxFontSize));
        Text(FontName, font.Name, 255);
        Byte(FontStyle, static_cast<uint8_t>(font.Style & 15));
        Color(CoordBackColor, Board.CoordenateBackColor());
        Byte(CoordCapitals, Board.CoordenateInCapitals());
    }

    void WriteBorder(const TBorderInfo& border) {
        Out.WriteU8(Border);
        Out.WriteI32(border.Width);
        Out.WriteU32(border.TopColor);
        Out.WriteU32(border.BottomColor);
    }

    void WriteLine(int base, const THeaderFooterInfo& line) {
        auto tag = [base](LineField f) { return static_cast<Tag>(base + int(f)); };
        Text(tag(LineText), line.Text);
        Byte(tag(LineAlignment), ClampedByte(line.Alignment, taRightJustify));
        Color(tag(LineColor), line.Color);
        Byte(tag(LineEnabled), line.Enabled);
        Byte(tag(LineFontStyle), static_cast<uint8_t>(line.Font.Style & 15));
        Color(tag(LineFontColor), line.Font.Color);
        Text(tag(LineFontName), line.Font.Name);
        Byte(tag(LineFontSize), ClampedByte(line.Font.Size, kMaxFontSize));
    }

    void WriteImage(Tag tag, const QImage& image) {
        if (image.isNull()) return;
        Out.WriteU8(tag);
        Out.WriteBytes(EncodeBmp(WithinReaderLimits(image)));
    }

    const TDiagramBoard& Board;
    TByteWriter Out;
};

}  // namespace

std::vector<uint8_t> EncodeDiagram(const TDiagram& diagram, int version) {
    return TDiagramWriter(diagram.Board).Write(version, diagram.Header, diagram.Footer);
}

}  // namespace vorlix
