#include "chrome/checkboxes/SkinPanelObject.h"

#include "chrome/checkboxes/SkinHotTracker.h"
#include "platform/base/AppContext.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/Form.h"

namespace {

struct FramePainterState {
    TSkinFramePainter painter;
};

TSkinFramePainter& InstalledPainter()
{
    return AppContext().State<FramePainterState>().painter;
}

// The classic check mark, 7 x 7, three pixels in from the box's corner.
const char* const kCheckMark[7] = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};

// The classic radio circle, 12 x 12: '1' outer ring, '2' inner ring, 'w' inside.
const char* const kRadio[12] = {
    "....1111....", "..11222211..", ".122wwww221.", ".12wwwwww21.", "12wwwwwwww21", "12wwwwwwww21",
    "12wwwwwwww21", "12wwwwwwww21", ".12wwwwww21.", ".122wwww221.", "..11222211..", "....1111....",
};

// The dot of a checked radio button, 4 x 4 in the middle of the circle.
const char* const kRadioDot[4] = {".##.", "####", "####", ".##."};

void Fill(TCanvas& canvas, int left, int top, int right, int bottom, TColor color)
{
    canvas.Brush().SetColor(color);
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect({left, top, right, bottom});
}

void PaintClassicCheck(TCanvas& canvas, int x, int y, unsigned flags)
{
    Fill(canvas, x, y, x + 12, y + 1, clBtnShadow);
    Fill(canvas, x, y, x + 1, y + 12, clBtnShadow);
    Fill(canvas, x, y + 12, x + 13, y + 13, clBtnHighlight);
    Fill(canvas, x + 12, y, x + 13, y + 13, clBtnHighlight);
    Fill(canvas, x + 1, y + 1, x + 11, y + 2, cl3DDkShadow);
    Fill(canvas, x + 1, y + 1, x + 2, y + 11, cl3DDkShadow);
    Fill(canvas, x + 1, y + 11, x + 12, y + 12, cl3DLight);
    Fill(canvas, x + 11, y + 1, x + 12, y + 12, cl3DLight);
    const bool dim = flags & (skfDisabled | skfMixed);
    Fill(canvas, x + 2, y + 2, x + 11, y + 11, dim || (flags & skfPushed) ? clBtnFace : clWindow);
    if (!(flags & (skfChecked | skfMixed)))
        return;
    const TColor ink = dim ? clBtnShadow : clWindowText;
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 7; ++col)
            if (kCheckMark[row][col] == '#')
                canvas.SetPixel(x + 3 + col, y + 3 + row, ink);
}

void PaintClassicRadio(TCanvas& canvas, int x, int y, unsigned flags)
{
    const bool dim = flags & (skfDisabled | skfPushed);
    for (int row = 0; row < 12; ++row)
        for (int col = 0; col < 12; ++col) {
            // Light falls from the top left: the rings' upper-left halves are dark.
            const bool upperLeft = row + col < 11;
            TColor c;
            switch (kRadio[row][col]) {
            case '1': c = upperLeft ? clBtnShadow : clBtnHighlight; break;
            case '2': c = upperLeft ? cl3DDkShadow : cl3DLight; break;
            case 'w': c = dim ? clBtnFace : clWindow; break;
            default: continue;
            }
            canvas.SetPixel(x + col, y + row, c);
        }
    if (!(flags & skfChecked))
        return;
    const TColor ink = (flags & skfDisabled) ? clBtnShadow : clWindowText;
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col)
            if (kRadioDot[row][col] == '#')
                canvas.SetPixel(x + 4 + col, y + 4 + row, ink);
}

} // namespace

TSkinPanelObject::TSkinPanelObject(TComponent* owner) : TCustomControl(owner)
{
    // Transparent by default: the parent's background shows through.
    SetSelfPainted(false);
    SetColor(clNone);
    TSkinHotTracker::Attach(this);
}

TSkinPanelObject::~TSkinPanelObject()
{
    MarkDestroying();
    TSkinHotTracker::Detach(this);
}

void TSkinPanelObject::SetFramePainter(TSkinFramePainter painter)
{
    InstalledPainter() = std::move(painter);
    ThemeChanged();
}

void TSkinPanelObject::PaintFrame(TCanvas& canvas, const TRect& rect, int kind, unsigned flags)
{
    if (InstalledPainter())
        InstalledPainter()(canvas, rect, kind, flags);
    else
        PaintClassicFrame(canvas, rect, kind, flags);
}

void TSkinPanelObject::PaintClassicFrame(TCanvas& canvas, const TRect& rect, int kind, unsigned flags)
{
    if (kind == skfRadioButton)
        PaintClassicRadio(canvas, rect.Left, rect.Top, flags);
    else
        PaintClassicCheck(canvas, rect.Left, rect.Top, flags);
}

void TSkinPanelObject::ThemeChanged()
{
    for (TSkinPanelObject* c : TSkinHotTracker::Instances())
        c->Invalidate();
}

void TSkinPanelObject::EnterHot()
{
    if (!Enabled() || hot_)
        return;
    hot_ = true;
    MouseEnter();
}

void TSkinPanelObject::LeaveHot()
{
    if (Enabled() && hot_)
        LeaveHotState();
}

void TSkinPanelObject::LeaveHotState()
{
    hot_ = false;
    if (TSkinHotTracker::Current() == this)
        TSkinHotTracker::SetCurrent(nullptr);
    MouseLeave();
    Invalidate();
}

void TSkinPanelObject::EnabledChanged()
{
    if (!Enabled()) {
        if (hot_)
            LeaveHotState();
        // Any mouse mode ends with the control.
        pressed_ = false;
        leftDown_ = false;
        if (MouseCapture())
            ReleaseCapture();
    }
    TCustomControl::EnabledChanged();
}

void TSkinPanelObject::ColorChanged()
{
    TCustomControl::ColorChanged();
    Invalidate();
}

void TSkinPanelObject::Paint(TCanvas& canvas)
{
    if (Color() == clNone)
        return;
    canvas.Brush().SetColor(Color());
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(ClientRect());
}

void TSkinPanelObject::WndProc(TMessage& message)
{
    // Hot tracking follows the mouse moves and the timer, not the window
    // layer's enter and leave.
    if (message.Msg == CM_MOUSEENTER || message.Msg == CM_MOUSELEAVE)
        return;
    TCustomControl::WndProc(message);
}

bool TSkinPanelObject::ParentHoldsActiveControl() const
{
    TCustomForm* form = ParentForm();
    if (!form || !Parent())
        return false;
    for (const TControl* c = form->ActiveControl(); c; c = c->Parent())
        if (c->Parent() == Parent())
            return true;
    return false;
}

void TSkinPanelObject::TakeFocusOnPress()
{
    if (Focused() || !CanFocus())
        return;
    if (!smartFocus_) {
        SetFocus();
        return;
    }
    if (!ParentHoldsActiveControl())
        return;
    focusingWithoutScroll_ = true;
    try {
        SetFocus();
    } catch (...) {
        focusingWithoutScroll_ = false;
        throw;
    }
    focusingWithoutScroll_ = false;
}

void TSkinPanelObject::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        leftDown_ = true;
        if (!pressed_) {
            pressed_ = true;
            Invalidate();
        }
        EnterHot();
        TakeFocusOnPress();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TSkinPanelObject::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        leftDown_ = false;
        pressed_ = false;
        Invalidate();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TSkinPanelObject::MouseMove(TShiftState shift, int x, int y)
{
    TControl* under = TSkinHotTracker::ControlUnderCursor();
    if (under == this) {
        if (TSkinHotTracker::Current() != this) {
            if (TSkinPanelObject* previous = TSkinHotTracker::Current())
                previous->LeaveHot();
            TSkinHotTracker::SetCurrent(this);
            EnterHot();
        }
    } else if ((leftDown_ || MouseCapture()) && hot_) {
        LeaveHot();
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TSkinPanelObject::KeyDown(Word& key, TShiftState shift)
{
    if (key == VK_SPACE && spaceClicks_ && !pressed_) {
        pressed_ = true;
        Invalidate();
    }
    TCustomControl::KeyDown(key, shift);
}

void TSkinPanelObject::KeyUp(Word& key, TShiftState shift)
{
    if (key == VK_SPACE && spaceClicks_ && pressed_) {
        pressed_ = false;
        Click();
        Invalidate();
    }
    TCustomControl::KeyUp(key, shift);
}

void TSkinPanelObject::DoEnter()
{
    // No container of this framework scrolls, so there is nothing to bring into view.
    Invalidate();
    TCustomControl::DoEnter();
}

void TSkinPanelObject::DoExit()
{
    pressed_ = false;
    Invalidate();
    TCustomControl::DoExit();
}
