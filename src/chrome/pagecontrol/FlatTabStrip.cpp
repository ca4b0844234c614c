#include "chrome/pagecontrol/FlatTabStrip.h"

#include <algorithm>
#include <utility>

#include "platform/canvas/Canvas.h"

TFlatTabSheet* TFlatTabStrip::Sheet(int tab) const
{
    return tab >= 0 && tab < Count() ? sheets_[tab] : nullptr;
}

QString TFlatTabStrip::Text(int tab) const
{
    return tab >= 0 && tab < Count() ? texts_[tab] : QString();
}

void TFlatTabStrip::SetText(int tab, const QString& text)
{
    if (tab >= 0 && tab < Count())
        texts_[tab] = text;
}

void TFlatTabStrip::Select(int tab)
{
    selected_ = tab >= 0 && tab < Count() ? tab : -1;
}

void TFlatTabStrip::Insert(int tab, TFlatTabSheet* sheet, const QString& text)
{
    tab = std::clamp(tab, 0, Count());
    sheets_.insert(sheets_.begin() + tab, sheet);
    texts_.insert(texts_.begin() + tab, text);
    if (selected_ >= tab)
        ++selected_;
    else if (selected_ < 0 && Count() == 1)
        selected_ = 0;  // the first tab of an empty strip is selected, as on the platform
}

void TFlatTabStrip::Remove(int tab)
{
    if (tab < 0 || tab >= Count())
        return;
    sheets_.erase(sheets_.begin() + tab);
    texts_.erase(texts_.begin() + tab);
    if (selected_ > tab)
        --selected_;
    else if (selected_ == tab)
        selected_ = tab < Count() ? tab : Count() - 1;
}

void TFlatTabStrip::Move(int from, int to)
{
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to)
        return;
    TFlatTabSheet* sheet = sheets_[from];
    QString text = std::move(texts_[from]);
    sheets_.erase(sheets_.begin() + from);
    texts_.erase(texts_.begin() + from);
    sheets_.insert(sheets_.begin() + to, sheet);
    texts_.insert(texts_.begin() + to, std::move(text));
    if (selected_ == from)
        selected_ = to;
    else if (from < selected_ && selected_ <= to)
        --selected_;
    else if (to <= selected_ && selected_ < from)
        ++selected_;
}

void TFlatTabStrip::ComputeSpacer(int imageWidth, int imageHeight, const TTabMargin& m, TTabPosition position)
{
    if (position == TTabPosition::tpTop || position == TTabPosition::tpBottom) {
        spacerWidth_ = imageWidth + m.RightMargin() + m.LeftMargin();
        spacerHeight_ = std::max(1, imageHeight);
    } else {
        spacerHeight_ = imageHeight + m.RightMargin() + m.TopMargin();
        spacerWidth_ = std::max(1, imageWidth);
    }
}

void TFlatTabStrip::MarginChanged(int newValue, int oldValue, TTabMargin::Which which, TTabPosition position)
{
    const bool horizontal = position == TTabPosition::tpTop || position == TTabPosition::tpBottom;
    const int delta = newValue - oldValue;
    if (which == TTabMargin::mRight || (horizontal && which == TTabMargin::mLeft))
        (horizontal ? spacerWidth_ : spacerHeight_) += delta;
    else if (!horizontal && which == TTabMargin::mTop)
        spacerHeight_ += delta;
    spacerWidth_ = std::max(0, spacerWidth_);
    spacerHeight_ = std::max(0, spacerHeight_);
}

bool TFlatTabStrip::Calculate(const TFont& font, TFlatTabLayout::Input in)
{
    TCanvas measure;
    measure.Font().Assign(&font);
    in.textWidths.clear();
    for (const QString& t : texts_)
        in.textWidths.push_back(measure.TextWidth(t));
    in.textHeight = measure.TextHeight(QStringLiteral("Wg"));
    const TRect oldPage = layout_.PageRect();
    layout_.Calculate(in);
    return !(layout_.PageRect() == oldPage);
}
