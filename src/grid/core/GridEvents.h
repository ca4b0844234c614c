#pragma once

// The grid core's own events: the notifications and queries of moving the
// current cell, sizing, editing permissions and range fills, which the draw
// grid publishes, and the unpublished handlers the view grid connects.

#include <QChar>

#include "grid/layout/GridTypes.h"
#include "platform/base/Object.h"
#include "platform/framework/Messages.h"

using TGridMoveCurrentEvent = TEvent<TObject*, TGridCoord, TGridCoord, TMoveReason>;
using TGridBeforeMoveCurrentEvent = TEvent<TObject*, TGridCoord, TGridCoord, TMoveReason, bool&>;
using TGridIndexEvent = TEvent<TObject*, int>;
using TGridQueryRowChangeEvent = TEvent<TObject*, int, bool&>;
using TGridQueryCellEvent = TEvent<TObject*, int, int, bool&>;
using TGridQueryEditorModeEvent = TEvent<TObject*, int, int, bool&, QChar>;
using TGridRangeChangedEvent = TEvent<TObject*, TGridRect, TGridRect>;
using TGridAuxCellQueryEvent = TEvent<TObject*, int, int, int&>;
using TGridSizeQueryEvent = TEvent<TObject*, int, int, int, bool&>;
using TGridMessageEvent = TEvent<TObject*, TMessage&>;

struct TGridEvents {
    TGridMoveCurrentEvent OnMoveCurrent;
    TGridBeforeMoveCurrentEvent OnBeforeMoveCurrent;
    TGridIndexEvent OnColWidthsChanged;
    TGridIndexEvent OnRowHeightsChanged;
    TGridQueryRowChangeEvent OnQueryRowChange;
    TGridQueryCellEvent OnQueryReadOnly;
    TGridQueryEditorModeEvent OnQueryEditorMode;
    TGridQueryCellEvent OnQuerySpecRegion;
    TGridRangeChangedEvent OnFillRangeChanged;
    TGridRangeChangedEvent OnMoveRangeChanged;
    // The edit messages (copy, paste and the like) reaching the grid window.
    TGridMessageEvent OnGridMessage;

    // Unpublished.
    TGridAuxCellQueryEvent AuxCellQuery1Handler;
    TGridAuxCellQueryEvent AuxCellQuery2Handler;
    TGridIndexEvent BestWidthRequest;
    TGridSizeQueryEvent ColSizeQuery;
    TGridSizeQueryEvent RowSizeQuery;
    TGridIndexEvent ColSizingLine;
    TGridIndexEvent RowSizingLine;
};
