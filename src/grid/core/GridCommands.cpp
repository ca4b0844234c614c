// Window messages of the grid: the command range WM_USER + 1000 .. 1044 with
// the core's answers, select-all, scroll bars, cursor and cancel mode, and the
// OnGridMessage report after them.

#include "grid/core/GridCoreState.h"
#include "grid/core/pointer/GridPointer.h"
#include "grid/core/TavikCustomGrid.h"

namespace {

constexpr unsigned Command(unsigned offset)
{
    return WM_USER + offset;
}

// The messages OnGridMessage hears of: the edit messages and the command pairs
// (command 1000 + k with its can-do query 1020 + k).
bool Reported(unsigned msg)
{
    if (msg == WM_CUT || msg == WM_COPY || msg == WM_PASTE || msg == WM_CLEAR || msg == EM_SETSEL)
        return true;
    if (msg < WM_USER)
        return false;
    const unsigned offset = msg - WM_USER;
    return (offset >= 1000 && offset <= 1017) || (offset >= 1020 && offset <= 1037) ||
           (offset >= 1040 && offset <= 1044);
}

constexpr unsigned GridCommandFirst = 1000;
constexpr unsigned GridCommandLast = 1044;

// The first and last shown rows of the editable area, -1 when none.
int FirstShownRow(TTavikCustomGrid& grid)
{
    for (int row = grid.EditableRow(); row < grid.RowCount(); ++row)
        if (grid.GetRowHeight(row) != 0)
            return row;
    return -1;
}

int LastShownRow(TTavikCustomGrid& grid)
{
    for (int row = grid.RowCount() - 1; row >= grid.EditableRow(); --row)
        if (grid.GetRowHeight(row) != 0)
            return row;
    return -1;
}

// Expands or collapses the current row of a tree, with its descendants or alone.
void ExpandRows(TTavikCustomGrid& grid, bool expand, bool withDescendants)
{
    const int row = grid.CurrentRow();
    grid.SetRowExpanded(row, expand);
    if (!withDescendants)
        return;
    const int level = grid.RowLevel(row);
    grid.BeginUpdate();
    try {
        for (int r = row + 1; r < grid.RowCount() && grid.RowLevel(r) > level; ++r)
            grid.SetRowExpanded(r, expand);
    } catch (...) {
        grid.EndUpdate();
        throw;
    }
    grid.EndUpdate();
}

// The grid commands (WM_USER + 1000 ..): moves, tree rows and their can-do queries.
void HandleGridCommand(TTavikCustomGrid& grid, TMessage& message, bool isTree, TMoveReason& lastMoveReason)
{
    const unsigned offset = message.Msg - WM_USER;
    switch (offset) {
    case 1000:
    case 1001: {
        Word key = offset == 1000 ? VK_UP : VK_DOWN;
        grid.KeyDown(key, 0);
        break;
    }
    case 1002:
    case 1003: {
        const int row = offset == 1002 ? FirstShownRow(grid) : LastShownRow(grid);
        lastMoveReason = mrKey;
        if (row >= 0)
            grid.SetCurrentRow(row);
        break;
    }
    case 1014:
    case 1015:
        if (isTree)
            ExpandRows(grid, offset == 1014, message.WParam != 0);
        break;
    case 1016:
    case 1017:
        if (!isTree)
            break;
        grid.BeginUpdate();
        try {
            for (int r = grid.RowCount() - 1; r >= grid.EditableRow(); --r)
                grid.SetRowExpanded(r, offset == 1016);
        } catch (...) {
            grid.EndUpdate();
            throw;
        }
        grid.EndUpdate();
        break;
    case 1020:
    case 1022: {
        // Without a row to go to there is nothing to do.
        const int first = FirstShownRow(grid);
        message.Result = first >= 0 && grid.CurrentRow() != first ? 1 : 0;
        break;
    }
    case 1021:
    case 1023: {
        const int last = LastShownRow(grid);
        message.Result = last >= 0 && grid.CurrentRow() != last ? 1 : 0;
        break;
    }
    case 1034:
    case 1035: message.Result = grid.RowHasChildren(grid.CurrentRow()) ? 1 : 0; break;
    case 1036:
    case 1037: message.Result = isTree ? 1 : 0; break;
    case 1044: message.Result = 1; break;
    default: break;
    }
}

} // namespace

void TTavikCustomGrid::WndProc(TMessage& message)
{
    const unsigned msg = message.Msg;
    switch (msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        ModifyScrollBar(msg == WM_HSCROLL ? gsbHorz : gsbVert, static_cast<unsigned>(message.WParam & 0xFFFF),
                        static_cast<int>((message.WParam >> 16) & 0xFFFF));
        break;
    case WM_CANCELMODE: CancelMode(); break;
    case WM_SETCURSOR:
        d_->pointer->ApplyGridCursor();
        message.Result = 1;
        break;
    case CM_WANTSPECIALKEY:
        // Enter opens and closes the editor rather than pressing the default button.
        // Escape ends editing rather than pressing the cancel button.
        message.Result = (message.WParam == VK_RETURN && HasOption(goEditing)) ||
                                 (message.WParam == VK_ESCAPE && EditorMode())
                             ? 1
                             : 0;
        break;
    case EM_SETSEL: d_->selections->SelectAll(); break;
    default:
        if (msg >= Command(GridCommandFirst) && msg <= Command(GridCommandLast))
            HandleGridCommand(*this, message, IsTree(), d_->lastMoveReason);
        else
            TCustomControl::WndProc(message);
        break;
    }
    if (Reported(msg))
        OnGridMessage(this, message);
}
