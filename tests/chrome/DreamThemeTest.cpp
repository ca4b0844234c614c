#include <gtest/gtest.h>

#include <QImage>

#include "chrome/checkboxes/SkinPanelObject.h"
#include "chrome/themes/DreamTheme.h"
#include "chrome/themes/SkinDrawing.h"
#include "support/PixelChecks.h"
#include "support/Pixels.h"

using namespace SkinDrawing;

namespace {

using canvastest::surface;

class Dream : public ::testing::Test {
protected:
    TDreamTheme theme{QStringLiteral("Dream")};
    QImage img = surface(40, 22);
    TCanvas canvas{img};

    void Button(bool enabled, bool hot, bool pushed, bool checked)
    {
        TSkinItemState s;
        s.enabled = enabled;
        s.hot = hot;
        s.pushed = pushed;
        s.checked = checked;
        theme.PaintButton(canvas, {0, 0, 40, 22}, s);
    }
};

} // namespace

TEST(SkinDrawing, BlendRoundsPerChannelAndResolvesSystemColours)
{
    EXPECT_EQ(Blend(clHighlight, clWindow, 30), RGBColor(194, 224, 255));
    EXPECT_EQ(Blend(clBlack, clWhite, 50), RGBColor(128, 128, 128));
    EXPECT_EQ(Blend(RGBColor(10, 20, 30), clBlack, 100), RGBColor(10, 20, 30));
}

TEST(SkinDrawing, ContrastMovesOnlyColoursTooCloseToTheBackground)
{
    const TColor bg = 0x00DCD8D0;
    EXPECT_EQ(Contrast(clBlack, bg, 180), clBlack);
    EXPECT_EQ(Contrast(clBtnText, bg, 180), clBlack);
    const TColor grey = Contrast(0x00C0C0C0, bg, 80);
    EXPECT_GE(Brightness(bg) - Brightness(grey), 80);
    EXPECT_LE(Brightness(bg) - Brightness(grey), 83); // moved no further than needed
    EXPECT_EQ(GetRValue(grey), GetBValue(grey));
    // Against a dark background a dark colour is lightened.
    EXPECT_GE(Brightness(Contrast(RGBColor(40, 40, 40), RGBColor(20, 20, 20), 100)), 120);
    // Where neither side has room the colour goes as far as it can.
    EXPECT_EQ(Contrast(RGBColor(128, 128, 128), RGBColor(128, 128, 128), 200), clBlack);
}

TEST(SkinDrawing, GradientRowsFollowTheIntegerFormula)
{
    EXPECT_EQ(GradientRow(clWhite, 0x00DCD8D0, 0, 26), clWhite);
    EXPECT_EQ(GradientRow(clWhite, 0x00DCD8D0, 25, 26), 0x00DCD8D0);
    EXPECT_EQ(GradientRow(clWhite, 0x00DCD8D0, 13, 26), RGBColor(230, 234, 236));
    EXPECT_EQ(GradientRow(0x00D0F8FF, 0x00F0FDFF, 2, 20), RGBColor(255, 249, 212));
    EXPECT_EQ(GradientRow(clWhite, clBlack, 0, 1), clWhite);
}

TEST(SkinDrawing, ChamferedFrameCutsTheCorners)
{
    QImage img = surface(8, 6);
    TCanvas c(img);
    ChamferedFrame(c, {0, 0, 8, 6}, 2, 2, clBlack);
    const char* rows[] = {"..####..", ".#....#.", "#......#", "#......#", ".#....#.", "..####.."};
    for (int y = 0; y < 6; ++y)
        EXPECT_EQ(canvastest::row(img, y, 0, 8), rows[y]) << "row " << y;
}

TEST_F(Dream, ColourTableOfTheItemStates)
{
    EXPECT_EQ(theme.ItemColors(0).fill, clNone);
    EXPECT_EQ(theme.ItemColors(0).frame, clNone);
    EXPECT_EQ(theme.ItemColors(0).text, clBlack);
    EXPECT_EQ(theme.ItemColors(1).frame, 0x00D0D0D0);
    EXPECT_LT(Brightness(theme.ItemColors(1).text), Brightness(0x00C0C0C0));
    EXPECT_EQ(theme.ItemColors(2).frame, 0x00C0C0C0);
    EXPECT_EQ(theme.ItemColors(3).fill, RGBColor(194, 224, 255));
    EXPECT_EQ(theme.ItemColors(3).text, clBlack);
    EXPECT_EQ(theme.ItemColors(3).frame, 0x000000FF);
    EXPECT_EQ(theme.ItemColors(4).frame, 0x00A0A0A0);
    EXPECT_EQ(theme.ItemColors(5).fill, theme.ItemColors(4).fill);
    EXPECT_EQ(theme.ItemColors(5).text, 0x00C0C0C0);
    EXPECT_EQ(theme.ItemColors(5).frame, Rgb(clHighlight));
    EXPECT_EQ(theme.ItemColors(7).fill, 0x00DCD8D0);
    EXPECT_EQ(theme.ItemColors(8).text, clNone);
    // The states chosen for an item.
    EXPECT_EQ(SkinStateIndex({false, false, false, false}), 1);
    EXPECT_EQ(SkinStateIndex({false, true, true, true}), 5);
    EXPECT_EQ(SkinStateIndex({true, true, true, true}), 3);
    EXPECT_EQ(SkinStateIndex({true, false, false, true}), 2);
    EXPECT_EQ(SkinStateIndex({true, true, false, true}), 6);
    EXPECT_EQ(SkinStateIndex({true, true, false, false}), 4);
}

TEST_F(Dream, DockAndToolbarBackground)
{
    QImage dock = surface(30, 26);
    TCanvas dc(dock);
    theme.PaintDock(dc, {0, 0, 30, 26});
    EXPECT_EQ(At(dock, 0, 0), 0x00E0E0E0);
    EXPECT_EQ(At(dock, 29, 25), 0x00E0E0E0);

    QImage bar = surface(300, 26);
    TCanvas bc(bar);
    theme.PaintToolbarBackground(bc, {0, 0, 300, 26});
    EXPECT_EQ(At(bar, 150, 0), clWhite);
    EXPECT_EQ(At(bar, 0, 13), RGBColor(230, 234, 236));
    EXPECT_EQ(At(bar, 299, 25), 0x00DCD8D0);

    // Standing on its side, the shading runs left to right.
    QImage side = surface(26, 100);
    TCanvas sc(side);
    theme.PaintToolbarBackground(sc, {0, 0, 26, 100});
    EXPECT_EQ(At(side, 0, 99), clWhite);
    EXPECT_EQ(At(side, 25, 0), 0x00DCD8D0);
}

TEST_F(Dream, HotButtonFrames)
{
    Button(true, true, false, false);
    EXPECT_EQ(At(img, 0, 0), clWhite);     // the corner is cut away
    EXPECT_EQ(At(img, 2, 0), 0x00A0A0A0);  // outer frame
    EXPECT_EQ(At(img, 1, 1), 0x00A0A0A0);
    EXPECT_EQ(At(img, 37, 21), 0x00A0A0A0);
    EXPECT_EQ(At(img, 2, 1), 0x00E0E0E0);  // light inner frame
    EXPECT_EQ(At(img, 1, 2), 0x00E0E0E0);
    EXPECT_EQ(At(img, 2, 2), 0x00F4F0F0);  // fill
    EXPECT_EQ(At(img, 37, 19), 0x00F4F0F0);

    img.fill(Qt::white);
    Button(false, true, false, false); // a disabled item marked hot
    EXPECT_EQ(At(img, 2, 0), Rgb(clHighlight));
}

TEST_F(Dream, PushedCheckedAndNormalButtons)
{
    Button(true, true, true, false);
    ExpectPixels(img, {{2, 0, 0x00909090}, {2, 1, 0x00D0D0D0}, {10, 2, clWhite}, {10, 19, 0x00C0C0C0}});

    img.fill(Qt::white);
    Button(true, false, false, true);
    ExpectPixels(img, {{2, 0, 0x00808080}, {2, 1, 0x00A0A0A0}, {5, 2, 0x00B0D4DF}, {2, 10, 0x00B0D4DF},
                       {5, 3, RGBColor(255, 249, 212)}});

    img.fill(Qt::white);
    Button(true, true, false, true);
    EXPECT_EQ(At(img, 5, 2), 0x0060B0E8);

    img.fill(Qt::white);
    Button(true, false, false, false);
    Button(false, false, false, false);
    EXPECT_EQ(canvastest::inkBox(img.copy(0, 0, 40, 22)), TRect{}) << "nothing painted";
}

TEST_F(Dream, CheckBoxesTakeTheThemesLook)
{
    QImage box = surface(13, 13);
    TCanvas c(box);
    theme.PaintFrameControl(c, {0, 0, 13, 13}, skfCheckBox, skfChecked);
    EXPECT_EQ(At(box, 0, 0), 0x00808080);
    EXPECT_GT(canvastest::count(box, clBlack, {1, 1, 12, 12}), 10) << "the check mark";
}
