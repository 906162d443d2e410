#include "app/Clipboard.h"

#include <QClipboard>
#include <QMimeData>

#include "app/ClipboardFormats.h"
#include "board/BoardText.h"
#include "board/DiagramBoard.h"
#include "files/CommentMarks.h"

namespace vorlix {

bool SetPositionFromClipboardText(TDiagramBoard& board, const std::string& text) {
    if (!board.SetPositionFromPlacement(text) && !board.SetPositionFromSetup(text)) return false;
    // A pasted position brings its side to move, or none: another position's side would be wrong.
    board.SetSideToMove(SideToMoveOfText(text));
    // Arrows and squares written after it, as a copy writes them, come back with it.
    if (const size_t open = text.find('{'); open != std::string::npos) {
        const size_t close = text.find('}', open);
        const TBoardMarks marks = ParseCommentMarks(std::string_view(text).substr(open + 1, close - open - 1));
        if (!marks.Empty()) board.SetMarks(marks);
    }
    return true;
}

TDiagramClipboard::TDiagramClipboard(QClipboard& clipboard, TErrorReporter& reporter)
    : clipboard_(clipboard), reporter_(reporter) {}

bool TDiagramClipboard::Copy(const TDiagramBoard& board, int format, const TImageRenderer& renderImage) {
    Empty();
    if (IsBitmapClipboardFormat(format)) return CopyBitmap(format, renderImage);
    if (IsValidClipboardFormat(format)) return CopyText(board, format);
    return Fail();
}

bool TDiagramClipboard::CopyText(const TDiagramBoard& board, int format) {
    clipboard_.setText(QString::fromStdString(ClipboardText(board, format)));
    return true;
}

bool TDiagramClipboard::CopyBitmap(int format, const TImageRenderer& renderImage) {
    const QImage diagram = renderImage ? renderImage() : QImage();
    TClipboardBitmap bitmap;
    std::string error;
    if (diagram.isNull() || !MakeClipboardBitmap(diagram, format, bitmap, error)) return Fail();
    auto* data = new QMimeData;
    data->setImageData(bitmap.Image);
    data->setData(kBmpMimeType, bitmap.Bmp);
    clipboard_.setMimeData(data);
    return true;
}

bool TDiagramClipboard::Fail() {
    reporter_.Report(TMsgKind::Error, kCopyFailedMessage);
    return false;
}

bool TDiagramClipboard::Paste(TDiagramBoard& board) {
    if (SetPositionFromClipboardText(board, clipboard_.text().toStdString())) return true;
    reporter_.Report(TMsgKind::Information, kPasteRejectedMessage);
    return false;
}

void TDiagramClipboard::Empty() { clipboard_.clear(); }

bool TDiagramClipboard::HoldsBitmap() const {
    const QMimeData* data = clipboard_.mimeData();
    return data && (data->hasImage() || data->hasFormat(kBmpMimeType));
}

bool TDiagramClipboard::HoldsText() const {
    const QMimeData* data = clipboard_.mimeData();
    return data && data->hasText() && !data->text().isEmpty();
}

}  // namespace vorlix
