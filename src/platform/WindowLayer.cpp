#include "platform/WindowLayer.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include "platform/AppContext.h"
#include "platform/ControlWidget.h"
#include "platform/Form.h"
#include "platform/WinControl.h"

namespace {

const char* const kControlProperty = "orgrights.control";

class PostedMessageEvent : public QEvent {
public:
    static QEvent::Type EventType()
    {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    explicit PostedMessageEvent(const TMessage& m) : QEvent(EventType()), message(m) {}
    TMessage message;
};

// Routes the keys that belong to the dialog, not to the focused control, and
// follows focus moves into the framework's idea of the active control.
class DialogKeyFilter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget)
            return false;
        if ((type == QEvent::Timer || type == PostedMessageEvent::EventType()) &&
            !dynamic_cast<ControlWidget*>(widget)) {
            // Wrapped standard windows: timers and posted messages still reach the control.
            TControl* control = WindowLayer::ControlFromWidget(widget);
            bool consumed = false;
            if (control && control->HasWidget() && control->Widget() == widget)
                GuardedCall([&] { consumed = control->DispatchEvent(event); });
            return consumed;
        }
        if (WindowLayer::IsUserInput(type) && !WindowLayer::AcceptsInput(widget))
            return true;
        if (type != QEvent::KeyPress && type != QEvent::FocusIn && type != QEvent::Enter &&
            type != QEvent::Leave)
            return false;
        bool consumed = false;
        GuardedCall([&] { consumed = Route(widget, event); });
        return consumed;
    }

private:
    static bool Route(QWidget* widget, QEvent* event)
    {
        TControl* control = WindowLayer::ControlFromWidget(widget);
        if (!control)
            return false;
        const bool own = control->HasWidget() && control->Widget() == widget;
        auto* win = dynamic_cast<TWinControl*>(control);
        TCustomForm* form = control->ParentForm();
        switch (event->type()) {
        case QEvent::FocusIn:
            if (win && form)
                form->FocusChanged(win);
            return false;
        case QEvent::Enter:
        case QEvent::Leave:
            // Self-drawn controls see these in their own dispatch.
            if (own && !dynamic_cast<ControlWidget*>(widget))
                control->Perform(event->type() == QEvent::Enter ? CM_MOUSEENTER : CM_MOUSELEAVE);
            return false;
        default:
            break;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        WindowLayer::SetLastShiftState(WindowLayer::ShiftFromEvent(key));
        if (!form || !win || (key->modifiers() & Qt::AltModifier))
            return false;
        const unsigned code = win->DialogCode();
        if (key->modifiers() & Qt::ControlModifier) {
            // Ctrl+Tab is a dialog key too: a page control around the focus takes it.
            if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && !(code & DLGC_WANTALLKEYS))
                return form->DialogKey(VK_TAB);
            return false;
        }
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))
                return false;
            form->SelectNext(win, key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier), true);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape: {
            const Word vk = key->key() == Qt::Key_Escape ? VK_ESCAPE : VK_RETURN;
            // A control may claim Enter or Escape alone (CM_WANTSPECIALKEY).
            if ((code & DLGC_WANTALLKEYS) || win->Perform(CM_WANTSPECIALKEY, vk) != 0)
                return false;
            return form->DialogKey(vk);
        }
        default:
            return false;
        }
    }
};

struct WindowLayerState {
    TShiftState shift = 0;
    // Owned by the framework's application object, which may go first.
    QPointer<DialogKeyFilter> filter;
    ~WindowLayerState() { delete filter.data(); }
};

WindowLayerState& LayerState()
{
    return AppContext().State<WindowLayerState>();
}

void InstallFilterOnce()
{
    auto& filter = LayerState().filter;
    if (!filter && qApp) {
        filter = new DialogKeyFilter;
        filter->setParent(qApp);
        qApp->installEventFilter(filter);
    }
}

} // namespace

namespace WindowLayer {

void AttachControl(QWidget* widget, TControl* control)
{
    InstallFilterOnce();
    widget->setProperty(kControlProperty, QVariant::fromValue(static_cast<void*>(control)));
}

void ForgetControl(QWidget* widget)
{
    if (widget)
        widget->setProperty(kControlProperty, QVariant());
}

TControl* ControlFromWidget(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant v = w->property(kControlProperty);
        if (v.isValid())
            if (void* p = v.value<void*>())
                return static_cast<TControl*>(p);
    }
    return nullptr;
}

bool IsUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

bool AcceptsInput(const QWidget* widget)
{
    // isEnabled() already folds in every parent up to the window.
    return widget && widget->isEnabled();
}

TShiftState ShiftFromEvent(const QInputEvent* event)
{
    TShiftState s = 0;
    const Qt::KeyboardModifiers m = event->modifiers();
    if (m & Qt::ShiftModifier)
        s |= ssShift;
    if (m & Qt::ControlModifier)
        s |= ssCtrl;
    if (m & Qt::AltModifier)
        s |= ssAlt;
    if (auto* me = dynamic_cast<const QMouseEvent*>(event)) {
        Qt::MouseButtons b = me->buttons();
        if (b & Qt::LeftButton)
            s |= ssLeft;
        if (b & Qt::RightButton)
            s |= ssRight;
        if (b & Qt::MiddleButton)
            s |= ssMiddle;
    }
    LayerState().shift = s;
    return s;
}

TShiftState LastShiftState()
{
    return LayerState().shift;
}

void SetLastShiftState(TShiftState state)
{
    LayerState().shift = state;
}

Word VirtualKey(const QKeyEvent* event)
{
    const int k = event->key();
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return static_cast<Word>('A' + (k - Qt::Key_A));
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return static_cast<Word>('0' + (k - Qt::Key_0));
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return static_cast<Word>(VK_F1 + (k - Qt::Key_F1));
    switch (k) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: return 0;
    }
}

void PostMessage(TControl* control, const TMessage& message)
{
    QCoreApplication::postEvent(control->Widget(), new PostedMessageEvent(message));
}

TMessage* AsPostedMessage(QEvent* event)
{
    if (event->type() != PostedMessageEvent::EventType())
        return nullptr;
    return &static_cast<PostedMessageEvent*>(event)->message;
}

} // namespace WindowLayer
