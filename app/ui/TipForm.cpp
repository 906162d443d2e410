#include "app/ui/TipForm.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/Tips.h"
#include "board/ui/DialogPlacement.h"
#include "help/ui/Help.h"

namespace vorlix {

TTipForm::TTipForm(int& tipIndex, bool& showTips, QWidget* mainWindow)
    // A dialog of the main window: kept above the application's windows, not above other programs.
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      tipIndex_(tipIndex),
      showTips_(showTips),
      mainWindow_(mainWindow) {
    setObjectName("TipForm");
    setWindowTitle("Tip of the day");
    setModal(false);
    if (mainWindow) setWindowIcon(mainWindow->windowIcon());

    auto* panel = new QFrame(this);
    panel->setObjectName("pnlTip");
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    panel->setBackgroundRole(QPalette::ToolTipBase);
    panel->setForegroundRole(QPalette::ToolTipText);
    auto* icon = new QLabel(panel);
    icon->setObjectName("Image1");
    icon->setPixmap(windowIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    auto* heading = new QLabel("Did you know...", panel);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 3);
    heading->setFont(bold);
    FlblTip = new QLabel(panel);
    FlblTip->setObjectName("lblTip");
    FlblTip->setWordWrap(true);
    FlblTip->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    FlblTip->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FlblTip->setMinimumSize(300, 90);
    auto* text = new QVBoxLayout;
    text->addWidget(heading);
    text->addWidget(FlblTip, 1);
    auto* row = new QHBoxLayout(panel);
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(text, 1);

    auto* buttons = new QVBoxLayout;
    auto addButton = [&](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        // Enter means OK wherever the focus is, not the button that has it.
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    QPushButton* previous = addButton("btnPrevious", "&Previous");
    QPushButton* next = addButton("btnNext", "&Next");
    FbtnReadMore = addButton("btnReadMore", "&Read More...");
    QPushButton* ok = addButton("btnOK", "&OK");
    ok->setDefault(true);
    buttons->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addWidget(panel, 1);
    top->addLayout(buttons);
    FchkShowTips = new QCheckBox("&Show tips at startup", this);
    FchkShowTips->setObjectName("chkShowTips");
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addWidget(FchkShowTips);
    column->setSizeConstraint(QLayout::SetFixedSize);

    connect(previous, &QPushButton::clicked, this, &TTipForm::btnPreviousClick);
    connect(next, &QPushButton::clicked, this, &TTipForm::btnNextClick);
    connect(FbtnReadMore, &QPushButton::clicked, this, &TTipForm::btnReadMoreClick);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    connect(FchkShowTips, &QCheckBox::clicked, this, [this](bool on) { showTips_ = on; });
}

QString TTipForm::TipText() const { return FlblTip->text(); }

void TTipForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;  // the desktop showing it again, e.g. after minimising
    CentreOnWindow(this, mainWindow_);
    // Every showing starts with the tip after the one seen last.
    btnNextClick();
    FchkShowTips->setChecked(showTips_);
}

void TTipForm::btnNextClick() {
    tipIndex_ = NextTip(tipIndex_);
    ShowTip();
}

void TTipForm::btnPreviousClick() {
    tipIndex_ = PreviousTip(tipIndex_);
    ShowTip();
}

void TTipForm::ShowTip() {
    const TTip& tip = Tips()[tipIndex_];
    FlblTip->setText(tip.Text);
    FbtnReadMore->setEnabled(tip.HelpContext > 0);
}

void TTipForm::btnReadMoreClick() {
    const int context = Tips()[tipIndex_].HelpContext;
    if (context > 0) ShowHelpTopic(context);
}

}  // namespace vorlix
