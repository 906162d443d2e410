// Text into an SVG image: header, footer and a font name of any bytes (as
// tags, EPD ids and diagram files bring them) give a well-formed document,
// checked by a parser of our own (XmlCheck.h).
//
// Input: header text, footer text and font name, split at the first two
// bytes 0x1E; the first byte also picks the alignment.
#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzTarget.h"
#include "XmlCheck.h"
#include "board/Diagram.h"
#include "board/GuiContext.h"
#include "export/ScalableExport.h"

using namespace vorlix;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TDiagram* diagram = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        EnsureGuiApplication();
        return new TDiagram();
    }();
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::string parts[3];
    for (int i = 0; i < 3; ++i) {
        const size_t cut = i < 2 ? rest.find('\x1e') : std::string_view::npos;
        parts[i] = std::string(rest.substr(0, cut));
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    }
    const int alignment = size ? data[0] % 3 : 0;
    for (THeaderFooterInfo* line : {&diagram->Header, &diagram->Footer}) {
        line->Enabled = true;
        line->Alignment = alignment;
        line->Font.Name = parts[2].empty() ? "MS Sans Serif" : parts[2];
    }
    diagram->Header.Text = parts[0];
    diagram->Footer.Text = parts[1];

    TScalableOptions options;
    options.Format = TImageFormat::Svg;
    QByteArray svg;
    std::string error;
    if (!EncodeScalableImage(*diagram, options, svg, error)) return 0;
    if (const std::string problem = fuzz::TXmlCheck::Problem({svg.constData(), size_t(svg.size())}); !problem.empty()) {
        std::fprintf(stderr, "not well-formed: %s\n%s\n", problem.c_str(), svg.constData());
        std::abort();
    }
    return 0;
}
