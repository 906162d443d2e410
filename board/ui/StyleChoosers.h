#pragma once
// The colour and font choices of the style dialogs: a button that shows its
// colour and opens the colour dialog, and the font dialog for a TCFont.
// Tests replace the system dialogs with functions that answer them.
#include <QPushButton>
#include <functional>
#include <optional>

#include "board/Colors.h"
#include "board/HeaderFooter.h"

namespace vorlix {

using TColorChooser = std::function<std::optional<TColor>(TColor current)>;
using TFontChooser = std::function<std::optional<TCFont>(const TCFont& current)>;
// An empty function restores the system dialog.
void SetColorChooser(TColorChooser chooser);
void SetFontChooser(TFontChooser chooser);

std::optional<TColor> ChooseColor(TColor current, QWidget* parent);
// The chosen face, size and style; the colour stays, and a face that the old
// name stands for keeps the old name.
std::optional<TCFont> ChooseFont(const TCFont& current, QWidget* parent);

class TColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit TColorButton(QWidget* parent = nullptr);
    TColor Color() const { return color_; }
    // Shows the colour; does not emit ColorChanged.
    void SetColor(TColor color);

signals:
    void ColorChanged(TColor color);

private:
    void Choose();
    TColor color_ = clBlack;
};

}  // namespace vorlix
