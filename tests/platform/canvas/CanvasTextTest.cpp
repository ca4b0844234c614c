// Text output and formatted text: geometry and "ink inside, none outside" (glyph
// pixels depend on the installed fonts).

#include <gtest/gtest.h>

#include "platform/canvas/Canvas.h"
#include "support/Pixels.h"

using namespace canvastest;

namespace {

void useFont(TCanvas& c, int height = -12, const char* face = "Tahoma")
{
    TFont f;
    f.SetName(face);
    f.SetHeight(height);
    c.Font().Assign(&f);
}

} // namespace

TEST(CanvasText, shouldMeasureWithTheCanvasFont)
{
    TCanvas c; // measuring canvas without surface
    useFont(c);
    const int w = c.TextWidth("Hello");
    EXPECT_GT(w, 15);
    EXPECT_LT(w, 60);
    EXPECT_EQ(c.TextWidth(""), 0);
    EXPECT_GE(c.TextHeight("x"), 12);
    EXPECT_LE(c.TextHeight("x"), 18);
    EXPECT_EQ(c.TextExtent("Hello"), (TSize{w, c.TextHeight("Hello")}));
    EXPECT_EQ(c.TextMetrics().Height, c.TextHeight("x"));
    EXPECT_EQ(c.TextWidth("HelloHello"), 2 * w);
    useFont(c, -24);
    EXPECT_GT(c.TextWidth("Hello"), w + w / 2);
    c.TextOut(0, 0, "no surface"); // nothing, no crash
}

TEST(CanvasText, shouldPaintTheTextCellWithASolidBrush)
{
    QImage img = surface(100, 30, clRed);
    TCanvas c(img);
    useFont(c);
    c.Brush().SetColor(clWhite);
    c.TextOut(10, 5, "Hello");
    const TSize ext = c.TextExtent("Hello");
    const TRect cell = Bounds(10, 5, ext.cx, ext.cy);
    EXPECT_EQ(inkBox(img, clRed), cell);
    EXPECT_GT(count(img, clBlack, cell), 10);
    EXPECT_EQ(count(img, clBlack) + count(img, clWhite), ext.cx * ext.cy); // no antialiasing
    EXPECT_EQ(c.PenPos(), Point(10 + ext.cx, 5));
}

TEST(CanvasText, shouldLeaveTheBackgroundWithAClearBrush)
{
    QImage img = surface(100, 30, clRed);
    TCanvas c(img);
    useFont(c);
    c.Brush().SetStyle(bsClear);
    c.Font().SetColor(clBlue);
    c.TextOut(10, 5, "Hello");
    const TSize ext = c.TextExtent("Hello");
    EXPECT_TRUE(contains(Bounds(10, 5, ext.cx, ext.cy), inkBox(img, clRed)));
    EXPECT_EQ(count(img, clWhite), 0);
    EXPECT_GT(count(img, clBlue), 10);
    EXPECT_EQ(count(img, clBlue) + count(img, clRed), 100 * 30);
}

TEST(CanvasText, shouldDrawChineseText)
{
    QImage img = surface(100, 30);
    TCanvas c(img);
    useFont(c, -12, "宋体");
    c.Brush().SetStyle(bsClear);
    c.TextOut(2, 2, "组织机构");
    const TRect ink = inkBox(img);
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_TRUE(contains(Bounds(2, 2, c.TextWidth("组织机构"), c.TextHeight("组")), ink));
    EXPECT_GE(c.TextWidth("组织机构"), 44);
}

TEST(CanvasText, shouldClipTextRectAndFillItWithTheBrush)
{
    QImage img = surface(100, 30, clRed);
    TCanvas c(img);
    useFont(c);
    c.Brush().SetColor(clWhite);
    c.TextRect({10, 5, 30, 20}, 12, 6, "Hello world, this is long");
    EXPECT_EQ(inkBox(img, clRed), Rect(10, 5, 30, 20));
    EXPECT_EQ(count(img, clWhite, {10, 5, 30, 20}) + count(img, clBlack, {10, 5, 30, 20}), 300);
    EXPECT_GT(count(img, clBlack), 5);
}

TEST(CanvasText, shouldAlignFormattedTextInItsRectangle)
{
    const TRect box{10, 10, 190, 50};
    auto inkOf = [&](unsigned flags) {
        QImage img = surface(200, 60);
        TCanvas c(img);
        useFont(c);
        c.Brush().SetStyle(bsClear);
        TRect r = box;
        const int h = c.DrawText("Hello", r, flags);
        EXPECT_EQ(r, box) << "drawing leaves the rectangle";
        EXPECT_GT(h, 0);
        return inkBox(img);
    };
    TCanvas m;
    useFont(m);
    const int w = m.TextWidth("Hello"), th = m.TextHeight("Hello");

    const TRect left = inkOf(DT_LEFT | DT_TOP | DT_SINGLELINE);
    EXPECT_GE(left.Left, 10);
    EXPECT_LE(left.Left, 12);
    EXPECT_TRUE(contains(Bounds(10, 10, w, th), left));

    const TRect right = inkOf(DT_RIGHT | DT_SINGLELINE);
    EXPECT_LE(right.Right, 190);
    EXPECT_GE(right.Right, 187);

    const TRect centre = inkOf(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_NEAR((centre.Left + centre.Right) / 2.0, 100, 3);
    EXPECT_TRUE(contains(Bounds(10 + (180 - w) / 2, 10 + (40 - th) / 2, w, th), centre));

    const TRect bottom = inkOf(DT_BOTTOM | DT_SINGLELINE);
    EXPECT_TRUE(contains(Rect(10, 50 - th, 190, 50), bottom));
    EXPECT_GE(bottom.Bottom, 50 - th / 2);
}

TEST(CanvasText, shouldReturnTheOffsetToTheTextBottomWhenCentredOrBottomAligned)
{
    QImage img = surface(200, 60);
    TCanvas c(img);
    useFont(c);
    const int th = c.TextHeight("x");
    TRect r{0, 0, 200, 40};
    EXPECT_EQ(c.DrawText("x", r, DT_SINGLELINE), th);
    EXPECT_EQ(c.DrawText("x", r, DT_SINGLELINE | DT_BOTTOM), 40);
    EXPECT_EQ(c.DrawText("x", r, DT_SINGLELINE | DT_VCENTER), (40 - th) / 2 + th);
    EXPECT_EQ(c.DrawText("", r, DT_SINGLELINE), 0);
}

TEST(CanvasText, shouldCalculateTheRectangleWithoutDrawing)
{
    QImage img = surface(200, 100);
    TCanvas c(img);
    useFont(c);
    const int th = c.TextHeight("x");
    TRect r{5, 5, 300, 5};
    EXPECT_EQ(c.DrawText("Hello", r, DT_CALCRECT | DT_SINGLELINE), th);
    EXPECT_EQ(r, Rect(5, 5, 5 + c.TextWidth("Hello"), 5 + th));
    EXPECT_TRUE(inkBox(img).IsEmpty());
    // Several lines: the widest line and one line height per line.
    r = {5, 5, 300, 5};
    EXPECT_EQ(c.DrawText("ab\r\nabcdef\nabc", r, DT_CALCRECT), 3 * th);
    EXPECT_EQ(r.Right, 5 + c.TextWidth("abcdef"));
    EXPECT_EQ(r.Bottom, 5 + 3 * th);
    // Word breaking within the given width.
    const int wordW = c.TextWidth("word");
    r = {0, 0, wordW + c.TextWidth(" ") + wordW / 2, 0};
    EXPECT_EQ(c.DrawText("word word word", r, DT_CALCRECT | DT_WORDBREAK), 3 * th);
    EXPECT_EQ(r.Right, wordW);
    r = {0, 0, 2 * wordW + c.TextWidth(" "), 0};
    EXPECT_EQ(c.DrawText("word word word", r, DT_CALCRECT | DT_WORDBREAK), 2 * th);
    // Chinese text breaks between characters.
    useFont(c, -12, "宋体");
    const int cw = c.TextWidth("组");
    r = {0, 0, 2 * cw, 0};
    EXPECT_EQ(c.DrawText("组织机构", r, DT_CALCRECT | DT_WORDBREAK), 2 * c.TextHeight("组"));
    EXPECT_TRUE(inkBox(img).IsEmpty());
}

TEST(CanvasText, shouldBreakWordsOntoLinesWhenDrawing)
{
    QImage img = surface(200, 100);
    TCanvas c(img);
    useFont(c);
    c.Brush().SetStyle(bsClear);
    const int th = c.TextHeight("x");
    const int wordW = c.TextWidth("word");
    TRect r{0, 0, wordW + 2, 100};
    EXPECT_EQ(c.DrawText("word word word", r, DT_WORDBREAK), 3 * th);
    const TRect ink = inkBox(img);
    EXPECT_TRUE(contains(Rect(0, 0, wordW + 2, 3 * th), ink));
    EXPECT_GT(ink.Bottom, 2 * th); // the third line has ink
    for (int line = 0; line < 3; ++line)
        EXPECT_GT(count(img, clBlack, {0, line * th, 200, (line + 1) * th}), 5) << line;
}

TEST(CanvasText, shouldClipToTheRectangleUnlessNoClip)
{
    QImage img = surface(200, 40);
    TCanvas c(img);
    useFont(c);
    c.Brush().SetStyle(bsClear);
    TRect r{10, 10, 30, 30};
    c.DrawText("Hello wide world", r, DT_SINGLELINE);
    EXPECT_TRUE(contains(r, inkBox(img)));
    img.fill(Qt::white);
    c.DrawText("Hello wide world", r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(inkBox(img).Right, 40);
}

TEST(CanvasText, shouldEndWithAnEllipsisWhenTooWide)
{
    QImage img = surface(200, 40);
    TCanvas c(img);
    useFont(c);
    c.Brush().SetStyle(bsClear);
    const QString text = "A rather long caption";
    const int full = c.TextWidth(text);
    TRect r{0, 0, full / 2, 20};
    c.DrawText(text, r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    const TRect ink = inkBox(img);
    EXPECT_LE(ink.Right, full / 2); // fits without clipping
    EXPECT_GT(ink.Right, full / 2 - c.TextWidth("W...") - 2);
    // The dots: three separate blobs on the baseline at the right end.
    EXPECT_GT(count(img, clBlack, {ink.Right - c.TextWidth("..."), 0, ink.Right, 20}), 2);
    // A text that fits is left alone.
    QImage a = surface(200, 40), b = surface(200, 40);
    TCanvas ca(a), cb(b);
    useFont(ca);
    useFont(cb);
    TRect wide{0, 0, 200, 20};
    ca.DrawText("Short", wide, DT_SINGLELINE | DT_END_ELLIPSIS);
    cb.DrawText("Short", wide, DT_SINGLELINE);
    EXPECT_EQ(a, b);
}

TEST(CanvasText, shouldKeepTheFileNameWithAPathEllipsis)
{
    TCanvas c;
    useFont(c);
    QImage img = surface(300, 20);
    TCanvas d(img);
    useFont(d);
    d.Brush().SetStyle(bsClear);
    const QString path = "C:\\Program Files\\Some Vendor\\Product\\file.txt";
    const int target = c.TextWidth("C:\\Pro...\\file.txt") + 1;
    TRect r{0, 0, target, 20};
    d.DrawText(path, r, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_NOCLIP);
    EXPECT_LE(inkBox(img).Right, target);
    // The right end carries the file name: compare with drawing "\file.txt" right-aligned.
    QImage tail = surface(300, 20);
    TCanvas t(tail);
    useFont(t);
    t.Brush().SetStyle(bsClear);
    TRect tr{0, 0, target, 20};
    t.DrawText("\\file.txt", tr, DT_SINGLELINE | DT_RIGHT);
    const int tw = c.TextWidth("\\file.txt");
    const int ink = c.TextWidth(QString("C:\\Pro...\\file.txt").left(0));
    (void)ink;
    const TRect last = inkBox(tail);
    int same = 0, total = 0;
    const int x0 = inkBox(img).Right - tw;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < tw; ++x) {
            const bool p = at(img, x0 + x, y) != clWhite, q = at(tail, last.Right - tw + x, y) != clWhite;
            total += p || q;
            same += p && q;
        }
    EXPECT_GT(same, total * 8 / 10);
}

TEST(CanvasText, shouldUnderlineTheAcceleratorCharacter)
{
    TCanvas m;
    useFont(m);
    EXPECT_EQ(m.TextWidth("File"), m.TextWidth("File"));
    const int asc = m.TextMetrics().Ascent;
    QImage a = surface(100, 30), b = surface(100, 30);
    TCanvas ca(a), cb(b);
    useFont(ca);
    useFont(cb);
    ca.Brush().SetStyle(bsClear);
    cb.Brush().SetStyle(bsClear);
    TRect r{0, 0, 100, 30};
    ca.DrawText("&File", r, DT_SINGLELINE);
    cb.DrawText("File", r, DT_SINGLELINE | DT_NOPREFIX);
    // The only difference is a horizontal stroke under the "F", below the baseline.
    int diff = 0;
    TRect box{1000, 1000, -1, -1};
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                ++diff;
                box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                       std::max(box.Bottom, y + 1)};
            }
    EXPECT_GE(diff, m.TextWidth("F") - 2);
    EXPECT_GE(box.Top, asc);
    EXPECT_LE(box.Right, m.TextWidth("F") + 1);
    EXPECT_LE(box.Bottom - box.Top, 2);
    // "&&" is a literal ampersand; NOPREFIX shows the "&".
    TRect c1{0, 0, 0, 0}, c2{0, 0, 0, 0};
    m.DrawText("a&&b", c1, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(c1.Right, m.TextWidth("a&b"));
    m.DrawText("&File", c2, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(c2.Right, m.TextWidth("&File"));
}

TEST(CanvasText, shouldExpandTabsToEightAverageCharacters)
{
    TCanvas m;
    useFont(m);
    const int stop = 8 * m.TextMetrics().AveCharWidth;
    TRect r{0, 0, 0, 0};
    m.DrawText("a\tb", r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(r.Right, stop + m.TextWidth("b"));
}

TEST(CanvasText, shouldPaintOpaqueBackgroundsOfFormattedLines)
{
    QImage img = surface(200, 60, clRed);
    TCanvas c(img);
    useFont(c);
    c.Brush().SetColor(clWhite);
    TRect r{10, 10, 190, 50};
    c.DrawText("Hello", r, DT_SINGLELINE | DT_CENTER);
    const int w = c.TextWidth("Hello"), th = c.TextHeight("Hello");
    EXPECT_EQ(inkBox(img, clRed), Bounds(10 + (180 - w) / 2, 10, w, th));
}

TEST(CanvasText, shouldTurnRotatedTextAroundItsReferencePoint)
{
    QImage img = surface(100, 100);
    TCanvas c(img);
    TFont f;
    f.SetHeight(-12);
    f.SetOrientation(900); // upwards
    c.Font().Assign(&f);
    c.Brush().SetStyle(bsClear);
    c.TextOut(40, 90, "Hello world");
    const TRect ink = inkBox(img);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GT(ink.Height(), 2 * ink.Width()); // runs vertically
    EXPECT_LE(ink.Bottom, 91);                 // from the reference point upwards
    EXPECT_LT(ink.Top, 90 - c.TextWidth("Hello world") + 8);
    EXPECT_GE(ink.Left, 40 - 1);
    EXPECT_LE(ink.Right, 40 + c.TextHeight("H") + 1); // the glyph tops point left... the cell lies right of x
    // 180 degrees: the text runs to the left, upside down, above the reference point.
    img.fill(Qt::white);
    f.SetOrientation(1800);
    c.Font().Assign(&f);
    c.TextOut(90, 50, "Hello");
    const TRect ink2 = inkBox(img);
    EXPECT_LE(ink2.Right, 91);
    EXPECT_LE(ink2.Bottom, 51);
    EXPECT_GT(ink2.Width(), ink2.Height());
}
