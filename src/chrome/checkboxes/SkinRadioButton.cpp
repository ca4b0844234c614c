#include "chrome/checkboxes/SkinRadioButton.h"

#include <algorithm>

#include "platform/framework/accessibility/AccessibleBridge.h"
#include "platform/canvas/Canvas.h"

TSkinCustomRadioButton::TSkinCustomRadioButton(TComponent* owner) : TSkinBoxObject(owner)
{
    SetSmartFocus(true);
    SetSpaceClicks(true);
    SetTabStop(true);
}

void TSkinCustomRadioButton::SetChecked(bool v)
{
    if (v == checked_ || !CanChange())
        return;
    checked_ = v;
    // Tab reaches a group through its checked button only.
    SetTabStop(v);
    if (v)
        UncheckGroup();
    Invalidate();
    NotifyAccessibleState(*this, 0);
    // A stored state is no change, whatever order the definition lists it in.
    if (!IsLoading())
        DoChange();
}

void TSkinCustomRadioButton::SetGroupIndex(int v)
{
    if (Exchange(groupIndex_, v) && checked_)
        UncheckGroup();
}

void TSkinCustomRadioButton::UncheckGroup()
{
    if (!Parent())
        return;
    // A handler may add or free siblings; work from a snapshot and skip the gone.
    const std::vector<TControl*> siblings = Parent()->ControlList();
    for (TControl* c : siblings) {
        if (c == this || !Parent())
            continue;
        const auto& now = Parent()->ControlList();
        if (std::find(now.begin(), now.end(), c) == now.end())
            continue;
        auto* other = dynamic_cast<TSkinCustomRadioButton*>(c);
        if (other && other->groupIndex_ == groupIndex_)
            other->SetChecked(false);
    }
}

void TSkinCustomRadioButton::Click()
{
    if (!checked_)
        SetChecked(true);
    Invalidate();
    TSkinBoxObject::Click();
}

void TSkinCustomRadioButton::WndProc(TMessage& message)
{
    if (message.Msg == CM_DIALOGCHAR && IsOwnAccelerator(QChar(static_cast<char16_t>(message.WParam)))) {
        Click();
        message.Result = 1;
        return;
    }
    TSkinBoxObject::WndProc(message);
}
