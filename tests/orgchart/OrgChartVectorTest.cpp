#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>

#include "ChartTestUtil.h"
#include "orgchart/OrgChartExport.h"
#include "support/Errors.h"

namespace {

void Family(TOcTree& chart)
{
    TOcNode* top = chart.Add(nullptr);
    top->SetText(QStringLiteral("总公司"));
    for (int i = 0; i < 6; ++i) {
        TOcNode* d = chart.Add(top);
        d->SetText(QStringLiteral("部门 %1").arg(i));
        for (int j = 0; j < 2; ++j)
            chart.Add(d)->SetText(QStringLiteral("岗位%1").arg(j));
        d->Expand(false);
    }
    top->Children()[3]->Collapse(false);
    top->Expand(false);
}

void Curved(TOcTree& chart)
{
    Family(chart);
    TOcNode* top = chart.FirstNode();
    top->Children()[1]->SetShape(shRoundRect);
    top->Children()[2]->SetShape(shEllipse);
    top->Children()[4]->SetShape(shDiamond);
}

// The chart through the vector back end, drawn by Qt's aliased rasteriser.
QImage VectorPicture(TCustomOrgChart& chart)
{
    QImage image(chart.FullWidth(), chart.FullHeight(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    TCanvas canvas(painter, image.width(), image.height());
    EXPECT_TRUE(canvas.IsVector());
    chart.PaintWhole(canvas);
    return image;
}

QImage RasterPicture(TCustomOrgChart& chart)
{
    QImage image(chart.FullWidth(), chart.FullHeight(), QImage::Format_RGB32);
    image.fill(Qt::white);
    TCanvas canvas(image);
    chart.PaintWhole(canvas);
    return image;
}

bool Ink(const QImage& image, int x, int y)
{
    return x >= 0 && y >= 0 && x < image.width() && y < image.height() && (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
}

// Pixels where the pictures differ, and those of them that no ink of the
// other picture lies next to (an outline more than one pixel off).
struct Difference {
    int pixels = 0;
    int stray = 0;
};

Difference Compare(const QImage& a, const QImage& b)
{
    Difference d;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) == b.pixel(x, y))
                continue;
            ++d.pixels;
            const QImage& other = Ink(a, x, y) ? b : a;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = Ink(other, x + dx, y + dy);
            d.stray += !near;
        }
    return d;
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A top node with count posts under it, shown as a row of boxes.
TOcNode* AddFan(TestChart& chart, int count)
{
    chart.SetBounds(0, 0, 300, 200);
    TOcNode* top = chart.Tree().Add(nullptr);
    for (int i = 0; i < count; ++i)
        chart.Tree().Add(top)->SetText(QStringLiteral("岗位%1").arg(i));
    top->Expand(false);
    return top;
}

} // namespace

// Drawn by an aliased rasteriser, the vector drawing gives the canvas's own
// picture: every line, box and text in the same place. Curves are stepped by
// another algorithm and may differ by a pixel.
TEST(OrgChartVector, TheVectorDrawingLiesOnThePicturesPixels)
{
    struct Case {
        bool rotated, curved;
    } cases[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "rotated " << c.rotated << " curved " << c.curved);
        TestChart chart;
        chart.SetBounds(0, 0, 300, 200);
        chart.SetOptions(chart.Options() | ocRect3D);
        chart.SetRotated(c.rotated);
        c.curved ? Curved(chart.Tree()) : Family(chart.Tree());
        const QImage raster = RasterPicture(chart), vector = VectorPicture(chart);
        ASSERT_EQ(raster.size(), vector.size());
        const Difference d = Compare(raster, vector);
        if (!c.curved) {
            EXPECT_EQ(d.pixels, 0);
        }
        EXPECT_EQ(d.stray, 0);
        EXPECT_LT(d.pixels, 300);
    }
}

TEST(OrgChartVector, FilesAreWholeDocumentsOrNothing)
{
    QTemporaryDir dir;
    TestChart chart;
    chart.SetBounds(0, 0, 300, 200);
    Family(chart.Tree());
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf")), svg = dir.filePath(QStringLiteral("chart.svg"));
    ExportChartVector(chart, pdf, TVectorFormat::Pdf);
    ExportChartVector(chart, svg, TVectorFormat::Svg);
    const QByteArray pdfBytes = ReadAll(pdf), svgBytes = ReadAll(svg);
    EXPECT_TRUE(pdfBytes.startsWith("%PDF-"));
    EXPECT_TRUE(pdfBytes.trimmed().endsWith("%%EOF"));
    // One page the chart's size, in points.
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")).match(QString::fromLatin1(pdfBytes));
    ASSERT_TRUE(box.hasMatch());
    // Whole points, rounded up: the page holds the whole chart.
    EXPECT_DOUBLE_EQ(box.captured(1).toDouble(), std::ceil(chart.FullWidth() * 0.75));
    EXPECT_DOUBLE_EQ(box.captured(2).toDouble(), std::ceil(chart.FullHeight() * 0.75));
    EXPECT_TRUE(svgBytes.contains(QStringLiteral("viewBox=\"0 0 %1 %2\"")
                                      .arg(chart.FullWidth())
                                      .arg(chart.FullHeight())
                                      .toLatin1()));
    EXPECT_TRUE(svgBytes.trimmed().endsWith("</svg>"));

    EXPECT_NE(ErrorOf<EFileError>([&] {
                  ExportChartVector(chart, dir.filePath(QStringLiteral("none/c.pdf")), TVectorFormat::Pdf);
              }).find("cannot write"),
              std::string::npos);
    TestChart empty;
    EXPECT_EQ(ErrorOf<EFileError>([&] { ExportChartVector(empty, svg, TVectorFormat::Svg); }),
              "the chart has no nodes to export");
    EXPECT_EQ(ReadAll(svg), svgBytes);
}

TEST(OrgChartVector, PrintingFitsOnePageOrSpreadsOverPages)
{
    QTemporaryDir dir;
    TestChart chart;
    AddFan(chart, 40);
    struct Case {
        TPrintScaling scaling;
        bool onePage;
    } cases[] = {{{true, 1.0}, true}, {{false, 1.0}, false}, {{false, 0.25}, false}, {{false, 0.01}, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "fit " << c.scaling.fitToPage << " scale " << c.scaling.scale);
        const QString path = dir.filePath(QStringLiteral("print.pdf"));
        const std::unique_ptr<TDrawingPrinter> printer = TDrawingPrinter::ToPdfFile(path);
        const int expected = printer->PageCount(chart.FullWidth(), chart.FullHeight(), c.scaling);
        EXPECT_EQ(expected == 1, c.onePage) << expected;
        EXPECT_EQ(PrintChart(chart, *printer, c.scaling), expected);
        const QString pdf = QString::fromLatin1(ReadAll(path));
        EXPECT_EQ(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), expected);
    }
    // At a quarter of its size the chart takes fewer pages than at full size.
    const std::unique_ptr<TDrawingPrinter> printer = TDrawingPrinter::ToPdfFile(dir.filePath(QStringLiteral("p.pdf")));
    EXPECT_LT(printer->PageCount(chart.FullWidth(), chart.FullHeight(), {false, 0.25}),
              printer->PageCount(chart.FullWidth(), chart.FullHeight(), {false, 1.0}));
    TestChart empty;
    EXPECT_EQ(ErrorOf<EFileError>([&] { PrintChart(empty, *printer, {}); }), "the chart has no nodes to export");
}

TEST(OrgChartVector, ACancelledPrintoutLeavesNoFileAndAnOldOneAsItWas)
{
    QTemporaryDir dir;
    TestChart chart;
    TOcNode* top = AddFan(chart, 40);
    const TPrintScaling scaling{false, 1.0};
    const struct {
        const char* name;
        bool existing;
        int64_t stopAt; // the page whose report answers no; -1 never
    } cases[] = {{"first page, no old file", false, 0},
                 {"a later page, an old file", true, 1},
                 {"not cancelled, an old file", true, -1}};
    for (const auto& c : cases) {
        const QString path = dir.filePath(QStringLiteral("%1.pdf").arg(c.name));
        if (c.existing) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        const std::unique_ptr<TDrawingPrinter> printer = TDrawingPrinter::ToPdfFile(path);
        const int pages = printer->PageCount(chart.FullWidth(), chart.FullHeight(), scaling);
        ASSERT_GT(pages, 1);
        int64_t reports = 0;
        const int printed = PrintChart(chart, *printer, scaling, [&](int64_t done, int64_t total) {
            EXPECT_EQ(total, pages);
            ++reports;
            return c.stopAt < 0 || done < c.stopAt;
        });
        EXPECT_EQ(printed, c.stopAt < 0 ? pages : 0) << c.name;
        EXPECT_EQ(reports, c.stopAt < 0 ? pages + 1 : c.stopAt + 1) << c.name;
        if (c.stopAt < 0) {
            EXPECT_TRUE(ReadAll(path).startsWith("%PDF")) << c.name;
        } else {
            EXPECT_EQ(QFile::exists(path), c.existing) << c.name;
            if (c.existing) {
                EXPECT_EQ(ReadAll(path), QByteArray("old")) << c.name;
            }
        }
        EXPECT_FALSE(QFile::exists(path + QStringLiteral(".part"))) << c.name;
    }
    // The whole of a large chart fitted to one page is stopped within the page.
    for (int i = 0; i < 3000; ++i)
        chart.Tree().Add(top)->SetText(QStringLiteral("部门%1").arg(i));
    const QString path = dir.filePath(QStringLiteral("large.pdf"));
    const std::unique_ptr<TDrawingPrinter> printer = TDrawingPrinter::ToPdfFile(path);
    int reports = 0;
    EXPECT_EQ(PrintChart(chart, *printer, {}, [&](int64_t done, int64_t total) {
                  EXPECT_EQ(done, 0);
                  EXPECT_EQ(total, 1);
                  return ++reports < 3;
              }),
              0);
    EXPECT_EQ(reports, 3);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".part")));
}

// A drawing of many nodes reports as it goes, so that it can be watched and
// stopped: a cancel part way leaves no file (or the old one as it was), and an
// uncancelled run reports, never going back, up to the whole chart.
TEST(OrgChartVector, ADrawingReportsAsItGoesAndACancelLeavesNoFile)
{
    QTemporaryDir dir;
    TestChart chart;
    AddFan(chart, 3000);
    const struct {
        TVectorFormat format;
        bool existing;
        int stopAt; // the report (counted from 1) that answers no; 0 never
    } cases[] = {{TVectorFormat::Pdf, false, 1}, {TVectorFormat::Pdf, true, 3}, {TVectorFormat::Pdf, true, 0},
                 {TVectorFormat::Svg, false, 2}, {TVectorFormat::Svg, true, 1}, {TVectorFormat::Svg, false, 0}};
    for (const auto& c : cases) {
        const bool pdf = c.format == TVectorFormat::Pdf;
        SCOPED_TRACE(testing::Message() << (pdf ? "pdf" : "svg") << " old file " << c.existing << " stop at "
                                        << c.stopAt);
        const QString path =
            dir.filePath(QStringLiteral("chart%1%2.%3").arg(c.existing).arg(c.stopAt).arg(pdf ? "pdf" : "svg"));
        if (c.existing) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        std::vector<std::pair<int64_t, int64_t>> reports;
        const bool whole = ExportChartVector(chart, path, c.format, [&](int64_t done, int64_t total) {
            reports.emplace_back(done, total);
            return int(reports.size()) != c.stopAt;
        });
        EXPECT_EQ(whole, c.stopAt == 0);
        if (c.stopAt) {
            EXPECT_EQ(int(reports.size()), c.stopAt);
            EXPECT_EQ(QFile::exists(path), c.existing);
            if (c.existing) {
                EXPECT_EQ(ReadAll(path), QByteArray("old"));
            }
        } else {
            ASSERT_GT(reports.size(), 5u);
            for (size_t i = 1; i < reports.size(); ++i) {
                EXPECT_GE(reports[i].first, reports[i - 1].first) << i;
            }
            EXPECT_EQ(reports.back().first, chart.FullWidth());
            EXPECT_EQ(reports.back().second, chart.FullWidth());
            // Still the whole document.
            const QByteArray bytes = ReadAll(path);
            EXPECT_TRUE(pdf ? bytes.trimmed().endsWith("%%EOF") : bytes.trimmed().endsWith("</svg>"));
            EXPECT_TRUE(pdf || bytes.contains(">2999<")) << "the last node is drawn";
        }
    }
    // Nothing half-written is left beside the files.
    for (const QString& name : QDir(dir.path()).entryList(QDir::Files)) {
        EXPECT_TRUE(name.endsWith(QLatin1String(".pdf")) || name.endsWith(QLatin1String(".svg"))) << name.toStdString();
    }
}
