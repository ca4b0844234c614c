#include <gtest/gtest.h>

#include <QImage>

#include "GallerySample.h"
#include "app/GalleryEditorGrid.h"
#include "app/GalleryForm.h"
#include "app/ScreenSnapshot.h"
#include "grid/editor/InplaceEdit.h"
#include "support/Pixels.h"
#include "grid/core/GridEditing.h"

namespace {

TEST(GalleryEditorGrid, OffersEveryEditStyleAndShowsTheEditorOpen)
{
    for (int col = 1; col <= 11; ++col)
        EXPECT_EQ(TGalleryEditorGrid::ColumnStyle(col), static_cast<TEditStyle>(col - 1)) << col;

    TGalleryForm form(nullptr);
    TGalleryEditorGrid* grid = SampleOf<TGalleryEditorGrid>(form);
    ASSERT_NE(grid, nullptr);
    ASSERT_NE(grid->Editing().Editor(), nullptr);
    TInplaceEdit* editor = grid->Editing().Editor();
    EXPECT_TRUE(editor->Visible());
    EXPECT_EQ(editor->EditStyle(), esDropDown);
    EXPECT_EQ(editor->Text(), grid->CellText(3, 2));

    const QImage img = RenderForm(&form);
    // The drop-down button of the open editor, in the picture.
    const TRect b = editor->ButtonRect();
    const int x = grid->Left() + editor->Left() + b.Left + 3;
    const int y = grid->Top() + editor->Top() + 2;
    EXPECT_EQ(At(img, x, y), Rgb(clBtnFace));
}

} // namespace
