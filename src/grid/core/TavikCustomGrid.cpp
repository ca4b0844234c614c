#include "grid/core/TavikCustomGrid.h"

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
    : TCustomControl(owner), selections_(std::make_unique<TSelections>(this))
{
    SetSelfPainted(true);
    editorFactory_ = std::make_unique<TGridEditorFactory>(this);
    Font().SetName(QStringLiteral("宋体"));
    Font().SetSize(9);
    Font().SetStyle(0);
    SetParentFont(false);
    SetColor(clWindow);
    SetParentColor(false);
    SetTabStop(true);
    ApplyWindowStyles(*this);
    ResetPosition();
    SetBounds(Left(), Top(), colCount_ * defaultColWidth_, rowCount_ * defaultRowHeight_);
}

TTavikCustomGrid::~TTavikCustomGrid()
{
    // The editor and its popups go while the grid is still whole.
    MarkDestroying();
    inplaceEditor_.reset();
}

void TTavikCustomGrid::Loaded()
{
    TCustomControl::Loaded();
    ApplyWindowStyles(*this); // Ctl3D may have come from the definition
    selections_->SetRange(SelectionRect(), true);
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
    if (value >= colCount_)
        throw EGridException(grid_errors::FixedColsTooBig);
    if (value == fixedCols_)
        return;
    fixedCols_ = value;
    fixedEditCols_ = std::min(fixedEditCols_, fixedCols_);
    ResetPosition();
    UpdateScrollRange();
    Invalidate();
}

void TTavikCustomGrid::SetFixedRows(int value)
{
    if (value < 0)
        throw EGridException(grid_errors::IndexOutOfRange);
    if (value > rowCount_)
        throw EGridException(grid_errors::FixedRowsTooBig);
    if (value == fixedRows_)
        return;
    const int oldFixed = fixedRows_;
    const int oldFixedEdit = fixedEditRows_;
    fixedRows_ = value;
    fixedEditRows_ = std::min(fixedEditRows_, fixedRows_);
    ResetPosition();
    UpdateScrollRange();
    FixedRowsChanged(oldFixed, oldFixedEdit);
    Invalidate();
}

void TTavikCustomGrid::SetFixedEditCols(int value)
{
    if (value == fixedEditCols_)
        return;
    if (value < 0)
        throw EGridException(grid_errors::IndexOutOfRange);
    if (value > fixedCols_)
        throw EGridException("FixedEdit column count must be less than fixed column count");
    fixedEditCols_ = value;
    ResetPosition();
    Invalidate();
}

void TTavikCustomGrid::SetFixedEditRows(int value)
{
    if (value == fixedEditRows_)
        return;
    if (value < 0)
        throw EGridException(grid_errors::IndexOutOfRange);
    if (value > fixedRows_)
        throw EGridException("FixedEdit row count must be less than fixed row count");
    const int oldFixedEdit = fixedEditRows_;
    fixedEditRows_ = value;
    ResetPosition();
    FixedRowsChanged(fixedRows_, oldFixedEdit);
    Invalidate();
}

void TTavikCustomGrid::SetDefaultColWidth(int value)
{
    colWidths_.Clear();
    defaultColWidth_ = value;
    ColWidthsChanged();
    Invalidate();
}

void TTavikCustomGrid::SetDefaultRowHeight(int value)
{
    rowHeights_.Clear();
    defaultRowHeight_ = value;
    RowHeightsChanged();
    Invalidate();
}

void TTavikCustomGrid::SetColWidths(int col, int value)
{
    colWidths_.EnsureBlock(colCount_, defaultColWidth_);
    if (col < 0 || col >= colCount_)
        throw EGridException(grid_errors::IndexOutOfRange);
    if (value == colWidths_.Get(col, defaultColWidth_)) {
        Invalidate();
        return;
    }
    if (updateLock_ > 0) {
        colWidths_.Set(col, value);
        extentsChangedInLock_ = true;
        return;
    }
    Invalidate();
    colWidths_.Set(col, value);
    ColWidthsChanged();
    ColWidthChanged(col);
}

void TTavikCustomGrid::SetRowHeight(int row, int value)
{
    rowHeights_.EnsureBlock(rowCount_, defaultRowHeight_);
    if (row < 0 || row >= rowCount_)
        throw EGridException(grid_errors::IndexOutOfRange);
    if (value == rowHeights_.Get(row, defaultRowHeight_)) {
        Invalidate();
        return;
    }
    if (updateLock_ > 0) {
        rowHeights_.Set(row, value);
        extentsChangedInLock_ = true;
        return;
    }
    Invalidate();
    rowHeights_.Set(row, value);
    RowHeightsChanged();
    RowHeightChanged(row);
}

void TTavikCustomGrid::SetTabStops(int col, bool value)
{
    tabStops_.EnsureBlock(colCount_, 1);
    if (col < 0 || col >= colCount_)
        throw EGridException(grid_errors::IndexOutOfRange);
    tabStops_.Set(col, value ? 1 : 0);
}

void TTavikCustomGrid::SetFixedColor(TColor value)
{
    if (Exchange(fixedColor_, value))
        Invalidate();
}

void TTavikCustomGrid::SetGridLineWidth(int value)
{
    if (Exchange(gridLineWidth_, value)) {
        UpdateScrollRange();
        Invalidate();
    }
}

void TTavikCustomGrid::SetGridLineColor(TColor value)
{
    if (Exchange(gridLineColor_, value))
        Invalidate();
}

void TTavikCustomGrid::SetBoundLineColor(TColor value)
{
    if (Exchange(boundLineColor_, value))
        Invalidate();
}

void TTavikCustomGrid::SetBorderStyle(TFormBorderStyle value)
{
    if (!Exchange(borderStyle_, value))
        return;
    ApplyWindowStyles(*this);
    Invalidate();
}

void TTavikCustomGrid::SetScrollBars(TScrollStyle value)
{
    if (!Exchange(scrollBars_, value))
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
    if (value == options_)
        return;
    if (::HasOption(value, goCellMerge) && !HasOption(goCellMerge) && gridLineWidth_ != 1)
        SetGridLineWidth(1);
    if (::HasOption(value, goRowSelect))
        value &= ~GridOption(goAlwaysShowEditor);
    if (!::HasOption(value, goRowSizing) && !::HasOption(value, goColSizing))
        value &= ~GridOption(goAdjustLiberty);
    options_ = value;
    if (!editorMode_) {
        if (HasOption(goAlwaysShowEditor))
            ShowEditor(QChar(' '));
        else
            HideEditor();
    }
    if (HasOption(goRowSelect))
        MoveCurrent(current_.X, current_.Y, true, false, false, true);
    Invalidate();
}

void TTavikCustomGrid::SetFlat(bool value)
{
    if (Exchange(flat_, value))
        Invalidate();
}

void TTavikCustomGrid::SetFirstVisibleCol(int col)
{
    if (col != topLeft_.X)
        SetTopLeft(col, topLeft_.Y);
}

void TTavikCustomGrid::SetFirstVisibleRow(int row)
{
    if (row != topLeft_.Y)
        SetTopLeft(topLeft_.X, row);
}

int TTavikCustomGrid::VisibleColCount()
{
    return ComputeLayout().Horz.LastFullVisibleCell - topLeft_.X + 1;
}

int TTavikCustomGrid::VisibleRowCount()
{
    return ComputeLayout().Vert.LastFullVisibleCell - topLeft_.Y + 1;
}

void TTavikCustomGrid::EndUpdate()
{
    if (updateLock_ == 0)
        return;
    if (--updateLock_ > 0)
        return;
    if (extentsChangedInLock_) {
        extentsChangedInLock_ = false;
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

bool TTavikCustomGrid::GetEditPart(int, int, int, int& fontHeight, TRect&, QString&)
{
    fontHeight = 0;
    return false;
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

bool TTavikCustomGrid::IsSpecialRegion(int x, int y)
{
    bool special = false;
    OnQuerySpecRegion(this, x, y, special);
    return special;
}

TColor TTavikCustomGrid::SelectionTint()
{
    return MixColor(clHighlight, clWindow, Focused() ? 30 : 100);
}

bool TTavikCustomGrid::QueryReadOnly(int col, int row)
{
    bool readOnly = readOnly_;
    OnQueryReadOnly(this, col, row, readOnly);
    return readOnly;
}

bool TTavikCustomGrid::QueryRowChange()
{
    bool canChange = true;
    OnQueryRowChange(this, current_.Y, canChange);
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
    for (int r = row - 1; r >= fixedRows_; --r) {
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
    return IsTree() && row < rowCount_ - 1 && RowLevel(row + 1) == RowLevel(row) + 1;
}

bool TTavikCustomGrid::RowHasNextSibling(int row)
{
    if (!IsTree())
        return false;
    const int level = RowLevel(row);
    if (level == 0)
        return false;
    for (int r = row + 1; r < rowCount_; ++r) {
        const int l = RowLevel(r);
        if (l < level)
            return false;
        if (l == level && GetRowHeight(r) != 0)
            return true;
    }
    return false;
}
