#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "grid/ptgrid/PTGridClasses.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/framework/Form.h"
#include "stream/FormLoader.h"
#include "stream/FormReader.h"
#include "grid/drawgrid/TavikCustomDrawGrid.h"
#include "support/Errors.h"
#include "support/GridText.h"

namespace {

std::string Heights(TTavikPTGrid& g)
{
    std::string out;
    for (int r = 0; r < g.RowCount(); ++r)
        out += (r ? "," : "") + std::to_string(g.GetRowHeight(r));
    return out;
}

// A grid whose cell (c, r) holds "rc" (row digit, then column digit).
std::unique_ptr<TTavikPTGrid> Numbered(int cols, int rows)
{
    auto g = std::make_unique<TTavikPTGrid>(nullptr);
    g->SetColCount(cols);
    g->SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            g->Cell(c, r)->SetValue(QString::number(r) + QString::number(c));
    return g;
}

TEST(PTGridTest, CountsAddAndRemoveCellsAtTheEnds)
{
    TTavikPTGrid g(nullptr);
    ASSERT_EQ(g.Rows()->Count(), 5);
    EXPECT_EQ(g.Rows()->Items(4)->Cells()->Count(), 5);
    int destroyed = 0;
    g.OnCellDestroyed = TPTCellEvent([&](TObject*, TPTCell*) { ++destroyed; });
    g.SetColCount(7);
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(g.Rows()->Items(r)->Cells()->Count(), 7);
    g.SetRowCount(3);
    EXPECT_EQ(g.Rows()->Count(), 3);
    EXPECT_EQ(destroyed, 14);
    EXPECT_EQ(g.Cell(-1, 0), nullptr);
    EXPECT_EQ(g.Cell(7, 0), nullptr);
    EXPECT_EQ(g.Cell(0, 3), nullptr);
}

TEST(PTGridTest, ValueQueriesAndUpdateOnlyOnRealChange)
{
    TTavikPTGrid g(nullptr);
    std::vector<std::string> log;
    g.OnQueryCellValue = TQueryCellValueEvent([&](TObject*, int c, int r, QString& v) {
        log.push_back("query " + std::to_string(c) + "," + std::to_string(r) + "=" + v.toStdString());
    });
    g.OnUpdateCellValue = TUpdateCellValueEvent(
        [&](TObject*, int c, int r, const QString& v) { log.push_back("update " + v.toStdString()); });
    g.SetCellValue(2, 1, QStringLiteral("a"));
    g.SetCellValue(2, 1, QStringLiteral("a"));
    g.SetCellValue(2, 1, QStringLiteral("A"));
    g.SetCellValue(9, 1, QStringLiteral("x"));
    g.GetCellValue(2, 1);
    g.GetCellValue(-1, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"update a", "update A", "query 2,1=A", "query -1,0="}));
}

TEST(PTGridTest, AttributesComeFromTheCell)
{
    TTavikPTGrid g(nullptr);
    TPTCell* cell = g.Cell(1, 0);
    cell->SetHorzAlignment(haRightJustify);
    cell->SetDataType(cdtBoolean);
    cell->SetMergeID(7);
    TCellAttrInfo info;
    g.GetCellAttrs(1, 0, info, CellAttrs({caHorzAlign, caDataType, caMergeID}));
    // A head cell keeps its own alignment.
    EXPECT_EQ(info.HorzAlign, haRightJustify);
    EXPECT_EQ(info.DataType, cdtBoolean);
    EXPECT_EQ(g.MergeId(1, 0), 7);
    EXPECT_EQ(g.MergeId(1, 9), 0);
    info.FontSize = 14;
    info.BackColor = clRed;
    g.SetCellAttrs(1, 0, info, CellAttrs({caFontSize, caBackColor}));
    EXPECT_FALSE(cell->ParentFont());
    EXPECT_FALSE(cell->ParentColor());
    EXPECT_EQ(cell->FontValue().Size(), 14);
}

// The fields of b that differ from a, by selector name.
std::string ChangedFields(const TCellAttrInfo& a, const TCellAttrInfo& b)
{
    const std::pair<const char*, bool> fields[] = {
        {"FontName", a.FontName != b.FontName},       {"FontSize", a.FontSize != b.FontSize},
        {"FontColor", a.FontColor != b.FontColor},    {"FontStyles", a.FontStyles != b.FontStyles},
        {"BackColor", a.BackColor != b.BackColor},    {"RightLine", a.RightLine != b.RightLine},
        {"BottomLine", a.BottomLine != b.BottomLine}, {"Diagonal", a.Diagonal != b.Diagonal},
        {"AntiDiagonal", a.AntiDiagonal != b.AntiDiagonal}, {"HorzAlign", a.HorzAlign != b.HorzAlign},
        {"VertAlign", a.VertAlign != b.VertAlign},    {"DataType", a.DataType != b.DataType},
        {"MergeID", a.MergeID != b.MergeID},          {"Style", a.Style != b.Style},
        {"Format", a.Format != b.Format},             {"HorzMargin", a.HorzMargin != b.HorzMargin},
        {"VertMargin", a.VertMargin != b.VertMargin}, {"HandleSymbol", a.HandleSymbol != b.HandleSymbol},
        {"ImageIndex", a.ImageIndex != b.ImageIndex}, {"ImageLayout", a.ImageLayout != b.ImageLayout},
        {"ShowComment", a.ShowComment != b.ShowComment}, {"Comment", a.Comment != b.Comment},
    };
    std::string out;
    for (const auto& [name, changed] : fields)
        if (changed)
            out += (out.empty() ? "" : " ") + std::string(name);
    return out;
}

TEST(PTGridTest, AQueryOfACellWritesOnlyTheRequestedFields)
{
    TTavikPTGrid g(nullptr);
    g.SetColCount(3);
    g.SetRowCount(3);
    // A record filled by the caller beforehand, every field unlike the cell's.
    TCellAttrInfo before;
    before.FontName = "Sentinel";
    before.FontSize = 99;
    before.FontColor = 0x123456;
    before.FontStyles = fsItalic | fsStrikeOut;
    before.BackColor = 0x654321;
    before.RightLine = before.BottomLine = before.Diagonal = before.AntiDiagonal = 9;
    before.HorzAlign = haCenter;
    before.VertAlign = vaBottomJustify;
    before.DataType = cdtMemo;
    before.MergeID = 77;
    before.Style = csAutoStretch;
    before.Format = "0.00";
    before.HorzMargin = before.VertMargin = 9;
    before.HandleSymbol = true;
    before.ImageIndex = 5;
    before.ImageLayout = clImageBottom;
    before.ShowComment = true;
    before.Comment = "note";
    struct Case {
        TCellAttributes attrs;
        const char* changed;
    };
    std::vector<Case> cases = {
        {0, ""},
        {CellAttrs({caHorzAlign, caRightLine}), "RightLine HorzAlign"},
        {FontCellAttrs, "FontName FontSize FontColor FontStyles"},
    };
    const char* names[] = {"FontName", "FontSize", "FontColor", "FontStyles", "BackColor", "RightLine",
                           "BottomLine", "Diagonal", "AntiDiagonal", "HorzAlign", "VertAlign", "DataType",
                           "MergeID", "Style", "Format", "HorzMargin", "VertMargin", "HandleSymbol",
                           "ImageIndex", "ImageLayout", "ShowComment", "Comment"};
    for (int a = caFontName; a <= caComment; ++a)
        cases.push_back({CellAttr(TCellAttribute(a)), names[a]});
    for (const Case& c : cases) {
        for (TGridCoord cell : {TGridCoord{1, 1}, TGridCoord{0, 0}}) { // a body cell and a head cell
            SCOPED_TRACE(std::string(c.changed) + " at " + std::to_string(cell.X) + "," + std::to_string(cell.Y));
            TCellAttrInfo info = before;
            g.GetCellAttrs(cell.X, cell.Y, info, c.attrs);
            EXPECT_EQ(ChangedFields(before, info), c.changed);
        }
    }
    // Without a cell the view grid answers, and its answer is the whole default record.
    TCellAttrInfo outside = before;
    g.GetCellAttrs(5, 1, outside, CellAttr(caHorzAlign));
    EXPECT_EQ(outside.FontName, g.Font().Name());
    EXPECT_EQ(outside.MergeID, 0u);
}

TEST(PTGridTest, AssigningToAnotherKindOfGridIsABrokenInvariant)
{
    // A PT grid copies itself only into another PT grid; anything else is a
    // programming error. A grid that knows no copy into a PT grid answers with
    // the framework's assignment error.
    TTavikPTGrid source(nullptr);
    source.SetCellValue(1, 1, QStringLiteral("x"));
    TTavikPTGrid pt(nullptr);
    TTavikCustomDrawGrid draw(nullptr);
    EXPECT_EQ(ErrorOf<EAssertionFailed>([&] { draw.Assign(&source); }),
              "Assertion failed: a TTavikPTGrid is assigned only to a TTavikPTGrid, not to a TTavikCustomDrawGrid");
    EXPECT_EQ(ErrorOf<EConvertError>([&] { pt.Assign(&draw); }),
              "Cannot assign a TTavikCustomDrawGrid to a TTavikPTGrid");
    EXPECT_EQ(ErrorOf([&] { pt.Assign(&source); }), "no error");
    EXPECT_EQ(pt.GetCellValue(1, 1), "x");
}

TEST(PTGridTest, MovesCarryCellsAndRows)
{
    struct Case {
        bool column;
        int from, to;
        int probe;
        const char* expected;
    };
    const Case cases[] = {
        {true, 2, 0, 0, "02|12|22|32"},
        {true, 0, 3, 3, "00|10|20|30"},
        {false, 3, 1, 1, "30|31|32|33"},
        {false, 0, 2, 2, "00|01|02|03"},
    };
    for (const Case& c : cases) {
        auto g = Numbered(4, 4);
        g->Rows()->Items(c.column ? 0 : c.from)->SetExpand(false);
        if (c.column)
            g->MoveColumn(c.from, c.to);
        else
            g->MoveRow(c.from, c.to);
        EXPECT_EQ(c.column ? ColTexts(*g, c.probe) : RowTexts(*g, c.probe), c.expected)
            << c.from << "->" << c.to;
        if (!c.column) {
            EXPECT_FALSE(g->Rows()->Items(c.to)->Expand());
        }
    }
}

TEST(PTGridTest, DeleteAndInsertRows)
{
    auto g = Numbered(2, 4);
    g->SetRowHeights(1, 30);
    g->SetRowHeights(2, 40);
    g->InsertRow(2);
    EXPECT_EQ(ColTexts(*g, 0), "00|10||20|30");
    EXPECT_EQ(Heights(*g), "18,30,18,40,18");
    g->InsertRow(99);
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(g->Rows()->Count(), 6);

    g->DeleteRow(0);
    EXPECT_EQ(g->FixedRows(), 0);
    EXPECT_EQ(ColTexts(*g, 0), "10||20|30|");
    EXPECT_EQ(Heights(*g), "30,18,40,18,18");
    g->DeleteRow(5);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_ANY_THROW(g->InsertRow(-5));
    EXPECT_EQ(g->RowCount(), 5);
}

TEST(PTGridTest, LevelColumnHidesAndShows)
{
    TTavikPTGrid g(nullptr);
    g.SetColCount(10);
    g.SetColWidths(8, 50);
    g.SetLevelCol(8);
    EXPECT_EQ(g.ColWidths(8), 0);
    g.SetLevelCol(-1);
    EXPECT_EQ(g.ColWidths(8), g.DefaultColWidth());
    EXPECT_ANY_THROW(g.SetLevelCol(10));
    EXPECT_EQ(g.LevelCol(), -1);
}

TEST(PTGridTest, CollapsedChildStaysCollapsedWhenItsParentExpands)
{
    // Levels: head, 0, 1, 2, 2, 1, 0.
    TTavikPTGrid g(nullptr);
    g.SetColCount(3);
    g.SetRowCount(7);
    const char* levels[] = {"", "0", "1", "2", "2", "1", "0"};
    for (int r = 0; r < 7; ++r)
        g.Cell(2, r)->SetValue(QString::fromLatin1(levels[r]));
    g.SetIsTree(true);
    g.SetLevelCol(2);
    g.SetRowHeights(3, 25);
    g.SetRowExpanded(2, false);
    EXPECT_EQ(Heights(g), "18,18,18,0,0,18,18");
    g.SetRowExpanded(1, false);
    EXPECT_EQ(Heights(g), "18,18,0,0,0,0,18");
    g.SetRowExpanded(1, true);
    EXPECT_EQ(Heights(g), "18,18,18,0,0,18,18");
    g.SetRowExpanded(2, true);
    EXPECT_EQ(Heights(g), "18,18,18,25,18,18,18");
    EXPECT_EQ(g.RowLevel(3), 2);
    EXPECT_TRUE(g.IsTreeColumn(1));
}

TEST(PTGridTest, RangeFillRepeatsAndRangeMoveClears)
{
    struct Case {
        bool fill;
        TGridRect target;
        const char* expected;
    };
    const Case cases[] = {
        {true, {1, 2, 5, 2}, "|a|b|a|b|a"},
        {false, {1, 2, 3, 2}, "|a|b|||"},
        {false, {2, 1, 4, 1}, "||a|b||"},
    };
    for (const Case& c : cases) {
        TTavikPTGrid g(nullptr);
        g.SetColCount(6);
        g.Cell(1, 1)->SetValue(QStringLiteral("a"));
        g.Cell(2, 1)->SetValue(QStringLiteral("b"));
        int updates = 0;
        g.OnUpdateCellValue = TUpdateCellValueEvent([&](TObject*, int, int, const QString&) { ++updates; });
        if (c.fill)
            g.FillRangeChanged({1, 1, 2, 1}, c.target);
        else
            g.MoveRangeChanged({1, 1, 2, 1}, c.target);
        const int row = c.target.Top;
        EXPECT_EQ(RowTexts(g, row), c.expected) << c.fill;
        EXPECT_EQ(updates, 0);
        if (row != 1) {
            EXPECT_EQ(RowTexts(g, 1), "|||||");
        }
    }
}

TEST(PTGridTest, FirstCellCreatedHandlerStays)
{
    TTavikPTGrid g(nullptr);
    int first = 0;
    int second = 0;
    g.SetOnCellCreated(TPTCellEvent([&](TObject*, TPTCell*) { ++first; }));
    g.SetOnCellCreated(TPTCellEvent([&](TObject*, TPTCell*) { ++second; }));
    g.SetColCount(6);
    EXPECT_EQ(first, 5);
    EXPECT_EQ(second, 0);
}

class PTGridStored : public ::testing::Test {
protected:
    void SetUp() override { RegisterPTGridClasses(); }
};

std::string TreeForm(const std::string& levelCol)
{
    std::string rows;
    const char* levels[] = {"", "0", "1"};
    for (const char* level : levels) {
        rows += "      item\n        Expand = True\n        Cells = <\n";
        for (int c = 0; c < 3; ++c)
            rows += c == 2 ? std::string("          item\n            Value = '") + level + "'\n          end" :
                             std::string("          item\n          end\n");
        rows += ">\n        RowStyle = rsNormal\n      end";
    }
    return "object F: TForm\n  object G: TTavikPTGrid\n    ColCount = 3\n    RowCount = 3\n"
           "    Rows = <\n" + rows + ">\n    LevelCol = " + levelCol +
           "\n    IsTree = True\n    ColWidths = (20 72 72)\n  end\nend\n";
}

TEST_F(PTGridStored, LevelColumnHiddenAfterLoadingAndBadValuesRefused)
{
    TForm form(nullptr);
    LoadForm(&form, ReadForm(TreeForm("2"), "Tree.form"), "Tree.form");
    auto* g = form.Find<TTavikPTGrid>("G");
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->ColWidths(2), 0);
    EXPECT_EQ(g->RowLevel(2), 1);
    EXPECT_EQ(g->GetCellValue(2, 1), QStringLiteral("0"));

    for (const char* bad : {"3", "-2", "99999"}) {
        TForm other(nullptr);
        EXPECT_THROW(LoadForm(&other, ReadForm(TreeForm(bad), "Tree.form"), "Tree.form"), EFormError) << bad;
    }
    // Counts that would build millions of cells, or none, are refused with a place.
    for (const char* count : {"RowCount = 99999999", "RowCount = -4", "ColCount = 0"}) {
        std::string text = TreeForm("-1");
        const std::string key = std::string(count).substr(0, 8);
        const auto at = text.find(key);
        text.replace(at, text.find('\n', at) - at, count);
        TForm other(nullptr);
        EXPECT_THROW(LoadForm(&other, ReadForm(text, "Tree.form"), "Tree.form"), EFormError) << count;
    }
}

} // namespace
