#pragma once
// Which colour depths the save dialog offers for each file type.
#include <QString>
#include <QStringList>
#include <array>

#include "imaging/ImageFormat.h"

namespace vorlix {

// The four colour texts, indexed by colour index.
extern const std::array<QString, 4> kColorDepthTexts;

// Filter indexes of the image save filter (1-based, as the dialog counts them).
enum : int { fiGIF = 1, fiJPEG = 2, fiBMP = 3, fiPNG = 4, fiSVG = 5, fiPDF = 6 };

// The upper-case extension a file of that type gets (".GIF" for an unknown index).
QString ExtensionOfImageFilter(int filterIndex);
// The format of a filter (GIF for an unknown index).
TImageFormat ImageFormatOfFilter(int filterIndex);

struct TColorDepthList {
    QStringList Entries;
    int ColorIndex = 0;  // the stored choice after the rules ran
    int ShownRow = 0;    // the entry the list shows
    bool TransparentEnabled = false;
    bool ColorsEnabled = true;  // false where a depth does not apply (PNG, SVG, PDF)
};

// GIF offers three depths and turns a true colour choice into monochrome; JPEG
// offers only true colour and stores 0; BMP offers all four and keeps the choice.
// PNG, SVG and PDF are true colour with the list greyed and the choice kept;
// only PNG can be transparent.
TColorDepthList ColorDepthsForFilter(int filterIndex, int colorIndex);

}  // namespace vorlix
