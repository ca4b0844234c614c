#include "platform/framework/window/WindowLayer.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include "platform/base/AppContext.h"
#include "platform/framework/ControlWidget.h"
#include "platform/framework/Form.h"
#include "platform/framework/WinControl.h"

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
        if (bool ran = false; form && (form->OnShortCut(form, WindowLayer::VirtualKey(key), WindowLayer::ShiftFromEvent(key), ran), ran))
            return true;
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
    // Qt names the character a key gives (Key_Plus for Shift+=), the platform
    // names the key itself: shifted symbols map back to their key, keypad keys
    // to their own codes.
    const int k = event->key();
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return static_cast<Word>((keypad ? int(VK_NUMPAD0) : int('0')) + (k - Qt::Key_0));
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return static_cast<Word>('A' + (k - Qt::Key_A));
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
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
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
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Help: return VK_HELP;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R: return VK_LWIN;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    // Shift with a digit of the main block gives a symbol; the key is the digit.
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return keypad ? Word(VK_MULTIPLY) : Word('8');
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_Plus: return keypad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_Minus: return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Underscore: return VK_OEM_MINUS;
    case Qt::Key_Period: return keypad ? VK_DECIMAL : VK_OEM_PERIOD;
    case Qt::Key_Greater: return VK_OEM_PERIOD;
    case Qt::Key_Comma: return keypad ? VK_SEPARATOR : VK_OEM_COMMA;
    case Qt::Key_Less: return VK_OEM_COMMA;
    case Qt::Key_Slash: return keypad ? VK_DIVIDE : VK_OEM_2;
    case Qt::Key_Question: return VK_OEM_2;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return VK_OEM_1;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return VK_OEM_7;
    default: break;
    }
    // Keys of other layouts (accented letters, a layout's own symbols) still
    // reach the key phase: the platform hands such characters over as packets.
    if (!event->text().isEmpty())
        return VK_PACKET;
    return 0;
}

QString TypedCharacters(const QKeyEvent* event)
{
    // Ctrl+letter gives a control character and Alt a menu accelerator: neither
    // is typed text. AltGr, which the platform reports as Ctrl+Alt, types.
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = mods & Qt::ControlModifier, alt = mods & Qt::AltModifier;
    if (alt && !ctrl)
        return {};
    QString typed;
    for (QChar ch : event->text())
        if (ch.unicode() >= 32 && ch.unicode() != 127)
            typed += ch;
    return typed;
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
