#include "grid/editor/PopupMonthCalendar.h"

#include "grid/editor/InplaceEdit.h"
#include "platform/controls/PopupMenu.h"
#include "platform/framework/window/PopupWindow.h"

TPopupMonthCalendar::TPopupMonthCalendar(TInplaceEdit* editor) : TMonthCalendar(nullptr), editor_(editor)
{
    SetVisible(false);
    // Created without the 3D look: only the plain window border shows.
    SetCtl3D(false);
    borderWidth_ = Ctl3D() ? 2 : 0;
    PopupWindow::Prepare(this);
}

TPopupMonthCalendar::~TPopupMonthCalendar() = default;

bool TPopupMonthCalendar::TextToDate(const QString& text, QDate& date)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    static const char* const kFormats[] = {"yyyy-M-d", "yyyy/M/d", "yyyy\\M\\d", "yyyy年M月d日"};
    for (const char* f : kFormats) {
        const QDate d = QDate::fromString(t, QString::fromUtf8(f));
        if (d.isValid()) {
            date = d;
            return true;
        }
    }
    return false;
}

QString TPopupMonthCalendar::DateToText(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

void TPopupMonthCalendar::ShowYearMenu(int x, int y)
{
    if (!yearMenu_)
        yearMenu_ = std::make_unique<TPopupMenu>(nullptr);
    yearMenu_->Clear();
    const int shown = Date().year();
    for (int year = shown - 6; year <= shown + 5; ++year) {
        TMenuItem* item = yearMenu_->Add(QStringLiteral("%1 年").arg(year));
        item->Hint = item->Caption;
        item->Checked = year == shown;
        item->Tag = year;
        item->OnClick = TNotifyEvent([this, year](TObject*) { ChooseYear(year); });
    }
    const TPoint p = ClientToScreen({x, y});
    yearMenu_->Popup(p.X, p.Y);
}

void TPopupMonthCalendar::ChooseYear(int year)
{
    const QDate d = Date();
    const int days = QDate(year, d.month(), 1).daysInMonth();
    SetDate(QDate(year, d.month(), std::min(d.day(), days)));
}

void TPopupMonthCalendar::KeyDown(Word& key, TShiftState shift)
{
    TMonthCalendar::KeyDown(key, shift);
    if (key == VK_RETURN || key == VK_ESCAPE) {
        editor_->CloseUp(key == VK_RETURN);
        key = 0;
    }
}

bool TPopupMonthCalendar::CalendarMouseDown(int x, int y)
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) {
        editor_->CloseUp(false);
        return true;
    }
    const TRect r = YearRect;
    if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) {
        ShowYearMenu(x, y);
        return true;
    }
    return false;
}

bool TPopupMonthCalendar::CalendarMouseUp(int x, int y)
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) {
        editor_->CloseUp(false);
        return true;
    }
    return false;
}

void TPopupMonthCalendar::DayClicked(const QDate&)
{
    editor_->CloseUp(true);
}
