#include "chrome/checkboxes/SkinCheckBox.h"

#include "platform/framework/accessibility/AccessibleBridge.h"
#include "platform/canvas/Canvas.h"

TSkinCustomCheckBox::TSkinCustomCheckBox(TComponent* owner) : TSkinBoxObject(owner)
{
    SetSmartFocus(true);
    SetSpaceClicks(true);
    SetTabStop(true);
}

void TSkinCustomCheckBox::SetState(TCheckBoxState v)
{
    if (v > cbGrayed || v == state_ || !CanChange())
        return;
    state_ = v;
    Invalidate();
    NotifyAccessibleState(*this, 0);
    // A stored state is no change, whatever order the definition lists it in.
    if (!IsLoading())
        DoChange();
}

void TSkinCustomCheckBox::Toggle()
{
    switch (state_) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TSkinCustomCheckBox::Click()
{
    Toggle();
    Invalidate();
    TSkinBoxObject::Click();
}

void TSkinCustomCheckBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CM_DIALOGKEY:
        // Enter on the focused check box ticks it instead of pressing the default button.
        if (message.WParam == VK_RETURN && message.LParam == 1 && Focused() &&
            !(KeyboardShiftState() & (ssShift | ssAlt | ssCtrl))) {
            Click();
            message.Result = 1;
            return;
        }
        break;
    case CM_DIALOGCHAR:
        if (IsOwnAccelerator(QChar(static_cast<char16_t>(message.WParam)))) {
            Click();
            message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TSkinBoxObject::WndProc(message);
}
