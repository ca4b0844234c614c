// Focus gain and loss, leaving the control, and cancel-mode requests.

#include "grid/core/GridCoreState.h"
#include "grid/core/GridPointer.h"
#include "grid/core/TavikCustomGrid.h"

void TTavikCustomGrid::FocusGained(bool fromEditor)
{
    if (fromEditor)
        return;
    RepaintSelection();
    UpdateEdit();
    NotifyAccessibleFocus(*this);
}

void TTavikCustomGrid::FocusLost(bool toEditor)
{
    RepaintSelection();
    // The editor comes back with the focus: only its window goes.
    if (!toEditor)
        HideEdit();
}

void TTavikCustomGrid::DoEnter()
{
    FocusGained(false);
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
