#include "app/Clipboard.h"

#include <QClipboard>
#include <QMimeData>

#include "app/ClipboardFormats.h"
#include "board/ChessBoard.h"

namespace vorlix {

bool SetPositionFromClipboardText(TkxChessBrd& board, const std::string& text) {
    return board.SetPositionFromPlacement(text) || board.SetPositionFromSetup(text);
}

TDiagramClipboard::TDiagramClipboard(QClipboard& clipboard, TErrorReporter& reporter)
    : FClipboard(clipboard), FReporter(reporter) {}

bool TDiagramClipboard::Copy(const TkxChessBrd& board, int format, const TImageRenderer& renderImage) {
    Empty();
    if (IsBitmapClipboardFormat(format)) return CopyBitmap(format, renderImage);
    if (IsValidClipboardFormat(format)) return CopyText(board, format);
    return Fail();
}

bool TDiagramClipboard::CopyText(const TkxChessBrd& board, int format) {
    FClipboard.setText(QString::fromStdString(ClipboardText(board, format)));
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
    FClipboard.setMimeData(data);
    return true;
}

bool TDiagramClipboard::Fail() {
    FReporter.Report(TMsgKind::Error, kCopyFailedMessage);
    return false;
}

bool TDiagramClipboard::Paste(TkxChessBrd& board) {
    if (SetPositionFromClipboardText(board, FClipboard.text().toStdString())) return true;
    FReporter.Report(TMsgKind::Information, kPasteRejectedMessage);
    return false;
}

void TDiagramClipboard::Empty() { FClipboard.clear(); }

bool TDiagramClipboard::HoldsBitmap() const {
    const QMimeData* data = FClipboard.mimeData();
    return data && (data->hasImage() || data->hasFormat(kBmpMimeType));
}

bool TDiagramClipboard::HoldsText() const {
    const QMimeData* data = FClipboard.mimeData();
    return data && data->hasText() && !data->text().isEmpty();
}

}  // namespace vorlix
