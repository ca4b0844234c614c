// The editor's button: tracking a press on it and painting it.

#include "grid/editor/InplaceEdit.h"
#include "grid/editor/PopupListBox.h"
#include "grid/core/GridEditorHost.h"
#include "grid/core/TavikCustomGrid.h"
#include "platform/canvas/ButtonFace.h"

void TInplaceEdit::SetButtonPressed(bool pressed)
{
    if (Exchange(buttonPressed_, pressed))
        InvalidateOverlay();
}

void TInplaceEdit::StopTracking()
{
    if (!tracking_)
        return;
    tracking_ = false;
    SetButtonPressed(false);
}

void TInplaceEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomMaskEdit::MouseDown(button, shift, x, y);
    pressHandedToPopup_ = false;
    if (button != mbLeft || editStyle_ == esSimple || !ButtonRect().Contains({x, y}))
        return;
    if (listVisible_) {
        CloseUp(false);
        return;
    }
    // The window layer keeps the pointer with the button while it is held.
    tracking_ = true;
    SetButtonPressed(true);
    if (activePopup_)
        DropDown();
}

void TInplaceEdit::MouseMove(TShiftState shift, int x, int y)
{
    TCustomMaskEdit::MouseMove(shift, x, y);
    if (pressHandedToPopup_ && listVisible_ && listBox_ && activePopup_ == listBox_.get()) {
        const TPoint p = listBox_->ScreenToClient(ClientToScreen({x, y}));
        listBox_->SendMouse(1, p.X, p.Y);
        return;
    }
    if (!tracking_)
        return;
    SetButtonPressed(ButtonRect().Contains({x, y}));
    if (listVisible_ && listBox_ && activePopup_ == listBox_.get()) {
        const TPoint p = listBox_->ScreenToClient(ClientToScreen({x, y}));
        if (p.X >= 0 && p.Y >= 0 && p.X < listBox_->Width() && p.Y < listBox_->Height()) {
            // Press on the button, drag into the list, release to choose.
            StopTracking();
            pressHandedToPopup_ = true;
            listBox_->SendMouse(0, p.X, p.Y);
        }
    }
}

void TInplaceEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomMaskEdit::MouseUp(button, shift, x, y);
    if (pressHandedToPopup_) {
        pressHandedToPopup_ = false;
        if (listVisible_ && listBox_ && activePopup_ == listBox_.get()) {
            const TPoint p = listBox_->ScreenToClient(ClientToScreen({x, y}));
            listBox_->SendMouse(2, p.X, p.Y);
        }
        return;
    }
    const bool wasPressed = buttonPressed_;
    const bool wasTracking = tracking_;
    StopTracking();
    if (wasTracking && wasPressed &&
        (editStyle_ == esEllipsis || editStyle_ == esEllipsisReadOnly || editStyle_ == esDropDownWindow) && grid_)
        host_->EditButtonClick();
}

void TInplaceEdit::PaintOverlay(TCanvas& canvas, const TRect& rect)
{
    const TRect button = ButtonRect();
    if (editStyle_ == esColorList) {
        bool ok = false;
        const qlonglong value = Text().trimmed().toLongLong(&ok);
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(ok ? static_cast<TColor>(value & 0xFFFFFF) : clBlack);
        canvas.FillRect({0, 0, button.Left, Height()});
    }
    switch (editStyle_) {
    case esSimple:
    case esUpDown: break;
    case esEllipsis:
    case esEllipsisReadOnly: DrawEllipsisButton(canvas, button); break;
    default: DrawDropDownButton(canvas, button); break;
    }
}

void TInplaceEdit::DrawEllipsisButton(TCanvas& canvas, const TRect& r)
{
    DrawButtonFace(canvas, r, buttonPressed_);
    const int s = buttonWidth_ <= 7 ? 1 : buttonWidth_ / 8;
    const int shift = buttonPressed_ ? 1 : 0;
    const int cx = (r.Left + r.Right) / 2 - s / 2 + shift;
    const int cy = (r.Top + r.Bottom) / 2 - s / 2 + shift;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBlack);
    for (int dx : {-2 * s, 0, 2 * s})
        canvas.FillRect({cx + dx, cy, cx + dx + s, cy + s});
}

void TInplaceEdit::DrawDropDownButton(TCanvas& canvas, const TRect& r)
{
    const bool enabled = activePopup_ != nullptr || editStyle_ == esDropDownWindow;
    const TRect face = DrawButtonFace(canvas, r, buttonPressed_ && enabled);
    TRect arrow = face;
    if (buttonPressed_ && enabled) {
        ++arrow.Left;
        ++arrow.Top;
        ++arrow.Right;
        ++arrow.Bottom;
    }
    DrawArrow(canvas, arrow, adDown, enabled, 4);
}
