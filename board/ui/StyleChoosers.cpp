#include "board/ui/StyleChoosers.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QPainter>

#include "board/Fonts.h"

namespace vorlix {
namespace {

TColorChooser& ColorChooser() {
    static TColorChooser chooser;
    return chooser;
}

TFontChooser& FontChooser() {
    static TFontChooser chooser;
    return chooser;
}

}  // namespace

void SetColorChooser(TColorChooser chooser) { ColorChooser() = std::move(chooser); }
void SetFontChooser(TFontChooser chooser) { FontChooser() = std::move(chooser); }

std::optional<TColor> ChooseColor(TColor current, QWidget* parent) {
    if (ColorChooser()) return ColorChooser()(current);
    const QColor chosen = QColorDialog::getColor(ColorToQColor(current), parent);
    if (!chosen.isValid()) return std::nullopt;
    return RgbToColor(chosen.rgb());
}

std::optional<TCFont> ChooseFont(const TCFont& current, QWidget* parent) {
    if (FontChooser()) return FontChooser()(current);
    QFont initial = MakeFont(current);
    initial.setPointSize(std::max(1, current.Size));  // the dialog speaks points
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, parent);
    if (!ok) return std::nullopt;
    return FontToCFontKeepingName(chosen, current.Color, current.Name);
}

TColorButton::TColorButton(QWidget* parent) : QPushButton(parent) {
    setIconSize(QSize(40, 14));
    setMinimumWidth(64);
    SetColor(clBlack);
    connect(this, &QPushButton::clicked, this, &TColorButton::Choose);
}

void TColorButton::SetColor(TColor color) {
    color_ = color;
    QPixmap swatch(iconSize());
    swatch.fill(ColorToQColor(color));
    QPainter frame(&swatch);
    frame.setPen(Qt::black);
    frame.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    frame.end();
    setIcon(swatch);
}

void TColorButton::Choose() {
    const std::optional<TColor> chosen = ChooseColor(color_, this);
    if (!chosen || *chosen == color_) return;
    SetColor(*chosen);
    emit ColorChanged(*chosen);
}

}  // namespace vorlix
