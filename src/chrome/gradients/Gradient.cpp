#include "chrome/gradients/Gradient.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/base/AppContext.h"
#include "platform/canvas/CanvasTypes.h"

const std::vector<std::string>& GradientStyleNames()
{
    static const std::vector<std::string> names = {
        "gtCornerTopLeft",  "gtCornerTopRight",   "gtCornerBottomRight", "gtCornerBottomLeft",
        "gtDiagonalRising", "gtDiagonalFalling",  "gtEllipse",           "gtPyramid",
        "gtVerticalToCenter", "gtHorizontalToCenter", "gtLeftToRight",   "gtTopToBottom"};
    return names;
}

const std::vector<std::string>& GradientDirectionNames()
{
    static const std::vector<std::string> names = {"gdNormal", "gdInverse"};
    return names;
}

namespace {

// Positions are computed with single-precision steps, as the figures were
// designed with; doubles would move some band edges by a pixel.
int Trunc(float v)
{
    return static_cast<int>(v);
}

// Rounds halves to even, as the ramp always has.
int RoundEven(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

// The renderings of the process, most recently used last. Screens show the
// same few panel sizes again and again; a bound on the pixels kept stops a
// splitter dragged across the screen from hoarding its every size.
struct GradientPictures {
    struct Entry {
        int width, height;
        TGradientStyle style;
        uint32_t from, to;
        std::shared_ptr<TBitmap> bitmap;
    };
    static constexpr int64_t MaxPixels = int64_t(1) << 22;
    std::vector<Entry> entries;
};

} // namespace

TGradient::TGradient() : bitmap_(std::make_shared<TBitmap>(0, 0, pf32bit))
{
    BuildTable();
}

TGradient::~TGradient() = default;

void TGradient::Assign(const TPersistent* source)
{
    if (const auto* g = dynamic_cast<const TGradient*>(source)) {
        beginColor_ = g->beginColor_;
        endColor_ = g->endColor_;
        drawStyle_ = g->drawStyle_;
        ParametersChanged();
        return;
    }
    TPersistent::Assign(source);
}

void TGradient::AssignTo(TPersistent* dest) const
{
    if (auto* g = dynamic_cast<TGradient*>(dest)) {
        g->Assign(this);
        return;
    }
    TPersistent::AssignTo(dest);
}

void TGradient::SetColor(int index, TColor value)
{
    if (index == 1)
        beginColor_ = value;
    else if (index == 2)
        endColor_ = value;
    else
        throw EInvalidOperation(QStringLiteral("Gradient colour index must be 1 or 2, not %1").arg(index));
    ParametersChanged();
}

void TGradient::SetDrawStyle(TGradientStyle value)
{
    if (value > gtTopToBottom)
        throw EInvalidOperation(QStringLiteral("Gradient style %1 is out of range").arg(int(value)));
    if (!Exchange(drawStyle_, value))
        return;
    ParametersChanged();
}

void TGradient::SetDirection(TGradientDirection value)
{
    if (value > gdInverse)
        throw EInvalidOperation(QStringLiteral("Gradient direction %1 is out of range").arg(int(value)));
    if (!Exchange(direction_, value))
        return;
    ParametersChanged();
}

void TGradient::ParametersChanged()
{
    cache_ = TRect{};
    BuildTable();
    Change();
}

TColor TGradient::TableEntry(int index) const
{
    if (index < 0 || index > 255)
        throw EListError(QStringLiteral("Gradient colour index %1 out of range").arg(index));
    return table_[static_cast<size_t>(index)];
}

void TGradient::BuildTable()
{
    // System colours are resolved first: their low bytes are a palette number,
    // not red, green and blue.
    uint32_t a = ColorToRGB(beginColor_);
    uint32_t b = ColorToRGB(endColor_);
    if (direction_ == gdInverse)
        std::swap(a, b);
    rampFrom_ = a;
    rampTo_ = b;
    const int ar[3] = {GetRValue(a), GetGValue(a), GetBValue(a)};
    const int br[3] = {GetRValue(b), GetGValue(b), GetBValue(b)};
    auto ramp = [](const int from[3], const int to[3], int step, int steps) {
        int ch[3];
        for (int k = 0; k < 3; ++k)
            ch[k] = from[k] + RoundEven(double(to[k] - from[k]) / steps * step);
        return RGBColor(ch[0], ch[1], ch[2]);
    };
    // Entries 0 and 1 are both the start colour: the ramp advances after storing.
    table_[0] = RGBColor(ar[0], ar[1], ar[2]);
    if (drawStyle_ == gtVerticalToCenter || drawStyle_ == gtHorizontalToCenter) {
        for (int k = 1; k <= 127; ++k)
            table_[size_t(k)] = ramp(ar, br, k - 1, 127);
        table_[128] = RGBColor(br[0], br[1], br[2]);
        for (int j = 129; j <= 255; ++j)
            table_[size_t(j)] = ramp(br, ar, j - 128, 127);
    } else {
        for (int k = 1; k <= 255; ++k)
            table_[size_t(k)] = ramp(ar, br, k - 1, 255);
    }
}

void TGradient::Draw(TCanvas* canvas, const TRect& rect)
{
    const int64_t w = std::max<int64_t>(int64_t(rect.Right) - rect.Left, 0);
    const int64_t h = std::max<int64_t>(int64_t(rect.Bottom) - rect.Top, 0);
    // Far beyond any screen; rendering it would take memory and minutes per paint.
    if (w * h > MaxArea)
        throw EInvalidOperation(QStringLiteral("Gradient area %1 x %2 is too large").arg(w).arg(h));
    const int64_t cachedW = int64_t(cache_.Right) - cache_.Left;
    const int64_t cachedH = int64_t(cache_.Bottom) - cache_.Top;
    if (w != cachedW || h != cachedH) {
        // An empty area may still span more than an int; it renders nothing anyway.
        // The cache moves only once the picture is made: a size the bitmap
        // refuses leaves the old picture and size together.
        bitmap_ = Picture(int(std::min<int64_t>(w, INT_MAX)), int(std::min<int64_t>(h, INT_MAX)));
        ++renderCount_;
        cache_ = rect;
    }
    if (!canvas || w == 0 || h == 0 || bitmap_->Empty())
        return;
    if (drawStyle_ == gtEllipse) {
        bitmap_->SetTransparentColor(TransparentFill);
        bitmap_->SetTransparent(true);
        canvas->Draw(rect.Left, rect.Top, *bitmap_);
        bitmap_->SetTransparent(false);
        return;
    }
    canvas->BitBlt(rect.Left, rect.Top, int(w), int(h), &bitmap_->Canvas(), 0, 0, SRCCOPY);
}

std::shared_ptr<TBitmap> TGradient::Picture(int width, int height) const
{
    if (width <= 0 || height <= 0)
        return std::make_shared<TBitmap>(std::max(width, 0), std::max(height, 0), pf32bit);
    auto& pictures = AppContext().State<GradientPictures>();
    auto& entries = pictures.entries;
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->width == width && it->height == height && it->style == drawStyle_ && it->from == rampFrom_ &&
            it->to == rampTo_) {
            std::rotate(it, it + 1, entries.end());
            return entries.back().bitmap;
        }
    }
    auto bitmap = std::make_shared<TBitmap>(width, height, pf32bit);
    Render(*bitmap, width, height);
    int64_t kept = int64_t(width) * height;
    for (const auto& e : entries)
        kept += int64_t(e.width) * e.height;
    size_t dropped = 0;
    while (dropped < entries.size() && kept > GradientPictures::MaxPixels) {
        kept -= int64_t(entries[dropped].width) * entries[dropped].height;
        ++dropped;
    }
    entries.erase(entries.begin(), entries.begin() + std::ptrdiff_t(dropped));
    // One picture larger than the bound is still drawn, just not kept.
    if (int64_t(width) * height <= GradientPictures::MaxPixels)
        entries.push_back({width, height, drawStyle_, rampFrom_, rampTo_, bitmap});
    return bitmap;
}

void TGradient::Render(TBitmap& bitmap, int width, int height) const
{
    TCanvas& c = bitmap.Canvas();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clWhite);
    c.FillRect({0, 0, width, height});
    c.Pen().SetStyle(psSolid);
    c.Pen().SetWidth(1);
    c.Brush().SetStyle(bsSolid);
    switch (drawStyle_) {
    case gtCornerTopLeft:
    case gtCornerTopRight:
    case gtCornerBottomRight:
    case gtCornerBottomLeft:
        RenderCorners(c, width, height);
        break;
    case gtDiagonalRising:
    case gtDiagonalFalling:
        RenderDiagonals(c, width, height);
        break;
    case gtEllipse:
        RenderEllipse(c, width, height);
        break;
    case gtPyramid:
        RenderPyramid(c, width, height);
        break;
    case gtVerticalToCenter:
    case gtHorizontalToCenter:
    case gtLeftToRight:
    case gtTopToBottom:
        RenderBands(c, width, height);
        break;
    }
}

void TGradient::RenderBands(TCanvas& c, int w, int h) const
{
    const float xs = float(w) / 255.0f;
    const float ys = float(h) / 255.0f;
    const int bw = Trunc(xs + 1.0f);
    const int bh = Trunc(ys + 1.0f);
    const bool across = drawStyle_ == gtLeftToRight || drawStyle_ == gtHorizontalToCenter;
    // Bands are at least as wide as their step, so each overlaps the next and
    // every row (column) ends up with the last band starting on it.
    int pos = 0;
    for (int i = 0; i <= 255; ++i) {
        c.Brush().SetColor(table_[size_t(i)]);
        if (across)
            c.FillRect({pos, 0, pos + bw, h});
        else
            c.FillRect({0, pos, w, pos + bh});
        pos = Trunc(float(i) * (across ? xs : ys));
    }
}

void TGradient::RenderCorners(TCanvas& c, int w, int h) const
{
    const float xs = float(w) / 255.0f;
    const float ys = float(h) / 255.0f;
    const int bw = Trunc(xs + 1.0f);
    const int bh = Trunc(ys + 1.0f);
    c.Pen().SetStyle(psClear);
    for (int i = 0; i <= 255; ++i) {
        const int rest = 255 - i;
        c.Brush().SetColor(table_[size_t(i)]);
        int x, y;
        switch (drawStyle_) {
        case gtCornerTopLeft:
            y = Trunc(float(rest) * ys);
            x = Trunc(float(rest) * xs);
            c.Polygon({{0, y}, {x, y}, {x, 0}, {x + bw, 0}, {x + bw, y + bh}, {0, y + bh}});
            break;
        case gtCornerTopRight:
            y = Trunc(float(rest) * ys);
            x = Trunc(float(i) * xs);
            c.Polygon({{x + bw, 0}, {x + bw, y}, {w, y}, {w, y + bh}, {x, y + bh}, {x, 0}});
            break;
        case gtCornerBottomRight:
            y = Trunc(float(i) * ys);
            x = Trunc(float(i) * xs);
            c.Polygon({{w, y + bh}, {x + bw, y + bh}, {x + bw, h}, {x, h}, {x, y}, {w, y}});
            break;
        default: // gtCornerBottomLeft
            y = Trunc(float(i) * ys);
            x = Trunc(float(rest) * xs);
            c.Polygon({{x, h}, {x, y + bh}, {0, y + bh}, {0, y}, {x + bw, y}, {x + bw, h}});
            break;
        }
    }
}

void TGradient::RenderDiagonals(TCanvas& c, int w, int h) const
{
    const float xs = float(w) / 127.0f;
    const float ys = float(h) / 127.0f;
    const int bw = Trunc(xs + 1.0f);
    const int bh = Trunc(ys + 1.0f);
    std::array<std::vector<TPoint>, 256> shapes;
    for (int n = 0; n <= 127; ++n) {
        const int x = Trunc(float(n) * xs);
        if (drawStyle_ == gtDiagonalFalling) {
            const int y = Trunc(float(n) * ys);
            shapes[size_t(n)] = {{x, 0}, {x + bw, 0}, {0, y + bh}, {0, y}};
            shapes[size_t(128 + n)] = {{w, y}, {w, y + bh}, {x + bw, h}, {x, h}};
        } else {
            const int y = Trunc(float(127 - n) * ys);
            shapes[size_t(n)] = {{x, h}, {x + bw, h}, {0, y}, {0, y + bh}};
            shapes[size_t(128 + n)] = {{w, y + bh}, {w, y}, {x + bw, 0}, {x, 0}};
        }
    }
    c.Pen().SetStyle(psClear);
    for (int i = 0; i <= 255; ++i) {
        c.Brush().SetColor(table_[size_t(i)]);
        c.Polygon(shapes[size_t(i)]);
    }
}

void TGradient::RenderEllipse(TCanvas& c, int w, int h) const
{
    c.Brush().SetColor(TransparentFill);
    c.FillRect({0, 0, w, h});
    c.Pen().SetStyle(psClear);
    c.Pen().SetWidth(1);
    const int m = w / 2 - 2;
    if (m <= 2)
        return; // too narrow for a single ring: all transparent
    const float r = float(h) / float(w);
    const float q = 255.0f / float(m);
    int x = 1, y = 1;
    for (int k = 2; k < m; ++k) {
        c.Brush().SetColor(table_[size_t(std::min(Trunc(float(k) * q), 255))]);
        c.Ellipse(x, y, w - x, h - y);
        y = Trunc(float(k) * r);
        x = k;
    }
}

void TGradient::RenderPyramid(TCanvas& c, int w, int h) const
{
    const int cx = w / 2;
    const int cy = h / 2;
    const float q = 255.0f / float(w + h);
    auto entry = [&](int n) { return table_[size_t(std::clamp(Trunc(float(n) * q), 0, 255))]; };
    c.Pen().SetStyle(psSolid);
    c.Pen().SetWidth(1);
    for (int i = 0; i <= w; ++i) {
        c.Pen().SetColor(entry(i));
        c.MoveTo(i, 0);
        c.LineTo(cx, cy);
        c.Pen().SetColor(entry(h + i));
        c.MoveTo(cx, cy);
        c.LineTo(i, h);
    }
    for (int i = 0; i <= h; ++i) {
        c.Pen().SetColor(entry(w + i));
        c.MoveTo(w, i);
        c.LineTo(cx, cy);
        c.Pen().SetColor(entry(i));
        c.MoveTo(cx, cy);
        c.LineTo(-1, i);
    }
}
