#include <gtest/gtest.h>

#include <QImage>

#include "app/GalleryDrawGrid.h"
#include "app/GalleryForm.h"
#include "app/ScreenSnapshot.h"
#include "support/Pixels.h"

namespace {

TEST(GalleryForm, RendersEverySampleHeadless)
{
    TGalleryForm form(nullptr);
    ASSERT_EQ(form.SampleControls().size(), GallerySamples().size());
    auto* grid = dynamic_cast<TGalleryDrawGrid*>(form.SampleControls()[0]);
    ASSERT_NE(grid, nullptr);
    EXPECT_GE(grid->RowCount(), 1000);
    EXPECT_EQ(grid->FixedEditCols(), 1);
    EXPECT_EQ(grid->MergedArea(4, 0), (TGridRect{2, 0, 5, 0}));

    const QImage img = RenderForm(&form);
    ASSERT_EQ(img.width(), form.ClientWidth());
    ASSERT_EQ(img.height(), form.ClientHeight());
    // Inside the grid's client area (within its border): a locked head cell in
    // the fixed colour, a data cell in the window colour.
    const TRect client = grid->ClientAreaInWindow();
    const int gx = grid->Left() + client.Left;
    const int gy = grid->Top() + client.Top;
    EXPECT_TRUE(grid->ScrollBarVisible(SB_VERT)); // thousands of rows
    EXPECT_EQ(At(img, gx + 3, gy + 3), Rgb(clBtnFace));
    const TRect data = grid->CellBounds(8, 20);
    EXPECT_EQ(At(img, gx + data.Right - 2, gy + data.Top + 1), Rgb(clWindow));
}

} // namespace
