#include "app/ui/FileTypeDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "board/ui/DialogPlacement.h"
#include "settings/Settings.h"

namespace vorlix {

TFileTypeDialog::TFileTypeDialog(const QString& kind, TAppSettings& settings, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      kind_(kind),
      settings_(settings),
      mainWindow_(mainWindow) {
    setObjectName("frmFileType");
    setWindowTitle("File Extensions...");
    auto* icon = new QLabel(this);
    icon->setObjectName("imgFileType");
    icon->setPixmap(QIcon(kind == "PGN" ? ":/editor/icons/x_pgn.svg" : ":/editor/icons/y_epd.svg").pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    auto* text = new QLabel("Chess Vorlix is currently not the default program to view " + kind + " files.\n\n" +
                                "Do you want to use Chess Vorlix to view " + kind + " files " +
                                "when you double-click them in the file manager?",
                            this);
    text->setObjectName("lblQuestion");
    text->setWordWrap(true);
    text->setMinimumWidth(300);
    FchkDontAsk = new QCheckBox("Do not ask anymore for " + kind + " Files", this);
    FchkDontAsk->setObjectName("chkDontAsk");
    FbtnYes = new QPushButton("&Yes", this);
    FbtnYes->setObjectName("btnYes");
    FbtnYes->setDefault(true);
    FbtnNo = new QPushButton("&No", this);  // Escape answers No as well
    FbtnNo->setObjectName("btnNo");
    connect(FbtnYes, &QPushButton::clicked, this, [this] {
        StoreAnswer(true);
        accept();
    });
    connect(FbtnNo, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(FchkDontAsk);
    buttons->addStretch(1);
    buttons->addWidget(FbtnYes);
    buttons->addWidget(FbtnNo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

void TFileTypeDialog::showEvent(QShowEvent* event) {
    adjustSize();
    setFixedSize(size());
    CentreOnWindow(this, mainWindow_);
    QDialog::showEvent(event);
}

void TFileTypeDialog::reject() {
    // No, Escape and the window's close button all answer No.
    StoreAnswer(false);
    QDialog::reject();
}

void TFileTypeDialog::StoreAnswer(bool associate) {
    const bool askAgain = !FchkDontAsk->isChecked();
    if (kind_ == "PGN") {
        settings_.AskPGNReg = askAgain;
        settings_.DoPGNReg = associate;
    } else {
        settings_.AskEPDReg = askAgain;
        settings_.DoEPDReg = associate;
    }
    settings_.SaveFileTypeAnswers();
}
}  // namespace vorlix
