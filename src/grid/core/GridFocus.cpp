// Focus gain and loss, leaving the control, and cancel-mode requests.

#include "grid/core/GridCoreState.h"
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
    switch (d_->mouseState) {
    case gmsSelecting:
    case gmsColSelecting:
    case gmsRowSelecting:
    case gmsRangeFilling:
    case gmsRangeMoving: KillTimer(AutoScrollTimer); break;
    case gmsRowResizing:
    case gmsColResizing: EraseSizingLine(); break;
    case gmsRowMoving:
    case gmsColMoving:
        EraseMoveLine();
        KillTimer(AutoScrollTimer);
        break;
    default: break;
    }
    if (d_->tracker.RowDragActive)
        SetWidgetCursor(crDefault);
    d_->tracker.RowDragPending = false;
    d_->tracker.RowDragActive = false;
    d_->selections->CancelRangeDrag();
    d_->mouseState = gmsNone;
}
