#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "ChartTestUtil.h"
#include "platform/canvas/Color.h"
#include "platform/framework/Form.h"

namespace {

// A top node over count childless children, opened: Full = count × 81 wide, 120 high.
TOcNode* Fan(TOcTree& chart, int count)
{
    TOcNode* top = chart.Add(nullptr);
    for (int i = 0; i < count; ++i)
        chart.Add(top);
    top->Expand(false);
    return top;
}

void MouseAt(TControl& c, QEvent::Type type, int x, int y)
{
    const Qt::MouseButton b = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(x, y), c.Widget()->mapToGlobal(QPointF(x, y)), b, held, Qt::NoModifier);
    QApplication::sendEvent(c.Widget(), &e);
}

QRgb Rgb(TColor c)
{
    const uint32_t v = ColorToRGB(c);
    return qRgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

} // namespace

TEST(OrgChartScroll, BarsTakeTheChartsFullSizeAndTheClientAsPage)
{
    struct Row {
        int children;
        bool horz, vert;
        int clientWidth, clientHeight;
    } rows[] = {
        {3, false, false, 296, 196},   // 243 × 120 fits inside the sunken border
        {10, true, false, 296, 180},   // 810 wide: the bar takes 16 pixels of height
        {300, true, false, 296, 180},  // far wider, still 120 high
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.children);
        TestChart chart;
        chart.SetBounds(0, 0, 300, 200);
        Fan(chart.Tree(), r.children);
        chart.UpdateLayout();
        EXPECT_EQ(chart.ScrollBarVisible(SB_HORZ), r.horz);
        EXPECT_EQ(chart.ScrollBarVisible(SB_VERT), r.vert);
        EXPECT_EQ(chart.ClientWidth(), r.clientWidth);
        EXPECT_EQ(chart.ClientHeight(), r.clientHeight);
        const TScrollInfo h = chart.GetScrollInfo(SB_HORZ);
        EXPECT_EQ(h.Max, r.children * 81 - 1);
        if (r.horz) {
            EXPECT_EQ(h.Page, unsigned(r.clientWidth));
        }
    }
}

TEST(OrgChartScroll, BothBarsWhenTheChartIsDeepToo)
{
    TestChart chart;
    chart.SetBounds(0, 0, 300, 200);
    TOcNode* n = Fan(chart.Tree(), 10)->GetFirstChild();
    for (int level = 0; level < 2; ++level) { // four rows: 4 × 57 + 6 high
        TOcNode* child = chart.Tree().Add(n);
        n->Expand(false);
        n = child;
    }
    chart.UpdateLayout();
    ASSERT_TRUE(chart.ScrollBarVisible(SB_HORZ));
    ASSERT_TRUE(chart.ScrollBarVisible(SB_VERT));
    EXPECT_EQ(chart.ClientWidth(), 280);
    EXPECT_EQ(chart.ClientHeight(), 180);
    EXPECT_EQ(chart.GetScrollInfo(SB_VERT).Max, chart.FullHeight() - 1);
    EXPECT_EQ(chart.GetScrollInfo(SB_VERT).Page, 180u);
    // The thumb's last position is exactly the last offset.
    chart.Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(chart.ScrollTop(), chart.FullHeight() - 180);
    EXPECT_EQ(chart.GetScrollPos(SB_VERT), chart.ScrollTop());
    EXPECT_EQ(MaxScrollPos(chart.GetScrollInfo(SB_VERT)), chart.ScrollTop());
}

TEST(OrgChartScroll, PositionsFollowTheOffsetsAndShrinkWithTheChart)
{
    TestChart chart;
    chart.SetBounds(0, 0, 300, 200);
    TOcNode* top = Fan(chart.Tree(), 10);
    chart.ScrollTo(5000, 5000);
    EXPECT_EQ(chart.ScrollLeft(), 810 - 296);
    EXPECT_EQ(chart.ScrollTop(), 0);
    EXPECT_EQ(chart.GetScrollPos(SB_HORZ), 810 - 296);
    for (int i = 0; i < 7; ++i)
        chart.Tree().Delete(top->GetLastChild());
    chart.UpdateLayout();
    EXPECT_EQ(chart.ScrollLeft(), 0); // 243 wide: offsets and bar go back
    EXPECT_EQ(chart.GetScrollPos(SB_HORZ), 0);
    EXPECT_FALSE(chart.ScrollBarVisible(SB_HORZ));
    EXPECT_EQ(chart.ClientHeight(), 196);
    chart.Tree().Add(top);
    chart.Tree().Add(top);
    chart.UpdateLayout();
    EXPECT_TRUE(chart.ScrollBarVisible(SB_HORZ));
    EXPECT_EQ(chart.GetScrollInfo(SB_HORZ).Max, 5 * 81 - 1);
}

TEST(OrgChartScroll, BorderFollowsBorderStyleAndCtl3D)
{
    TestChart chart;
    chart.SetBounds(0, 0, 300, 200);
    EXPECT_EQ(chart.NonClientBorder(), ncbClientEdge);
    chart.SetCtl3D(false);
    EXPECT_EQ(chart.NonClientBorder(), ncbSingle);
    EXPECT_EQ(chart.ClientWidth(), 298);
    chart.SetBorderStyle(bsNone);
    EXPECT_EQ(chart.NonClientBorder(), ncbNone);
    EXPECT_EQ(chart.ClientWidth(), 300);
}

TEST(OrgChartScroll, ZoomFitsTheChartAndTheBarsGo)
{
    TestChart chart;
    chart.SetBounds(0, 0, 300, 200);
    Fan(chart.Tree(), 40);
    chart.UpdateLayout();
    ASSERT_TRUE(chart.ScrollBarVisible(SB_HORZ));
    chart.SetZoom(true);
    EXPECT_FALSE(chart.ScrollBarVisible(SB_HORZ));
    EXPECT_EQ(chart.ClientWidth(), 296); // the zoom is taken on the whole client
    EXPECT_LT(chart.FullWidth(), 296);
    chart.SetZoom(false);
    chart.UpdateLayout();
    EXPECT_TRUE(chart.ScrollBarVisible(SB_HORZ));
}

// Through the window: the bar is drawn in the border's frame, and dragging its
// thumb to the end reaches the last offset of a chart far wider than 32,767
// pixels although the scroll message carries 16 bits.
TEST(OrgChartScroll, TheBarIsDrawnAndItsThumbScrollsWideCharts)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* chart = new TestChart(&form);
    chart->SetParent(&form);
    chart->SetBounds(0, 0, 300, 200);
    Fan(chart->Tree(), 10);
    form.Show();
    chart->UpdateLayout();

    // The bar: x 2..297, y 182..197; arrows of 16, a track of 264 from x 18 to
    // 281, a thumb of 264 × 296 ÷ 810 = 96 pixels with 168 of travel.
    QImage window = chart->WindowImage();
    const QRgb face = Rgb(clBtnFace);
    EXPECT_EQ(window.pixel(0, 0), Rgb(clBtnShadow));
    EXPECT_EQ(window.pixel(60, 190), face); // thumb at the start
    EXPECT_NE(window.pixel(200, 190), window.pixel(201, 190)); // checkered track
    chart->ScrollTo(10000, 0);
    window = chart->WindowImage();
    EXPECT_EQ(window.pixel(230, 190), face); // thumb at the end: 186..281
    EXPECT_NE(window.pixel(60, 190), window.pixel(61, 190));

    chart->ScrollTo(0, 0);
    for (int i = 0; i < 490; ++i)
        chart->Tree().Add(chart->Tree().FirstNode());
    chart->UpdateLayout();
    ASSERT_EQ(chart->FullWidth(), 500 * 81);
    const TScrollBarParts parts =
        ScrollBarPartsOf(chart->NonClientLayout().horz, false, chart->GetScrollInfo(SB_HORZ), 0);
    const int grabX = parts.thumb.Left + 2;
    MouseAt(*chart, QEvent::MouseButtonPress, grabX, 190);
    MouseAt(*chart, QEvent::MouseMove, grabX + 400, 190);
    EXPECT_EQ(chart->ScrollLeft(), 500 * 81 - 296);
    MouseAt(*chart, QEvent::MouseButtonRelease, grabX + 400, 190);
    EXPECT_EQ(chart->ScrollLeft(), 500 * 81 - 296);
    form.Hide();
}
