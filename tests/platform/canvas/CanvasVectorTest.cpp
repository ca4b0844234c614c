#include <gtest/gtest.h>

#include <functional>

#include <QImage>
#include <QPainter>

#include "platform/canvas/Canvas.h"

namespace {

constexpr int W = 120, H = 80;

QImage Raster(const std::function<void(TCanvas&)>& draw)
{
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(image);
    draw(canvas);
    return image;
}

// The same calls through the vector back end, drawn by Qt's aliased rasteriser.
QImage Vector(const std::function<void(TCanvas&)>& draw)
{
    QImage image(W, H, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    TCanvas canvas(painter, W, H);
    draw(canvas);
    return image;
}

bool Ink(const QImage& image, int x, int y)
{
    return x >= 0 && y >= 0 && x < W && y < H && (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
}

// Differing pixels, and those with no ink of the other picture next to them.
std::pair<int, int> Compare(const QImage& a, const QImage& b)
{
    int pixels = 0, stray = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            if (a.pixel(x, y) == b.pixel(x, y))
                continue;
            ++pixels;
            const QImage& other = Ink(a, x, y) ? b : a;
            bool near = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    near = near || Ink(other, x + dx, y + dy);
            stray += !near;
        }
    return {pixels, stray};
}

} // namespace

// Lines, boxes, fills, frames and text land on the pixels the rasteriser
// paints; curves, wide pens and diagonals may step a pixel differently.
TEST(CanvasVector, CallsDrawWhereThePictureHasThem)
{
    struct Case {
        const char* what;
        bool exact;
        std::function<void(TCanvas&)> draw;
    } cases[] = {
        {"lines leave out their last pixel", true,
         [](TCanvas& c) {
             c.MoveTo(5, 5);
             c.LineTo(100, 5);
             c.LineTo(100, 70);
             c.Polyline(std::vector<TPoint>{{10, 60}, {60, 60}, {60, 20}});
         }},
        {"rectangles with pen and brush, and without pen", true,
         [](TCanvas& c) {
             c.Brush().SetColor(clYellow);
             c.Rectangle(10, 10, 50, 40);
             c.Pen().SetStyle(psClear);
             c.Brush().SetColor(clBlue);
             c.Rectangle(60, 10, 90, 40);
         }},
        {"fills, frames and a clear brush", true,
         [](TCanvas& c) {
             c.Brush().SetColor(clRed);
             c.FillRect({5, 5, 40, 30});
             c.Brush().SetColor(clGreen);
             c.FrameRect({50, 5, 90, 30});
             c.Brush().SetStyle(bsClear);
             c.FillRect({5, 40, 90, 70});
         }},
        {"clipped and moved drawing", true,
         [](TCanvas& c) {
             c.SetClipRect({20, 20, 70, 60});
             c.MoveWindowOrg(10, 5);
             c.Brush().SetColor(clMaroon);
             c.Rectangle(0, 0, 100, 100);
         }},
        {"text on a solid brush and clipped text", true,
         [](TCanvas& c) {
             c.Font().SetName(QStringLiteral("宋体"));
             c.Font().SetHeight(-12);
             c.Brush().SetColor(clAqua);
             c.TextOut(4, 4, QStringLiteral("组织 Org 12"));
             c.Brush().SetStyle(bsClear);
             c.TextRect({4, 30, 40, 40}, 4, 30, QStringLiteral("裁剪的文字"));
             TRect r{4, 50, 110, 78};
             c.DrawText(QStringLiteral("部门 总经理办公室 工程管理部"), r, DT_WORDBREAK | DT_CENTER);
         }},
        {"ellipses, rounded boxes, polygons and wide pens", false,
         [](TCanvas& c) {
             c.Brush().SetColor(clSilver);
             c.Ellipse(5, 5, 50, 35);
             c.RoundRect(60, 5, 110, 35, 12, 12);
             c.Polygon(std::vector<TPoint>{{10, 45}, {50, 45}, {30, 75}});
             c.Pen().SetWidth(3);
             c.MoveTo(60, 50);
             c.LineTo(110, 70);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage raster = Raster(c.draw), vector = Vector(c.draw);
        EXPECT_FALSE(raster == Raster([](TCanvas&) {})); // something is drawn
        const auto [pixels, stray] = Compare(raster, vector);
        if (c.exact) {
            EXPECT_EQ(pixels, 0);
        }
        EXPECT_EQ(stray, 0);
    }
}
