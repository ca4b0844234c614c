#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include <QImage>

#include "chrome/gradients/BandGradient.h"
#include "chrome/pagecontrol/FlatPageControl.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/Form.h"
#include "support/PageControlTestAccess.h"
#include "support/Input.h"
#include "support/PixelChecks.h"
#include "support/Pixels.h"

namespace {

constexpr TColor FormColor = 0x00EEEEEE;
constexpr TColor ControlColor = 0x00445566;
constexpr TColor StripColor = 0x00112233;
constexpr TColor SheetBorder = 0x000000FF;
constexpr TColor PageColor = 0x0000FF00;
constexpr TColor TabFill = 0x00ABCDEF;
constexpr TColor ActiveFill = 0x00FEDCBA;

TColor Grey(int v)
{
    return RGBColor(v, v, v);
}

// Three caption-less tabs of 50 x 20 on a 200 x 120 control, the middle one
// active: tabs at x 2-52, 52-102, 102-152, rows 2-22.
class FlatPageControlPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 300, 200);
        form->SetColor(FormColor);
        pc = new TFlatPageControl(form.get());
        pc->SetParent(form.get());
        pc->SetBounds(0, 0, 200, 120);
        pc->SetParentColor(false);
        pc->SetColor(ControlColor);
        pc->SetTabHeight(20);
        pc->SetTabWidth(50);
        pc->SetTabBackGroundColor(StripColor);
        pc->SetTabBackGroundColorTo(StripColor);
        pc->SetTabSheetBorderColor(SheetBorder);
        pc->SetDefaultTabColor(TabFill);
        pc->SetActiveColor(ActiveFill);
        pc->SetTabBorderColor(clBlack);
        for (int i = 0; i < 3; ++i) {
            auto* s = new TFlatTabSheet(form.get());
            s->SetPageControl(pc);
            s->SetColor(PageColor);
            sheets.push_back(s);
        }
        pc->SetActivePage(sheets[1]);
    }
    void TearDown() override { form.reset(); }

    TColor At(int x, int y)
    {
        if (!painted) {
            pc->Repaint();
            image = *pc->Surface();
            painted = true;
        }
        return ::At(image, x, y);
    }
    void ExpectPixels(std::initializer_list<ExpectedPixel> pixels,
                      std::source_location where = std::source_location::current())
    {
        At(0, 0); // paints when the picture is out of date
        ::ExpectPixels(image, pixels, where);
    }
    void Changed() { painted = false; }
    void Mouse(QEvent::Type type, int x, int y)
    {
        SendMouse(pc, type, x, y, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton);
        Changed();
    }

    std::unique_ptr<TForm> form;
    TFlatPageControl* pc = nullptr;
    std::vector<TFlatTabSheet*> sheets;
    QImage image;
    bool painted = false;
};

} // namespace

TEST(BandGradient, BandsAndColoursFollowTheRoundedSteps)
{
    QImage img(10, 16, QImage::Format_RGB32);
    TCanvas c(img);
    FillBandGradient(c, {0, 0, 10, 16}, clBlack, clWhite, 16, false);
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(At(img, 5, k), Grey(static_cast<int>(std::nearbyint(k * 255.0 / 16))))
            << k;

    // Three bands over ten columns start at 0, 3 and 7; each is one pixel thicker
    // than a third, the next band painting over the overlap.
    FillBandGradient(c, {0, 0, 10, 16}, clBlack, clRed, 3, true);
    const TColor expected[10] = {0, 0, 0, 85, 85, 85, 85, 170, 170, 170};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(At(img, x, 3), RGBColor(expected[x], 0, 0)) << x;

    FillBandGradient(c, {0, 0, 10, 16}, clNavy, clWhite, 0, false);  // no bands: one
    EXPECT_EQ(At(img, 9, 15), clNavy);
}

TEST_F(FlatPageControlPaint, ClassicStripFrameAndSplitLine)
{
    EXPECT_EQ(At(170, 10), StripColor);  // strip, also over the right-end area
    EXPECT_EQ(At(199, 5), StripColor);
    // Frame lines around the page area below the strip.
    ExpectPixels({{0, 60, SheetBorder}, {199, 60, SheetBorder}, {100, 119, SheetBorder}, {170, 22, SheetBorder}});
    // The 3-pixel band inside it in the active page's colour.
    for (auto [x, y] : {std::pair{1, 60}, {3, 60}, {196, 60}, {198, 60}, {100, 118}, {100, 116}, {170, 23}, {170, 25}})
        EXPECT_EQ(At(x, y), PageColor) << x << "," << y;
    EXPECT_EQ(At(4, 60), FormColor);
    // Split line under the active tab in the page colour: the tab opens into the page.
    EXPECT_EQ(At(75, 22), PageColor);
    EXPECT_EQ(At(30, 22), clBlack);  // inactive tabs reach one pixel further down

    // Tabs: fills raised by one pixel, active outline open at the bottom.
    ExpectPixels({{75, 10, ActiveFill}, {75, 1, ActiveFill}, {30, 10, TabFill}, {75, 2, clBlack}, {52, 10, clBlack},
                  {101, 10, clBlack}, {75, 21, ActiveFill}, {2, 10, clBlack}});
    EXPECT_EQ(At(152, 10), clBlack);  // one pixel wider at the right
    EXPECT_EQ(At(153, 10), StripColor);

    pc->SetTabSplitLine(true);
    Changed();
    ExpectPixels({{75, 22, SheetBorder}, {30, 22, SheetBorder}, {30, 21, clBlack}});
}

TEST_F(FlatPageControlPaint, DotNetTabsHaveCutCornersAndSeparators)
{
    pc->SetTabStyle(tsDotNet);
    // Active: corners cut by two pixels.
    ExpectPixels({{52, 2, ActiveFill}, {53, 3, clBlack}, {54, 2, clBlack}, {52, 4, clBlack}, {100, 3, clBlack},
                  {101, 4, clBlack}, {101, 2, ActiveFill}, {75, 21, ActiveFill}});
    // Inactive: a bottom line; a separator in the active colour unless the next tab is active.
    ExpectPixels({{30, 21, clBlack}, {30, 2, TabFill}, {49, 10, TabFill}, {50, 10, TabFill}, {149, 10, ActiveFill},
                  {150, 10, ActiveFill}, {148, 10, TabFill}, {151, 10, TabFill}, {149, 4, ActiveFill},
                  {149, 3, TabFill}, {149, 18, ActiveFill}, {149, 19, TabFill}});
}

TEST_F(FlatPageControlPaint, StudioTabsAndGradientFills)
{
    pc->SetTabStyle(tsStudio);
    sheets[0]->SetTabColorTo(clWhite);
    sheets[0]->SetTabColor(clBlack);
    EXPECT_EQ(At(52, 2), clBlack);  // active: two side lines only
    EXPECT_EQ(At(101, 20), clBlack);
    EXPECT_EQ(At(75, 2), ActiveFill);
    EXPECT_EQ(At(150, 10), clBlack);  // separator two pixels inside the right edge
    ExpectPixels({{149, 10, TabFill}, {151, 10, TabFill}, {130, 21, clBlack}});
    // A 16-band gradient over the tab raised by one, one pixel short at the bottom:
    // rows 1..20, band k from row round(20k/16), ties to even.
    ExpectPixels({{20, 1, clBlack}, {20, 2, Grey(16)}, {20, 3, Grey(32)}, {20, 18, Grey(207)}, {20, 19, Grey(223)},
                  {20, 20, Grey(239)}});
}

TEST_F(FlatPageControlPaint, StripGradientRunsTopToBottom)
{
    pc->SetTabBackGroundColor(clBlack);
    pc->SetTabBackGroundColorTo(clWhite);
    // Strip rows 0..21, band k from row round(22k/16).
    ExpectPixels({{170, 0, clBlack}, {170, 1, Grey(16)}, {170, 21, Grey(239)}});
}

TEST_F(FlatPageControlPaint, TablessBottomFrameAsOnTheOrganisationScreen)
{
    pc->SetTabPosition(TTabPosition::tpBottom);
    for (auto* s : sheets)
        s->SetTabVisible(false);
    ASSERT_EQ(pc->ActivePage(), nullptr);
    // A 2-pixel strip at the bottom; outer lines at x 0, x 199, y 0 and y 117;
    // without a framed page the inner lines in Color at y 116 and x 198.
    ExpectPixels({{100, 118, StripColor}, {100, 119, StripColor}, {100, 117, SheetBorder}, {100, 0, SheetBorder},
                  {0, 50, SheetBorder}, {199, 50, SheetBorder}, {100, 116, ControlColor}, {198, 50, ControlColor},
                  {1, 50, FormColor}});

    sheets[0]->Show();  // a framed page: the band in its colour instead
    Changed();
    ExpectPixels({{100, 116, PageColor}, {1, 50, PageColor}, {100, 117, SheetBorder}});

    pc->SetRoundEdges(true);  // the corners away from the (bottom) tabs
    Changed();
    ExpectPixels({{0, 0, ControlColor}, {1, 1, SheetBorder}, {199, 0, ControlColor}, {198, 1, SheetBorder}});
}

TEST_F(FlatPageControlPaint, CloseButtonStatesAndHoverBorder)
{
    pc->SetLowerActive(2);
    sheets[1]->SetShowClose(true);
    // The box lies at (tab left + 2, tab top + 2 + LowerActive), 12 x 11.
    ExpectPixels({{54, 6, Rgb(clGray)}, {65, 16, Rgb(clGray)}, {55, 7, clWhite}, {57, 9, clBlack}, {58, 9, clBlack},
                  {56, 9, clWhite}, {59, 11, clBlack}});

    const TRect hit = PageControlTestAccess::CloseButtonRect(*pc);
    EXPECT_EQ(hit, (TRect{54, 4, 66, 15}));
    Mouse(QEvent::MouseButtonPress, 56, 5);
    ExpectPixels({{54, 6, clBlack}, {55, 7, clSilver}, {57, 9, clBlack}});
    Mouse(QEvent::MouseButtonRelease, 100, 60);  // released elsewhere: nothing closes
    EXPECT_EQ(pc->PageCount(), 3);
    EXPECT_EQ(At(54, 6), Rgb(clGray));

    pc->SetTabHoverColor(clYellow);
    pc->SetTabHoverBorder(clRed);
    Mouse(QEvent::MouseMove, 56, 5);
    EXPECT_EQ(PageControlTestAccess::CloseButtonState(*pc), TCloseButtonState::Hot);
    EXPECT_EQ(At(54, 6), clBlack);
    EXPECT_EQ(At(57, 9), Rgb(clGray));
    Mouse(QEvent::MouseMove, 30, 10);
    ExpectPixels({{54, 6, Rgb(clGray)}, {30, 15, clYellow}, {2, 10, clRed}, {30, 2, clRed}, {51, 10, clRed}});
}

TEST_F(FlatPageControlPaint, TabPictureCapsAndStretchedMiddle)
{
    // 10 x 6: red left, blue middle pair, green right; magenta bottom-left is transparent.
    QImage picture(10, 6, QImage::Format_RGB32);
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 6; ++y)
            picture.setPixelColor(x, y, x < 4 ? Qt::red : x < 6 ? Qt::blue : Qt::green);
    picture.setPixelColor(0, 5, Qt::magenta);
    TBitmap bitmap;
    bitmap.LoadFromImage(picture);
    pc->SetTabBackGround(bitmap);
    EXPECT_EQ(At(3, 3), clRed);     // tab 0 at x 2..52: left cap
    EXPECT_EQ(At(6, 3), clBlue);    // the cap's middle column
    EXPECT_EQ(At(27, 3), clBlue);   // stretched middle
    EXPECT_EQ(At(47, 3), clBlue);   // right cap starts with the other middle column
    EXPECT_EQ(At(51, 3), clLime);
    EXPECT_EQ(At(2, 7), StripColor);  // transparent
    EXPECT_EQ(At(30, 15), StripColor);  // below the picture: no fill, no border
}

TEST_F(FlatPageControlPaint, EveryTabPositionOpensTheActiveTabIntoThePage)
{
    struct Case {
        TTabPosition pos;
        TPoint underActive, underInactive, farBorder;
    } cases[] = {
        {TTabPosition::tpTop, {75, 22}, {30, 22}, {100, 119}},
        {TTabPosition::tpBottom, {75, 97}, {30, 97}, {100, 0}},
        {TTabPosition::tpLeft, {22, 75}, {22, 30}, {199, 60}},
        {TTabPosition::tpRight, {177, 75}, {177, 30}, {0, 60}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.pos));
        pc->SetTabPosition(c.pos);
        Changed();
        EXPECT_EQ(At(c.underActive.X, c.underActive.Y), PageColor);
        EXPECT_EQ(At(c.underInactive.X, c.underInactive.Y), clBlack);
        EXPECT_EQ(At(c.farBorder.X, c.farBorder.Y), SheetBorder);
    }
}

TEST_F(FlatPageControlPaint, OnDrawTabReplacesFillButNotBordersAndFocusIsDotted)
{
    std::vector<std::pair<int, bool>> calls;
    pc->OnDrawTab = TDrawTabEvent([&](TObject*, int page, const TRect& r, bool active) {
        calls.emplace_back(page, active);
        EXPECT_EQ(r, pc->TabRect(page));
        ASSERT_NE(pc->Canvas(), nullptr);
    });
    EXPECT_EQ(At(30, 10), StripColor);  // the handler drew nothing
    EXPECT_EQ(At(2, 10), clBlack);
    EXPECT_EQ((calls), (std::vector<std::pair<int, bool>>{{2, false}, {1, true}, {0, false}}));
    EXPECT_EQ(pc->Canvas(), nullptr);
    // A handler that fails leaves no canvas behind either.
    pc->OnDrawTab = TDrawTabEvent([](TObject*, int, const TRect&, bool) { throw EInvalidOperation("no tab"); });
    Changed();
    EXPECT_THROW(At(0, 0), EInvalidOperation);
    EXPECT_EQ(pc->Canvas(), nullptr);

    pc->OnDrawTab = TDrawTabEvent();
    pc->SetShowFocus(true);
    Changed();
    EXPECT_EQ(At(57, 5), ActiveFill);  // not focused: no rectangle
    pc->SetFocus();
    Changed();
    EXPECT_EQ(At(57, 5), clBlack);
    EXPECT_EQ(At(57, 18), clBlack);
}
