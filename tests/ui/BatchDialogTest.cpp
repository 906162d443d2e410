#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <functional>
#include <map>
#include <numeric>

#include "batch/BatchSources.h"
#include "batch/ui/BatchHost.h"
#include "batch/ui/ColorDepthChoice.h"
#include "batch/ui/EpdBatchDialog.h"
#include "batch/ui/ImageFileDialog.h"
#include "batch/ui/PgnBatchDialog.h"
#include "board/DiagramBoard.h"
#include "board/DiagramFile.h"
#include "export/VectorDiagramImage.h"
#include "files/EPD.h"
#include "files/PGN.h"
#include "files/PGNIndex.h"
#include "print/PdfPrintTarget.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"

using namespace vorlix;

namespace {

class TFakeHost : public TBatchHost {
public:
    explicit TFakeHost(const QString& dir) : Dir(dir), Store(dir + "/settings.ini"), AppSettings(Store) {
        TSilentReporter silent;
        LoadDiagramFile(VORLIX_SOURCE_DIR "/resources/default.vxd", Shown, silent);
        AppSettings.ImageScale = 4;
    }
    QWidget* HostWindow() override { return nullptr; }
    TDiagram& Diagram() override { return Shown; }
    TAppSettings& Settings() override { return AppSettings; }
    std::unique_ptr<TPrintTarget> OpenPrinter() override {
        return std::make_unique<TPdfPrintTarget>(Dir + "/print.pdf");
    }
    float PrintFactor() override { return Factor; }
    void PrinterSetup() override {}
    // The real dialog's strip, opened as the editor opens it, answered by Choose.
    bool AskImageFileName(QString& fileName, int& filterIndex, TImageOptions& image) override {
        TImageFileDialog dialog;
        dialog.SetFilter(kScalableImageSaveFilter);
        dialog.SetFilterIndex(FilterIndex);
        dialog.SetColorIndex(ci256Colors);
        dialog.SetImageSettings(AppSettings.JPGQuality, AppSettings.ImageScale);
        dialog.SetPdfAsPages(true);
        dialog.RefreshStrip();
        if (Choose) Choose(dialog);
        fileName = ChosenName;
        filterIndex = dialog.FilterIndex();
        image = dialog.ImageOptions();
        return true;
    }
    bool AskDiagramFileName(QString& fileName) override {
        fileName = ChosenName;
        return true;
    }
    QMessageBox::StandardButton Message(const QString& text, TBatchMessage, QMessageBox::StandardButtons) override {
        Messages << text;
        return QMessageBox::Ok;
    }
    void ShowHelp(int context) override { HelpContext = context; }

    QString Dir;
    TSettingsStore Store;
    TAppSettings AppSettings;
    TDiagram Shown;
    float Factor = 2.0f;
    QString ChosenName;
    int FilterIndex = 1;
    std::function<void(TImageFileDialog&)> Choose;
    QStringList Messages;
    int HelpContext = 0;
};

// The checked games of a file as the PGN viewer hands them over: all of them, in file order.
struct TPgnFile {
    explicit TPgnFile(const QString& file) {
        Index.LoadFromFile(file.toStdString(), Reporter);
        std::vector<int> all(size_t(Index.Count()));
        std::iota(all.begin(), all.end(), 0);
        Source = std::make_unique<TPgnBatchSource>(Index, all);
    }
    TCollectingReporter Reporter;
    TPGNIndex Index;
    std::unique_ptr<TPgnBatchSource> Source;
};

class TFakeEpdSource : public TEpdBatchSource {
public:
    explicit TFakeEpdSource(const QString& file) { epd.LoadFromFile(file.toStdString()); }
    std::vector<const TEPDRec*> TickedRecords() const override {
        std::vector<const TEPDRec*> records;
        for (const TEPDRec* r = epd.First; r; r = r->Next) records.push_back(r);
        return records;
    }
    TEPD epd;
};

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& text) {
    QFile f(dir.filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return f.fileName();
}

void WaitFor(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 20000) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

const QByteArray kTwoGames =
    "[Event \"Club\"]\n[White \"Ann\"]\n[Black \"Bo\"]\n\n1. e4 e5 2. Nf3 1-0\n\n"
    "[Event \"Open\"]\n[White \"Cy\"]\n[Black \"Di\"]\n\n1. d4 d5 *\n";

class BatchDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        host = std::make_unique<TFakeHost>(dir.path());
        pgn = std::make_unique<TPgnFile>(Write(dir, "g.pgn", kTwoGames));
        host->ChosenName = dir.filePath("out/Cap.gif");
        QDir(dir.path()).mkpath("out");
    }
    QStringList OutFiles() const { return QDir(dir.filePath("out")).entryList(QDir::Files, QDir::Name); }
    QTemporaryDir dir;
    std::unique_ptr<TFakeHost> host;
    std::unique_ptr<TPgnFile> pgn;
};

TEST_F(BatchDialogTest, PgnEntireGamesBecomeNumberedImagesWithComposedHeaders) {
    TPgnBatchDialog dialog(*host, *pgn->Source);
    dialog.SetPacing(0, 0);
    dialog.show();
    dialog.rbtEntire->click();
    dialog.HeaderBoxes.Show->click();  // the header on, with the players and the move
    EXPECT_TRUE(host->Shown.Header.Enabled);
    dialog.HeaderBoxes.White->click();
    dialog.HeaderBoxes.Black->click();
    dialog.HeaderBoxes.Move->click();
    dialog.btnHExample->click();
    EXPECT_EQ(dialog.lblExample->text(), "Dorlan, Ev. - Mirvel, T., 11... Bf8");
    QTest::mouseClick(dialog.btnStart, Qt::LeftButton);
    WaitFor([&] { return dialog.lblStatus->text() == "Done."; });
    EXPECT_EQ(dialog.lblStatus->text(), "Done.");
    EXPECT_EQ(OutFiles(), (QStringList{"Cap00001.GIF", "Cap00002.GIF", "Cap00003.GIF", "Cap00004.GIF", "Cap00501.GIF",
                                       "Cap00502.GIF", "Cap00503.GIF"}));
    EXPECT_EQ(host->Shown.Header.Text, "Cy - Di, 1... d5");  // the last composed header stays
    EXPECT_EQ(dialog.lblGame->text(), "0 / 0");
    EXPECT_TRUE(dialog.btnStart->isEnabled());
    EXPECT_EQ(host->Messages.size(), 1);  // the explanation of the file names
    EXPECT_TRUE(host->Messages[0].contains("MyBMP0001.BMP"));
}

TEST_F(BatchDialogTest, PgnCustomFieldsFilterKeysAndEnableStart) {
    TPgnBatchDialog dialog(*host, *pgn->Source);
    dialog.SetPacing(0, 0);
    dialog.show();
    dialog.rbtCustom->click();
    EXPECT_FALSE(dialog.btnStart->isEnabled());
    EXPECT_FALSE(dialog.chkFenStart->isEnabled());
    dialog.edtPositionsStart->setFocus();
    QTest::keyClicks(dialog.edtPositionsStart, "1x.3");
    EXPECT_EQ(dialog.edtPositionsStart->text(), "1,3");
    EXPECT_TRUE(dialog.btnStart->isEnabled());
    QTest::keyClicks(dialog.edtPositionsEnd, "--");
    EXPECT_TRUE(dialog.btnStart->isEnabled());  // one valid field is enough
    QTest::mouseClick(dialog.btnStart, Qt::LeftButton);
    WaitFor([&] { return dialog.lblStatus->text() == "Done."; });
    EXPECT_EQ(OutFiles(), (QStringList{"Cap00001.GIF", "Cap00003.GIF", "Cap00501.GIF", "Cap00503.GIF"}));
}

TEST_F(BatchDialogTest, PgnManyPerPagePrintsPagesAndTooLargeDiagramsDoNotStart) {
    TPgnBatchDialog dialog(*host, *pgn->Source);
    dialog.SetPacing(0, 0);
    dialog.show();
    dialog.rbtPrinter->click();
    EXPECT_TRUE(dialog.chkNewPage->isEnabled());
    dialog.rbtEntire->click();
    host->Factor = 100.0f;
    QTest::mouseClick(dialog.btnStart, Qt::LeftButton);
    ASSERT_EQ(host->Messages.size(), 1);
    EXPECT_TRUE(host->Messages[0].startsWith("The diagram(s) will not fit on your paper!!"));
    host->Factor = 1.0f;
    dialog.chkNewPage->click();
    QTest::mouseClick(dialog.btnStart, Qt::LeftButton);
    WaitFor([&] { return dialog.lblStatus->text() == "Done."; });
    EXPECT_EQ(dialog.lblStatus->text(), "Done.");
    QFile pdf(dir.filePath("print.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_EQ(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), 2);  // a new page for the second game
    // The board shows each position in turn: the last is the second game's final one.
    TDiagramBoard last;
    ASSERT_TRUE(last.SetPositionFromPlacement("rnbqkbnr/ppp1pppp/8/3p4/3P4/8/PPP1PPPP/RNBQKBNR"));
    EXPECT_EQ(host->Shown.Board.Codes(), last.Codes());
}

TEST_F(BatchDialogTest, EpdRunRestoresTheHeaderAndNamesFilesWithThreeDigits) {
    TFakeEpdSource epd(Write(dir, "p.epd",
                             "8/8/8/8/8/8/8/K6k w - - bm Kb2; id \"one\";\n"
                             "8/8/8/8/8/8/8/k6K b - -; id \"two\";\n"));
    host->Shown.Header = THeaderFooterInfo{true, "Before", taCenter};
    host->ChosenName = dir.filePath("out/Pos.gif");
    TEpdBatchDialog dialog(*host, epd);
    dialog.SetPacing(0);
    dialog.show();
    EXPECT_TRUE(dialog.HeaderButtons.Current->isChecked());
    EXPECT_TRUE(dialog.FooterButtons.None->isChecked());
    dialog.HeaderButtons.BestMove->click();
    dialog.FooterButtons.Custom->click();
    EXPECT_TRUE(dialog.FooterButtons.Text->isEnabled());
    dialog.FooterButtons.Text->setText("   ");
    QTest::mouseClick(dialog.btnStart, Qt::LeftButton);
    WaitFor([&] { return dialog.lblStatus->text() == "Done."; });
    EXPECT_EQ(dialog.lblStatus->text(), "Done.");
    EXPECT_EQ(dialog.FooterButtons.Text->text(), "");  // blanks only: emptied, counts as none
    EXPECT_EQ(OutFiles(), (QStringList{"Pos001.gif", "Pos002.gif"}));
    EXPECT_EQ(host->Shown.Header, (THeaderFooterInfo{true, "Before", taCenter}));
    EXPECT_FALSE(host->Shown.Footer.Enabled);
}

TEST_F(BatchDialogTest, EpdRunWritesPngAndSvgFilesWhenThoseTypesAreChosen) {
    TFakeEpdSource epd(Write(dir, "p.epd", "8/8/8/8/8/8/8/K6k w - -;\n8/8/8/8/8/8/8/k6K b - -;\n"));
    TEpdBatchDialog dialog(*host, epd);
    dialog.SetPacing(0);
    dialog.show();
    host->ChosenName = dir.filePath("out/Pos");
    host->FilterIndex = fiSVG;
    QTest::mouseClick(dialog.btnStart, Qt::LeftButton);
    WaitFor([&] { return dialog.btnStart->isEnabled(); });
    host->ChosenName = dir.filePath("out/Pic.png");
    host->FilterIndex = fiPNG;
    QTest::mouseClick(dialog.btnStart, Qt::LeftButton);
    WaitFor([&] { return dialog.btnStart->isEnabled(); });
    EXPECT_EQ(OutFiles().join(" ").toStdString(), "Pic001.png Pic002.png Pos001.svg Pos002.svg");
    QFile svg(dir.filePath("out/Pos002.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    while (!xml.atEnd()) xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    const QImage png(dir.filePath("out/Pic001.png"));
    EXPECT_EQ(png.size(), DiagramImageSize(host->Shown));
}

// Every format the command line writes comes out of both dialogs byte for
// byte as `vorlix batch` writes it from the same style, positions and options
// (a PDF, which carries its time of writing, page for page).
TEST_F(BatchDialogTest, DialogsWriteWhatTheCommandLineWritesInEveryFormat) {
    const QString epdFile = Write(dir, "p.epd",
                                  "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - bm Bb5; id \"one\";\n"
                                  "8/8/8/8/8/8/8/k6K b - - id \"two\";\n");
    // The strip's controls as the user sets them, by their names.
    auto pickRow = [](TImageFileDialog& d, const char* list, int row) {
        auto* combo = d.findChild<QComboBox*>(list);
        combo->setCurrentIndex(row);
        emit combo->activated(row);
    };
    auto setValue = [](TImageFileDialog& d, const char* box, int value) {
        d.findChild<QSpinBox*>(box)->setValue(value);
    };
    auto tick = [](TImageFileDialog& d) { d.findChild<QCheckBox*>("chkTransparent")->click(); };
    const struct {
        const char* Name;
        int Filter;  // 0: diagram files
        const char* Extension;
        const char* Options;                            // what the strip chose, spelled for the command line
        std::function<void(TImageFileDialog&)> Choose;  // none: as the strip opens (256 colours, settings)
    } formats[] = {{"GIF", fiGIF, ".gif", ""},
                   {"GIF16", fiGIF, ".gif", "--colors 16 --transparent --scale 150",
                    [&](TImageFileDialog& d) { pickRow(d, "cmbColors", 1), tick(d), pickRow(d, "cmbScale", 6); }},
                   {"BMP", fiBMP, ".bmp", "--colors 256"},
                   {"BMP2", fiBMP, ".bmp", "--colors 2 --scale 80",
                    [&](TImageFileDialog& d) { pickRow(d, "cmbColors", 0), pickRow(d, "cmbScale", 2); }},
                   {"JPEG", fiJPEG, ".jpg", "--quality 81"},
                   {"JPEG40", fiJPEG, ".jpg", "--quality 40 --scale 60",
                    [&](TImageFileDialog& d) { setValue(d, "spbQuality", 40), pickRow(d, "cmbScale", 1); }},
                   {"PNG", fiPNG, ".png", ""},
                   {"PNG250", fiPNG, ".png", "--scale 250 --transparent",
                    [&](TImageFileDialog& d) { setValue(d, "spbScale", 250), tick(d); }},
                   {"SVG", fiSVG, ".svg", ""},
                   {"SVG35", fiSVG, ".svg", "--scale 35", [&](TImageFileDialog& d) { setValue(d, "spbScale", 35); }},
                   {"PDF", fiPDF, ".pdf", ""},
                   {"VXD", 0, ".vxd", ""}};
    auto files = [](const QString& folder) {
        std::map<QString, QByteArray> contents;
        for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
            QFile f(folder + "/" + name);
            f.open(QIODevice::ReadOnly);
            contents[name] = f.readAll();
        }
        return contents;
    };
    auto pages = [](const QByteArray& pdf) { return pdf.count("/Type /Page") - pdf.count("/Type /Pages"); };
    for (const auto& format : formats) {
        for (const bool pgnRun : {true, false}) {
            SCOPED_TRACE(std::string(format.Name) + (pgnRun ? " from PGN" : " from EPD"));
            const QString name = pgnRun ? "Cap" : "Pos";
            const QString byDialog = dir.filePath(QString("dialog-%1-%2").arg(format.Name, name));
            const QString byCommand = dir.filePath(QString("command-%1-%2").arg(format.Name, name));
            QDir().mkpath(byDialog);
            QDir().mkpath(byCommand);
            host->ChosenName = byDialog + "/" + name + format.Extension;
            host->FilterIndex = format.Filter;
            host->Choose = format.Choose;
            QString header;
            if (pgnRun) {
                TPgnBatchDialog dialog(*host, *pgn->Source);
                dialog.SetPacing(0, 0);
                dialog.show();
                dialog.rbtEntire->click();
                (format.Filter ? dialog.rbtImageFile : dialog.rbtChessFile)->click();
                if (!dialog.HeaderBoxes.Show->isChecked()) dialog.HeaderBoxes.Show->click();
                dialog.HeaderBoxes.White->click();
                dialog.HeaderBoxes.Black->click();
                dialog.HeaderBoxes.Move->click();
                QTest::mouseClick(dialog.btnStart, Qt::LeftButton);
                WaitFor([&] { return dialog.lblStatus->text() == "Done."; });
                ASSERT_EQ(dialog.lblStatus->text(), "Done.");
                header = "--positions entire --header players,move";
            } else {
                TFakeEpdSource epd(epdFile);
                TEpdBatchDialog dialog(*host, epd);
                dialog.show();
                (format.Filter ? dialog.rbtImageFile : dialog.rbtChessFile)->click();
                dialog.HeaderButtons.BestMove->click();
                dialog.FooterButtons.Description->click();
                QTest::mouseClick(dialog.btnStart, Qt::LeftButton);
                WaitFor([&] { return dialog.lblStatus->text() == "Done."; });
                ASSERT_EQ(dialog.lblStatus->text(), "Done.");
                header = "--header bm --footer id";
            }
            // The command line from the same style: the diagram file the host's board came from.
            const QString command =
                QString("'%1/vorlix' batch '%2' -o '%3/%4%5' %6 %7 --style '%8' >/dev/null")
                    .arg(VORLIX_BIN_DIR, pgnRun ? dir.filePath("g.pgn") : epdFile, byCommand, name, format.Extension,
                         header, format.Options, VORLIX_SOURCE_DIR "/resources/default.vxd");
            ASSERT_EQ(std::system(command.toLocal8Bit().constData()), 0) << command.toStdString();
            const auto written = files(byDialog), expected = files(byCommand);
            ASSERT_EQ(written.size(), format.Filter == fiPDF ? 1u : pgnRun ? 7u : 2u);
            if (format.Filter == fiPDF) {
                ASSERT_EQ(expected.size(), 1u);
                EXPECT_EQ(pages(written.begin()->second), pgnRun ? 7 : 2);
                EXPECT_EQ(pages(written.begin()->second), pages(expected.begin()->second));
                continue;
            }
            ASSERT_EQ(written.size(), expected.size());
            for (auto w = written.begin(), e = expected.begin(); w != written.end(); ++w, ++e) {
                EXPECT_EQ(w->first, e->first);
                EXPECT_TRUE(w->second == e->second) << w->first.toStdString() << " differs";
            }
        }
    }
}

// A long run on its thread stops after the diagram in hand when the user
// cancels or closes the dialog: no file is written afterwards, none is left
// half written, and the dialog is idle again.
TEST_F(BatchDialogTest, CancelAndCloseStopTheRunWithinOneDiagram) {
    const struct {
        const char* Name;
        bool Pgn;
        bool Close;
    } rows[] = {{"PGN cancel", true, false},
                {"PGN close", true, true},
                {"EPD cancel", false, false},
                {"EPD close", false, true}};
    TPgnFile games(VORLIX_TEST_DATA_DIR "/benchmark.pgn");
    TFakeEpdSource epd(VORLIX_TEST_DATA_DIR "/wacnew.epd");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        const QString folder = dir.filePath(row.Name);
        QDir().mkpath(folder);
        host->ChosenName = folder + "/D.bmp";
        host->FilterIndex = fiBMP;
        std::unique_ptr<QDialog> dialog;
        QPushButton *start = nullptr, *cancel = nullptr;
        QLabel* status = nullptr;
        if (row.Pgn) {
            auto* pgnDialog = new TPgnBatchDialog(*host, *games.Source);
            pgnDialog->rbtEntire->click();
            start = pgnDialog->btnStart, cancel = pgnDialog->btnCancel, status = pgnDialog->lblStatus;
            dialog.reset(pgnDialog);
        } else {
            auto* epdDialog = new TEpdBatchDialog(*host, epd);
            start = epdDialog->btnStart, cancel = epdDialog->btnCancel, status = epdDialog->lblStatus;
            dialog.reset(epdDialog);
        }
        dialog->show();
        QTest::mouseClick(start, Qt::LeftButton);
        WaitFor([&] { return QDir(folder).entryList(QDir::Files).size() >= 3; });
        if (row.Close)
            dialog->close();
        else
            QTest::mouseClick(cancel, Qt::LeftButton);
        // Stopped at once: nothing more appears, and the run is over.
        const QStringList stopped = QDir(folder).entryList(QDir::Files, QDir::Name);
        QTest::qWait(100);
        EXPECT_EQ(QDir(folder).entryList(QDir::Files, QDir::Name), stopped);
        EXPECT_LT(stopped.size(), row.Pgn ? 1000 : 300);
        EXPECT_TRUE(start->isEnabled());
        EXPECT_TRUE(status->text().startsWith("Aborted")) << status->text().toStdString();
        for (const QString& name : stopped) EXPECT_FALSE(QImage(folder + "/" + name).isNull()) << name.toStdString();
    }
}

}  // namespace
