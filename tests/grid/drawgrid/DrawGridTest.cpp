#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QImage>

#include "../GridErrorOf.h"
#include "../OneGridForm.h"
#include "grid/core/paint/GridPainter.h"
#include "grid/drawgrid/DrawGridClasses.h"
#include "grid/drawgrid/TavikCustomDrawGrid.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/Form.h"
#include "stream/FormLoader.h"
#include "stream/FormReader.h"
#include "support/Events.h"

namespace {

// Logs the per-cell steps and narrows the editor rectangle by one pixel.
class LoggingDrawGrid : public TTavikCustomDrawGrid {
public:
    using TTavikCustomDrawGrid::TTavikCustomDrawGrid;
    std::vector<std::string>* log = nullptr;
    void AdjustEditorRect(int, int, TRect& out, const TRect& rect) override
    {
        out = {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
    }
    void DrawCellBackground(int col, int row, TGridDrawState state, const TRect& rect) override
    {
        TTavikCustomDrawGrid::DrawCellBackground(col, row, state, rect);
        if (log)
            log->push_back("background " + std::to_string(col) + "," + std::to_string(row));
    }
    void DrawCell(int col, int row, TGridDrawState, const TRect&) override
    {
        if (log)
            log->push_back("cell " + std::to_string(col) + "," + std::to_string(row));
    }
};

class DrawGrid : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<LoggingDrawGrid>(nullptr);
        grid->SetBounds(0, 0, 400, 120);
    }
    void Paint(const TRect& clip)
    {
        QImage img(grid->Width(), grid->Height(), QImage::Format_RGB32);
        TCanvas canvas(img);
        canvas.SetClipRect(clip);
        grid->Painter().PaintGrid(canvas);
    }
    std::unique_ptr<LoggingDrawGrid> grid;
};

TEST_F(DrawGrid, FixedEditCountsAreCheckedAgainstTheFixedCounts)
{
    grid->SetFixedCols(2);
    grid->SetFixedRows(2);
    EXPECT_EQ(ErrorOf([&] { grid->SetFixedEditCols(2); }), "no error");
    EXPECT_EQ(ErrorOf([&] { grid->SetFixedEditCols(3); }),
              "FixedEdit column count must be less than fixed column count");
    EXPECT_EQ(ErrorOf([&] { grid->SetFixedEditCols(-1); }), "Grid index out of range");
    EXPECT_EQ(grid->FixedEditCols(), 2);
    EXPECT_EQ(ErrorOf([&] { grid->SetFixedEditRows(3); }), "FixedEdit row count must be less than fixed row count");
    EXPECT_EQ(ErrorOf([&] { grid->SetFixedEditRows(-1); }), "Grid index out of range");
    EXPECT_EQ(grid->FixedEditRows(), 0);

    grid->SetFixedCols(1);
    EXPECT_EQ(grid->FixedEditCols(), 1);
}

TEST_F(DrawGrid, FixedEditRowsResetsThePositionOnlyWhenItChanges)
{
    grid->SetFixedRows(2);
    grid->SetFixedEditRows(1);
    grid->MoveCurrent(3, 4, true, false, false, true);
    grid->SetFixedEditRows(1);
    EXPECT_EQ(grid->Current(), (TGridCoord{3, 4}));
    grid->SetFixedEditRows(2);
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 2}));
    EXPECT_EQ(grid->TopLeft(), (TGridCoord{1, 2}));
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{1, 2, 1, 2}));
}

TEST_F(DrawGrid, DrawCellFiresBetweenBackgroundAndCellWithTheAdjustedRectangle)
{
    std::vector<std::string> log;
    grid->log = &log;
    std::vector<TRect> rects;
    std::vector<TGridDrawState> states;
    Bind(grid->OnDrawCell, [&](TObject* sender, TCanvas& canvas, int col, int row, const TRect& rect,
                               TGridDrawState state, bool& handled) {
        EXPECT_EQ(sender, grid.get());
        EXPECT_EQ(&canvas, &grid->Painter().Canvas());
        EXPECT_FALSE(handled);
        log.push_back("event " + std::to_string(col) + "," + std::to_string(row));
        rects.push_back(rect);
        states.push_back(state);
        handled = true;
    });
    grid->MoveCurrent(4, 4, true, false, false, true);
    Paint(Rect(0, 0, 145, 37)); // cells (0..1, 0..1)
    EXPECT_EQ(log, (std::vector<std::string>{"background 0,0", "event 0,0", "cell 0,0", "background 1,0", "event 1,0",
                                             "cell 1,0", "background 0,1", "event 0,1", "cell 0,1", "background 1,1",
                                             "event 1,1", "cell 1,1"}));
    ASSERT_EQ(rects.size(), 4u);
    EXPECT_EQ(rects[0], Rect(1, 1, 71, 17));
    EXPECT_EQ(rects[3], Rect(74, 20, 144, 36));
    EXPECT_EQ(states[0], gdFixed);
    EXPECT_EQ(states[1], gdFixed);
    EXPECT_EQ(states[3], 0);

    // Outside painting the handler gets a canvas that only measures.
    EXPECT_TRUE(grid->DrawCellEvent(1, 1, 0, Rect(73, 19, 145, 37)));
    grid->OnDrawCell = {};
    EXPECT_FALSE(grid->DrawCellEvent(1, 1, 0, Rect(73, 19, 145, 37)));
}

TEST_F(DrawGrid, QueryEventsStartFromTheCoreAnswer)
{
    std::vector<std::string> log;
    Bind(grid->OnQueryColSizing, [&](TObject*, int index, TPoint, bool& can) {
        EXPECT_TRUE(can);
        can = index != 3;
    });
    EXPECT_TRUE(grid->QueryColSizing(2, {}));
    EXPECT_FALSE(grid->QueryColSizing(3, {}));
    EXPECT_TRUE(grid->QueryRowSizing(3, {}));

    Bind(grid->OnQueryBeginColumnDrag, [&](TObject*, int& origin, int& destination, TPoint pt, bool& can) {
        EXPECT_TRUE(can);
        EXPECT_EQ(pt.X, 7);
        destination = origin + 1;
        can = false;
    });
    int origin = 2;
    int destination = 2;
    EXPECT_FALSE(grid->BeginColumnDrag(origin, destination, {7, 8}));
    EXPECT_EQ(destination, 3);
    EXPECT_TRUE(grid->BeginRowDrag(origin, destination, {}));
    EXPECT_TRUE(grid->CheckColumnDrag(origin, destination, {}));
    EXPECT_TRUE(grid->EndRowDrag(origin, destination, {}));

    Bind(grid->OnSelectCell, [&](TObject*, int col, int, bool& can) { can = col != 3; });
    grid->MoveCurrent(3, 2, true, false, false, true);
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 1}));
    grid->MoveCurrent(2, 2, true, false, false, true);
    EXPECT_EQ(grid->Current(), (TGridCoord{2, 2}));

    Bind(grid->OnColumnMoved, [&](TObject*, int from, int to) {
        log.push_back("col " + std::to_string(from) + ">" + std::to_string(to));
    });
    Bind(grid->OnRowMoved, [&](TObject*, int from, int to) {
        log.push_back("row " + std::to_string(from) + ">" + std::to_string(to));
    });
    Bind(grid->OnTopLeftChanged, [&](TObject*) { log.push_back("topleft"); });
    grid->SetColCount(10);
    grid->MoveColumn(1, 3);
    grid->MoveRow(1, 2);
    grid->SetTopLeft(2, 1);
    EXPECT_EQ(log, (std::vector<std::string>{"col 1>3", "row 1>2", "topleft"}));

    Bind(grid->OnGetEditMask, [](TObject*, int col, int, QString& mask) { mask = col == 1 ? "000" : mask; });
    EXPECT_EQ(grid->GetEditMask(1, 1), QStringLiteral("000"));
    EXPECT_EQ(grid->GetEditMask(2, 1), QString());
}

TEST(DrawGridClasses, StoredDefinitionSetsBandsAndBindsEvents)
{
    RegisterDrawGridClasses();
    TForm form(nullptr);
    int drawn = 0;
    form.Handler<TGridDrawCellEvent>("GridDrawCell",
                                     [&](TObject*, TCanvas&, int, int, const TRect&, TGridDrawState, bool&) { ++drawn; });
    auto* grid = LoadOneGrid<TTavikCustomDrawGrid>(form, "TTavikCustomDrawGrid",
                                                   "    FixedCols = 2\n"
                                                   "    FixedRows = 2\n"
                                                   "    FixedEditCols = 2\n"
                                                   "    FixedEditRows = 1\n"
                                                   "    FixedColor = clSilver\n"
                                                   "    OnDrawCell = GridDrawCell\n");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->FixedEditCols(), 2);
    EXPECT_EQ(grid->FixedEditRows(), 1);
    EXPECT_EQ(grid->FixedColor(), clSilver);
    EXPECT_EQ(grid->Color(), clWindow);
    ASSERT_TRUE(static_cast<bool>(grid->OnDrawCell));

    const FormObject saved = SaveForm(&form);
    const FormObject* g = saved.FindChild("Grid1");
    ASSERT_NE(g, nullptr);
    EXPECT_NE(g->Find("FixedEditCols"), nullptr);
    EXPECT_NE(g->Find("OnDrawCell"), nullptr);

    TForm other(nullptr);
    EXPECT_ANY_THROW(LoadOneGrid<TTavikCustomDrawGrid>(other, "TTavikCustomDrawGrid", "    FixedEditCols = 3\n"));
}

} // namespace
