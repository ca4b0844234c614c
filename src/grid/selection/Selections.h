#pragma once

// A grid's list of selections. The last one is what mouse and keyboard extend;
// the others stay put while goMultiSelection lets the user add more. The set
// also drives the dragging of a single range to fill a neighbouring range or
// to move it: it keeps the source and target of that drag and reports them.

#include <memory>
#include <optional>
#include <vector>

#include "grid/selection/GridSelection.h"
#include "grid/selection/SelectionHost.h"
#include "platform/canvas/Color.h"

// One outline of the selection decorations, drawn with a clear brush.
struct TSelectionOutline {
    TRect Rect;
    int PenWidth = 1;
    TColor PenColor = clBlack;
    friend bool operator==(const TSelectionOutline&, const TSelectionOutline&) = default;
};

// The fill handle: a filled square with a 1-pixel white pen.
struct TSelectionGrip {
    TRect Rect;
    TColor FillColor = clBlack;
    friend bool operator==(const TSelectionGrip&, const TSelectionGrip&) = default;
};

struct TSelectionDecorations {
    std::vector<TSelectionOutline> Outlines; // in drawing order
    std::optional<TSelectionGrip> Grip;      // drawn after the outlines
};

class TSelections {
public:
    explicit TSelections(ISelectionHost* grid);
    ~TSelections();
    TSelections(const TSelections&) = delete;
    TSelections& operator=(const TSelections&) = delete;

    ISelectionHost* Grid() const { return FGrid; }

    void Add(std::unique_ptr<TGridSelection> selection, bool clearFirst);
    // A range starting in the locked heads is dropped.
    void SetRange(const TGridRect& range, bool clearFirst);
    void Delete(int index);
    void Clear();
    void ReplaceLast(std::unique_ptr<TGridSelection> selection);

    // EmptyRange, (0, 0, 0, 0), when the set is empty.
    TGridSelection* Last() const;
    int Count() const { return static_cast<int>(FItems.size()); }
    bool IsEmpty() const { return FItems.empty(); }
    // At least one selection, and every one a row selection.
    bool AllRows() const;
    TGridSelection* Items(int index) const;

    // Copies of all selections for the same grid, made without notifications.
    std::unique_ptr<TSelections> Clone() const;

    bool TouchesLine(int col, int row) const;
    bool CoversLine(int col, int row) const;
    // The grid's IsCellSelected.
    bool Contains(TGridCoord cell) const;

    // The editable area's whole extent, then a full repaint (EM_SETSEL).
    void SelectAll();
    // The last selection with its lines and heads; used on focus changes.
    void RepaintSelection();

    // The anchor move of Shift-clicks, drags and auto-scroll.
    void ExtendSelection(TGridCoord cell);

    // A left press on a valid cell in no sizing, moving or range state.
    // Selects whole rows, columns or everything through the heads when the
    // options allow, else the clicked range. False when the press ends
    // without OnMouseDown (the row change was refused). hadSeveral: the set
    // held more than one selection when the press began, before the press's
    // current-cell move cut it down; a plain press then repaints everything.
    bool SelectOnPress(TGridCoord cell, bool shift, bool ctrl, bool hadSeveral);

    // Pixel rectangle of the last selection without lines; empty when the set
    // is empty or the range is out of view.
    TRect SelectionBounds() const;
    bool HitsFillHandle(TPoint point) const;
    bool HitsBorder(TPoint point) const;

    // Range fill and move by mouse. Begin when the press lands on the handle
    // or border (the grid sets MouseState); End at the release. Ending what
    // never began is a programming error.
    const TGridRect& FillSource() const { return FFillSource; }
    const TGridRect& FillTarget() const { return FFillTarget; }
    void BeginRangeDrag();
    void EndRangeFill();
    void EndRangeMove();
    // Drops a range drag that ended without a release (a refused move, a
    // cancel-mode request); source and target become zero. Nothing when none runs.
    void CancelRangeDrag();

    // What the paint pass draws over the cells. Nothing when read-only, while
    // designing, or without goRangeFilling and goRangeMoving.
    TSelectionDecorations Decorations(bool readOnly, bool designing, bool focused, bool editorMode) const;

private:
    int C0() const;
    int R0() const;
    TGridRect LastRange() const;
    void CheckCell(TGridCoord cell) const;
    TGridCoord LimitToSplitRun(TGridCoord target) const;
    void EndRangeDrag();

    ISelectionHost* FGrid;
    std::vector<std::unique_ptr<TGridSelection>> FItems;
    TRangeSelection FEmptyRange{TGridRect{0, 0, 0, 0}};
    TGridRect FFillSource{};
    TGridRect FFillTarget{};
    bool FRangeDrag = false;
};
