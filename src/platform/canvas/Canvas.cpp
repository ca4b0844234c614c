#include "platform/canvas/Canvas.h"

#include <algorithm>

#include "platform/canvas/CanvasPrivate.h"

using raster::Ink;
using raster::IRect;
using raster::Surface;
using namespace canvasdetail;

TCanvas::TCanvas() : d(std::make_unique<Private>()) {}

TCanvas::TCanvas(QImage& target) : d(std::make_unique<Private>())
{
    d->target = &target;
    d->ensureFormat();
}

TCanvas::TCanvas(QPainter& painter, int width, int height) : d(std::make_unique<Private>())
{
    d->vector = &painter;
    d->vectorW = std::max(0, width);
    d->vectorH = std::max(0, height);
}

bool TCanvas::IsVector() const { return d->vector != nullptr; }

TCanvas::~TCanvas() = default;

QImage* TCanvas::Target() const { return d->target; }

void TCanvas::SetTarget(QImage* target)
{
    d->target = target;
    d->clipDirty = true;
    d->ensureFormat();
}

int TCanvas::Scale() const { return d->scale; }

void TCanvas::SetScale(int scale)
{
    scale = std::clamp(scale, 1, kMaxScale);
    if (scale == d->scale)
        return;
    d->scale = scale;
    d->clipDirty = true;
}

TPen& TCanvas::Pen() { return d->pen; }
TBrush& TCanvas::Brush() { return d->brush; }
TFont& TCanvas::Font() { return d->font; }
TCopyMode TCanvas::CopyMode() const { return d->copyMode; }
void TCanvas::SetCopyMode(TCopyMode mode) { d->copyMode = mode; }
TPolyFillMode TCanvas::PolyFillMode() const { return d->fillMode; }
void TCanvas::SetPolyFillMode(TPolyFillMode mode) { d->fillMode = mode; }

int TCanvas::SaveState()
{
    auto s = std::unique_ptr<canvasdetail::SavedState>(new SavedState{TPen(d->pen), TBrush(d->brush), TFont(d->font), d->copyMode,
                                                        d->fillMode, d->hasClip, d->clip, d->org, d->penPos});
    d->saved.push_back(std::move(s));
    return int(d->saved.size());
}

void TCanvas::RestoreState(int index)
{
    if (d->saved.empty())
        return;
    if (index < 0)
        index = int(d->saved.size()) + 1 + index;
    if (index < 1 || index > int(d->saved.size()))
        return;
    std::unique_ptr<canvasdetail::SavedState> s = std::move(d->saved[size_t(index - 1)]);
    d->saved.resize(size_t(index - 1));
    d->pen.Assign(&s->pen);
    d->brush.Assign(&s->brush);
    d->font.Assign(&s->font);
    d->copyMode = s->copyMode;
    d->fillMode = s->fillMode;
    d->hasClip = s->hasClip;
    d->clip = s->clip;
    d->org = s->org;
    d->penPos = s->penPos;
    d->clipDirty = true;
}

TPoint TCanvas::WindowOrg() const { return d->org; }

void TCanvas::SetWindowOrg(int x, int y) { d->org = {x, y}; }

void TCanvas::MoveWindowOrg(int dx, int dy) { d->org = {d->org.X - dx, d->org.Y - dy}; }

// ---- clip -------------------------------------------------------------------------------

TRect TCanvas::ClipRect() const
{
    d->updateClip();
    const IRect& b = d->clipBox;
    if (b.empty())
        return {};
    return {b.l + d->org.X, b.t + d->org.Y, b.r + d->org.X, b.b + d->org.Y};
}

bool TCanvas::HasClipRegion() const { return d->hasClip; }

void TCanvas::SetClipRect(const TRect& r)
{
    d->clip = QRegion(d->deviceRect(r));
    d->hasClip = true;
    d->clipDirty = true;
}

void TCanvas::IntersectClipRect(const TRect& r)
{
    const QRect q = d->deviceRect(r);
    if (!d->hasClip) {
        const QRect full = d->hasSurface() ? QRect(0, 0, d->width(), d->height()) : QRect();
        d->clip = QRegion(full);
    }
    d->clip = d->clip.intersected(q);
    d->hasClip = true;
    d->clipDirty = true;
}

void TCanvas::ExcludeClipRect(const TRect& r)
{
    const QRect q = d->deviceRect(r);
    if (!d->hasClip) {
        const QRect full = d->hasSurface() ? QRect(0, 0, d->width(), d->height()) : QRect();
        d->clip = QRegion(full);
    }
    d->clip = d->clip.subtracted(q);
    d->hasClip = true;
    d->clipDirty = true;
}

void TCanvas::SelectClipRegion(const QRegion& region)
{
    d->clip = region;
    d->hasClip = true;
    d->clipDirty = true;
}

void TCanvas::RemoveClipRegion()
{
    d->clip = QRegion();
    d->hasClip = false;
    d->clipDirty = true;
}

QRegion TCanvas::ClipRegion() const { return d->hasClip ? d->clip : QRegion(); }

bool TCanvas::RectVisible(const TRect& r) const
{
    d->updateClip();
    const QRect q = d->deviceRect(r);
    return !q.isEmpty() && d->clipRegion.intersects(q);
}

// ---- pixels, lines, shapes ---------------------------------------------------------------

TColor TCanvas::Pixels(int x, int y) const
{
    Surface s = d->surface();
    const long long dx = widen(x) - d->org.X, dy = widen(y) - d->org.Y;
    if (!s.valid() || dx < 0 || dy < 0 || dx >= s.w || dy >= s.h || !s.inClip(int(dx), int(dy)))
        return CLR_INVALID;
    return colorOfPixel(s.row(int(dy) * s.scale)[dx * s.scale]);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    Surface s = d->surface();
    const long long dx = widen(x) - d->org.X, dy = widen(y) - d->org.Y;
    if (!s.valid() || dx < 0 || dy < 0 || dx >= s.w || dy >= s.h)
        return;
    Ink k;
    k.color = pixelOf(color);
    raster::plot(s, int(dx), int(dy), k);
}

void TCanvas::FillCheckerboard(const TRect& r, TColor even, TColor odd)
{
    Surface s = d->surface();
    if (!s.valid())
        return;
    Ink inks[2];
    inks[0].color = pixelOf(even);
    inks[1].color = pixelOf(odd);
    for (int y = r.Top; y < r.Bottom; ++y) {
        const long long dy = widen(y) - d->org.Y;
        if (dy < 0 || dy >= s.h)
            continue;
        for (int x = r.Left; x < r.Right; ++x) {
            const long long dx = widen(x) - d->org.X;
            if (dx >= 0 && dx < s.w)
                raster::plot(s, int(dx), int(dy), inks[(x + y) & 1]);
        }
    }
}

TPoint TCanvas::PenPos() const { return d->penPos; }

void TCanvas::SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }
