#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "chrome/gradients/Gradient.h"
#include "platform/canvas/CanvasTypes.h"
#include "support/PixelChecks.h"
#include "support/Pixels.h"

namespace {

using canvastest::surface;

// The gradient drawn alone on a surface of its own size.
QImage Rendered(TGradient& g, int w, int h, TColor ground = clRed)
{
    QImage img = surface(w, h, ground);
    TCanvas canvas(img);
    g.Draw(&canvas, {0, 0, w, h});
    return img;
}

TGradient& Styled(TGradient& g, TGradientStyle style)
{
    g.SetDrawStyle(style);
    return g;
}

int MaxChannelDistance(TColor a, TColor b)
{
    const uint32_t x = ColorToRGB(a), y = ColorToRGB(b);
    return std::max({std::abs(GetRValue(x) - GetRValue(y)), std::abs(GetGValue(x) - GetGValue(y)),
                     std::abs(GetBValue(x) - GetBValue(y))});
}

// Hand-computed entries of the default ramp, white to $00DFC8B7.
const TColor White = RGBColor(255, 255, 255);
const TColor End = RGBColor(183, 200, 223);

} // namespace

// ---- Colour table -------------------------------------------------------------

TEST(GradientTable, LinearRampStartsTwiceAndEndsAtTheEndColour)
{
    TGradient g;
    EXPECT_EQ(g.TableEntry(0), White);
    EXPECT_EQ(g.TableEntry(1), White);
    EXPECT_EQ(g.TableEntry(12), RGBColor(252, 253, 254));
    EXPECT_EQ(g.TableEntry(101), RGBColor(227, 233, 242));
    EXPECT_EQ(g.TableEntry(128), RGBColor(219, 228, 239));
    EXPECT_EQ(g.TableEntry(156), RGBColor(211, 222, 236));
    EXPECT_EQ(g.TableEntry(240), RGBColor(188, 203, 225));
    EXPECT_EQ(g.TableEntry(255), End); // 254/255 of the way rounds onto the end here
    EXPECT_THROW(g.TableEntry(256), EListError);
    EXPECT_THROW(g.TableEntry(-1), EListError);
}

TEST(GradientTable, SymmetricRampRunsThereAndBack)
{
    TGradient g;
    g.SetDrawStyle(gtVerticalToCenter);
    EXPECT_EQ(g.TableEntry(0), White);
    EXPECT_EQ(g.TableEntry(1), White);
    EXPECT_EQ(g.TableEntry(64), RGBColor(219, 228, 239));
    EXPECT_EQ(g.TableEntry(127), RGBColor(184, 200, 223));
    EXPECT_EQ(g.TableEntry(128), End);
    EXPECT_EQ(g.TableEntry(129), RGBColor(184, 200, 223));
    EXPECT_EQ(g.TableEntry(255), White);
    g.SetDrawStyle(gtHorizontalToCenter);
    EXPECT_EQ(g.TableEntry(128), End);
}

TEST(GradientTable, InverseDirectionAndSystemColours)
{
    TGradient g;
    g.SetDirection(gdInverse);
    EXPECT_EQ(g.TableEntry(0), End);
    EXPECT_EQ(g.TableEntry(255), White);
    // A system colour ramps from its resolved value, not from its palette number.
    g.SetBeginColor(clBtnFace);
    EXPECT_EQ(g.TableEntry(255), Rgb(clBtnFace));
}

// ---- Figures ---------------------------------------------------------------------

TEST(GradientRender, TitleStripRowsKeepTheLastBandStartingOnThem)
{
    TGradient g;
    const QImage img = Rendered(g, 100, 22);
    EXPECT_EQ(At(img, 0, 0), g.TableEntry(12));
    EXPECT_EQ(At(img, 99, 0), g.TableEntry(12));
    EXPECT_EQ(At(img, 50, 10), g.TableEntry(128));
    EXPECT_EQ(At(img, 50, 21), g.TableEntry(255));
    for (int y = 0; y < 22; ++y)
        EXPECT_EQ(At(img, 0, y), At(img, 99, y)) << "row " << y;
}

TEST(GradientRender, BandStylesAcrossAndDown)
{
    TGradient g;
    // 255 wide: one-pixel steps, two-pixel bands, so column c shows band c + 1.
    QImage img = Rendered(Styled(g, gtLeftToRight), 255, 5);
    EXPECT_EQ(At(img, 0, 2), White);
    EXPECT_EQ(At(img, 100, 2), g.TableEntry(101));
    EXPECT_EQ(At(img, 254, 0), End);

    img = Rendered(Styled(g, gtVerticalToCenter), 5, 255);
    ExpectPixels(img, {{2, 0, White}, {2, 127, End}, {2, 254, White}});

    img = Rendered(Styled(g, gtHorizontalToCenter), 255, 5);
    EXPECT_EQ(At(img, 127, 4), End);
    EXPECT_EQ(At(img, 254, 4), White);
}

TEST(GradientRender, CornerStylesEndInTheNamedCorner)
{
    TGradient g;
    // 255 x 255: L-shaped bands two pixels thick stepping one pixel per entry.
    QImage img = Rendered(Styled(g, gtCornerTopLeft), 255, 255);
    EXPECT_EQ(At(img, 0, 0), End);
    EXPECT_EQ(At(img, 100, 20), g.TableEntry(156));
    EXPECT_EQ(At(img, 20, 100), g.TableEntry(156));
    EXPECT_EQ(At(img, 254, 254), g.TableEntry(2));

    const struct {
        TGradientStyle style;
        int x, y;
    } corners[] = {{gtCornerTopRight, 254, 0}, {gtCornerBottomRight, 254, 254}, {gtCornerBottomLeft, 0, 254}};
    // Counted from the far side, the last band starts at the edge itself and
    // falls outside; the corner keeps the one before it.
    for (const auto& c : corners) {
        img = Rendered(Styled(g, c.style), 255, 255);
        EXPECT_EQ(At(img, c.x, c.y), g.TableEntry(254)) << int(c.style);
        EXPECT_LE(MaxChannelDistance(At(img, 254 - c.x, 254 - c.y), White), 1) << int(c.style);
    }
}

TEST(GradientRender, DiagonalsRunBetweenOppositeCorners)
{
    TGradient g;
    QImage img = Rendered(Styled(g, gtDiagonalFalling), 127, 127);
    EXPECT_EQ(At(img, 0, 0), White);
    EXPECT_LE(MaxChannelDistance(At(img, 126, 126), End), 1);
    EXPECT_LE(MaxChannelDistance(At(img, 126, 0), At(img, 0, 126)), 1); // the middle strip

    img = Rendered(Styled(g, gtDiagonalRising), 127, 127);
    EXPECT_EQ(At(img, 0, 126), White);
    EXPECT_LE(MaxChannelDistance(At(img, 126, 0), End), 1);
    EXPECT_LE(MaxChannelDistance(At(img, 0, 0), At(img, 126, 126)), 1);
}

TEST(GradientRender, EllipseLeavesTheOutsideTransparent)
{
    TGradient g;
    QImage img = Rendered(Styled(g, gtEllipse), 40, 40);
    EXPECT_EQ(At(img, 0, 0), clRed);
    EXPECT_EQ(At(img, 39, 20), clRed); // the last column is never reached
    EXPECT_EQ(At(img, 20, 39), clRed);
    // Innermost ring: k = 17 of m = 18, entry trunc(17 * 255 / 18).
    EXPECT_EQ(At(img, 20, 20), g.TableEntry(240));

    // Narrower than 8 pixels: no ring at all.
    img = Rendered(g, 7, 30);
    EXPECT_EQ(canvastest::inkBox(img, clRed), TRect{});
}

TEST(GradientRender, PyramidRunsFromTopLeftToBottomRight)
{
    TGradient g;
    const QImage img = Rendered(Styled(g, gtPyramid), 60, 40);
    EXPECT_EQ(At(img, 0, 0), White);
    EXPECT_LE(MaxChannelDistance(At(img, 59, 39), End), 2);
}

TEST(GradientRender, EveryStyleCoversItsAreaWithRampColours)
{
    // With a begin colour that is no ramp colour, any gap shows as a foreign pixel.
    TGradient g;
    g.SetBeginColor(clBlue);
    g.SetEndColor(clLime);
    for (int style = gtCornerTopLeft; style <= gtTopToBottom; ++style) {
        if (style == gtEllipse)
            continue;
        g.SetDrawStyle(TGradientStyle(style));
        std::set<TColor> ramp;
        for (int i = 0; i < 256; ++i)
            ramp.insert(g.TableEntry(i));
        for (auto [w, h] : {std::pair{37, 23}, std::pair{300, 200}, std::pair{1, 1}}) {
            const QImage img = Rendered(g, w, h, clRed);
            int foreign = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    foreign += ramp.count(At(img, x, y)) == 0;
            EXPECT_EQ(foreign, 0) << GradientStyleNames()[size_t(style)] << " " << w << "x" << h;
        }
    }
}

// ---- Parameters and cache -------------------------------------------------------------

TEST(GradientCache, SameSizeCopiesWithoutRendering)
{
    TGradient g;
    QImage img = surface(300, 100, clRed);
    TCanvas canvas(img);
    g.Draw(&canvas, {0, 0, 100, 22});
    EXPECT_EQ(g.RenderCount(), 1);
    EXPECT_EQ(g.CacheRect(), (TRect{0, 0, 100, 22}));
    g.Draw(&canvas, {150, 50, 250, 72}); // moved, same size
    EXPECT_EQ(g.RenderCount(), 1);
    EXPECT_EQ(At(img, 150, 50), g.TableEntry(12));
    ExpectPixels(img, {{249, 71, End}, {250, 50, clRed}, {149, 50, clRed}});

    g.Draw(&canvas, {0, 0, 100, 23}); // new size
    EXPECT_EQ(g.RenderCount(), 2);
    EXPECT_EQ(g.Bitmap().Height(), 23);
    EXPECT_EQ(g.Bitmap().PixelFormat(), pf32bit);

    // Pre-rendering without a canvas fills the cache for the next paint.
    g.Draw(nullptr, {0, 0, 80, 80});
    EXPECT_EQ(g.RenderCount(), 3);
    g.Draw(&canvas, {10, 10, 90, 90});
    EXPECT_EQ(g.RenderCount(), 3);
    EXPECT_EQ(At(img, 10, 10), At(img, 89, 10));
}

TEST(GradientCache, ParameterChangesRenderAgainAndNotify)
{
    TGradient g;
    int notices = 0;
    g.OnChangeParameter = TNotifyEvent([&](TObject* sender) {
        EXPECT_EQ(sender, &g);
        ++notices;
    });
    g.Draw(nullptr, {0, 0, 50, 50});
    // A colour set to its own value still counts as a change.
    g.SetBeginColor(g.BeginColor());
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(g.CacheRect(), TRect{});
    g.Draw(nullptr, {0, 0, 50, 50});
    EXPECT_EQ(g.RenderCount(), 2);

    g.SetDrawStyle(gtTopToBottom); // unchanged: nothing
    g.SetDirection(gdNormal);
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(g.CacheRect(), (TRect{0, 0, 50, 50}));

    g.SetEndColor(clNavy);
    g.SetDrawStyle(gtPyramid);
    g.SetDirection(gdInverse);
    EXPECT_EQ(notices, 4);
    g.Draw(nullptr, {0, 0, 50, 50});
    EXPECT_EQ(g.RenderCount(), 3);

    EXPECT_THROW(g.SetColor(3, clRed), EInvalidOperation);
    EXPECT_THROW(g.SetDrawStyle(TGradientStyle(12)), EInvalidOperation);
    EXPECT_THROW(g.SetDirection(TGradientDirection(2)), EInvalidOperation);
    EXPECT_EQ(notices, 4);
}

TEST(GradientCache, GradientsOfOnePictureShareItsRendering)
{
    TGradient a, b;
    a.Draw(nullptr, {0, 0, 60, 30});
    b.Draw(nullptr, {10, 10, 70, 40});
    EXPECT_EQ(&a.Bitmap(), &b.Bitmap());
    EXPECT_EQ(b.RenderCount(), 1);
    const QImage first = Rendered(a, 60, 30);

    // Anything that changes the picture finds a rendering of its own; the
    // shared one stays as it was.
    struct Change {
        const char* what;
        void (*apply)(TGradient&);
    };
    const Change changes[] = {
        {"end colour", [](TGradient& g) { g.SetEndColor(clNavy); }},
        {"style", [](TGradient& g) { g.SetDrawStyle(gtLeftToRight); }},
        {"direction", [](TGradient& g) { g.SetDirection(gdInverse); }},
    };
    for (const Change& change : changes) {
        TGradient c;
        change.apply(c);
        c.Draw(nullptr, {0, 0, 60, 30});
        EXPECT_NE(&c.Bitmap(), &a.Bitmap()) << change.what;
        EXPECT_NE(Rendered(c, 60, 30), first) << change.what;
    }
    TGradient other;
    other.Draw(nullptr, {0, 0, 60, 31});
    EXPECT_NE(&other.Bitmap(), &a.Bitmap());
    EXPECT_EQ(Rendered(b, 60, 30), first);

    // A parameter set back to its value finds the shared picture again.
    b.SetEndColor(clNavy);
    b.SetEndColor(TGradient::DefaultEndColor);
    b.Draw(nullptr, {0, 0, 60, 30});
    EXPECT_EQ(&a.Bitmap(), &b.Bitmap());
}

TEST(GradientCache, SharedRenderingsAreBounded)
{
    // Sizes by the dozen, as a dragged splitter makes them: the old ones are let
    // go, and a size drawn again is still right.
    TGradient g;
    const QImage first = Rendered(g, 1000, 500);
    for (int w = 1001; w < 1040; ++w)
        g.Draw(nullptr, {0, 0, w, 500});
    EXPECT_EQ(Rendered(g, 1000, 500), first);
    TGradient h;
    EXPECT_EQ(Rendered(h, 1000, 500), first);
}

TEST(GradientCache, EmptyRectanglesDrawNothing)
{
    TGradient g;
    QImage img = surface(20, 20, clRed);
    TCanvas canvas(img);
    g.Draw(&canvas, {5, 5, 5, 15});
    g.Draw(&canvas, {10, 10, 0, 0}); // reversed: zero size
    g.Draw(&canvas, {0, 0, 0, 0});
    g.Draw(&canvas, {INT_MIN, 0, INT_MAX, 0}); // wider than an int, but empty
    EXPECT_EQ(canvastest::inkBox(img, clRed), TRect{});
    EXPECT_TRUE(g.Bitmap().Empty());
    // An absurd area is refused instead of swallowing memory; the cache is untouched.
    const TRect cached = g.CacheRect();
    EXPECT_THROW(g.Draw(&canvas, {-2000000000, 0, 2000000000, 10}), EInvalidOperation);
    EXPECT_THROW(g.Draw(nullptr, {0, 0, 40000, 40000}), EInvalidOperation);
    EXPECT_EQ(g.CacheRect(), cached);
    // Within the area but wider than a bitmap may be: refused too, and the
    // last picture still goes with its size.
    g.Draw(&canvas, {0, 0, 20, 20});
    EXPECT_THROW(g.Draw(&canvas, {0, 0, 40000, 1}), EInvalidOperation);
    EXPECT_EQ(g.CacheRect(), (TRect{0, 0, 20, 20}));
    EXPECT_EQ(g.Bitmap().Width(), 20);
    img = surface(20, 20, clRed);
    TCanvas again(img);
    g.Draw(&again, {0, 0, 20, 20});
    EXPECT_EQ(canvastest::inkBox(img, clRed), (TRect{0, 0, 20, 20}));
}

TEST(GradientAssign, CopiesColoursAndStyleButNotDirection)
{
    TGradient source;
    source.SetBeginColor(clYellow);
    source.SetEndColor(clNavy);
    source.SetDrawStyle(gtEllipse);
    source.SetDirection(gdInverse);
    TGradient target;
    int notices = 0;
    target.OnChangeParameter = TNotifyEvent([&](TObject*) { ++notices; });
    target.Draw(nullptr, {0, 0, 10, 10});
    target.Assign(&source);
    EXPECT_EQ(target.BeginColor(), clYellow);
    EXPECT_EQ(target.EndColor(), clNavy);
    EXPECT_EQ(target.DrawStyle(), gtEllipse);
    EXPECT_EQ(target.Direction(), gdNormal);
    EXPECT_EQ(target.TableEntry(0), clYellow);
    EXPECT_EQ(target.CacheRect(), TRect{});
    EXPECT_EQ(notices, 1);

    TPen pen;
    EXPECT_THROW(target.Assign(&pen), EConvertError);
    EXPECT_THROW(pen.Assign(&target), EConvertError);
}
