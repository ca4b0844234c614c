// Scroll-bar commands on the fixed 0..127 scale, the pixel scrolling of a
// single-column grid, and the mouse wheel.

#include "grid/core/GridCoreState.h"
#include "grid/core/TavikCustomGrid.h"
#include "platform/canvas/Canvas.h"
#include "platform/canvas/text/Font.h"

void TTavikCustomGrid::ModifyScrollBar(TGridScrollBarKind bar, unsigned code, int pos)
{
    if (Visible() && CanFocus() && TabStop() && !Focused())
        SetFocus();
    const TGridLayout layout = ComputeLayout();

    if (bar == gsbHorz && d_->colCount == 1) {
        TCanvas measure;
        measure.Font().Assign(&Font());
        const int lineStep = measure.TextWidth(QStringLiteral("0"));
        const int dataWidth = ClientWidth() - layout.Horz.FixedBoundary;
        const int maxOffset = std::max(0, ColWidths(0) - dataWidth);
        int offset = d_->colOffset;
        switch (code) {
        case SB_LINEUP: offset -= lineStep; break;
        case SB_LINEDOWN: offset += lineStep; break;
        case SB_PAGEUP: offset -= dataWidth; break;
        case SB_PAGEDOWN: offset += dataWidth; break;
        case SB_THUMBPOSITION: offset = pos; break;
        case SB_THUMBTRACK:
            if (HasOption(goThumbTracking))
                offset = pos;
            break;
        case SB_TOP: offset = 0; break;
        case SB_BOTTOM: offset = maxOffset; break;
        default: break;
        }
        offset = std::clamp(offset, 0, maxOffset);
        if (offset == d_->colOffset)
            return;
        const int dx = d_->colOffset - offset;
        d_->colOffset = offset;
        const TRect data{layout.Horz.FixedBoundary, 0, ClientWidth(), ClientHeight()};
        ScrollSurface(dx, 0, data, data);
        InvalidateRect({0, 0, ClientWidth(), layout.Vert.FixedBoundary});
        Update();
        UpdateScrollPos();
        return;
    }

    const bool horz = bar == gsbHorz;
    const TGridAxisLayout& axis = horz ? layout.Horz : layout.Vert;
    const int top = horz ? d_->topLeft.X : d_->topLeft.Y;
    const int min = horz ? d_->fixedCols : d_->fixedRows;
    const int max = std::max(min, axis.MaxTopLeft((horz ? d_->colCount : d_->rowCount) - 1));
    auto hidden = [&](int i) { return (horz ? ColWidths(i) : GetRowHeight(i)) <= 0; };
    int value = top;
    for (;;) {
        const int previous = value;
        switch (code) {
        case SB_LINEUP: --value; break;
        case SB_LINEDOWN: ++value; break;
        case SB_PAGEUP: value -= std::max(1, top - axis.MaxTopLeft(top)); break;
        case SB_PAGEDOWN: value += std::max(1, axis.LastFullVisibleCell - top); break;
        case SB_THUMBPOSITION: value = min + MulDiv(pos, max - min, GridScrollBarScale); break;
        case SB_THUMBTRACK:
            if (HasOption(goThumbTracking))
                value = min + MulDiv(pos, max - min, GridScrollBarScale);
            break;
        case SB_TOP: value = min; break;
        case SB_BOTTOM: value = max; break;
        default: break;
        }
        // Hidden lines are passed over in the same direction.
        if (!(value > min && value < max && hidden(value) && value != previous))
            break;
    }
    value = std::clamp(value, min, max);
    if (value != top)
        SetTopLeft(horz ? value : d_->topLeft.X, horz ? d_->topLeft.Y : value);
}

bool TTavikCustomGrid::DoMouseWheel(TShiftState, int delta, TPoint)
{
    if (delta == 0)
        return true;
    const bool down = delta < 0;
    const int from = d_->current.Y;
    const int first = down ? from + 1 : from - 1;
    if (first >= d_->rowCount || first < EditableRow())
        return true;
    const int step = down ? 1 : -1;
    int row = first;
    while (row >= EditableRow() && row < d_->rowCount && RowUnusable(d_->current.X, row))
        row += step;
    if (row < EditableRow() || row >= d_->rowCount) {
        // Back the other way, but not past the current row.
        row = first;
        while (row != from && RowUnusable(d_->current.X, row))
            row -= step;
    }
    if (row != from)
        SetCurrentRow(row);
    return true;
}
