#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include <QImage>

#include "grid/core/TavikCustomGrid.h"
#include "grid/core/paint/GridPainter.h"
#include "platform/canvas/Canvas.h"
#include "support/Pixels.h"

namespace {

constexpr TColor kData = 0x00FFFFFF;
constexpr TColor kUntouched = 0x00123456;

// Runs a probe from inside the first cell step of every paint.
class ProbeGrid : public TTavikCustomGrid {
public:
    using TTavikCustomGrid::TTavikCustomGrid;
    std::function<void()> probe;
    void DrawCell(int, int, TGridDrawState, const TRect&) override
    {
        if (auto run = std::exchange(probe, nullptr))
            run();
    }
};

class GridPainterState : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<ProbeGrid>(nullptr);
        grid->SetBounds(0, 0, 400, 120);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetColor(kData);
        grid->Selections().SetRange({1, 1, 2, 3}, true);
    }
    TGridPainter& Painter() { return grid->Painter(); }
    std::unique_ptr<ProbeGrid> grid;
    QImage outerImage{400, 120, QImage::Format_RGB32};
    QImage innerImage{400, 120, QImage::Format_RGB32};
};

TEST_F(GridPainterState, TheRunningPaintsCanvasAndSelectionRangesLastOnlyAsLongAsThePaint)
{
    TCanvas outer(outerImage);
    TCanvas inner(innerImage);
    TCanvas* const measuring = &Painter().Canvas();
    EXPECT_EQ(Painter().SelectionRanges(), nullptr);

    std::vector<const TCanvas*> seen;
    std::vector<TGridRect> ranges;
    grid->probe = [&] {
        seen.push_back(&Painter().Canvas());
        ranges = *Painter().SelectionRanges();
        // A handler that paints the grid again, elsewhere, from inside a pass.
        grid->probe = [&] { seen.push_back(&Painter().Canvas()); };
        Painter().PaintGrid(inner);
        seen.push_back(&Painter().Canvas());
        ASSERT_NE(Painter().SelectionRanges(), nullptr);
    };
    Painter().PaintGrid(outer);

    EXPECT_EQ(seen, (std::vector<const TCanvas*>{&outer, &inner, &outer}));
    EXPECT_EQ(ranges, (std::vector<TGridRect>{{1, 1, 2, 3}}));
    EXPECT_EQ(&Painter().Canvas(), measuring);
    EXPECT_EQ(Painter().SelectionRanges(), nullptr);

    // A cell step that throws leaves the painter as outside painting.
    grid->probe = [] { throw std::runtime_error("cell"); };
    EXPECT_THROW(Painter().PaintGrid(outer), std::runtime_error);
    EXPECT_EQ(&Painter().Canvas(), measuring);
    EXPECT_EQ(Painter().SelectionRanges(), nullptr);
}

TEST_F(GridPainterState, WithoutFillCellBackgroundOnlyTheAreaBeyondTheCellsIsFilled)
{
    grid->SetColCount(3); // columns end at 219: the rest of the width lies beyond them
    for (const bool fill : {true, false}) {
        SCOPED_TRACE(fill);
        Painter().SetFillCellBackground(fill);
        outerImage.fill(QColor(0x56, 0x34, 0x12));
        TCanvas canvas(outerImage);
        Painter().PaintGrid(canvas);
        EXPECT_EQ(At(outerImage, 180, 45), fill ? kData : kUntouched); // data cell (2, 2)
        EXPECT_EQ(At(outerImage, 300, 45), kData);                     // beyond the last column
    }
}

} // namespace
