#pragma once

// The month calendar: a wrapper over the window layer's calendar widget. The
// date lives here; presses, date clicks and the wheel reach the framework's
// handlers first (client coordinates), so a descendant can refine them.

#include <QDate>

#include "platform/framework/Form.h"

class QKeyEvent;
class CalendarWidget;

class TMonthCalendar : public TWinControl {
public:
    explicit TMonthCalendar(TComponent* owner);
    ~TMonthCalendar() override;
    const char* ClassName() const override { return "TMonthCalendar"; }

    QDate Date() const { return date_; }
    // An invalid date is refused (the date stays).
    void SetDate(const QDate& date);
    // The smallest size that shows a whole month.
    TSize MinimumSize();
    // Client rectangle of the title (month and year) and of the day grid.
    TRect TitleRect();
    TRect DaysRect();

    void SendKey(Word key, TShiftState shift = 0);
    // A press (kind 0) or release (kind 2) at a client point, as the mouse would.
    void SendMouse(int kind, int x, int y);

    unsigned DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS | DLGC_WANTALLKEYS; }
    TNotifyEvent OnChange;

    // Entry points of the window (public for the window class). A press or
    // release answers whether the framework took it.
    bool HandleKeyEvent(QKeyEvent* event);
    bool CalendarMouse(int kind, int x, int y);
    void DateClicked(const QDate& date);
    void WidgetDateChanged(const QDate& date);
    bool WheelTurned(int delta);

protected:
    QWidget* CreateWidget() override;
    void SyncWidget() override;
    // Presses and releases over the calendar; true keeps them from the window.
    virtual bool CalendarMouseDown(int x, int y) { return false; }
    virtual bool CalendarMouseUp(int x, int y) { return false; }
    // A date was clicked (the release on a day).
    virtual void DayClicked(const QDate& date) {}
    virtual void DateChanged() { OnChange(this); }

private:
    CalendarWidget* Calendar() const;

    QDate date_;
    bool syncing_ = false;
};
