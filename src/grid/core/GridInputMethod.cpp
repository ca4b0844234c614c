// The grid's side of input methods: the first composition on a cell opens its
// editor, and the composition continues there.

#include "grid/editor/InplaceEdit.h"
#include "grid/core/TavikCustomGrid.h"
#include "platform/base/FlagScope.h"

TWinControl* TTavikCustomGrid::CompositionWindow(bool composing)
{
    if (editorMode_ && inplaceEditor_ && inplaceEditor_->Visible())
        return inplaceEditor_.get();
    // Only a composition opens the editor: committed text alone takes the
    // character phase, which opens it too where it may open.
    if (!composing || EditableRow() >= rowCount_ || !HasOption(goEditing))
        return nullptr;
    const TFlagScope guard(openingForComposition_);
    ShowEditor(QChar());
    if (editorMode_ && inplaceEditor_ && inplaceEditor_->Visible())
        return inplaceEditor_.get();
    return nullptr;
}

TRect TTavikCustomGrid::InputCaretRect()
{
    if (current_.X < 0 || current_.Y < 0 || current_.X >= colCount_ || current_.Y >= rowCount_)
        return ClientRect();
    const TRect cell = CellBounds(current_.X, current_.Y);
    return cell.IsEmpty() ? ClientRect() : cell;
}
