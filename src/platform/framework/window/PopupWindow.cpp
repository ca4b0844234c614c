#include "platform/framework/window/PopupWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include "platform/framework/ControlWidget.h"

namespace PopupWindow {

void Prepare(TControl* control)
{
    QWidget* w = control->Widget();
    w->setParent(nullptr);
    w->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    w->setAttribute(Qt::WA_ShowWithoutActivating, true);
    w->setFocusPolicy(Qt::NoFocus);
}

void PrepareHint(TControl* control, bool translucent)
{
    Prepare(control);
    QWidget* w = control->Widget();
    w->setWindowFlag(Qt::WindowTransparentForInput, true);
    w->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    if (translucent)
        w->setAttribute(Qt::WA_TranslucentBackground, true);
}

void ShowAt(TControl* control, const TRect& b)
{
    control->SetBounds(b.Left, b.Top, b.Width(), b.Height());
    QWidget* w = control->Widget();
    w->setGeometry(b.Left, b.Top, std::max(0, b.Width()), std::max(0, b.Height()));
    w->show();
    w->raise();
}

void Hide(TControl* control)
{
    if (control->HasWidget())
        control->Widget()->hide();
}

bool IsShown(const TControl* control)
{
    return control->HasWidget() && const_cast<TControl*>(control)->Widget()->isVisible();
}

TRect WorkAreaNear(const TRect& r)
{
    QScreen* screen = QGuiApplication::screenAt(QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {0, 0, 1024, 768};
    const QRect a = screen->availableGeometry();
    return {a.left(), a.top(), a.left() + a.width(), a.top() + a.height()};
}

} // namespace PopupWindow

class TPopupWatcher::Filter : public QObject {
public:
    explicit Filter(std::function<void()> outside) : outside_(std::move(outside)) {}
    std::vector<QPointer<QWidget>> inside;
    bool active = false;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!active)
            return false;
        const QEvent::Type t = event->type();
        if (t == QEvent::ApplicationDeactivate) {
            Fire();
            return false;
        }
        if (t != QEvent::MouseButtonPress && t != QEvent::NonClientAreaMouseButtonPress)
            return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || (!w->isWindow() && t == QEvent::NonClientAreaMouseButtonPress))
            return false;
        for (const QPointer<QWidget>& in : inside)
            if (in && (w == in || in->isAncestorOf(w)))
                return false;
        Fire();
        return false;
    }

private:
    void Fire()
    {
        active = false;
        GuardedCall(outside_);
    }
    std::function<void()> outside_;
};

TPopupWatcher::TPopupWatcher(std::function<void()> outside) : filter_(std::make_unique<Filter>(std::move(outside))) {}

TPopupWatcher::~TPopupWatcher()
{
    Stop();
}

void TPopupWatcher::Start(std::vector<TControl*> inside)
{
    filter_->inside.clear();
    for (TControl* c : inside)
        if (c)
            filter_->inside.emplace_back(c->Widget());
    if (!filter_->active && qApp)
        qApp->installEventFilter(filter_.get());
    filter_->active = true;
}

void TPopupWatcher::Stop()
{
    if (qApp)
        qApp->removeEventFilter(filter_.get());
    filter_->active = false;
}

bool TPopupWatcher::Active() const
{
    return filter_->active;
}
