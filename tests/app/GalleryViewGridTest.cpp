#include <gtest/gtest.h>

#include <set>

#include "GallerySample.h"
#include "app/GalleryDrawGrid.h"
#include "app/GalleryForm.h"
#include "app/GalleryViewGrid.h"
#include "app/ScreenSnapshot.h"
#include "grid/viewgrid/CheckCell.h"
#include "support/Pixels.h"

namespace {

TEST(GalleryDrawGrid, TextsFollowColumnAndRowMoves)
{
    TGalleryDrawGrid grid(nullptr);
    const QString name = grid.CellText(2, 5);
    const QString dept = grid.CellText(3, 5);
    const QString head = grid.CellText(2, 0);
    grid.MoveColumn(2, 3);
    EXPECT_EQ(grid.CellText(3, 5), name);
    EXPECT_EQ(grid.CellText(2, 5), dept);
    EXPECT_EQ(grid.CellText(3, 1), "Name") << "the column's own head goes with it";
    EXPECT_EQ(grid.CellText(2, 0), head) << "group heads stay in place";
    const QString row9 = grid.CellText(4, 9);
    grid.MoveRow(9, 12);
    EXPECT_EQ(grid.CellText(4, 12), row9);
}

TEST(GalleryViewGrid, ShowsEveryKindOfCellAndFollowsMoves)
{
    TGalleryForm form(nullptr);
    TGalleryViewGrid* grid = SampleOf<TGalleryViewGrid>(form);
    ASSERT_NE(grid, nullptr);
    std::set<int> types;
    bool symbols = false, comments = false, merged = false, tree = false;
    for (int r = 1; r < grid->RowCount(); ++r)
        for (int c = 1; c < grid->ColCount(); ++c) {
            TCellAttrInfo info;
            grid->GetCellAttrs(c, r, info, ~0u);
            types.insert(info.DataType);
            symbols |= info.HandleSymbol;
            comments |= info.ShowComment;
            merged |= info.MergeID != 0 && info.RightLine > 1;
            tree |= grid->RowLevel(r) > 0;
        }
    EXPECT_EQ(types.size(), 7u) << "every data type";
    EXPECT_TRUE(symbols && comments && merged && tree);
    EXPECT_TRUE(grid->HasOption(goShowRowNo) && grid->HasOption(goShowColNo));

    // The rendered form shows the grid's check boxes and the thick frame of the merged block.
    const QImage img = RenderForm(&form);
    const TRect client = grid->ClientAreaInWindow();
    auto at = [&](int x, int y) { return At(img, grid->Left() + client.Left + x, grid->Top() + client.Top + y); };
    const TRect box = CheckBoxRect(grid->ContentRect(2, 1, grid->CellBounds(2, 1)));
    EXPECT_EQ(at(box.Left, box.Top), Rgb(clBtnShadow));
    const TRect block = grid->CellBounds(5, 11);
    EXPECT_EQ(at(block.Right, block.Top + 3), clBlack);

    const QString before = grid->GetCellValue(3, 2);
    grid->MoveColumn(3, 5);
    EXPECT_EQ(grid->GetCellValue(5, 2), before);
    grid->SetCellValue(5, 2, "x");
    EXPECT_EQ(grid->GetCellValue(5, 2), "x");
}

} // namespace
