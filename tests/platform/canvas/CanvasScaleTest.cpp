// Drawing at twice the resolution (a screen at 200 %): shapes are the scale-1
// picture enlarged pixel for pixel, text is drawn at the enlarged size, and
// everything measured or read back stays in logical pixels.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <utility>

#include <QRegion>

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/Form.h"
#include "support/Controls.h"
#include "support/Pixels.h"

using namespace canvastest;

namespace {

constexpr int W = 40, H = 30;

// Each pixel of img as a k x k block.
QImage Enlarged(const QImage& img, int k)
{
    QImage out(img.width() * k, img.height() * k, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            out.setPixel(x, y, img.pixel(x / k, y / k) | 0xFF000000u);
    return out;
}

// The first pixel (as "x,y") where the two pictures differ, or "" when equal.
std::string FirstDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return "size";
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF))
                return std::to_string(x) + "," + std::to_string(y);
    return "";
}

// Whether some 2 x 2 block at an even position is not of one colour: detail
// that enlarging a picture cannot make.
bool HasFinerDetail(const QImage& img)
{
    for (int y = 0; y + 1 < img.height(); y += 2)
        for (int x = 0; x + 1 < img.width(); x += 2) {
            const QRgb p = img.pixel(x, y);
            if (img.pixel(x + 1, y) != p || img.pixel(x, y + 1) != p || img.pixel(x + 1, y + 1) != p)
                return true;
        }
    return false;
}

// A picture of the logical size drawn at scale k.
QImage Drawn(int k, const std::function<void(TCanvas&)>& draw, int w = W, int h = H)
{
    QImage img = surface(w * k, h * k);
    TCanvas c(img);
    c.SetScale(k);
    draw(c);
    return img;
}

// Stripes under every drawing, so that mix modes and copies meet more than one colour.
void Background(TCanvas& c)
{
    const TColor colours[] = {clWhite, clSilver, clNavy, clYellow, clTeal};
    for (int i = 0; i < 8; ++i) {
        c.Brush().SetColor(colours[i % 5]);
        c.FillRect({i * 5, 0, i * 5 + 5, H});
    }
    c.Brush().SetColor(clWhite);
}

struct ShapeCase {
    const char* name;
    std::function<void(TCanvas&)> draw;
};

const ShapeCase kShapes[] = {
    {"line",
     [](TCanvas& c) {
         c.MoveTo(2, 3);
         c.LineTo(37, 21);
         c.LineTo(5, 28);
     }},
    {"dashedLineWithSolidGaps",
     [](TCanvas& c) {
         c.Pen().SetStyle(psDashDot);
         c.Brush().SetColor(clRed);
         c.MoveTo(1, 2);
         c.LineTo(39, 27);
     }},
    {"xorLine",
     [](TCanvas& c) {
         c.Pen().SetMode(pmXor);
         c.Pen().SetColor(clYellow);
         c.MoveTo(0, 15);
         c.LineTo(40, 5);
     }},
    {"fillRect",
     [](TCanvas& c) {
         c.Brush().SetColor(clMaroon);
         c.FillRect({3, 4, 30, 25});
     }},
    {"hatchedRectangle",
     [](TCanvas& c) {
         c.Brush().SetStyle(bsDiagCross);
         c.Brush().SetColor(clRed);
         c.Rectangle(2, 2, 38, 28);
     }},
    {"ellipse",
     [](TCanvas& c) {
         c.Brush().SetColor(clLime);
         c.Ellipse(4, 3, 35, 27);
     }},
    {"notEllipse",
     [](TCanvas& c) {
         c.Pen().SetMode(pmNot);
         c.Ellipse(6, 1, 31, 20);
     }},
    {"roundRectWithWidePen",
     [](TCanvas& c) {
         c.Pen().SetWidth(3);
         c.RoundRect(3, 3, 36, 26, 10, 8);
     }},
    {"windingPolygon",
     [](TCanvas& c) {
         c.SetPolyFillMode(WINDING);
         c.Brush().SetColor(clBlue);
         c.Polygon({Point(20, 1), Point(30, 28), Point(3, 10), Point(37, 10), Point(9, 28)});
     }},
    {"frameAndFocusRect",
     [](TCanvas& c) {
         c.Brush().SetColor(clRed);
         c.FrameRect({1, 1, 39, 29});
         c.DrawFocusRect({6, 6, 33, 22});
     }},
    {"pixels",
     [](TCanvas& c) {
         for (int i = 0; i < 12; ++i)
             c.SetPixel(i * 3, i * 2, clFuchsia);
     }},
    {"checkerboard",
     [](TCanvas& c) {
         c.MoveWindowOrg(3, 0);
         c.FillCheckerboard({2, 3, 31, 17}, clRed, clLime);
     }},
    {"blitsOnOneSurface",
     [](TCanvas& c) {
         c.BitBlt(5, 5, 20, 12, &c, 0, 0, SRCCOPY);
         c.BitBlt(12, 10, 20, 15, &c, 3, 2, SRCINVERT);
         c.Brush().SetColor(clAqua);
         c.BitBlt(0, 20, 40, 5, nullptr, 0, 0, PATINVERT);
         c.StretchBlt(30, 0, 10, 10, &c, 0, 0, 20, 5, SRCCOPY);
     }},
    {"bitmapOfScaleOne",
     [](TCanvas& c) {
         TBitmap b(9, 7);
         b.Canvas().Brush().SetColor(clRed);
         b.Canvas().Ellipse(0, 0, 9, 7);
         c.Draw(3, 4, b);
         b.SetTransparent(true);
         c.StretchDraw({20, 10, 38, 24}, b);
     }},
    {"movedWindowOrigin",
     [](TCanvas& c) {
         c.MoveWindowOrg(7, -3);
         c.Brush().SetColor(clGreen);
         c.FillRect({0, 0, 10, 10});
         c.Rectangle(20, 10, 30, 20);
     }},
};

struct ClipCase {
    const char* name;
    std::function<void(TCanvas&)> set;
};

const ClipCase kClips[] = {
    {"none", [](TCanvas&) {}},
    {"rect", [](TCanvas& c) { c.SetClipRect({5, 5, 30, 20}); }},
    {"excluded", [](TCanvas& c) { c.ExcludeClipRect({10, 8, 21, 17}); }},
    {"region", [](TCanvas& c) { c.SelectClipRegion(QRegion(0, 0, 13, 30) + QRegion(20, 6, 15, 9)); }},
};

} // namespace

class CanvasAtScaleTwo : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(CanvasAtScaleTwo, shouldGiveTheScaleOnePictureEnlargedUnderEveryClip)
{
    for (const ClipCase& clip : kClips) {
        auto draw = [&](TCanvas& c) {
            Background(c);
            clip.set(c);
            GetParam().draw(c);
        };
        const QImage one = Drawn(1, draw), two = Drawn(2, draw);
        EXPECT_EQ(FirstDifference(two, Enlarged(one, 2)), "") << "clip " << clip.name;
        EXPECT_NE(FirstDifference(one, Drawn(1, Background)), "") << "draws something, clip " << clip.name;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, CanvasAtScaleTwo, ::testing::ValuesIn(kShapes),
                         [](const auto& p) { return std::string(p.param.name); });

// ---- reading back and measuring --------------------------------------------------------

TEST(CanvasScale, shouldReadPixelsAndClipInLogicalPixels)
{
    QImage img = surface(2 * W, 2 * H);
    TCanvas c(img);
    c.SetScale(2);
    c.Brush().SetColor(clRed);
    c.FillRect({10, 10, 11, 11});
    EXPECT_EQ(c.Pixels(10, 10), clRed);
    EXPECT_EQ(c.Pixels(11, 10), clWhite);
    EXPECT_EQ(c.Pixels(W - 1, H - 1), clWhite);
    EXPECT_EQ(c.Pixels(W, 0), CLR_INVALID);
    EXPECT_EQ(count(img, clRed), 4);
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, W, H));
    c.IntersectClipRect({5, 6, 100, 100});
    EXPECT_EQ(c.ClipRect(), Rect(5, 6, W, H));
    EXPECT_EQ(c.Pixels(4, 6), CLR_INVALID);
    EXPECT_TRUE(c.RectVisible({38, 28, 45, 45}));
    EXPECT_FALSE(c.RectVisible({W, 0, W + 5, 5}));
    c.SetScale(99); // clamped
    EXPECT_EQ(c.Scale(), TCanvas::kMaxScale);
}

struct FontCase {
    const char* face;
    int height;
    TFontStyles style;
};

const FontCase kFonts[] = {{"宋体", -12, 0}, {"Tahoma", -11, fsBold}, {"Tahoma", 14, fsUnderline}, {"Arial", -13, 0}};
const QString kTexts[] = {QStringLiteral("组织机构"), QStringLiteral("Rights 权限 0123"), QStringLiteral("Wj&y")};

TEST(CanvasScale, shouldMeasureTextAlikeAtEveryScale)
{
    for (const FontCase& f : kFonts) {
        QImage one = surface(200, 40), two = surface(400, 80);
        TCanvas a(one), b(two);
        b.SetScale(2);
        for (TCanvas* c : {&a, &b}) {
            c->Font().SetName(QString::fromUtf8(f.face));
            c->Font().SetHeight(f.height);
            c->Font().SetStyle(f.style);
        }
        for (const QString& t : kTexts) {
            EXPECT_EQ(a.TextExtent(t), b.TextExtent(t)) << f.face << " " << t.toStdString();
            TRect ra{0, 0, 60, 0}, rb{0, 0, 60, 0};
            a.DrawText(t, ra, DT_CALCRECT | DT_WORDBREAK);
            b.DrawText(t, rb, DT_CALCRECT | DT_WORDBREAK);
            EXPECT_EQ(ra, rb) << f.face << " " << t.toStdString();
            b.TextOut(5, 5, t);
            EXPECT_EQ(b.PenPos(), Point(5 + a.TextWidth(t), 5));
        }
        EXPECT_EQ(a.TextMetrics().Height, b.TextMetrics().Height);
    }
}

TEST(CanvasScale, shouldDrawTextAtTheEnlargedSizeInsideItsScaledCell)
{
    for (const FontCase& f : kFonts) {
        const QString text = kTexts[1];
        TRect cell;
        auto draw = [&](TCanvas& c) {
            c.Font().SetName(QString::fromUtf8(f.face));
            c.Font().SetHeight(f.height);
            c.Font().SetStyle(f.style);
            c.Brush().SetStyle(bsClear);
            c.TextOut(4, 3, text);
            cell = Bounds(4, 3, c.TextWidth(text), c.TextHeight(text));
        };
        const QImage one = Drawn(1, draw, 160, 30), two = Drawn(2, draw, 160, 30);
        EXPECT_NE(FirstDifference(two, Enlarged(one, 2)), "") << f.face;
        EXPECT_TRUE(HasFinerDetail(two)) << f.face;
        const TRect ink = inkBox(two);
        ASSERT_FALSE(ink.IsEmpty()) << f.face;
        EXPECT_TRUE(contains(Rect(cell.Left * 2, cell.Top * 2, cell.Right * 2, cell.Bottom * 2), ink))
            << f.face << " ink " << ink.Left << "," << ink.Top << "," << ink.Right << "," << ink.Bottom;
    }
}

// Columns [first, last + 1) inked in with but not in without; {0, 0} for none.
std::pair<int, int> NewInk(const QImage& with, const QImage& without)
{
    int first = with.width(), last = -1;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y))
                first = std::min(first, x), last = std::max(last, x);
    return last < 0 ? std::pair{0, 0} : std::pair{first, last + 1};
}

TEST(CanvasScale, shouldPlaceEachEnlargedGlyphWhereTheScaleOneGlyphIs)
{
    // The enlarged face's glyphs are not the small face's enlarged (the Song
    // face's small sizes are hand-drawn), yet the 200 % picture keeps the 100 %
    // layout: each character's ink is centred on its scale-1 ink enlarged, to
    // half a target pixel, so no gap opens after "0." and the margins stay.
    const FontCase fonts[] = {{"宋体", -12, 0}, {"Tahoma", -11, 0}, {"Tahoma", -11, fsBold}, {"Arial", -13, 0}};
    const QString texts[] = {QStringLiteral("0.总经理"), QStringLiteral("塔维克建筑"), QStringLiteral("Rights 权限 0123")};
    for (const FontCase& f : fonts)
        for (const QString& text : texts) {
            auto drawn = [&](int k, const QString& part) {
                return Drawn(
                    k,
                    [&](TCanvas& c) {
                        c.Font().SetName(QString::fromUtf8(f.face));
                        c.Font().SetHeight(f.height);
                        c.Font().SetStyle(f.style);
                        c.Brush().SetStyle(bsClear);
                        c.TextOut(4, 3, part);
                    },
                    120, 24);
            };
            QImage one = drawn(1, {}), two = drawn(2, {});
            for (qsizetype i = 1; i <= text.size(); ++i) {
                SCOPED_TRACE(std::string(f.face) + " " + text.left(i).toStdString());
                const QImage nextOne = drawn(1, text.left(i)), nextTwo = drawn(2, text.left(i));
                const auto [a0, a1] = NewInk(nextOne, one);
                const auto [b0, b1] = NewInk(nextTwo, two);
                one = nextOne, two = nextTwo;
                if (a1 == a0)
                    continue; // a space
                ASSERT_GT(b1, b0);
                EXPECT_LE(std::abs((b0 + b1) - 2 * (a0 + a1)), 1) << "scale 1 ink " << a0 << ".." << a1
                                                                    << ", scale 2 ink " << b0 << ".." << b1;
            }
            const TRect small = inkBox(one), large = inkBox(two);
            EXPECT_GE(large.Left, 2 * small.Left - 1) << f.face << " " << text.toStdString();
            EXPECT_LE(large.Right, 2 * small.Right + 1) << f.face << " " << text.toStdString();
        }
}

TEST(CanvasScale, shouldKeepTextInsideTheScaledClip)
{
    const TRect r{10, 2, 37, 9}; // cuts through the glyphs
    auto kinds = std::vector<std::function<void(TCanvas&)>>{
        [&](TCanvas& c) { c.TextRect(r, 6, 1, QStringLiteral("组织机构权限")); },
        [&](TCanvas& c) {
            TRect d = r;
            c.DrawText(QStringLiteral("组织机构权限"), d, DT_SINGLELINE);
        },
        [&](TCanvas& c) {
            c.Font().SetOrientation(900);
            c.TextRect(r, 14, 30, QStringLiteral("Rotated"));
        },
    };
    for (size_t i = 0; i < kinds.size(); ++i) {
        const QImage two = Drawn(2, [&](TCanvas& c) {
            c.Font().SetName(QStringLiteral("宋体"));
            c.Font().SetHeight(-12);
            c.Brush().SetStyle(bsClear);
            kinds[i](c);
        });
        const TRect ink = inkBox(two);
        EXPECT_FALSE(ink.IsEmpty()) << i;
        EXPECT_TRUE(contains(Rect(r.Left * 2, r.Top * 2, r.Right * 2, r.Bottom * 2), ink)) << i;
    }
}

// ---- bitmaps ----------------------------------------------------------------------------

TEST(BitmapScale, shouldKeepLogicalSizesAndCopyPixelForPixelOntoACanvasOfItsScale)
{
    TBitmap buffer(30, 12);
    buffer.SetScale(2);
    EXPECT_EQ(buffer.Width(), 30);
    EXPECT_EQ(buffer.Height(), 12);
    EXPECT_EQ(buffer.Image().size(), QSize(60, 24));
    EXPECT_NE(buffer.ScanLine(23), nullptr);
    EXPECT_EQ(buffer.ScanLine(24), nullptr);
    auto text = [](TCanvas& c, int x, int y) {
        c.Font().SetName(QStringLiteral("宋体"));
        c.Font().SetHeight(-12);
        c.Brush().SetColor(clWhite);
        c.TextOut(x, y, QStringLiteral("权限"));
    };
    text(buffer.Canvas(), 1, 0);
    const QImage viaBuffer = Drawn(2, [&](TCanvas& c) { c.Draw(4, 5, buffer); });
    const QImage direct = Drawn(2, [&](TCanvas& c) {
        c.Brush().SetColor(clWhite);
        c.FillRect(Bounds(4, 5, 30, 12));
        text(c, 5, 5);
    });
    EXPECT_EQ(FirstDifference(viaBuffer, direct), "");

    buffer.LoadFromImage(QImage(5, 4, QImage::Format_RGB32));
    EXPECT_EQ(buffer.Scale(), 1);
    EXPECT_EQ(buffer.Width(), 5);
    EXPECT_THROW(TBitmap(TBitmap::kMaxSide, 2).SetScale(2), EInvalidOperation);
}

// ---- controls ---------------------------------------------------------------------------

namespace {

class TShapes : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int shift = 0;
    void Scroll(int dx, int dy) { ScrollSurface(dx, dy, ClientRect(), ClientRect()); }

protected:
    void Paint(TCanvas& canvas) override
    {
        canvas.Brush().SetColor(clYellow);
        canvas.Ellipse(2 + shift, 1, 30 + shift, 19);
        canvas.MoveTo(0, 0);
        canvas.LineTo(ClientWidth(), ClientHeight());
    }
};

} // namespace

TEST(ControlScale, shouldKeepASurfaceOfDevicePixelsThatScrollsAsTheScaleOnePictureDoes)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    QImage pictures[2];
    for (int k : {1, 2}) {
        auto* c = Make<TShapes>(&form, &form, 0, 0, 60, 40);
        c->SetNonClientBorder(ncbClientEdge);
        c->SetScrollBarStyles(false, true);
        c->SetScrollRange(SB_VERT, 0, 100);
        c->SetPaintScale(k);
        EXPECT_EQ(c->PaintScale(), k);
        c->Update();
        EXPECT_EQ(c->Surface()->size(), QSize(c->ClientWidth() * k, c->ClientHeight() * k));
        c->Scroll(3, -4);
        c->shift = 5;
        c->Update();
        pictures[k - 1] = c->WindowImage();
        EXPECT_EQ(pictures[k - 1].size(), QSize(60 * k, 40 * k));
    }
    EXPECT_EQ(FirstDifference(pictures[1], Enlarged(pictures[0], 2)), "");
}
