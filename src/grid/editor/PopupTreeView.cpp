#include "grid/editor/PopupTreeView.h"

#include "grid/editor/InplaceEdit.h"
#include "platform/framework/window/PopupWindow.h"

TPopupTreeView::TPopupTreeView(TInplaceEdit* editor) : TDropDownTreeView(nullptr), editor_(editor)
{
    SetVisible(false);
    PopupWindow::Prepare(this);
}

TPopupTreeView::~TPopupTreeView()
{
    ClearNodes();
}

void TPopupTreeView::ClearNodes()
{
    for (int i = Items().Count() - 1; i >= 0; --i) {
        TTreeNode* node = Items().Item(i);
        OnNodeDeletion(this, node);
        Items().Delete(node);
    }
}

void TPopupTreeView::TreeMouseUp(TMouseButton button, int x, int y)
{
    if (button != mbLeft)
        return;
    TTreeNode* node = Selected();
    if (!node || !PointOnNodeText(node, x, y))
        return;
    editor_->PopupReleased(x >= 0 && y >= 0 && x < Width() && y < Height());
}
