// Painting of the flat page control: tab strip, tabs, page frame and close
// buttons. Tabs and strip are drawn in a frame where u runs along the strip
// and v across it from the control's tab-side edge towards the pages, so one
// set of rules serves all four tab positions.

#include <algorithm>

#include "chrome/gradients/BandGradient.h"
#include "chrome/pagecontrol/FlatPageControl.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/actions/ImageList.h"

namespace {

constexpr int StripGradientBands = 16;
constexpr int TabGradientBands = 16;
constexpr int RightEndArea = 35;
constexpr int FrameBand = 3;
constexpr TColor DisabledTabText = 0x808080;
constexpr TColor CloseBorder = 0x808080;
constexpr TColor CloseCrossHot = 0x808080;
constexpr TColor ClosePressedFill = clSilver;
constexpr int CloseWidth = 12;
constexpr int CloseHeight = 11;

struct StripFrame {
    TTabPosition pos;
    int w, h;

    bool Horizontal() const { return pos == TTabPosition::tpTop || pos == TTabPosition::tpBottom; }
    int Length() const { return Horizontal() ? w : h; }

    // Strip coordinates (half-open) to the control's.
    TRect Map(int u0, int v0, int u1, int v1) const
    {
        switch (pos) {
        case TTabPosition::tpTop: return {u0, v0, u1, v1};
        case TTabPosition::tpBottom: return {u0, h - v1, u1, h - v0};
        case TTabPosition::tpLeft: return {v0, u0, v1, u1};
        case TTabPosition::tpRight: return {w - v1, u0, w - v0, u1};
        }
        return {};
    }
    // The control's coordinates to the strip's.
    TRect Unmap(const TRect& d) const
    {
        switch (pos) {
        case TTabPosition::tpTop: return d;
        case TTabPosition::tpBottom: return {d.Left, h - d.Bottom, d.Right, h - d.Top};
        case TTabPosition::tpLeft: return {d.Top, d.Left, d.Bottom, d.Right};
        case TTabPosition::tpRight: return {d.Top, w - d.Right, d.Bottom, w - d.Left};
        }
        return {};
    }
};

class Strokes {
public:
    Strokes(TCanvas& c, const StripFrame& f) : c_(c), f_(f) {}
    void Fill(int u0, int v0, int u1, int v1, TColor color)
    {
        c_.Brush().SetStyle(bsSolid);
        c_.Brush().SetColor(color);
        c_.FillRect(f_.Map(u0, v0, u1, v1));
    }
    void HLine(int u0, int u1, int v, TColor color) { Fill(u0, v, u1, v + 1, color); }
    void VLine(int u, int v0, int v1, TColor color) { Fill(u, v0, u + 1, v1, color); }

private:
    TCanvas& c_;
    const StripFrame& f_;
};

void FillRectColor(TCanvas& c, const TRect& r, TColor color)
{
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(color);
    c.FillRect(r);
}

} // namespace

TRect TFlatPageControl::PageAreaRect(const TRect& strip) const
{
    // strip: the strip's extent in the control's coordinates.
    TRect r{0, 0, Width(), Height()};
    switch (tabPosition_) {
    case TTabPosition::tpTop: r.Top = strip.Bottom; break;
    case TTabPosition::tpBottom: r.Bottom = strip.Top; break;
    case TTabPosition::tpLeft: r.Left = strip.Right; break;
    case TTabPosition::tpRight: r.Right = strip.Left; break;
    }
    return r;
}

void TFlatPageControl::Paint(TCanvas& canvas)
{
    paintCanvas_ = &canvas;
    const TColor brush = Parent() ? Parent()->Color() : clBtnFace;
    FillRectColor(canvas, {0, 0, Width(), Height()}, brush);
    if (tabBorder3D_) {
        Paint3DTabs(canvas);
        paintCanvas_ = nullptr;
        return;
    }
    canvas.Font().Assign(&Font());

    const StripFrame f{tabPosition_, Width(), Height()};
    Strokes s(canvas, f);

    // Strip extent in strip coordinates.
    int stripDepth = 0;
    int stripEnd = 0;
    for (int i = 0; i < TabCount(); ++i) {
        const TRect t = f.Unmap(layout_.TabRect(i));
        stripDepth = std::max(stripDepth, t.Bottom);
        stripEnd = std::max(stripEnd, t.Right);
        s.Fill(t.Left - 2, t.Top - 2, t.Right + 2, t.Bottom, brush);
    }
    if (TabCount() == 0)
        stripDepth = 2;

    if (!multiLine_ && f.Horizontal()) {
        s.Fill(f.Length() - RightEndArea, 0, f.Length(), stripDepth, Color());
        s.HLine(std::max(f.Length() - RightEndArea, stripEnd), f.Length(), stripDepth,
                tabPosition_ == TTabPosition::tpBottom ? cl3DDkShadow : clWhite);
    }
    FillBandGradient(canvas, f.Map(0, 0, f.Length(), stripDepth), tabBackGroundColor_, tabBackGroundColorTo_,
                     StripGradientBands, !f.Horizontal());

    const TRect area = PageAreaRect(f.Map(0, 0, f.Length(), stripDepth));
    bool framePainted = false;
    if (activePage_ && (activePage_->Color() != clNone || activePage_->colorTo_ != clNone)) {
        framePainted = true;
        TRect band{area.Left + 1, area.Top + 1 + (tabSheet3D_ ? 1 : 0), area.Right - 1, area.Bottom - 1};
        canvas.SaveState();
        canvas.IntersectClipRect(band);
        canvas.ExcludeClipRect({band.Left + FrameBand, band.Top + FrameBand, band.Right - FrameBand,
                                band.Bottom - FrameBand});
        if (activePage_->colorTo_ != clNone) {
            FillBandGradient(canvas, band, activePage_->Color(), activePage_->colorTo_, TabGradientBands, false);
            FillRectColor(canvas, {band.Left, band.Top, band.Right, band.Top + FrameBand}, activePage_->Color());
        } else {
            FillRectColor(canvas, band, activePage_->Color());
        }
        canvas.RestoreState();
    }

    if (!tabSheet3D_) {
        const TColor border = tabSheetBorderColor_;
        FillRectColor(canvas, {area.Left, area.Top, area.Left + 1, area.Bottom}, border);
        FillRectColor(canvas, {area.Left, area.Bottom - 1, area.Right, area.Bottom}, border);
        FillRectColor(canvas, {area.Right - 1, area.Top, area.Right, area.Bottom}, border);
        FillRectColor(canvas, {area.Left, area.Top, area.Right, area.Top + 1}, border);
        if (!framePainted) {
            FillRectColor(canvas, {area.Left + 1, area.Bottom - 2, area.Right - 1, area.Bottom - 1}, Color());
            FillRectColor(canvas, {area.Right - 2, area.Top + 1, area.Right - 1, area.Bottom - 1}, Color());
        }
        if (roundEdges_) {
            // The two corners away from the tabs: (u, v) far corners of the page area.
            const int depth = f.Horizontal() ? Height() : Width();
            for (int u : {0, f.Length() - 1}) {
                const int inward = u == 0 ? 1 : -1;
                s.Fill(u, depth - 1, u + 1, depth, Color());
                s.Fill(u + inward, depth - 1, u + inward + 1, depth, Color());
                s.Fill(u, depth - 2, u + 1, depth - 1, Color());
                s.Fill(u + inward, depth - 2, u + inward + 1, depth - 1, border);
            }
        }
    }

    const bool splitShown = !tabSplitLine_ && PageCount() > 0 && TabCount() > 0;
    if (splitShown) {
        const TColor c = framePainted ? activePage_->Color() : Color();
        s.HLine(3, stripEnd + tabOverlap_, stripDepth, c);
    }

    // An active tab with its own picture goes over its neighbours.
    const bool activeOnTop = activePage_ && activePage_->tabShown_ && !tabBackGroundActive_->Empty();
    for (int i = PageCount() - 1; i >= 0; --i)
        if (pages_[i]->tabShown_ && !(activeOnTop && pages_[i] == activePage_))
            PaintTab(canvas, i, splitShown);
    if (activeOnTop)
        PaintTab(canvas, ActivePageIndex(), splitShown);

    if (hoveredTab_ >= 0 && hoveredTab_ < PageCount() && pages_[hoveredTab_] != activePage_ &&
        tabHoverBorder_ != clNone && pages_[hoveredTab_]->tabShown_) {
        const TRect t = f.Unmap(TabRect(hoveredTab_));
        s.VLine(t.Left, t.Top, t.Bottom, tabHoverBorder_);
        s.HLine(t.Left, t.Right, t.Top, tabHoverBorder_);
        s.VLine(t.Right - 1, t.Top, t.Bottom, tabHoverBorder_);
    }
    paintCanvas_ = nullptr;
}

void TFlatPageControl::PaintTab(TCanvas& canvas, int pageIndex, bool splitShown)
{
    TFlatTabSheet* page = pages_[pageIndex];
    const StripFrame f{tabPosition_, Width(), Height()};
    Strokes s(canvas, f);
    const TRect d = TabRect(pageIndex);
    const TRect t = f.Unmap(d);
    const bool active = page == activePage_;
    const bool hovered = pageIndex == hoveredTab_ && !active;

    if (OnDrawTab)
        OnDrawTab(this, pageIndex, d, active);

    const TBitmap* picture = active && !tabBackGroundActive_->Empty() ? tabBackGroundActive_.get()
                             : !tabBackGround_->Empty()                ? tabBackGround_.get()
                                                                       : nullptr;
    if (picture) {
        const int lowered =
            picture == tabBackGroundActive_.get() && tabPosition_ == TTabPosition::tpTop && lowerActive_ >= 1 ? 1 : 0;
        PaintTabPicture(canvas, *picture, {d.Left, d.Top + lowered, d.Right + tabOverlap_, d.Bottom + lowered});
    }

    // Fill.
    if (!OnDrawTab && !picture) {
        TColor from = page->tabColor_, to = page->tabColorTo_;
        TTabGradientDirection dir = page->tabGradientDirection_;
        if (active && activeColor_ != clNone) {
            from = activeColor_;
            to = activeColorTo_;
        } else if (hovered && (tabHoverColor_ != clNone || tabHoverColorTo_ != clNone)) {
            from = tabHoverColor_ != clNone ? tabHoverColor_ : tabHoverColorTo_;
            to = tabHoverColorTo_;
            dir = page->hoverGradientDirection_;
        }
        const TRect raised = f.Map(t.Left, t.Top - 1, t.Right, t.Bottom);
        if (to != clNone && from != clNone) {
            TRect g = raised;
            g.Bottom -= 1;
            if (dir == gdHorizontal)
                g.Right -= 1;
            FillBandGradient(canvas, g, from, to, TabGradientBands, dir == gdHorizontal);
        } else if (from != clNone) {
            FillRectColor(canvas, raised, from);
        }
    }

    // Borders.
    const TColor border = tabBorderColor_;
    int next = -1;  // the next page with a shown tab
    for (int i = pageIndex + 1; i < PageCount(); ++i)
        if (pages_[i]->tabShown_) {
            next = i;
            break;
        }
    const bool separator = next < 0 || pages_[next] != activePage_;
    switch (picture ? TTabStyle(0xFF) : tabStyle_) {
    case tsClassic:
        if (active) {
            s.VLine(t.Left, t.Top, t.Bottom, border);
            s.HLine(t.Left, t.Right, t.Top, border);
            s.VLine(t.Right - 1, t.Top, t.Bottom, border);
        } else {
            const int right = t.Right + (t.Right >= f.Length() - 5 ? 0 : 1);
            const int bottom = t.Bottom + (splitShown ? 1 : 0);
            s.HLine(t.Left, right, t.Top, border);
            s.HLine(t.Left, right, bottom - 1, border);
            s.VLine(t.Left, t.Top, bottom, border);
            s.VLine(right - 1, t.Top, bottom, border);
        }
        break;
    case tsDotNet:
        if (active) {
            s.VLine(t.Left, t.Top + 2, t.Bottom, border);
            s.Fill(t.Left + 1, t.Top + 1, t.Left + 2, t.Top + 2, border);
            s.HLine(t.Left + 2, t.Right - 2, t.Top, border);
            s.Fill(t.Right - 2, t.Top + 1, t.Right - 1, t.Top + 2, border);
            s.VLine(t.Right - 1, t.Top + 2, t.Bottom, border);
        } else {
            s.HLine(t.Left, t.Right, t.Bottom - 1, border);
            if (separator)
                s.Fill(t.Right - 3, t.Top + 2, t.Right - 1, t.Bottom - 3, activeColor_);
        }
        break;
    case tsStudio:
        if (active) {
            s.VLine(t.Left, t.Top, t.Bottom, border);
            s.VLine(t.Right - 1, t.Top, t.Bottom, border);
        } else {
            s.HLine(t.Left, t.Right, t.Bottom - 1, border);
            if (separator)
                s.VLine(t.Right - 2, t.Top + 2, t.Bottom - 3, border);
        }
        break;
    default:  // drawn from the picture
        break;
    }

    // Content: close button, image, caption.
    const int lower = active ? lowerActive_ : 0;
    const TTabMargin& m = *tabMargin_;
    if (page->showClose_) {
        const TCloseButtonState state = active ? closeState_ : TCloseButtonState::Normal;
        PaintCloseButton(canvas, d.Left + m.LeftMargin() + 2, d.Top + m.TopMargin() + 2 + lower, state);
    }
    if (OnDrawTab)
        return;
    int x = d.Left + 4 + (page->showClose_ ? 14 : 0) + m.LeftMargin();
    const int y = d.Top + 1 + m.TopMargin() + lower;
    if (images_ && page->imageIndex_ >= 0 && page->imageIndex_ < images_->Count()) {
        images_->Draw(canvas, x - 2, y, page->imageIndex_);
        x += images_->Width();
    }
    canvas.Font().Assign(active ? activeFont_.get() : &Font());
    if (!active)
        canvas.Font().SetColor(page->textColor_);
    if (!page->tabEnable_)
        canvas.Font().SetColor(DisabledTabText);
    if (!page->Enabled())
        canvas.Font().SetColor(clGrayText);
    canvas.Brush().SetStyle(bsClear);
    switch (tabPosition_) {
    case TTabPosition::tpTop:
    case TTabPosition::tpBottom: canvas.TextOut(x, y, page->Caption()); break;
    case TTabPosition::tpLeft:
        canvas.Font().SetOrientation(2700);
        canvas.TextOut(d.Right - 1 - m.TopMargin() - lower, d.Top + (x - d.Left), page->Caption());
        break;
    case TTabPosition::tpRight:
        canvas.Font().SetOrientation(900);
        canvas.TextOut(d.Left + 1 + m.TopMargin() + lower, d.Bottom - (x - d.Left), page->Caption());
        break;
    }
    canvas.Font().SetOrientation(0);

    if (showFocus_ && active && focused_) {
        canvas.Pen().SetStyle(psDot);
        canvas.Pen().SetColor(clBlack);
        canvas.Pen().SetWidth(1);
        canvas.Brush().SetStyle(bsClear);
        const int right = d.Right - 5 - (picture == tabBackGroundActive_.get() ? tabOverlap_ : 0);
        canvas.Rectangle(d.Left + 5, d.Top + 3, right, d.Bottom - 3);
        canvas.Pen().SetStyle(psSolid);
    }
}

void TFlatPageControl::PaintTabPicture(TCanvas& canvas, const TBitmap& picture, const TRect& r)
{
    // Left half as the left cap, right half as the right cap, and a 2-pixel
    // column from the middle stretched in between; the bottom-left colour is
    // transparent.
    const int w = picture.Width();
    const int h = picture.Height();
    const int width = std::max(0, r.Width());
    if (w < 2 || h <= 0 || width <= 0)
        return;
    const int left = std::min(w / 2, width);
    const int right = std::min(w - w / 2, width - left);
    TBitmap tab(width, h, pf32bit);
    TCanvas& c = tab.Canvas();
    c.BitBlt(0, 0, left, h, &picture.Canvas(), 0, 0, SRCCOPY);
    c.StretchBlt(left, 0, width - left - right, h, &picture.Canvas(), w / 2 - 1, 0, 2, h, SRCCOPY);
    c.BitBlt(width - right, 0, right, h, &picture.Canvas(), w - right, 0, SRCCOPY);
    tab.SetTransparentMode(tmAuto);
    tab.SetTransparent(true);
    canvas.Draw(r.Left, r.Top, tab);
}

void TFlatPageControl::PaintCloseButton(TCanvas& canvas, int x, int y, TCloseButtonState state)
{
    if (!closeGlyph_->Empty()) {
        canvas.SaveState();
        canvas.IntersectClipRect({x, y, x + CloseWidth, y + CloseHeight});
        closeGlyph_->SetTransparent(true);
        canvas.Draw(x, y, *closeGlyph_);
        canvas.RestoreState();
        return;
    }
    TColor fill = clWhite, frame = CloseBorder, cross = clBlack;
    if (state == TCloseButtonState::Hot) {
        frame = clBlack;
        cross = CloseCrossHot;
    } else if (state == TCloseButtonState::Pressed) {
        fill = ClosePressedFill;
        frame = clBlack;
    }
    FillRectColor(canvas, {x, y, x + CloseWidth, y + CloseHeight}, frame);
    FillRectColor(canvas, {x + 1, y + 1, x + CloseWidth - 1, y + CloseHeight - 1}, fill);
    // Two strokes, two pixels wide, crossing in the middle of the box.
    for (int k = 0; k < 5; ++k) {
        FillRectColor(canvas, {x + 3 + k, y + 3 + k, x + 5 + k, y + 4 + k}, cross);
        FillRectColor(canvas, {x + 7 - k, y + 3 + k, x + 9 - k, y + 4 + k}, cross);
    }
}

void TFlatPageControl::Paint3DTabs(TCanvas& canvas)
{
    // The platform's own look: raised tabs on a raised page.
    const TRect page = ClientRect();
    TRect frame{page.Left - 1, page.Top - 1, page.Right + 1, page.Bottom + 1};
    FillRectColor(canvas, {frame.Left, frame.Top, frame.Right, frame.Top + 1}, clBtnHighlight);
    FillRectColor(canvas, {frame.Left, frame.Top, frame.Left + 1, frame.Bottom}, clBtnHighlight);
    FillRectColor(canvas, {frame.Left, frame.Bottom - 1, frame.Right, frame.Bottom}, clBtnShadow);
    FillRectColor(canvas, {frame.Right - 1, frame.Top, frame.Right, frame.Bottom}, clBtnShadow);
    canvas.Font().Assign(&Font());
    canvas.Brush().SetStyle(bsClear);
    for (int i = 0; i < TabCount(); ++i) {
        const TRect r = layout_.TabRect(i);
        FillRectColor(canvas, {r.Left, r.Top, r.Right, r.Top + 1}, clBtnHighlight);
        FillRectColor(canvas, {r.Left, r.Top, r.Left + 1, r.Bottom}, clBtnHighlight);
        FillRectColor(canvas, {r.Right - 1, r.Top, r.Right, r.Bottom}, clBtnShadow);
        int x = r.Left + TFlatTabLayout::TextPadding;
        if (images_) {
            // The platform shows every tab's image: its own, or what the handler says.
            int image = tabs_[i]->tabImage_;
            if (OnGetImageIndex)
                OnGetImageIndex(this, i, image);
            if (image >= 0 && image < images_->Count()) {
                images_->Draw(canvas, x, r.Top + 2, image);
                x += images_->Width() + 3;
            }
        }
        canvas.Brush().SetStyle(bsClear);
        canvas.TextOut(x, r.Top + 2, tabTexts_[i]);
    }
}
