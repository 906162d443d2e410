#include "app/ClipboardFormats.h"

#include <vector>

#include "board/BoardText.h"
#include "board/DiagramBoard.h"
#include "imaging/BmpExport.h"
#include "imaging/ColorMapping.h"
#include "imaging/FixedPalettes.h"

namespace vorlix {

namespace {

// Qt has no 4-bit image format: the 16-colour image is Indexed8 with 16 entries.
QImage IndexedImageOfDepth(const QImage& diagram, int bits) {
    if (bits == 1) {
        const TIndexedImage indexed = MapToMonochrome(diagram);
        QImage mono(indexed.Width, indexed.Height, QImage::Format_Mono);
        if (mono.isNull()) return mono;
        mono.setColorTable(QList<QRgb>(indexed.Palette.begin(), indexed.Palette.end()));
        for (int y = 0; y < indexed.Height; ++y)
            for (int x = 0; x < indexed.Width; ++x) mono.setPixel(x, y, indexed.At(x, y));
        return mono;
    }
    return ToQImage(MapToPalette(diagram, bits == 4 ? Standard16Palette() : Halftone256Palette()));
}

}  // namespace

std::string MarksText(const TBoardMarks& marks) {
    if (marks.Empty()) return {};
    static const char kColors[] = {'R', 'G', 'Y', 'B'};
    auto square = [](int index) { return std::string{char('a' + index / 8), char('1' + index % 8)}; };
    std::string text = " {";
    auto command = [&](const char* name, const auto& items, auto item) {
        if (items.empty()) return;
        if (text.size() > 2) text += ' ';
        text += std::string("[%") + name + ' ';
        for (size_t i = 0; i < items.size(); ++i) text += (i ? "," : "") + item(items[i]);
        text += ']';
    };
    command("cal", marks.Arrows,
            [&](const TArrowMark& a) { return kColors[int(a.Color)] + square(a.From) + square(a.To); });
    command("csl", marks.Squares, [&](const TSquareMark& m) { return kColors[int(m.Color)] + square(m.Square); });
    return text + '}';
}

bool IsValidClipboardFormat(int format) { return format >= 0 && format < kClipboardFormatCount; }

bool IsBitmapClipboardFormat(int format) { return format >= cfMonochromeBitmap && format <= cfTrueColorBitmap; }

int ClipboardBitsPerPixel(int format) {
    switch (format) {
        case cfMonochromeBitmap: return 1;
        case cf16ColorBitmap: return 4;
        case cf256ColorBitmap: return 8;
        case cfTrueColorBitmap: return 24;
        default: return 0;
    }
}

std::optional<int> ClipboardFormatOfItemName(const QString& itemName) {
    if (itemName.isEmpty()) return std::nullopt;
    static const QString kSelectors = "148TDnp";
    const int format = int(kSelectors.indexOf(itemName.back(), 0, Qt::CaseSensitive));
    if (format < 0) return std::nullopt;
    return format;
}

std::string ClipboardText(const TDiagramBoard& board, int format) {
    std::string text;
    switch (format) {
        case cfEPDText:
            board.GetPlacementText(text);
            text += SideToMoveSuffix(board.SideToMove()) + MarksText(board.Marks());
            break;
        case cfPlainText: board.GetTextDiagram(text); break;
        case cfSetupText:
            board.GetSetupText(text);
            if (!text.empty()) text += SideToMoveSuffix(board.SideToMove()) + MarksText(board.Marks());
            break;
        default: break;
    }
    return text;
}

bool MakeClipboardBitmap(const QImage& diagram, int format, TClipboardBitmap& out, std::string& error) {
    out = {};
    const int bits = ClipboardBitsPerPixel(format);
    if (bits == 0) {
        error = "Not a bitmap clipboard format.";
        return false;
    }
    std::vector<std::uint8_t> bmp;
    if (!EncodeBmpAtDepth(diagram, bits, bmp, error)) return false;
    out.Image = bits == 24 ? diagram.convertToFormat(QImage::Format_RGB888) : IndexedImageOfDepth(diagram, bits);
    if (out.Image.isNull()) {
        error = "The image could not be converted.";
        return false;
    }
    out.Bmp = QByteArray(reinterpret_cast<const char*>(bmp.data()), qsizetype(bmp.size()));
    return true;
}

}  // namespace vorlix
