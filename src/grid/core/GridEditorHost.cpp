// The editor host's neutral answers: the editing collaborator's, which raise
// the grid's editor events for the current cell.

#include "grid/core/GridEditorHost.h"

#include "grid/core/GridEditing.h"
#include "grid/editor/InplaceEdit.h"

TEditStyle IGridEditorHost::EditStyle()
{
    return Editing().EditStyle();
}

void IGridEditorHost::EditProperty(TEditProperty& property)
{
    Editing().EditProperty(property);
}

bool IGridEditorHost::CanEditModify() const
{
    return Editing().CanModify();
}

void IGridEditorHost::GetDropDownList(QStringList& items, int& rows)
{
    Editing().GetDropDownList(items, rows);
}

void IGridEditorHost::GetTreeViewList(TTreeNodes& nodes)
{
    Editing().GetTreeViewList(nodes);
}

void IGridEditorHost::QueryListStyle(TListBoxStyle& style, int& itemHeight)
{
    Editing().QueryListStyle(style, itemHeight);
}

void IGridEditorHost::EditButtonClick()
{
    Editing().EditButtonClick();
}

void IGridEditorHost::InplaceEditChanged(const QString& text)
{
    Editing().InplaceEditChanged(text);
}

void IGridEditorHost::BeforeListSelected(const QStringList& items, QString& item)
{
    Editing().BeforeListSelected(items, item);
}

void IGridEditorHost::ListSelected(const QString& item)
{
    Editing().ListSelected(item);
}

void IGridEditorHost::TreeViewListSelected(TTreeNode* node, QString& text)
{
    Editing().TreeViewListSelected(node, text);
}

void IGridEditorHost::TreeNodeDeleted(TTreeNode* node)
{
    Editing().TreeNodeDeleted(node);
}

void IGridEditorHost::QueryEditorMode(bool& canShow, QChar ch)
{
    Editing().QueryEditorMode(canShow, ch);
}

bool IGridEditorHost::QueryReadOnly(int col, int row)
{
    return Editing().QueryReadOnly(col, row);
}

bool IGridEditorHost::CanEditShow()
{
    return Editing().CanShow();
}

std::unique_ptr<TInplaceEdit> IGridEditorHost::CreateEditor()
{
    return std::make_unique<TInplaceEdit>(nullptr);
}

void IGridEditorHost::UpdateEdit()
{
    Editing().Update();
}

void IGridEditorHost::HideEdit()
{
    Editing().Commit();
}

void IGridEditorHost::EditorModeChanged()
{
    Editing().ModeChanged();
}

void IGridEditorHost::PostCharToEditor(QChar ch)
{
    Editing().PostChar(ch);
}

void IGridEditorHost::EditorCancelMode()
{
    Editing().CancelMode();
}

bool IGridEditorHost::IsEditorWindow(const TWinControl* control) const
{
    return control && control == Editing().Editor();
}

bool IGridEditorHost::GetEditPart(int, int, int, int& fontHeight, TRect&, QString&)
{
    fontHeight = 0;
    return false;
}
