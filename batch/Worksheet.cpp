#include "batch/Worksheet.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "board/Diagram.h"
#include "board/Fonts.h"
#include "export/VectorDiagramImage.h"
#include "files/EPDRecord.h"
#include "files/PGNRecord.h"
#include "print/PdfPrintTarget.h"
#include "print/PrintedDiagram.h"
#include "print/WorksheetLayout.h"
#include "rules/ChessPosition.h"

namespace vorlix {
namespace {

constexpr int kDotsPerInch = 300;
constexpr double kTitlePoints = 16;
constexpr double kKeyPoints = 11;

const QString kKeyHeading = QStringLiteral("Answers");

QFont SheetFont(const TDiagram& style, double points, bool bold) {
    QFont font = MakeFont(style.Footer.Font);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

// Pages one after another on the PDF target, each with the title band.
class TSheetPages {
public:
    TSheetPages(TPdfPrintTarget& target, const TDiagram& style, const std::string& title)
        : target_(target), title_(QString::fromStdString(title)), titleFont_(SheetFont(style, kTitlePoints, true)) {}

    // The height of the title band in page pixels (0 without a title).
    int TitleHeight() const {
        if (title_.isEmpty()) return 0;
        return QFontMetrics(titleFont_, target_.Canvas().device()).height() * 3 / 2;
    }

    bool Begin(std::string& error) {
        if (target_.JobRunning() && !target_.EndJob(error)) return false;
        if (!target_.BeginJob(title_.isEmpty() ? QStringLiteral("Chess Vorlix") : title_, error)) return false;
        if (!title_.isEmpty()) {
            QPainter& canvas = target_.Canvas();
            canvas.setFont(titleFont_);
            canvas.setPen(Qt::black);
            canvas.drawText(SheetTitleRect(target_.PageSize(), TitleHeight()), Qt::AlignHCenter | Qt::AlignTop, title_);
        }
        return true;
    }

    bool End(std::string& error) { return !target_.JobRunning() || target_.EndJob(error); }

private:
    TPdfPrintTarget& target_;
    QString title_;
    QFont titleFont_;
};

// The key's lines run down the text area, two columns a page.
bool WriteKey(TPdfPrintTarget& target, TSheetPages& pages, const TDiagram& style,
              const std::vector<TSheetPosition>& positions, std::string& error) {
    if (!pages.Begin(error)) return false;
    QPainter& canvas = target.Canvas();
    const QFont font = SheetFont(style, kKeyPoints, false), heading = SheetFont(style, kKeyPoints * 1.3, true);
    const QRect area = SheetTextArea(target.PageSize(), pages.TitleHeight());
    const int line = QFontMetrics(font, canvas.device()).height() * 5 / 4;
    const int headingHeight = QFontMetrics(heading, canvas.device()).height() * 2;
    canvas.setPen(Qt::black);
    canvas.setFont(heading);
    canvas.drawText(QRect(area.left(), area.top(), area.width(), headingHeight), Qt::AlignLeft | Qt::AlignTop,
                    kKeyHeading);
    canvas.setFont(font);
    constexpr int kColumns = 2;
    const int columnWidth = area.width() / kColumns;
    int top = area.top() + headingHeight, column = 0, y = top;
    const auto room = [&] {
        return QRect(area.left() + column * columnWidth, y, columnWidth - line, area.bottom() - y);
    };
    for (const TSheetPosition& p : positions) {
        const QString text = QString::fromStdString(p.Fields.N + ". " + (p.Key.empty() ? "-" : p.Key));
        QRect needed = canvas.fontMetrics().boundingRect(room(), Qt::TextWordWrap, text);
        // Down the next column, or the next page, when the answer does not fit under the last one.
        if (y + needed.height() > area.bottom() && y > top) {
            if (++column == kColumns) {
                if (!pages.Begin(error)) return false;
                canvas.setFont(font);
                canvas.setPen(Qt::black);
                column = 0;
                top = area.top();
            }
            y = top;
            needed = canvas.fontMetrics().boundingRect(room(), Qt::TextWordWrap, text);
        }
        canvas.drawText(room(), Qt::TextWordWrap, text);
        y += needed.height() + line / 4;
    }
    return true;
}

}  // namespace

TSheetPosition SheetPositionOfEpd(const TEPDRec& record, int number) {
    TSheetPosition p;
    std::copy(std::begin(record.Board), std::end(record.Board), p.Codes.begin());
    p.WhiteToMove = record.WhiteToMove;
    TChessPosition position;
    std::copy(std::begin(record.Board), std::end(record.Board), std::begin(position.Board));
    position.WhiteToMove = record.WhiteToMove;
    p.Move = MoveStateOfPosition(position, TLastMoveMark::Squares, true, {});
    p.Fields = CaptionRecordOfEpd(record, number);
    p.Key = record.BestMove;
    return p;
}

TSheetPosition SheetPositionOfGame(const TPGNRec& game, int gameNumber, const TChessPosition& position,
                                   const TBoardMarks& marks, int number) {
    TSheetPosition p;
    std::copy(std::begin(position.Board), std::end(position.Board), p.Codes.begin());
    p.Marks = marks;
    p.WhiteToMove = position.WhiteToMove;
    p.Move = MoveStateOfPosition(position, TLastMoveMark::Squares, true, {});
    p.Fields = CaptionRecordOfGame(game, gameNumber, position, number);
    p.Key = NextMovesText(position, kSheetKeyPlies);
    return p;
}

void PutSheetPosition(TDiagram& diagram, const TSheetPosition& position, const TWorksheetOptions& options,
                      TView styleView) {
    TDiagramBoard& board = diagram.Board;
    board.SetCodes(position.Codes);
    board.SetMarks(position.Marks);
    // The side always: the style's "Show Side to Move" (or --mover-mark) decides whether it is drawn.
    const TSideToMove side = position.WhiteToMove ? TSideToMove::White : TSideToMove::Black;
    board.SetSideToMove(side);
    TMoveState shown = position.Move;
    if (!options.State.Check) shown.Check = -1;
    shown.LastMove = shown.From >= 0 ? options.State.LastMove : TLastMoveMark::None;
    if (shown.LastMove == TLastMoveMark::None) shown.From = shown.To = -1;
    shown.Glyph.clear();
    board.SetMoveState(shown);
    board.SetView(options.State.OrientMover ? MoverView(side) : styleView);
    diagram.Footer.Text = ExpandCaption(options.Caption, position.Fields);
}

bool WriteWorksheet(TDiagram& style, const std::vector<TSheetPosition>& positions, const TWorksheetOptions& options,
                    const QString& fileName, std::string& error) {
    const std::optional<TSheetGrid> grid = SheetGridOf(options.PerPage);
    if (!grid) {
        error = "a worksheet takes 1, 2, 4, 6, 9 or 12 diagrams a page";
        return false;
    }
    if (positions.empty()) {
        error = fileName.toStdString() + ": no positions for the worksheet";
        return false;
    }
    // The title stands above the grid, the caption under each board.
    style.Header.Enabled = false;
    style.Footer.Enabled = !QString::fromStdString(options.Caption).trimmed().isEmpty();
    style.Footer.Alignment = taCenter;
    if (options.State.MoverMark) style.Board.SetShowSideToMove(true);
    const TView styleView = style.Board.View();
    TPdfPrintTarget target(fileName, kDotsPerInch, options.Letter ? QPageSize::Letter : QPageSize::A4);
    TSheetPages pages(target, style, options.Title);
    std::vector<QRect> cells;
    size_t slot = 0;
    for (const TSheetPosition& position : positions) {
        if (slot == cells.size()) {
            if (!pages.Begin(error)) return false;
            if (cells.empty()) cells = SheetCells(target.PageSize(), *grid, pages.TitleHeight());
            slot = 0;
        }
        style.Board.BeginUpdate();
        PutSheetPosition(style, position, options, styleView);
        style.Board.EndUpdate();
        const TPrintedDiagram printed =
            RecordPrintedDiagram(DiagramImageSize(style), [&](QPainter& p) { PaintDiagramImage(p, style); });
        DrawPrintedDiagram(target.Canvas(), FitDiagramInCell(cells[slot++], printed.Size), printed);
    }
    if (options.Key && !WriteKey(target, pages, style, positions, error)) return false;
    if (!pages.End(error) || !target.Finish(error)) {
        if (error.find(fileName.toStdString()) == std::string::npos) error = fileName.toStdString() + ": " + error;
        return false;
    }
    return true;
}

}  // namespace vorlix
