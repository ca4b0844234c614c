// The cursor shapes of the grid: the split cursors over sizing zones and the
// program's own range-fill and range-move cursors, drawn here.

#include "grid/core/GridCoreState.h"
#include "grid/core/GridCursorImages.h"
#include "grid/core/TavikCustomGrid.h"
#include "platform/base/AppContext.h"

namespace {

void RegisterGridCursorsOnce()
{
    // The cursors live in the application context, with this mark.
    struct GridCursorsRegistered {
        bool done = false;
    };
    bool& registered = AppContext().State<GridCursorsRegistered>().done;
    if (registered)
        return;
    registered = true;
    TControl::RegisterCursor(TTavikCustomGrid::crGridFill, *GridCursorImages::Fill(), GridCursorImages::FillHotSpot());
    TControl::RegisterCursor(TTavikCustomGrid::crGridMove, *GridCursorImages::Move(), GridCursorImages::MoveHotSpot());
}

} // namespace

TCursor TTavikCustomGrid::GridCursor()
{
    const TGridLayout layout = ComputeLayout();
    TGridMouseState state = d_->mouseState;
    const bool beforeDrag = state == gmsNone;
    if (beforeDrag) {
        int offset = 0;
        int pos = 0;
        int index = -1;
        CalcSizingState(d_->tracker.HitPoint.X, d_->tracker.HitPoint.Y, layout, offset, pos, index, state);
    }
    auto over = [](int p, const TGridAxisLayout& a) { return p >= a.LockedBoundary && p < a.FixedBoundary; };
    const bool overEditCols = over(d_->tracker.HitPoint.X, layout.Horz);
    const bool overEditRows = over(d_->tracker.HitPoint.Y, layout.Vert);
    switch (state) {
    case gmsRowResizing: return beforeDrag && overEditCols ? TCursor(crDefault) : TCursor(crVSplit);
    case gmsColResizing: return beforeDrag && overEditRows ? TCursor(crDefault) : TCursor(crHSplit);
    case gmsRangeFilling: return beforeDrag && overEditRows ? TCursor(crDefault) : crGridFill;
    case gmsRangeMoving: return beforeDrag && overEditRows ? TCursor(crDefault) : crGridMove;
    default: return crDefault;
    }
}

void TTavikCustomGrid::ApplyGridCursor()
{
    // The drag cursor of a row drag stays until the drop.
    if (d_->tracker.RowDragActive)
        return;
    const TCursor cursor = GridCursor();
    if (cursor == crGridFill || cursor == crGridMove)
        RegisterGridCursorsOnce();
    SetWidgetCursor(cursor);
}
