// The paint pass: the passes over heads, fixed-edit band and data area, the
// area beyond the last cell, the selection decorations and the frame of
// empty heads. The cells of a pass are walked in GridPaintCells.cpp.

#include "grid/core/paint/GridPainter.h"

#include "grid/core/GridCoreState.h"
#include "grid/core/TavikCustomGrid.h"
#include "platform/base/AppContext.h"
#include "platform/canvas/Canvas.h"

namespace {

// Restores what the pass changed on the painter, also when a drawing step
// throws or a handler paints the grid again from inside a pass.
class PaintScope {
public:
    PaintScope(TCanvas*& slot, TCanvas& canvas, bool& cached)
        : slot_(slot), oldSlot_(slot), cached_(cached), oldCached_(cached)
    {
        slot_ = &canvas;
    }
    ~PaintScope()
    {
        slot_ = oldSlot_;
        cached_ = oldCached_;
    }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    bool Nested() const { return oldCached_; }

private:
    TCanvas*& slot_;
    TCanvas* oldSlot_;
    bool& cached_;
    bool oldCached_;
};

} // namespace

TGridPainter::TGridPainter(TTavikCustomGrid& grid, IGridPaintHost& host, TGridCoreState& state)
    : grid_(grid), host_(host), d_(state)
{
}

TCanvas& TGridPainter::Canvas() const
{
    if (canvas_)
        return *canvas_;
    // Measuring outside a paint needs a canvas without a surface.
    struct MeasuringCanvas {
        TCanvas canvas;
    };
    return AppContext().State<MeasuringCanvas>().canvas;
}

const std::vector<TGridRect>* TGridPainter::SelectionRanges() const
{
    return selCached_ ? &selRanges_ : nullptr;
}

void TGridPainter::SetFrameEmptyHeads(bool value)
{
    if (Exchange(frameEmptyHeads_, value))
        grid_.Invalidate();
}

void TGridPainter::PaintGrid(TCanvas& canvas)
{
    if (d_.updateLock > 0)
        return;
    PaintScope scope(canvas_, canvas, selCached_);
    if (!scope.Nested()) {
        selRanges_.clear();
        for (int i = 0; i < d_.selections->Count(); ++i)
            selRanges_.push_back(d_.selections->Items(i)->GetRange());
        selCached_ = true;
    }

    const TGridLayout layout = grid_.ComputeLayout();
    const TGridAxisLayout& h = layout.Horz;
    const TGridAxisLayout& v = layout.Vert;
    const int c0 = grid_.EditableCol();
    const int r0 = grid_.EditableRow();
    const bool dataRows = d_.fixedRows < d_.rowCount;
    const TColor color = grid_.Color();
    auto pass = [&](TGridCoord start, int x0, int x1, int y0, int y1, TColor c, TGridDrawState state) {
        TGridPaintPass p;
        p.Start = start;
        p.StartX = x0;
        p.StopX = x1;
        p.StartY = y0;
        p.StopY = y1;
        p.Color = c;
        p.State = state;
        DrawPass(p);
    };
    const int scrollX = h.FixedBoundary - d_.colOffset;
    if (d_.fixedEditCols == 0 && d_.fixedEditRows == 0) {
        pass({0, 0}, 0, h.FixedBoundary, 0, v.FixedBoundary, d_.fixedColor, gdFixed);
        pass({d_.topLeft.X, 0}, scrollX, h.GridBoundary, 0, v.FixedBoundary, d_.fixedColor, gdFixed);
        if (dataRows) {
            pass({0, d_.topLeft.Y}, 0, h.FixedBoundary, v.FixedBoundary, v.GridBoundary, d_.fixedColor, gdFixed);
            pass(d_.topLeft, scrollX, h.GridBoundary, v.FixedBoundary, v.GridBoundary, color, 0);
        }
    } else {
        // The locked heads keep the fixed look; where the fixed-edit band meets
        // editable cells it is drawn as data.
        pass({0, 0}, 0, h.LockedBoundary, 0, v.LockedBoundary, d_.fixedColor, gdFixed);
        if (d_.fixedEditCols > 0)
            pass({c0, 0}, h.LockedBoundary, h.FixedBoundary, 0, v.LockedBoundary, d_.fixedColor, gdFixed);
        pass({d_.topLeft.X, 0}, scrollX, h.GridBoundary, 0, v.LockedBoundary, d_.fixedColor, gdFixed);
        if (d_.fixedEditRows > 0)
            pass({0, r0}, 0, h.LockedBoundary, v.LockedBoundary, v.FixedBoundary, d_.fixedColor, gdFixed);
        if (dataRows)
            pass({0, d_.topLeft.Y}, 0, h.LockedBoundary, v.FixedBoundary, v.GridBoundary, d_.fixedColor, gdFixed);
        if (d_.fixedEditCols > 0 && d_.fixedEditRows > 0)
            pass({c0, r0}, h.LockedBoundary, h.FixedBoundary, v.LockedBoundary, v.FixedBoundary, color, 0);
        if (d_.fixedEditRows > 0)
            pass({d_.topLeft.X, r0}, scrollX, h.GridBoundary, v.LockedBoundary, v.FixedBoundary, color, 0);
        if (d_.fixedEditCols > 0 && dataRows)
            pass({c0, d_.topLeft.Y}, h.LockedBoundary, h.FixedBoundary, v.FixedBoundary, v.GridBoundary, color, 0);
        if (dataRows)
            pass(d_.topLeft, scrollX, h.GridBoundary, v.FixedBoundary, v.GridBoundary, color, 0);
    }

    // Beyond the last column and row.
    const TRect client = grid_.ClientRect();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(grid_.HasOption(goFixedColorExtent) ? d_.fixedColor : color);
    if (h.GridBoundary < client.Right)
        canvas.FillRect({h.GridBoundary, 0, client.Right, v.GridBoundary});
    if (v.GridBoundary < client.Bottom)
        canvas.FillRect({0, v.GridBoundary, client.Right, client.Bottom});

    const bool focused = grid_.IsActiveControl();
    const TSelectionDecorations deco = d_.selections->Decorations(d_.readOnly, false, focused, grid_.EditorMode());
    if (!deco.Outlines.empty() || deco.Grip) {
        TPen& pen = canvas.Pen();
        pen.SetStyle(psSolid);
        pen.SetMode(pmCopy);
        for (const TSelectionOutline& o : deco.Outlines) {
            pen.SetWidth(o.PenWidth);
            pen.SetColor(o.PenColor);
            canvas.Brush().SetStyle(bsClear);
            canvas.Rectangle(o.Rect);
        }
        if (deco.Grip) {
            pen.SetWidth(1);
            pen.SetColor(clWhite);
            canvas.Brush().SetStyle(bsSolid);
            canvas.Brush().SetColor(deco.Grip->FillColor);
            canvas.Rectangle(deco.Grip->Rect);
        }
        canvas.Brush().SetStyle(bsSolid);
    }

    if (frameEmptyHeads_ && (d_.fixedRows == 0 || d_.fixedCols == 0)) {
        TPen& pen = canvas.Pen();
        pen.SetStyle(psSolid);
        pen.SetMode(pmCopy);
        pen.SetWidth(1);
        pen.SetColor(d_.gridLineColor);
        if (d_.fixedRows == 0) {
            canvas.MoveTo(0, 0);
            canvas.LineTo(h.GridBoundary, 0);
        }
        if (d_.fixedCols == 0) {
            canvas.MoveTo(0, 0);
            canvas.LineTo(0, v.GridBoundary);
        }
    }
}
