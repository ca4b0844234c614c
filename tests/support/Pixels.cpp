#include "support/Pixels.h"

#include "platform/framework/Control.h"

TColor Rgb(TColor c)
{
    return static_cast<TColor>(ColorToRGB(c));
}

TColor At(const QImage& img, int x, int y)
{
    const QRgb p = img.pixel(x, y);
    return RGBColor(qRed(p), qGreen(p), qBlue(p));
}

bool Opaque(const QImage& img, int x, int y)
{
    return qAlpha(img.pixel(x, y)) == 255;
}

const QImage& Painted(TControl& c)
{
    c.Update();
    return *c.Surface();
}

int TextWidth(const TFont& font, const QString& text)
{
    TCanvas measure;
    measure.Font().Assign(&font);
    return measure.TextWidth(text);
}

int TextHeight(const TFont& font, const QString& text)
{
    TCanvas measure;
    measure.Font().Assign(&font);
    return measure.TextHeight(text);
}

namespace canvastest {

QImage surface(int w, int h, TColor fill)
{
    QImage img(w, h, QImage::Format_RGB32);
    const uint32_t rgb = ColorToRGB(fill);
    img.fill(QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
    return img;
}

std::string row(const QImage& img, int y, int x0, int x1, TColor background)
{
    std::string s;
    for (int x = x0; x < x1; ++x)
        s += At(img, x, y) == background ? '.' : '#';
    return s;
}

std::string col(const QImage& img, int x, int y0, int y1, TColor background)
{
    std::string s;
    for (int y = y0; y < y1; ++y)
        s += At(img, x, y) == background ? '.' : '#';
    return s;
}

int count(const QImage& img, TColor c, TRect r)
{
    int n = 0;
    for (int y = std::max(0, r.Top); y < std::min(img.height(), r.Bottom); ++y)
        for (int x = std::max(0, r.Left); x < std::min(img.width(), r.Right); ++x)
            n += Opaque(img, x, y) && At(img, x, y) == c;
    return n;
}

namespace {

template <class Inked>
TRect BoundingBox(const QImage& img, Inked inked)
{
    TRect b{1 << 20, 1 << 20, -(1 << 20), -(1 << 20)};
    bool any = false;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (inked(At(img, x, y))) {
                any = true;
                b = {std::min(b.Left, x), std::min(b.Top, y), std::max(b.Right, x + 1), std::max(b.Bottom, y + 1)};
            }
    return any ? b : TRect{};
}

} // namespace

TRect inkBox(const QImage& img, TColor background)
{
    return BoundingBox(img, [&](TColor c) { return c != background; });
}

TRect boxOf(const QImage& img, TColor c)
{
    const TColor rgb = Rgb(c);
    return BoundingBox(img, [&](TColor p) { return p == rgb; });
}

bool contains(const TRect& outer, const TRect& inner)
{
    return inner.IsEmpty() || (inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
                               inner.Bottom <= outer.Bottom);
}

} // namespace canvastest
