// The core's property reads and the plain writes, kept out of the header so
// that the fields stay in one place.

#include "grid/core/GridCoreState.h"
#include "grid/core/GridEditing.h"
#include "grid/core/pointer/GridPointer.h"
#include "grid/core/TavikCustomGrid.h"
#include "grid/core/paint/GridPainter.h"
#include "platform/framework/accessibility/AccessibleBridge.h"

// The collaborators are complete here.
TGridCoreState::TGridCoreState(ISelectionHost* host) : selections(std::make_unique<TSelections>(host)) {}
TGridCoreState::~TGridCoreState() = default;

int TTavikCustomGrid::GetRowHeight(int row) const
{
    return d_->rowHeights.Get(row, d_->defaultRowHeight);
}

int TTavikCustomGrid::NextShownRow(int from, int end) const
{
    return d_->rowHeights.NextPositive(from, end, d_->defaultRowHeight);
}

int TTavikCustomGrid::PrevShownRow(int from, int stop) const
{
    return d_->rowHeights.PrevPositive(from, stop, d_->defaultRowHeight);
}

int TTavikCustomGrid::ColCount() const
{
    return d_->colCount;
}

int TTavikCustomGrid::RowCount() const
{
    return d_->rowCount;
}

int TTavikCustomGrid::FixedCols() const
{
    return d_->fixedCols;
}

int TTavikCustomGrid::FixedRows() const
{
    return d_->fixedRows;
}

int TTavikCustomGrid::FixedEditCols() const
{
    return d_->fixedEditCols;
}

int TTavikCustomGrid::FixedEditRows() const
{
    return d_->fixedEditRows;
}

int TTavikCustomGrid::DefaultColWidth() const
{
    return d_->defaultColWidth;
}

int TTavikCustomGrid::DefaultRowHeight() const
{
    return d_->defaultRowHeight;
}

int TTavikCustomGrid::ColWidths(int col) const
{
    return d_->colWidths.Get(col, d_->defaultColWidth);
}

TColor TTavikCustomGrid::FixedColor() const
{
    return d_->fixedColor;
}

int TTavikCustomGrid::GridLineWidth() const
{
    return d_->gridLineWidth;
}

TColor TTavikCustomGrid::GridLineColor() const
{
    return d_->gridLineColor;
}

TColor TTavikCustomGrid::BoundLineColor() const
{
    return d_->boundLineColor;
}

TFormBorderStyle TTavikCustomGrid::BorderStyle() const
{
    return d_->borderStyle;
}

TScrollStyle TTavikCustomGrid::ScrollBars() const
{
    return d_->scrollBars;
}

TGridOptions TTavikCustomGrid::Options() const
{
    return d_->options;
}

bool TTavikCustomGrid::HasOption(TGridOption option) const
{
    return ::HasOption(d_->options, option);
}

TGridOptionExs TTavikCustomGrid::OptionExs() const
{
    return d_->optionExs;
}

bool TTavikCustomGrid::HasOptionEx(TGridOptionEx option) const
{
    return ::HasOptionEx(d_->optionExs, option);
}

void TTavikCustomGrid::SetOptionExs(TGridOptionExs value)
{
    d_->optionExs = value;
}

bool TTavikCustomGrid::Flat() const
{
    return d_->flat;
}

bool TTavikCustomGrid::ReadOnly() const
{
    return d_->readOnly;
}

void TTavikCustomGrid::SetReadOnly(bool value)
{
    d_->readOnly = value;
}

bool TTavikCustomGrid::DefaultDrawing() const
{
    return d_->defaultDrawing;
}

void TTavikCustomGrid::SetDefaultDrawing(bool value)
{
    d_->defaultDrawing = value;
}

const TGridExtents& TTavikCustomGrid::ColExtents() const
{
    return d_->colWidths;
}

const TGridExtents& TTavikCustomGrid::RowExtents() const
{
    return d_->rowHeights;
}

TGridCoord TTavikCustomGrid::Current() const
{
    return d_->current;
}

TGridCoord TTavikCustomGrid::Anchor() const
{
    return d_->anchor;
}

void TTavikCustomGrid::SetAnchor(TGridCoord anchor)
{
    d_->anchor = anchor;
}

void TTavikCustomGrid::PlaceCurrent(TGridCoord current)
{
    d_->current = current;
}

TGridCoord TTavikCustomGrid::TopLeft() const
{
    return d_->topLeft;
}

int TTavikCustomGrid::CurrentCol() const
{
    return d_->current.X;
}

int TTavikCustomGrid::CurrentRow() const
{
    return d_->current.Y;
}

TMoveReason TTavikCustomGrid::LastMoveReason() const
{
    return d_->lastMoveReason;
}

TGridMouseState TTavikCustomGrid::MouseState() const
{
    return d_->mouseState;
}

void TTavikCustomGrid::SetMouseState(TGridMouseState state)
{
    d_->mouseState = state;
}

int TTavikCustomGrid::EditableCol() const
{
    return d_->fixedCols - d_->fixedEditCols;
}

int TTavikCustomGrid::EditableRow() const
{
    return d_->fixedRows - d_->fixedEditRows;
}

TSelections& TTavikCustomGrid::Selections() const
{
    return *d_->selections;
}

void TTavikCustomGrid::BeginUpdate()
{
    ++d_->updateLock;
}

int TTavikCustomGrid::UpdateLock() const
{
    return d_->updateLock;
}

TGridExtents& TTavikCustomGrid::RowExtentsForUpdate()
{
    return d_->rowHeights;
}

void TTavikCustomGrid::NoteExtentsChangedInLock()
{
    d_->extentsChangedInLock = true;
}

void TTavikCustomGrid::CurrentMoved(TGridCoord oldCurrent, TMoveReason reason)
{
    OnMoveCurrent(this, oldCurrent, d_->current, reason);
    NotifyAccessibleFocus(*this);
}

