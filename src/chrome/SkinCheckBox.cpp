#include "chrome/SkinCheckBox.h"

#include "platform/Canvas.h"

TSkinCustomCheckBox::TSkinCustomCheckBox(TComponent* owner) : TSkinTextObject(owner)
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
    TSkinTextObject::Click();
}

bool TSkinCustomCheckBox::HitTest(int x, int y) const
{
    return SkinLayout::HitRect(InnerRect(), MeasuredTextRect(), EffectiveAlignment() == taRightJustify)
        .Contains({x, y});
}

TRect TSkinCustomCheckBox::BoxRect() const
{
    return SkinLayout::BoxRect(InnerRect(), EffectiveAlignment() == taRightJustify);
}

unsigned TSkinCustomCheckBox::FrameFlags() const
{
    if (!Enabled())
        return skfDisabled;
    unsigned flags = 0;
    if (state_ == cbChecked)
        flags |= skfChecked;
    else if (state_ == cbGrayed)
        flags |= skfMixed;
    if (Hot())
        flags |= skfHot;
    if (Pressed() && Hot())
        flags |= skfPushed;
    if (Focused())
        flags |= skfFocused;
    return flags;
}

void TSkinCustomCheckBox::MouseEnter()
{
    Invalidate();
    TSkinTextObject::MouseEnter();
}

void TSkinCustomCheckBox::MouseLeave()
{
    Invalidate();
    TSkinTextObject::MouseLeave();
}

TRect TSkinCustomCheckBox::FocusRectFor(const TRect& textRect) const
{
    return SkinLayout::FocusRect(InnerRect(), textRect);
}

TRect TSkinCustomCheckBox::TextMargins() const
{
    return SkinLayout::BoxTextMargins(EffectiveAlignment() == taRightJustify);
}

void TSkinCustomCheckBox::Paint(TCanvas& canvas)
{
    TSkinTextObject::Paint(canvas);
    PaintFrame(canvas, BoxRect(), skfCheckBox, FrameFlags());
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
    TSkinTextObject::WndProc(message);
}
