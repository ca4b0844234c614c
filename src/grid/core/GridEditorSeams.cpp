// The grid's editor seams: the overridable steps of in-place editing and the
// editor's questions, each handing over to the editing collaborator.

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

std::unique_ptr<TInplaceEdit> TTavikCustomGrid::CreateEditor()
{
    return std::make_unique<TInplaceEdit>(nullptr);
}

bool TTavikCustomGrid::CanEditShow()
{
    return HasOption(goEditing) && !HasOption(goRowSelect) && d_->editing->Mode() && !IsDestroying() &&
           HasWindow() && (HasOption(goAlwaysShowEditor) || IsActiveControl());
}

void TTavikCustomGrid::ShowEditor(QChar ch)
{
    d_->editing->Show(ch);
}

void TTavikCustomGrid::UpdateEdit()
{
    d_->editing->Update();
}

void TTavikCustomGrid::TopLeftChanged()
{
    d_->editing->FollowView();
}

void TTavikCustomGrid::HideEditor()
{
    d_->editing->Hide();
}

void TTavikCustomGrid::HideEdit()
{
    d_->editing->Commit();
}

void TTavikCustomGrid::CancelEditor()
{
    d_->editing->Cancel();
}

bool TTavikCustomGrid::CanHideEditor()
{
    return d_->editing->CanHide();
}

void TTavikCustomGrid::PostCharToEditor(QChar ch)
{
    d_->editing->PostChar(ch);
}

void TTavikCustomGrid::EditorCancelMode()
{
    d_->editing->CancelMode();
}

bool TTavikCustomGrid::IsEditorWindow(const TWinControl* control) const
{
    return control && control == d_->editing->Editor();
}

bool TTavikCustomGrid::CanEditModify() const
{
    return d_->editing->CanModify();
}

TEditStyle TTavikCustomGrid::EditStyle()
{
    return d_->editing->EditStyle();
}

void TTavikCustomGrid::EditProperty(TEditProperty& property)
{
    d_->editing->EditProperty(property);
}

void TTavikCustomGrid::GetDropDownList(QStringList& items, int& rows)
{
    d_->editing->GetDropDownList(items, rows);
}

void TTavikCustomGrid::GetTreeViewList(TTreeNodes& nodes)
{
    d_->editing->GetTreeViewList(nodes);
}

void TTavikCustomGrid::QueryListStyle(TListBoxStyle& style, int& itemHeight)
{
    d_->editing->QueryListStyle(style, itemHeight);
}

void TTavikCustomGrid::EditButtonClick()
{
    d_->editing->EditButtonClick();
}

void TTavikCustomGrid::InplaceEditChanged(const QString& text)
{
    d_->editing->InplaceEditChanged(text);
}

void TTavikCustomGrid::BeforeListSelected(const QStringList& items, QString& item)
{
    d_->editing->BeforeListSelected(items, item);
}

void TTavikCustomGrid::ListSelected(const QString& item)
{
    d_->editing->ListSelected(item);
}

void TTavikCustomGrid::TreeViewListSelected(TTreeNode* node, QString& text)
{
    d_->editing->TreeViewListSelected(node, text);
}
