// The grid's editor seams: the overridable steps of in-place editing that the
// grid itself declares, each handing over to the editing collaborator.

#include "grid/core/GridCoreState.h"
#include "grid/core/GridEditing.h"
#include "grid/core/TavikCustomGrid.h"
#include "grid/editor/InplaceEdit.h"

TGridEditing& TTavikCustomGrid::Editing() const
{
    return *d_->editing;
}

bool TTavikCustomGrid::EditorMode() const
{
    return d_->editing->Mode();
}

void TTavikCustomGrid::SetEditorMode(bool on)
{
    if (on == d_->editing->Mode())
        return;
    if (on) {
        ShowEditor(QChar(' '));
        if (TInplaceEdit* editor = d_->editing->Editor(); editor && editor->Visible())
            editor->SetSel(editor->TextLength(), 0);
    } else
        HideEditor();
}

void TTavikCustomGrid::FontChanged()
{
    TCustomControl::FontChanged();
    d_->editing->FontChanged();
}

void TTavikCustomGrid::ShowEditor(QChar ch)
{
    d_->editing->Show(ch);
}

void TTavikCustomGrid::TopLeftChanged()
{
    d_->editing->FollowView();
}

void TTavikCustomGrid::HideEditor()
{
    d_->editing->Hide();
}

void TTavikCustomGrid::CancelEditor()
{
    d_->editing->Cancel();
}

bool TTavikCustomGrid::CanHideEditor()
{
    return d_->editing->CanHide();
}

