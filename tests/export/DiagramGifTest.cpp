// GIF files of real diagrams: the LZW stream the writer saves must show the
// very pixels the run-length stream showed, at every depth and size, with and
// without a transparent corner, in fewer bytes.
#include <gtest/gtest.h>

#include "export/DiagramImage.h"
#include "imaging/GifWriter.h"
#include "tests/imaging/TestImages.h"

using namespace vorlix;

namespace {

QImage Decoded(const std::vector<std::uint8_t>& bytes) {
    return testimages::Decode(bytes).convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

TEST(DiagramGif, LzwFilesShowTheRunLengthFilesPixelsInFewerBytes) {
    const struct {
        const char* Name;
        const char* Placement;
        int ScaleIndex;
        bool Header;
    } diagrams[] = {
        {"start, smallest", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", 0, false},
        {"middle game, 100 %", "r1bq1rk1/pp2bppp/2n1pn2/3p4/2PP4/2N1PN2/PP3PPP/R2QKB1R", kNoScaleIndex, true},
        {"endgame, largest", "8/5k2/3p4/1p1Pp2p/pP2Pp1P/P4P1K/8/8", kImageScaleCount - 1, true},
        {"empty board, 100 %", "8/8/8/8/8/8/8/8", kNoScaleIndex, false},
    };
    const TGifColors depths[] = {TGifColors::Monochrome, TGifColors::Colors16, TGifColors::Colors256};
    for (const auto& d : diagrams) {
        TDiagram diagram;
        ASSERT_TRUE(diagram.Board.SetPositionFromPlacement(d.Placement)) << d.Name;
        diagram.Header.Enabled = d.Header;
        diagram.Header.Text = "Round 7";
        const QImage image = RenderDiagramImage(diagram, d.ScaleIndex);
        const auto corner = FindTransparentCorner(image, TransparencyRuleOf(diagram));
        for (TGifColors colors : depths)
            for (const std::optional<QPoint>& transparent : {std::optional<QPoint>{}, corner}) {
                const std::string name = std::string(d.Name) + ", depth " + std::to_string(int(colors)) +
                                         (transparent ? ", transparent" : "");
                std::vector<std::uint8_t> runs, lzw;
                std::string error;
                ASSERT_TRUE(EncodeGifImage(image, {colors, transparent, TGifCoding::RunLength}, runs, error)) << name;
                const int colorIndex = colors == TGifColors::Monochrome ? ciMonochrome
                                       : colors == TGifColors::Colors16 ? ci16Colors
                                                                        : ci256Colors;
                ASSERT_TRUE(EncodeDiagramImage(image, {TImageFormat::Gif, colorIndex, 81, transparent}, lzw, error))
                    << name;
                const QImage fromRuns = Decoded(runs), fromLzw = Decoded(lzw);
                ASSERT_EQ(fromLzw.size(), image.size()) << name;
                EXPECT_TRUE(fromLzw == fromRuns) << name;
                EXPECT_LT(lzw.size(), runs.size()) << name;
                if (transparent) EXPECT_EQ(qAlpha(fromLzw.pixel(*transparent)), 0) << name;
            }
    }
}
