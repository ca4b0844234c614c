// The paint pass: the passes over heads, fixed-edit band and data area, the
// area beyond the last cell, the selection decorations and the frame of
// empty heads. The per-cell steps live in GridPaintCells.cpp.

#include "grid/core/GridCoreState.h"
#include "grid/core/TavikCustomGrid.h"

#include "platform/base/AppContext.h"
#include "platform/canvas/Canvas.h"

namespace {

// Restores what the pass changed on the grid, also when a drawing step throws
// or a handler paints the grid again from inside a pass.
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

void TTavikCustomGrid::Paint(TCanvas& canvas)
{
    PaintGrid(canvas);
}

TCanvas& TTavikCustomGrid::PaintCanvas()
{
    if (d_->paintCanvas)
        return *d_->paintCanvas;
    // Measuring outside a paint needs a canvas without a surface.
    struct MeasuringCanvas {
        TCanvas canvas;
    };
    return AppContext().State<MeasuringCanvas>().canvas;
}

void TTavikCustomGrid::SetFrameEmptyHeads(bool value)
{
    if (Exchange(d_->frameEmptyHeads, value))
        Invalidate();
}

bool TTavikCustomGrid::IsActiveControl() const
{
    if (const TCustomForm* form = ParentForm())
        return form->ActiveControl() == this;
    return Focused();
}

void TTavikCustomGrid::PaintGrid(TCanvas& canvas)
{
    if (d_->updateLock > 0)
        return;
    PaintScope scope(d_->paintCanvas, canvas, d_->paintSelCached);
    if (!scope.Nested()) {
        d_->paintSelRanges.clear();
        for (int i = 0; i < d_->selections->Count(); ++i)
            d_->paintSelRanges.push_back(d_->selections->Items(i)->GetRange());
        d_->paintSelCached = true;
    }

    const TGridLayout layout = ComputeLayout();
    const TGridAxisLayout& h = layout.Horz;
    const TGridAxisLayout& v = layout.Vert;
    const int c0 = EditableCol();
    const int r0 = EditableRow();
    const bool dataRows = d_->fixedRows < d_->rowCount;
    const TColor color = Color();
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
    const int scrollX = h.FixedBoundary - d_->colOffset;
    if (d_->fixedEditCols == 0 && d_->fixedEditRows == 0) {
        pass({0, 0}, 0, h.FixedBoundary, 0, v.FixedBoundary, d_->fixedColor, gdFixed);
        pass({d_->topLeft.X, 0}, scrollX, h.GridBoundary, 0, v.FixedBoundary, d_->fixedColor, gdFixed);
        if (dataRows) {
            pass({0, d_->topLeft.Y}, 0, h.FixedBoundary, v.FixedBoundary, v.GridBoundary, d_->fixedColor, gdFixed);
            pass(d_->topLeft, scrollX, h.GridBoundary, v.FixedBoundary, v.GridBoundary, color, 0);
        }
    } else {
        // The locked heads keep the fixed look; where the fixed-edit band meets
        // editable cells it is drawn as data.
        pass({0, 0}, 0, h.LockedBoundary, 0, v.LockedBoundary, d_->fixedColor, gdFixed);
        if (d_->fixedEditCols > 0)
            pass({c0, 0}, h.LockedBoundary, h.FixedBoundary, 0, v.LockedBoundary, d_->fixedColor, gdFixed);
        pass({d_->topLeft.X, 0}, scrollX, h.GridBoundary, 0, v.LockedBoundary, d_->fixedColor, gdFixed);
        if (d_->fixedEditRows > 0)
            pass({0, r0}, 0, h.LockedBoundary, v.LockedBoundary, v.FixedBoundary, d_->fixedColor, gdFixed);
        if (dataRows)
            pass({0, d_->topLeft.Y}, 0, h.LockedBoundary, v.FixedBoundary, v.GridBoundary, d_->fixedColor, gdFixed);
        if (d_->fixedEditCols > 0 && d_->fixedEditRows > 0)
            pass({c0, r0}, h.LockedBoundary, h.FixedBoundary, v.LockedBoundary, v.FixedBoundary, color, 0);
        if (d_->fixedEditRows > 0)
            pass({d_->topLeft.X, r0}, scrollX, h.GridBoundary, v.LockedBoundary, v.FixedBoundary, color, 0);
        if (d_->fixedEditCols > 0 && dataRows)
            pass({c0, d_->topLeft.Y}, h.LockedBoundary, h.FixedBoundary, v.FixedBoundary, v.GridBoundary, color, 0);
        if (dataRows)
            pass(d_->topLeft, scrollX, h.GridBoundary, v.FixedBoundary, v.GridBoundary, color, 0);
    }

    // Beyond the last column and row.
    const TRect client = ClientRect();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(HasOption(goFixedColorExtent) ? d_->fixedColor : color);
    if (h.GridBoundary < client.Right)
        canvas.FillRect({h.GridBoundary, 0, client.Right, v.GridBoundary});
    if (v.GridBoundary < client.Bottom)
        canvas.FillRect({0, v.GridBoundary, client.Right, client.Bottom});

    const bool focused = IsActiveControl();
    const TSelectionDecorations deco = d_->selections->Decorations(d_->readOnly, false, focused, EditorMode());
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

    if (d_->frameEmptyHeads && (d_->fixedRows == 0 || d_->fixedCols == 0)) {
        TPen& pen = canvas.Pen();
        pen.SetStyle(psSolid);
        pen.SetMode(pmCopy);
        pen.SetWidth(1);
        pen.SetColor(d_->gridLineColor);
        if (d_->fixedRows == 0) {
            canvas.MoveTo(0, 0);
            canvas.LineTo(h.GridBoundary, 0);
        }
        if (d_->fixedCols == 0) {
            canvas.MoveTo(0, 0);
            canvas.LineTo(0, v.GridBoundary);
        }
    }
}
