#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "grid/viewgrid/GridPrintWriter.h"
#include "grid/ptgrid/TavikPTGrid.h"

namespace {

// A head row and `rows` data rows of the default height (18 pixels and a
// 1-pixel line: 19 a row), the numbers in column 1, names in column 2.
struct ListGrid {
    TTavikPTGrid g{nullptr};
    explicit ListGrid(int rows)
    {
        g.SetColCount(3);
        g.SetRowCount(rows + 1);
        g.Cell(1, 0)->SetValue(QStringLiteral("编号"));
        g.Cell(2, 0)->SetValue(QStringLiteral("名称"));
        for (int r = 1; r <= rows; ++r) {
            g.Cell(1, r)->SetValue(QStringLiteral("N%1").arg(r));
            g.Cell(2, r)->SetValue(QStringLiteral("用户%1").arg(r));
        }
        // Scrolled and partly selected: the printout shows neither.
        g.SetTopLeft(1, rows / 2);
    }
};

// A head column of headWidth pixels and `cols` data columns of 99 (100 with
// their line), heads "C1" … over rows "R1" …: wider than a page at a chosen
// scale.
struct WideGrid {
    TTavikPTGrid g{nullptr};
    WideGrid(int cols, int rows, int headWidth)
    {
        g.SetColCount(cols + 1);
        g.SetRowCount(rows + 1);
        g.SetColWidths(0, headWidth - 1);
        for (int c = 1; c <= cols; ++c) {
            g.SetColWidths(c, 99);
            g.Cell(c, 0)->SetValue(QStringLiteral("C%1").arg(c));
            for (int r = 1; r <= rows; ++r)
                g.Cell(c, r)->SetValue(QStringLiteral("v%1x%2").arg(c).arg(r));
        }
        for (int r = 1; r <= rows; ++r)
            g.Cell(0, r)->SetValue(QStringLiteral("R%1").arg(r));
        g.SetTopLeft(3, 1);
    }
};

QString PdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("(pdftotext failed)");
    return QString::fromUtf8(p.readAllStandardOutput());
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

TEST(GridPrintWriter, PagesTakeTheRowsThatFitWholeUnderTheHeads)
{
    const struct {
        const char* name;
        int rows;
        double pageHeight;
        std::vector<int> hidden;
        int tallRow;
        std::vector<int> pageRows;
    } cases[] = {
        {"one page", 5, 1000, {}, 0, {1}},
        // Heads 19 and ten rows of 19 fill 209 pixels exactly.
        {"ten rows a page", 25, 209, {}, 0, {1, 11, 21}},
        // The last row's line may fall off the page; the row itself may not.
        {"a row that does not fit whole goes to the next page", 25, 207, {}, 0, {1, 10, 19}},
        {"hidden rows take no room", 13, 209, {3, 4}, 0, {1, 13}},
        {"a row taller than a page gets one of its own", 4, 100, {}, 2, {1, 2, 3}},
        {"heads alone", 0, 100, {}, 0, {1}},
    };
    for (const auto& c : cases) {
        ListGrid t(c.rows);
        for (int r : c.hidden)
            t.g.SetRowHeights(r, 0);
        if (c.tallRow)
            t.g.SetRowHeights(c.tallRow, 500);
        TGridPrintWriter writer(t.g);
        EXPECT_EQ(writer.Paginate(10000, c.pageHeight), int(c.pageRows.size())) << c.name;
        EXPECT_EQ(writer.PageRows(), c.pageRows) << c.name;
        EXPECT_DOUBLE_EQ(writer.Scale(), 1.0) << c.name;
    }
    ListGrid wide(3);
    TGridPrintWriter writer(wide.g);
    writer.Paginate(writer.FullWidth() / 2.0, 100);
    EXPECT_DOUBLE_EQ(writer.Scale(), 0.5);
    EXPECT_EQ(writer.PageCols(), std::vector<int>{1});
}

// At a chosen scale a grid wider than the page goes on over pages across,
// each taking the columns that fit whole beside the head column, which repeats
// unless it takes more than half the page.
TEST(GridPrintWriter, AtAChosenScaleColumnsGoOnOverPagesAcross)
{
    const struct {
        const char* name;
        int headWidth;
        double pageWidth;
        TPrintScaling scaling;
        std::vector<int> hidden;
        std::vector<int> pageCols;
        bool headsRepeat;
    } cases[] = {
        // Heads 50 and three columns of 100 fill 350 pixels exactly.
        {"three columns a page", 50, 350, {false, 1.0}, {}, {1, 4, 7, 10}, true},
        {"fitted: one page across, shrunk", 50, 350, {true, 1.0}, {}, {1}, true},
        {"at half size twice the room", 50, 350, {false, 0.5}, {}, {1, 7}, true},
        {"at double size half the room", 50, 700, {false, 2.0}, {}, {1, 4, 7, 10}, true},
        // The last column's line may fall off the page; the column itself may not.
        {"a line off the page", 50, 349, {false, 1.0}, {}, {1, 4, 7, 10}, true},
        {"a column that does not fit whole goes to the next page", 50, 348, {false, 1.0}, {}, {1, 3, 5, 7, 9}, true},
        {"hidden columns take no room", 50, 350, {false, 1.0}, {2}, {1, 5, 8}, true},
        {"the whole grid on one page", 50, 5000, {false, 1.0}, {}, {1}, true},
        // Heads over half the page are on the first page only; the others
        // give their whole width to the data.
        {"wide heads on the first page only", 200, 350, {false, 1.0}, {}, {1, 2, 5, 8}, false},
        {"heads wider than the page have a page of their own", 400, 350, {false, 1.0}, {}, {1, 1, 4, 7, 10}, false},
    };
    for (const auto& c : cases) {
        WideGrid t(10, 5, c.headWidth);
        for (int col : c.hidden)
            t.g.SetColWidths(col, 0);
        TGridPrintWriter writer(t.g);
        EXPECT_EQ(writer.Paginate(c.pageWidth, 1000, c.scaling), int(c.pageCols.size())) << c.name;
        EXPECT_EQ(writer.PageCols(), c.pageCols) << c.name;
        EXPECT_EQ(writer.PageRows(), std::vector<int>{1}) << c.name;
        EXPECT_EQ(writer.HeadColumnsRepeat(), c.headsRepeat) << c.name;
        EXPECT_DOUBLE_EQ(writer.Scale(), c.scaling.fitToPage ? c.pageWidth / writer.FullWidth() : c.scaling.scale)
            << c.name;
    }
    // Pages across and down: heads 19 and ten rows of 19 fill 209 pixels.
    WideGrid t(10, 25, 50);
    TGridPrintWriter writer(t.g);
    EXPECT_EQ(writer.Paginate(350, 209, {false, 1.0}), 12);
    EXPECT_EQ(writer.PageRows(), (std::vector<int>{1, 11, 21}));
}

TEST(GridPrintWriter, APdfPrintoutHoldsEveryRowAndTheHeadsOnEachPage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.pdf"));
    ListGrid t(150);
    auto printer = TDrawingPrinter::ToPdfFile(path);
    std::vector<int64_t> reports;
    ASSERT_TRUE(TGridPrintWriter(t.g).Print(*printer, [&](int64_t done, int64_t) {
        reports.push_back(done);
        return true;
    }));
    const QString text = PdfText(path);
    const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2) << text.toStdString();
    EXPECT_EQ(int(reports.size()), int(pages.size()) + 1);
    for (const QString& page : pages) {
        EXPECT_TRUE(page.contains(QStringLiteral("编号")) && page.contains(QStringLiteral("名称")))
            << page.toStdString();
    }
    for (int r = 1; r <= 150; ++r) {
        EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("\\bN%1\\b").arg(r))), 1) << r;
        EXPECT_TRUE(text.contains(QStringLiteral("用户%1").arg(r))) << r;
    }
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".part")));
}

// Printed at a chosen scale, each page across holds its own columns' heads and
// cells, and the head column's where it repeats; every cell is printed once.
TEST(GridPrintWriter, APrintoutAtAChosenScaleHoldsEachColumnOnce)
{
    QTemporaryDir dir;
    const struct {
        int headWidth;
        double scale;
        bool repeat;
    } cases[] = {{50, 1.5, true}, {400, 1.0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "head width " << c.headWidth << " scale " << c.scale);
        const QString path = dir.filePath(QStringLiteral("wide%1.pdf").arg(c.headWidth));
        WideGrid t(12, 3, c.headWidth);
        auto printer = TDrawingPrinter::ToPdfFile(path);
        printer->SetScaling({false, c.scale});
        TGridPrintWriter writer(t.g);
        const int expected = writer.Paginate(printer->PageArea().width, printer->PageArea().height, printer->Scaling());
        ASSERT_GT(writer.PagesAcross(), 1);
        ASSERT_EQ(writer.HeadColumnsRepeat(), c.repeat);
        ASSERT_TRUE(writer.Print(*printer));
        const QStringList pages = PdfText(path).split(u'\f', Qt::SkipEmptyParts);
        ASSERT_EQ(int(pages.size()), expected);
        const std::vector<int> firsts = writer.PageCols();
        for (int p = 0; p < int(pages.size()); ++p) {
            const int first = firsts[size_t(p)];
            const int next = p + 1 < int(firsts.size()) ? firsts[size_t(p) + 1] : 13;
            EXPECT_EQ(pages[p].contains(QStringLiteral("R3")), c.repeat || p == 0) << p << pages[p].toStdString();
            for (int col = 1; col <= 12; ++col) {
                const bool here = col >= first && col < next;
                EXPECT_EQ(pages[p].contains(QRegularExpression(QStringLiteral("\\bC%1\\b").arg(col))), here)
                    << "page " << p << " column " << col << "\n" << pages[p].toStdString();
                EXPECT_EQ(pages[p].contains(QStringLiteral("v%1x3").arg(col)), here) << "page " << p << " column " << col;
            }
        }
    }
}

TEST(GridPrintWriter, ACancelledPrintoutLeavesTheOldFileAsItWas)
{
    QTemporaryDir dir;
    const struct {
        const char* name;
        bool existing;
    } cases[] = {{"no file before", false}, {"an old file", true}};
    for (const auto& c : cases) {
        const QString path = dir.filePath(QStringLiteral("%1.pdf").arg(c.existing));
        if (c.existing) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        ListGrid t(150);
        auto printer = TDrawingPrinter::ToPdfFile(path);
        EXPECT_FALSE(TGridPrintWriter(t.g).Print(*printer, [](int64_t done, int64_t) { return done < 1; })) << c.name;
        EXPECT_EQ(QFile::exists(path), c.existing) << c.name;
        if (c.existing) {
            EXPECT_EQ(ReadAll(path), QByteArray("old"));
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), c.existing ? 1 : 0) << c.name;
    }
}

TEST(GridPrintWriter, RowsUnderACollapsedTreeRowArePrintedToo)
{
    ListGrid t(25);
    t.g.SetColCount(4);
    for (int r = 1; r <= 25; ++r)
        t.g.Cell(3, r)->SetValue(r == 1 ? QStringLiteral("0") : QStringLiteral("1"));
    t.g.SetLevelCol(3);
    t.g.SetIsTree(true);
    t.g.SetRowHeights(5, 30);
    t.g.SetRowExpanded(1, false);
    ASSERT_EQ(t.g.GetRowHeight(2), 0);
    TGridPrintWriter writer(t.g);
    // 19 for the heads and each row, 31 for row 5: rows 1 to 9, 10 to 19, 20 to 25.
    EXPECT_EQ(writer.Paginate(10000, 209), 3);
    EXPECT_EQ(writer.PageRows(), (std::vector<int>{1, 10, 20}));
    // The screen's grid keeps its tree as it was.
    EXPECT_EQ(t.g.GetRowHeight(2), 0);
    EXPECT_FALSE(t.g.RowExpanded(1));
}
