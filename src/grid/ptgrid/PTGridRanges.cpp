// Range fill and range move of values, and the split lines drawn on request.

#include <vector>

#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/canvas/Canvas.h"

void TTavikPTGrid::CopyRange(const TGridRect& source, const TGridRect& target, bool fill)
{
    const int rows = source.Bottom - source.Top + 1;
    const int cols = source.Right - source.Left + 1;
    if (rows <= 0 || cols <= 0)
        return;
    // Everything is read before anything is written, so overlapping ranges copy.
    std::vector<QString> table(static_cast<size_t>(rows) * static_cast<size_t>(cols));
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j)
            if (TPTCell* cell = Cell(source.Left + j, source.Top + i)) {
                table[static_cast<size_t>(i) * cols + j] = cell->Value();
                cell->SetValue(QString());
            }
    for (int i = 0; i <= target.Bottom - target.Top; ++i)
        for (int j = 0; j <= target.Right - target.Left; ++j) {
            TPTCell* cell = Cell(target.Left + j, target.Top + i);
            if (!cell)
                continue;
            if (fill)
                cell->SetValue(table[static_cast<size_t>(i % rows) * cols + j % cols]);
            else
                cell->SetValue(i < rows && j < cols ? table[static_cast<size_t>(i) * cols + j] : QString());
        }
    if (levelCol_ >= 0)
        TreeShapeChanged();
    Invalidate();
}

void TTavikPTGrid::FillRangeChanged(const TGridRect& source, const TGridRect& target)
{
    CopyRange(source, target, true);
    TTavikCustomViewGrid::FillRangeChanged(source, target);
}

void TTavikPTGrid::MoveRangeChanged(const TGridRect& source, const TGridRect& target)
{
    CopyRange(source, target, false);
    TTavikCustomViewGrid::MoveRangeChanged(source, target);
}

int TTavikPTGrid::SplitLineX(int col)
{
    bool needDraw = false;
    OnDrawSplitLine(this, col, needDraw);
    if (!needDraw || col < TopLeft().X)
        return -1;
    const int line = GridLineWidth();
    int x = 0;
    for (int c = 0; c < FixedCols() && c < ColCount(); ++c)
        x += ColWidths(c) + line;
    for (int c = TopLeft().X; c <= col; ++c)
        x += ColWidths(c) + line;
    return x - line;
}

void TTavikPTGrid::Paint(TCanvas& canvas)
{
    TTavikCustomViewGrid::Paint(canvas);
    if (!OnDrawSplitLine)
        return;
    const int saved = canvas.SaveState();
    canvas.Pen().SetColor(clRed);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetStyle(psDot);
    for (int c = 0; c < ColCount(); ++c) {
        const int x = SplitLineX(c);
        if (x < 0)
            continue;
        canvas.MoveTo(x, 0);
        canvas.LineTo(x, ClientHeight());
    }
    canvas.RestoreState(saved);
}
