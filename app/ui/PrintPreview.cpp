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

#include "app/ui/PrintCommands.h"
#include "common/ui/Hourglass.h"
#include "common/ui/SoundMessageDlg.h"
#include "print/PrintScaling.h"

namespace vorlix {
namespace {

constexpr int kPictureOffset = 20;  // the page picture's place in the scroll box

}  // namespace

TPrintPreview::TPrintPreview(TPrintCommands& commands, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      commands_(commands),
      mainWindow_(mainWindow),
      diagram_(commands.Diagram()) {
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Print Preview"));
    auto* layout = new QVBoxLayout(this);
    auto* menu = new QMenuBar(this);
    QMenu* file = menu->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("Printer &Setup"), this, &TPrintPreview::mnuPrinterSetupClick);
    file->addAction(QStringLiteral("&Print"), this, &TPrintPreview::spbPrintClick);
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), this, &QDialog::reject);
    layout->setMenuBar(menu);

    auto* bar = new QHBoxLayout;
    auto* spbPrint = new QToolButton(this);
    spbPrint->setObjectName(QStringLiteral("spbPrint"));
    spbPrint->setIcon(QIcon(QStringLiteral(":/editor/icons/print.svg")));
    spbPrint->setToolTip(QStringLiteral("Print"));
    connect(spbPrint, &QToolButton::clicked, this, &TPrintPreview::spbPrintClick);
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

    scrollArea_ = new QScrollArea(this);
    scrollArea_->setObjectName(QStringLiteral("ScrollBox1"));
    auto* sheet = new QWidget;
    FimgPreview = new QLabel(sheet);
    FimgPreview->setObjectName(QStringLiteral("imgPreview"));
    FimgPreview->move(kPictureOffset, kPictureOffset);
    scrollArea_->setWidget(sheet);
    layout->addWidget(scrollArea_, 1);
    resize(620, 640);
    connect(FcmbScaling, &QComboBox::currentIndexChanged, this, &TPrintPreview::cmbScalingChange);
}

void TPrintPreview::showEvent(QShowEvent* event) {
    if (mainWindow_)
        move(mainWindow_->x() + (mainWindow_->width() - width()) / 2,
             mainWindow_->y() + (mainWindow_->height() - height()) / 2);
    const QSignalBlocker block(FcmbScaling);
    FcmbScaling->setCurrentIndex(PrintScaleIndexOfFactor(commands_.PrintFactor()).value_or(-1));
    SizePagePicture();
    DrawPagePicture();
    QDialog::showEvent(event);
}

void TPrintPreview::SizePagePicture() {
    const QSize page(commands_.Printer().width(), commands_.Printer().height());
    const QSize picture = PreviewPictureSize(page);
    FimgPreview->resize(picture);
    FimgPreview->parentWidget()->resize(picture + QSize(2 * kPictureOffset, 2 * kPictureOffset));
    // Drawn from the vector drawing, the page picture can be as sharp as the screen.
    const qreal ratio = devicePixelRatioF();
    page_ = QImage(PreviewBitmapSize(page) * ratio, QImage::Format_RGB32);
    page_.setDevicePixelRatio(ratio);
}

void TPrintPreview::DrawPagePicture() {
    page_.fill(Qt::white);
    {
        QPainter painter(&page_);
        DrawPrintedDiagram(painter, PreviewDiagramRect(diagram_.Size, commands_.PrintFactor()), diagram_);
    }
    FimgPreview->setPixmap(QPixmap::fromImage(page_));
}

void TPrintPreview::cmbScalingChange(int index) {
    if (index < 0) return;
    commands_.SetPrintScaleIndex(index);
    DrawPagePicture();
}

void TPrintPreview::mnuPrinterSetupClick() {
    if (!commands_.mnuFilePrinterSetupClick()) return;
    SizePagePicture();
    DrawPagePicture();
}

void TPrintPreview::spbPrintClick() {
    std::string error;
    bool printed;
    {
        THourglass hourglass;
        printed = commands_.PrintDiagram(diagram_, QString(), error);
    }
    if (printed)
        SoundMessageDlg(QStringLiteral("The diagram has been sent to the printer."), TMsgDlgType::mtInformation,
                        QMessageBox::Ok);
    else
        SoundMessageDlg(QString::fromStdString(error), TMsgDlgType::mtError, QMessageBox::Ok);
}

}  // namespace vorlix
