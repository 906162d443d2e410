#include "app/ui/PrintPreview.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include "print/PrintScaling.h"
#include "common/ui/Hourglass.h"
#include "app/ui/PrintCommands.h"
#include "common/ui/SoundMessageDlg.h"

namespace vorlix {
namespace {

constexpr int kPictureOffset = 20;  // the page picture's place in the scroll box

}  // namespace

TfrmPreview::TfrmPreview(TPrintCommands& commands, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint),
      FCommands(commands),
      FMainWindow(mainWindow),
      FDiagram(commands.Diagram()) {
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Print Preview"));
    auto* layout = new QVBoxLayout(this);
    auto* menu = new QMenuBar(this);
    QMenu* file = menu->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("Printer &Setup"), this, &TfrmPreview::mnuPrinterSetupClick);
    file->addAction(QStringLiteral("&Print"), this, &TfrmPreview::spbPrintClick);
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), this, &QDialog::reject);
    layout->setMenuBar(menu);

    auto* bar = new QHBoxLayout;
    auto* spbPrint = new QToolButton(this);
    spbPrint->setObjectName(QStringLiteral("spbPrint"));
    spbPrint->setIcon(QIcon(QStringLiteral(":/editor/icons/print.svg")));
    spbPrint->setToolTip(QStringLiteral("Print"));
    connect(spbPrint, &QToolButton::clicked, this, &TfrmPreview::spbPrintClick);
    bar->addWidget(spbPrint);
    auto* label = new QLabel(QStringLiteral("Printing &Scale:"), this);
    FcmbScaling = new QComboBox(this);
    FcmbScaling->setObjectName(QStringLiteral("cmbScaling"));
    for (int i = 0; i < kPrintScaleCount; ++i) FcmbScaling->addItem(PrintScaleCaption(i));
    label->setBuddy(FcmbScaling);
    bar->addWidget(label);
    bar->addWidget(FcmbScaling);
    bar->addStretch();
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);  // Escape closes as well
    bar->addWidget(close);
    layout->addLayout(bar);

    FScrollBox1 = new QScrollArea(this);
    FScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    auto* sheet = new QWidget;
    FimgPreview = new QLabel(sheet);
    FimgPreview->setObjectName(QStringLiteral("imgPreview"));
    FimgPreview->move(kPictureOffset, kPictureOffset);
    FScrollBox1->setWidget(sheet);
    layout->addWidget(FScrollBox1, 1);
    resize(620, 640);
    connect(FcmbScaling, &QComboBox::currentIndexChanged, this, &TfrmPreview::cmbScalingChange);
}

void TfrmPreview::showEvent(QShowEvent* event) {
    if (FMainWindow)
        move(FMainWindow->x() + (FMainWindow->width() - width()) / 2,
             FMainWindow->y() + (FMainWindow->height() - height()) / 2);
    const QSignalBlocker block(FcmbScaling);
    FcmbScaling->setCurrentIndex(PrintScaleIndexOfFactor(FCommands.PrintFactor()).value_or(-1));
    SizePagePicture();
    DrawPagePicture();
    QDialog::showEvent(event);
}

void TfrmPreview::SizePagePicture() {
    const QSize page(FCommands.Printer().width(), FCommands.Printer().height());
    const QSize picture = PreviewPictureSize(page);
    FimgPreview->resize(picture);
    FimgPreview->parentWidget()->resize(picture + QSize(2 * kPictureOffset, 2 * kPictureOffset));
    // Drawn from the vector drawing, the page picture can be as sharp as the screen.
    const qreal ratio = devicePixelRatioF();
    FPage = QImage(PreviewBitmapSize(page) * ratio, QImage::Format_RGB32);
    FPage.setDevicePixelRatio(ratio);
}

void TfrmPreview::DrawPagePicture() {
    FPage.fill(Qt::white);
    {
        QPainter painter(&FPage);
        DrawPrintedDiagram(painter, PreviewDiagramRect(FDiagram.Size, FCommands.PrintFactor()), FDiagram);
    }
    FimgPreview->setPixmap(QPixmap::fromImage(FPage));
}

void TfrmPreview::cmbScalingChange(int index) {
    if (index < 0) return;
    FCommands.SetPrintScaleIndex(index);
    DrawPagePicture();
}

void TfrmPreview::mnuPrinterSetupClick() {
    if (!FCommands.mnuFilePrinterSetupClick()) return;
    SizePagePicture();
    DrawPagePicture();
}

void TfrmPreview::spbPrintClick() {
    std::string error;
    bool printed;
    {
        THourglass hourglass;
        printed = FCommands.PrintDiagram(FDiagram, QString(), error);
    }
    if (printed)
        SoundMessageDlg(QStringLiteral("The diagram has been sent to the printer."), TMsgDlgType::mtInformation,
                        QMessageBox::Ok);
    else
        SoundMessageDlg(QString::fromStdString(error), TMsgDlgType::mtError, QMessageBox::Ok);
}

}  // namespace vorlix
