#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "stream/FormReader.h"
#include "stream/FormWriter.h"

namespace {

FormProperty Prop(std::string name, FormValue value)
{
    FormProperty p;
    p.name = std::move(name);
    p.value = std::move(value);
    return p;
}

FormItem Item(std::vector<FormProperty> properties)
{
    FormItem item;
    item.properties = std::move(properties);
    return item;
}

FormObject Obj(std::string name, std::string className, std::vector<FormProperty> properties,
               std::vector<FormObject> children = {})
{
    FormObject o;
    o.name = std::move(name);
    o.className = std::move(className);
    o.properties = std::move(properties);
    o.children = std::move(children);
    return o;
}

// A tree holding every value kind, nested collections and Chinese text.
FormObject RichTree()
{
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 70; ++i)
        bytes.push_back(static_cast<uint8_t>(i * 37));
    FormObject inner = Obj("btnPost", "TButton", {Prop("Caption", FormValue::Str("岗位名称"))});
    inner.origin = FormObject::Origin::Inherited;
    FormObject unnamed = Obj("", "TLabel", {});
    unnamed.origin = FormObject::Origin::Inline;
    return Obj("MainForm", "TMainForm",
               {Prop("Left", FormValue::Int(-12)),
                Prop("Big", FormValue::Int(INT64_MIN)),
                Prop("Weight", FormValue::Real(1.5)),
                Prop("Third", FormValue::Real(1.0 / 3)),
                Prop("Whole", FormValue::Real(100)),
                Prop("Tiny", FormValue::Real(-1e-300)),
                Prop("Caption", FormValue::Str("it's a\r\n\t'宋体'\x7f end")),
                Prop("Long", FormValue::Str(std::string(150, 'x') + "部门" + std::string(70, '\n'))),
                Prop("Empty", FormValue::Str("")),
                Prop("Font.Style", FormValue::SetOf({})),
                Prop("Options", FormValue::SetOf({"goFixedVertLine", "goVertLine"})),
                Prop("Expand", FormValue::Bool(true)),
                Prop("Images", FormValue::Identifier("DataModule1.ImageList1")),
                Prop("ColWidths", FormValue::ListOf({FormValue::Int(20), FormValue::Int(124)})),
                Prop("Mixed", FormValue::ListOf({FormValue::Str("a"), FormValue::ListOf({}),
                                                 FormValue::CollectionOf({Item({})}), FormValue::BinaryOf({1}),
                                                 FormValue::ListOf({FormValue::Str(std::string(100, 'y'))})})),
                Prop("Rows", FormValue::CollectionOf(
                                 {Item({Prop("Expand", FormValue::Bool(false)),
                                        Prop("Cells", FormValue::CollectionOf(
                                                          {Item({Prop("Value", FormValue::Str("T")),
                                                                 Prop("object", FormValue::Int(1))}),
                                                           Item({})}))}),
                                  Item({})})),
                Prop("NoRows", FormValue::CollectionOf({})),
                Prop("Items.Data", FormValue::BinaryOf(bytes)),
                Prop("NoData", FormValue::BinaryOf({}))},
               {inner, unnamed});
}

} // namespace

TEST(FormWriter, WritesTheNotationLayout)
{
    const FormObject tree =
        Obj("MainForm", "TMainForm",
            {Prop("Caption", FormValue::Str("MainForm")), Prop("Options", FormValue::SetOf({"a", "b"})),
             Prop("ColWidths", FormValue::ListOf({FormValue::Int(20), FormValue::Int(124)})),
             Prop("Rows", FormValue::CollectionOf({Item({Prop("Cells", FormValue::CollectionOf({Item({})}))})})),
             Prop("Items.Data", FormValue::BinaryOf({0x0A, 0x0B})), Prop("Weight", FormValue::Real(2)),
             Prop("Text", FormValue::Str("ab\r\ncd"))},
            {Obj("btnPost", "TButton", {Prop("Left", FormValue::Int(112))})});
    EXPECT_EQ(WriteForm(tree), "object MainForm: TMainForm\n"
                               "  Caption = 'MainForm'\n"
                               "  Options = [a, b]\n"
                               "  ColWidths = (\n"
                               "    20\n"
                               "    124)\n"
                               "  Rows = <\n"
                               "    item\n"
                               "      Cells = <\n"
                               "        item\n"
                               "        end>\n"
                               "    end>\n"
                               "  Items.Data = {\n"
                               "    0A0B}\n"
                               "  Weight = 2.0\n"
                               "  Text = 'ab'#13#10'cd'\n"
                               "  object btnPost: TButton\n"
                               "    Left = 112\n"
                               "  end\n"
                               "end\n");
}

TEST(FormWriter, LongStringsAndBlocksAreSplitIntoLines)
{
    std::vector<uint8_t> bytes(33, 0xAB);
    std::string hexLine;
    for (int i = 0; i < 32; ++i)
        hexLine += "AB";
    const std::string longRun(64, 'a');
    const std::string text = WriteForm(
        Obj("A", "TA", {Prop("S", FormValue::Str(longRun + "宋")), Prop("B", FormValue::BinaryOf(bytes))}));
    // Built by appending: GCC 12 misreads a chain of temporaries here as an
    // out-of-bounds copy (-Warray-bounds) once the standard headers are precompiled.
    std::string expected = "object A: TA\n  S = '";
    expected.append(longRun).append("' +\n    '宋'\n  B = {\n    ").append(hexLine).append("\n    AB}\nend\n");
    EXPECT_EQ(text, expected);
}

TEST(FormWriter, RoundTripsEveryValueKindAndIsStable)
{
    const FormObject tree = RichTree();
    const std::string first = WriteForm(tree);
    const FormObject back = ReadForm(first, "written");
    EXPECT_EQ(back, tree) << first;
    EXPECT_EQ(WriteForm(back), first);
    // Children and origins survive too (equality covers them; spot-check for a clear failure).
    ASSERT_EQ(back.children.size(), 2u);
    EXPECT_EQ(back.children[0].origin, FormObject::Origin::Inherited);
    EXPECT_EQ(back.children[1].name, "");
}

TEST(FormWriter, RewritingReadTextIsStable)
{
    const std::string text = "object A: TA\n"
                             "  H = $FF\n"
                             "  S = 'x' +\n"
                             "  'y'#9\n"
                             "  F = 1E2\n"
                             "  L = (1 2 (3))\n"
                             "end";
    const std::string once = WriteForm(ReadForm(text, "t"));
    EXPECT_EQ(WriteForm(ReadForm(once, "t")), once);
    EXPECT_NE(once.find("H = 255"), std::string::npos);
    EXPECT_NE(once.find("S = 'xy'#9"), std::string::npos);
    EXPECT_NE(once.find("F = 100.0"), std::string::npos);
}

TEST(FormWriter, RefusesTreesThatCouldNotBeReadBack)
{
    const auto writeWith = [](FormProperty p) { return WriteForm(Obj("A", "TA", {std::move(p)})); };
    EXPECT_THROW(writeWith(Prop("", FormValue::Int(1))), EInvalidOperation);
    EXPECT_THROW(writeWith(Prop("end", FormValue::Int(1))), EInvalidOperation);
    EXPECT_THROW(writeWith(Prop("Object", FormValue::Int(1))), EInvalidOperation);
    EXPECT_THROW(writeWith(Prop("Font.", FormValue::Int(1))), EInvalidOperation);
    EXPECT_THROW(writeWith(Prop("Bad Name", FormValue::Int(1))), EInvalidOperation);
    EXPECT_THROW(writeWith(Prop("X", FormValue::Identifier("not an ident"))), EInvalidOperation);
    EXPECT_THROW(writeWith(Prop("X", FormValue::SetOf({"a", ""}))), EInvalidOperation);
    EXPECT_THROW(writeWith(Prop("X", FormValue::Str("bad \xC0\x80 UTF-8"))), EInvalidOperation);
    EXPECT_THROW(writeWith(Prop("X", FormValue::Real(std::numeric_limits<double>::infinity()))), EInvalidOperation);
    EXPECT_THROW(writeWith(Prop("X", FormValue::Real(std::nan("")))), EInvalidOperation);
    EXPECT_THROW(WriteForm(Obj("A", "", {})), EInvalidOperation);
    EXPECT_THROW(WriteForm(Obj("A.B", "TA", {})), EInvalidOperation);

    FormValue deep = FormValue::Int(0);
    for (int i = 0; i < FormReader::MaxDepth; ++i)
        deep = FormValue::ListOf({deep});
    try {
        writeWith(Prop("Deep", deep));
        FAIL() << "nesting beyond what the reader accepts was written";
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Cannot write stored definition at A.Deep: nesting deeper than 256 levels");
    }
}
