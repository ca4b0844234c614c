#pragma once

// The grid core's fields, behind TTavikCustomGrid's one pointer. Only the core
// and its collaborators (painter, pointer, editing) see them; descendants go
// through the grid's protected interface.

#include <memory>
#include <vector>

#include "grid/layout/GridExtents.h"
#include "grid/layout/GridScrollBarStates.h"
#include "grid/layout/GridTypes.h"
#include "grid/selection/Selections.h"
#include "platform/canvas/CanvasTypes.h"
#include "platform/framework/Form.h"

class TCanvas;
class TGridEditing;
class TGridPainter;
class TGridPointer;

struct TGridCoreState {
    explicit TGridCoreState(ISelectionHost* host);
    ~TGridCoreState();

    int Count(TGridAxis axis) const { return axis == gaRows ? rowCount : colCount; }
    int Fixed(TGridAxis axis) const { return axis == gaRows ? fixedRows : fixedCols; }
    int FixedEdit(TGridAxis axis) const { return axis == gaRows ? fixedEditRows : fixedEditCols; }
    // First column or row of the editable area.
    int Editable(TGridAxis axis) const { return Fixed(axis) - FixedEdit(axis); }
    // Made first and freed last, so the whole life of the grid has a selection set.
    std::unique_ptr<TSelections> selections;
    TGridCoord anchor{1, 1};
    TFormBorderStyle borderStyle = bsSingle;
    int colCount = 5;
    TGridExtents tabStops;
    TGridCoord current{1, 1};
    int defaultColWidth = 72;
    int defaultRowHeight = 18;
    int fixedCols = 1;
    int fixedRows = 1;
    TColor fixedColor = clBtnFace;
    int gridLineWidth = 1;
    TColor gridLineColor = clSilver;
    TColor boundLineColor = clBlack;
    TGridOptions options = DefaultGridOptions;
    int rowCount = 5;
    TScrollStyle scrollBars = ssBoth;
    TGridCoord topLeft{1, 1};
    int colOffset = 0;
    bool defaultDrawing = true;
    int fixedEditCols = 0;
    int fixedEditRows = 0;
    TMoveReason lastMoveReason = mrProgram;
    bool flat = false;
    TGridOptionExs optionExs = GridOptionEx(goReturnKeyAsTab);
    bool readOnly = false;
    bool keyMoveActive = false;
    TGridExtents colWidths;
    TGridExtents rowHeights;
    TGridMouseState mouseState = gmsNone;
    TGridOptions designOptionsBoost = GridOption(goRowSizing) | GridOption(goColSizing);
    bool repaintAllOnResize = false;
    int updateLock = 0;
    bool extentsChangedInLock = false;
    TGridScrollBarStates scrollBarStates;
    std::unique_ptr<TGridPointer> pointer;

    std::unique_ptr<TGridEditing> editing;
    std::unique_ptr<TGridPainter> painter;
};
