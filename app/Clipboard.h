#pragma once
// Copy, cut's copy half, paste and emptying of the system clipboard for the
// diagram board. The caller renders the image and owns the bookkeeping of an
// edit (modified mark, undo state, caption).
#include <QImage>
#include <functional>
#include <string>

#include "files/ErrorReporter.h"

class QClipboard;

namespace vorlix {

class TDiagramBoard;

inline constexpr const char* kCopyFailedMessage = "The diagram could not be copied to the clipboard...";
inline constexpr const char* kPasteRejectedMessage =
    "Clipboard text does not appear to contain any \nvalid chess data...";
// The bitmap formats also travel as a BMP file under this type.
inline constexpr const char* kBmpMimeType = "image/bmp";

// Tries the FEN placement first, then the setup text; on failure the board is unchanged.
bool SetPositionFromClipboardText(TDiagramBoard& board, const std::string& text);

class TDiagramClipboard {
public:
    // Renders the diagram image for the bitmap formats (header, footer, image scale).
    using TImageRenderer = std::function<QImage()>;

    TDiagramClipboard(QClipboard& clipboard, TErrorReporter& reporter);

    // Empties the clipboard, then puts the diagram on it in the given format.
    // Failures are reported as errors; the clipboard may be empty afterwards.
    bool Copy(const TDiagramBoard& board, int format, const TImageRenderer& renderImage);
    // Turns the clipboard text into the board's position. Rejected text is
    // reported and leaves the board unchanged. No repaint.
    bool Paste(TDiagramBoard& board);
    void Empty();

    bool HoldsBitmap() const;
    // The clipboard holds text that is not empty.
    bool HoldsText() const;

private:
    bool CopyText(const TDiagramBoard& board, int format);
    bool CopyBitmap(int format, const TImageRenderer& renderImage);
    bool Fail();

    QClipboard& clipboard_;
    TErrorReporter& reporter_;
};

}  // namespace vorlix
