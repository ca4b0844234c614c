#pragma once

// The grid's pointer handling: presses, drags and releases in every mouse
// state, sizing and moving of columns and rows by their heads, the dotted and
// solid exclusive-or lines that follow the mouse meanwhile, and the
// auto-scroll timer that carries a drag past the edges of the view. Columns
// and rows go through the same steps, one axis at a time.

#include <functional>

#include "grid/layout/GridAxisLayout.h"
#include "grid/layout/GridDragTracker.h"
#include "grid/layout/GridTypes.h"
#include "platform/canvas/CanvasTypes.h"
#include "platform/framework/Messages.h"

class TTavikCustomGrid;
class IGridEditorHost;
class IGridPointerHost;
struct TGridCoreState;

class TGridPointer {
public:
    // The window layer's own handling of an event, run where the grid passes it on.
    using TPassOn = std::function<void()>;
    // The auto-scroll timer of the grid window, and its step.
    static constexpr unsigned AutoScrollTimer = 1;
    static constexpr int AutoScrollInterval = 60;
    // The program's own cursors for a range fill and a range move.
    static constexpr TCursor crGridFill = 32600;
    static constexpr TCursor crGridMove = 32601;
    enum TScrollDirection : uint8_t { sdLeft = 1, sdRight = 2, sdUp = 4, sdDown = 8 };

    TGridPointer(TTavikCustomGrid& grid, IGridPointerHost& host, IGridEditorHost& editor, TGridCoreState& state);

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y, const TPassOn& passOn);
    void MouseMove(int x, int y);
    void MouseUp(int x, int y, const TPassOn& passOn);
    // A drag ends as a cancelled one, its line erased.
    void CancelMode();
    // One step of the auto-scroll timer.
    void TimerFired();
    // Moves the anchor one shown cell toward each direction (TScrollDirection).
    void TimedScroll(unsigned directions);

    void CalcSizingState(int x, int y, const TGridLayout& layout, int& offset, int& pos, int& index,
                         TGridMouseState& state);
    // --- the core's answers to the pointer host's questions ---
    // OnQuerySpecRegion for the point.
    bool QuerySpecialRegion(int x, int y);
    // Raises BestWidthRequest for the column whose border lies under the point.
    bool BestWidthHit(int x, int y);
    // Refuses targets outside the move's limits and ones that would split a merged head.
    bool ColumnDragAllowed(int origin, int destination, const TPoint& mousePt);

    // The cursor the grid shows at HitPoint (crDefault: the Cursor property's).
    TCursor GridCursor();
    void ApplyGridCursor();

    // The sizing and moving in progress: the line being sized, the move's source, target and limits.
    const TGridDragTracker& Tracker() const { return tracker_; }
    bool ShowMoveLine() const { return showMoveLine_; }
    void SetShowMoveLine(bool value) { showMoveLine_ = value; }
    bool RowDragEnabled() const { return rowDragEnabled_; }
    void SetRowDragEnabled(bool value) { rowDragEnabled_ = value; }
    bool DragSelect() const { return dragSelect_; }
    void SetDragSelect(bool value) { dragSelect_ = value; }

private:
    TGridCoord PressedCell(int x, int y);
    void StartDragSelect(TGridCoord cell, const TGridLayout& layout);
    void DragSelectTo(int x, int y);
    void SelectHeadsTo(TGridAxis axis, unsigned directions);
    bool TryStartHeadMove(TGridCoord cell, TPoint point);
    void ComputeColMoveLimits(TGridCoord cell);
    bool TryStartRowDrag(TGridCoord cell, TPoint point);
    void BeginRowDragDrop();
    // Moves the target of a row or column move to the cell under the mouse,
    // scrolling one line at the edges of the view.
    void MoveAndScroll(TGridAxis axis, TPoint point, int cellIndex);
    void EndMove(TGridAxis axis, TPoint point);
    void EndSizing();
    void XorLine(TPoint from, TPoint to, int width, TPenStyle style, TColor color);
    void DrawSizingLine();
    void EraseSizingLine();
    void DrawMoveLine();
    void EraseMoveLine();

    TTavikCustomGrid& grid_;
    IGridPointerHost& host_;
    IGridEditorHost& editor_;
    TGridCoreState* const d_;
    TGridDragTracker tracker_;
    bool dragSelect_ = true;
    bool showMoveLine_ = true;
    bool rowDragEnabled_ = false;
};
