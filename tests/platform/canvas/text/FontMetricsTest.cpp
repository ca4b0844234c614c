// The screens were designed with the platform's faces: these widths are the ones
// their stored sizes imply, and measuring and drawing must agree on them.

#include <gtest/gtest.h>

#include "platform/canvas/Canvas.h"
#include "platform/canvas/text/FontFaces.h"
#include "support/Pixels.h"

using namespace canvastest;

namespace {

TFont MakeFont(const char* face, int height, TFontStyles style = 0)
{
    TFont f;
    f.SetName(QString::fromUtf8(face));
    f.SetHeight(height);
    f.SetStyle(style);
    f.SetColor(clBlack);
    return f;
}

} // namespace

TEST(FontMetrics, shouldMeasureTextAsTheScreensWereDesigned)
{
    struct Row {
        const char* face;
        int height;
        const char* text;
        int width;
    } rows[] = {
        // Tahoma takes CJK from the linked Song face at 12 pixels.
        {"Tahoma", -11, "本级管理员可以将授权职能分配给下级部门的系统管理员", 300},
        {"Tahoma", -11, "已分配的部门级系统管理员成员:", 172},
        {"Tahoma", -11, ":", 4},
        {"Tahoma", -11, "U", 7},
        {"Tahoma", -11, "Z", 6},
        {"Tahoma", -11, "设置角色之间在行政上和业务上的隶属关系。", 240},
        // 宋体 advances by code-page cells: double-byte full, single-byte half.
        {"宋体", -12, " ·选择用户(&U)", 90},
        {"宋体", -12, "·", 12},
        {"宋体", -12, "。：“”—…", 72},
        {"宋体", -12, "部门名称:", 54},
        {"宋体", -12, "路径:", 30},
        {"宋体", -14, "组织机构", 56},
        {"宋体", -14, "Ab", 14},
        {"宋体", 16, "中a", 24},
    };
    TCanvas c;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        const TFont f = MakeFont(r.face, r.height);
        c.Font().Assign(&f);
        EXPECT_EQ(c.TextWidth(QString::fromUtf8(r.text)), r.width);
    }
}

TEST(FontMetrics, shouldGiveTheDesignedCellHeights)
{
    TCanvas c;
    struct Row {
        const char* face;
        int height, cell, ascent;
    } rows[] = {{"宋体", -12, 12, 10}, {"宋体", -14, 14, 12}, {"Tahoma", -11, 13, 11}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.face);
        const TFont f = MakeFont(r.face, r.height);
        c.Font().Assign(&f);
        EXPECT_EQ(c.TextHeight("x"), r.cell);
        EXPECT_EQ(c.TextMetrics().Ascent, r.ascent);
    }
}

TEST(FontMetrics, shouldFormatTextWithTheSameWidthsAsItMeasures)
{
    TCanvas c;
    const TFont f = MakeFont("宋体", -12);
    c.Font().Assign(&f);
    TRect r{0, 0, 500, 100};
    c.DrawText(QStringLiteral(" ·选择用户(&U)"), r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.Width(), 84); // the prefix character takes no room
    EXPECT_EQ(r.Height(), 12);
}

TEST(FontMetrics, shouldDrawUnderlinesInsideTheCell)
{
    for (const char* text : {"·选择用户(&U)", "删除(&D)"}) {
        SCOPED_TRACE(text);
        // A 12-pixel link: the whole text underlined by its font, and the
        // accelerator by the prefix; both rows lie in the 12-pixel cell.
        QImage img = surface(120, 12);
        TCanvas c(img);
        const TFont f = MakeFont("宋体", -12, fsUnderline);
        c.Font().Assign(&f);
        c.Brush().SetStyle(bsClear);
        TRect r{0, 0, 120, 12};
        c.DrawText(QString::fromUtf8(text), r, DT_SINGLELINE);
        TRect calc{0, 0, 120, 12};
        c.DrawText(QString::fromUtf8(text), calc, DT_SINGLELINE | DT_CALCRECT);
        EXPECT_EQ(count(img, clBlack, Bounds(0, 11, calc.Width(), 1)), calc.Width());
        EXPECT_EQ(count(img, clBlack, Bounds(calc.Width(), 0, 120 - calc.Width(), 12)), 0);
    }
}

TEST(FontMetrics, shouldPlaceEachSongCharacterInItsCell)
{
    // Drawing follows the measured cells: the second of two characters starts
    // one cell to the right, and a narrow glyph is centred in its full cell.
    QImage img = surface(60, 14);
    TCanvas c(img);
    const TFont f = MakeFont("宋体", -12);
    c.Font().Assign(&f);
    c.Brush().SetStyle(bsClear);
    c.TextOut(0, 0, QStringLiteral("·"));
    const TRect dot = inkBox(img);
    ASSERT_FALSE(dot.IsEmpty());
    EXPECT_GE(dot.Left, 3);
    EXPECT_LE(dot.Right, 9);
}

TEST(FontMetrics, shouldLinkTheSongFaceInProportion)
{
    EXPECT_EQ(FontFaces::LinkedSongPixels(11), 12);
    EXPECT_EQ(FontFaces::LinkedSongPixels(22), 24);
    EXPECT_EQ(FontFaces::SongCellWidth(U'A', 12), 6);
    EXPECT_EQ(FontFaces::SongCellWidth(U'·', 12), 12);
    EXPECT_EQ(FontFaces::SongCellWidth(U'中', 14), 14);
}
