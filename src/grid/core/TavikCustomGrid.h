#pragma once

// The base of the grid family: ColCount x RowCount cells, of which the first
// FixedCols columns and FixedRows rows are fixed heads; the last FixedEditCols
// and FixedEditRows of those do not scroll yet act as data cells. The core keeps
// the current cell, the anchor, the selection, per-column widths and per-row
// heights, the scroll position and the option sets, and computes all geometry.
// Descendants refine it through the virtual operations below.

#include <memory>
#include <vector>

#include <QChar>

#include "grid/core/GridEditorHost.h"
#include "grid/core/GridPointerHost.h"
#include "grid/layout/CellTypes.h"
#include "grid/layout/EditTypes.h"
#include "grid/layout/GridAxisLayout.h"
#include "grid/layout/GridExtents.h"
#include "grid/layout/GridScrollBarStates.h"
#include "grid/layout/GridTypes.h"
#include "grid/selection/SelectionHost.h"
#include "grid/selection/Selections.h"
#include "platform/framework/accessibility/AccessibleBridge.h"
#include "platform/canvas/CanvasTypes.h"
#include "platform/framework/Form.h"
#include "platform/framework/WinControl.h"

class TCanvas;
class TGridEditing;
class TGridPointer;
class TInplaceEdit;
struct TGridKeyContext;
struct TGridCoreState;


using TGridMoveCurrentEvent = TEvent<TObject*, TGridCoord, TGridCoord, TMoveReason>;
using TGridBeforeMoveCurrentEvent = TEvent<TObject*, TGridCoord, TGridCoord, TMoveReason, bool&>;
using TGridIndexEvent = TEvent<TObject*, int>;
using TGridQueryRowChangeEvent = TEvent<TObject*, int, bool&>;
using TGridQueryCellEvent = TEvent<TObject*, int, int, bool&>;
using TGridQueryEditorModeEvent = TEvent<TObject*, int, int, bool&, QChar>;
using TGridRangeChangedEvent = TEvent<TObject*, TGridRect, TGridRect>;
using TGridAuxCellQueryEvent = TEvent<TObject*, int, int, int&>;

class TTavikCustomGrid : public TCustomControl,
                         public ISelectionHost,
                         private IGridPointerHost,
                         private IGridEditorHost {
public:
    static constexpr int ScrollBarScale = 127;

    explicit TTavikCustomGrid(TComponent* owner);
    ~TTavikCustomGrid() override;
    static constexpr const char* StaticClassName() { return "TTavikCustomGrid"; }
    const char* ClassName() const override { return StaticClassName(); }

    // --- overridable operations, in slot order ---
    virtual int MergeId(int col, int row) { return 0; }
    virtual int GetRowHeight(int row) const;
    // Shown-row searches that agree with GetRowHeight (see TGridExtentLookup),
    // so that layouts pass over runs of hidden rows at once.
    virtual int NextShownRow(int from, int end) const;
    virtual int PrevShownRow(int from, int stop) const;
    virtual void SetRowHeight(int row, int value);
    virtual bool RowHasChildren(int row);
    virtual uint8_t RowLevel(int row) { return 0; }
    virtual bool RowExpanded(int row) { return false; }
    virtual void SetRowExpanded(int row, bool expanded) {}
    virtual void SetColCount(int value);
    virtual void SetRowCount(int value);
    virtual void ChangeSize(int newColCount, int newRowCount);
    virtual bool HasEditParts(int col, int row) { return false; }
    virtual bool AllSelectionsAreRows();
    // Moves the column to the end, then drops the last column.
    virtual void DeleteCol(int col);
    virtual bool IsCellSelected(int col, int row);
    void RepaintCell(int col, int row) override;
    // -1 stands for the current row. Head rows are never deleted.
    virtual void DeleteRow(int row);
    // -1 stands for the current row; RowCount appends.
    virtual void InsertRow(int row);

    // --- input queries: the core's answers; descendants publish them as events ---


    // --- painting ---
    // One rectangular pass: cells from Start, drawn from pixel (StartX, StartY)
    // while a cell begins before (StopX, StopY).
    struct TGridPaintPass {
        TGridCoord Start;
        int StartX = 0;
        int StartY = 0;
        int StopX = 0;
        int StopY = 0;
        TColor Color = clWindow;
        TGridDrawState State = 0;
    };
    // Draws the heads, the fixed-edit band and the data area in rectangular
    // passes, fills what lies beyond the last cell and draws the selection
    // decorations. Draws nothing while an update lock is held.
    virtual void PaintGrid(TCanvas& canvas);
    // The canvas of the running paint; a measuring canvas outside painting.
    TCanvas& PaintCanvas();
    void SetFrameEmptyHeads(bool value);
    // True while the grid is its form's active control (without a form: focused).
    bool IsActiveControl() const;

protected:
    void Paint(TCanvas& canvas) override;
    void DrawPass(const TGridPaintPass& pass);
    // The core's grid lines of one cell in merge mode.
    void DrawMergeLines(int col, int row, TGridDrawState state, const TRect& rect);

public:
    // --- notifications and queries ---
    // Inserts (amount > 0) or deletes (amount < 0) rows or columns at index,
    // keeping every other width or height with its row or column.
    virtual void AdjustSize(int index, int amount, bool rows);

    // --- the in-place editor (GridEditing) ---
    // Ends editing: EditorMode off, the text written back, the window hidden.
    virtual void HideEditor();
    // Starts editing the current cell when the queries allow it.
    virtual void ShowEditor(QChar ch);
    // Ends editing without writing the text back.
    virtual void CancelEditor();
    // OnQueryEditHide; a nested query answers false.
    virtual bool CanHideEditor();
    // The editor, its factory, the edited cell and the editing flags.
    TGridEditing& Editing() const;

    TGridCellEvent OnEditButtonClick;
    TGridQueryEditStyleEvent OnQueryEditStyle;
    TGridGetDropDownListEvent OnGetDropDownList;
    TGridListSelectedEvent OnDropDownListSelected;
    TGridBeforeListSelectedEvent OnBeforeDropDownListSelected;
    TGridQueryEditPropertyEvent OnQueryEditProperty;
    TGridQueryEditHideEvent OnQueryEditHide;
    TNotifyEvent OnEditorModeChanged;
    TGridGetTreeViewListEvent OnGetTreeViewList;
    TGridTreeViewListSelectedEvent OnTreeViewListSelected;
    TGridTreeNodeEvent TreeNodeDeletionHandler;
    TGridInplaceEditChangedEvent OnInplaceEditChanged;
    TGridQueryListStyleEvent OnQueryListStyle;
    TGridMeasureListItemEvent OnMeasureListItem;
    TGridDrawListItemEvent OnDrawListItem;

    // Sets RowCount, then scrolls back to the old view and current cell as far as they still exist.
    virtual void SetRowCountKeepView(int value);
    // The entry at from is taken out and put back at to; the current cell, the
    // anchor and the edited cell travel with it.
    virtual void MoveColumn(int from, int to);
    virtual void MoveRow(int from, int to);

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
    int DefaultColWidth() const;
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const;
    void SetDefaultRowHeight(int value);
    int ColWidths(int col) const;
    int NextShownCol(int from, int end) const;
    void SetColWidths(int col, int value);
    int RowHeights(int row) const { return GetRowHeight(row); }
    void SetRowHeights(int row, int value) { SetRowHeight(row, value); }
    int TabStops(int col) const;
    void SetTabStops(int col, bool value);
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
    bool HasOptionEx(TGridOptionEx option) const override;
    void SetOptionExs(TGridOptionExs value);
    bool Flat() const;
    void SetFlat(bool value);
    bool ReadOnly() const;
    void SetReadOnly(bool value);
    bool DefaultDrawing() const;
    void SetDefaultDrawing(bool value);
    bool SaveCellExtents() const;
    bool HasColExtents() const;
    bool HasRowExtents() const;
    const TGridExtents& ColExtents() const;
    const TGridExtents& RowExtents() const;

    TGridCoord Current() const override;
    TGridCoord Anchor() const override;
    void SetAnchor(TGridCoord anchor) override;
    // Current as given: no events, no selection change, no scrolling.
    void PlaceCurrent(TGridCoord current) override;
    TGridCoord TopLeft() const override;
    int CurrentCol() const;
    void SetCurrentCol(int col) override;
    int CurrentRow() const;
    void SetCurrentRow(int row) override;
    int VisibleColCount();
    int VisibleRowCount();
    TMoveReason LastMoveReason() const;
    void SetLastMoveReason(TMoveReason r);
    TGridMouseState MouseState() const override;
    void SetMouseState(TGridMouseState state) override;
    bool EditorMode() const;
    // Showing and hiding go through the editor seams, which keep the flag.
    void SetEditorMode(bool on) override;
    int ColOffset() const;
    const TGridScrollBarState& ScrollBarState(TGridScrollBarKind bar) const;
    int EditableRow() const;

    // --- geometry ---
    TGridLayout ComputeLayout();
    TGridCoord PointToCell(int x, int y);
    TRect CellBounds(int col, int row);
    TGridRect MergedArea(int col, int row);
    // Grows a range until every merged area touching its border lies inside.
    TGridRect WidenToMergedAreas(const TGridRect& rect) override;
    TGridCoord MaxTopLeft(TGridCoord coord);
    void SetTopLeft(int col, int row);
    TGridRect SelectionRect() override;

    // --- current cell ---
    void MoveCurrent(int col, int row, bool replaceSelections, bool askFirst, bool show, bool moveAnchor) override;
    void FocusCell(int col, int row, bool moveAnchor);

    // --- selections ---
    TSelections& Selections() const;
    // Source and target of a range fill or move by mouse.
    const TGridRect& FillSource() const;
    const TGridRect& FillTarget() const;

    // --- repainting ---
    void InvalidateGrid() { Invalidate(); }
    bool IsDestroying() const override { return TCustomControl::IsDestroying(); }
    void RepaintRangeChange(const TGridRect& oldRect, const TGridRect& newRect, bool changeOnly,
                            bool withHeads) override;
    void RepaintSelection();
    void BeginUpdate();
    void EndUpdate();
    int UpdateLock() const;


    // --- events ---
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
    TGridAuxCellQueryEvent AuxCellQuery1Handler;
    TGridAuxCellQueryEvent AuxCellQuery2Handler;

    // --- input ---
    using TGridSizeQueryEvent = TEvent<TObject*, int, int, int, bool&>;
    using TGridMessageEvent = TEvent<TObject*, TMessage&>;
    // Offsets from WM_USER of the grid commands.
    static constexpr unsigned GridCommandFirst = 1000;
    static constexpr unsigned GridCommandLast = 1044;
    static constexpr unsigned AutoScrollTimer = 1;
    static constexpr int AutoScrollInterval = 60;
    // The program's own cursors.
    static constexpr TCursor crGridFill = 32600;
    static constexpr TCursor crGridMove = 32601;

    // Keys. KeyDown leaves the key it acted on in key (Enter taken as Tab becomes Tab).
    void KeyDown(Word& key, TShiftState shift) override;
    // Characters reaching the grid window.
    void KeyPress(QChar& key) override;

    // Mouse. The window layer raises the double-click notification before the
    // press that carries ssDouble.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoMouseWheel(TShiftState shift, int delta, TPoint pos) override;
    // Presses, drags and releases, the sizing and moving of heads, auto-scroll.
    TGridPointer& Pointer() const;

    // Auto-scroll (timer 1) and its step.
    void TimerFired(unsigned id) override;
    enum TScrollDirection : uint8_t { sdLeft = 1, sdRight = 2, sdUp = 4, sdDown = 8 };

    bool KeyMoveActive() const;


    void FocusLost(bool toEditor);
    void DoExit() override;
    void CancelMode();

    // Unpublished handlers.
    TGridIndexEvent BestWidthRequest;
    TGridSizeQueryEvent ColSizeQuery;
    TGridSizeQueryEvent RowSizeQuery;
    TGridIndexEvent ColSizingLine;
    TGridIndexEvent RowSizingLine;
    TGridMessageEvent OnGridMessage;

protected:
    bool RowUnusable(int col, int row);
    bool ColUnusable(int col, int row);
    void HandleGridCommand(TMessage& message);
    void ExpandRows(bool expand, bool withDescendants);
    int FirstShownRow();
    int LastShownRow();

protected:
    // --- the selection host, the window layer and the input queries, for the core and descendants ---
    void NormalizeSelRect(const TGridRect& in, TGridRect& out) override { out = in; }
    virtual int ParentRow(int row);
    void FillRangeChanged(const TGridRect& source, const TGridRect& target) override;
    void MoveRangeChanged(const TGridRect& source, const TGridRect& target) override;
    // Flips the check cell's value where the grid lets it; true when stored.
    bool ToggleCheckCell(int col, int row) override { return false; }
    void AdjustEditorRect(int col, int row, TRect& out, const TRect& rect) override { out = rect; }
    bool BeginColumnDrag(int& origin, int& destination, const TPoint& mousePt) override { return true; }
    bool BeginRowDrag(int& origin, int& destination, const TPoint& mousePt) override { return true; }
    // The core refuses targets that would split a merged head.
    bool CheckColumnDrag(int& origin, int& destination, const TPoint& mousePt) override;
    bool EndRowDrag(int& origin, int& destination, const TPoint& mousePt) override { return true; }
    bool QueryColSizing(int index, const TPoint& mousePt) override { return true; }
    bool QueryRowSizing(int index, const TPoint& mousePt) override { return true; }
    void CurrentMoved(TGridCoord oldCurrent, TMoveReason reason) override;
    bool QueryRowChange() override;
    TRowStyle RowStyle(int row) override { return rsNormal; }
    void SelectionNotify(TGridSelection* selection, TSelectoinNotification action) override;
    void SetEditText(int col, int row, const QString& value) override {}
    int PrevShownCol(int from, int stop) const override;
    TRect BoxBounds(const TGridRect& rect, bool withLines) override;
    void MakeCellVisible(TGridCoord coord) override;
    // OnBeforeMoveCurrent from Current to the cell, with LastMoveReason.
    bool BeforeMoveCurrent(TGridCoord cell) override;
    // Dragging over heads scrolls on window timer 1.
    void StartAutoScroll() override { SetTimer(1, 60); }
    void RepaintAll() override { Invalidate(); }
    unsigned DialogCode() const override;
    // The grid raises its click notification itself (GridClick); the window
    // layer's click after every release would double it.
    void Click() override {}
    // Raises BestWidthRequest for the column whose border lies under the point.
    bool IsBestWidthHit(int x, int y) override;
    void DoEnter() override;

    // --- the core's own steps and the slots descendants refine ---
    virtual void SetMergeId(int col, int row, int id) {}
    virtual bool RowHasNextSibling(int row);
    virtual bool IsTree() { return false; }
    virtual void ColWidthChanged(int col) { OnColWidthsChanged(this, col); }
    virtual void RowHeightChanged(int row) { OnRowHeightsChanged(this, row); }
    virtual bool SetScrollBarRange(TGridScrollBarKind bar, int min, int max);
    int EditPartCount(int col, int row) override { return 0; }
    int CurrentEditPart(int col, int row) override { return 0; }
    void SetCurrentEditPart(int col, int row, int part) override {}
    bool GetEditPart(int col, int row, int part, int& fontHeight, TRect& rect, QString& text) override;
    virtual int AuxCellQuery1(int col, int row);
    virtual int AuxCellQuery2(int col, int row);
    bool IsSpecialRegion(int x, int y) override;
    bool ClickShowsEditor(int x, int y) override { return false; }
    // Check cells never open the editor: a space or a click (through
    // ShowEditor) toggles them in place instead.
    bool IsCheckCell(int col, int row) override { return false; }
    virtual TColor SelectionTint();
    virtual void DrawCell(int col, int row, TGridDrawState state, const TRect& rect) {}
    virtual void DrawMergedCell(int col, int row, const TRect& rect, TGridDrawState state) {}
    virtual bool SelectCell(int col, int row) { return true; }
    virtual void FixedRowsChanged(int oldFixedRows, int oldFixedEditRows) {}
    virtual void RepaintRow(int row);
    bool CheckRowDrag(int& origin, int& destination, const TPoint& mousePt) override { return true; }
    bool EndColumnDrag(int& origin, int& destination, const TPoint& mousePt) override { return true; }
    // --- painting steps, run for every visible cell of a pass ---
    virtual void DrawCellBackground(int col, int row, TGridDrawState state, const TRect& rect);
    virtual void DrawCellDecoration(int col, int row, TGridDrawState state, const TRect& rect);
    // Calls DrawMergedCell once for every merged area with a visible part in the pass.
    virtual void DrawMergedCells(const TGridPaintPass& pass);
    bool FrameEmptyHeads() const;
    bool FillCellBackground() const;
    void SetFillCellBackground(bool value);
    virtual void SizeChanging(int oldColCount, int oldRowCount) {}
    bool QueryReadOnly(int col, int row) override;
    virtual void ColumnMoved(int from, int to) {}
    virtual void RowMoved(int from, int to) {}
    virtual void SizeChanged(int oldColCount, int oldRowCount) {}
    // Moves an open editor along with the view.
    virtual void TopLeftChanged();
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    // Creates, loads and places the editor when it should be shown.
    void UpdateEdit() override;
    std::unique_ptr<TInplaceEdit> CreateEditor() override;
    bool CanEditShow() override;
    void EditorModeChanged() override { OnEditorModeChanged(this); }
    // The core's answers to the editor's questions raise the editor events.
    bool CanEditAcceptKey(QChar key) override { return true; }
    bool CanEditModify() const override;
    QString GetEditText(int col, int row) override { return {}; }
    QString GetEditMask(int col, int row) override { return {}; }
    int GetEditLimit() override { return 0; }
    // esCustom when the factory has an editor for the current cell, then OnQueryEditStyle.
    TEditStyle EditStyle() override;
    void EditProperty(TEditProperty& property) override;
    void GetDropDownList(QStringList& items, int& rows) override;
    void GetTreeViewList(TTreeNodes& nodes) override;
    void QueryListStyle(TListBoxStyle& style, int& itemHeight) override;
    void EditButtonClick() override;
    void InplaceEditChanged(const QString& text) override;
    void BeforeListSelected(const QStringList& items, QString& item) override;
    void ListSelected(const QString& item) override;
    void TreeViewListSelected(TTreeNode* node, QString& text) override;
    void TreeNodeDeleted(TTreeNode* node) override { TreeNodeDeletionHandler(this, node); }
    bool RepaintAllOnResize() const;
    void SetRepaintAllOnResize(bool value);
    int FirstVisibleCol() const;
    void SetFirstVisibleCol(int col);
    int FirstVisibleRow() const;
    void SetFirstVisibleRow(int row);
    // First column and row of the editable area.
    int EditableCol() const;
    void InvalidateGridRect(const TGridRect& rect);
    void RepaintHeads(const TGridRect& rect);
    // --- scroll bars ---
    void UpdateScrollPos();
    void UpdateScrollRange();
    virtual bool CanGridAcceptKey(Word key, TShiftState shift);
    void QueryEditorMode(bool& canShow, QChar ch) override;
    void GridClick() override { TCustomControl::Click(); }
    // Scroll bars: WM_HSCROLL / WM_VSCROLL on the 0..127 scale.
    void ModifyScrollBar(TGridScrollBarKind bar, unsigned code, int pos) override;
    // Focus and cancel mode.
    void FocusGained(bool fromEditor);
    // Commands (WM_USER + 1000 .. 1044), EM_SETSEL, scroll and cursor messages.
    void WndProc(TMessage& message) override;
    // Writes the text back and hides the editor window; EditorMode stays.
    void HideEdit() override;
    // Hands a typed character on to the editor window.
    virtual void PostCharToEditor(QChar ch);
    // A cancel-mode request for the editor (closes its drop-down).
    virtual void EditorCancelMode();
    // Whether control is the grid's own in-place editor window.
    virtual bool IsEditorWindow(const TWinControl* control) const;
    void ShowEditorChar(QChar ch);
    // Input methods: composed text goes to the cell editor, which the first
    // composition opens at the current cell; the candidate window sits there.
    bool TakesInputMethod() const override { return true; }
    TWinControl* CompositionWindow(bool composing) override;
    TRect InputCaretRect() override;

protected:
    void Loaded() override;
    void Resize() override;
    // The editor takes the grid's new font.
    void FontChanged() override;
    void VisibleChanged() override;
    void SyncWidget() override;
    bool HasWindow() const { return HasWidget(); }

    // Steps 1 to 4 of a scroll, after TopLeft was stored.
    void TopLeftMoved(TGridCoord oldTopLeft);
    void ResetPosition();
    void ReseatPosition(TGridCoord previous);
    void ResizeUpdate(int oldColCount, int oldRowCount, const TGridLayout* oldLayout);
    void AddToRect(const TGridRect& r, std::vector<TRect>& out, bool withLines);
    TGridCoord ClampToVisibleCell(TGridCoord c);

    // The grid's mutable row extents, for descendants that keep heights with their rows.
    TGridExtents& RowExtentsForUpdate();
    // Extents changed under an update lock; EndUpdate recomputes the view.
    void NoteExtentsChangedInLock();
    TGridKeyContext KeyContext();

private:
    // Pasting writes cells as a typed edit does, through the same checks.
    friend class TGridClipboard;

    std::unique_ptr<TCanvas> DragLineCanvas() override { return SurfaceCanvas(); }
    void ShowPointerCursor(TCursor cursor) override { SetWidgetCursor(cursor); }
    std::unique_ptr<TGridCoreState> const d_;
};
