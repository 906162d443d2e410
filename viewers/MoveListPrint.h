#pragma once
// The printed move list: the archive's title line, the game's tags and its
// moves in one of three layouts, with page breaks. Coordinates are device
// pixels of the page, with margins of 100 left and right and 120 at the top.
#include <QPagedPaintDevice>
#include <QPainter>
#include <QString>

#include "files/PGNRecord.h"
#include "viewers/MoveGrid.h"
#include "viewers/PgnViewerSettings.h"

namespace vorlix {

// What the layout needs of a page-oriented drawing surface.
class TPrintCanvas {
public:
    virtual ~TPrintCanvas() = default;
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;
    virtual void SetFont(const TCFont& font) = 0;
    virtual int TextWidth(const QString& text) = 0;
    virtual int TextHeight(const QString& text) = 0;
    // Text with its top-left corner at (x, y).
    virtual void TextOut(int x, int y, const QString& text) = 0;
    // A black horizontal line of the given pen width.
    virtual void HorizontalLine(int x1, int x2, int y, int penWidth) = 0;
    // False when the page could not be started.
    virtual bool NewPage() = 0;
};

// A canvas on a printer or PDF writer; fonts take their point sizes at the device's resolution.
class TPagedCanvas : public TPrintCanvas {
public:
    explicit TPagedCanvas(QPagedPaintDevice& device) : device_(device) {}
    bool Begin() { return painter_.begin(&device_); }
    int PageWidth() const override;
    int PageHeight() const override;
    void SetFont(const TCFont& font) override;
    int TextWidth(const QString& text) override;
    int TextHeight(const QString& text) override;
    void TextOut(int x, int y, const QString& text) override;
    void HorizontalLine(int x1, int x2, int y, int penWidth) override;
    bool NewPage() override;

private:
    QPagedPaintDevice& device_;
    QPainter painter_;
};

struct TMoveListPrintJob {
    QString Caption;  // "PGN Archive: " and the file name
    TPGNRec Game;
    TMoveGrid Grid;
    TMoveListPrintSettings Settings;
};

// Prints the job; false when a page could not be started (the caller aborts the job).
bool PrintMoveList(TPrintCanvas& canvas, const TMoveListPrintJob& job);

// The text of a grid row in the running-text and pair-per-line layouts.
QString MoveRowText(const std::vector<std::string>& row);
// Width of the middle column of the three-column layout.
int MiddleColumnWidth(TPrintCanvas& canvas, const TMoveGrid& grid);

}  // namespace vorlix
