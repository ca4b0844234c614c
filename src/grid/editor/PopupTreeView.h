#pragma once

// The tree drop-down of the in-place editor: a release closes it only when a
// node is selected and the release lies on that node's label.

#include "platform/controls/DropDownTreeView.h"

class TInplaceEdit;

class TPopupTreeView : public TDropDownTreeView {
public:
    explicit TPopupTreeView(TInplaceEdit* editor);
    ~TPopupTreeView() override;
    const char* ClassName() const override { return "TPopupTreeView"; }

    // Called for every node that goes, last to first at destruction.
    TEvent<TObject*, TTreeNode*> OnNodeDeletion;
    // Frees the nodes from the last to the first, telling OnNodeDeletion.
    void ClearNodes();

protected:
    void TreeMouseUp(TMouseButton button, int x, int y) override;

private:
    TInplaceEdit* editor_;
};
