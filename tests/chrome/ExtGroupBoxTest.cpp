#include <gtest/gtest.h>

#include "chrome/gradients/ExtGroupBox.h"
#include "platform/controls/Button.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/Form.h"
#include "platform/controls/Panel.h"
#include "support/PixelChecks.h"
#include "support/Pixels.h"
#include "support/ControlTestAccess.h"

namespace {

// '#' where the row (column) has colour c, '.' elsewhere.
std::string Row(const QImage& img, int y, int x0, int x1, TColor c)
{
    std::string s;
    for (int x = x0; x < x1; ++x)
        s += At(img, x, y) == Rgb(c) ? '#' : '.';
    return s;
}

std::string Col(const QImage& img, int x, int y0, int y1, TColor c)
{
    std::string s;
    for (int y = y0; y < y1; ++y)
        s += At(img, x, y) == Rgb(c) ? '#' : '.';
    return s;
}

// A flat box (no etched second line) in a colour of its own, lines in red.
struct FlatBox : TExtGroupBox {
    FlatBox() : TExtGroupBox(nullptr)
    {
        SetBounds(0, 0, 60, 40);
        SetCtl3D(false);
        SetColor(clWhite);
        SetBorderLineColor(clRed);
    }
};

} // namespace

TEST(ExtGroupBox, DefaultsAndChildArea)
{
    TExtGroupBox box(nullptr);
    EXPECT_EQ(box.Width(), 185);
    EXPECT_EQ(box.Height(), 105);
    EXPECT_EQ(box.TitlePosition(), tpLeft);
    EXPECT_EQ(box.BorderLines(), AllBorderlines);
    EXPECT_FALSE(box.DrawGradient());
    EXPECT_EQ(box.BorderLineColor(), clBtnShadow);
    const int th = TextHeight(box.Font(), QStringLiteral("0")) + 4;
    EXPECT_EQ(box.TitleHeight(), th);

    TPanel child(nullptr);
    child.SetParent(&box);
    child.SetAlign(alClient);
    EXPECT_EQ(child.BoundsRect(), (TRect{2, th + 2, 183, 103}));
    box.SetCtl3D(false);
    EXPECT_EQ(child.BoundsRect(), (TRect{1, th + 1, 184, 104}));
    // A bigger font makes a taller title band.
    box.Font().SetHeight(-24);
    EXPECT_GT(box.TitleHeight(), th);
    EXPECT_EQ(child.Top(), box.TitleHeight() + 1);
}

TEST(ExtGroupBox, EmptyCaptionDrawsTheWholeFrame)
{
    FlatBox box;
    const int top = box.TitleHeight() / 2 - 1;
    const QImage img = Painted(box);
    // Each line leaves out its last point and the next one starts there: closed corners.
    EXPECT_EQ(Row(img, top, 0, 60, clRed), std::string(60, '#'));
    EXPECT_EQ(Row(img, 39, 0, 60, clRed), std::string(60, '#'));
    EXPECT_EQ(Col(img, 0, top, 40, clRed), std::string(size_t(40 - top), '#'));
    EXPECT_EQ(Col(img, 59, top, 40, clRed), std::string(size_t(40 - top), '#'));
    EXPECT_EQ(Row(img, top + 1, 1, 59, clRed), std::string(58, '.'));
    EXPECT_EQ(Col(img, 30, 0, top, clRed), std::string(size_t(top), '.'));
}

TEST(ExtGroupBox, TitleAtTheLeftInterruptsTheTopLine)
{
    FlatBox box;
    box.SetBounds(0, 0, 120, 50);
    box.SetCaption(QStringLiteral("Group"));
    const int top = box.TitleHeight() / 2 - 1;
    const int tw = TextWidth(box.Font(), box.Caption());
    const QImage img = Painted(box);
    // The title starts at 8: the line stops short of 7 and resumes two after the text.
    const std::string row = Row(img, top, 0, 120, clRed);
    EXPECT_EQ(row.substr(0, 7), "#######");
    EXPECT_EQ(row.substr(7, size_t(tw + 3)), std::string(size_t(tw + 3), '.'));
    EXPECT_EQ(row.substr(size_t(tw + 10)), std::string(size_t(110 - tw), '#'));

    // At the right, the title ends 8 pixels before the frame's right line.
    box.SetTitlePosition(tpRight);
    const std::string right = Row(Painted(box), top, 0, 120, clRed);
    const int titleLeft = 119 - tw - 8;
    EXPECT_EQ(right.substr(0, size_t(titleLeft - 1)), std::string(size_t(titleLeft - 1), '#'));
    EXPECT_EQ(right[size_t(titleLeft)], '.');
    EXPECT_EQ(right.substr(size_t(titleLeft + tw + 2)), std::string(size_t(120 - titleLeft - tw - 2), '#'));
}

TEST(ExtGroupBox, TitleOnTopSitsAboveAWholeFrame)
{
    FlatBox box;
    box.SetBounds(0, 0, 120, 60);
    box.SetCaption(QStringLiteral("Group"));
    box.SetTitlePosition(tpTop);
    box.Font().SetColor(clBlue);
    const int th = box.TitleHeight();
    const int top = th / 2 - 1 + th;
    const QImage img = Painted(box);
    EXPECT_EQ(Row(img, top, 0, 120, clRed), std::string(120, '#'));
    EXPECT_EQ(Row(img, th / 2 - 1, 0, 120, clRed), std::string(120, '.'));
    // The title's ink starts at (8, 4) or a little inside.
    const TRect ink = canvastest::boxOf(img.copy(0, 0, 120, 60), clBlue);
    EXPECT_GE(ink.Left, 8);
    EXPECT_LE(ink.Left, 10);
    EXPECT_GE(ink.Top, 4);
    EXPECT_LE(ink.Bottom, top);

    // tpBottom keeps the frame where tpLeft has it but draws the top line whole.
    box.SetTitlePosition(tpBottom);
    EXPECT_EQ(Row(Painted(box), th / 2 - 1, 0, 120, clRed), std::string(120, '#'));
}

TEST(ExtGroupBox, LinesCanBeSwitchedOneByOne)
{
    FlatBox box;
    const int top = box.TitleHeight() / 2 - 1;
    box.SetBorderLines(BorderlineBit(blLeft) | BorderlineBit(blBottom));
    const QImage img = Painted(box);
    EXPECT_EQ(Row(img, top, 1, 59, clRed), std::string(58, '.'));
    EXPECT_EQ(Col(img, 59, top, 39, clRed), std::string(size_t(39 - top), '.'));
    EXPECT_EQ(Row(img, 39, 1, 60, clRed), std::string(59, '#'));
    EXPECT_EQ(Col(img, 0, top + 1, 40, clRed), std::string(size_t(39 - top), '#'));

    box.SetBorderLines(0);
    EXPECT_EQ(canvastest::count(Painted(box), clRed), 0);
    EXPECT_THROW(box.SetBorderLines(0x10), EInvalidOperation);
    EXPECT_THROW(box.SetTitlePosition(TTitlePosition(4)), EInvalidOperation);
}

TEST(ExtGroupBox, ThreeDLookIsAnEtchedFrame)
{
    TExtGroupBox box(nullptr);
    box.SetBounds(0, 0, 60, 40);
    box.SetColor(clWhite);
    const int top = box.TitleHeight() / 2 - 1;
    const QImage img = Painted(box);
    const TColor shadow = Rgb(clBtnShadow), light = Rgb(clBtnHighlight);
    EXPECT_EQ(At(img, 20, top), shadow);
    EXPECT_EQ(At(img, 20, top + 1), light);
    ExpectPixels(img, {{0, 20, shadow}, {1, 20, light}, {58, 20, shadow}, {59, 20, light}, {20, 38, shadow},
                       {20, 39, light}, {20, 20, Rgb(clWhite)}});
}

TEST(ExtGroupBox, GradientFillsTheWholeClientArea)
{
    FlatBox box;
    box.SetDrawGradient(true);
    const QImage img = Painted(box);
    EXPECT_EQ(At(img, 30, 0), box.Gradient().TableEntry(7)); // 40 rows: bands 0..7 start on row 0
    EXPECT_EQ(At(img, 30, 20), box.Gradient().TableEntry(134));
}

TEST(ExtGroupBox, ChangesRepaintAndRealign)
{
    TExtGroupBox box(nullptr);
    TPanel child(nullptr);
    child.SetParent(&box);
    child.SetAlign(alClient);
    Painted(box);
    ControlTestAccess::RecordInvalidations(box, true);
    ControlTestAccess::TakeInvalidations(box);
    box.SetTitlePosition(tpLeft);
    box.SetDrawGradient(false);
    box.SetBorderLineColor(clBtnShadow);
    EXPECT_TRUE(ControlTestAccess::TakeInvalidations(box).empty());
    box.Gradient().SetDrawStyle(gtPyramid);
    EXPECT_FALSE(ControlTestAccess::TakeInvalidations(box).empty());
    box.SetCaption(QStringLiteral("x"));
    EXPECT_FALSE(ControlTestAccess::TakeInvalidations(box).empty());
    box.SetWidth(150);
    const auto after = ControlTestAccess::TakeInvalidations(box);
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after.back(), (TRect{0, 0, 150, 105}));
    EXPECT_EQ(child.Width(), 146);
}

TEST(ExtGroupBox, AcceleratorFocusesTheFirstChild)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    TExtGroupBox box(&form);
    box.SetParent(&form);
    box.SetCaption(QStringLiteral("&Users"));
    TButton first(&form), second(&form);
    first.SetParent(&box);
    second.SetParent(&box);
    second.SetTabOrder(0);
    EXPECT_EQ(box.Perform(CM_DIALOGCHAR, 'x'), 0);
    EXPECT_EQ(box.Perform(CM_DIALOGCHAR, 'u'), 1);
    EXPECT_EQ(form.ActiveControl(), &second);

    box.SetEnabled(false); // cannot take the focus: the key goes on
    EXPECT_EQ(box.Perform(CM_DIALOGCHAR, 'U'), 0);
}
