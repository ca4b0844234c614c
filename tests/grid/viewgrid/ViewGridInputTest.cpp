#include <functional>

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include "grid/viewgrid/CheckCell.h"
#include "grid/viewgrid/CommentBox.h"
#include "grid/viewgrid/HintBox.h"
#include "grid/editor/InplaceEdit.h"
#include "grid/selection/Selections.h"
#include "platform/framework/Form.h"
#include "platform/framework/window/PopupWindow.h"
#include "ViewGridTestUtil.h"
#include "support/GridText.h"
#include "support/ControlTestAccess.h"
#include "grid/core/GridEditing.h"

using namespace viewgridtest;

namespace {

class ViewGridInput : public ::testing::Test, public MapGrid {
protected:
    void SetUp() override
    {
        grid->SetRowCount(8);
        grid->Widget();
        grid->Update();
    }
    void Click(int x, int y, TShiftState extra = 0)
    {
        grid->MouseDown(mbLeft, ssLeft | extra, x, y);
        grid->MouseUp(mbLeft, 0, x, y);
    }
    TPoint BoxCentre(int col, int row)
    {
        const TRect r = CheckBoxRect(grid->ContentRect(col, row, grid->CellBounds(col, row)));
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    QString& V(int col, int row) { return values[{col, row}]; }
    // Above everything, never activated, the mouse passing through.
    static void ExpectHintWindow(TControl* box)
    {
        QWidget* w = box->Widget();
        EXPECT_TRUE(w->isWindow());
        EXPECT_TRUE(w->windowFlags() & Qt::WindowTransparentForInput);
        EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_TRUE(w->testAttribute(Qt::WA_ShowWithoutActivating));
    }
    void MakeBoolean(int col, int row, const QString& value)
    {
        attrs[{col, row}] = [](TCellAttrInfo& i) { i.DataType = cdtBoolean; };
        values[{col, row}] = value;
    }
};

TEST_F(ViewGridInput, ClickInTheBoxTogglesAndMakesTheCellCurrent)
{
    MakeBoolean(2, 3, "FALSE");
    const TRect cell = grid->CellBounds(2, 3);
    Click(cell.Left + 3, (cell.Top + cell.Bottom) / 2);
    EXPECT_EQ(grid->Current(), (TGridCoord{2, 3}));
    EXPECT_EQ(V(2, 3), "FALSE") << "beside the box only selects";

    grid->MoveCurrent(1, 1, true, false, false, true);
    const TPoint p = BoxCentre(2, 3);
    Click(p.X, p.Y);
    EXPECT_EQ(grid->Current(), (TGridCoord{2, 3}));
    EXPECT_EQ(V(2, 3), "T");
    Click(p.X, p.Y);
    EXPECT_EQ(V(2, 3), "F");
}

TEST_F(ViewGridInput, WithoutDirectEditTheFirstClickOnlySelects)
{
    grid->SetDirectEditBool(false);
    MakeBoolean(2, 3, "T");
    const TPoint p = BoxCentre(2, 3);
    Click(p.X, p.Y);
    EXPECT_EQ(V(2, 3), "T");
    Click(p.X, p.Y);
    EXPECT_EQ(V(2, 3), "F");
}

TEST_F(ViewGridInput, WithoutTheBoxSwitchAPressAnywhereToggles)
{
    grid->SetOptions(grid->Options() & ~GridOption(goBoolClickBoxSwitch));
    MakeBoolean(2, 3, "");
    const TRect cell = grid->CellBounds(2, 3);
    Click(cell.Left + 3, cell.Top + 3);
    EXPECT_EQ(V(2, 3), "T");
}

TEST_F(ViewGridInput, SpaceTogglesTheCurrentCheckCell)
{
    const struct {
        const char* before;
        const char* after;
    } cases[] = {{"FALSE", "T"}, {"T", "F"}, {"", "T"}, {"x", "T"}};
    for (const auto& c : cases) {
        MakeBoolean(2, 2, c.before);
        grid->MoveCurrent(2, 2, true, false, false, true);
        QChar space(u' ');
        grid->KeyPress(space);
        EXPECT_EQ(V(2, 2), c.after) << c.before;
    }
    grid->SetReadOnly(true);
    MakeBoolean(2, 2, "T");
    QChar space(u' ');
    grid->KeyPress(space);
    EXPECT_EQ(V(2, 2), "T") << "read-only grids do not toggle";
    QChar other(u'a');
    grid->SetReadOnly(false);
    grid->KeyPress(other);
    EXPECT_EQ(V(2, 2), "T") << "other characters do nothing visible";
}

class ViewGridTree : public ViewGridInput {
protected:
    void SetUp() override
    {
        ViewGridInput::SetUp();
        // 1: a; 2: a.1; 3: a.1.1; 4: a.2; 5: b; 6: b.1; 7: c
        levels = {0, 0, 1, 2, 1, 0, 1, 0};
        grid->SetIsTree(true);
        grid->TreeShapeChanged();
    }
    std::vector<int> Heights() { return EachOf(grid->RowCount(), [&](int r) { return grid->GetRowHeight(r); }); }
};

TEST_F(ViewGridTree, CollapsingHidesDescendantsAndExpandingShowsExactlyTheVisibleOnes)
{
    EXPECT_EQ(grid->ParentRow(3), 2);
    EXPECT_EQ(grid->ParentRow(4), 1);
    EXPECT_TRUE(grid->RowHasChildren(1));
    grid->SetRowExpanded(2, false);
    EXPECT_EQ(Heights(), (std::vector<int>{18, 18, 18, 0, 18, 18, 18, 18}));
    grid->SetRowExpanded(1, false);
    EXPECT_EQ(Heights(), (std::vector<int>{18, 18, 0, 0, 0, 18, 18, 18}));
    grid->SetRowExpanded(1, true);
    EXPECT_EQ(Heights(), (std::vector<int>{18, 18, 18, 0, 18, 18, 18, 18})) << "row 3 stays under collapsed row 2";
    EXPECT_EQ(grid->RowExtents().Get(3, 18), 18) << "stored heights are kept";
}

TEST_F(ViewGridTree, AllRowsOpenAndCloseWithWholeGridRepaintsOnly)
{
    const struct {
        unsigned command;
        std::vector<int> heights;
    } cases[] = {
        {WM_USER + 1017, {18, 18, 0, 0, 0, 18, 0, 18}},
        {WM_USER + 1016, {18, 18, 18, 18, 18, 18, 18, 18}},
    };
    for (const auto& c : cases) {
        ControlTestAccess::RecordInvalidations(*grid, true);
        ControlTestAccess::TakeInvalidations(*grid);
        grid->Perform(c.command);
        const std::vector<TRect> rects = ControlTestAccess::TakeInvalidations(*grid);
        ControlTestAccess::RecordInvalidations(*grid, false);
        EXPECT_EQ(Heights(), c.heights) << c.command;
        // The scroll range may change the client area once; no row asks on its own.
        EXPECT_LE(rects.size(), 2u) << c.command;
        for (const TRect& r : rects)
            EXPECT_EQ(r, (TRect{0, 0, grid->ClientWidth(), grid->ClientHeight()})) << c.command;
    }
}

TEST_F(ViewGridTree, ExpandButtonToggles)
{
    grid->SetRowCount(8);
    const TRect cell = grid->CellBounds(1, 1);
    const int m = (cell.Top + cell.Bottom) / 2;
    // Level 0: the button's centre is at Left + margin + 5.
    Click(cell.Left + grid->CellHorzMargin() + 5, m);
    EXPECT_FALSE(grid->RowExpanded(1));
    EXPECT_EQ(grid->GetRowHeight(2), 0);
    Click(cell.Left + 40, m);
    EXPECT_FALSE(grid->RowExpanded(1)) << "a press elsewhere in the tree cell does not toggle";
    Click(cell.Left + grid->CellHorzMargin() + 5, m);
    EXPECT_TRUE(grid->RowExpanded(1));

    // Row 0 is never toggled, even with children below.
    levels = {0, 1, 2, 2, 1, 0, 1, 0};
    grid->SetFixedRows(0);
    grid->TreeShapeChanged();
    const TRect head = grid->CellBounds(0, 0);
    Click(head.Left + grid->CellHorzMargin() + 5, (head.Top + head.Bottom) / 2);
    EXPECT_TRUE(grid->RowExpanded(0));
}

TEST_F(ViewGridTree, WholeRowSelectionTakesDescendants)
{
    int added = 0;
    grid->OnSelectionChanged = TSelectionChangedEvent([&](TObject*, TGridSelection*, TSelectoinNotification a) {
        added += a == snAdded;
    });
    grid->Selections().Add(std::make_unique<TRowSelection>(1, 1), true);
    auto* rows = dynamic_cast<TRowSelection*>(grid->Selections().Last());
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->FirstRow(), 1);
    EXPECT_EQ(rows->LastRow(), 4);
    EXPECT_EQ(added, 1);
    TGridRect out;
    grid->NormalizeSelRect({1, 5, 2, 5}, out);
    EXPECT_EQ(out, (TGridRect{1, 5, 2, 6}));
}

TEST_F(ViewGridTree, TreeColumnLinesAndButtons)
{
    grid->SetGridLineColor(kData);
    grid->MoveCurrent(3, 7, true, false, false, true);
    const QImage img = Paint();
    // Row 1 (19..37), tree column 1 from 21: R.Left = 23, m = 28, x = 28.
    const TColor line = clSilver;
    EXPECT_EQ(At(img, 23, 23), line) << "button outline, left";
    EXPECT_EQ(At(img, 33, 33), line) << "button outline, bottom right";
    EXPECT_EQ(At(img, 26, 28), line) << "minus stroke";
    EXPECT_EQ(At(img, 28, 35), line) << "line down to the children";
    // Row 2, level 1: the joint from the parent's line at x - 10 = 28.
    EXPECT_EQ(At(img, 28, 40), line);
}

TEST_F(ViewGridInput, BestWidthIsTheWidestTextPlusMargins)
{
    V(2, 1) = "short";
    V(2, 3) = "a much longer text\nx";
    TCanvas& m = TTavikCustomViewGrid::MeasureCanvas();
    m.Font().Assign(&grid->Font());
    const int widest = m.TextWidth("a much longer text");
    EXPECT_EQ(grid->BestWidth(2), widest + 4);
    EXPECT_EQ(grid->BestWidth(3), 10) << "empty cells: margins alone give 4, below the minimum";
    MakeBoolean(3, 2, "T");
    EXPECT_EQ(grid->BestWidth(3), 2 + 13 + 2 + 4);

    // A double click on the right border of column 2 applies it.
    const TRect cell = grid->CellBounds(2, 2);
    grid->MouseDown(mbLeft, ssLeft | ssDouble, cell.Right - 2, cell.Top + 5);
    grid->MouseUp(mbLeft, 0, cell.Right - 2, cell.Top + 5);
    EXPECT_EQ(grid->ColWidths(2), widest + 4);
    EXPECT_FALSE(grid->IsBestWidthHit(cell.Left + 30, cell.Top + 5));
}

TEST_F(ViewGridInput, BestWidthMeasuresTheOpenEditorsText)
{
    V(2, 1) = "ab";
    V(2, 2) = "cd";
    TCanvas& m = TTavikCustomViewGrid::MeasureCanvas();
    m.Font().Assign(&grid->Font());
    // The editor opens only on a grid that holds the focus on a form.
    TForm form(nullptr);
    form.SetBounds(0, 0, 500, 300);
    grid->SetParent(&form);
    form.SetActiveControl(grid.get());
    grid->MoveCurrent(2, 1, true, false, false, true);
    grid->SetEditorMode(true);
    ASSERT_TRUE(grid->EditorMode());
    ASSERT_NE(grid->Editing().Editor(), nullptr);
    for (QChar ch : QStringLiteral("a much longer typed text"))
        grid->Editing().Editor()->SendChar(ch);
    const QString typed = grid->Editing().Editor()->Text();
    ASSERT_GT(typed.size(), 2);
    EXPECT_EQ(V(2, 1), "ab") << "nothing stored yet";
    EXPECT_EQ(grid->BestWidth(2), m.TextWidth(typed) + 4);
    grid->Editing().Editor()->SetText("a");
    EXPECT_EQ(grid->BestWidth(2), m.TextWidth("cd") + 4) << "a shorter text leaves the other rows' widths";
    grid->SetParent(nullptr);
}

TEST_F(ViewGridInput, TheEditHideQueryDecidesWhetherAToggleIsStored)
{
    MakeBoolean(2, 2, "T");
    grid->MoveCurrent(2, 2, true, false, false, true);
    std::vector<QString> asked;
    bool allow = false;
    grid->OnQueryEditHide = TGridQueryEditHideEvent([&](TObject*, int c, int r, const QString& text, bool& can) {
        EXPECT_EQ((TGridCoord{c, r}), (TGridCoord{2, 2}));
        asked.push_back(text);
        can = allow;
    });
    QChar space(u' ');
    grid->KeyPress(space);
    EXPECT_EQ(V(2, 2), "T") << "a refused query keeps the value";
    const TPoint p = BoxCentre(2, 2);
    Click(p.X, p.Y);
    EXPECT_EQ(V(2, 2), "T");
    allow = true;
    grid->KeyPress(space);
    EXPECT_EQ(V(2, 2), "F");
    EXPECT_EQ(asked, (std::vector<QString>{"F", "F", "F"})) << "the query sees the value to be stored";
    EXPECT_FALSE(grid->EditorMode());
}

TEST_F(ViewGridInput, AToggleRepaintsTheCheckCellOnce)
{
    MakeBoolean(2, 2, "F");
    grid->MoveCurrent(2, 2, true, false, false, true);
    const TRect cell = grid->CellBounds(2, 2);
    const TPoint box = BoxCentre(2, 2);
    const struct {
        const char* how;
        std::function<void()> toggle;
    } cases[] = {
        {"space",
         [&] {
             QChar space(u' ');
             grid->KeyPress(space);
         }},
        {"click", [&] { Click(box.X, box.Y); }},
    };
    for (const auto& c : cases) {
        const QString before = V(2, 2);
        ControlTestAccess::RecordInvalidations(*grid, true);
        ControlTestAccess::TakeInvalidations(*grid);
        c.toggle();
        const std::vector<TRect> rects = ControlTestAccess::TakeInvalidations(*grid);
        ControlTestAccess::RecordInvalidations(*grid, false);
        EXPECT_NE(V(2, 2), before) << c.how;
        ASSERT_EQ(rects.size(), 1u) << c.how;
        TRect both;
        UnionRect(both, rects[0], cell);
        EXPECT_EQ(both, rects[0]) << c.how << ": the whole cell";
    }
}

TEST_F(ViewGridInput, CommentPopUpAtTheCellsTopRight)
{
    attrs[{2, 2}] = [](TCellAttrInfo& i) {
        i.ShowComment = true;
        i.Comment = "第一行\r\nline 2";
    };
    const TRect cell = grid->CellBounds(2, 2);
    QString text;
    TPoint where;
    ASSERT_TRUE(grid->CommentAt(cell.Left + 5, cell.Top + 5, text, where));
    EXPECT_EQ(where, (TPoint{cell.Right, cell.Top - 10}));
    QCursor::setPos(321, 123);
    grid->MouseMove(0, cell.Left + 5, cell.Top + 5);
    TCustomCommentBox* box = grid->CommentBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->Visible());
    EXPECT_EQ(box->BoundsRect().TopLeft(), grid->ClientToScreen({cell.Right, cell.Top - 10}));
    EXPECT_EQ(box->Parent(), nullptr) << "a window of its own, not clipped to the grid";
    EXPECT_TRUE(PopupWindow::IsShown(box));
    ExpectHintWindow(box);
    EXPECT_EQ(box->Memo()->Lines(), (QStringList{"第一行", "line 2"}));
    EXPECT_EQ(box->Memo()->Left(), 15);
    grid->MouseMove(0, cell.Left - 30, cell.Top + 5);
    EXPECT_FALSE(box->Visible()) << "a cell without comment";
    grid->MouseMove(0, cell.Left + 5, cell.Top + 5);
    EXPECT_TRUE(box->Visible());
    grid->MouseLeave();
    EXPECT_FALSE(box->Visible());
    EXPECT_FALSE(box->Memo()->Visible());
    EXPECT_FALSE(PopupWindow::IsShown(box));

    grid->SetShowComment(false);
    grid->MouseMove(0, cell.Left + 5, cell.Top + 5);
    EXPECT_FALSE(box->Visible());
}

TEST_F(ViewGridInput, SizeHintWhileWideningAColumn)
{
    QCursor::setPos(400, 300);
    // Column 1's right border is at 93; the press lands in the head row.
    grid->MouseDown(mbLeft, ssLeft, 95, 5);
    ASSERT_EQ(grid->MouseState(), gmsColResizing);
    TCustomHintBox* hint = grid->HintBox();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->Visible());
    EXPECT_EQ(hint->Parent(), nullptr);
    EXPECT_TRUE(PopupWindow::IsShown(hint));
    const TPoint at = grid->ClientToScreen({95 - 15, 5 + 10});
    EXPECT_EQ(hint->BoundsRect().TopLeft(), at);
    EXPECT_EQ(hint->HintText(), QString::asprintf("宽度: %d 象素 (%2.1f 毫米)", 72, 72 / 96.0 * 25.4));
    grid->MouseMove(ssLeft, 119, 5);
    EXPECT_EQ(hint->HintText(), QStringLiteral("宽度: 96 象素 (25.4 毫米)"));
    TCanvas m;
    m.Font().Assign(&hint->Font());
    EXPECT_EQ(hint->Width(), m.TextWidth(hint->HintText()) + 10);
    EXPECT_EQ(hint->Left(), at.X) << "the hint does not follow the mouse";
    grid->MouseUp(mbLeft, 0, 119, 5);
    EXPECT_FALSE(hint->Visible());
    EXPECT_FALSE(PopupWindow::IsShown(hint));
    ExpectHintWindow(hint);
    EXPECT_FALSE(hint->HitTest(2, 2)) << "the mouse passes through";
    QWidget* window = hint->Widget();
    grid.reset();
    EXPECT_FALSE(QApplication::topLevelWidgets().contains(window)) << "destroyed with the grid";
}

} // namespace

namespace {

TEST(CommentBox, CalloutShadowAndMemoFrame)
{
    MapGrid g;
    TCustomCommentBox box(g.grid.get());
    EXPECT_FALSE(box.Visible());
    EXPECT_EQ(box.Width(), TCustomCommentBox::MemoWidth - 8 + 1);
    box.SetBounds(10, 10, 120, 60);
    box.SetVisible(true);
    box.Repaint();
    ASSERT_NE(box.Surface(), nullptr);
    const QImage& img = *box.Surface();
    EXPECT_EQ(At(img, 0, 10), clBlack) << "the callout's line starts at (0, 10)";
    EXPECT_EQ(At(img, 7, 5), clBlack) << "and runs up to (15, 0)";
    EXPECT_EQ(At(img, 3, 8), clBlack) << "inside the small triangle";
    EXPECT_EQ(At(img, 118, 30), Rgb(clGray)) << "right shadow";
    EXPECT_EQ(At(img, 60, 58), Rgb(clGray)) << "bottom shadow";
    EXPECT_NE(At(img, 118, 2), Rgb(clGray)) << "the shadow starts 4 pixels down";
    TCustomCommentMemo* memo = box.Memo();
    EXPECT_EQ(memo->BoundsRect(), Rect(15, 0, 116, 56)) << "the memo sits in the box's window";
    memo->Repaint();
    const QImage& m = *memo->Surface();
    EXPECT_EQ(At(m, 0, 0), clBlack);
    EXPECT_EQ(At(m, 2, 2), Rgb(clInfoBk));
}

} // namespace
