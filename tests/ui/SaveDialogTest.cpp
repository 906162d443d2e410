#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>

#include "batch/ui/ColorDepthChoice.h"
#include "batch/ui/ImageFileDialog.h"

using namespace vorlix;

namespace {

QStringList Entries(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    return items;
}

// Picks a file type as the user does, through the dialog's type list.
void PickFileType(TImageFileDialog& dialog, int filterIndex) {
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    types->setCurrentIndex(filterIndex - 1);
    emit types->activated(filterIndex - 1);
    emit types->textActivated(types->currentText());
}

}  // namespace

TEST(ColorDepthChoice, FilterRules) {
    EXPECT_EQ(ColorDepthsForFilter(fiGIF, 3).ColorIndex, 0);
    EXPECT_EQ(ColorDepthsForFilter(fiGIF, 2).ColorIndex, 2);
    EXPECT_EQ(ColorDepthsForFilter(fiGIF, 1).Entries.size(), 3);
    const TColorDepthList jpeg = ColorDepthsForFilter(fiJPEG, 2);
    EXPECT_EQ(jpeg.Entries, QStringList{"True Color (24 bit)"});
    EXPECT_EQ(jpeg.ColorIndex, 0);
    EXPECT_FALSE(jpeg.TransparentEnabled);
    EXPECT_EQ(ColorDepthsForFilter(fiBMP, 3).ColorIndex, 3);
    EXPECT_EQ(ColorDepthsForFilter(fiBMP, 3).Entries.size(), 4);
}

TEST(ColorDepthChoice, FiltersFromPairs) {
    // The label whole, then the patterns Qt reads.
    EXPECT_EQ(NameFiltersFromPairs(kImageSaveFilter),
              (QStringList{"Gif Image (*.gif) (*.gif)", "Jpeg Image (*.jpg) (*.jpg)", "Bitmap Image (*.bmp) (*.bmp)"}));
    EXPECT_EQ(NameFiltersFromPairs("Diagram|*.vxd"), QStringList{"Diagram (*.vxd)"});
    TImageFileDialog dialog;
    EXPECT_EQ(Entries(dialog.findChild<QComboBox*>("fileTypeCombo")),
              (QStringList{"Gif Image (*.gif)", "Jpeg Image (*.jpg)", "Bitmap Image (*.bmp)"}));
}

TEST(SaveDialog, StripFollowsTheFileType) {
    TImageFileDialog dialog;
    dialog.SetFilterIndex(fiBMP);
    dialog.SetColorIndex(3);
    dialog.SetTransparent(true);
    dialog.show();
    EXPECT_EQ(Entries(dialog.cmbColors()).size(), 4);
    EXPECT_EQ(dialog.cmbColors()->currentText(), "True Color (24 bit)");
    EXPECT_FALSE(dialog.chkTransparent()->isEnabled());
    EXPECT_TRUE(dialog.chkTransparent()->isChecked());  // disabled but keeps its state

    PickFileType(dialog, fiGIF);
    EXPECT_EQ(dialog.FilterIndex(), fiGIF);
    EXPECT_EQ(dialog.ColorIndex(), 0);
    EXPECT_EQ(dialog.cmbColors()->currentText(), "2 Colors (Monochrome)");
    EXPECT_TRUE(dialog.chkTransparent()->isEnabled());

    PickFileType(dialog, fiBMP);
    dialog.cmbColors()->setCurrentIndex(2);
    emit dialog.cmbColors()->activated(2);
    EXPECT_EQ(dialog.ColorIndex(), 2);
    PickFileType(dialog, fiGIF);
    EXPECT_EQ(dialog.cmbColors()->currentText(), "256 Colors (8 bit)");

    PickFileType(dialog, fiJPEG);
    EXPECT_EQ(Entries(dialog.cmbColors()), QStringList{"True Color (24 bit)"});
    EXPECT_EQ(dialog.ColorIndex(), 0);
    EXPECT_FALSE(dialog.chkTransparent()->isEnabled());
    dialog.hide();
}

TEST(SaveDialog, TransparentBoxStoresItsState) {
    TImageFileDialog dialog;
    dialog.show();
    EXPECT_FALSE(dialog.Transparent());
    dialog.chkTransparent()->click();
    EXPECT_TRUE(dialog.Transparent());
    dialog.hide();
}

TEST(SaveDialog, ScalableFormatsGreyTheDepthAndKeepTheChoice) {
    TImageFileDialog dialog;
    dialog.SetFilter(kScalableImageSaveFilter);
    dialog.SetFilterIndex(fiBMP);
    dialog.SetColorIndex(1);
    dialog.show();
    PickFileType(dialog, fiPNG);
    EXPECT_FALSE(dialog.cmbColors()->isEnabled());
    EXPECT_EQ(Entries(dialog.cmbColors()), QStringList{"True Color (24 bit)"});
    EXPECT_TRUE(dialog.chkTransparent()->isEnabled());
    PickFileType(dialog, fiSVG);
    EXPECT_FALSE(dialog.chkTransparent()->isEnabled());
    PickFileType(dialog, fiPDF);
    EXPECT_FALSE(dialog.chkTransparent()->isEnabled());
    PickFileType(dialog, fiBMP);
    EXPECT_TRUE(dialog.cmbColors()->isEnabled());
    EXPECT_EQ(dialog.ColorIndex(), 1);
    EXPECT_EQ(dialog.cmbColors()->currentText(), "16 Colors (4 bit)");
    dialog.hide();
}

TEST(KXSaveDialog, TheColourDepthLabelDoesNotRunIntoItsList) {
    TImageFileDialog dialog;
    const QWidget* label = dialog.findChild<QWidget*>("lblColors");
    const QWidget* list = dialog.findChild<QWidget*>("cmbColors");
    ASSERT_NE(label, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_LT(label->geometry().right(), list->geometry().left());
    EXPECT_GE(list->x(), 81);
}

// Each file type offers the options that apply to it, opened on the settings,
// and the choices made for one type wait while another is shown.
TEST(SaveDialog, EachFileTypeOffersItsOwnOptions) {
    TImageFileDialog dialog;
    dialog.SetFilter(kScalableImageSaveFilter);
    dialog.SetImageSettings(70, 1);  // 60 %
    dialog.show();
    EXPECT_EQ(dialog.spbQuality()->value(), 70);
    EXPECT_EQ(dialog.cmbScale()->currentText(), "60 %");
    const struct {
        int Filter;
        bool PdfAsPages;
        bool Colors, Transparent, Quality, ScaleList, Size;
    } rows[] = {{fiGIF, false, true, true, false, true, false},   {fiJPEG, false, true, false, true, true, false},
                {fiBMP, false, true, false, false, true, false},  {fiPNG, false, false, true, false, false, true},
                {fiSVG, false, false, false, false, false, true}, {fiPDF, false, false, false, false, false, true},
                {fiPDF, true, false, false, false, false, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Filter * 10 + row.PdfAsPages);
        dialog.SetPdfAsPages(row.PdfAsPages);
        PickFileType(dialog, row.Filter);
        EXPECT_EQ(dialog.cmbColors()->isEnabled(), row.Colors);
        EXPECT_EQ(dialog.chkTransparent()->isEnabled(), row.Transparent);
        EXPECT_EQ(dialog.spbQuality()->isEnabled(), row.Quality);
        EXPECT_EQ(dialog.cmbScale()->isVisible(), row.ScaleList);
        EXPECT_EQ(dialog.spbScale()->isVisible(), !row.ScaleList);
        EXPECT_EQ(dialog.spbScale()->isEnabled(), row.Size);
        // The second row's controls sit side by side, clear of their labels.
        const QWidget* scale = row.ScaleList ? static_cast<QWidget*>(dialog.cmbScale()) : dialog.spbScale();
        EXPECT_LT(dialog.findChild<QLabel*>("lblScale")->geometry().right(), scale->x());
        EXPECT_LT(scale->geometry().right(), dialog.findChild<QLabel*>("lblQuality")->x());
        EXPECT_LT(dialog.findChild<QLabel*>("lblQuality")->geometry().right(), dialog.spbQuality()->x());
    }

    dialog.SetPdfAsPages(false);
    PickFileType(dialog, fiJPEG);
    dialog.spbQuality()->setValue(35);
    dialog.cmbScale()->setCurrentIndex(7);
    emit dialog.cmbScale()->activated(7);
    PickFileType(dialog, fiSVG);
    EXPECT_EQ(dialog.spbScale()->value(), 60);  // the table's size until the user picks another
    dialog.spbScale()->setValue(330);
    TImageOptions svg = dialog.ImageOptions();
    EXPECT_EQ(svg.Format, TImageFormat::Svg);
    EXPECT_EQ(svg.Scale, 3.3);
    PickFileType(dialog, fiJPEG);
    const TImageOptions jpeg = dialog.ImageOptions();
    EXPECT_EQ(jpeg.Format, TImageFormat::Jpeg);
    EXPECT_EQ(jpeg.Quality, 35);
    EXPECT_EQ(jpeg.ScaleIndex, 7);
    EXPECT_EQ(jpeg.ColorIndex, ciTrueColor);
    EXPECT_FALSE(jpeg.Scale.has_value());
    EXPECT_EQ(dialog.cmbScale()->currentText(), "200 %");
    dialog.hide();

    // The next opening starts again from the settings.
    dialog.SetImageSettings(81, 4);
    dialog.show();
    EXPECT_EQ(dialog.spbQuality()->value(), 81);
    EXPECT_EQ(dialog.cmbScale()->currentText(), "100 %");
    dialog.hide();
}
