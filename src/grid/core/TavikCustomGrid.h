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

#include "grid/layout/CellTypes.h"
#include "grid/layout/EditTypes.h"
#include "grid/layout/GridAxisLayout.h"
#include "grid/layout/GridDragTracker.h"
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
class TInplaceEdit;
class TGridEditorFactory;
struct TGridKeyContext;


using TGridMoveCurrentEvent = TEvent<TObject*, TGridCoord, TGridCoord, TMoveReason>;
using TGridBeforeMoveCurrentEvent = TEvent<TObject*, TGridCoord, TGridCoord, TMoveReason, bool&>;
using TGridIndexEvent = TEvent<TObject*, int>;
using TGridQueryRowChangeEvent = TEvent<TObject*, int, bool&>;
using TGridQueryCellEvent = TEvent<TObject*, int, int, bool&>;
using TGridQueryEditorModeEvent = TEvent<TObject*, int, int, bool&, QChar>;
using TGridRangeChangedEvent = TEvent<TObject*, TGridRect, TGridRect>;
using TGridAuxCellQueryEvent = TEvent<TObject*, int, int, int&>;

class TTavikCustomGrid : public TCustomControl, public ISelectionHost {
public:
    static constexpr int ScrollBarScale = 127;

    explicit TTavikCustomGrid(TComponent* owner);
    ~TTavikCustomGrid() override;
    static constexpr const char* StaticClassName() { return "TTavikCustomGrid"; }
    const char* ClassName() const override { return StaticClassName(); }

    // --- overridable operations, in slot order ---
    virtual void NormalizeSelRect(const TGridRect& in, TGridRect& out) { out = in; }
    virtual int MergeId(int col, int row) { return 0; }
    virtual void SetMergeId(int col, int row, int id) {}
    virtual int GetRowHeight(int row) const { return rowHeights_.Get(row, defaultRowHeight_); }
    // Shown-row searches that agree with GetRowHeight (see TGridExtentLookup),
    // so that layouts pass over runs of hidden rows at once.
    virtual int NextShownRow(int from, int end) const { return rowHeights_.NextPositive(from, end, defaultRowHeight_); }
    virtual int PrevShownRow(int from, int stop) const { return rowHeights_.PrevPositive(from, stop, defaultRowHeight_); }
    virtual void SetRowHeight(int row, int value);
    virtual int ParentRow(int row);
    virtual bool RowHasChildren(int row);
    virtual bool RowHasNextSibling(int row);
    virtual bool IsTree() { return false; }
    virtual uint8_t RowLevel(int row) { return 0; }
    virtual bool RowExpanded(int row) { return false; }
    virtual void SetRowExpanded(int row, bool expanded) {}
    virtual void SetColCount(int value);
    virtual void SetRowCount(int value);
    virtual void ChangeSize(int newColCount, int newRowCount);
    virtual void ColWidthChanged(int col) { OnColWidthsChanged(this, col); }
    virtual void RowHeightChanged(int row) { OnRowHeightsChanged(this, row); }
    void FillRangeChanged(const TGridRect& source, const TGridRect& target) override;
    void MoveRangeChanged(const TGridRect& source, const TGridRect& target) override;
    virtual bool SetScrollBarRange(TGridScrollBarKind bar, int min, int max);
    virtual bool HasEditParts(int col, int row) { return false; }
    virtual int EditPartCount(int col, int row) { return 0; }
    virtual int CurrentEditPart(int col, int row) { return 0; }
    virtual void SetCurrentEditPart(int col, int row, int part) {}
    virtual bool GetEditPart(int col, int row, int part, int& fontHeight, TRect& rect, QString& text);
    virtual int AuxCellQuery1(int col, int row);
    virtual int AuxCellQuery2(int col, int row);
    virtual bool AllSelectionsAreRows();
    virtual bool IsSpecialRegion(int x, int y);
    virtual bool ClickShowsEditor(int x, int y) { return false; }
    // Check cells never open the editor: a space or a click (through
    // ShowEditor) toggles them in place instead.
    virtual bool IsCheckCell(int col, int row) { return false; }
    // Flips the check cell's value where the grid lets it; true when stored.
    virtual bool ToggleCheckCell(int col, int row) { return false; }
    virtual void AdjustEditorRect(int col, int row, TRect& out, const TRect& rect) { out = rect; }
    virtual TColor SelectionTint();
    virtual void DrawCell(int col, int row, TGridDrawState state, const TRect& rect) {}
    virtual void DrawMergedCell(int col, int row, const TRect& rect, TGridDrawState state) {}
    virtual bool SelectCell(int col, int row) { return true; }
    // Moves the column to the end, then drops the last column.
    virtual void DeleteCol(int col);
    virtual void FixedRowsChanged(int oldFixedRows, int oldFixedEditRows) {}
    virtual bool IsCellSelected(int col, int row);
    void RepaintCell(int col, int row) override;
    virtual void RepaintRow(int row);
    // -1 stands for the current row. Head rows are never deleted.
    virtual void DeleteRow(int row);
    // -1 stands for the current row; RowCount appends.
    virtual void InsertRow(int row);

    // --- input queries: the core's answers; descendants publish them as events ---
    virtual bool BeginColumnDrag(int& origin, int& destination, const TPoint& mousePt) { return true; }
    virtual bool BeginRowDrag(int& origin, int& destination, const TPoint& mousePt) { return true; }
    // The core refuses targets that would split a merged head.
    virtual bool CheckColumnDrag(int& origin, int& destination, const TPoint& mousePt);
    virtual bool CheckRowDrag(int& origin, int& destination, const TPoint& mousePt) { return true; }
    virtual bool EndColumnDrag(int& origin, int& destination, const TPoint& mousePt) { return true; }
    virtual bool EndRowDrag(int& origin, int& destination, const TPoint& mousePt) { return true; }
    virtual bool QueryColSizing(int index, const TPoint& mousePt) { return true; }
    virtual bool QueryRowSizing(int index, const TPoint& mousePt) { return true; }

    // --- painting steps, run for every visible cell of a pass ---
    virtual void DrawCellBackground(int col, int row, TGridDrawState state, const TRect& rect);
    virtual void DrawCellDecoration(int col, int row, TGridDrawState state, const TRect& rect);

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
    // Calls DrawMergedCell once for every merged area with a visible part in the pass.
    virtual void DrawMergedCells(const TGridPaintPass& pass);
    // The canvas of the running paint; a measuring canvas outside painting.
    TCanvas& PaintCanvas();
    bool FrameEmptyHeads() const { return frameEmptyHeads_; }
    void SetFrameEmptyHeads(bool value);
    bool FillCellBackground() const { return fillCellBackground_; }
    void SetFillCellBackground(bool value) { fillCellBackground_ = value; }
    // True while the grid is its form's active control (without a form: focused).
    bool IsActiveControl() const;

protected:
    void Paint(TCanvas& canvas) override;
    void DrawPass(const TGridPaintPass& pass);
    // The core's grid lines of one cell in merge mode.
    void DrawMergeLines(int col, int row, TGridDrawState state, const TRect& rect);

public:
    // --- notifications and queries ---
    void CurrentMoved(TGridCoord oldCurrent, TMoveReason reason) override
    {
        OnMoveCurrent(this, oldCurrent, current_, reason);
        NotifyAccessibleFocus(*this);
    }
    virtual void SizeChanging(int oldColCount, int oldRowCount) {}
    virtual bool QueryReadOnly(int col, int row);
    virtual void ColumnMoved(int from, int to) {}
    bool QueryRowChange() override;
    TRowStyle RowStyle(int row) override { return rsNormal; }
    virtual void RowMoved(int from, int to) {}
    void SelectionNotify(TGridSelection* selection, TSelectoinNotification action) override;
    // Inserts (amount > 0) or deletes (amount < 0) rows or columns at index,
    // keeping every other width or height with its row or column.
    virtual void AdjustSize(int index, int amount, bool rows);
    virtual void SizeChanged(int oldColCount, int oldRowCount) {}
    // Moves an open editor along with the view.
    virtual void TopLeftChanged();
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();

    // --- the in-place editor (GridEditing.cpp) ---
    // Ends editing: EditorMode off, the text written back, the window hidden.
    virtual void HideEditor();
    // Starts editing the current cell when the queries allow it.
    virtual void ShowEditor(QChar ch);
    // Creates, loads and places the editor when it should be shown.
    virtual void UpdateEdit();
    // OnQueryEditHide; a nested query answers false.
    virtual bool CanHideEditor();
    // OnQueryEditHide for a text about to be stored in a cell, guarded like CanHideEditor.
    bool QueryEditHide(int col, int row, const QString& text);
    virtual std::unique_ptr<TInplaceEdit> CreateEditor();
    virtual bool CanEditShow();
    virtual bool CanEditAcceptKey(QChar key) { return true; }
    bool CanEditModify() const { return canEditModify_; }
    // The cell's text, its edit mask and its length limit (-1: cannot be modified).
    virtual QString GetEditText(int col, int row) { return {}; }
    virtual void SetEditText(int col, int row, const QString& value) {}
    virtual QString GetEditMask(int col, int row) { return {}; }
    virtual int GetEditLimit() { return 0; }
    // esCustom when the factory has an editor for the current cell, then OnQueryEditStyle.
    virtual TEditStyle EditStyle();
    virtual void EditProperty(TEditProperty& property);
    virtual void GetDropDownList(QStringList& items, int& rows);
    virtual void GetTreeViewList(TTreeNodes& nodes);
    virtual void EditButtonClick() { OnEditButtonClick(this, current_.X, current_.Y); }
    virtual void EditorModeChanged() { OnEditorModeChanged(this); }
    virtual void InplaceEditChanged(const QString& text) { OnInplaceEditChanged(this, current_.X, current_.Y, text); }
    virtual void BeforeListSelected(const QStringList& items, QString& item);
    virtual void ListSelected(const QString& item) { OnDropDownListSelected(this, current_.X, current_.Y, item); }
    virtual void TreeViewListSelected(TTreeNode* node, QString& text);
    virtual void QueryListStyle(TListBoxStyle& style, int& itemHeight);
    void TreeNodeDeleted(TTreeNode* node) { TreeNodeDeletionHandler(this, node); }
    TInplaceEdit* InplaceEditor() const { return inplaceEditor_.get(); }
    TGridEditorFactory& EditorFactory() const { return *editorFactory_; }
    int EditCol() const { return editCol_; }
    int EditRow() const { return editRow_; }
    bool HideQueryActive() const { return hideQueryActive_; }
    // The time of the grid's last left press (GetTickCount), 0 before the first.
    uint32_t LastGridClick() const { return lastGridClick_; }

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
    int ColCount() const override { return colCount_; }
    int RowCount() const override { return rowCount_; }
    int FixedCols() const override { return fixedCols_; }
    void SetFixedCols(int value);
    int FixedRows() const override { return fixedRows_; }
    void SetFixedRows(int value);
    int FixedEditCols() const override { return fixedEditCols_; }
    void SetFixedEditCols(int value);
    int FixedEditRows() const override { return fixedEditRows_; }
    void SetFixedEditRows(int value);
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int value);
    int ColWidths(int col) const { return colWidths_.Get(col, defaultColWidth_); }
    int NextShownCol(int from, int end) const { return colWidths_.NextPositive(from, end, defaultColWidth_); }
    int PrevShownCol(int from, int stop) const { return colWidths_.PrevPositive(from, stop, defaultColWidth_); }
    void SetColWidths(int col, int value);
    int RowHeights(int row) const { return GetRowHeight(row); }
    void SetRowHeights(int row, int value) { SetRowHeight(row, value); }
    int TabStops(int col) const { return tabStops_.Get(col, 1); }
    void SetTabStops(int col, bool value);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor value);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int value);
    TColor GridLineColor() const { return gridLineColor_; }
    void SetGridLineColor(TColor value);
    TColor BoundLineColor() const { return boundLineColor_; }
    void SetBoundLineColor(TColor value);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions value);
    bool HasOption(TGridOption option) const override { return ::HasOption(options_, option); }
    TGridOptionExs OptionExs() const { return optionExs_; }
    bool HasOptionEx(TGridOptionEx option) const override { return ::HasOptionEx(optionExs_, option); }
    void SetOptionExs(TGridOptionExs value) { optionExs_ = value; }
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool value) { defaultDrawing_ = value; }
    bool RepaintAllOnResize() const { return repaintAllOnResize_; }
    void SetRepaintAllOnResize(bool value) { repaintAllOnResize_ = value; }
    bool SaveCellExtents() const { return saveCellExtents_; }
    bool HasColExtents() const { return colWidths_.HasBlock(); }
    bool HasRowExtents() const { return rowHeights_.HasBlock(); }
    const TGridExtents& ColExtents() const { return colWidths_; }
    const TGridExtents& RowExtents() const { return rowHeights_; }

    TGridCoord Current() const override { return current_; }
    TGridCoord Anchor() const override { return anchor_; }
    void SetAnchor(TGridCoord anchor) override { anchor_ = anchor; }
    // Current as given: no events, no selection change, no scrolling.
    void PlaceCurrent(TGridCoord current) override { current_ = current; }
    TGridCoord TopLeft() const override { return topLeft_; }
    int CurrentCol() const { return current_.X; }
    void SetCurrentCol(int col) override;
    int CurrentRow() const { return current_.Y; }
    void SetCurrentRow(int row) override;
    int FirstVisibleCol() const { return topLeft_.X; }
    void SetFirstVisibleCol(int col);
    int FirstVisibleRow() const { return topLeft_.Y; }
    void SetFirstVisibleRow(int row);
    int VisibleColCount();
    int VisibleRowCount();
    TMoveReason LastMoveReason() const { return lastMoveReason_; }
    void SetLastMoveReason(TMoveReason r) { lastMoveReason_ = r; }
    TGridMouseState MouseState() const override { return mouseState_; }
    void SetMouseState(TGridMouseState state) override { mouseState_ = state; }
    bool EditorMode() const { return editorMode_; }
    // Showing and hiding go through the editor seams, which keep the flag.
    void SetEditorMode(bool on) override;
    int ColOffset() const { return colOffset_; }
    const TGridScrollBarState& ScrollBarState(TGridScrollBarKind bar) const { return scrollBarStates_[bar]; }
    // First column and row of the editable area.
    int EditableCol() const { return fixedCols_ - fixedEditCols_; }
    int EditableRow() const { return fixedRows_ - fixedEditRows_; }

    // --- geometry ---
    TGridLayout ComputeLayout();
    TGridCoord PointToCell(int x, int y);
    TRect CellBounds(int col, int row);
    TRect BoxBounds(const TGridRect& rect, bool withLines) override;
    TGridRect MergedArea(int col, int row);
    // Grows a range until every merged area touching its border lies inside.
    TGridRect WidenToMergedAreas(const TGridRect& rect) override;
    TGridCoord MaxTopLeft(TGridCoord coord);
    void SetTopLeft(int col, int row);
    void MakeCellVisible(TGridCoord coord) override;
    TGridRect SelectionRect() override;

    // --- current cell ---
    void MoveCurrent(int col, int row, bool replaceSelections, bool askFirst, bool show, bool moveAnchor) override;
    void FocusCell(int col, int row, bool moveAnchor);
    // OnBeforeMoveCurrent from Current to the cell, with LastMoveReason.
    bool BeforeMoveCurrent(TGridCoord cell) override;

    // --- selections ---
    TSelections& Selections() const { return *selections_; }
    // Source and target of a range fill or move by mouse.
    const TGridRect& FillSource() const { return selections_->FillSource(); }
    const TGridRect& FillTarget() const { return selections_->FillTarget(); }
    // Dragging over heads scrolls on window timer 1.
    void StartAutoScroll() override { SetTimer(1, 60); }

    // --- repainting ---
    void InvalidateGrid() { Invalidate(); }
    void RepaintAll() override { Invalidate(); }
    bool IsDestroying() const override { return TCustomControl::IsDestroying(); }
    void InvalidateGridRect(const TGridRect& rect);
    void RepaintHeads(const TGridRect& rect);
    void RepaintRangeChange(const TGridRect& oldRect, const TGridRect& newRect, bool changeOnly,
                            bool withHeads) override;
    void RepaintSelection();
    void BeginUpdate() { ++updateLock_; }
    void EndUpdate();
    int UpdateLock() const { return updateLock_; }

    // --- scroll bars ---
    void UpdateScrollPos();
    void UpdateScrollRange();

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
    unsigned DialogCode() const override;
    virtual bool CanGridAcceptKey(Word key, TShiftState shift);
    virtual void QueryEditorMode(bool& canShow, QChar ch);

    // Mouse. The window layer raises the double-click notification before the
    // press that carries ssDouble.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool DoMouseWheel(TShiftState shift, int delta, TPoint pos) override;
    // The grid raises its click notification itself (GridClick); the window
    // layer's click after every release would double it.
    void Click() override {}
    void GridClick() { TCustomControl::Click(); }
    virtual void CalcSizingState(int x, int y, const TGridLayout& layout, int& offset, int& pos, int& index,
                                 TGridMouseState& state);
    // Raises BestWidthRequest for the column whose border lies under the point.
    virtual bool IsBestWidthHit(int x, int y);
    // The cursor the grid shows at HitPoint (crDefault: the Cursor property's).
    TCursor GridCursor();
    TPoint HitPoint() const { return tracker_.HitPoint; }

    // Auto-scroll (timer 1) and its step.
    void TimerFired(unsigned id) override;
    enum TScrollDirection : uint8_t { sdLeft = 1, sdRight = 2, sdUp = 4, sdDown = 8 };
    virtual void TimedScroll(unsigned directions);

    // Sizing and moving.
    int SizingIndex() const { return tracker_.SizingIndex; }
    int SizingPos() const { return tracker_.SizingPos; }
    int MoveFrom() const { return tracker_.MoveFrom; }
    int MoveTo() const { return tracker_.MoveTo; }
    TGridCoord MoveHit() const { return tracker_.MoveHit; }
    int ColMoveFirst() const { return tracker_.ColMoveFirst; }
    int ColMoveLast() const { return tracker_.ColMoveLast; }
    int ColMoveHeadRow() const { return tracker_.ColMoveHeadRow; }
    int MoveBlockFirst() const { return tracker_.MoveBlockFirst; }
    int MoveBlockLast() const { return tracker_.MoveBlockLast; }
    bool ShowMoveLine() const { return showMoveLine_; }
    void SetShowMoveLine(bool value) { showMoveLine_ = value; }
    bool RowDragEnabled() const { return rowDragEnabled_; }
    void SetRowDragEnabled(bool value) { rowDragEnabled_ = value; }
    bool DragSelect() const { return dragSelect_; }
    void SetDragSelect(bool value) { dragSelect_ = value; }
    bool KeyMoveActive() const { return keyMoveActive_; }
    // Moves the target of a row or column move to the cell under the mouse,
    // scrolling one line at the edges of the view.
    void MoveAndScroll(int pos, int cellIndex, TPoint point, bool rows);

    // Scroll bars: WM_HSCROLL / WM_VSCROLL on the 0..127 scale.
    void ModifyScrollBar(TGridScrollBarKind bar, unsigned code, int pos);

    // Focus and cancel mode.
    void FocusGained(bool fromEditor);
    void FocusLost(bool toEditor);
    void DoEnter() override;
    void DoExit() override;
    void CancelMode();

    // Commands (WM_USER + 1000 .. 1044), EM_SETSEL, scroll and cursor messages.
    void WndProc(TMessage& message) override;

    // Ends editing without writing the text back.
    virtual void CancelEditor();
    // Writes the text back and hides the editor window; EditorMode stays.
    virtual void HideEdit();
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
    // While the first composition opens the editor, the focus stays here.
    bool OpeningForComposition() const { return openingForComposition_; }

    // Unpublished handlers.
    TGridIndexEvent BestWidthRequest;
    TGridSizeQueryEvent ColSizeQuery;
    TGridSizeQueryEvent RowSizeQuery;
    TGridIndexEvent ColSizingLine;
    TGridIndexEvent RowSizingLine;
    TGridMessageEvent OnGridMessage;

protected:
    void StartDragSelect(TGridCoord cell, const TGridLayout& layout);
    void DragSelectTo(int x, int y);
    bool RowUnusable(int col, int row);
    bool ColUnusable(int col, int row);
    TGridCoord PressedCell(int x, int y);
    bool TryStartHeadMove(TGridCoord cell, TPoint point);
    void ComputeColMoveLimits(TGridCoord cell);
    bool TryStartRowDrag(TGridCoord cell, TPoint point);
    void BeginRowDragDrop();
    void EndColumnMove(TPoint point);
    void EndRowMove(TPoint point);
    void EndSizing();
    void XorLine(TPoint from, TPoint to, int width, TPenStyle style, TColor color);
    void DrawSizingLine();
    void EraseSizingLine();
    void DrawMoveLine();
    void EraseMoveLine();
    void ApplyGridCursor();
    void HandleGridCommand(TMessage& message);
    void ExpandRows(bool expand, bool withDescendants);
    int FirstShownRow();
    int LastShownRow();

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
    TGridExtents& RowExtentsForUpdate() { return rowHeights_; }
    // Extents changed under an update lock; EndUpdate recomputes the view.
    void NoteExtentsChangedInLock() { extentsChangedInLock_ = true; }
    TGridKeyContext KeyContext();

private:
    // Test grids that stand in for the editor place its cell and flag through it.
    friend class GridTestAccess;

    // Made first and freed last, so the whole life of the grid has a selection set.
    std::unique_ptr<TSelections> selections_;
    TGridCoord anchor_{1, 1};
    TFormBorderStyle borderStyle_ = bsSingle;
    bool canEditModify_ = true;
    int colCount_ = 5;
    TGridExtents tabStops_;
    TGridCoord current_{1, 1};
    int defaultColWidth_ = 72;
    int defaultRowHeight_ = 18;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    TColor fixedColor_ = clBtnFace;
    int gridLineWidth_ = 1;
    TColor gridLineColor_ = clSilver;
    TColor boundLineColor_ = clBlack;
    TGridOptions options_ = DefaultGridOptions;
    int rowCount_ = 5;
    TScrollStyle scrollBars_ = ssBoth;
    TGridCoord topLeft_{1, 1};
    int editCol_ = -1;
    int editRow_ = -1;
    int colOffset_ = 0;
    bool defaultDrawing_ = true;
    bool editorMode_ = false;
    bool dragSelect_ = true;
    int fixedEditCols_ = 0;
    int fixedEditRows_ = 0;
    TMoveReason lastMoveReason_ = mrProgram;
    bool flat_ = false;
    TGridOptionExs optionExs_ = GridOptionEx(goReturnKeyAsTab);
    bool readOnly_ = false;
    bool showMoveLine_ = true;
    bool frameEmptyHeads_ = false;
    bool keyMoveActive_ = false;
    TGridExtents colWidths_;
    TGridExtents rowHeights_;
    TGridMouseState mouseState_ = gmsNone;
    bool saveCellExtents_ = true;
    bool fillCellBackground_ = true;
    TGridOptions designOptionsBoost_ = GridOption(goRowSizing) | GridOption(goColSizing);
    bool repaintAllOnResize_ = false;
    int updateLock_ = 0;
    bool extentsChangedInLock_ = false;
    TGridScrollBarStates scrollBarStates_;
    TGridDragTracker tracker_;
    bool rowDragEnabled_ = false;

    // The editor and its factory; see GridEditing.cpp.
    void LoadEditorCell();
    void PlaceEditor(bool forceRedraw);
    std::unique_ptr<TGridEditorFactory> editorFactory_;
    std::unique_ptr<TInplaceEdit> inplaceEditor_;
    bool hideQueryActive_ = false;
    bool openingForComposition_ = false;
    uint32_t lastGridClick_ = 0;

    TCanvas* paintCanvas_ = nullptr;
    // Ranges of the selections, read once per paint: widening to merged areas
    // on every IsCellSelected would dominate a repaint.
    std::vector<TGridRect> paintSelRanges_;
    bool paintSelCached_ = false;
};
