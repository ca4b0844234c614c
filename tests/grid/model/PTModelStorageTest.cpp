#include <gtest/gtest.h>

#include "PTTestOwner.h"
#include "grid/model/PTModelStorage.h"
#include "stream/FormReader.h"

namespace {

using Log = std::vector<std::string>;

std::vector<std::string> Names(const FormItem& item)
{
    std::vector<std::string> names;
    for (const auto& p : item.properties)
        names.push_back(p.name);
    return names;
}

const FormItem& StoredCell(const FormValue& rows, int row, int col)
{
    return rows.items.at(row).properties.at(1).value.items.at(col);
}

FormProperty Prop(std::string name, FormValue value, int line = 0)
{
    value.pos = {line, 20};
    return FormProperty{std::move(name), std::move(value), {line, 5}};
}

FormValue Rows(std::vector<std::vector<FormProperty>> cells, std::vector<FormProperty> rowExtras = {})
{
    std::vector<FormItem> cellItems;
    for (auto& props : cells)
        cellItems.push_back(FormItem{std::move(props), {}});
    FormItem row;
    row.properties.push_back(Prop("Expand", FormValue::Bool(true)));
    row.properties.push_back(Prop("Cells", FormValue::CollectionOf(std::move(cellItems))));
    row.properties.push_back(Prop("RowStyle", FormValue::Identifier("rsNormal")));
    for (auto& p : rowExtras)
        row.properties.push_back(std::move(p));
    return FormValue::CollectionOf({row});
}

TEST(PTModelStorageTest, HeaderCellIsWrittenInTheFixedOrder)
{
    PTTestOwner grid;
    grid.Fill(1, 2);
    TPTCell* head = grid.Cell(0, 0);
    head->SetValue(QStringLiteral("岗位名称"));
    TFont font(grid.font);
    font.SetColor(clBlack);
    font.SetCharset(GB2312_CHARSET);
    font.SetPitch(fpFixed);
    font.SetStyle(fsBold | fsUnderline);
    head->SetFont(&font);
    head->SetColor(clWhite);
    head->SetHorzAlignment(haCenter);
    TPTCell* check = grid.Cell(1, 0);
    check->SetValue(QStringLiteral("T"));
    check->SetDataType(cdtBoolean);
    check->SetColor(0x123456);

    const FormValue stored = TPTModelStorage::Write(grid.rows);
    ASSERT_EQ(stored.kind, FormValue::Kind::Collection);
    EXPECT_EQ(Names(stored.items[0]), (std::vector<std::string>{"Expand", "Cells", "RowStyle"}));
    EXPECT_EQ(stored.items[0].properties[0].value, FormValue::Bool(true));
    EXPECT_EQ(stored.items[0].properties[2].value, FormValue::Identifier("rsNormal"));

    const FormItem& h = StoredCell(stored, 0, 0);
    EXPECT_EQ(Names(h), (std::vector<std::string>{"Value", "Font.Charset", "Font.Color", "Font.Height", "Font.Name",
                                                  "Font.Pitch", "Font.Style", "Color", "HorzAlignment", "ParentFont",
                                                  "ParentColor"}));
    EXPECT_EQ(h.properties[0].value, FormValue::Str("岗位名称"));
    EXPECT_EQ(h.properties[1].value, FormValue::Identifier("GB2312_CHARSET"));
    EXPECT_EQ(h.properties[2].value, FormValue::Identifier("clBlack"));
    EXPECT_EQ(h.properties[3].value, FormValue::Int(-12));
    EXPECT_EQ(h.properties[4].value, FormValue::Str("宋体"));
    EXPECT_EQ(h.properties[5].value, FormValue::Identifier("fpFixed"));
    EXPECT_EQ(h.properties[6].value, FormValue::SetOf({"fsBold", "fsUnderline"}));
    EXPECT_EQ(h.properties[7].value, FormValue::Identifier("clWhite"));
    EXPECT_EQ(h.properties[8].value, FormValue::Identifier("haCenter"));
    EXPECT_EQ(h.properties[9].value, FormValue::Bool(false));

    const FormItem& c = StoredCell(stored, 0, 1);
    EXPECT_EQ(Names(c), (std::vector<std::string>{"Value", "DataType", "Color", "ParentColor"}));
    EXPECT_EQ(c.properties[1].value, FormValue::Identifier("cdtBoolean"));
    EXPECT_EQ(c.properties[2].value, FormValue::Int(0x123456));
}

TEST(PTModelStorageTest, OwnFontOrColourEqualToTheGridsStoresOnlyTheFlag)
{
    PTTestOwner grid;
    grid.Fill(1, 1);
    TPTCell* cell = grid.Cell(0, 0);
    cell->Font()->SetSize(12);
    cell->Font()->SetSize(9);
    cell->SetColor(clRed);
    cell->SetColor(clWindow);
    EXPECT_FALSE(cell->ParentFont());
    EXPECT_FALSE(cell->ParentColor());
    const FormValue stored = TPTModelStorage::Write(grid.rows);
    EXPECT_EQ(Names(StoredCell(stored, 0, 0)), (std::vector<std::string>{"ParentFont", "ParentColor"}));
}

TEST(PTModelStorageTest, WriteAndReadReproduceEveryStoredProperty)
{
    PTTestOwner grid;
    grid.color = clBtnFace;
    grid.Fill(3, 3);
    TPTCell* a = grid.Cell(0, 0);
    a->SetValue(QStringLiteral("岗位名称"));
    a->Font()->SetName(QStringLiteral("Arial"));
    a->Font()->SetCharset(200);
    a->Font()->SetColor(SystemColor(25)); // no name: stored as an integer
    a->Font()->SetStyle(fsItalic | fsStrikeOut);
    a->SetColor(clWhite);
    a->SetData(99);
    a->SetTag(-5);
    TPTCell* b = grid.Cell(1, 0);
    b->SetDataType(cdtBoolean);
    b->SetValue(QStringLiteral("T"));
    b->SetMergeID(4000000000u);
    b->SetDisplayFormat(QStringLiteral("#,##0"));
    b->SetRightBoundLineWidth(2);
    b->SetBottomBoundLineWidth(255);
    b->SetDiagonalWidth(1);
    b->SetAntiDiagonalWidth(3);
    TPTCell* c = grid.Cell(2, 1);
    c->SetHorzAlignment(haDefault);
    c->SetVertAlignment(vaBottomJustify);
    c->SetStyle(csFixed);
    c->SetHandleSymbol(true);
    c->SetImageIndex(12);
    c->SetImageLayout(clImageBottom);
    c->SetShowComment(true);
    c->SetComment(QStringLiteral("说明\nline 2"));
    c->SetParentColor(false);
    grid.rows.Items(1)->SetRowStyle(rsSplit);
    grid.rows.Items(2)->SetExpand(false);
    grid.rows.Items(2)->SetData(8);

    const FormValue stored = TPTModelStorage::Write(grid.rows);
    PTTestOwner copy;
    copy.color = clBtnFace;
    copy.Fill(1, 1);
    TPTModelStorage::Read(copy.rows, stored, "RightSetFrm");
    EXPECT_EQ(TPTModelStorage::Write(copy.rows), stored);

    ASSERT_EQ(copy.rows.Count(), 3);
    ASSERT_EQ(copy.rows.Items(2)->Cells()->Count(), 3);
    const TPTCell* ra = copy.Cell(0, 0);
    EXPECT_EQ(ra->Tag(), -5);
    EXPECT_EQ(ra->Data(), 0);
    EXPECT_EQ(ra->FontValue().Charset(), 200);
    EXPECT_EQ(ra->FontValue().Color(), SystemColor(25));
    EXPECT_FALSE(ra->ParentFont()); // reading Font.* makes the font the cell's own
    EXPECT_FALSE(ra->ParentColor());
    EXPECT_EQ(copy.Cell(1, 0)->MergeID(), 4000000000u);
    EXPECT_EQ(copy.Cell(2, 1)->Comment(), QStringLiteral("说明\nline 2"));
    EXPECT_EQ(copy.Cell(2, 1)->Color(), clBtnFace);
    EXPECT_FALSE(copy.Cell(2, 1)->ParentColor());
    EXPECT_TRUE(copy.Cell(1, 1)->ParentFont());
    EXPECT_EQ(copy.rows.Items(1)->RowStyle(), rsSplit);
    EXPECT_FALSE(copy.rows.Items(2)->Expand());
    EXPECT_EQ(copy.rows.Items(2)->Data(), 0);
}

TEST(PTModelStorageTest, ReadingReplacesTheRowsAsTheGridReadsItsDefinition)
{
    PTTestOwner grid;
    grid.Fill(1, 1);
    grid.Cell(0, 0)->SetValue(QStringLiteral("old"));
    grid.log.clear();
    const FormValue stored = Rows({{Prop("Value", FormValue::Str("new")), Prop("Font.Height", FormValue::Int(-14)),
                                    Prop("ParentFont", FormValue::Bool(true))},
                                   {Prop("Color", FormValue::Identifier("clwhite")),
                                    Prop("ParentColor", FormValue::Bool(false))}});
    TPTModelStorage::Read(grid.rows, stored, "PostFrm");
    EXPECT_EQ(grid.log, (Log{"destroyed old@0", "created", "created", "rows"}));
    const TPTCell* first = grid.Cell(0, 0);
    EXPECT_EQ(first->Value(), QStringLiteral("new"));
    EXPECT_TRUE(first->ParentFont()); // a later ParentFont = True brings the grid's font back
    EXPECT_EQ(first->FontValue().Height(), -12);
    EXPECT_EQ(grid.Cell(1, 0)->Color(), clWhite);
    EXPECT_FALSE(grid.Cell(1, 0)->ParentColor());
}

struct BadInput {
    const char* what;
    FormValue value;
    int line;
    const char* problem;
};

TEST(PTModelStorageTest, BrokenStoredRowsFailWithTheirPlaceAndLeaveTheModelAlone)
{
    auto cell = [](std::string name, FormValue v) { return Rows({{Prop(std::move(name), std::move(v), 7)}}); };
    FormValue notCollection = FormValue::Str("rows");
    notCollection.pos = {3, 9};
    FormValue cellsNotCollection = Rows({});
    cellsNotCollection.items[0].properties[1] = Prop("Cells", FormValue::Identifier("none"), 4);
    FormValue unknownRowProperty = Rows({}, {Prop("Height", FormValue::Int(3), 5)});

    const std::vector<BadInput> cases = {
        {"not a collection", notCollection, 3, "Rows: expected a collection, found a string"},
        {"Cells not a collection", cellsNotCollection, 4, "Rows[0].Cells: expected a collection, found an identifier"},
        {"unknown row property", unknownRowProperty, 5, "Rows[0].Height: unknown property"},
        {"unknown cell property", cell("Hint", FormValue::Str("x")), 7, "Rows[0].Cells[0].Hint: unknown property"},
        {"unknown font property", cell("Font.Quality", FormValue::Int(1)), 7, "unknown property"},
        {"string for identifier", cell("DataType", FormValue::Str("cdtBoolean")), 7,
         "Rows[0].Cells[0].DataType: expected an identifier, found a string"},
        {"unknown member", cell("HorzAlignment", FormValue::Identifier("haMiddle")), 7, "unknown value 'haMiddle'"},
        {"unknown row style", Rows({}, {Prop("RowStyle", FormValue::Identifier("rsBold"), 7)}), 7,
         "unknown value 'rsBold'"},
        {"bad Boolean", cell("ShowComment", FormValue::Identifier("Yes")), 7, "expected True or False"},
        {"integer for Boolean", cell("ParentFont", FormValue::Int(0)), 7, "expected an identifier"},
        {"line width too wide", cell("DiagonalWidth", FormValue::Int(256)), 7, "256 is out of range 0..255"},
        {"negative merge", cell("MergeID", FormValue::Int(-1)), 7, "out of range"},
        {"tag beyond 32 bits", cell("Tag", FormValue::Int(int64_t(1) << 31)), 7, "out of range"},
        {"unknown colour", cell("Color", FormValue::Identifier("clPink")), 7, "unknown colour 'clPink'"},
        {"colour as string", cell("Font.Color", FormValue::Str("clRed")), 7, "expected a colour, found a string"},
        {"charset out of range", cell("Font.Charset", FormValue::Int(300)), 7, "out of range"},
        {"unknown charset", cell("Font.Charset", FormValue::Identifier("KLINGON_CHARSET")), 7, "unknown character set"},
        {"unknown style", cell("Font.Style", FormValue::SetOf({"fsBold", "fsShadow"})), 7, "unknown value 'fsShadow'"},
        {"style not a set", cell("Font.Style", FormValue::Identifier("fsBold")), 7, "expected a set"},
        {"empty font name", cell("Font.Name", FormValue::Str("")), 7, "empty font name"},
        {"float for integer", cell("ImageIndex", FormValue::Real(1.5)), 7, "expected an integer"},
    };

    PTTestOwner grid;
    grid.Fill(2, 2);
    grid.Cell(1, 1)->SetValue(QStringLiteral("kept"));
    for (const BadInput& bad : cases) {
        SCOPED_TRACE(bad.what);
        grid.log.clear();
        try {
            TPTModelStorage::Read(grid.rows, bad.value, "UserFrm");
            ADD_FAILURE() << "accepted";
        } catch (const EFormError& e) {
            EXPECT_EQ(e.Resource(), "UserFrm");
            EXPECT_EQ(e.Pos().line, bad.line);
            EXPECT_NE(e.Problem().find(bad.problem), std::string::npos) << e.Problem();
        }
        EXPECT_TRUE(grid.log.empty());
        ASSERT_EQ(grid.rows.Count(), 2);
        EXPECT_EQ(grid.Cell(1, 1)->Value(), QStringLiteral("kept"));
    }
}

const char* const kPostGrid = R"(object grdPost: TTavikPTGrid
  Rows = <
    item
      Expand = True
      Cells = <
        item
          Value = '岗位名称'
          Font.Charset = DEFAULT_CHARSET
          Font.Color = clBlack
          Font.Height = -12
          Font.Name = '宋体'
          Font.Style = []
          Color = clWhite
          HorzAlignment = haCenter
          ParentFont = False
          ParentColor = False
        end
        item
          Value = 'T'
          DataType = cdtBoolean
        end>
      RowStyle = rsNormal
    end>
end
)";

TEST(PTModelStorageTest, ScreenTextReadsAndWritesBackUnchanged)
{
    const FormObject form = ReadForm(kPostGrid, "PostFrm.dfm");
    PTTestOwner grid;
    TPTModelStorage::Read(grid.rows, form.Find("Rows")->value, "PostFrm.dfm");
    ASSERT_EQ(grid.rows.Count(), 1);
    const TPTCell* head = grid.Cell(0, 0);
    EXPECT_EQ(head->Value(), QStringLiteral("岗位名称"));
    EXPECT_EQ(head->FontValue().Color(), clBlack);
    EXPECT_EQ(head->Color(), clWhite);
    EXPECT_EQ(head->HorzAlignment(), haCenter);
    EXPECT_EQ(grid.Cell(1, 0)->DataType(), cdtBoolean);
    EXPECT_EQ(TPTModelStorage::Write(grid.rows), form.Find("Rows")->value);

    std::string broken = kPostGrid;
    broken.replace(broken.find("haCenter"), 8, "haMiddle");
    const FormObject bad = ReadForm(broken, "PostFrm.dfm");
    try {
        TPTModelStorage::Read(grid.rows, bad.Find("Rows")->value, "PostFrm.dfm");
        FAIL() << "accepted";
    } catch (const EFormError& e) {
        EXPECT_EQ(e.Pos().line, 14);
        EXPECT_GT(e.Pos().column, 11);
        EXPECT_EQ(e.Problem(), "Rows[0].Cells[0].HorzAlignment: unknown value 'haMiddle'");
    }
    EXPECT_EQ(grid.Cell(0, 0)->HorzAlignment(), haCenter);
}

} // namespace
