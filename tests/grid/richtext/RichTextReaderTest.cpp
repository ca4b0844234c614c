#include <gtest/gtest.h>

#include <QImage>

#include "grid/richtext/RichSymbolDraw.h"
#include "grid/richtext/RichTextReader.h"
#include "grid/viewgrid/TavikCustomViewGrid.h"
#include "platform/canvas/Canvas.h"
#include "platform/canvas/text/GbkText.h"

namespace {

QString Rtf(const char* body)
{
    return QString::fromLatin1(body);
}

TEST(RichTextReader, PlainTextIsPlainParagraphs)
{
    const TRichTextDocument doc = ReadRichText("第一行\r\nsecond {not rich}");
    ASSERT_EQ(doc.size(), 2u);
    EXPECT_EQ(RichDocumentText(doc), QStringLiteral("第一行\nsecond {not rich}"));
    EXPECT_EQ(doc[0].Runs[0].FontName, "");
    EXPECT_FALSE(IsRichText(" {\\rt"));
    EXPECT_TRUE(IsRichText("\n {\\rtf1 x}"));
}

TEST(RichTextReader, FormattingTablesAndAlignment)
{
    const TRichTextDocument doc = ReadRichText(
        Rtf("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}"
            "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
            "\\pard\\qc\\f1\\fs24 A\\b B\\b0\\i C\\i0\\ul D\\ulnone\\strike E\\strike0{\\cf1 F}\\cf2 G\\par"
            "\\pard\\qr x\\super 2\\nosupersub\\line y\\par}"));
    ASSERT_EQ(doc.size(), 2u);
    const auto& runs = doc[0].Runs;
    EXPECT_EQ(doc[0].Alignment, raCenter);
    EXPECT_EQ(doc[1].Alignment, raRight);
    ASSERT_EQ(runs.size(), 7u);
    EXPECT_EQ(runs[0].Text, "A");
    EXPECT_EQ(runs[0].FontName, "Courier New");
    EXPECT_EQ(runs[0].FontSize, 12);
    EXPECT_EQ(runs[1].Styles, fsBold);
    EXPECT_EQ(runs[2].Styles, fsItalic);
    EXPECT_EQ(runs[3].Styles, fsUnderline);
    EXPECT_EQ(runs[4].Styles, fsStrikeOut);
    EXPECT_EQ(runs[5].Color, clRed);
    EXPECT_EQ(runs[6].Color, RGBColor(0, 0, 128));
    EXPECT_EQ(runs[6].Text, "G") << "the group's colour ends with it";
    EXPECT_EQ(doc[1].Runs[1].Script, 1);
    EXPECT_EQ(RichDocumentText({doc[1]}), QString("x2") + QChar(0x2028) + "y");
}

TEST(RichTextReader, ChineseBytesUnicodeAndSkippedWords)
{
    // 宋体 and 中文 in GBK; \u with a one-character fallback.
    const TRichTextDocument doc = ReadRichText(
        Rtf("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
            "{\\*\\generator Riched20;}{\\info{\\title hidden}}\\viewkind4\\uc1\\f0\\fs18 "
            "\\'d6\\'d0\\'ce\\'c4 \\u20013?\\unknownword42 ok\\par}"));
    ASSERT_EQ(doc.size(), 1u);
    EXPECT_EQ(RichDocumentText(doc), QStringLiteral("中文 中ok")) << "a control word eats one space";
    EXPECT_EQ(doc[0].Runs[0].FontName, QStringLiteral("宋体"));
    EXPECT_EQ(GbkToString(StringToGbk(QStringLiteral("Φ宋体"))), QStringLiteral("Φ宋体"));
    EXPECT_EQ(StringToGbk(QStringLiteral("Φ")), QByteArray("\xA6\xB5"));
}

TEST(RichTextReader, SymbolWordsStandForTheirCharacters)
{
    const TRichTextDocument doc = ReadRichText(
        Rtf("{\\rtf1 a\\emdash b\\endash c\\bullet\\lquote d\\rquote\\ldblquote e\\rdblquote\\emdashx\\par}"));
    EXPECT_EQ(RichDocumentText(doc), QString::fromUtf8("a\u2014b\u2013c\u2022\u2018d\u2019\u201Ce\u201D"))
        << "a longer word is not the symbol";
}

TEST(RichTextReader, BrokenInputReadsAsFarAsItGoes)
{
    const struct {
        QString text;
        QString shown;
    } cases[] = {
        {Rtf("{\\rtf1 abc"), "abc"},
        {Rtf("{\\rtf1 a}}}b{"), "ab"},
        {Rtf("{\\rtf1 x\\'4"), "x"},
        {Rtf("{\\rtf1 x\\'zz y}"), "xzz y"},
        {Rtf("{\\rtf1 x\\"), "x"},
        {Rtf("{\\rtf1\\ansicpg936 \\'d6\\'d0\\{}"), QStringLiteral("中{")},
        {Rtf("{\\rtf1 \\u-3 \\fs99999999999 z}"), QString(QChar(0xFFFD)) + "z"},
        {Rtf("{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefghijkl y}"), "y"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RichDocumentText(ReadRichText(c.text)), c.shown) << c.text.toStdString();

    QString deep = "{\\rtf1 ";
    deep += QString(10000, QChar(u'{')) + "deep" + QString(10000, QChar(u'}')) + "}";
    EXPECT_EQ(RichDocumentText(ReadRichText(deep)), "deep");

    // Ten megabytes: linear in time, one run in memory.
    QString big = "{\\rtf1\\b ";
    big += QString(10 * 1024 * 1024, QChar(u'x')) + "}";
    const TRichTextDocument doc = ReadRichText(big);
    ASSERT_EQ(doc.size(), 1u);
    ASSERT_EQ(doc[0].Runs.size(), 1u);
    EXPECT_EQ(doc[0].Runs[0].Text.size(), 10 * 1024 * 1024);
}

TEST(RichTextDraw, PlainTextOnTheBackgroundColourInTheCellsFont)
{
    TTavikCustomViewGrid owner(nullptr);
    TRichSymbolDraw draw(&owner);
    EXPECT_THROW(TRichSymbolDraw(nullptr), Exception);
    QImage img(100, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    TCanvas canvas(img);
    TFont font;
    font.SetName("Tahoma");
    font.SetColor(clBlack);
    draw.SetFont(&font);
    draw.SetBackColor(clYellow);
    draw.SetAlignment(raRight);
    draw.Draw(canvas, "ab", Rect(10, 5, 90, 35));
    EXPECT_EQ(canvas.Pixels(9, 10), clWhite);
    EXPECT_EQ(canvas.Pixels(10, 5), clYellow);
    EXPECT_EQ(canvas.Pixels(89, 34), clYellow);
    EXPECT_EQ(canvas.Pixels(90, 20), clWhite);
    int left = 1000;
    for (int y = 5; y < 35; ++y)
        for (int x = 10; x < 90; ++x)
            if (canvas.Pixels(x, y) == clBlack)
                left = std::min(left, x);
    canvas.Font().Assign(&font);
    EXPECT_GE(left, 90 - canvas.TextWidth("ab") - 2) << "right-aligned";
    // A huge value draws only what can be seen.
    draw.Draw(canvas, QString(10 * 1024 * 1024, QChar(u'x')), Rect(10, 5, 90, 35));
}

TEST(RichTextDraw, SymbolConversionRaisesTheUnitDigit)
{
    TTavikCustomViewGrid owner(nullptr);
    struct Probe : TRichSymbolDraw {
        using TRichSymbolDraw::TRichSymbolDraw;
        using TRichSymbolDraw::Convert;
    } draw(&owner);
    TRichTextDocument doc = ReadRichText("5m2 and 7M3");
    draw.Convert(doc);
    ASSERT_EQ(doc[0].Runs.size(), 4u);
    EXPECT_EQ(doc[0].Runs[1].Text, "2");
    EXPECT_EQ(doc[0].Runs[1].Script, 1);
    EXPECT_EQ(doc[0].Runs[3].Text, "3");
    draw.SetConvertSymbols(false);
    doc = ReadRichText("5m2");
    draw.Convert(doc);
    EXPECT_EQ(doc[0].Runs.size(), 1u);
}

} // namespace
