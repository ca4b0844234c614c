#include "platform/framework/window/NonClient.h"

#include <algorithm>

#include "platform/canvas/Canvas.h"
#include "platform/canvas/Color.h"

bool ScrollBarHasRange(const TScrollInfo& info)
{
    if (info.Max <= info.Min)
        return false;
    return info.Page == 0 || static_cast<long long>(info.Page) <= static_cast<long long>(info.Max) - info.Min;
}

int MaxScrollPos(const TScrollInfo& info)
{
    if (info.Page == 0)
        return info.Max;
    const long long top = static_cast<long long>(info.Max) - info.Page + 1;
    return static_cast<int>(std::max<long long>(info.Min, top));
}

TScrollInfo NormalisedScrollInfo(TScrollInfo info)
{
    if (info.Max < info.Min)
        info.Max = info.Min;
    const long long span = static_cast<long long>(info.Max) - info.Min + 1;
    if (static_cast<long long>(info.Page) > span)
        info.Page = static_cast<unsigned>(span);
    info.Pos = std::clamp(info.Pos, info.Min, MaxScrollPos(info));
    info.TrackPos = std::clamp(info.TrackPos, info.Min, MaxScrollPos(info));
    return info;
}

TNonClientLayout LayoutNonClient(int width, int height, TNonClientBorder border, bool horz, bool vert)
{
    TNonClientLayout l;
    l.border = border == ncbSingle ? 1 : border == ncbClientEdge ? 2 : 0;
    const int b = l.border;
    const int innerW = std::max(0, width - 2 * b), innerH = std::max(0, height - 2 * b);
    const int barW = vert ? std::min(ScrollBarThickness, innerW) : 0;
    const int barH = horz ? std::min(ScrollBarThickness, innerH) : 0;
    l.client = {b, b, b + innerW - barW, b + innerH - barH};
    if (vert)
        l.vert = {b + innerW - barW, b, b + innerW, b + innerH - barH};
    if (horz)
        l.horz = {b, b + innerH - barH, b + innerW - barW, b + innerH};
    if (horz && vert)
        l.sizeBox = {l.vert.Left, l.horz.Top, l.vert.Right, l.horz.Bottom};
    return l;
}

TScrollBarParts ScrollBarPartsOf(const TRect& bar, bool vertical, const TScrollInfo& info, int pos)
{
    TScrollBarParts p;
    const int length = vertical ? bar.Height() : bar.Width();
    const int thickness = vertical ? bar.Width() : bar.Height();
    // Arrows are square; on a short bar they share its length and there is no track.
    const int arrow = length < 2 * thickness ? length / 2 : thickness;
    auto span = [&](int from, int to) {
        return vertical ? TRect{bar.Left, bar.Top + from, bar.Right, bar.Top + to}
                        : TRect{bar.Left + from, bar.Top, bar.Left + to, bar.Bottom};
    };
    p.lineUp = span(0, arrow);
    p.lineDown = span(length - arrow, length);
    p.trackStart = arrow;
    p.trackLength = std::max(0, length - 2 * arrow);
    const long long range = static_cast<long long>(info.Max) - info.Min + 1;
    int thumb = info.Page > 0 ? static_cast<int>(p.trackLength * static_cast<long long>(info.Page) / std::max(1LL, range))
                              : thickness;
    thumb = std::max(thumb, MinThumbLength);
    if (!ScrollBarHasRange(info) || thumb >= p.trackLength) {
        // No room for a thumb: the whole track pages.
        p.pageUp = span(arrow, arrow + p.trackLength / 2);
        p.pageDown = span(arrow + p.trackLength / 2, arrow + p.trackLength);
        return p;
    }
    p.thumbLength = thumb;
    const int top = MaxScrollPos(info);
    const int clamped = std::clamp(pos, info.Min, top);
    const int offset = top > info.Min ? static_cast<int>(static_cast<long long>(p.trackLength - thumb) *
                                                         (clamped - info.Min) / (top - info.Min))
                                      : 0;
    p.pageUp = span(arrow, arrow + offset);
    p.thumb = span(arrow + offset, arrow + offset + thumb);
    p.pageDown = span(arrow + offset + thumb, arrow + p.trackLength);
    return p;
}

TScrollBarPart ScrollBarPartAt(const TScrollBarParts& parts, TPoint p)
{
    if (parts.lineUp.Contains(p))
        return sbpLineUp;
    if (parts.lineDown.Contains(p))
        return sbpLineDown;
    if (parts.thumb.Contains(p))
        return sbpThumb;
    if (parts.pageUp.Contains(p))
        return sbpPageUp;
    if (parts.pageDown.Contains(p))
        return sbpPageDown;
    return sbpNone;
}

int ScrollPosFromThumb(const TScrollBarParts& parts, const TScrollInfo& info, int offset)
{
    const int travel = parts.trackLength - parts.thumbLength;
    const int top = MaxScrollPos(info);
    if (travel <= 0 || top <= info.Min)
        return info.Min;
    offset = std::clamp(offset, 0, travel);
    // Rounded to the nearest position, as the thumb snaps on release.
    const long long span = static_cast<long long>(top) - info.Min;
    return info.Min + static_cast<int>((offset * span + travel / 2) / travel);
}

namespace {

void Line(TCanvas& c, int x1, int y1, int x2, int y2, TColor color)
{
    c.Brush().SetColor(color);
    c.FillRect({std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1});
}

// The raised push-button frame of the classic look (arrows and thumb).
void RaisedButton(TCanvas& c, const TRect& r)
{
    c.Brush().SetColor(clBtnFace);
    c.FillRect(r);
    if (r.Width() < 2 || r.Height() < 2)
        return;
    Line(c, r.Left, r.Top, r.Right - 2, r.Top, cl3DLight);
    Line(c, r.Left, r.Top, r.Left, r.Bottom - 2, cl3DLight);
    Line(c, r.Left, r.Bottom - 1, r.Right - 1, r.Bottom - 1, cl3DDkShadow);
    Line(c, r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1, cl3DDkShadow);
    if (r.Width() < 4 || r.Height() < 4)
        return;
    Line(c, r.Left + 1, r.Top + 1, r.Right - 3, r.Top + 1, clBtnHighlight);
    Line(c, r.Left + 1, r.Top + 1, r.Left + 1, r.Bottom - 3, clBtnHighlight);
    Line(c, r.Left + 1, r.Bottom - 2, r.Right - 2, r.Bottom - 2, clBtnShadow);
    Line(c, r.Right - 2, r.Top + 1, r.Right - 2, r.Bottom - 2, clBtnShadow);
}

// A pushed arrow button: flat, framed in the shadow colour.
void PushedButton(TCanvas& c, const TRect& r)
{
    c.Brush().SetColor(clBtnFace);
    c.FillRect(r);
    c.Brush().SetColor(clBtnShadow);
    c.FrameRect(r);
}

// Arrow glyph: a triangle pointing at side (0 up, 1 down, 2 left, 3 right).
void Arrow(TCanvas& c, const TRect& r, int side, int shift, TColor color)
{
    const int size = std::max(1, (std::min(r.Width(), r.Height()) - 4) / 4 + 1); // 4 rows on a 16-pixel button
    const int cx = r.Left + (r.Width() - 1) / 2 + shift, cy = r.Top + (r.Height() - 1) / 2 + shift;
    c.Brush().SetColor(color);
    for (int i = 0; i < size; ++i) {
        // Row i is 2k+1 pixels long; the apex is at the side the arrow points to.
        const int k = side == 1 || side == 3 ? size - 1 - i : i;
        const int at = (side < 2 ? cy : cx) - size / 2 + i;
        if (side < 2)
            c.FillRect({cx - k, at, cx + k + 1, at + 1});
        else
            c.FillRect({at, cy - k, at + 1, cy + k + 1});
    }
}

void ArrowButton(TCanvas& c, const TRect& r, int side, bool pushed, bool enabled)
{
    if (r.IsEmpty())
        return;
    if (pushed)
        PushedButton(c, r);
    else
        RaisedButton(c, r);
    const int shift = pushed ? 1 : 0;
    if (!enabled) {
        Arrow(c, r, side, 1, clBtnHighlight);
        Arrow(c, r, side, 0, clBtnShadow);
    } else {
        Arrow(c, r, side, shift, clBtnText);
    }
}

// The track: the classic checkerboard of the highlight and face colours, dark
// where the mouse holds it down.
void Track(TCanvas& c, const TRect& r, bool pressed)
{
    if (r.IsEmpty())
        return;
    const TColor a = pressed ? cl3DDkShadow : clBtnHighlight;
    const TColor b = pressed ? clBtnShadow : clBtnFace;
    c.FillCheckerboard(r, a, b);
}

} // namespace

void PaintNonClientBorder(TCanvas& c, int width, int height, TNonClientBorder border)
{
    if (border == ncbNone || width <= 0 || height <= 0)
        return;
    const int r = width - 1, b = height - 1;
    if (border == ncbSingle) {
        c.Brush().SetColor(clWindowFrame);
        c.FrameRect({0, 0, width, height});
        return;
    }
    // Sunken client edge: shadow over highlight outside, dark shadow over light inside.
    Line(c, 0, 0, r - 1, 0, clBtnShadow);
    Line(c, 0, 0, 0, b - 1, clBtnShadow);
    Line(c, 0, b, r, b, clBtnHighlight);
    Line(c, r, 0, r, b, clBtnHighlight);
    if (width < 3 || height < 3)
        return;
    Line(c, 1, 1, r - 2, 1, cl3DDkShadow);
    Line(c, 1, 1, 1, b - 2, cl3DDkShadow);
    Line(c, 1, b - 1, r - 1, b - 1, cl3DLight);
    Line(c, r - 1, 1, r - 1, b - 1, cl3DLight);
}

void PaintScrollBar(TCanvas& c, const TRect& bar, bool vertical, const TScrollInfo& info, int pos,
                    TScrollBarPart pressed, bool enabled)
{
    if (bar.IsEmpty())
        return;
    const TScrollBarParts p = ScrollBarPartsOf(bar, vertical, info, pos);
    ArrowButton(c, p.lineUp, vertical ? 0 : 2, pressed == sbpLineUp, enabled);
    ArrowButton(c, p.lineDown, vertical ? 1 : 3, pressed == sbpLineDown, enabled);
    if (!enabled) {
        // A disabled bar has no thumb: its track runs the whole length between the arrows.
        const int from = p.trackStart, to = p.trackStart + p.trackLength;
        Track(c, vertical ? TRect{bar.Left, bar.Top + from, bar.Right, bar.Top + to}
                          : TRect{bar.Left + from, bar.Top, bar.Left + to, bar.Bottom},
              false);
        return;
    }
    Track(c, p.pageUp, pressed == sbpPageUp);
    Track(c, p.pageDown, pressed == sbpPageDown);
    if (!p.thumb.IsEmpty())
        RaisedButton(c, p.thumb);
}

void PaintSizeBox(TCanvas& c, const TRect& box)
{
    c.Brush().SetColor(clBtnFace);
    c.FillRect(box);
}
