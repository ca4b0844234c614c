// Focus gain and loss, leaving the control, and cancel-mode requests.

#include "grid/core/GridCoreState.h"
#include "grid/core/pointer/GridPointer.h"
#include "grid/core/TavikCustomGrid.h"
#include "platform/framework/accessibility/AccessibleBridge.h"

void TTavikCustomGrid::FocusLost(bool toEditor)
{
    d_->selections->RepaintSelection();
    // The editor comes back with the focus: only its window goes.
    if (!toEditor)
        HideEdit();
}

void TTavikCustomGrid::DoEnter()
{
    d_->selections->RepaintSelection();
    UpdateEdit();
    NotifyAccessibleFocus(*this);
    TCustomControl::DoEnter();
}

void TTavikCustomGrid::DoExit()
{
    const TCustomForm* form = ParentForm();
    FocusLost(form && IsEditorWindow(form->ActiveControl()));
    TCustomControl::DoExit();
    if (HasOptionEx(goHideEditOnExit))
        HideEditor();
}

void TTavikCustomGrid::CancelMode()
{
    EditorCancelMode();
    d_->pointer->CancelMode();
}
