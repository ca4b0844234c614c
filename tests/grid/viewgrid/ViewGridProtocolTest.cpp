#include <gtest/gtest.h>

#include "../GridErrorOf.h"
#include "../OneGridForm.h"
#include "grid/layout/CellTextWrap.h"
#include "grid/viewgrid/ViewGridClasses.h"
#include "platform/framework/Form.h"
#include "stream/FormLoader.h"
#include "stream/FormReader.h"
#include "ViewGridTestUtil.h"

using namespace viewgridtest;

namespace {

class ViewGridProtocol : public ::testing::Test, public MapGrid {};

TEST_F(ViewGridProtocol, QueriesOutsideTheGridAnswerDefaultsWithoutEvents)
{
    int calls = 0;
    grid->OnQueryCellValue = TQueryCellValueEvent([&](TObject*, int, int, QString& v) {
        ++calls;
        v = "x";
    });
    grid->OnQueryCellAttribute = TQueryCellAttributeEvent([&](TObject*, int, int, TCellAttributes, TCellAttrInfo& i) {
        ++calls;
        i.MergeID = 9;
    });
    for (const Cell& c : {Cell{-1, 1}, Cell{5, 1}, Cell{1, -1}, Cell{1, 5}}) {
        EXPECT_EQ(grid->GetCellValue(c.first, c.second), "");
        TCellAttrInfo info;
        grid->GetCellAttrs(c.first, c.second, info, ~0u);
        EXPECT_EQ(info.ImageIndex, -1);
        EXPECT_EQ(grid->MergeId(c.first, c.second), 0);
    }
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(grid->MergeId(1, 1), 9);
}

TEST_F(ViewGridProtocol, DefaultAttributes)
{
    grid->SetCellHorzMargin(3);
    TCellAttrInfo info;
    grid->GetCellAttrs(2, 2, info, CellAttr(caFontName));
    EXPECT_EQ(info.FontName, QStringLiteral("宋体"));
    EXPECT_EQ(info.FontSize, 9);
    EXPECT_EQ(info.FontStyles, 0);
    EXPECT_EQ(info.BackColor, kData);
    EXPECT_EQ(info.HorzAlign, haDefault);
    EXPECT_EQ(info.VertAlign, vaCenter);
    EXPECT_EQ(info.DataType, cdtString);
    EXPECT_EQ(info.Style, csAutoWrap);
    EXPECT_EQ(info.HorzMargin, 3);
    EXPECT_EQ(info.VertMargin, 2);
    EXPECT_EQ(info.ImageIndex, -1);
    EXPECT_EQ(info.ImageLayout, clImageLeft);
    EXPECT_FALSE(info.ShowComment);
    // The locked part is centred when the alignment is asked for.
    grid->GetCellAttrs(0, 2, info, CellAttr(caHorzAlign));
    EXPECT_EQ(info.HorzAlign, haCenter);
    grid->GetCellAttrs(2, 0, info, CellAttr(caDataType));
    EXPECT_EQ(info.HorzAlign, haDefault);
    EXPECT_EQ(grid->ColWidths(0), 20);
    EXPECT_TRUE(grid->HasOption(goCellMerge));
}

TEST_F(ViewGridProtocol, EditTextGoesToTheMergedAreaAndNormalisesBooleans)
{
    for (int c = 1; c <= 2; ++c)
        attrs[{c, 1}] = [](TCellAttrInfo& i) {
            i.MergeID = 3;
            i.DataType = cdtBoolean;
        };
    values[{1, 1}] = "true";
    EXPECT_EQ(grid->GetEditText(2, 1), "true");
    int setEvents = 0;
    grid->SetEditTextHandler = TGridSetEditEvent([&](TObject*, int c, int r, const QString&) {
        ++setEvents;
        EXPECT_EQ(c, 1);
        EXPECT_EQ(r, 1);
    });
    grid->SetEditText(2, 1, "T");
    EXPECT_TRUE(updates.empty()) << "\"true\" counts as \"T\"";
    grid->SetEditText(2, 1, "F");
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0], (std::pair<Cell, QString>{{1, 1}, "F"}));
    EXPECT_EQ(setEvents, 2);
}

TEST_F(ViewGridProtocol, RowDataAndColumnDataFollowMovesAndCounts)
{
    grid->SetRowCount(6);
    for (int r = 0; r < 6; ++r)
        grid->SetRowData(r, 10 + r);
    grid->SetColData(1, 7);
    grid->MoveRow(1, 4);
    EXPECT_EQ(grid->GetRowData(4), 11);
    EXPECT_EQ(grid->GetRowData(1), 12);
    grid->MoveColumn(1, 3);
    EXPECT_EQ(grid->ColData(3), 7);
    grid->SetRowCount(8);
    EXPECT_EQ(grid->GetRowData(7), 0);
    EXPECT_TRUE(grid->RowExpanded(7));

    EXPECT_EQ(ErrorOf([&] { grid->GetRowData(8); }), "非法行下标");
    EXPECT_EQ(ErrorOf([&] { grid->SetRowData(-1, 0); }), "非法行下标");
    EXPECT_EQ(ErrorOf([&] { grid->MoveRow(0, 8); }), "非法行下标");
    EXPECT_EQ(ErrorOf([&] { grid->MoveColumn(5, 0); }), "非法列下标");
    EXPECT_EQ(ErrorOf([&] { grid->BestWidth(5); }), "非法列下标");
}

TEST_F(ViewGridProtocol, RowStyleComesThroughItsEvent)
{
    grid->OnQueryRowStyle = TQueryRowStyleEvent([](TObject*, int row, TRowStyle& s) {
        if (row == 2)
            s = rsSplit;
    });
    EXPECT_EQ(grid->RowStyle(1), rsNormal);
    EXPECT_EQ(grid->RowStyle(2), rsSplit);
}

TEST(ViewGridClasses, StoredDefinitionSetsTheLineColoursAndSizesTheRows)
{
    RegisterViewGridClasses();
    TForm form(nullptr);
    auto* grid = LoadOneGrid<TTavikCustomViewGrid>(form, "TTavikCustomViewGrid",
                                                   "    RowCount = 7\n"
                                                   "    GridLineColor = clGray\n"
                                                   "    BoundLineColor = clRed\n");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->GridLineColor(), clGray);
    EXPECT_EQ(grid->BoundLineColor(), clRed);
    EXPECT_EQ(grid->GetRowData(6), 0);
    EXPECT_TRUE(grid->RowExpanded(6));
}

// Each character 12 pixels wide, as a CJK character in a 12-pixel face.
int Twelve(const QString& s)
{
    return 12 * static_cast<int>(s.size());
}

TEST(CellTextWrap, BreaksBetweenCharactersOnly)
{
    const struct {
        QString text;
        int width;
        QStringList pieces;
    } cases[] = {
        {QStringLiteral("中文文本换行"), 40, {QStringLiteral("中文文"), QStringLiteral("本换行")}},
        {QStringLiteral("中文\n短"), 40, {QStringLiteral("中文"), QStringLiteral("短")}},
        {QStringLiteral("中文"), 24, {QStringLiteral("中文")}},
        {QStringLiteral("中文"), 11, {}},
        {QStringLiteral(""), 11, {QString()}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WrapCellText(c.text, c.width, Twelve, 100), c.pieces) << c.text.toStdString();
    // A surrogate pair is one character: never cut in two.
    const QString pairs = QString::fromUcs4(U"\U00020000\U00020001");
    const QStringList p = WrapCellText(pairs, 30, Twelve, 100);
    ASSERT_EQ(p.size(), 2);
    EXPECT_EQ(p[0].size(), 2);
    EXPECT_EQ(WrapCellText(QString(100000, QChar(u'字')), 40, Twelve, 3).size(), 3) << "bounded by the lines that fit";
}

} // namespace
