#include <gtest/gtest.h>

#include "stream/FormReader.h"
#include "stream/FormWriter.h"

namespace {

const char* const Sample = R"(object MainForm: TMainForm
  Left = 0
  Caption = 'MainForm'
  Color = 15658734
  Font.Charset = ANSI_CHARSET
  Font.Height = -14
  Font.Name = '宋体'
  Font.Style = []
  OnClick = btnPostClick
  Options = [goFixedVertLine, goVertLine]
  ColWidths = (
    20
    124)
  Rows = <
    item
      Expand = True
      Cells = <
        item
          Value = 'T'
          DataType = cdtBoolean
        end
        item
        end>
    end>
  Items.Data = {
    0A0B0C0D}
  Weight = 1.5
  object btnPost: TButton
    Left = 112
  end
end
)";

// The fault a text produces, as "line:column: problem".
std::string ErrorOf(const std::string& text)
{
    try {
        ReadForm(text, "t.dfm");
    } catch (const EFormError& e) {
        EXPECT_EQ(e.Resource(), "t.dfm");
        return std::to_string(e.Pos().line) + ":" + std::to_string(e.Pos().column) + ": " + e.Problem();
    }
    return "no error";
}

} // namespace

TEST(FormReader, ReadsEveryValueKindOfTheSample)
{
    const FormObject form = ReadForm(Sample, "Main.dfm");
    EXPECT_EQ(form.name, "MainForm");
    EXPECT_EQ(form.className, "TMainForm");
    EXPECT_EQ(form.pos.line, 1);
    ASSERT_EQ(form.properties.size(), 13u);

    EXPECT_EQ(form.Find("Left")->value, FormValue::Int(0));
    EXPECT_EQ(form.Find("Font.Height")->value, FormValue::Int(-14));
    EXPECT_EQ(form.Find("Font.Name")->value, FormValue::Str("宋体"));
    EXPECT_EQ(form.Find("Font.Charset")->value, FormValue::Identifier("ANSI_CHARSET"));
    EXPECT_EQ(form.Find("Font.Style")->value, FormValue::SetOf({}));
    EXPECT_EQ(form.Find("Options")->value, FormValue::SetOf({"goFixedVertLine", "goVertLine"}));
    EXPECT_EQ(form.Find("ColWidths")->value, FormValue::ListOf({FormValue::Int(20), FormValue::Int(124)}));
    EXPECT_EQ(form.Find("Items.Data")->value, FormValue::BinaryOf({0x0A, 0x0B, 0x0C, 0x0D}));
    EXPECT_EQ(form.Find("Weight")->value, FormValue::Real(1.5));

    const FormValue& rows = form.Find("Rows")->value;
    ASSERT_EQ(rows.kind, FormValue::Kind::Collection);
    ASSERT_EQ(rows.items.size(), 1u);
    EXPECT_TRUE(rows.items[0].Find("Expand")->value.IsBool());
    const FormValue& cells = rows.items[0].Find("Cells")->value;
    ASSERT_EQ(cells.items.size(), 2u);
    EXPECT_EQ(cells.items[0].Find("Value")->value, FormValue::Str("T"));
    EXPECT_TRUE(cells.items[1].properties.empty());
    EXPECT_EQ(cells.items[1].pos.line, 22);
    EXPECT_EQ(cells.items[1].pos.column, 9);

    ASSERT_EQ(form.children.size(), 1u);
    EXPECT_EQ(form.FindChild("btnPost")->className, "TButton");
    EXPECT_EQ(form.children[0].pos.line, 28);
    EXPECT_EQ(form.children[0].properties[0].pos.column, 5);
}

TEST(FormReader, SampleIsWrittenBackCharacterForCharacter)
{
    EXPECT_EQ(WriteForm(ReadForm(Sample, "Main.dfm")), Sample);
}

TEST(FormReader, NumbersInAllTheirForms)
{
    const FormObject f = ReadForm("object A: TA\n"
                                  "  H = $FF0000\n"
                                  "  Neg = -2147483648\n"
                                  "  Big = 9223372036854775807\n"
                                  "  Min = -9223372036854775808\n"
                                  "  AllBits = $FFFFFFFFFFFFFFFF\n"
                                  "  E = 2.5e3\n"
                                  "  F = -0.125\n"
                                  "  G = 1E-2\n"
                                  "end",
                                  "t");
    EXPECT_EQ(f.Find("H")->value, FormValue::Int(0xFF0000));
    EXPECT_EQ(f.Find("Neg")->value, FormValue::Int(-2147483648LL));
    EXPECT_EQ(f.Find("Big")->value, FormValue::Int(INT64_MAX));
    EXPECT_EQ(f.Find("Min")->value, FormValue::Int(INT64_MIN));
    EXPECT_EQ(f.Find("AllBits")->value, FormValue::Int(-1));
    EXPECT_EQ(f.Find("E")->value, FormValue::Real(2500));
    EXPECT_EQ(f.Find("F")->value, FormValue::Real(-0.125));
    EXPECT_EQ(f.Find("G")->value, FormValue::Real(0.01));
}

TEST(FormReader, StringsJoinCodesQuotesAndContinuations)
{
    const FormObject f = ReadForm("object A: TA\n"
                                  "  S1 = 'ab'#13#10'cd'\n"
                                  "  S2 = 'it''s'\n"
                                  "  S3 = #23435#20307\n"
                                  "  S4 = 'first ' +\n"
                                  "    'second' +\n"
                                  "    #$41\n"
                                  "  S5 = ''\n"
                                  "  S6 = #55357#56832\n"
                                  "end",
                                  "t");
    EXPECT_EQ(f.Find("S1")->value.text, "ab\r\ncd");
    EXPECT_EQ(f.Find("S2")->value.text, "it's");
    EXPECT_EQ(f.Find("S3")->value.text, "宋体");
    EXPECT_EQ(f.Find("S4")->value.text, "first secondA");
    EXPECT_EQ(f.Find("S5")->value, FormValue::Str(""));
    EXPECT_EQ(f.Find("S6")->value.text, "\xF0\x9F\x98\x80"); // one character from a UTF-16 pair
}

TEST(FormReader, ObjectHeadersKeywordsAndLineEnds)
{
    const FormObject f = ReadForm("\xEF\xBB\xBFOBJECT Main: TMain\r\n"
                                  "  inherited Panel1: TPanel\r\n"
                                  "  End\r\n"
                                  "  inline Frame: TFrame1\r\n"
                                  "    object TLabel\r\n"
                                  "      Ref = Other.Thing\r\n"
                                  "    end\r\n"
                                  "  end\r\n"
                                  "end\r\n\r\n",
                                  "t");
    ASSERT_EQ(f.children.size(), 2u);
    EXPECT_EQ(f.children[0].origin, FormObject::Origin::Inherited);
    EXPECT_EQ(f.children[1].origin, FormObject::Origin::Inline);
    const FormObject& label = f.children[1].children.at(0);
    EXPECT_EQ(label.name, "");
    EXPECT_EQ(label.className, "TLabel");
    EXPECT_EQ(label.pos.line, 5);
    EXPECT_EQ(label.Find("Ref")->value, FormValue::Identifier("Other.Thing"));
}

TEST(FormReader, NestedListsAndCollections)
{
    const FormObject f = ReadForm("object A: TA\n"
                                  "  L = (1 'x' (2 3) <item end> {00} [a] ())\n"
                                  "  C = <item Sub = <item V = 1 end> end item end>\n"
                                  "  E = <>\n"
                                  "  B = {}\n"
                                  "end",
                                  "t");
    const FormValue& list = f.Find("L")->value;
    ASSERT_EQ(list.list.size(), 7u);
    EXPECT_EQ(list.list[2], FormValue::ListOf({FormValue::Int(2), FormValue::Int(3)}));
    EXPECT_EQ(list.list[3].kind, FormValue::Kind::Collection);
    EXPECT_EQ(list.list[6], FormValue::ListOf({}));
    const FormValue& c = f.Find("C")->value;
    ASSERT_EQ(c.items.size(), 2u);
    EXPECT_EQ(c.items[0].Find("Sub")->value.items.at(0).Find("V")->value, FormValue::Int(1));
    EXPECT_EQ(f.Find("E")->value, FormValue::CollectionOf({}));
    EXPECT_EQ(f.Find("B")->value, FormValue::BinaryOf({}));
}

TEST(FormReader, StructuralFaultsNameLineAndColumn)
{
    EXPECT_EQ(ErrorOf(""), "1:1: expected 'object', 'inherited' or 'inline', found end of text");
    EXPECT_EQ(ErrorOf("object A: TA\n  Left = 1\n"),
              "3:1: unexpected end of text: 'end' missing for object 'A' opened at line 1");
    EXPECT_EQ(ErrorOf("object A: TA\n  Left 1\nend"), "2:8: expected '=' after property name 'Left', found a number");
    EXPECT_EQ(ErrorOf("object A: TA\n  = 1\nend"), "2:3: empty property name");
    EXPECT_EQ(ErrorOf("object A: TA\n  Font. = 1\nend"), "2:8: name 'Font.' has an empty part after '.'");
    EXPECT_EQ(ErrorOf("object A: TA\nend\nobject B: TB\nend"), "3:1: unexpected text after the final 'end'");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = )\nend"), "2:7: expected a value, found ')'");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = [a b]\nend"), "2:10: expected ',' or ']' in set, found 'b'");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = <thing end>\nend"), "2:8: expected 'item' or '>' in collection, found 'thing'");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = 'a' + 1\nend"), "2:13: expected a string after '+', found a number");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = (1 2\n"), "3:1: unexpected end of text: ')' missing for list opened at line 2");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = <item\n"), "3:1: unexpected end of text: 'end' missing for item opened at line 2");
    EXPECT_EQ(ErrorOf("object A.B: TA\nend"), "1:8: bad an object name or class name 'A.B': it must not contain '.'");
}

TEST(FormReader, LexicalFaultsNameLineAndColumn)
{
    EXPECT_EQ(ErrorOf("object A: TA\n  Caption = 'open\nend"), "2:13: unterminated string");
    EXPECT_EQ(ErrorOf("object A: TA\n  Caption = '宋体\tok'#\nend"), "2:20: '#' must be followed by a character code");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = 1 // note\nend"), "2:9: bad character '/'");
    EXPECT_EQ(ErrorOf("object A: TA\n  宋 = 1\nend"), "2:3: bad character '宋'");
    EXPECT_EQ(ErrorOf(std::string("object A: TA\n  X = 1\x01\nend")), "2:8: bad character #1");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = 'a\xFF'\nend"), "2:9: string is not valid UTF-8");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = 'a\x02'\nend"), "2:9: control character #2 in string; write it as #2");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = 12ab\nend"), "2:7: bad number '12ab'");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = 1.\nend"), "2:7: bad number '1.'");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = $\nend"), "2:7: bad number '$'");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = 9223372036854775808\nend"),
              "2:7: integer out of range '9223372036854775808'");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = $10000000000000000\nend"),
              "2:7: number out of range: more than 64 bits of hex digits");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = 1e999\nend"), "2:7: number out of range '1e999'");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = #1114112\nend"), "2:7: character code out of range");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = #55357'a'\nend"), "2:7: character code #55357 is half of a surrogate pair");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = {\n    0A0\n  }\nend"), "4:3: odd number of hex digits in binary block");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = {0G}\nend"), "2:9: bad character 'G' in binary block");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = {00"), "2:7: unterminated binary block");
}

TEST(FormReader, HostileInputFailsCleanly)
{
    // Deep nesting is refused before the stack is at risk.
    std::string deep = "object A: TA\n  X = " + std::string(100000, '(');
    EXPECT_EQ(ErrorOf(deep), "2:" + std::to_string(7 + FormReader::MaxDepth - 1) + ": nesting deeper than 256 levels");
    std::string objects;
    for (int i = 0; i <= FormReader::MaxDepth; ++i)
        objects += "object A: TA\n";
    EXPECT_EQ(ErrorOf(objects), "257:1: nesting deeper than 256 levels");

    // Exactly at the limit still reads.
    std::string atLimit = "object A: TA\n  X = " + std::string(FormReader::MaxDepth - 1, '(') +
                          std::string(FormReader::MaxDepth - 1, ')') + "\nend";
    EXPECT_NO_THROW(ReadForm(atLimit, "t"));

    // Large input reads in linear time: a long string joined from many pieces, a long list.
    std::string big = "object A: TA\n  S = 'x'";
    for (int i = 0; i < 200000; ++i)
        big += " + 'x'";
    big += "\n  L = (";
    for (int i = 0; i < 200000; ++i)
        big += " 1";
    big += ")\nend";
    const FormObject f = ReadForm(big, "t");
    EXPECT_EQ(f.Find("S")->value.text.size(), 200001u);
    EXPECT_EQ(f.Find("L")->value.list.size(), 200000u);
}

TEST(FormValueHelpers, DescribeAndExpectKind)
{
    EXPECT_STREQ(FormValue::DescribeKind(FormValue::Kind::Integer), "an integer");
    EXPECT_STREQ(FormValue::SetOf({}).Describe(), "a set");
    const FormObject f = ReadForm("object A: TA\n  ColWidths = 'wide'\nend", "Grid.dfm");
    try {
        EFormError::ExpectKind("Grid.dfm", *f.Find("ColWidths"), FormValue::Kind::List);
        FAIL() << "a string passed as a list";
    } catch (const EFormError& e) {
        EXPECT_STREQ(e.what(), "Grid.dfm:2:15: expected a list for 'ColWidths', found a string");
    }
    EXPECT_EQ(f.Find("Missing"), nullptr);
}
