#include "platform/framework/WinControl.h"

#include <algorithm>

#include <QApplication>
#include <QCursor>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QTimerEvent>
#include <QWidget>

#include "platform/canvas/Canvas.h"
#include "platform/framework/ControlWidget.h"
#include "platform/framework/Form.h"
#include "platform/framework/window/WindowLayer.h"

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    MarkDestroying();
    if (TCustomForm* form = ParentForm(); form && form != this)
        form->ForgetControl(this);
    // Children go first, while this window still exists to hold theirs.
    while (!controls_.empty())
        delete controls_.back();
    delete repeat_;
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
        // A crowded parent leaves the last controls no room; they get an empty
        // size rather than a negative one.
        const auto room = [](int n) { return std::max(0, n); };
        for (TControl* c : list) {
            int w = c->Width(), h = c->Height();
            switch (kind) {
            case alTop:
                c->SetBounds(rect.Left, rect.Top, room(rect.Width()), h);
                rect.Top += h;
                break;
            case alBottom:
                c->SetBounds(rect.Left, rect.Bottom - h, room(rect.Width()), h);
                rect.Bottom -= h;
                break;
            case alLeft:
                c->SetBounds(rect.Left, rect.Top, w, room(rect.Height()));
                rect.Left += w;
                break;
            case alRight:
                c->SetBounds(rect.Right - w, rect.Top, w, room(rect.Height()));
                rect.Right -= w;
                break;
            case alClient:
                c->SetBounds(rect.Left, rect.Top, room(rect.Width()), room(rect.Height()));
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

TNonClientLayout TWinControl::NonClientLayout() const
{
    return LayoutNonClient(Width(), Height(), ncBorder_, ScrollBarVisible(SB_HORZ), ScrollBarVisible(SB_VERT));
}

TRect TWinControl::ClientAreaInWindow() const
{
    if (ncBorder_ == ncbNone && !hStyle_ && !vStyle_)
        return {0, 0, Width(), Height()};
    return NonClientLayout().client;
}

TRect TWinControl::ClientRect() const
{
    const TRect area = ClientAreaInWindow();
    return {0, 0, area.Width(), area.Height()};
}

bool TWinControl::ScrollBarVisible(TScrollBarKind bar) const
{
    return HasScrollBarStyle(bar) && ScrollBarHasRange(scroll_[bar]);
}

void TWinControl::SetNonClientBorder(TNonClientBorder border)
{
    if (border == ncBorder_)
        return;
    const TRect old = ClientAreaInWindow();
    ncBorder_ = border;
    NonClientChanged(old);
}

void TWinControl::SetScrollBarStyles(bool horz, bool vert)
{
    if (horz == hStyle_ && vert == vStyle_)
        return;
    const TRect old = ClientAreaInWindow();
    hStyle_ = horz;
    vStyle_ = vert;
    NonClientChanged(old);
}

int TWinControl::SetScrollInfo(TScrollBarKind bar, const TScrollInfo& info, unsigned mask)
{
    TScrollInfo next = scroll_[bar];
    if (mask & SIF_RANGE) {
        next.Min = info.Min;
        next.Max = info.Max;
    }
    if (mask & SIF_PAGE)
        next.Page = info.Page;
    if (mask & SIF_POS)
        next.Pos = info.Pos;
    if (mask & SIF_TRACKPOS)
        next.TrackPos = info.TrackPos;
    next = NormalisedScrollInfo(next);
    if (next == scroll_[bar])
        return next.Pos;
    const TRect old = ClientAreaInWindow();
    scroll_[bar] = next;
    if (old != ClientAreaInWindow())
        NonClientChanged(old);
    else
        InvalidateNonClient();
    return scroll_[bar].Pos;
}

void TWinControl::SetScrollRange(TScrollBarKind bar, int min, int max)
{
    TScrollInfo info;
    info.Min = min;
    info.Max = max;
    SetScrollInfo(bar, info, SIF_RANGE);
}

int TWinControl::SetScrollPos(TScrollBarKind bar, int pos)
{
    const int old = scroll_[bar].Pos;
    TScrollInfo info;
    info.Pos = pos;
    SetScrollInfo(bar, info, SIF_POS);
    return old;
}

void TWinControl::NonClientChanged(const TRect& oldClient)
{
    const TRect now = ClientAreaInWindow();
    if (HasWidget()) {
        // Children sit in the client area, wherever it now begins.
        for (TControl* c : controls_)
            if (c->HasWidget())
                c->Widget()->setGeometry(c->WidgetGeometry());
        Widget()->update();
    }
    if (now == oldClient)
        return;
    if (now.Width() != oldClient.Width() || now.Height() != oldClient.Height()) {
        Invalidate();
        Resize();
    }
}

void TWinControl::InvalidateNonClient()
{
    if (!HasWidget())
        return;
    const TRect c = ClientAreaInWindow();
    Widget()->update(QRegion(0, 0, Width(), Height()) - QRegion(c.Left, c.Top, c.Width(), c.Height()));
}

void TWinControl::EnabledChanged()
{
    TControl::EnabledChanged();
    InvalidateNonClient();
}

void TWinControl::PaintNonClient(QImage& window, int scale)
{
    TCanvas canvas(window);
    canvas.SetScale(scale);
    const TNonClientLayout nc = NonClientLayout();
    PaintNonClientBorder(canvas, Width(), Height(), ncBorder_);
    const bool enabled = Enabled() && (!HasWidget() || Widget()->isEnabled());
    for (TScrollBarKind bar : {SB_HORZ, SB_VERT}) {
        const TRect& r = bar == SB_HORZ ? nc.horz : nc.vert;
        if (r.IsEmpty())
            continue;
        const bool mine = tracking_.bar == bar;
        const int pos = mine && tracking_.part == sbpThumb ? tracking_.pos : scroll_[bar].Pos;
        const TScrollBarPart pressed = mine && tracking_.inside && tracking_.part != sbpThumb ? tracking_.part : sbpNone;
        PaintScrollBar(canvas, r, bar == SB_VERT, scroll_[bar], pos, pressed, enabled);
    }
    if (!nc.sizeBox.IsEmpty())
        PaintSizeBox(canvas, nc.sizeBox);
}

QImage TWinControl::WindowImage()
{
    const int k = PaintScale();
    QImage window(std::max(1, Width()) * k, std::max(1, Height()) * k, QImage::Format_RGB32);
    window.fill(Qt::black);
    PaintNonClient(window, k);
    if (const QImage* client = Surface()) {
        PaintInvalid();
        const TRect c = ClientAreaInWindow();
        for (int y = 0; y < std::min(client->height(), c.Height() * k); ++y)
            for (int x = 0; x < std::min(client->width(), c.Width() * k); ++x)
                window.setPixel(c.Left * k + x, c.Top * k + y, client->pixel(x, y));
    }
    return window;
}

void TWinControl::SendScroll(TScrollBarKind bar, unsigned code, int pos)
{
    Perform(bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, WPARAM(code & 0xFFFF) | (WPARAM(pos & 0xFFFF) << 16), 0);
}

namespace {

unsigned ScrollCodeOf(TScrollBarPart part)
{
    switch (part) {
    case sbpLineUp: return SB_LINEUP;
    case sbpLineDown: return SB_LINEDOWN;
    case sbpPageUp: return SB_PAGEUP;
    case sbpPageDown: return SB_PAGEDOWN;
    default: return SB_ENDSCROLL;
    }
}

// The platform's first delay before a held arrow or track repeats, then the pace.
constexpr int kFirstRepeatMs = 400, kRepeatMs = 50;

} // namespace

bool TWinControl::NonClientMouse(QMouseEvent* event)
{
    const TNonClientLayout nc = NonClientLayout();
    const TPoint p{int(event->position().x()), int(event->position().y())};
    const QEvent::Type type = event->type();
    if (tracking_.bar >= 0) {
        const auto bar = static_cast<TScrollBarKind>(tracking_.bar);
        const bool vertical = bar == SB_VERT;
        const TRect& r = vertical ? nc.vert : nc.horz;
        const TScrollBarParts parts = ScrollBarPartsOf(r, vertical, scroll_[bar], scroll_[bar].Pos);
        if (type == QEvent::MouseMove) {
            if (tracking_.part == sbpThumb) {
                const int along = (vertical ? p.Y - r.Top : p.X - r.Left) - parts.trackStart - tracking_.grab;
                const int pos = ScrollPosFromThumb(parts, scroll_[bar], along);
                if (pos != tracking_.pos) {
                    tracking_.pos = pos;
                    scroll_[bar].TrackPos = pos;
                    InvalidateNonClient();
                    SendScroll(bar, SB_THUMBTRACK, pos);
                }
            } else {
                const bool inside = ScrollBarPartAt(parts, p) == tracking_.part;
                if (inside != tracking_.inside) {
                    tracking_.inside = inside;
                    InvalidateNonClient();
                }
            }
            return true;
        }
        if (type == QEvent::MouseButtonRelease && event->button() == Qt::LeftButton) {
            const BarTracking ended = tracking_;
            tracking_ = {};
            if (repeat_)
                repeat_->stop();
            InvalidateNonClient();
            if (ended.part == sbpThumb)
                SendScroll(bar, SB_THUMBPOSITION, ended.pos);
            SendScroll(bar, SB_ENDSCROLL);
            return true;
        }
        return true;
    }
    if (nc.client.Contains(p))
        return false;
    // Outside the client area: the border ignores the mouse, the bars take the left button.
    if ((type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick) ||
        event->button() != Qt::LeftButton || !Enabled())
        return true;
    for (TScrollBarKind bar : {SB_HORZ, SB_VERT}) {
        const bool vertical = bar == SB_VERT;
        const TRect& r = vertical ? nc.vert : nc.horz;
        if (r.IsEmpty() || !r.Contains(p))
            continue;
        const TScrollBarParts parts = ScrollBarPartsOf(r, vertical, scroll_[bar], scroll_[bar].Pos);
        const TScrollBarPart part = ScrollBarPartAt(parts, p);
        if (part == sbpNone)
            return true;
        if (FocusOnPress() && TabStop() && CanFocus() && !Focused())
            SetFocus();
        tracking_.bar = bar;
        tracking_.part = part;
        tracking_.inside = true;
        if (part == sbpThumb) {
            tracking_.grab = vertical ? p.Y - parts.thumb.Top : p.X - parts.thumb.Left;
            tracking_.pos = scroll_[bar].Pos;
            scroll_[bar].TrackPos = tracking_.pos;
            InvalidateNonClient();
            return true;
        }
        InvalidateNonClient();
        SendScroll(bar, ScrollCodeOf(part));
        if (!repeat_) {
            repeat_ = new QTimer;
            QObject::connect(repeat_, &QTimer::timeout, [this] { GuardedCall([this] { ScrollRepeat(); }); });
        }
        repeat_->start(kFirstRepeatMs);
        return true;
    }
    return true;
}

void TWinControl::ScrollRepeat()
{
    if (tracking_.bar < 0 || tracking_.part == sbpThumb) {
        if (repeat_)
            repeat_->stop();
        return;
    }
    repeat_->start(kRepeatMs);
    if (!tracking_.inside)
        return;
    const auto bar = static_cast<TScrollBarKind>(tracking_.bar);
    // A page press stops once the thumb has reached the pointer.
    if (tracking_.part == sbpPageUp || tracking_.part == sbpPageDown) {
        const TNonClientLayout nc = NonClientLayout();
        const bool vertical = bar == SB_VERT;
        const TScrollBarParts parts =
            ScrollBarPartsOf(vertical ? nc.vert : nc.horz, vertical, scroll_[bar], scroll_[bar].Pos);
        const QPoint g = QCursor::pos();
        const TPoint local = HasWidget() ? TPoint{Widget()->mapFromGlobal(g).x(), Widget()->mapFromGlobal(g).y()}
                                         : TPoint{};
        if (ScrollBarPartAt(parts, local) != tracking_.part)
            return;
    }
    SendScroll(bar, ScrollCodeOf(tracking_.part));
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
    if (!press) {
        if (key != 0)
            KeyUp(key, shift);
        return true;
    }
    if (key != 0)
        KeyDown(key, shift);
    if (IsDestroying())
        return true;
    // The character phase follows the typed text whatever the key, one
    // character at a time, as the platform's character messages do.
    const QString typed = WindowLayer::TypedCharacters(event);
    if (!typed.isEmpty()) {
        TypeText(typed);
    } else if (key == VK_RETURN || key == VK_ESCAPE || key == VK_BACK) {
        QChar ch(key == VK_RETURN ? 13 : key == VK_ESCAPE ? 27 : 8);
        KeyPress(ch);
    }
    return true;
}

void TWinControl::SyncWidget()
{
    TControl::SyncWidget();
    if (TakesInputMethod() && dynamic_cast<ControlWidget*>(Widget()))
        Widget()->setAttribute(Qt::WA_InputMethodEnabled);
}

bool TWinControl::HandleInputMethod(QInputMethodEvent* event)
{
    const bool composing = !event->preeditString().isEmpty();
    TWinControl* window = CompositionWindow(composing);
    if (window && window != this && window->HasWidget()) {
        QApplication::sendEvent(window->Widget(), event);
        if (!composing && window->Visible() && Focused())
            window->SetFocus();
    } else {
        QString typed;
        for (QChar ch : event->commitString())
            if (ch.unicode() >= 32 && ch.unicode() != 127)
                typed += ch;
        TypeText(typed);
    }
    event->accept();
    return true;
}

bool TWinControl::AnswerInputMethodQuery(QInputMethodQueryEvent* query)
{
    TWinControl* window = CompositionWindow(false);
    if (window && window != this && window->HasWidget() && window->Visible()) {
        // The editor answers for the text; its rectangles are moved into ours.
        QWidget* inner = window->Widget();
        QInputMethodQueryEvent asked(query->queries());
        QApplication::sendEvent(inner, &asked);
        for (int bit = 0; bit < 32; ++bit) {
            const auto q = static_cast<Qt::InputMethodQuery>(1u << bit);
            if (!(query->queries() & q))
                continue;
            QVariant v = asked.value(q);
            if (q == Qt::ImCursorRectangle || q == Qt::ImAnchorRectangle)
                v = v.toRectF().translated(inner->mapTo(Widget(), QPoint(0, 0)));
            query->setValue(q, v);
        }
    } else {
        const TRect caret = InputCaretRect();
        const TRect client = ClientAreaInWindow();
        const QRectF r(caret.Left + client.Left, caret.Top + client.Top, caret.Width(), caret.Height());
        for (int bit = 0; bit < 32; ++bit) {
            const auto q = static_cast<Qt::InputMethodQuery>(1u << bit);
            if (!(query->queries() & q))
                continue;
            switch (q) {
            case Qt::ImEnabled: query->setValue(q, true); break;
            case Qt::ImCursorRectangle:
            case Qt::ImAnchorRectangle: query->setValue(q, r); break;
            case Qt::ImHints: query->setValue(q, static_cast<int>(Qt::ImhNone)); break;
            case Qt::ImCursorPosition:
            case Qt::ImAnchorPosition: query->setValue(q, 0); break;
            case Qt::ImSurroundingText:
            case Qt::ImCurrentSelection:
            case Qt::ImTextBeforeCursor:
            case Qt::ImTextAfterCursor: query->setValue(q, QString()); break;
            case Qt::ImFont: query->setValue(q, Widget()->font()); break;
            default: break;
            }
        }
    }
    query->accept();
    return true;
}

void TWinControl::TypeText(const QString& text)
{
    for (QChar ch : text) {
        if (IsDestroying())
            return;
        KeyPress(ch);
    }
}

bool TWinControl::DispatchEvent(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
        type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove) {
        // The client sees the mouse in client coordinates; the border and the
        // bars take their own input.
        const TNonClientLayout nc = NonClientLayout();
        if (nc.client != TRect{0, 0, Width(), Height()} || tracking_.bar >= 0) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            // A press that began in the client keeps the mouse there until its
            // release, over the border and bars or outside the window, as a
            // captured window's client gets it.
            const bool held = pressedInside_ && tracking_.bar < 0 &&
                              ((type == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton)) ||
                               (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton));
            if (!Enabled() || (!held && NonClientMouse(mouse)))
                return true;
            const QPointF at = mouse->position() - QPointF(nc.client.Left, nc.client.Top);
            QMouseEvent moved(mouse->type(), at, mouse->scenePosition(), mouse->globalPosition(), mouse->button(),
                              mouse->buttons(), mouse->modifiers());
            if (type == QEvent::MouseButtonPress) {
                if (!OwnsMousePoint(&moved)) {
                    event->ignore();
                    return false;
                }
                if (FocusOnPress() && Enabled() && TabStop() && CanFocus() && !Focused())
                    SetFocus();
            }
            const bool handled = TControl::DispatchEvent(&moved);
            event->setAccepted(moved.isAccepted());
            return handled;
        }
    }
    switch (event->type()) {
    case QEvent::InputMethod:
        if (!TakesInputMethod())
            return false;
        return HandleInputMethod(static_cast<QInputMethodEvent*>(event));
    case QEvent::InputMethodQuery:
        if (!TakesInputMethod())
            return false;
        return AnswerInputMethodQuery(static_cast<QInputMethodQueryEvent*>(event));
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
