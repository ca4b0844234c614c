#include <gtest/gtest.h>

#include "chrome/gradients/GradientPanel.h"
#include "platform/canvas/Canvas.h"
#include "support/Pixels.h"
#include "support/ControlTestAccess.h"

namespace {

using canvastest::boxOf;

int TextHeightW(TControl& c)
{
    return TextHeight(c.Font(), QStringLiteral("W"));
}

const TColor ScreenBackground = 15658734;

} // namespace

TEST(GradientPanel, TitleStripShowsTheGradientAndItsCentredTitle)
{
    TGradientPanel strip(nullptr);
    strip.SetBounds(0, 0, 240, 22);
    strip.SetBevelOuter(bvNone);
    strip.SetCaption(QStringLiteral("组织机构"));
    const QImage img = Painted(strip);
    const TGradient& g = strip.Gradient();
    EXPECT_EQ(At(img, 1, 0), g.TableEntry(12));
    EXPECT_EQ(At(img, 1, 21), g.TableEntry(255));
    EXPECT_EQ(At(img, 238, 10), g.TableEntry(128));

    const TRect text = boxOf(img, strip.Font().Color());
    ASSERT_FALSE(text.Width() == 0);
    const int width = TextWidth(strip.Font(), strip.Caption());
    EXPECT_NEAR(text.Left + text.Right, 240, 2 + (width - text.Width()));
    const int top = (22 - TextHeightW(strip)) / 2;
    EXPECT_GE(text.Top, top);
    EXPECT_LE(text.Bottom, top + TextHeightW(strip));
}

TEST(GradientPanel, PlainContainerIsAFlatArea)
{
    TGradientPanel p(nullptr);
    p.SetBounds(0, 0, 120, 40);
    p.SetBevelOuter(bvNone);
    p.SetDrawGradient(false);
    p.SetColor(ScreenBackground);
    p.SetBorderColor(clBlack);
    p.SetInnerBorderColor(clBlack);
    EXPECT_EQ(canvastest::count(Painted(p), ScreenBackground), 120 * 40);
}

TEST(GradientPanel, GradientContainerPaintsUnderItsChildren)
{
    TGradientPanel p(nullptr);
    p.SetBounds(0, 0, 300, 200);
    p.SetBevelOuter(bvNone);
    p.SetCaption(QStringLiteral("GradientPanel1"));
    TGradientPanel child(nullptr);
    child.SetParent(&p);
    child.SetAlign(alTop);
    child.SetHeight(22);
    EXPECT_EQ(child.BoundsRect(), (TRect{0, 0, 300, 22}));
    const QImage img = Painted(p);
    // Row y of a 200-high ramp shows the last band starting on it.
    EXPECT_EQ(At(img, 5, 0), p.Gradient().TableEntry(2));
    EXPECT_EQ(At(img, 5, 199), p.Gradient().TableEntry(255));
    const TRect text = boxOf(img, p.Font().Color());
    const int h = TextHeightW(p);
    EXPECT_NEAR(text.Left + text.Right, 300, 2 + (TextWidth(p.Font(), p.Caption()) - text.Width()));
    EXPECT_GE(text.Top, (200 - h) / 2);
    EXPECT_LE(text.Bottom, (200 - h) / 2 + h);
}

TEST(GradientPanel, BevelledContainerLooksLikeAPlainRaisedPanel)
{
    TGradientPanel p(nullptr);
    TPanel plain(nullptr);
    for (TPanel* panel : {static_cast<TPanel*>(&p), &plain}) {
        panel->SetBounds(0, 0, 160, 90);
        panel->SetCaption(QStringLiteral("pnlUser"));
        panel->SetColor(ScreenBackground);
        panel->SetBorderWidth(2); // no border rectangles either
    }
    p.SetBorderColor(clRed);
    p.SetInnerBorderColor(clRed);
    EXPECT_EQ(Painted(p), Painted(plain));
    EXPECT_EQ(At(Painted(p), 0, 0), Rgb(clBtnHighlight));

    p.SetBorderWidth(0);
    TPanel child(nullptr);
    child.SetParent(&p);
    child.SetAlign(alClient);
    EXPECT_EQ(child.BoundsRect(), (TRect{1, 1, 159, 89}));

    p.SetBevelOuter(bvNone);
    p.SetBevelInner(bvLowered); // any bevel counts
    EXPECT_EQ(boxOf(Painted(p), p.Gradient().TableEntry(255)), TRect{});
}

TEST(GradientPanel, BorderRectanglesAndMargins)
{
    TGradientPanel p(nullptr);
    p.SetBounds(0, 0, 100, 60);
    p.SetBevelOuter(bvNone);
    p.SetColor(ScreenBackground);
    p.SetBorderWidth(1);
    p.SetBorderColor(clRed);
    p.SetInnerBorderColor(clBlue);
    p.SetLeftMargin(5);
    p.SetTopMargin(6);
    p.SetRightMargin(7);
    p.SetBottomMargin(8);
    EXPECT_EQ(p.GradientRect(), (TRect{5, 6, 93, 52}));
    const QImage img = Painted(p);
    EXPECT_EQ(At(img, 0, 0), clRed);
    EXPECT_EQ(At(img, 99, 59), clRed);
    EXPECT_EQ(At(img, 2, 3), ScreenBackground); // between the rectangles
    EXPECT_EQ(At(img, 5, 6), clBlue);
    EXPECT_EQ(At(img, 92, 51), clBlue);
    EXPECT_EQ(At(img, 6, 7), p.Gradient().TableEntry(12)); // row 1 of a 46-row ramp
    EXPECT_EQ(At(img, 94, 30), ScreenBackground); // the gradient stays inside the margins

    // Children share the area inside border and margins.
    TPanel child(nullptr);
    child.SetParent(&p);
    child.SetAlign(alClient);
    EXPECT_EQ(child.BoundsRect(), (TRect{6, 7, 92, 51}));
    p.SetLeftMargin(0);
    EXPECT_EQ(child.Left(), 1);

    EXPECT_THROW(p.SetTopMargin(256), EInvalidOperation);
    EXPECT_THROW(p.SetTopMargin(-1), EInvalidOperation);
    EXPECT_EQ(p.TopMargin(), 6);
}

TEST(GradientPanel, ChangesRepaint)
{
    TGradientPanel p(nullptr);
    p.SetBounds(0, 0, 50, 30);
    p.SetBevelOuter(bvNone);
    Painted(p);
    ControlTestAccess::RecordInvalidations(p, true);
    ControlTestAccess::TakeInvalidations(p);
    p.Gradient().SetEndColor(clNavy);
    EXPECT_FALSE(ControlTestAccess::TakeInvalidations(p).empty());
    EXPECT_EQ(At(Painted(p), 10, 29), p.Gradient().TableEntry(255));
    ControlTestAccess::TakeInvalidations(p);
    p.SetDrawGradient(true); // unchanged
    p.SetBorderColor(clBlack);
    EXPECT_TRUE(ControlTestAccess::TakeInvalidations(p).empty());
    p.SetDrawGradient(false);
    EXPECT_FALSE(ControlTestAccess::TakeInvalidations(p).empty());
    EXPECT_EQ(At(Painted(p), 10, 29), Rgb(p.Color()));
}

TEST(GradientPanel, AssignCopiesAllButTheInnerBorderColour)
{
    TGradientPanel source(nullptr);
    source.SetLeftMargin(3);
    source.SetBottomMargin(4);
    source.SetColor(clYellow);
    source.SetCaption(QStringLiteral("GradientPanel3"));
    source.SetDrawGradient(false);
    source.SetBorderColor(clRed);
    source.SetInnerBorderColor(clLime);
    source.SetBevelOuter(bvNone);
    source.SetBevelInner(bvLowered);
    source.SetBevelWidth(2);
    source.SetBorderWidth(3);
    source.Gradient().SetDrawStyle(gtPyramid);
    source.Gradient().SetDirection(gdInverse);

    TGradientPanel target(nullptr);
    target.Assign(&source);
    EXPECT_EQ(target.LeftMargin(), 3);
    EXPECT_EQ(target.BottomMargin(), 4);
    EXPECT_EQ(target.Color(), clYellow);
    EXPECT_EQ(target.Caption(), QStringLiteral("GradientPanel3"));
    EXPECT_FALSE(target.DrawGradient());
    EXPECT_EQ(target.BorderColor(), clRed);
    EXPECT_EQ(target.InnerBorderColor(), clBlack);
    EXPECT_EQ(target.BevelOuter(), bvNone);
    EXPECT_EQ(target.BevelInner(), bvLowered);
    EXPECT_EQ(target.BevelWidth(), 2);
    EXPECT_EQ(target.BorderWidth(), 3);
    EXPECT_EQ(target.Gradient().DrawStyle(), gtPyramid);
    EXPECT_EQ(target.Gradient().Direction(), gdNormal);

    TPanel other(nullptr);
    EXPECT_THROW(target.Assign(&other), EConvertError);
}
