#include <gtest/gtest.h>

#include <memory>

#include "PTTestOwner.h"
#include "grid/model/PTModelStorage.h"
#include "platform/base/AppContext.h"

namespace {

TEST(PTCellTest, NewCellTakesGridFontAndColourAndDefaults)
{
    PTTestOwner grid;
    grid.Fill(1, 1);
    TPTCell* cell = grid.Cell(0, 0);
    EXPECT_EQ(cell->FontValue().Name(), QStringLiteral("宋体"));
    EXPECT_EQ(cell->Font()->Size(), 9);
    EXPECT_EQ(cell->Font()->Height(), -12);
    EXPECT_EQ(cell->Color(), clWindow);
    EXPECT_TRUE(cell->ParentFont());
    EXPECT_TRUE(cell->ParentColor());
    EXPECT_EQ(cell->HorzAlignment(), haLeftJustify);
    EXPECT_EQ(cell->VertAlignment(), vaCenter);
    EXPECT_EQ(cell->Style(), csAutoWrap);
    EXPECT_EQ(cell->DataType(), cdtString);
    EXPECT_EQ(cell->ImageIndex(), -1);
    EXPECT_EQ(cell->ImageLayout(), clImageLeft);
    EXPECT_EQ(cell->MergeID(), 0u);
    EXPECT_EQ(cell->Tag(), 0);
    EXPECT_EQ(cell->Data(), 0);
    EXPECT_TRUE(cell->Value().isEmpty());
    EXPECT_EQ(cell->DisplayName(), QStringLiteral("TPTCell"));
    cell->SetValue(QStringLiteral("岗位"));
    EXPECT_EQ(cell->DisplayName(), QStringLiteral("岗位"));
    cell->SetValue({});

    const FormValue stored = TPTModelStorage::Write(grid.rows);
    const FormValue& cells = stored.items.at(0).properties.at(1).value;
    ASSERT_EQ(cells.items.size(), 1u);
    EXPECT_TRUE(cells.items[0].properties.empty());
}

TEST(PTCellTest, ColourAndFontSettersIgnoreEqualValues)
{
    PTTestOwner grid;
    grid.Fill(1, 1);
    TPTCell* cell = grid.Cell(0, 0);

    cell->SetColor(clWindow);
    EXPECT_TRUE(cell->ParentColor());
    cell->SetColor(clWhite);
    EXPECT_FALSE(cell->ParentColor());
    EXPECT_EQ(cell->Color(), clWhite);

    TFont same(grid.font);
    cell->SetFont(&same);
    EXPECT_TRUE(cell->ParentFont());
    cell->SetFont(cell->Font());
    EXPECT_TRUE(cell->ParentFont());
    EXPECT_THROW(cell->SetFont(nullptr), EConvertError);

    TFont bold(grid.font);
    bold.SetStyle(fsBold);
    cell->SetFont(&bold);
    EXPECT_FALSE(cell->ParentFont());
    EXPECT_EQ(cell->FontValue().Style(), fsBold);
    EXPECT_NE(cell->Font(), &bold);

    // Value compares exactly: a change of case is a change.
    cell->SetValue(QStringLiteral("T"));
    cell->SetValue(QStringLiteral("t"));
    EXPECT_EQ(cell->Value(), QStringLiteral("t"));
}

TEST(PTCellTest, EditingTheFontClearsParentFontAndParentFontRestoresTheGridFont)
{
    PTTestOwner grid;
    grid.Fill(1, 2);
    TPTCell* cell = grid.Cell(0, 0);
    TFont* font = cell->Font();
    EXPECT_TRUE(cell->ParentFont()); // taking the object is no edit
    font->SetSize(12);
    EXPECT_FALSE(cell->ParentFont());
    EXPECT_EQ(cell->FontValue().Size(), 12);

    cell->SetParentFont(true);
    EXPECT_TRUE(cell->ParentFont());
    EXPECT_EQ(cell->Font(), font);
    EXPECT_TRUE(font->SameAs(grid.font));

    // Switching ParentFont off alone keeps the font.
    TPTCell* other = grid.Cell(1, 0);
    other->SetParentFont(false);
    EXPECT_TRUE(other->FontValue().SameAs(grid.font));

    cell->SetColor(clRed);
    cell->SetParentColor(true);
    EXPECT_EQ(cell->Color(), clWindow);
    EXPECT_TRUE(cell->ParentColor());
}

TEST(PTCellTest, CellsFollowTheGridFontAndColourUnlessTheyHaveTheirOwn)
{
    PTTestOwner grid;
    grid.Fill(2, 3);
    TPTCell* follows = grid.Cell(0, 0);
    TPTCell* heldObject = grid.Cell(1, 0);
    TFont* held = heldObject->Font(); // has an object, still follows
    TPTCell* ownFont = grid.Cell(2, 0);
    ownFont->Font()->SetName(QStringLiteral("Arial"));
    TPTCell* keepsOldFont = grid.Cell(0, 1);
    keepsOldFont->SetParentFont(false); // same font as the grid, but its own
    TPTCell* ownColour = grid.Cell(1, 1);
    ownColour->SetColor(clYellow);

    for (int size : {11, 14}) {
        grid.font.SetSize(size);
        grid.rows.FollowGridFont();
        EXPECT_EQ(follows->FontValue().Size(), size);
        EXPECT_EQ(held->Size(), size);
        EXPECT_TRUE(follows->ParentFont());
        EXPECT_TRUE(heldObject->ParentFont());
        EXPECT_EQ(ownFont->FontValue().Name(), QStringLiteral("Arial"));
        EXPECT_EQ(ownFont->FontValue().Size(), 9);
        EXPECT_EQ(keepsOldFont->FontValue().Size(), 9);
        EXPECT_FALSE(keepsOldFont->ParentFont());
    }
    // Edits after following still count as the cell's own.
    held->SetStyle(fsItalic);
    EXPECT_FALSE(heldObject->ParentFont());

    grid.color = clBtnFace;
    grid.rows.FollowGridColor();
    EXPECT_EQ(follows->Color(), clBtnFace);
    EXPECT_EQ(ownColour->Color(), clYellow);

    // A cell created after a font change that was not yet followed shows the
    // new font; the older cells keep theirs until the follow-up.
    grid.font.SetName(QStringLiteral("Tahoma"));
    TPTCell* late = grid.rows.Items(1)->Cells()->Add();
    EXPECT_EQ(late->FontValue().Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(follows->FontValue().Name(), QStringLiteral("宋体"));
    grid.rows.FollowGridFont();
    EXPECT_EQ(follows->FontValue().Name(), QStringLiteral("Tahoma"));
}

TEST(PTCellTest, CellsFollowingTheGridShareOneFontUntilOneIsTaken)
{
    PTTestOwner grid;
    grid.Fill(1, 3);
    TPTCell* a = grid.Cell(0, 0);
    TPTCell* b = grid.Cell(1, 0);
    EXPECT_EQ(&a->FontValue(), &b->FontValue());
    TFont* own = a->Font();
    EXPECT_EQ(&a->FontValue(), own);
    EXPECT_NE(&b->FontValue(), own);
    // Copying a following cell does not give the copy a font object either.
    grid.Cell(2, 0)->Assign(b);
    EXPECT_EQ(&grid.Cell(2, 0)->FontValue(), &b->FontValue());
}

TEST(PTCellTest, AssignCopiesEveryFieldAndRefusesOtherClasses)
{
    PTTestOwner source;
    source.font.SetName(QStringLiteral("Arial"));
    source.color = clSilver;
    source.Fill(1, 1);
    TPTCell* s = source.Cell(0, 0);
    s->SetValue(QStringLiteral("v"));
    s->SetData(7);
    s->SetMergeID(3);
    s->SetDisplayFormat(QStringLiteral("0.00"));
    s->SetStyle(csAutoStretch);
    s->SetRightBoundLineWidth(2);
    s->SetBottomBoundLineWidth(3);
    s->SetDiagonalWidth(4);
    s->SetAntiDiagonalWidth(5);
    s->SetHorzAlignment(haCenter);
    s->SetVertAlignment(vaTopJustify);
    s->SetDataType(cdtBoolean);
    s->SetHandleSymbol(true);
    s->SetImageIndex(6);
    s->SetImageLayout(clImageTop);
    s->SetShowComment(true);
    s->SetComment(QStringLiteral("c"));
    s->SetTag(-8);

    PTTestOwner target;
    target.Fill(1, 1);
    TPTCell* t = target.Cell(0, 0);
    t->Assign(s);
    EXPECT_EQ(t->Value(), QStringLiteral("v"));
    EXPECT_EQ(t->Data(), 7);
    EXPECT_EQ(t->MergeID(), 3u);
    EXPECT_EQ(t->DisplayFormat(), QStringLiteral("0.00"));
    EXPECT_EQ(t->Style(), csAutoStretch);
    EXPECT_EQ(t->RightBoundLineWidth(), 2);
    EXPECT_EQ(t->BottomBoundLineWidth(), 3);
    EXPECT_EQ(t->DiagonalWidth(), 4);
    EXPECT_EQ(t->AntiDiagonalWidth(), 5);
    EXPECT_EQ(t->HorzAlignment(), haCenter);
    EXPECT_EQ(t->VertAlignment(), vaTopJustify);
    EXPECT_EQ(t->DataType(), cdtBoolean);
    EXPECT_TRUE(t->HandleSymbol());
    EXPECT_EQ(t->ImageIndex(), 6);
    EXPECT_EQ(t->ImageLayout(), clImageTop);
    EXPECT_TRUE(t->ShowComment());
    EXPECT_EQ(t->Comment(), QStringLiteral("c"));
    EXPECT_EQ(t->Tag(), -8);
    // The font and colour come by value; the Parent flags as the source has them.
    EXPECT_EQ(t->FontValue().Name(), QStringLiteral("Arial"));
    EXPECT_EQ(t->Color(), clSilver);
    EXPECT_TRUE(t->ParentFont());
    EXPECT_TRUE(t->ParentColor());
    EXPECT_TRUE(s->FontValue().SameAs(source.font)); // the source is untouched

    // Back to a default cell: the extras go back to their defaults too.
    PTTestOwner blank;
    blank.Fill(1, 1);
    t->Assign(blank.Cell(0, 0));
    EXPECT_EQ(t->ImageIndex(), -1);
    EXPECT_EQ(t->Tag(), 0);
    EXPECT_TRUE(t->Comment().isEmpty());
    EXPECT_TRUE(t->FontValue().SameAs(blank.font));

    try {
        t->Assign(target.rows.Items(0));
        FAIL() << "assigning a row to a cell must fail";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TPTRow to a TPTCell");
    }
}

TEST(PTCellTest, CellsOutsideAGridUseTheDefaultFontAndColour)
{
    TPTCells loose;
    TPTCell* cell = loose.Add();
    EXPECT_EQ(loose.Grid(), nullptr);
    EXPECT_EQ(cell->Color(), PTDefaultGridColor);
    EXPECT_TRUE(cell->FontValue().SameAs(PTDefaultGridFont()));
    cell->Font()->SetSize(20);
    EXPECT_FALSE(cell->ParentFont());
    cell->SetParentFont(true);
    EXPECT_TRUE(cell->FontValue().SameAs(PTDefaultGridFont()));
}

// Cells come from a pool in the application context; cells that outlive a
// reset of the context go back to the pool they came from, and the new pool
// serves new cells beside them.
TEST(PTCellTest, CellsOutliveAResetOfTheContextThatMadeThem)
{
    auto before = std::make_unique<PTTestOwner>();
    before->Fill(40, 30);
    before->Cell(29, 39)->SetValue(QStringLiteral("old"));
    AppContext().Reset();
    PTTestOwner after;
    after.Fill(40, 30);
    after.Cell(29, 39)->SetValue(QStringLiteral("new"));
    EXPECT_EQ(before->Cell(29, 39)->Value(), QStringLiteral("old"));
    before->rows.Items(3)->Cells()->Delete(5);
    before.reset();
    after.Fill(10, 30);
    EXPECT_EQ(after.Cell(29, 39)->Value(), QStringLiteral("new"));
    EXPECT_EQ(after.rows.Count(), 50);
}

} // namespace

// Rare fields live in a table beside the cells, keyed by the cell: they must
// go with their cell, never stay at an address a new cell reuses, and survive
// positions moving, copies and the stored form.
TEST(PTCellTest, RareFieldsStayWithTheirCellThroughDeleteInsertCopyAndStorage)
{
    PTTestOwner grid;
    grid.Fill(2, 3);
    auto giveRareFields = [](TPTCell* cell, int n) {
        cell->SetMergeID(static_cast<uint32_t>(n));
        cell->SetColor(clYellow);
        cell->SetComment(QStringLiteral("注释%1").arg(n));
        cell->SetTag(n);
        cell->SetDiagonalWidth(2);
    };
    auto expectRareFields = [](const TPTCell* cell, int n) {
        EXPECT_EQ(cell->MergeID(), static_cast<uint32_t>(n));
        EXPECT_EQ(cell->Color(), clYellow);
        EXPECT_FALSE(cell->ParentColor());
        EXPECT_EQ(cell->Comment(), QStringLiteral("注释%1").arg(n));
        EXPECT_EQ(cell->Tag(), n);
        EXPECT_EQ(cell->DiagonalWidth(), 2);
    };
    auto expectDefaults = [](const TPTCell* cell) {
        EXPECT_EQ(cell->MergeID(), 0u);
        EXPECT_EQ(cell->Color(), clWindow);
        EXPECT_TRUE(cell->ParentColor());
        EXPECT_TRUE(cell->Comment().isEmpty());
        EXPECT_EQ(cell->Tag(), 0);
        EXPECT_EQ(cell->DiagonalWidth(), 0);
    };
    giveRareFields(grid.Cell(1, 0), 7);
    giveRareFields(grid.Cell(2, 0), 8);

    // The freed cell's place goes to the next cell made: it starts clean.
    grid.rows.Items(0)->Cells()->Delete(1);
    TPTCell* fresh = grid.rows.Items(1)->Cells()->Add();
    expectDefaults(fresh);
    fresh->SetData(5); // makes a block of its own, not the dead cell's
    EXPECT_TRUE(fresh->Comment().isEmpty());
    expectRareFields(grid.Cell(1, 0), 8);

    grid.rows.Items(0)->Cells()->Insert(0);
    grid.rows.Insert(0);
    expectRareFields(grid.Cell(2, 1), 8);

    TPTRow* copy = grid.rows.Add();
    copy->Assign(grid.rows.Items(1));
    expectRareFields(copy->Cells()->Items(2), 8);
    // Copying a plain cell over one with rare fields clears them.
    grid.rows.Items(1)->Cells()->Items(2)->Assign(grid.Cell(0, 1));
    expectDefaults(grid.Cell(2, 1));
    expectRareFields(copy->Cells()->Items(2), 8);

    PTTestOwner read;
    TPTModelStorage::Read(read.rows, TPTModelStorage::Write(grid.rows), "PTCellTest");
    expectRareFields(read.rows.Items(3)->Cells()->Items(2), 8);
    expectDefaults(read.rows.Items(1)->Cells()->Items(2));
}

// Cells without a colour of their own show their rows' shared one; the grid's
// follow-up moves it, and only the cells that follow the grid go with it.
TEST(PTCellTest, SharedColourMovesOnlyForCellsThatFollowTheGrid)
{
    PTTestOwner grid;
    grid.Fill(1, 3);
    TPTCell* follows = grid.Cell(0, 0);
    TPTCell* stays = grid.Cell(1, 0);
    stays->SetParentColor(false); // the grid's colour, yet its own
    grid.color = clBtnFace;
    // Made before the follow-up: the grid's new colour, the others the old one.
    TPTCell* late = grid.rows.Items(0)->Cells()->Add();
    EXPECT_EQ(late->Color(), clBtnFace);
    EXPECT_EQ(follows->Color(), clWindow);
    grid.rows.FollowGridColor();
    EXPECT_EQ(follows->Color(), clBtnFace);
    EXPECT_EQ(late->Color(), clBtnFace);
    EXPECT_EQ(stays->Color(), clWindow);
    EXPECT_TRUE(stays->IsColorStored());
    stays->SetParentColor(true);
    EXPECT_EQ(stays->Color(), clBtnFace);
    EXPECT_FALSE(stays->IsColorStored());
}
