#include "platform/controls/MonthCalendar.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QTableView>
#include <QWheelEvent>

#include "platform/framework/ControlWidget.h"
#include "platform/framework/window/WindowLayer.h"

class CalendarWidget : public QCalendarWidget {
public:
    explicit CalendarWidget(TMonthCalendar* control) : control_(control)
    {
        setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        setGridVisible(false);
        QObject::connect(this, &QCalendarWidget::clicked, [this](QDate d) {
            if (control_)
                GuardedCall([&] { control_->DateClicked(d); });
        });
        QObject::connect(this, &QCalendarWidget::selectionChanged, [this] {
            if (control_)
                GuardedCall([&] { control_->WidgetDateChanged(selectedDate()); });
        });
    }
    void Detach() { control_ = nullptr; }
    void WatchChildren()
    {
        for (QWidget* child : findChildren<QWidget*>())
            child->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (!control_)
            return false;
        auto* w = qobject_cast<QWidget*>(watched);
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: {
            auto* m = static_cast<QMouseEvent*>(e);
            if (m->button() != Qt::LeftButton)
                return false;
            const QPoint p = w ? w->mapTo(this, m->position().toPoint()) : m->position().toPoint();
            bool taken = false;
            GuardedCall([&] { taken = control_->CalendarMouse(e->type() == QEvent::MouseButtonPress ? 0 : 2, p.x(), p.y()); });
            return taken;
        }
        case QEvent::Wheel: {
            bool taken = false;
            GuardedCall([&] { taken = control_->WheelTurned(static_cast<QWheelEvent*>(e)->angleDelta().y()); });
            return taken;
        }
        case QEvent::KeyPress: {
            bool taken = false;
            GuardedCall([&] { taken = control_->HandleKeyEvent(static_cast<QKeyEvent*>(e)); });
            return taken;
        }
        default:
            return false;
        }
    }

private:
    TMonthCalendar* control_;
};

TMonthCalendar::TMonthCalendar(TComponent* owner) : TWinControl(owner), date_(QDate::currentDate())
{
    SetBounds(0, 0, 220, 160);
    SetColor(clWindow);
}

TMonthCalendar::~TMonthCalendar()
{
    if (CalendarWidget* c = Calendar())
        c->Detach();
}

CalendarWidget* TMonthCalendar::Calendar() const
{
    return HasWidget() ? static_cast<CalendarWidget*>(const_cast<TMonthCalendar*>(this)->Widget()) : nullptr;
}

QWidget* TMonthCalendar::CreateWidget()
{
    auto* c = new CalendarWidget(this);
    c->setSelectedDate(date_);
    c->WatchChildren();
    return c;
}

void TMonthCalendar::SyncWidget()
{
    TWinControl::SyncWidget();
    if (CalendarWidget* c = Calendar()) {
        syncing_ = true;
        c->setSelectedDate(date_);
        syncing_ = false;
    }
}

void TMonthCalendar::SetDate(const QDate& date)
{
    if (!date.isValid() || date == date_)
        return;
    date_ = date;
    if (CalendarWidget* c = Calendar()) {
        syncing_ = true;
        c->setSelectedDate(date);
        syncing_ = false;
    }
    DateChanged();
}

void TMonthCalendar::WidgetDateChanged(const QDate& date)
{
    if (syncing_ || !date.isValid() || date == date_)
        return;
    date_ = date;
    DateChanged();
}

void TMonthCalendar::DateClicked(const QDate& date)
{
    WidgetDateChanged(date);
    DayClicked(date);
}

TSize TMonthCalendar::MinimumSize()
{
    const QSize s = Widget()->minimumSizeHint().expandedTo(Widget()->sizeHint());
    return {s.width(), s.height()};
}

TRect TMonthCalendar::TitleRect()
{
    QWidget* bar = Widget()->findChild<QWidget*>(QStringLiteral("qt_calendar_navigationbar"));
    if (!bar)
        return {0, 0, Width(), 0};
    const QRect r = bar->geometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

TRect TMonthCalendar::DaysRect()
{
    QWidget* view = Widget()->findChild<QTableView*>();
    if (!view)
        return {0, 0, Width(), Height()};
    const QRect r = view->geometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

bool TMonthCalendar::CalendarMouse(int kind, int x, int y)
{
    return kind == 0 ? CalendarMouseDown(x, y) : CalendarMouseUp(x, y);
}

bool TMonthCalendar::WheelTurned(int delta)
{
    const int notches = delta / 120;
    if (notches == 0)
        return true;
    SetDate(date_.addDays(-notches));
    return true;
}

bool TMonthCalendar::HandleKeyEvent(QKeyEvent* event)
{
    Word key = WindowLayer::VirtualKey(event);
    if (key == 0)
        return false;
    KeyDown(key, WindowLayer::ShiftFromEvent(event));
    return key == 0;
}

void TMonthCalendar::SendKey(Word key, TShiftState shift)
{
    int qtKey = Qt::Key_unknown;
    switch (key) {
    case VK_RETURN: qtKey = Qt::Key_Return; break;
    case VK_ESCAPE: qtKey = Qt::Key_Escape; break;
    case VK_LEFT: qtKey = Qt::Key_Left; break;
    case VK_RIGHT: qtKey = Qt::Key_Right; break;
    case VK_UP: qtKey = Qt::Key_Up; break;
    case VK_DOWN: qtKey = Qt::Key_Down; break;
    default: break;
    }
    QWidget* target = Widget()->findChild<QTableView*>();
    if (!target)
        target = Widget();
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

void TMonthCalendar::SendMouse(int kind, int x, int y)
{
    QWidget* root = Widget();
    QWidget* target = root->childAt(x, y);
    if (!target)
        target = root;
    const QPoint local = target->mapFrom(root, QPoint(x, y));
    const QEvent::Type type = kind == 0 ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease;
    QMouseEvent e(type, QPointF(local), QPointF(target->mapToGlobal(local)), Qt::LeftButton,
                  kind == 0 ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}
