#include "grid/editor/PopupListBox.h"

#include <chrono>

#include "grid/editor/InplaceEdit.h"
#include "grid/core/TavikCustomGrid.h"
#include "platform/base/AppContext.h"
#include "platform/framework/window/PopupWindow.h"

namespace {

int64_t SteadyMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct SearchClock {
    std::function<int64_t()> now = SteadyMilliseconds;
};

std::function<int64_t()>& Clock()
{
    return AppContext().State<SearchClock>().now;
}

// The 16 basic colours as TColor values (blue in the high byte), then the dialog.
const TColor kBasicColors[] = {0xFFFFFF, 0xFFFF00, 0xFF00FF, 0xFF0000, 0x00FFFF, 0x00FF00, 0x0000FF, 0xC0C0C0,
                               0x808080, 0x808000, 0x800080, 0x800000, 0x008080, 0x008000, 0x000080, 0x000000};

} // namespace

TCustomPopupListBox::TCustomPopupListBox(TInplaceEdit* editor) : TCustomListBox(nullptr), editor_(editor)
{
    SetVisible(false);
    SetTabStop(false);
    PopupWindow::Prepare(this);
}

void TCustomPopupListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomListBox::MouseUp(button, shift, x, y);
    if (button != mbLeft)
        return;
    editor_->PopupReleased(x >= 0 && y >= 0 && x < Width() && y < Height());
}

TPopupListBox::TPopupListBox(TInplaceEdit* editor) : TCustomPopupListBox(editor)
{
    SetIntegralHeight(true);
    TListBoxStyle style = lbStandard;
    int itemHeight = 18;
    editor->QueryListStyle(style, itemHeight);
    SetStyle(style);
    SetItemHeight(itemHeight);
}

void TPopupListBox::SetClock(std::function<int64_t()> clock)
{
    Clock() = clock ? std::move(clock) : SteadyMilliseconds;
}

void TPopupListBox::KeyPress(QChar& key)
{
    TCustomPopupListBox::KeyPress(key);
    const ushort code = key.unicode();
    if (code == 8 || code == 27) {
        searchText_.clear();
    } else if (code >= 32) {
        const int64_t now = Clock()();
        if (now - searchTime_ > SearchResetMs)
            searchText_.clear();
        searchTime_ = now;
        if (searchText_.size() < MaxSearchLength)
            searchText_ += key;
        for (int i = 0; i < Count(); ++i)
            if (Items()[i].startsWith(searchText_, Qt::CaseInsensitive)) {
                SetItemIndex(i);
                break;
            }
        key = QChar();
    }
}

void TPopupListBox::DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state)
{
    TTavikCustomGrid* grid = editor_->Grid();
    if (Style() == lbStandard || !grid || !grid->OnDrawListItem) {
        TCustomPopupListBox::DrawItem(canvas, index, rect, state);
        return;
    }
    const TGridCoord c = grid->Current();
    grid->OnDrawListItem(grid, canvas, c.X, c.Y, index, rect, state);
}

void TPopupListBox::MeasureItem(int index, int& height)
{
    TTavikCustomGrid* grid = editor_->Grid();
    if (!grid || Style() != lbOwnerDrawVariable)
        return;
    TCanvas canvas;
    canvas.Font().Assign(&Font());
    const TGridCoord c = grid->Current();
    grid->OnMeasureListItem(grid, canvas, c.X, c.Y, index, height);
}

TColorListBox::TColorListBox(TInplaceEdit* editor) : TCustomPopupListBox(editor)
{
    SetIntegralHeight(true);
    SetStyle(lbOwnerDrawFixed);
    SetItemHeight(ColorItemHeight);
    QStringList items;
    for (TColor c : kBasicColors)
        items << QString::number(c);
    items << TInplaceEdit::MoreColorsText;
    SetItems(items);
}

void TColorListBox::DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state)
{
    const bool selected = state & odSelected;
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(selected ? clHighlight : Color());
    canvas.FillRect(rect);
    if (index < 0 || index >= Count())
        return;
    const TRect inner{rect.Left + 4, rect.Top + 2, rect.Right - 4, rect.Bottom - 2};
    if (Items()[index] == TInplaceEdit::MoreColorsText) {
        canvas.Brush().SetStyle(bsClear);
        canvas.Font().SetColor(selected ? clHighlightText : Font().Color());
        TRect r = inner;
        canvas.DrawText(Items()[index], r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        return;
    }
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetMode(pmCopy);
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetColor(static_cast<TColor>(Items()[index].toLongLong()));
    canvas.Rectangle(inner);
}
