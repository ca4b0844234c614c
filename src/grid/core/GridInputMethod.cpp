// The grid's side of input methods: the first composition on a cell opens its
// editor, and the composition continues there.

#include "grid/core/GridCoreState.h"
#include "grid/core/GridEditing.h"
#include "grid/core/TavikCustomGrid.h"
#include "grid/editor/InplaceEdit.h"
#include "platform/base/FlagScope.h"

TWinControl* TTavikCustomGrid::CompositionWindow(bool composing)
{
    if (TInplaceEdit* editor = d_->editing->ShownEditor())
        return editor;
    // Only a composition opens the editor: committed text alone takes the
    // character phase, which opens it too where it may open.
    if (!composing || EditableRow() >= d_->rowCount || !HasOption(goEditing))
        return nullptr;
    const TFlagScope guard(d_->editing->OpeningForCompositionFlag());
    ShowEditor(QChar());
    return d_->editing->ShownEditor();
}

TRect TTavikCustomGrid::InputCaretRect()
{
    if (d_->current.X < 0 || d_->current.Y < 0 || d_->current.X >= d_->colCount || d_->current.Y >= d_->rowCount)
        return ClientRect();
    const TRect cell = CellBounds(d_->current.X, d_->current.Y);
    return cell.IsEmpty() ? ClientRect() : cell;
}
