// Tab texts, the tab layout and the spacer that widens every tab.

#include <algorithm>

#include "chrome/pagecontrol/FlatPageControl.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/actions/ImageList.h"

QString TFlatPageControl::TabText(int tabIndex) const
{
    if (tabIndex < 0 || tabIndex >= TabCount())
        return {};
    return tabTexts_[tabIndex];
}

void TFlatPageControl::RefreshTabText(TFlatTabSheet* page)
{
    const int index = page->TabIndex();
    if (index < 0)
        return;
    QString text = page->layoutText_;
    if (tabBorder3D_) {
        text = page->Caption();
    } else if (page == activePage_ && (activeFont_->Style() & (fsBold | fsItalic))) {
        // Pad with spaces so a tab drawn in the wider active font still fits.
        TCanvas measure;
        measure.Font().Assign(activeFont_.get());
        const int active = measure.TextWidth(text);
        measure.Font().Assign(&Font());
        const int normal = measure.TextWidth(text);
        const int space = std::max(1, measure.TextWidth(QStringLiteral(" ")));
        int missing = active - normal;
        while (missing > 0) {
            text += QLatin1Char(' ');
            missing -= space;
        }
    }
    tabTexts_[index] = text;
    Relayout();
    Invalidate();
}

void TFlatPageControl::RefreshAllTabTexts()
{
    for (int i = PageCount() - 1; i >= 0; --i)
        RefreshTabText(pages_[i]);
}

void TFlatPageControl::Relayout()
{
    TCanvas measure;
    measure.Font().Assign(&Font());
    TFlatTabLayout::Input in;
    in.width = Width();
    in.height = Height();
    in.position = tabPosition_;
    for (const QString& t : tabTexts_)
        in.textWidths.push_back(measure.TextWidth(t));
    in.textHeight = measure.TextHeight(QStringLiteral("Wg"));
    const bool vertical = tabPosition_ == TTabPosition::tpLeft || tabPosition_ == TTabPosition::tpRight;
    // Along a vertical strip the spacer's height widens the tab.
    in.spacerWidth = vertical ? spacerHeight_ : spacerWidth_;
    in.spacerHeight = vertical ? spacerWidth_ : spacerHeight_;
    if (tabBorder3D_ && images_) {
        in.spacerWidth = vertical ? images_->Height() : images_->Width();
        in.spacerHeight = vertical ? images_->Width() : images_->Height();
    }
    in.tabHeight = tabHeight_;
    in.tabWidth = tabWidth_;
    in.multiLine = multiLine_;
    const TRect oldPage = layout_.PageRect();
    layout_.Calculate(in);
    if (!(layout_.PageRect() == oldPage))
        Realign();
}

TRect TFlatPageControl::ClientRect() const
{
    TRect r = layout_.PageRect();
    r.Left -= 3;
    r.Top -= 3;
    r.Right += 3;
    r.Bottom += 3;
    switch (tabPosition_) {
    case TTabPosition::tpTop: r.Top -= 1; break;
    case TTabPosition::tpBottom: r.Bottom -= 1; break;
    case TTabPosition::tpLeft: r.Left += 1; break;
    case TTabPosition::tpRight: r.Right -= 1; break;
    }
    r.Right = std::max(r.Left, r.Right);
    r.Bottom = std::max(r.Top, r.Bottom);
    return r;
}

TRect TFlatPageControl::TabRect(int pageIndex) const
{
    if (pageIndex < 0 || pageIndex >= PageCount())
        return {};
    return layout_.TabRect(pages_[pageIndex]->TabIndex());
}

int TFlatPageControl::PageIndexAt(int x, int y) const
{
    const int tab = layout_.TabAt(x, y);
    return tab < 0 ? -1 : IndexOfPage(tabs_[tab]);
}

void TFlatPageControl::ComputeSpacer()
{
    const int iw = images_ ? images_->Width() : 0;
    const int ih = images_ ? images_->Height() : 0;
    const TTabMargin& m = *tabMargin_;
    if (tabPosition_ == TTabPosition::tpTop || tabPosition_ == TTabPosition::tpBottom) {
        spacerWidth_ = iw + m.RightMargin() + m.LeftMargin();
        spacerHeight_ = std::max(1, ih);
    } else {
        spacerHeight_ = ih + m.RightMargin() + m.TopMargin();
        spacerWidth_ = std::max(1, iw);
    }
    Relayout();
}

void TFlatPageControl::MarginChanged(int newValue, int oldValue, TTabMargin::Which which)
{
    if (!loaded_)
        return;
    const bool horizontal = tabPosition_ == TTabPosition::tpTop || tabPosition_ == TTabPosition::tpBottom;
    const int delta = newValue - oldValue;
    // The changed margin replaces its old contribution to the spacer.
    if (which == TTabMargin::mRight || (horizontal && which == TTabMargin::mLeft))
        (horizontal ? spacerWidth_ : spacerHeight_) += delta;
    else if (!horizontal && which == TTabMargin::mTop)
        spacerHeight_ += delta;
    spacerWidth_ = std::max(0, spacerWidth_);
    spacerHeight_ = std::max(0, spacerHeight_);
    Relayout();
    Invalidate();
}

void TFlatPageControl::AlignControls(TRect& rect)
{
    const TRect pageRect = rect;
    TCustomControl::AlignControls(rect);
    // Hidden pages keep the page area too, as they would from their stored
    // bounds, so their children lie where they will be shown.
    for (TFlatTabSheet* page : pages_)
        if (!page->Visible() && page->Align() == alClient)
            page->SetBounds(pageRect.Left, pageRect.Top, pageRect.Width(), pageRect.Height());
}
