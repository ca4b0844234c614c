// Block and stretch copies with raster operations; drawing bitmaps.

#include <gtest/gtest.h>

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Canvas.h"
#include "support/Pixels.h"

using namespace canvastest;

namespace {

// A 4 x 4 bitmap: red left half, blue right half, a green pixel at (0, 0).
void paintSource(TBitmap& b)
{
    b.SetSize(4, 4);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clRed);
    c.FillRect({0, 0, 2, 4});
    c.Brush().SetColor(clBlue);
    c.FillRect({2, 0, 4, 4});
    c.SetPixel(0, 0, clLime);
}

} // namespace

TEST(CanvasBlit, shouldCopyBlocks)
{
    TBitmap src;
    paintSource(src);
    QImage img = surface(10, 10);
    TCanvas c(img);
    c.BitBlt(5, 5, 4, 4, &src.Canvas(), 0, 0, SRCCOPY);
    EXPECT_EQ(inkBox(img), Rect(5, 5, 9, 9));
    EXPECT_EQ(at(img, 5, 5), clLime);
    EXPECT_EQ(at(img, 6, 8), clRed);
    EXPECT_EQ(at(img, 7, 5), clBlue);
    // A part of the source, and a source area reaching outside the source.
    img = surface(10, 10);
    c.BitBlt(0, 0, 10, 10, &src.Canvas(), 2, 2, SRCCOPY);
    EXPECT_EQ(inkBox(img), Rect(0, 0, 2, 2));
    EXPECT_EQ(count(img, clBlue), 4);
}

TEST(CanvasBlit, shouldRestoreThePictureAfterTwoXorCopies)
{
    TBitmap src;
    paintSource(src);
    QImage img = surface(10, 10);
    TCanvas c(img);
    c.Brush().SetColor(clYellow);
    c.FillRect({0, 0, 6, 6});
    const QImage before = img.copy();
    c.BitBlt(3, 3, 4, 4, &src.Canvas(), 0, 0, SRCINVERT);
    EXPECT_EQ(at(img, 3, 3), clRed); // yellow xor lime
    EXPECT_NE(img, before);
    c.BitBlt(3, 3, 4, 4, &src.Canvas(), 0, 0, SRCINVERT);
    EXPECT_EQ(img, before);
}

TEST(CanvasBlit, shouldApplyTheNamedRasterOperations)
{
    TBitmap src(1, 1);
    src.Canvas().SetPixel(0, 0, RGBColor(0xF0, 0x0F, 0x33));
    auto run = [&](uint32_t rop, TColor dst) {
        QImage img = surface(1, 1, dst);
        TCanvas c(img);
        c.Brush().SetColor(RGBColor(0x12, 0x34, 0x56));
        c.BitBlt(0, 0, 1, 1, &src.Canvas(), 0, 0, rop);
        return at(img, 0, 0);
    };
    const TColor d = RGBColor(0xAA, 0x55, 0x0F);
    EXPECT_EQ(run(SRCCOPY, d), RGBColor(0xF0, 0x0F, 0x33));
    EXPECT_EQ(run(SRCAND, d), RGBColor(0xA0, 0x05, 0x03));
    EXPECT_EQ(run(SRCPAINT, d), RGBColor(0xFA, 0x5F, 0x3F));
    EXPECT_EQ(run(SRCINVERT, d), RGBColor(0x5A, 0x5A, 0x3C));
    EXPECT_EQ(run(DSTINVERT, d), RGBColor(0x55, 0xAA, 0xF0));
    EXPECT_EQ(run(NOTSRCCOPY, d), RGBColor(0x0F, 0xF0, 0xCC));
    EXPECT_EQ(run(PATCOPY, d), RGBColor(0x12, 0x34, 0x56));
    EXPECT_EQ(run(BLACKNESS, d), clBlack);
    EXPECT_EQ(run(WHITENESS, d), clWhite);
    // The masked-blit operation DSPDxax (0xE20746): source where the mask (dst) is
    // black... here: ((D ^ P) & S) ^ D.
    EXPECT_EQ(run(0x00E20746, d), RGBColor(((0xAA ^ 0x12) & 0xF0) ^ 0xAA, ((0x55 ^ 0x34) & 0x0F) ^ 0x55,
                                           ((0x0F ^ 0x56) & 0x33) ^ 0x0F));
}

TEST(CanvasBlit, shouldInvertAndPaintWithoutSource)
{
    QImage img = surface(6, 6);
    TCanvas c(img);
    c.BitBlt(1, 1, 2, 2, nullptr, 0, 0, DSTINVERT);
    EXPECT_EQ(count(img, clBlack), 4);
    c.BitBlt(1, 1, 2, 2, nullptr, 0, 0, DSTINVERT);
    EXPECT_EQ(count(img, clBlack), 0);
    c.BitBlt(0, 0, 6, 6, nullptr, 0, 0, SRCCOPY); // needs a source: nothing
    EXPECT_EQ(count(img, clWhite), 36);
}

TEST(CanvasBlit, shouldScrollWithinOneSurface)
{
    QImage img = surface(10, 3);
    TCanvas c(img);
    for (int x = 0; x < 10; ++x)
        c.SetPixel(x, 0, RGBColor(x * 10, 0, 0));
    c.BitBlt(2, 0, 8, 1, &c, 0, 0, SRCCOPY); // overlapping copy to the right
    for (int x = 2; x < 10; ++x)
        EXPECT_EQ(at(img, x, 0), RGBColor((x - 2) * 10, 0, 0)) << x;
}

TEST(CanvasBlit, shouldStretchToTheDestinationSize)
{
    TBitmap src;
    paintSource(src);
    QImage img = surface(12, 12);
    TCanvas c(img);
    c.StretchBlt(0, 0, 8, 8, &src.Canvas(), 0, 0, 4, 4, SRCCOPY);
    EXPECT_EQ(inkBox(img), Rect(0, 0, 8, 8));
    EXPECT_EQ(count(img, clLime), 4);
    EXPECT_EQ(count(img, clRed), 28);
    EXPECT_EQ(count(img, clBlue), 32);
    // Shrinking.
    img = surface(12, 12);
    c.StretchBlt(0, 0, 2, 2, &src.Canvas(), 0, 0, 4, 4, SRCCOPY);
    EXPECT_EQ(inkBox(img), Rect(0, 0, 2, 2));
    EXPECT_EQ(at(img, 0, 1), clRed);
    EXPECT_EQ(at(img, 1, 1), clBlue);
    // A negative width mirrors.
    img = surface(12, 12);
    c.StretchBlt(4, 0, -4, 4, &src.Canvas(), 0, 0, 4, 4, SRCCOPY);
    EXPECT_EQ(at(img, 3, 0), clLime);
    EXPECT_EQ(at(img, 0, 0), clBlue);
}

TEST(CanvasBlit, shouldCopyRectsWithTheCopyMode)
{
    TBitmap src;
    paintSource(src);
    QImage img = surface(12, 12);
    TCanvas c(img);
    c.CopyRect({0, 0, 6, 3}, src.Canvas(), {1, 1, 3, 2});
    EXPECT_EQ(inkBox(img), Rect(0, 0, 6, 3));
    EXPECT_EQ(count(img, clRed), 9);
    EXPECT_EQ(count(img, clBlue), 9);
    c.SetCopyMode(cmDstInvert);
    c.CopyRect({0, 0, 6, 3}, src.Canvas(), {1, 1, 3, 2});
    EXPECT_EQ(at(img, 0, 0), RGBColor(0, 255, 255));
}

TEST(CanvasBlit, shouldDrawBitmapsOpaqueOrTransparent)
{
    TBitmap src;
    paintSource(src);
    QImage img = surface(10, 10, clYellow);
    TCanvas c(img);
    c.Draw(1, 1, src);
    EXPECT_EQ(inkBox(img, clYellow), Rect(1, 1, 5, 5));
    img = surface(10, 10, clYellow);
    src.SetTransparent(true); // tmAuto: the bottom-left pixel (red) is transparent
    EXPECT_EQ(src.TransparentColor(), clRed);
    c.Draw(1, 1, src);
    EXPECT_EQ(count(img, clRed), 0);
    EXPECT_EQ(count(img, clBlue), 8);
    EXPECT_EQ(at(img, 1, 1), clLime);
    src.SetTransparentColor(clBlue);
    img = surface(10, 10, clYellow);
    c.StretchDraw({0, 0, 8, 8}, src);
    EXPECT_EQ(count(img, clBlue), 0);
    EXPECT_EQ(count(img, clRed), 28);
}

TEST(CanvasBlit, shouldBlendImagesWithAlpha)
{
    QImage icon(4, 4, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    icon.setPixel(1, 1, qRgba(255, 0, 0, 255));
    QImage img = surface(6, 6);
    TCanvas c(img);
    c.DrawImage(1, 1, icon);
    EXPECT_EQ(count(img, clRed), 1);
    EXPECT_EQ(at(img, 2, 2), clRed);
}

// ---- TBitmap ------------------------------------------------------------------------------

TEST(Bitmap, shouldKeepThePictureWhenResized)
{
    TBitmap b;
    EXPECT_TRUE(b.Empty());
    b.SetSize(3, 3);
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    EXPECT_EQ(b.Image().format(), QImage::Format_RGB32);
    b.Canvas().SetPixel(2, 2, clRed);
    b.SetSize(5, 4);
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.Height(), 4);
    EXPECT_EQ(b.Canvas().Pixels(2, 2), clRed);
    EXPECT_EQ(b.Canvas().Pixels(4, 3), clWhite);
    EXPECT_EQ(b.Canvas().ClipRect(), Rect(0, 0, 5, 4));
    b.Canvas().Brush().SetColor(clBlue);
    b.Canvas().FillRect({0, 0, 100, 100});
    EXPECT_EQ(b.ScanLine(3)[4] & 0xFFFFFFu, 0x0000FFu);
    EXPECT_EQ(b.ScanLine(4), nullptr);
    b.SetWidth(-3);
    EXPECT_TRUE(b.Empty());
    b.Canvas().FillRect({0, 0, 10, 10}); // no surface: nothing, no crash
}

TEST(Bitmap, shouldHoldThirtyTwoBitPictures)
{
    TBitmap b(2, 2, pf32bit);
    EXPECT_EQ(b.PixelFormat(), pf32bit);
    EXPECT_EQ(b.Image().format(), QImage::Format_ARGB32);
    b.Canvas().Brush().SetColor(clRed);
    b.Canvas().FillRect({0, 0, 2, 2});
    EXPECT_EQ(b.ScanLine(0)[0], 0xFFFF0000u);
    b.SetPixelFormat(pf24bit);
    EXPECT_EQ(b.Image().format(), QImage::Format_RGB32);
    EXPECT_EQ(b.Canvas().Pixels(1, 1), clRed);
    TBitmap copy;
    copy.Assign(&b);
    EXPECT_EQ(copy.Canvas().Pixels(1, 1), clRed);
    EXPECT_EQ(copy.Width(), 2);
}

// A 32-bit source's alpha never reaches the target: every copied pixel comes
// out opaque, whatever the row length and where in the row the copy starts.
TEST(CanvasBlit, shouldCopyThirtyTwoBitPicturesOpaque)
{
    for (int width : {1, 3, 4, 7, 9}) {
        TBitmap b(width + 1, 2, pf32bit);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x <= width; ++x)
                b.ScanLine(y)[x] = (uint32_t(x * 40) << 24) | uint32_t(0x10203 * (x + 1) + y);
        QImage img = surface(12, 3);
        TCanvas c(img);
        c.BitBlt(1, 1, width, 2, &b.Canvas(), 1, 0, SRCCOPY);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 12; ++x) {
                const bool inside = x >= 1 && x <= width && y >= 1;
                const QRgb want = inside ? (b.ScanLine(y - 1)[x] | 0xFF000000u) : img.pixel(0, 0);
                EXPECT_EQ(img.pixel(x, y), want) << width << " at " << x << "," << y;
            }
    }
}

// The checkerboard is the picture of one SetPixel per pixel, whatever the
// origin's parity, the clip and the part of the area outside the surface.
TEST(CanvasBlit, shouldFillTheCheckerboardAsPixelByPixel)
{
    struct Case {
        const char* name;
        int orgX, orgY;
        TRect area;
    };
    const Case cases[] = {
        {"inside", 0, 0, {2, 3, 17, 11}},
        {"odd origin", 1, 0, {0, 0, 20, 20}},
        {"past every edge", -3, 2, {-5, -5, 30, 30}},
        {"empty", 0, 0, {8, 8, 8, 12}},
    };
    for (const Case& k : cases) {
        QImage byPixel = surface(20, 20), byFill = surface(20, 20);
        TCanvas p(byPixel), f(byFill);
        for (TCanvas* c : {&p, &f}) {
            c->MoveWindowOrg(k.orgX, k.orgY);
            c->ExcludeClipRect({6, 6, 9, 9});
        }
        for (int y = k.area.Top; y < k.area.Bottom; ++y)
            for (int x = k.area.Left; x < k.area.Right; ++x)
                p.SetPixel(x, y, ((x + y) & 1) ? clBlue : clYellow);
        f.FillCheckerboard(k.area, clYellow, clBlue);
        EXPECT_EQ(byFill, byPixel) << k.name;
    }
}
