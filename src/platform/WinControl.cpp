#include "platform/WinControl.h"

#include <algorithm>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimerEvent>
#include <QWidget>

#include "platform/Form.h"
#include "platform/WindowLayer.h"

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    MarkDestroying();
    if (TCustomForm* form = ParentForm(); form && form != this)
        form->ForgetControl(this);
    // Children go first, while this window still exists to hold theirs.
    while (!controls_.empty())
        delete controls_.back();
    for (auto& [id, qtId] : timers_)
        if (HasWidget())
            Widget()->killTimer(qtId);
    timers_.clear();
}

TControl* TWinControl::Controls(int index) const
{
    if (index < 0 || index >= ControlCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return controls_[index];
}

void TWinControl::InsertControl(TControl* c)
{
    controls_.push_back(c);
    if (auto* w = dynamic_cast<TWinControl*>(c))
        tabList_.push_back(w);
}

void TWinControl::RemoveControl(TControl* c)
{
    controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), c), tabList_.end());
}

int TWinControl::TabOrder() const
{
    if (!Parent())
        return -1;
    const auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order)
{
    // While a stored definition is read the list is still growing; the order is
    // applied when loading ends, in reading order.
    if (IsLoading()) {
        pendingTabOrder_ = order;
        return;
    }
    if (!Parent())
        return;
    auto& list = Parent()->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end())
        return;
    list.erase(it);
    const int count = static_cast<int>(list.size());
    order = std::clamp(order, 0, count);
    list.insert(list.begin() + order, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    for (TWinControl* c : tabList_) {
        list.push_back(c);
        c->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                          bool checkParent) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    const int count = static_cast<int>(list.size());
    int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
    if (start == count)
        start = forward ? count - 1 : 0;
    int i = start;
    do {
        if (forward) {
            if (++i == count)
                i = 0;
        } else {
            if (i == 0)
                i = count;
            --i;
        }
        TWinControl* c = list[i];
        if (c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this))
            return c;
    } while (i != start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop)
{
    if (TWinControl* c = FindNextControl(current, forward, checkTabStop, !checkTabStop))
        c->SetFocus();
}

void TWinControl::SetCtl3D(bool v)
{
    parentCtl3D_ = false;
    if (Exchange(ctl3D_, v))
        Ctl3DChanged();
}

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c && c->Parent(); c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus()
{
    if (TCustomForm* form = ParentForm(); form && form != this) {
        form->FocusChanged(this);
        if (form->HasWidget() && form->Widget()->isVisible())
            Widget()->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (HasWidget())
        Widget()->setFocus(Qt::OtherFocusReason);
}

bool TWinControl::Focused() const
{
    TCustomForm* form = ParentForm();
    return form && form != this && form->ActiveControl() == this;
}

void TWinControl::Realign(TControl* trigger)
{
    if (alignDisabled_ > 0 || realigning_ || IsLoading() || IsDestroying())
        return;
    realigning_ = true;
    alignTrigger_ = trigger;
    TRect rect = ClientRect();
    AlignControls(rect);
    alignTrigger_ = nullptr;
    realigning_ = false;
}

void TWinControl::EnableAlign()
{
    if (alignDisabled_ > 0 && --alignDisabled_ == 0)
        Realign();
}

void TWinControl::AlignControls(TRect& rect)
{
    // The framework's order: top, bottom, left, right, then client; within one
    // kind by position, ties to the control that asked for the realignment, then
    // by creation order. So a panel shown again at the left edge goes back in
    // front of a splitter that slid there while it was hidden.
    auto place = [&](TAlign kind) {
        std::vector<TControl*> list;
        for (TControl* c : controls_)
            if (c->Align() == kind && c->Visible())
                list.push_back(c);
        auto key = [kind](const TControl* c) {
            switch (kind) {
            case alTop: return c->Top();
            case alBottom: return -(c->Top() + c->Height());
            case alLeft: return c->Left();
            case alRight: return -(c->Left() + c->Width());
            default: return 0;
            }
        };
        std::stable_sort(list.begin(), list.end(), [&](const TControl* a, const TControl* b) {
            const int ka = key(a), kb = key(b);
            return ka < kb || (ka == kb && a == alignTrigger_ && b != alignTrigger_);
        });
        for (TControl* c : list) {
            int w = c->Width(), h = c->Height();
            switch (kind) {
            case alTop:
                c->SetBounds(rect.Left, rect.Top, rect.Width(), h);
                rect.Top += h;
                break;
            case alBottom:
                c->SetBounds(rect.Left, rect.Bottom - h, rect.Width(), h);
                rect.Bottom -= h;
                break;
            case alLeft:
                c->SetBounds(rect.Left, rect.Top, w, rect.Height());
                rect.Left += w;
                break;
            case alRight:
                c->SetBounds(rect.Right - w, rect.Top, w, rect.Height());
                rect.Right -= w;
                break;
            case alClient:
                c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
                break;
            default:
                break;
            }
        }
    };
    place(alTop);
    place(alBottom);
    place(alLeft);
    place(alRight);
    place(alClient);
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    if (pendingTabOrder_ >= 0) {
        const int order = pendingTabOrder_;
        pendingTabOrder_ = -1;
        SetTabOrder(order);
    }
}

void TWinControl::FontChanged()
{
    TControl::FontChanged();
    for (TControl* c : controls_)
        c->ParentFontChanged();
}

void TWinControl::ColorChanged()
{
    TControl::ColorChanged();
    for (TControl* c : controls_)
        c->ParentColorChanged();
}

void TWinControl::Resize()
{
    Realign();
    TControl::Resize();
}

void TWinControl::SetTimer(unsigned id, int milliseconds)
{
    KillTimer(id);
    timers_[id] = Widget()->startTimer(std::max(milliseconds, 1));
}

void TWinControl::KillTimer(unsigned id)
{
    auto it = timers_.find(id);
    if (it == timers_.end())
        return;
    if (HasWidget())
        Widget()->killTimer(it->second);
    timers_.erase(it);
}

void TWinControl::PostMessage(unsigned msg, WPARAM wparam, LPARAM lparam)
{
    WindowLayer::PostMessage(this, TMessage{msg, wparam, lparam, 0});
}

void TWinControl::WndProc(TMessage& message)
{
    if (message.Msg == WM_TIMER) {
        TimerFired(static_cast<unsigned>(message.WParam));
        return;
    }
    if (message.Msg == WM_GETDLGCODE) {
        message.Result = DialogCode();
        return;
    }
    TControl::WndProc(message);
}

bool TWinControl::HandleKey(QKeyEvent* event, bool press)
{
    const TShiftState shift = WindowLayer::ShiftFromEvent(event);
    Word key = WindowLayer::VirtualKey(event);
    if (press) {
        if (key != 0)
            KeyDown(key, shift);
        const QString text = event->text();
        if (key != 0 && !text.isEmpty() && text[0].isPrint()) {
            QChar ch = text[0];
            KeyPress(ch);
        } else if (key == VK_RETURN || key == VK_ESCAPE || key == VK_BACK) {
            QChar ch(key == VK_RETURN ? 13 : key == VK_ESCAPE ? 27 : 8);
            KeyPress(ch);
        }
    } else if (key != 0) {
        KeyUp(key, shift);
    }
    return true;
}

bool TWinControl::DispatchEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // Keys a child did not take travel up; only the focused control handles keys.
        if (!Focused() && ParentForm() != this)
            return false;
        return HandleKey(static_cast<QKeyEvent*>(event), event->type() == QEvent::KeyPress);
    case QEvent::Timer: {
        const int qtId = static_cast<QTimerEvent*>(event)->timerId();
        for (auto& [id, t] : timers_)
            if (t == qtId) {
                Perform(WM_TIMER, id);
                return true;
            }
        return false;
    }
    case QEvent::MouseButtonPress:
        if (!OwnsMousePoint(static_cast<QMouseEvent*>(event)))
            break; // the window behind takes it
        if (FocusOnPress() && Enabled() && TabStop() && CanFocus() && !Focused())
            SetFocus();
        break;
    default:
        break;
    }
    return TControl::DispatchEvent(event);
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner)
{
    SetSelfPainted(true);
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner)
{
    SetSelfPainted(false);
}
