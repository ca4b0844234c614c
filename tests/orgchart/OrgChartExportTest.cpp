#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "ChartTestUtil.h"
#include "orgchart/OrgChartExport.h"
#include "support/Errors.h"
#include "support/Pixels.h"

namespace {

// Three levels with texts, a closed family and a selected node: wider and
// taller than the window, so that only part of it shows.
void Family(TOcTree& chart)
{
    TOcNode* top = chart.Add(nullptr);
    top->SetText(QStringLiteral("总公司"));
    for (int i = 0; i < 9; ++i) {
        TOcNode* d = chart.Add(top);
        d->SetText(QStringLiteral("部门 %1").arg(i));
        for (int j = 0; j < 3; ++j)
            chart.Add(d)->SetText(QStringLiteral("岗位%1").arg(j));
        d->Expand(false);
    }
    top->Children()[4]->Collapse(false);
    top->Expand(false);
    chart.SetSelected(top->Children()[2]);
}

// A top node over count childless children, opened: count × 81 wide.
void Fan(TOcTree& chart, int count)
{
    TOcNode* top = chart.Add(nullptr);
    for (int i = 0; i < count; ++i)
        chart.Add(top);
    top->Expand(false);
}

} // namespace

// The dots of the selected node's focus rectangle follow the parity of the
// window's pixel, so the scroll positions below keep x + y even.
TEST(OrgChartExport, ThePictureEqualsTheWindowWhereTheyOverlap)
{
    QTemporaryDir dir;
    struct Case {
        bool rotated;
        int scale, scrollX, scrollY, strip;
    } cases[] = {
        {false, 1, 0, 0, 256}, {false, 1, 150, 40, 7}, {true, 1, 0, 200, 50}, {false, 2, 90, 50, 33},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "rotated " << c.rotated << " scale " << c.scale << " scroll " << c.scrollX
                                        << "," << c.scrollY << " strip " << c.strip);
        TestChart chart;
        chart.SetBounds(0, 0, 320, 150);
        chart.SetOptions(chart.Options() | ocFocus | ocRect3D);
        chart.SetRotated(c.rotated);
        chart.SetPaintScale(c.scale);
        Family(chart.Tree());
        chart.UpdateLayout();
        chart.ScrollTo(c.scrollX, c.scrollY);
        ASSERT_EQ(chart.ScrollLeft(), c.scrollX);
        ASSERT_EQ(chart.ScrollTop(), c.scrollY);
        const QImage window = Painted(chart).copy();

        const QString path = dir.filePath(QStringLiteral("chart.png"));
        ASSERT_TRUE(ExportChartPng(chart, path, c.scale, {}, c.strip));
        const QImage picture = QImage(path).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(picture.width(), chart.FullWidth() * c.scale);
        ASSERT_EQ(picture.height(), chart.FullHeight() * c.scale);
        ASSERT_TRUE(picture.width() > window.width() || picture.height() > window.height());

        const int x0 = c.scrollX * c.scale, y0 = c.scrollY * c.scale;
        const int w = std::min(chart.ClientWidth() * c.scale, picture.width() - x0);
        const int h = std::min(chart.ClientHeight() * c.scale, picture.height() - y0);
        ASSERT_GT(w, 0);
        ASSERT_GT(h, 0);
        EXPECT_TRUE(picture.copy(x0, y0, w, h) == window.copy(0, 0, w, h));
        // Scrolling and exporting again changes nothing in the file's picture.
        chart.ScrollTo(0, 0);
        ASSERT_TRUE(ExportChartPng(chart, path, c.scale));
        EXPECT_TRUE(QImage(path).convertToFormat(QImage::Format_RGB32) == picture);
    }
}

TEST(OrgChartExport, TooLargeOrEmptyChartsAreRefusedAndLeaveNoFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.png"));
    struct Case {
        int children, scale;
        bool fits;
    } cases[] = {
        {404, 1, true},   // 32,724 wide
        {405, 1, false},  // 32,805
        {202, 2, true},
        {203, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.children << " children at scale " << c.scale);
        TestChart chart;
        chart.SetBounds(0, 0, 300, 200);
        Fan(chart.Tree(), c.children);
        const TChartPictureSize size = ChartPictureSize(chart, c.scale);
        EXPECT_EQ(size.width <= kMaxChartPictureSide && size.height <= kMaxChartPictureSide, c.fits);
        if (!c.fits) {
            const std::string error = ErrorOf<EFileError>([&] { ExportChartPng(chart, path, c.scale); });
            EXPECT_NE(error.find("PDF or SVG"), std::string::npos) << error;
            EXPECT_FALSE(QFile::exists(path));
        }
    }
    TestChart empty;
    empty.SetBounds(0, 0, 300, 200);
    EXPECT_EQ(ErrorOf<EFileError>([&] { ExportChartPng(empty, path, 1); }), "the chart has no nodes to export");
    TestChart one;
    Fan(one.Tree(), 0);
    EXPECT_NE(ErrorOf<EFileError>([&] { ExportChartPng(one, path, 3 + TCanvas::kMaxScale); }).find("scale"),
              std::string::npos);
    EXPECT_FALSE(QFile::exists(path));
}
