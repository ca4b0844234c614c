#include <gtest/gtest.h>

#include "PTTestOwner.h"

namespace {

using Log = std::vector<std::string>;

TEST(PTRowsTest, CellsReportCreationWhenCompleteAndDestructionWhileComplete)
{
    PTTestOwner grid;
    grid.Fill(2, 2);
    ASSERT_EQ(grid.created.size(), 4u);
    EXPECT_EQ(grid.created[0], grid.Cell(0, 0));
    EXPECT_EQ(grid.created[3], grid.Cell(1, 1));
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c)
            grid.Cell(c, r)->SetValue(QString::number(r * 10 + c));

    grid.log.clear();
    grid.rows.Items(0)->Cells()->Delete(0);
    EXPECT_EQ(grid.log, (Log{"destroyed 0@0"})); // a cell's change is no repaint
    EXPECT_EQ(grid.Cell(0, 0)->Index(), 0);

    grid.log.clear();
    grid.rows.Delete(1);
    EXPECT_EQ(grid.log, (Log{"destroyed 11@1", "destroyed 10@0", "rows"}));

    grid.log.clear();
    grid.rows.Clear();
    EXPECT_EQ(grid.log, (Log{"destroyed 1@0", "rows"}));
    EXPECT_EQ(grid.rows.Count(), 0);
}

TEST(PTRowsTest, DestroyingTheRowsDestroysEveryCellLastFirstWithoutRepaints)
{
    PTTestOwner grid;
    auto rows = std::make_unique<TPTRows>(&grid);
    for (int r = 0; r < 2; ++r) {
        TPTRow* row = rows->Add();
        for (int c = 0; c < 2; ++c)
            row->Cells()->Add()->SetValue(QString::number(r * 10 + c));
    }
    grid.log.clear();
    rows.reset();
    EXPECT_EQ(grid.log, (Log{"destroyed 11@1", "destroyed 10@0", "destroyed 1@1", "destroyed 0@0"}));
}

TEST(PTRowsTest, RowChangesRepaintTheRowAndCollectionChangesTheGrid)
{
    PTTestOwner grid;
    grid.Fill(3, 1);
    grid.log.clear();
    grid.rows.Items(2)->SetRowStyle(rsSplit);
    grid.rows.Items(2)->SetRowStyle(rsSplit);
    grid.rows.Items(0)->Cells()->Items(0)->SetValue(QStringLiteral("x"));
    EXPECT_EQ(grid.log, (Log{"row 2"}));

    grid.log.clear();
    grid.rows.BeginUpdate();
    grid.rows.Add();
    grid.rows.Items(0)->SetRowStyle(rsFixed);
    grid.rows.Insert(0);
    EXPECT_TRUE(grid.log.empty());
    grid.rows.EndUpdate();
    EXPECT_EQ(grid.log, (Log{"rows"}));
    EXPECT_THROW(grid.rows.EndUpdate(), EInvalidOperation);

    grid.log.clear();
    grid.rows.Items(3)->SetIndex(0);
    EXPECT_EQ(grid.log, (Log{"rows"}));
}

TEST(PTRowsTest, PositionsFollowInsertMoveAndDeleteAndBadPositionsFail)
{
    PTTestOwner grid;
    grid.Fill(1, 3);
    TPTCells* cells = grid.rows.Items(0)->Cells();
    TPTCell* a = cells->Items(0);
    TPTCell* b = cells->Items(1);
    TPTCell* c = cells->Items(2);
    TPTCell* d = cells->Insert(1);
    EXPECT_EQ(d->Index(), 1);
    EXPECT_EQ(b->Index(), 2);
    c->SetIndex(0);
    EXPECT_EQ(cells->Items(0), c);
    EXPECT_EQ(cells->Items(1), a);
    EXPECT_EQ(cells->Items(2), d);
    EXPECT_EQ(cells->Items(3), b);
    EXPECT_EQ(cells->Insert(4)->Index(), 4);

    try {
        cells->Items(5);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (5)");
    }
    EXPECT_THROW(cells->Items(-1), EListError);
    EXPECT_THROW(cells->Delete(5), EListError);
    EXPECT_THROW(a->SetIndex(5), EListError);
    const size_t made = grid.created.size();
    EXPECT_THROW(cells->Insert(6), EListError);
    EXPECT_THROW(grid.rows.Insert(-1), EListError);
    EXPECT_EQ(grid.created.size(), made); // a refused insert creates nothing
    EXPECT_EQ(cells->Count(), 5);
    EXPECT_EQ(grid.rows.Count(), 1);
}

TEST(PTRowsTest, ExpandRunsTheGridWalkBeforeTakingTheFlag)
{
    PTTestOwner grid;
    grid.Fill(3, 1);
    EXPECT_TRUE(grid.rows.Items(1)->Expand());
    grid.log.clear();
    grid.rows.Items(1)->SetExpand(false);
    grid.rows.Items(1)->SetExpand(false);
    grid.rows.Items(1)->SetExpand(true);
    EXPECT_EQ(grid.log, (Log{"walk 1 collapse was expanded", "walk 1 expand was collapsed"}));

    TPTRows loose(nullptr);
    TPTRow* row = loose.Add();
    row->SetExpand(false);
    EXPECT_FALSE(row->Expand());
}

TEST(PTRowsTest, RowAssignCopiesStyleDataAndCellsButNotTreeState)
{
    PTTestOwner grid;
    grid.Fill(2, 2);
    TPTRow* source = grid.rows.Items(0);
    TPTRow* target = grid.rows.Items(1);
    source->SetRowStyle(rsSplit);
    source->SetData(5);
    source->SetExpand(false);
    source->SetSavedHeight(18);
    source->Cells()->Items(1)->SetValue(QStringLiteral("b"));
    source->Cells()->Add()->SetTag(3);
    target->SetSavedHeight(4);

    grid.log.clear();
    target->Assign(source);
    EXPECT_EQ(target->RowStyle(), rsSplit);
    EXPECT_EQ(target->Data(), 5);
    EXPECT_TRUE(target->Expand());
    EXPECT_EQ(target->SavedHeight(), 4);
    ASSERT_EQ(target->Cells()->Count(), 3);
    EXPECT_EQ(target->Cells()->Items(1)->Value(), QStringLiteral("b"));
    EXPECT_EQ(target->Cells()->Items(2)->Tag(), 3);
    // The old cells went before the new ones came.
    EXPECT_EQ(grid.log.front(), "destroyed @1");
    EXPECT_EQ(grid.log.back(), "created");

    target->Assign(target);
    EXPECT_EQ(target->Cells()->Count(), 3);
    target->SetCells(grid.rows.Items(0)->Cells());
    EXPECT_EQ(target->Cells()->Count(), 3);

    try {
        target->Assign(target->Cells()->Items(0));
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TPTCell to a TPTRow");
    }
}

TEST(PTRowsTest, CellsFindTheirRowWhereverItMovesAndLooseCellsFindNone)
{
    PTTestOwner grid;
    grid.Fill(3, 2);
    grid.rows.Items(2)->SetIndex(0);
    grid.rows.Insert(1)->Cells()->Add();
    for (int r = 0; r < grid.rows.Count(); ++r) {
        TPTRow* row = grid.rows.Items(r);
        EXPECT_EQ(row->Cells()->Row(), row) << r;
        EXPECT_EQ(row->Cells()->Rows(), &grid.rows) << r;
        EXPECT_EQ(row->Cells()->Grid(), &grid) << r;
        for (int c = 0; c < row->Cells()->Count(); ++c)
            EXPECT_EQ(row->Cells()->Items(c)->Row(), row) << r << "," << c;
    }
    TPTCells loose;
    EXPECT_EQ(loose.Row(), nullptr);
    EXPECT_EQ(loose.Add()->Row(), nullptr);
    EXPECT_EQ(loose.Rows(), nullptr);
}

// Data and the saved height are kept beside the rows: each row keeps its own,
// through resets to the default, and a row made where a deleted one was starts
// without the deleted row's.
TEST(PTRowsTest, DataAndSavedHeightStayWithTheirRowOnly)
{
    PTTestOwner grid;
    grid.Fill(4, 1);
    for (int r = 0; r < 4; ++r) {
        grid.rows.Items(r)->SetData(r * 10);
        grid.rows.Items(r)->SetSavedHeight(r % 2 ? 30 + r : 0);
    }
    grid.rows.Items(1)->SetData(0);
    grid.rows.Items(1)->SetData(-7);
    grid.rows.Items(3)->SetSavedHeight(0);
    const int32_t data[] = {0, -7, 20, 30};
    const int32_t saved[] = {0, 31, 0, 0};
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(grid.rows.Items(r)->Data(), data[r]) << r;
        EXPECT_EQ(grid.rows.Items(r)->SavedHeight(), saved[r]) << r;
    }

    // Copying a row without Data clears the target's.
    grid.rows.Items(2)->Assign(grid.rows.Items(0));
    EXPECT_EQ(grid.rows.Items(2)->Data(), 0);

    grid.rows.Items(3)->SetData(INT32_MIN);
    grid.rows.Items(3)->SetSavedHeight(INT32_MAX);
    for (int round = 0; round < 3; ++round) {
        grid.rows.Delete(3);
        TPTRow* made = grid.rows.Add();
        EXPECT_EQ(made->Data(), 0);
        EXPECT_EQ(made->SavedHeight(), 0);
        made->SetData(round + 1);
        EXPECT_EQ(made->SavedHeight(), 0);
        made->SetSavedHeight(round + 1);
    }
    EXPECT_EQ(grid.rows.Items(1)->Data(), -7);
    EXPECT_EQ(grid.rows.Items(1)->SavedHeight(), 31);
}

TEST(PTRowsTest, CollectionAssignCopiesRowsAndRefusesForeignItemsUntouched)
{
    PTTestOwner source;
    source.Fill(2, 2);
    source.Cell(1, 1)->SetValue(QStringLiteral("z"));
    PTTestOwner target;
    target.Fill(1, 1);
    target.log.clear();
    target.rows.Assign(&source.rows);
    ASSERT_EQ(target.rows.Count(), 2);
    EXPECT_EQ(target.Cell(1, 1)->Value(), QStringLiteral("z"));
    EXPECT_EQ(std::count(target.log.begin(), target.log.end(), "rows"), 1);

    target.rows.Assign(&target.rows);
    EXPECT_EQ(target.rows.Count(), 2);

    EXPECT_THROW(target.rows.Assign(source.rows.Items(0)->Cells()), EConvertError);
    EXPECT_EQ(target.rows.Count(), 2);
    EXPECT_THROW(target.rows.Assign(&source.font), EConvertError);
}

TEST(PTRowsTest, FailuresOfTheGridReachTheCallerAndLeaveNoHalfCell)
{
    struct Failing : PTTestOwner {
        bool failRepaint = false;
        bool failCreate = false;
        void RowsChanged() override
        {
            if (failRepaint)
                throw EInvalidOperation("repaint");
        }
        void CellCreated(TPTCell* cell) override
        {
            if (failCreate)
                throw EInvalidOperation("created");
            PTTestOwner::CellCreated(cell);
        }
    };
    Failing grid;
    grid.Fill(2, 1);
    grid.failCreate = true;
    EXPECT_THROW(grid.rows.Items(0)->Cells()->Add(), EInvalidOperation);
    EXPECT_EQ(grid.rows.Items(0)->Cells()->Count(), 1);
    grid.failRepaint = true;
    EXPECT_THROW(grid.rows.Clear(), EInvalidOperation);
    EXPECT_EQ(grid.rows.Count(), 0);
    EXPECT_EQ(grid.rows.UpdateCount(), 0);
}

} // namespace
