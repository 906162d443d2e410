#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>

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
