// Tab texts, the tab layout and the spacer that widens every tab, which
// TFlatTabStrip keeps; here is what the control feeds it.

#include <algorithm>

#include "chrome/pagecontrol/FlatPageControl.h"
#include "chrome/pagecontrol/FlatPageControlState.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/actions/ImageList.h"

void TFlatPageControl::RefreshTabText(TFlatTabSheet* page)
{
    const int index = page->TabIndex();
    if (index < 0)
        return;
    QString text = page->layoutText_;
    if (d_->tabBorder3D) {
        text = page->Caption();
    } else if (page == d_->activePage && (d_->activeFont->Style() & (fsBold | fsItalic))) {
        // Pad with spaces so a tab drawn in the wider active font still fits.
        TCanvas measure;
        measure.Font().Assign(d_->activeFont.get());
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
    d_->strip.SetText(index, text);
    Relayout();
    Invalidate();
}

void TFlatPageControl::RefreshAllTabTexts()
{
    for (int i = PageCount() - 1; i >= 0; --i)
        RefreshTabText(d_->pages[i]);
}

void TFlatPageControl::Relayout()
{
    TFlatTabLayout::Input in;
    in.width = Width();
    in.height = Height();
    in.position = d_->tabPosition;
    int pictureWidth = d_->strip.SpacerWidth();
    int pictureHeight = d_->strip.SpacerHeight();
    if (d_->tabBorder3D && d_->images) {
        // The platform's own look shows the images themselves.
        pictureWidth = d_->images->Width();
        pictureHeight = d_->images->Height();
    }
    // Along a vertical strip the picture's height widens the tab.
    const bool vertical = in.position == TTabPosition::tpLeft || in.position == TTabPosition::tpRight;
    in.spacerWidth = vertical ? pictureHeight : pictureWidth;
    in.spacerHeight = vertical ? pictureWidth : pictureHeight;
    in.tabHeight = d_->tabHeight;
    in.tabWidth = d_->tabWidth;
    in.multiLine = d_->multiLine;
    if (d_->strip.Calculate(Font(), std::move(in)))
        Realign();
}

TRect TFlatPageControl::ClientRect() const
{
    TRect r = d_->strip.Layout().PageRect();
    r.Left -= 3;
    r.Top -= 3;
    r.Right += 3;
    r.Bottom += 3;
    switch (d_->tabPosition) {
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
    return d_->strip.Layout().TabRect(d_->pages[pageIndex]->TabIndex());
}

int TFlatPageControl::PageIndexAt(int x, int y) const
{
    const int tab = d_->strip.Layout().TabAt(x, y);
    return tab < 0 ? -1 : IndexOfPage(d_->strip.Sheet(tab));
}

void TFlatPageControl::ComputeSpacer()
{
    const int iw = d_->images ? d_->images->Width() : 0;
    const int ih = d_->images ? d_->images->Height() : 0;
    d_->strip.ComputeSpacer(iw, ih, *d_->tabMargin, d_->tabPosition);
    Relayout();
}

void TFlatPageControl::AlignControls(TRect& rect)
{
    const TRect pageRect = rect;
    TCustomControl::AlignControls(rect);
    // Hidden pages keep the page area too, as they would from their stored
    // bounds, so their children lie where they will be shown.
    for (TFlatTabSheet* page : d_->pages)
        if (!page->Visible() && page->Align() == alClient)
            page->SetBounds(pageRect.Left, pageRect.Top, pageRect.Width(), pageRect.Height());
}
