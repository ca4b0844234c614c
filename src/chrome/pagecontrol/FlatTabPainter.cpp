// Tabs and strip are drawn in a frame where u runs along the strip and v
// across it from the control's tab-side edge towards the pages, so one set of
// rules serves all four tab positions.

#include "chrome/pagecontrol/FlatTabPainter.h"

#include <algorithm>

#include "chrome/gradients/BandGradient.h"
#include "chrome/pagecontrol/FlatPageControl.h"
#include "chrome/pagecontrol/FlatTabStrip.h"
#include "platform/canvas/Bitmap.h"
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

void PaintTabPicture(TCanvas& canvas, const TBitmap& picture, const TRect& r)
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

} // namespace

TRect TFlatTabPainter::PageAreaRect(const TRect& strip) const
{
    TRect r{0, 0, control_.Width(), control_.Height()};
    switch (control_.TabPosition()) {
    case TTabPosition::tpTop: r.Top = strip.Bottom; break;
    case TTabPosition::tpBottom: r.Bottom = strip.Top; break;
    case TTabPosition::tpLeft: r.Left = strip.Right; break;
    case TTabPosition::tpRight: r.Right = strip.Left; break;
    }
    return r;
}

void TFlatTabPainter::Paint(TCanvas& canvas) const
{
    const TFlatPageControl& pc = control_;
    const TColor brush = pc.Parent() ? pc.Parent()->Color() : clBtnFace;
    FillRectColor(canvas, {0, 0, pc.Width(), pc.Height()}, brush);
    if (pc.TabBorder3D()) {
        Paint3DTabs(canvas);
        return;
    }
    canvas.Font().Assign(&pc.Font());

    const StripFrame f{pc.TabPosition(), pc.Width(), pc.Height()};
    Strokes s(canvas, f);

    // Strip extent in strip coordinates.
    int stripDepth = 0;
    int stripEnd = 0;
    for (int i = 0; i < strip_.Count(); ++i) {
        const TRect t = f.Unmap(strip_.Layout().TabRect(i));
        stripDepth = std::max(stripDepth, t.Bottom);
        stripEnd = std::max(stripEnd, t.Right);
        s.Fill(t.Left - 2, t.Top - 2, t.Right + 2, t.Bottom, brush);
    }
    if (strip_.Count() == 0)
        stripDepth = 2;

    if (!pc.MultiLine() && f.Horizontal()) {
        s.Fill(f.Length() - RightEndArea, 0, f.Length(), stripDepth, pc.Color());
        s.HLine(std::max(f.Length() - RightEndArea, stripEnd), f.Length(), stripDepth,
                pc.TabPosition() == TTabPosition::tpBottom ? cl3DDkShadow : clWhite);
    }
    FillBandGradient(canvas, f.Map(0, 0, f.Length(), stripDepth), pc.TabBackGroundColor(), pc.TabBackGroundColorTo(),
                     StripGradientBands, !f.Horizontal());

    const TRect area = PageAreaRect(f.Map(0, 0, f.Length(), stripDepth));
    const TFlatTabSheet* active = pc.ActivePage();
    bool framePainted = false;
    if (active && (active->Color() != clNone || active->ColorTo() != clNone)) {
        framePainted = true;
        TRect band{area.Left + 1, area.Top + 1 + (pc.TabSheet3D() ? 1 : 0), area.Right - 1, area.Bottom - 1};
        canvas.SaveState();
        canvas.IntersectClipRect(band);
        canvas.ExcludeClipRect({band.Left + FrameBand, band.Top + FrameBand, band.Right - FrameBand,
                                band.Bottom - FrameBand});
        if (active->ColorTo() != clNone) {
            FillBandGradient(canvas, band, active->Color(), active->ColorTo(), TabGradientBands, false);
            FillRectColor(canvas, {band.Left, band.Top, band.Right, band.Top + FrameBand}, active->Color());
        } else {
            FillRectColor(canvas, band, active->Color());
        }
        canvas.RestoreState();
    }

    if (!pc.TabSheet3D()) {
        const TColor border = pc.TabSheetBorderColor();
        FillRectColor(canvas, {area.Left, area.Top, area.Left + 1, area.Bottom}, border);
        FillRectColor(canvas, {area.Left, area.Bottom - 1, area.Right, area.Bottom}, border);
        FillRectColor(canvas, {area.Right - 1, area.Top, area.Right, area.Bottom}, border);
        FillRectColor(canvas, {area.Left, area.Top, area.Right, area.Top + 1}, border);
        if (!framePainted) {
            FillRectColor(canvas, {area.Left + 1, area.Bottom - 2, area.Right - 1, area.Bottom - 1}, pc.Color());
            FillRectColor(canvas, {area.Right - 2, area.Top + 1, area.Right - 1, area.Bottom - 1}, pc.Color());
        }
        if (pc.RoundEdges()) {
            // The two corners away from the tabs: (u, v) far corners of the page area.
            const int depth = f.Horizontal() ? pc.Height() : pc.Width();
            for (int u : {0, f.Length() - 1}) {
                const int inward = u == 0 ? 1 : -1;
                s.Fill(u, depth - 1, u + 1, depth, pc.Color());
                s.Fill(u + inward, depth - 1, u + inward + 1, depth, pc.Color());
                s.Fill(u, depth - 2, u + 1, depth - 1, pc.Color());
                s.Fill(u + inward, depth - 2, u + inward + 1, depth - 1, border);
            }
        }
    }

    const bool splitShown = !pc.TabSplitLine() && pc.PageCount() > 0 && strip_.Count() > 0;
    if (splitShown) {
        const TColor c = framePainted ? active->Color() : pc.Color();
        s.HLine(3, stripEnd + pc.TabOverlap(), stripDepth, c);
    }

    // An active tab with its own picture goes over its neighbours.
    const bool activeOnTop = active && active->TabShown() && !pc.TabBackGroundActive().Empty();
    for (int i = pc.PageCount() - 1; i >= 0; --i)
        if (pc.Pages(i)->TabShown() && !(activeOnTop && pc.Pages(i) == active))
            PaintTab(canvas, i, splitShown);
    if (activeOnTop)
        PaintTab(canvas, pc.ActivePageIndex(), splitShown);

    const int hovered = hot_.Hovered();
    if (hovered >= 0 && hovered < pc.PageCount() && pc.Pages(hovered) != active && pc.TabHoverBorder() != clNone &&
        pc.Pages(hovered)->TabShown()) {
        const TRect t = f.Unmap(pc.TabRect(hovered));
        s.VLine(t.Left, t.Top, t.Bottom, pc.TabHoverBorder());
        s.HLine(t.Left, t.Right, t.Top, pc.TabHoverBorder());
        s.VLine(t.Right - 1, t.Top, t.Bottom, pc.TabHoverBorder());
    }
}

void TFlatTabPainter::PaintTab(TCanvas& canvas, int pageIndex, bool splitShown) const
{
    const TFlatPageControl& pc = control_;
    const TFlatTabSheet* page = pc.Pages(pageIndex);
    const StripFrame f{pc.TabPosition(), pc.Width(), pc.Height()};
    Strokes s(canvas, f);
    const TRect d = pc.TabRect(pageIndex);
    const TRect t = f.Unmap(d);
    const bool active = page == pc.ActivePage();
    const bool hovered = pageIndex == hot_.Hovered() && !active;

    if (pc.OnDrawTab)
        pc.OnDrawTab(&control_, pageIndex, d, active);

    const TBitmap* picture = active && !pc.TabBackGroundActive().Empty() ? &pc.TabBackGroundActive()
                             : !pc.TabBackGround().Empty()                ? &pc.TabBackGround()
                                                                          : nullptr;
    const bool activePicture = picture == &pc.TabBackGroundActive();
    if (picture) {
        const int lowered = activePicture && pc.TabPosition() == TTabPosition::tpTop && pc.LowerActive() >= 1 ? 1 : 0;
        PaintTabPicture(canvas, *picture, {d.Left, d.Top + lowered, d.Right + pc.TabOverlap(), d.Bottom + lowered});
    }

    // Fill.
    if (!pc.OnDrawTab && !picture) {
        TColor from = page->TabColor(), to = page->TabColorTo();
        TTabGradientDirection dir = page->TabGradientDirection();
        if (active && pc.ActiveColor() != clNone) {
            from = pc.ActiveColor();
            to = pc.ActiveColorTo();
        } else if (hovered && (pc.TabHoverColor() != clNone || pc.TabHoverColorTo() != clNone)) {
            from = pc.TabHoverColor() != clNone ? pc.TabHoverColor() : pc.TabHoverColorTo();
            to = pc.TabHoverColorTo();
            dir = page->HoverGradientDirection();
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
    const TColor border = pc.TabBorderColor();
    int next = -1;  // the next page with a shown tab
    for (int i = pageIndex + 1; i < pc.PageCount(); ++i)
        if (pc.Pages(i)->TabShown()) {
            next = i;
            break;
        }
    const bool separator = next < 0 || pc.Pages(next) != pc.ActivePage();
    switch (picture ? TTabStyle(0xFF) : pc.TabStyle()) {
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
                s.Fill(t.Right - 3, t.Top + 2, t.Right - 1, t.Bottom - 3, pc.ActiveColor());
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
    const int lower = active ? pc.LowerActive() : 0;
    const TTabMargin& m = pc.TabMargin();
    if (page->ShowClose()) {
        const TCloseButtonState state = active ? hot_.CloseState() : TCloseButtonState::Normal;
        PaintCloseButton(canvas, d.Left + m.LeftMargin() + 2, d.Top + m.TopMargin() + 2 + lower, state);
    }
    if (pc.OnDrawTab)
        return;
    int x = d.Left + 4 + (page->ShowClose() ? 14 : 0) + m.LeftMargin();
    const int y = d.Top + 1 + m.TopMargin() + lower;
    const TImageList* images = pc.Images();
    if (images && page->ImageIndex() >= 0 && page->ImageIndex() < images->Count()) {
        images->Draw(canvas, x - 2, y, page->ImageIndex());
        x += images->Width();
    }
    canvas.Font().Assign(active ? &pc.ActiveFont() : &pc.Font());
    if (!active)
        canvas.Font().SetColor(page->TextColor());
    if (!page->TabEnable())
        canvas.Font().SetColor(DisabledTabText);
    if (!page->Enabled())
        canvas.Font().SetColor(clGrayText);
    canvas.Brush().SetStyle(bsClear);
    switch (pc.TabPosition()) {
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

    if (pc.ShowFocus() && active && focused_) {
        canvas.Pen().SetStyle(psDot);
        canvas.Pen().SetColor(clBlack);
        canvas.Pen().SetWidth(1);
        canvas.Brush().SetStyle(bsClear);
        const int right = d.Right - 5 - (activePicture ? pc.TabOverlap() : 0);
        canvas.Rectangle(d.Left + 5, d.Top + 3, right, d.Bottom - 3);
        canvas.Pen().SetStyle(psSolid);
    }
}

void TFlatTabPainter::PaintCloseButton(TCanvas& canvas, int x, int y, TCloseButtonState state) const
{
    const TBitmap& glyph = control_.CloseGlyph();
    if (!glyph.Empty()) {
        // The glyph is kept transparent (see the control's state).
        canvas.SaveState();
        canvas.IntersectClipRect({x, y, x + CloseWidth, y + CloseHeight});
        canvas.Draw(x, y, glyph);
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

void TFlatTabPainter::Paint3DTabs(TCanvas& canvas) const
{
    // The platform's own look: raised tabs on a raised page.
    const TFlatPageControl& pc = control_;
    const TRect page = pc.ClientRect();
    TRect frame{page.Left - 1, page.Top - 1, page.Right + 1, page.Bottom + 1};
    FillRectColor(canvas, {frame.Left, frame.Top, frame.Right, frame.Top + 1}, clBtnHighlight);
    FillRectColor(canvas, {frame.Left, frame.Top, frame.Left + 1, frame.Bottom}, clBtnHighlight);
    FillRectColor(canvas, {frame.Left, frame.Bottom - 1, frame.Right, frame.Bottom}, clBtnShadow);
    FillRectColor(canvas, {frame.Right - 1, frame.Top, frame.Right, frame.Bottom}, clBtnShadow);
    canvas.Font().Assign(&pc.Font());
    canvas.Brush().SetStyle(bsClear);
    const TImageList* images = pc.Images();
    for (int i = 0; i < strip_.Count(); ++i) {
        const TRect r = strip_.Layout().TabRect(i);
        FillRectColor(canvas, {r.Left, r.Top, r.Right, r.Top + 1}, clBtnHighlight);
        FillRectColor(canvas, {r.Left, r.Top, r.Left + 1, r.Bottom}, clBtnHighlight);
        FillRectColor(canvas, {r.Right - 1, r.Top, r.Right, r.Bottom}, clBtnShadow);
        int x = r.Left + TFlatTabLayout::TextPadding;
        if (images) {
            // The platform shows every tab's image: its own, or what the handler says.
            int image = strip_.Sheet(i)->TabImage();
            if (pc.OnGetImageIndex)
                pc.OnGetImageIndex(&control_, i, image);
            if (image >= 0 && image < images->Count()) {
                images->Draw(canvas, x, r.Top + 2, image);
                x += images->Width() + 3;
            }
        }
        canvas.Brush().SetStyle(bsClear);
        canvas.TextOut(x, r.Top + 2, strip_.Text(i));
    }
}
