#include "viewers/MoveListPrint.h"

#include <QPagedPaintDevice>

#include "board/Fonts.h"

namespace vorlix {

namespace {

constexpr int kLeft = 100;
constexpr int kTop = 120;
constexpr int kRightMargin = 100;
constexpr int kBottomMargin = 100;  // for move rows
constexpr int kTagBottom = 120;     // for the title, tags and separators
constexpr int kLineGap = 8;
constexpr int kSeparatorPen = 3;
constexpr int kSeparatorToMoves = 16;
constexpr int kRowGap = 3;
constexpr int kMiddleExtra = 30;

QString Q(const std::string& s) { return QString::fromStdString(s); }

class TMoveListPages {
public:
    TMoveListPages(TPrintCanvas& canvas, const TMoveListPrintJob& job) : C(canvas), J(job) {}

    bool Print() {
        C.SetFont(J.Settings.HeaderFont);
        if (!TitleAndTags()) return false;
        C.SetFont(J.Settings.BodyFont);
        Separator();
        Y += kSeparatorToMoves;
        if (Y >= C.PageHeight() - kTagBottom && !PageBreak()) return false;
        bool ok = true;
        switch (J.Settings.Layout) {
            case mlPairPerLine: ok = PairPerLine(); break;
            case mlThreeColumns: ok = ThreeColumns(); break;
            default: ok = RunningText(); break;
        }
        if (!ok) return false;
        Separator();
        return true;
    }

private:
    bool PageBreak() {
        Y = kTop;
        return C.NewPage();
    }

    bool TitleAndTags() {
        const qsizetype colon = J.Caption.indexOf(':');
        const QString label = colon < 0 ? J.Caption : J.Caption.left(colon + 1) + " ";
        const QString fileName = colon < 0 ? QString() : J.Caption.mid(colon + 2);
        ValueX = C.TextWidth(label) + 200;
        C.TextOut(kLeft, kTop, label);
        C.TextOut(ValueX, kTop, fileName);
        Y = kTop + C.TextHeight(label) + kLineGap;
        const TPGNRec& g = J.Game;
        const std::pair<const char*, QString> lines[] = {
            {"Event:", Q(g.Event)},
            {"Site:", Q(g.Site)},
            {"Date:", Q(g.Date)},
            {"Round:", Q(g.Round)},
            // Never empty: a player without a name still has the line.
            {"White:", Q(g.White + " (" + g.WhiteElo + ")")},
            {"Black:", Q(g.Black + " (" + g.BlackElo + ")")},
            {"ECO:", Q(g.ECO)},
            {"Result:", Q(g.Result)},
        };
        for (const auto& [label, value] : lines) {
            if (value.isEmpty()) continue;
            const int h = C.TextHeight(label);
            if (Y + h >= C.PageHeight() - kTagBottom && !PageBreak()) return false;
            C.TextOut(kLeft, Y, label);
            C.TextOut(ValueX, Y, value);
            Y += h + kLineGap;
        }
        return true;
    }

    void Separator() {
        if (Y + kLineGap >= C.PageHeight() - kTagBottom) return;
        Y += kLineGap;
        C.HorizontalLine(kLeft, C.PageWidth() - kRightMargin, Y, kSeparatorPen);
    }

    // True when a line of height h starting at Y would not stay above the bottom margin.
    bool NoRoom(int h) const { return Y + h >= C.PageHeight() - kBottomMargin; }

    bool RunningText() {
        int x = kLeft;
        int h = 0;
        for (size_t r = 1; r < J.Grid.Rows.size(); ++r) {
            const QString text = MoveRowText(J.Grid.Rows[r]);
            const int w = C.TextWidth(text);
            h = C.TextHeight(text);
            if (x > kLeft && x + w >= C.PageWidth() - kRightMargin) {
                x = kLeft;
                Y += h + kLineGap;
            }
            if (NoRoom(h) && !PageBreak()) return false;
            C.TextOut(x, Y, text);
            x += w + kRowGap;
        }
        Y += h + kLineGap;
        return true;
    }

    bool PairPerLine() {
        for (size_t r = 1; r < J.Grid.Rows.size(); ++r) {
            const QString text = MoveRowText(J.Grid.Rows[r]);
            const int h = C.TextHeight(text);
            if (NoRoom(h + kLineGap) && !PageBreak()) return false;
            C.TextOut(kLeft, Y, text);
            Y += h + kLineGap;
        }
        return true;
    }

    bool ThreeColumns() {
        const int w = MiddleColumnWidth(C, J.Grid);
        const int centre = C.PageWidth() / 2;
        const int lineHeight = C.TextHeight("Nf3") + kLineGap;
        for (size_t r = 1; r < J.Grid.Rows.size(); ++r) {
            const auto& row = J.Grid.Rows[r];
            if (NoRoom(lineHeight) && !PageBreak()) return false;
            QString number = Q(row[0]);
            if (number.endsWith('.')) number.chop(1);
            C.TextOut(centre - C.TextWidth(number) / 2, Y, number);
            const QString white = Q(row[1]);
            C.TextOut(centre - w / 2 - C.TextWidth(white), Y, white);
            C.TextOut(centre + w / 2, Y, Q(row[2]));
            Y += lineHeight;
        }
        return true;
    }

    TPrintCanvas& C;
    const TMoveListPrintJob& J;
    int Y = kTop;
    int ValueX = 0;
};

}  // namespace

QString MoveRowText(const std::vector<std::string>& row) {
    if (row[1] == "...") {
        QString number = Q(row[0]);
        if (number.endsWith('.')) number.chop(1);
        return number + "... " + Q(row[2]) + " ";
    }
    return Q(row[0]) + " " + Q(row[1]) + " " + Q(row[2]) + " ";
}

int MiddleColumnWidth(TPrintCanvas& canvas, const TMoveGrid& grid) {
    int digits = 0;
    if (grid.Rows.size() >= 2)
        for (char c : grid.Rows[grid.Rows.size() - 2][0]) digits += c >= '0' && c <= '9';
    return canvas.TextWidth(QString(digits, '8')) + kMiddleExtra;
}

bool PrintMoveList(TPrintCanvas& canvas, const TMoveListPrintJob& job) { return TMoveListPages(canvas, job).Print(); }

int TPagedCanvas::PageWidth() const { return device_.width(); }
int TPagedCanvas::PageHeight() const { return device_.height(); }

void TPagedCanvas::SetFont(const TCFont& font) {
    QFont f(ResolveFontFamily(font.Name));
    f.setPointSize(std::max(1, font.Size));
    f.setBold(font.Style & fsBold);
    f.setItalic(font.Style & fsItalic);
    f.setUnderline(font.Style & fsUnderline);
    f.setStrikeOut(font.Style & fsStrikeOut);
    painter_.setFont(f);
}

int TPagedCanvas::TextWidth(const QString& text) { return painter_.fontMetrics().horizontalAdvance(text); }
int TPagedCanvas::TextHeight(const QString&) { return painter_.fontMetrics().height(); }

void TPagedCanvas::TextOut(int x, int y, const QString& text) {
    painter_.drawText(x, y + painter_.fontMetrics().ascent(), text);
}

void TPagedCanvas::HorizontalLine(int x1, int x2, int y, int penWidth) {
    const QPen previous = painter_.pen();
    painter_.setPen(QPen(Qt::black, penWidth));
    painter_.drawLine(x1, y, x2, y);
    painter_.setPen(previous);
}

bool TPagedCanvas::NewPage() { return device_.newPage(); }

}  // namespace vorlix
