#include <gtest/gtest.h>

#include "ChartTestUtil.h"
#include "platform/framework/Form.h"
#include "support/Controls.h"

namespace {

// P expanded with children A and B; A has a collapsed child. No focus frame.
struct Painted {
    TestChart chart;
    TOcNode *p, *a, *b;
    QImage image;
    Painted()
    {
        chart.SetOptions(ocSelect | ocButtons);
        p = chart.Tree().Add(nullptr);
        a = chart.Tree().Add(p);
        b = chart.Tree().Add(p);
        chart.Tree().Add(a);
        p->Expand(false);
        image = chart.Picture();
    }
};

} // namespace

TEST(OrgChartPaint, BoxesConnectorsAndButtonsLieOnTheComputedPixels)
{
    Painted s;
    const QImage& img = s.image;
    struct Px {
        int x, y;
        bool black;
        const char* what;
    } pixels[] = {
        {48, 16, true, "P frame top-left"},      {112, 56, true, "P frame bottom-right"},
        {113, 56, false, "right of P"},          {48, 15, false, "P connector band"},
        {60, 30, false, "P interior"},           {80, 5, false, "no line above a single top node"},
        {40, 65, true, "bus start"},             {120, 65, true, "bus end"},
        {39, 65, false, "left of the bus"},      {100, 65, true, "bus"},
        {80, 63, true, "down line under P"},     {80, 58, false, "inside P's button"},
        {80, 61, true, "P button bottom"},       {75, 55, true, "P button left"},
        {85, 55, true, "P button right"},        {78, 56, true, "minus"},
        {80, 53, false, "no plus on an open node"}, {40, 70, true, "stub to A"},
        {121, 70, true, "stub to B"},            {8, 73, true, "A frame"},
        {72, 113, true, "A frame corner"},       {40, 111, true, "A plus top"},
        {40, 115, true, "A plus bottom"},        {41, 112, false, "beside the plus"},
        {136, 118, false, "B has no button"},
    };
    for (const Px& p : pixels)
        EXPECT_EQ(IsBlack(img, p.x, p.y), p.black) << p.what << " at " << p.x << "," << p.y;
    for (int x = 0; x < 162; x += 7)
        EXPECT_FALSE(img.pixel(x, 150) == qRgb(255, 0, 255)) << "background filled at " << x;
}

TEST(OrgChartPaint, ShapesAndSeveralTopNodes)
{
    TestChart chart;
    chart.SetOptions(0);
    TOcNode* r = chart.Tree().Add(nullptr);
    TOcNode* e = chart.Tree().Add(nullptr);
    TOcNode* d = chart.Tree().Add(nullptr);
    r->SetShape(shRoundRect);
    e->SetShape(shEllipse);
    d->SetShape(shDiamond);
    const QImage img = chart.Picture();
    // Bus along the top from the first anchor (40) to the last (202), stubs down.
    EXPECT_TRUE(IsBlack(img, 40, 8));
    EXPECT_TRUE(IsBlack(img, 201, 8));
    EXPECT_TRUE(IsBlack(img, 121, 12));
    // Round corners and the ellipse leave the box corners empty; the diamond's tips touch the box.
    EXPECT_TRUE(IsWhite(img, 8, 16));
    EXPECT_TRUE(IsBlack(img, 40, 16));
    EXPECT_TRUE(IsWhite(img, 89, 16));
    EXPECT_TRUE(IsBlack(img, 121, 16));
    EXPECT_TRUE(IsWhite(img, 170, 17));
    EXPECT_TRUE(IsBlack(img, 170, 36));
    EXPECT_TRUE(IsBlack(img, 202, 16));
}

TEST(OrgChartPaint, SelectionColoursNeedTheFocus)
{
    TestChart chart;
    chart.SetOptions(ocSelect);
    chart.Tree().Add(nullptr);
    EXPECT_TRUE(IsWhite(chart.Picture(), 40, 36));
}

TEST(OrgChartPaint, ThreeDimensionalBoxesCastAShadow)
{
    TestChart chart;
    chart.SetOptions(ocRect3D);
    chart.Tree().Add(nullptr);
    // Box 66 wide at 8 (cell 82); outline 8..72 x 16..56, shadow one pixel right and below.
    const QImage img = chart.Picture();
    EXPECT_TRUE(IsBlack(img, 72, 30));
    EXPECT_TRUE(IsBlack(img, 73, 30)); // shadow column
    EXPECT_TRUE(IsWhite(img, 73, 17));
    EXPECT_TRUE(IsBlack(img, 40, 57)); // shadow row
    EXPECT_TRUE(IsWhite(img, 8, 57));
}

// Only a chart on screen animates. The last frame is the final layout, also
// after a frame whose last box was the focused selection with its white text.
TEST(OrgChartPaint, AnimationsDrawSixteenFramesOnAShownChartAndEndOnItsPicture)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* chart = Make<TestChart>(&form, &form, 0, 0, 400, 300);
    chart->SetOptions(chart->Options() | ocAnimate);
    TOcNode* top = chart->Tree().Add(nullptr);
    top->SetText(QStringLiteral("总部"));
    chart->Tree().Add(top)->SetText(QStringLiteral("一部"));
    chart->Tree().Add(top)->SetText(QStringLiteral("二部"));
    top->Expand(false);
    EXPECT_EQ(chart->LastAnimationFrames(), 0);
    form.Show();
    chart->SetFocus();
    chart->Tree().SetSelected(top);
    ASSERT_TRUE(chart->Focused());
    chart->Repaint();
    for (bool expand : {false, true}) {
        expand ? top->Expand(false) : top->Collapse(false);
        EXPECT_EQ(chart->LastAnimationFrames(), 16) << expand;
        EXPECT_EQ(top->Expanded(), expand);
        const QImage* surface = chart->Surface();
        ASSERT_NE(surface, nullptr);
        const QImage expected = chart->Picture();
        EXPECT_EQ(surface->copy(0, 0, 300, 200), expected.copy(0, 0, 300, 200)) << expand;
    }
    form.Hide();
}

TEST(OrgChartPaint, LongAndEmptyTextsPaintInsideTheirBoxes)
{
    TestChart chart;
    chart.SetOptions(0);
    TOcNode* a = chart.Tree().Add(nullptr);
    a->SetText(QString(10000, QChar(u'字')));
    TOcNode* b = chart.Tree().Add(nullptr);
    b->SetText(QString());
    const QImage img = chart.Picture();
    EXPECT_TRUE(IsWhite(img, 40, 60)); // below the box: the text stays clipped to it
    EXPECT_TRUE(IsBlack(img, 8, 16));
    EXPECT_TRUE(IsWhite(img, 121, 36));
}
