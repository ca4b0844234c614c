#include <gtest/gtest.h>

#include <QImage>

#include "grid/drawgrid/DrawGridClasses.h"
#include "grid/core/paint/GridPainter.h"
#include "grid/ptgrid/PTGridClasses.h"
#include "grid/drawgrid/TavikCustomDrawGrid.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/Form.h"
#include "platform/framework/Messages.h"
#include "stream/FormLoader.h"
#include "stream/FormReader.h"

#include "../GridErrorOf.h"

namespace {

// The six-line definition of a grid of hidden columns, with the given count.
std::string WideGrid(long long cols)
{
    return "object F: TForm\n"
           "  object Grid1: TTavikCustomDrawGrid\n"
           "    ColCount = " + std::to_string(cols) + "\n"
           "    DefaultColWidth = 0\n"
           "  end\n"
           "end\n";
}

std::string LoadError(TForm& form, const std::string& text)
{
    try {
        LoadForm(&form, ReadForm(text, "Wide.dfm"), "Wide.dfm");
    } catch (const EFormError& e) {
        return e.what();
    }
    return "no error";
}

TEST(GridHugeCount, CountsAboveTheLimitAreRefusedFromDefinitionsAndFromCode)
{
    RegisterDrawGridClasses();
    RegisterPTGridClasses();
    TForm form(nullptr);
    EXPECT_EQ(LoadError(form, WideGrid(2000000000)),
              "Wide.dfm:3:16: A grid holds at most 1000000 columns, not 2000000000");

    TTavikCustomDrawGrid grid(nullptr);
    TTavikPTGrid pt(nullptr);
    for (TTavikCustomGrid* g : {static_cast<TTavikCustomGrid*>(&grid), static_cast<TTavikCustomGrid*>(&pt)}) {
        EXPECT_EQ(ErrorOf([&] { g->SetColCount(MaxGridCellCount + 1); }),
                  "A grid holds at most 1000000 columns, not 1000001");
        EXPECT_EQ(ErrorOf([&] { g->SetRowCount(INT_MAX); }), "A grid holds at most 1000000 rows, not 2147483647");
        EXPECT_EQ(g->ColCount(), 5);
        EXPECT_EQ(g->RowCount(), 5);
    }
    grid.SetRowCount(MaxGridCellCount);
    EXPECT_EQ(ErrorOf([&] { grid.InsertRow(3); }), "A grid holds at most 1000000 rows, not 1000001");
    EXPECT_EQ(grid.RowCount(), MaxGridCellCount);
}

TEST(GridHugeCount, TheWidestGridOfHiddenColumnsLoadsPaintsAndTakesKeys)
{
    RegisterDrawGridClasses();
    TForm form(nullptr);
    ASSERT_EQ(LoadError(form, WideGrid(MaxGridCellCount)), "no error");
    auto* grid = form.Find<TTavikCustomDrawGrid>("Grid1");
    ASSERT_NE(grid, nullptr);
    grid->SetBounds(0, 0, 300, 200);
    EXPECT_EQ(grid->VisibleColCount(), MaxGridCellCount - 1);

    QImage img(300, 200, QImage::Format_RGB32);
    TCanvas canvas(img);
    grid->Painter().PaintGrid(canvas);
    for (Word key : {VK_RIGHT, VK_END, VK_LEFT, VK_HOME, VK_NEXT, VK_DOWN})
        grid->KeyDown(key, 0);
    Word ctrlEnd = VK_END;
    grid->KeyDown(ctrlEnd, ssCtrl);
    EXPECT_EQ(grid->Current().Y, grid->RowCount() - 1);
    grid->Painter().PaintGrid(canvas);

    // A few shown columns far out are reached and laid out where they belong.
    grid->SetColWidths(MaxGridCellCount - 2, 40);
    grid->SetColWidths(MaxGridCellCount - 1, 50);
    EXPECT_EQ(grid->CellBounds(MaxGridCellCount - 1, 1).Left, 41);
    EXPECT_EQ(grid->PointToCell(45, 20), (TGridCoord{MaxGridCellCount - 1, 1}));
    Word end = VK_END;
    grid->KeyDown(end, 0);
    EXPECT_EQ(grid->Current().X, MaxGridCellCount - 1);
}

} // namespace
