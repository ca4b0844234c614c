#pragma once

// The base of the grid family: cells with fixed heads, the current cell, the
// selection, the extents, the view, the options and all the geometry. The
// painter, the pointer and the in-place editor ask the grid through host
// interfaces that carry the neutral answers: the core declares only its own.

#include <memory>

#include "grid/core/GridEditorEvents.h"
#include "grid/core/GridEditorHost.h"
#include "grid/core/GridEvents.h"
#include "grid/core/GridShapeHooks.h"
#include "grid/core/pointer/GridPointerHost.h"
#include "grid/core/paint/GridPaintHost.h"
#include "grid/layout/GridAxisLayout.h"
#include "grid/layout/GridExtents.h"
#include "grid/selection/SelectionHost.h"
#include "grid/selection/Selections.h"
#include "platform/framework/Form.h"
#include "platform/framework/WinControl.h"

class TGridPainter;
struct TGridCoreState;
struct TGridKeyContext;

class TTavikCustomGrid : public TCustomControl, public TGridEvents, public TGridEditorEvents,
                         public ISelectionHost, protected IGridPointerHost, protected IGridEditorHost,
                         protected IGridPaintHost, protected IGridShapeHooks {
public:
    explicit TTavikCustomGrid(TComponent* owner);
    ~TTavikCustomGrid() override;
    static constexpr const char* StaticClassName() { return "TTavikCustomGrid"; }
    const char* ClassName() const override { return StaticClassName(); }

    // --- overridable operations, in slot order ---
    virtual int MergeId(int col, int row) { return 0; }
    virtual int GetRowHeight(int row) const;
    virtual int NextShownRow(int from, int end) const;
    virtual int PrevShownRow(int from, int stop) const;
    virtual void SetRowHeight(int row, int value);
    virtual bool RowHasChildren(int row);
    virtual uint8_t RowLevel(int row) { return 0; }
    virtual bool RowExpanded(int row) { return false; }
    virtual void SetRowExpanded(int row, bool expanded) {}
    virtual void SetColCount(int value);
    virtual void SetRowCount(int value);
    virtual bool HasEditParts(int col, int row) { return false; }
    virtual void DeleteCol(int col);
    virtual bool IsCellSelected(int col, int row);
    void RepaintCell(int col, int row) override;
    // -1 stands for the current row; head rows are never deleted, RowCount appends.
    virtual void DeleteRow(int row);
    virtual void InsertRow(int row);
    // The current cell, the anchor and the edited cell travel with the moved entry.
    virtual void MoveColumn(int from, int to);
    virtual void MoveRow(int from, int to);

    // --- the in-place editor; cancelling drops the text, hiding writes it back ---
    TGridEditing& Editing() const override;
    virtual void HideEditor();
    virtual void ShowEditor(QChar ch);
    virtual void CancelEditor();
    virtual bool CanHideEditor();
    bool EditorMode() const;
    void SetEditorMode(bool on) override;

    // --- properties ---
    int ColCount() const override;
    int RowCount() const override;
    int FixedCols() const override;
    void SetFixedCols(int value);
    int FixedRows() const override;
    void SetFixedRows(int value);
    int FixedEditCols() const override;
    void SetFixedEditCols(int value);
    int FixedEditRows() const override;
    void SetFixedEditRows(int value);
    int EditableCol() const;
    int EditableRow() const;
    int DefaultColWidth() const;
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const;
    void SetDefaultRowHeight(int value);
    int ColWidths(int col) const;
    void SetColWidths(int col, int value);
    void SetRowHeights(int row, int value) { SetRowHeight(row, value); }
    // The own widths and heights, as the stored form writes them.
    const TGridExtents& ColExtents() const;
    const TGridExtents& RowExtents() const;
    TColor FixedColor() const;
    void SetFixedColor(TColor value);
    int GridLineWidth() const;
    void SetGridLineWidth(int value);
    TColor GridLineColor() const;
    void SetGridLineColor(TColor value);
    TColor BoundLineColor() const;
    void SetBoundLineColor(TColor value);
    TFormBorderStyle BorderStyle() const;
    void SetBorderStyle(TFormBorderStyle value);
    TScrollStyle ScrollBars() const;
    void SetScrollBars(TScrollStyle value);
    TGridOptions Options() const;
    void SetOptions(TGridOptions value);
    bool HasOption(TGridOption option) const override;
    TGridOptionExs OptionExs() const;
    void SetOptionExs(TGridOptionExs value);
    bool HasOptionEx(TGridOptionEx option) const override;
    bool Flat() const;
    void SetFlat(bool value);
    bool ReadOnly() const;
    void SetReadOnly(bool value);
    bool DefaultDrawing() const;
    void SetDefaultDrawing(bool value);

    // --- the current cell, the selection and the view ---
    TGridCoord Current() const override;
    int CurrentCol() const;
    void SetCurrentCol(int col) override;
    int CurrentRow() const;
    void SetCurrentRow(int row) override;
    TGridCoord Anchor() const override;
    void SetAnchor(TGridCoord anchor) override;
    // Current as given: no events, no selection change, no scrolling.
    void PlaceCurrent(TGridCoord current) override;
    void MoveCurrent(int col, int row, bool replaceSelections, bool askFirst, bool show, bool moveAnchor) override;
    void FocusCell(int col, int row, bool moveAnchor);
    TMoveReason LastMoveReason() const;
    TGridMouseState MouseState() const override;
    TSelections& Selections() const;
    TGridRect SelectionRect() override;
    TGridCoord TopLeft() const override;
    void SetTopLeft(int col, int row);
    int VisibleColCount();
    int VisibleRowCount();
    // True while the grid is its form's active control (without a form: focused).
    bool IsActiveControl() const;
    TGridLayout ComputeLayout();
    TGridCoord PointToCell(int x, int y);
    TRect CellBounds(int col, int row);
    TGridRect MergedArea(int col, int row);
    TGridCoord MaxTopLeft(TGridCoord coord);

    // --- painting; changes between BeginUpdate and EndUpdate repaint once ---
    TGridPainter& Painter() const;
    void BeginUpdate();
    void EndUpdate();
    bool IsDestroying() const override { return TCustomControl::IsDestroying(); }

    // --- the window layer; KeyDown leaves the key it acted on in key (Enter as Tab becomes Tab) ---
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(QChar& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoMouseWheel(TShiftState shift, int delta, TPoint pos) override;
    void TimerFired(unsigned id) override;
    void DoExit() override;

protected:
    // --- the core's steps that descendants refine ---
    virtual void ChangeSize(int newColCount, int newRowCount);
    // Inserts (amount > 0) or deletes (amount < 0) rows or columns at index.
    virtual void AdjustSize(int index, int amount, bool rows);
    // Sets RowCount, keeping the view and the current cell as far as they still exist.
    virtual void SetRowCountKeepView(int value);
    virtual void SetMergeId(int col, int row, int id) {}
    virtual int ParentRow(int row);
    virtual bool RowHasNextSibling(int row);
    virtual bool IsTree() { return false; }
    virtual void ColWidthChanged(int col) { OnColWidthsChanged(this, col); }
    virtual void RowHeightChanged(int row) { OnRowHeightsChanged(this, row); }
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual bool SelectCell(int col, int row) { return true; }
    // An open editor follows the view.
    virtual void TopLeftChanged();
    virtual bool SetScrollBarRange(TGridScrollBarKind bar, int min, int max);
    virtual int AuxCellQuery1(int col, int row);
    virtual int AuxCellQuery2(int col, int row);
    virtual bool CanGridAcceptKey(Word key, TShiftState shift);
    virtual void RepaintRow(int row);
    virtual TColor SelectionTint();

    // --- the hooks of the selection set, the pointer, the editor and the painter that the core answers ---
    TGridRect WidenToMergedAreas(const TGridRect& rect) override;
    TRect BoxBounds(const TGridRect& rect, bool withLines) override;
    void MakeCellVisible(TGridCoord coord) override;
    void RepaintRangeChange(const TGridRect& from, const TGridRect& to, bool changeOnly, bool withHeads) override;
    void RepaintAll() override { Invalidate(); }
    void SelectionNotify(TGridSelection* selection, TSelectoinNotification action) override;
    void FillRangeChanged(const TGridRect& source, const TGridRect& target) override;
    void MoveRangeChanged(const TGridRect& source, const TGridRect& target) override;
    void SetMouseState(TGridMouseState state) override;
    void StartAutoScroll() override;
    bool BeforeMoveCurrent(TGridCoord cell) override;
    bool QueryRowChange() override;
    void CurrentMoved(TGridCoord oldCurrent, TMoveReason reason) override;
    void ModifyScrollBar(TGridScrollBarKind bar, unsigned code, int pos) override;
    void GridClick() override { TCustomControl::Click(); }
    void DrawCellBackground(int col, int row, TGridDrawState state, const TRect& rect) override;
    void DrawCellDecoration(int col, int row, TGridDrawState state, const TRect& rect) override;
    void DrawMergedCells(const TGridPaintPass& pass) override;

    // --- the window layer ---
    void Paint(TCanvas& canvas) override;
    void Loaded() override;
    void Resize() override;
    void FontChanged() override;
    void VisibleChanged() override;
    void SyncWidget() override;
    void DoEnter() override;
    // Grid commands (WM_USER + 1000 .. 1044), EM_SETSEL, scroll and cursor messages.
    void WndProc(TMessage& message) override;
    unsigned DialogCode() const override;
    // The grid raises its click itself (GridClick), not after every release.
    void Click() override {}
    bool TakesInputMethod() const override { return true; }
    TWinControl* CompositionWindow(bool composing) override;
    TRect InputCaretRect() override;

    // --- for descendants ---
    TGridPointer& Pointer() const override;
    int UpdateLock() const;
    void InvalidateGridRect(const TGridRect& rect);
    void UpdateScrollRange();
    // For descendants that keep heights with their rows; EndUpdate sees a change under a lock.
    TGridExtents& RowExtentsForUpdate();
    void NoteExtentsChangedInLock();

private:
    friend class GridTestAccess;
    void FocusLost(bool toEditor);
    void CancelMode() override;
    void RepaintHeads(const TGridRect& rect);
    void UpdateScrollPos();
    // Steps 1 to 4 of a scroll, after TopLeft was stored.
    void TopLeftMoved(TGridCoord oldTopLeft);
    void ResetPosition();
    void ReseatPosition(TGridCoord previous);
    void ResizeUpdate(int oldColCount, int oldRowCount, const TGridLayout* oldLayout);
    TGridKeyContext KeyContext();
    bool RowUnusable(int col, int row);
    bool ColUnusable(int col, int row);
    std::unique_ptr<TCanvas> DragLineCanvas() override { return SurfaceCanvas(); }
    void ShowPointerCursor(TCursor cursor) override { SetWidgetCursor(cursor); }

    std::unique_ptr<TGridCoreState> const d_;
};
