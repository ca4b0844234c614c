// The cells of one paint pass: which cells draw (merged areas once, with the
// rectangle of the whole area), the three per-cell steps, and the grid lines
// that the core draws in merge mode.

#include <algorithm>
#include <climits>

#include "grid/core/paint/GridPainter.h"

#include "grid/core/GridCoreState.h"
#include "grid/core/TavikCustomGrid.h"
#include "platform/canvas/Canvas.h"

namespace {

using TPass = TGridPaintPass;

// A cell of a pass that draws, with the rectangle it draws in.
struct TPassCell {
    int Col = 0;
    int Row = 0;
    int X = 0; // running position
    int Y = 0;
    TRect Rect;
    TGridRect Area;
    bool Merged = false;
    bool Clipped = false; // the area starts before the running position
};

int Step(int extent, int lineWidth)
{
    return extent > 0 ? extent + lineWidth : 0;
}

// Whether (col, row), a cell of a merged area met by the pass, is the one that
// draws the area. Exactly one visible cell of each area does.
bool DrawsArea(TTavikCustomGrid& grid, const TGridRect& area, int col, int row, TGridCoord start)
{
    if (col == area.Left && row == area.Top)
        return true;
    if (col == start.X && row == start.Y)
        return true;
    if (area.Left < start.X && col == start.X && (row == area.Top || row == start.Y))
        return true;
    if (area.Top < start.Y && row == start.Y && (col == start.X || col == area.Left))
        return true;
    if (col != area.Left && col != start.X)
        return false;
    // Below the area's top row: this cell stands in only when every row of the
    // area above it within the pass is hidden, so nobody drew the area yet.
    for (int r = std::max(area.Top, start.Y); r < row; ++r)
        if (grid.GetRowHeight(r) > 0)
            return false;
    return true;
}

// Walks the cells of a pass as the paint does and hands each drawing cell to
// visit. Outside merge mode whole rows and columns outside clipBox are passed
// over; in merge mode an area may reach into the clip from any cell.
template <class Visit>
void WalkPass(TTavikCustomGrid& grid, const TGridCoreState& d, const TGridLayout& layout, const TPass& pass,
              const TRect& clipBox, Visit&& visit)
{
    const bool merge = grid.HasOption(goCellMerge);
    const int lineH = layout.Horz.EffectiveLineWidth;
    const int lineV = layout.Vert.EffectiveLineWidth;
    const int grow = grid.GridLineWidth();
    const int cols = grid.ColCount();
    const int rows = grid.RowCount();
    int y = pass.StartY;
    // Hidden rows and columns draw nothing; outside merge mode (where a hidden
    // cell can still start an area) runs of them are passed over at once.
    const auto nextRow = [&](int r) { return merge ? r : grid.NextShownRow(r, rows); };
    const auto nextCol = [&](int c) { return merge ? c : d.colWidths.NextPositive(c, cols, d.defaultColWidth); };
    for (int row = nextRow(pass.Start.Y); row < rows && y < pass.StopY; row = nextRow(row + 1)) {
        const int h = grid.GetRowHeight(row);
        if (h <= 0)
            continue;
        if (!merge) {
            if (y >= clipBox.Bottom)
                break;
            if (y + h + grow <= clipBox.Top) {
                y += h + lineV;
                continue;
            }
        }
        int x = pass.StartX;
        for (int col = nextCol(pass.Start.X); col < cols && x < pass.StopX; col = nextCol(col + 1)) {
            const int w = grid.ColWidths(col);
            const int id = merge ? grid.MergeId(col, row) : 0;
            if (w <= 0 && id == 0)
                continue;
            if (!merge) {
                if (x - grow >= clipBox.Right)
                    break;
                if (x + w + grow <= clipBox.Left) {
                    x += w + lineH;
                    continue;
                }
            }
            TPassCell cell;
            cell.Col = col;
            cell.Row = row;
            cell.X = x;
            cell.Y = y;
            cell.Rect = {x, y, x + std::max(w, 0), y + h};
            cell.Area = {col, row, col, row};
            if (id != 0) {
                cell.Area = grid.MergedArea(col, row);
                const TGridRect& a = cell.Area;
                if (a.Left != a.Right || a.Top != a.Bottom) {
                    if (!DrawsArea(grid, a, col, row, pass.Start)) {
                        x += Step(w, lineH);
                        continue;
                    }
                    cell.Merged = true;
                    // Hidden cells take neither pixels nor lines; the last
                    // visible cell's line is not part of the area.
                    int before = 0;
                    int span = 0;
                    for (int c = a.Left; c < col; ++c)
                        before += Step(grid.ColWidths(c), lineH);
                    for (int c = col; c <= a.Right; ++c)
                        span += Step(grid.ColWidths(c), lineH);
                    cell.Rect.Left = x - before;
                    cell.Rect.Right = span > 0 ? x + span - lineH : x;
                    before = span = 0;
                    for (int r = a.Top; r < row; ++r)
                        before += Step(grid.GetRowHeight(r), lineV);
                    for (int r = row; r <= a.Bottom; ++r)
                        span += Step(grid.GetRowHeight(r), lineV);
                    cell.Rect.Top = y - before;
                    cell.Rect.Bottom = y + span - lineV;
                    cell.Clipped = a.Left < col || a.Top < row;
                }
            }
            visit(cell);
            x += Step(w, lineH);
        }
        y += h + lineV;
    }
}

// The rectangle grown by the line width to the left, right and bottom: what a
// cell may touch, its lines included.
TRect Reach(const TRect& r, int lineWidth)
{
    return {r.Left - lineWidth, r.Top, r.Right + lineWidth, r.Bottom + lineWidth};
}

// From the running position onwards, with room for the lines on the other sides.
TRect PartFromRunningPosition(const TPassCell& cell, int lineWidth)
{
    const int left = cell.Area.Left < cell.Col ? cell.X : cell.Rect.Left - lineWidth;
    const int top = cell.Area.Top < cell.Row ? cell.Y : cell.Rect.Top - lineWidth;
    return {left, top, cell.Rect.Right + lineWidth + 1, cell.Rect.Bottom + lineWidth + 1};
}

// Runs draw clipped to the cell's part in view when the cell reaches under the
// fixed cells; the clip is restored also when draw throws.
template <class Draw>
void DrawClipped(TCanvas& canvas, const TPassCell& cell, int lineWidth, Draw&& draw)
{
    if (!cell.Clipped) {
        draw();
        return;
    }
    const int saved = canvas.SaveState();
    canvas.IntersectClipRect(PartFromRunningPosition(cell, lineWidth));
    try {
        draw();
    } catch (...) {
        canvas.RestoreState(saved);
        throw;
    }
    canvas.RestoreState(saved);
}

} // namespace

void TGridPainter::DrawPass(const TGridPaintPass& pass)
{
    TCanvas& canvas = Canvas();
    const TGridLayout layout = grid_.ComputeLayout();
    const TRect clipBox = canvas.ClipRect();
    if (clipBox.IsEmpty())
        return;
    const int lineWidth = d_.gridLineWidth;
    TGridCoord focus{-1, -1};
    if (d_.current.X >= grid_.EditableCol() && d_.current.Y >= grid_.EditableRow() && grid_.IsActiveControl()) {
        const TGridRect a = grid_.MergedArea(d_.current.X, d_.current.Y);
        focus = {a.Left, a.Top};
    }
    WalkPass(grid_, d_, layout, pass, clipBox, [&](const TPassCell& cell) {
        if (cell.Rect.IsEmpty() || !canvas.RectVisible(Reach(cell.Rect, lineWidth)))
            return;
        TGridDrawState state = pass.State;
        if (cell.Col == focus.X && cell.Row == focus.Y)
            state |= gdFocused;
        if (grid_.IsCellSelected(cell.Col, cell.Row))
            state |= gdSelected;
        DrawClipped(canvas, cell, lineWidth, [&] {
            host_.DrawCellBackground(cell.Col, cell.Row, state, cell.Rect);
            host_.DrawCellDecoration(cell.Col, cell.Row, state, cell.Rect);
            host_.DrawCell(cell.Col, cell.Row, state, cell.Rect);
        });
    });
    if (grid_.HasOption(goCellMerge))
        host_.DrawMergedCells(pass);
}

void TGridPainter::DrawMergedCells(const TGridPaintPass& pass)
{
    TCanvas& canvas = Canvas();
    const TRect clipBox = canvas.ClipRect();
    if (clipBox.IsEmpty())
        return;
    const int lineWidth = d_.gridLineWidth;
    std::vector<TGridCoord> done;
    WalkPass(grid_, d_, grid_.ComputeLayout(), pass, clipBox, [&](const TPassCell& cell) {
        if (!cell.Merged || cell.Rect.IsEmpty() || !canvas.RectVisible(Reach(cell.Rect, lineWidth)))
            return;
        const TGridCoord origin{cell.Area.Left, cell.Area.Top};
        if (std::find(done.begin(), done.end(), origin) != done.end())
            return;
        done.push_back(origin);
        DrawClipped(canvas, cell, lineWidth, [&] { host_.DrawMergedCell(origin.X, origin.Y, cell.Rect, 0); });
    });
}

void TGridPainter::DrawCellBackground(TGridDrawState state, const TRect& rect)
{
    TCanvas& canvas = Canvas();
    if (d_.defaultDrawing) {
        canvas.Font().Assign(&grid_.Font());
        canvas.Brush().SetStyle(bsSolid);
        const bool showSelected = (state & gdSelected) && (!(state & gdFocused) || grid_.HasOption(goDrawFocusSelected) ||
                                                           grid_.HasOption(goRowSelect));
        if (state & gdFixed) {
            canvas.Brush().SetColor(d_.fixedColor);
        } else if (showSelected) {
            canvas.Brush().SetColor(clHighlight);
            canvas.Font().SetColor(clHighlightText);
        } else {
            canvas.Brush().SetColor(grid_.Color());
        }
    }
    if (fillCellBackground_)
        canvas.FillRect(rect);
}

void TGridPainter::DrawMergeLines(int col, int row, TGridDrawState state, const TRect& rect)
{
    const bool fixed = col < d_.fixedCols || row < d_.fixedRows;
    const bool locked = col < grid_.EditableCol() || row < grid_.EditableRow();
    const TColor base = locked ? d_.gridLineColor : ((state & gdFixed) ? d_.fixedColor : d_.gridLineColor);
    const bool horz = fixed || grid_.HasOption(goHorzLine);
    const bool vert = fixed || grid_.HasOption(goVertLine);
    if (!horz && !vert)
        return;
    const TColor horzColor = fixed && !grid_.HasOption(goFixedHorzLine) ? d_.fixedColor : base;
    const TColor vertColor = fixed && !grid_.HasOption(goFixedVertLine) ? d_.fixedColor : base;

    const int w = d_.gridLineWidth;
    TCanvas& canvas = Canvas();
    TPen& pen = canvas.Pen();
    pen.SetStyle(psSolid);
    pen.SetMode(pmCopy);
    pen.SetWidth(w);
    if (w > 1) {
        pen.SetEndCap(pecFlat);
        pen.SetJoinStyle(pjsMiter);
    }
    const TPoint start{rect.Left, rect.Bottom + w / 2};
    const TPoint corner{rect.Right + w / 2, rect.Bottom + w / 2};
    const TPoint top{rect.Right + w / 2, rect.Top - (w + 1) / 2};
    if (horz && vert && horzColor == vertColor) {
        pen.SetColor(horzColor);
        const TPoint path[] = {start, corner, top};
        canvas.Polyline(path, 3);
        return;
    }
    if (horz) {
        pen.SetColor(horzColor);
        canvas.MoveTo(start.X, start.Y);
        canvas.LineTo(corner.X, corner.Y);
    }
    if (vert) {
        pen.SetColor(vertColor);
        canvas.MoveTo(corner.X, corner.Y);
        canvas.LineTo(top.X, top.Y);
    }
}
