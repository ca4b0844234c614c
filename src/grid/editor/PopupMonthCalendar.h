#pragma once

// The calendar drop-down of the in-place editor. Dates travel as text: parsed
// year first with "-", "/" or "\" (or "yyyy年M月d日"), written as "yyyy-MM-dd".
// A click on the year in the title offers a menu of 12 years.

#include <memory>

#include "platform/controls/MonthCalendar.h"

class TInplaceEdit;
class TPopupMenu;

class TPopupMonthCalendar : public TMonthCalendar {
public:
    // The client rectangle of the year in the title.
    static constexpr TRect YearRect{100, 8, 140, 20};

    explicit TPopupMonthCalendar(TInplaceEdit* editor);
    ~TPopupMonthCalendar() override;
    const char* ClassName() const override { return "TPopupMonthCalendar"; }

    // 2 with the 3D look, else 0.
    int BorderWidth() const { return borderWidth_; }
    // Created on first use.
    TPopupMenu* YearMenu() const { return yearMenu_.get(); }
    // Fills the year menu for the shown year and pops it up at a client point.
    void ShowYearMenu(int x, int y);
    // The shown year becomes year; a day the month lacks in that year (29
    // February) becomes the month's last day.
    void ChooseYear(int year);

    // Text to date: false (and date untouched) when no format fits.
    static bool TextToDate(const QString& text, QDate& date);
    static QString DateToText(const QDate& date);

    void KeyDown(Word& key, TShiftState shift) override;

protected:
    bool CalendarMouseDown(int x, int y) override;
    bool CalendarMouseUp(int x, int y) override;
    void DayClicked(const QDate& date) override;

private:
    TInplaceEdit* editor_;
    int borderWidth_ = 0;
    std::unique_ptr<TPopupMenu> yearMenu_;
};
