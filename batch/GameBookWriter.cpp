#include "batch/GameBookWriter.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

#include "export/ScalableExport.h"
#include "export/VectorDiagramImage.h"
#include "export/XmlText.h"
#include "files/Exceptions.h"
#include "files/SafeFileWriter.h"
#include "print/PdfPrintTarget.h"

namespace vorlix {

namespace {

// The SVG document without its XML declaration, to stand inside HTML. Its
// ids (shared paths, images, clips) get the diagram's number as a prefix:
// every SVG numbers its own from 1, and in one HTML document a reference
// would otherwise find the first diagram's path of that number.
std::string InlineSvg(const TBookDiagram& bookDiagram, const TBookOptions& book, int number) {
    TDiagram diagram;
    MakeBookDiagram(bookDiagram, book, diagram);
    TScalableOptions options;
    options.Format = TImageFormat::Svg;
    QByteArray svg;
    std::string error;
    if (!EncodeScalableImage(diagram, options, svg, error)) return {};
    const qsizetype start = svg.indexOf("<svg");
    if (start < 0) return {};
    svg.remove(0, start);
    const QByteArray prefix = "d" + QByteArray::number(number) + "-";
    for (const char* kind : {"p", "i", "c"}) {
        svg.replace("id=\"" + QByteArray(kind), "id=\"" + prefix + kind);
        svg.replace("href=\"#" + QByteArray(kind), "href=\"#" + prefix + kind);
        svg.replace("url(#" + QByteArray(kind), "url(#" + prefix + kind);
    }
    return svg.toStdString();
}

const char* ItemClass(const TBookItem& item) {
    switch (item.Kind) {
        case TBookItem::Move: return item.Depth == 0 ? "move" : "var-move";
        case TBookItem::Comment: return "comment";
        case TBookItem::Glyph: return "glyph";
        case TBookItem::Result: return "result";
        default: return "";
    }
}

}  // namespace

std::string GameBookHtml(const std::vector<TBookGame>& games, const TBookOptions& options, const QString& title) {
    std::string out =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + XmlEscaped(title) +
        "</title>\n<style>\n"
        "@page { size: " +
        std::string(options.Letter ? "letter" : "A4") +
        "; margin: 15mm; }\n"
        "body { font-family: 'DejaVu Sans', Arial, 'Liberation Sans', sans-serif; line-height: 1.45; max-width: 60em; "
        "margin: auto; }\n"
        "main { column-count: " +
        std::to_string(options.Columns) +
        "; column-gap: 2em; }\n"
        "article { margin-bottom: 2em; }\n"
        "h2 { margin-bottom: 0.2em; column-span: all; }\n"
        ".details { color: #444; margin-top: 0; }\n"
        ".move { font-weight: bold; }\n"
        ".comment { font-style: italic; }\n"
        ".variation { color: #333; }\n"
        ".variation.deep { margin-left: 1.5em; display: block; }\n"
        "figure { margin: 1em auto; text-align: center; break-inside: avoid; }\n"
        "figure svg { max-width: 100%; height: auto; }\n"
        "</style>\n</head>\n<body>\n<main>\n";
    int diagrams = 0;
    for (const TBookGame& game : games) {
        out += "<article class=\"game\">\n<h2>" + XmlEscaped(QString::fromStdString(game.Players)) + "</h2>\n";
        if (!game.Details.empty())
            out += "<p class=\"details\">" + XmlEscaped(QString::fromStdString(game.Details)) + "</p>\n";
        bool open = false;
        const auto openParagraph = [&] {
            if (!open) out += "<p class=\"moves\">";
            open = true;
        };
        for (const TBookItem& item : game.Items) {
            switch (item.Kind) {
                case TBookItem::Diagram:
                    if (open) out += "</p>\n";
                    open = false;
                    out += "<figure class=\"diagram\">" +
                           InlineSvg(game.Diagrams[size_t(item.DiagramIndex)], options, ++diagrams) + "</figure>\n";
                    break;
                case TBookItem::VariationStart:
                    openParagraph();
                    out += std::string("<span class=\"variation") + (item.Depth > 1 ? " deep" : "") + "\">( ";
                    break;
                case TBookItem::VariationEnd:
                    openParagraph();
                    out += ")</span> ";
                    break;
                default:
                    openParagraph();
                    out += std::string("<span class=\"") + ItemClass(item) + "\">" +
                           XmlEscaped(QString::fromStdString(item.Text)) + "</span> ";
            }
        }
        if (open) out += "</p>\n";
        if (!game.Error.empty())
            out += "<p class=\"error\">" + XmlEscaped(QString::fromStdString(game.Error)) + "</p>\n";
        out += "</article>\n";
    }
    out += "</main>\n</body>\n</html>\n";
    return out;
}

namespace {

// Lays text and diagrams down the columns of the pages, starting a page when
// the last column is full.
class TBookPages {
public:
    TBookPages(TPrintTarget& target, const TBookOptions& options, const QString& title)
        : target_(target), options_(options), title_(title), columns_(std::clamp(options.Columns, 1, 2)) {}

    bool Start(std::string& error) {
        if (!target_.BeginJob(title_, error)) return false;
        const QSize page = target_.PageSize();
        dpi_ = target_.Canvas().device()->logicalDpiX();
        margin_ = dpi_ * 15 / 25.4;
        gap_ = dpi_ * 8 / 25.4;
        width_ = (page.width() - 2 * margin_ - (columns_ - 1) * gap_) / columns_;
        bottom_ = page.height() - margin_;
        column_ = 0;
        x_ = Left();
        y_ = margin_;
        return true;
    }

    // Text broken into words, each word in the given font. With `attach` the
    // text follows the previous word without a blank (a closing bracket).
    void Words(const std::string& text, const QFont& font, bool attach = false) {
        QPainter& p = target_.Canvas();
        p.setFont(font);
        const QFontMetricsF metrics(font, p.device());
        const qreal space = metrics.horizontalAdvance(' ');
        if (attach && x_ > Left()) x_ -= space;
        for (const QString& word : QString::fromStdString(text).split(' ', Qt::SkipEmptyParts)) {
            const qreal w = metrics.horizontalAdvance(word);
            if (x_ > Left() && x_ + w > Left() + width_) NewLine(metrics.lineSpacing());
            Room(metrics.lineSpacing());
            p.setFont(font);
            p.drawText(QPointF(x_, y_ + metrics.ascent()), word);
            x_ += w + space;
            space_ = space;
            line_ = std::max(line_, metrics.lineSpacing());
        }
    }

    // The next word follows the next one without a blank (an opening bracket).
    void Glue() { x_ -= space_; }

    void EndParagraph(qreal after) {
        if (x_ > Left()) NewLine(line_);
        y_ += after;
    }

    void Diagram(const TBookDiagram& bookDiagram) {
        TDiagram diagram;
        MakeBookDiagram(bookDiagram, options_, diagram);
        EndParagraph(0);
        const QSize size = DiagramImageSize(diagram);
        // About 7 cm wide, narrower in a narrow column.
        const qreal scale = std::min(width_, dpi_ * 70 / 25.4) / size.width();
        const qreal h = size.height() * scale + line_;
        Room(h);
        QPainter& p = target_.Canvas();
        p.save();
        p.translate(Left() + (width_ - size.width() * scale) / 2, y_ + line_ / 2);
        p.scale(scale, scale);
        PaintDiagramImage(p, diagram);
        p.restore();
        y_ += h + line_ / 2;
    }

    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }

private:
    qreal Left() const { return margin_ + column_ * (width_ + gap_); }

    void NewLine(qreal height) {
        y_ += height > 0 ? height : line_;
        x_ = Left();
        line_ = 0;
    }

    // Moves to the next column or page when `height` does not fit below.
    void Room(qreal height) {
        if (y_ + height <= bottom_ || y_ <= margin_) return;
        if (++column_ >= columns_) {
            std::string error;
            if (!target_.EndJob(error) || !target_.BeginJob(title_, error)) error_ = error;
            column_ = 0;
        }
        x_ = Left();
        y_ = margin_;
    }

    TPrintTarget& target_;
    const TBookOptions& options_;
    QString title_;
    int columns_;
    qreal dpi_ = 300, margin_ = 0, gap_ = 0, width_ = 0, bottom_ = 0;
    int column_ = 0;
    qreal x_ = 0, y_ = 0, line_ = 0;
    qreal space_ = 0;  // the blank after the last word
    std::string error_;
};

}  // namespace

bool WriteGameBookPdf(const std::vector<TBookGame>& games, const TBookOptions& options, const QString& fileName,
                      const QString& title, std::string& error) {
    TPdfPrintTarget target(fileName, 300, options.Letter ? QPageSize::Letter : QPageSize::A4);
    TBookPages pages(target, options, title);
    if (!pages.Start(error)) return false;
    const QString family = QStringLiteral("DejaVu Sans");
    QFont heading(family, 13, QFont::Bold), details(family, 9), move(family, 10, QFont::Bold), text(family, 10),
        comment(family, 10), variation(family, 9);
    comment.setItalic(true);
    for (const TBookGame& game : games) {
        pages.Words(game.Players, heading);
        pages.EndParagraph(0);
        pages.Words(game.Details, details);
        pages.EndParagraph(20);
        for (const TBookItem& item : game.Items) {
            switch (item.Kind) {
                case TBookItem::Diagram: pages.Diagram(game.Diagrams[size_t(item.DiagramIndex)]); break;
                case TBookItem::Comment: pages.Words(item.Text, item.Depth > 0 ? variation : comment); break;
                case TBookItem::Move: pages.Words(item.Text, item.Depth > 0 ? variation : move); break;
                case TBookItem::VariationStart:
                    pages.Words("(", variation);
                    pages.Glue();
                    break;
                case TBookItem::VariationEnd: pages.Words(")", variation, true); break;
                default: pages.Words(item.Text, item.Depth > 0 ? variation : text);
            }
            if (pages.Failed()) break;
        }
        if (!game.Error.empty()) pages.Words(game.Error, details);
        pages.EndParagraph(60);
        if (pages.Failed()) break;
    }
    std::string ended;
    target.EndJob(ended);
    if (pages.Failed()) {
        error = pages.Error();
        return false;
    }
    return target.Finish(error);
}

bool IsHtmlBookName(const QString& fileName) {
    return fileName.endsWith(".html", Qt::CaseInsensitive) || fileName.endsWith(".htm", Qt::CaseInsensitive);
}

bool WriteGameBook(const std::vector<TBookGame>& games, const TBookOptions& options, const QString& fileName,
                   const QString& title, std::string& error) {
    if (!IsHtmlBookName(fileName)) return WriteGameBookPdf(games, options, fileName, title, error);
    try {
        WriteFileSafely(QFile::encodeName(fileName).toStdString(), GameBookHtml(games, options, title));
    } catch (const EInOutError& e) {
        error = fileName.toStdString() + ": " + e.what();
        return false;
    }
    return true;
}

}  // namespace vorlix
