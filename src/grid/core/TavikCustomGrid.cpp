#include "grid/core/GridCoreState.h"
#include "grid/core/GridEditing.h"
#include "grid/core/pointer/GridPointer.h"
#include "grid/core/TavikCustomGrid.h"
#include "grid/core/paint/GridPainter.h"

#include "grid/editor/GridEditorFactory.h"
#include "grid/editor/InplaceEdit.h"

#include "platform/canvas/text/Font.h"

namespace {

// The window's border and bar styles: a single border is the sunken client
// edge with Ctl3D and a one-pixel frame without.
void ApplyWindowStyles(TTavikCustomGrid& grid)
{
    const TScrollStyle bars = grid.ScrollBars();
    grid.SetNonClientBorder(grid.BorderStyle() != bsSingle ? ncbNone : grid.Ctl3D() ? ncbClientEdge : ncbSingle);
    grid.SetScrollBarStyles(bars == ssHorizontal || bars == ssBoth, bars == ssVertical || bars == ssBoth);
}

} // namespace

TTavikCustomGrid::TTavikCustomGrid(TComponent* owner)
    : TCustomControl(owner), d_(std::make_unique<TGridCoreState>(this))
{
    SetSelfPainted(true);
    IGridEditorHost& editorHost = *this;
    d_->editing = std::make_unique<TGridEditing>(*this, editorHost, *d_);
    IGridPointerHost& pointerHost = *this;
    d_->pointer = std::make_unique<TGridPointer>(*this, pointerHost, editorHost, *d_);
    IGridPaintHost& paintHost = *this;
    d_->painter = std::make_unique<TGridPainter>(*this, paintHost, *d_);
    Font().SetName(QStringLiteral("宋体"));
    Font().SetSize(9);
    Font().SetStyle(0);
    SetParentFont(false);
    SetColor(clWindow);
    SetParentColor(false);
    SetTabStop(true);
    ApplyWindowStyles(*this);
    ResetPosition();
    SetBounds(Left(), Top(), d_->colCount * d_->defaultColWidth, d_->rowCount * d_->defaultRowHeight);
}

TTavikCustomGrid::~TTavikCustomGrid()
{
    // The editor and its popups go while the grid is still whole.
    MarkDestroying();
    d_->editing->ReleaseEditor();
}

void TTavikCustomGrid::Loaded()
{
    TCustomControl::Loaded();
    ApplyWindowStyles(*this); // Ctl3D may have come from the definition
    d_->selections->SetRange(SelectionRect(), true);
}

void TTavikCustomGrid::Resize()
{
    TCustomControl::Resize();
    UpdateScrollRange();
}

void TTavikCustomGrid::VisibleChanged()
{
    TCustomControl::VisibleChanged();
    if (Visible())
        UpdateScrollRange();
}

void TTavikCustomGrid::SyncWidget()
{
    TCustomControl::SyncWidget();
    UpdateScrollRange();
}

void TTavikCustomGrid::SetFixedCols(int value)
{
    if (value < 0)
        throw EGridException(grid_errors::IndexOutOfRange);
    if (value >= d_->colCount)
        throw EGridException(grid_errors::FixedColsTooBig);
    if (value == d_->fixedCols)
        return;
    d_->fixedCols = value;
    d_->fixedEditCols = std::min(d_->fixedEditCols, d_->fixedCols);
    ResetPosition();
    UpdateScrollRange();
    Invalidate();
}

void TTavikCustomGrid::SetFixedRows(int value)
{
    if (value < 0)
        throw EGridException(grid_errors::IndexOutOfRange);
    if (value > d_->rowCount)
        throw EGridException(grid_errors::FixedRowsTooBig);
    if (value == d_->fixedRows)
        return;
    const int oldFixed = d_->fixedRows;
    const int oldFixedEdit = d_->fixedEditRows;
    d_->fixedRows = value;
    d_->fixedEditRows = std::min(d_->fixedEditRows, d_->fixedRows);
    ResetPosition();
    UpdateScrollRange();
    FixedRowsChanged(oldFixed, oldFixedEdit);
    Invalidate();
}

void TTavikCustomGrid::SetFixedEditCols(int value)
{
    if (value == d_->fixedEditCols)
        return;
    if (value < 0)
        throw EGridException(grid_errors::IndexOutOfRange);
    if (value > d_->fixedCols)
        throw EGridException("FixedEdit column count must be less than fixed column count");
    d_->fixedEditCols = value;
    ResetPosition();
    Invalidate();
}

void TTavikCustomGrid::SetFixedEditRows(int value)
{
    if (value == d_->fixedEditRows)
        return;
    if (value < 0)
        throw EGridException(grid_errors::IndexOutOfRange);
    if (value > d_->fixedRows)
        throw EGridException("FixedEdit row count must be less than fixed row count");
    const int oldFixedEdit = d_->fixedEditRows;
    d_->fixedEditRows = value;
    ResetPosition();
    FixedRowsChanged(d_->fixedRows, oldFixedEdit);
    Invalidate();
}

void TTavikCustomGrid::SetDefaultColWidth(int value)
{
    d_->colWidths.Clear();
    d_->defaultColWidth = value;
    ColWidthsChanged();
    Invalidate();
}

void TTavikCustomGrid::SetDefaultRowHeight(int value)
{
    d_->rowHeights.Clear();
    d_->defaultRowHeight = value;
    RowHeightsChanged();
    Invalidate();
}

void TTavikCustomGrid::SetColWidths(int col, int value)
{
    d_->colWidths.EnsureBlock(d_->colCount, d_->defaultColWidth);
    if (col < 0 || col >= d_->colCount)
        throw EGridException(grid_errors::IndexOutOfRange);
    if (value == d_->colWidths.Get(col, d_->defaultColWidth)) {
        Invalidate();
        return;
    }
    if (d_->updateLock > 0) {
        d_->colWidths.Set(col, value);
        d_->extentsChangedInLock = true;
        return;
    }
    Invalidate();
    d_->colWidths.Set(col, value);
    ColWidthsChanged();
    ColWidthChanged(col);
}

void TTavikCustomGrid::SetRowHeight(int row, int value)
{
    d_->rowHeights.EnsureBlock(d_->rowCount, d_->defaultRowHeight);
    if (row < 0 || row >= d_->rowCount)
        throw EGridException(grid_errors::IndexOutOfRange);
    if (value == d_->rowHeights.Get(row, d_->defaultRowHeight)) {
        Invalidate();
        return;
    }
    if (d_->updateLock > 0) {
        d_->rowHeights.Set(row, value);
        d_->extentsChangedInLock = true;
        return;
    }
    Invalidate();
    d_->rowHeights.Set(row, value);
    RowHeightsChanged();
    RowHeightChanged(row);
}

void TTavikCustomGrid::SetFixedColor(TColor value)
{
    if (Exchange(d_->fixedColor, value))
        Invalidate();
}

void TTavikCustomGrid::SetGridLineWidth(int value)
{
    if (Exchange(d_->gridLineWidth, value)) {
        UpdateScrollRange();
        Invalidate();
    }
}

void TTavikCustomGrid::SetGridLineColor(TColor value)
{
    if (Exchange(d_->gridLineColor, value))
        Invalidate();
}

void TTavikCustomGrid::SetBoundLineColor(TColor value)
{
    if (Exchange(d_->boundLineColor, value))
        Invalidate();
}

void TTavikCustomGrid::SetBorderStyle(TFormBorderStyle value)
{
    if (!Exchange(d_->borderStyle, value))
        return;
    ApplyWindowStyles(*this);
    Invalidate();
}

void TTavikCustomGrid::SetScrollBars(TScrollStyle value)
{
    if (!Exchange(d_->scrollBars, value))
        return;
    if (value == ssNone || value == ssVertical)
        SetScrollBarRange(gsbHorz, 0, 0);
    if (value == ssNone || value == ssHorizontal)
        SetScrollBarRange(gsbVert, 0, 0);
    ApplyWindowStyles(*this);
    UpdateScrollRange();
    Invalidate();
}

void TTavikCustomGrid::SetOptions(TGridOptions value)
{
    if (value == d_->options)
        return;
    if (::HasOption(value, goCellMerge) && !HasOption(goCellMerge) && d_->gridLineWidth != 1)
        SetGridLineWidth(1);
    if (::HasOption(value, goRowSelect))
        value &= ~GridOption(goAlwaysShowEditor);
    if (!::HasOption(value, goRowSizing) && !::HasOption(value, goColSizing))
        value &= ~GridOption(goAdjustLiberty);
    d_->options = value;
    if (!EditorMode()) {
        if (HasOption(goAlwaysShowEditor))
            ShowEditor(QChar(' '));
        else
            HideEditor();
    }
    if (HasOption(goRowSelect))
        MoveCurrent(d_->current.X, d_->current.Y, true, false, false, true);
    Invalidate();
}

void TTavikCustomGrid::SetFlat(bool value)
{
    if (Exchange(d_->flat, value))
        Invalidate();
}

int TTavikCustomGrid::VisibleColCount()
{
    return ComputeLayout().Horz.LastFullVisibleCell - d_->topLeft.X + 1;
}

int TTavikCustomGrid::VisibleRowCount()
{
    return ComputeLayout().Vert.LastFullVisibleCell - d_->topLeft.Y + 1;
}

void TTavikCustomGrid::EndUpdate()
{
    if (d_->updateLock == 0)
        return;
    if (--d_->updateLock > 0)
        return;
    if (d_->extentsChangedInLock) {
        d_->extentsChangedInLock = false;
        UpdateScrollRange();
    }
    Invalidate();
}

void TTavikCustomGrid::ColWidthsChanged()
{
    UpdateScrollRange();
    UpdateEdit();
}

void TTavikCustomGrid::RowHeightsChanged()
{
    UpdateScrollRange();
    UpdateEdit();
}

void TTavikCustomGrid::FillRangeChanged(const TGridRect& source, const TGridRect& target)
{
    if (!(source == target))
        OnFillRangeChanged(this, source, target);
}

void TTavikCustomGrid::MoveRangeChanged(const TGridRect& source, const TGridRect& target)
{
    if (!(source == target))
        OnMoveRangeChanged(this, source, target);
}

int TTavikCustomGrid::AuxCellQuery1(int col, int row)
{
    int answer = 0;
    AuxCellQuery1Handler(this, col, row, answer);
    return answer;
}

int TTavikCustomGrid::AuxCellQuery2(int col, int row)
{
    int answer = 0;
    AuxCellQuery2Handler(this, col, row, answer);
    return answer;
}

TColor TTavikCustomGrid::SelectionTint()
{
    return MixColor(clHighlight, clWindow, Focused() ? 30 : 100);
}

bool TTavikCustomGrid::QueryRowChange()
{
    bool canChange = true;
    OnQueryRowChange(this, d_->current.Y, canChange);
    return canChange;
}

// Tree queries: the core has no tree, but the walks are written against the
// level queries so that a descendant only supplies levels.
int TTavikCustomGrid::ParentRow(int row)
{
    if (!IsTree())
        return -1;
    const int level = RowLevel(row);
    if (level == 0)
        return -1;
    for (int r = row - 1; r >= d_->fixedRows; --r) {
        const int l = RowLevel(r);
        if (l == level - 1)
            return r;
        if (l == 0)
            break;
    }
    return -1;
}

bool TTavikCustomGrid::RowHasChildren(int row)
{
    return IsTree() && row < d_->rowCount - 1 && RowLevel(row + 1) == RowLevel(row) + 1;
}

bool TTavikCustomGrid::RowHasNextSibling(int row)
{
    if (!IsTree())
        return false;
    const int level = RowLevel(row);
    if (level == 0)
        return false;
    for (int r = row + 1; r < d_->rowCount; ++r) {
        const int l = RowLevel(r);
        if (l < level)
            return false;
        if (l == level && GetRowHeight(r) != 0)
            return true;
    }
    return false;
}
