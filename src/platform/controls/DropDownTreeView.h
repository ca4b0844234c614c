#pragma once

// A tree view that lives in a drop-down window: hot tracking, selection shown
// without focus, no context menu; releases of the mouse and keys sent to it
// reach the framework's handlers.

#include <memory>

#include "platform/controls/TreeView.h"

class TDropDownTreeView : public TTreeView {
public:
    explicit TDropDownTreeView(TComponent* owner);
    ~TDropDownTreeView() override;
    const char* ClassName() const override { return "TDropDownTreeView"; }

    // Delivers a key to the tree as the keyboard would.
    void SendKey(Word key, TShiftState shift = 0);
    // A press (0), move (1) or release (2) of the left button at a client point.
    void SendMouse(int kind, int x, int y);
    // Whether the client point lies on the node's label (not beside it).
    bool PointOnNodeText(TTreeNode* node, int x, int y) const;

    void ReleaseAt(TMouseButton button, int x, int y) { TreeMouseUp(button, x, y); }

protected:
    QWidget* CreateWidget() override;
    // A release of a mouse button over the tree (client coordinates).
    virtual void TreeMouseUp(TMouseButton button, int x, int y) {}

private:
    class Watch;
    std::unique_ptr<Watch> watch_;
};
