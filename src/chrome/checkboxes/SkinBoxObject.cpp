#include "chrome/checkboxes/SkinBoxObject.h"

bool TSkinBoxObject::HitTest(int x, int y) const
{
    return SkinLayout::HitRect(InnerRect(), MeasuredTextRect(), EffectiveAlignment() == taRightJustify)
        .Contains({x, y});
}

TRect TSkinBoxObject::BoxRect() const
{
    return SkinLayout::BoxRect(InnerRect(), EffectiveAlignment() == taRightJustify);
}

unsigned TSkinBoxObject::FrameFlags() const
{
    if (!Enabled())
        return skfDisabled;
    unsigned flags = CheckFlags();
    if (Hot())
        flags |= skfHot;
    if (Pressed() && Hot())
        flags |= skfPushed;
    if (Focused())
        flags |= skfFocused;
    return flags;
}

void TSkinBoxObject::MouseEnter()
{
    Invalidate();
    TSkinTextObject::MouseEnter();
}

void TSkinBoxObject::MouseLeave()
{
    Invalidate();
    TSkinTextObject::MouseLeave();
}

TRect TSkinBoxObject::FocusRectFor(const TRect& textRect) const
{
    return SkinLayout::FocusRect(InnerRect(), textRect);
}

TRect TSkinBoxObject::TextMargins() const
{
    return SkinLayout::BoxTextMargins(EffectiveAlignment() == taRightJustify);
}

void TSkinBoxObject::Paint(TCanvas& canvas)
{
    TSkinTextObject::Paint(canvas);
    PaintFrame(canvas, BoxRect(), BoxKind(), FrameFlags());
}
