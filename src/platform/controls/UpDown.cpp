#include "platform/controls/UpDown.h"

#include <algorithm>

#include "platform/canvas/ButtonFace.h"

namespace {
constexpr unsigned kRepeatTimer = 1;
constexpr int kFirstDelay = 400;
constexpr int kRepeatDelay = 100;
} // namespace

TCustomUpDown::TCustomUpDown(TComponent* owner) : TCustomControl(owner)
{
    SetBounds(0, 0, 17, 21);
}

void TCustomUpDown::SetRange(int min, int max)
{
    if (min > max)
        throw EInvalidOperation(QStringLiteral("Up-down range %1..%2 is empty").arg(min).arg(max));
    min_ = min;
    max_ = max;
    position_ = std::clamp(position_, min_, max_);
}

void TCustomUpDown::SetPosition(int value)
{
    position_ = std::clamp(value, min_, max_);
}

bool TCustomUpDown::CanChange()
{
    bool allow = true;
    OnChanging(this, allow);
    return allow;
}

void TCustomUpDown::Step(TUDBtnType button)
{
    const int next = std::clamp(position_ + (button == btNext ? increment_ : -increment_), min_, max_);
    if (next == position_ || !CanChange())
        return;
    position_ = next;
    Clicked(button);
}

void TCustomUpDown::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    pressed_ = y < Height() / 2 ? btNext : btPrev;
    Invalidate();
    Step(static_cast<TUDBtnType>(pressed_));
    if (HasWidget())
        SetTimer(kRepeatTimer, kFirstDelay);
}

void TCustomUpDown::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseUp(button, shift, x, y);
    KillTimer(kRepeatTimer);
    pressed_ = -1;
    Invalidate();
}

void TCustomUpDown::TimerFired(unsigned id)
{
    if (id != kRepeatTimer || pressed_ < 0)
        return;
    SetTimer(kRepeatTimer, kRepeatDelay);
    Step(static_cast<TUDBtnType>(pressed_));
}

void TCustomUpDown::Paint(TCanvas& canvas)
{
    const int half = Height() / 2;
    const TRect up{0, 0, Width(), half};
    const TRect down{0, half, Width(), Height()};
    const TRect upFace = DrawButtonFace(canvas, up, pressed_ == btNext);
    const TRect downFace = DrawButtonFace(canvas, down, pressed_ == btPrev);
    DrawArrow(canvas, upFace, adUp, position_ < max_, 3);
    DrawArrow(canvas, downFace, adDown, position_ > min_, 3);
}
