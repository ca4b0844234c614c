#include <memory>
#include <set>

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "chrome/checkboxes/SkinCheckBox.h"
#include "chrome/checkboxes/SkinHotTracker.h"
#include "platform/controls/Button.h"
#include "platform/controls/edit/Edit.h"
#include "platform/framework/Form.h"
#include "platform/controls/Panel.h"
#include "support/Controls.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/ControlTestAccess.h"

namespace {

class SkinCheckBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 400, 200);
        form->Font().SetName(QStringLiteral("宋体"));
        form->Font().SetHeight(-12);
        box = Make<TSkinCheckBox>(form.get(), form.get(), 16, 74, 100, 17);
        box->SetCaption(QStringLiteral("挂接岗位"));
        box->OnChange = TNotifyEvent([this](TObject*) { log.push_back(box->State()); });
        TSkinHotTracker::SetProbe([this] { return under; });
    }
    void TearDown() override
    {
        TSkinHotTracker::SetProbe({});
        form.reset();
    }

    std::unique_ptr<TForm> form;
    TSkinCheckBox* box = nullptr;
    TControl* under = nullptr;
    std::vector<TCheckBoxState> log;
};

} // namespace

TEST_F(SkinCheckBoxTest, ClicksCycleTheStateThroughGrayedOnlyWhenAllowed)
{
    ClickAt(box, 5, 8);
    ClickAt(box, 5, 8);
    EXPECT_EQ(log, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked}));

    log.clear();
    box->SetAllowGrayed(true);
    for (int i = 0; i < 3; ++i)
        ClickAt(box, 5, 8);
    EXPECT_EQ(log, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));

    // The program's changes report too; setting the same state does not.
    log.clear();
    box->SetChecked(true);
    box->SetChecked(true);
    box->SetState(cbGrayed);
    EXPECT_TRUE(!box->Checked());
    box->SetState(static_cast<TCheckBoxState>(7)); // refused
    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_EQ(log, (std::vector<TCheckBoxState>{cbChecked, cbGrayed}));
}

TEST_F(SkinCheckBoxTest, OnlyTheBoxAndTheTextAnswerTheMouse)
{
    box->SetCaption(QStringLiteral("ab"));
    const TRect text = box->MeasuredTextRect();
    EXPECT_EQ(text.Left, 21);
    EXPECT_TRUE(box->HitTest(0, 0));
    EXPECT_TRUE(box->HitTest(text.Right + 1, 8));
    EXPECT_FALSE(box->HitTest(text.Right + 2, 8));

    auto* edit = Make<TEdit>(form.get(), form.get(), 200, 10, 80, 20);
    edit->SetFocus();
    box->SetSmartFocus(false);
    std::vector<TPoint> behind;
    form->OnMouseDown = TMouseEvent(
        [&](TObject*, TMouseButton, TShiftState, int x, int y) { behind.push_back({x, y}); });
    ClickAt(box, 90, 8); // right of the short caption
    EXPECT_EQ(box->State(), cbUnchecked);
    ASSERT_EQ(behind.size(), 1u); // the form behind got the click
    EXPECT_EQ(behind[0].X, 16 + 90);
    EXPECT_EQ(behind[0].Y, 74 + 8);
    EXPECT_FALSE(box->Focused());
    EXPECT_FALSE(box->Pressed());
    ClickAt(box, text.Right, 8);
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_TRUE(box->Focused());
}

TEST_F(SkinCheckBoxTest, HeightFollowsTheText)
{
    EXPECT_EQ(box->Height(), 17);
    box->SetCaption(QStringLiteral("显示子机构"));
    EXPECT_EQ(box->Height(), 17);
    EXPECT_EQ(box->Width(), 100);

    box->SetWrapping(twWrap);
    box->SetCaption(QStringLiteral("a long caption that cannot fit on one line of this box"));
    EXPECT_GT(box->Height(), 17 + 8);
    const int wrapped = box->Height();
    box->Margins().SetTop(5);
    EXPECT_EQ(box->Height(), wrapped + 5);
    box->SetWrapping(twEndEllipsis);
    const int line = box->MeasuredTextRect().Height();
    EXPECT_EQ(box->Height(), line + 4 + 5); // the minimum of 17 is for the whole
    EXPECT_EQ(box->MeasuredTextRect().Top, 5 + 2);
    EXPECT_EQ(box->Left(), 16);
    EXPECT_EQ(box->Top(), 74);

    // A big parent font counts as soon as the control has its window.
    auto* big = new TSkinCheckBox(form.get());
    big->SetCaption(QStringLiteral("显示人员"));
    auto* panel = Make<TPanel>(form.get(), form.get(), 0, 120, 300, 60);
    panel->Font().SetHeight(-30);
    big->SetParent(panel);
    EXPECT_GT(big->Height(), 30);

    // Margins taken over from another object count as one change.
    TSkinControlMargins wide;
    wide.SetTop(1);
    wide.SetBottom(2);
    int resized = 0;
    box->OnResize = TNotifyEvent([&](TObject*) { ++resized; });
    box->Margins().Assign(&wide);
    EXPECT_EQ(resized, 1);
    EXPECT_EQ(box->Height(), line + 4 + 1 + 2);
    box->Margins().Assign(&wide);
    EXPECT_EQ(resized, 1);

    box->SetAutoSize(false);
    box->SetHeight(40);
    box->SetCaption(QStringLiteral("x"));
    EXPECT_EQ(box->Height(), 40);
}

TEST_F(SkinCheckBoxTest, HotLookComesWithTheMouseAndGoesWithTheTimer)
{
    auto* other = Make<TSkinCheckBox>(form.get(), form.get(), 16, 100, 100, 17);
    int enters = 0, leaves = 0;
    box->OnMouseEnter = TNotifyEvent([&](TObject*) { ++enters; });
    box->OnMouseLeave = TNotifyEvent([&](TObject*) { ++leaves; });

    EXPECT_TRUE(TSkinHotTracker::TimerExists());
    EXPECT_FALSE(TSkinHotTracker::TimerRunning());
    under = box;
    SendMouse(box, QEvent::MouseMove, 5, 5, Qt::NoButton);
    SendMouse(box, QEvent::MouseMove, 6, 5, Qt::NoButton);
    EXPECT_TRUE(box->Hot());
    EXPECT_EQ(TSkinHotTracker::Current(), box);
    EXPECT_TRUE(TSkinHotTracker::TimerRunning());
    EXPECT_EQ(enters, 1);
    EXPECT_TRUE(box->FrameFlags() & skfHot);

    // Still under the pointer: the tick keeps it.
    TSkinHotTracker::Tick();
    EXPECT_TRUE(box->Hot());

    // Moving onto another skinned control hands the hot look over.
    under = other;
    SendMouse(other, QEvent::MouseMove, 5, 5, Qt::NoButton);
    EXPECT_FALSE(box->Hot());
    EXPECT_TRUE(other->Hot());
    EXPECT_EQ(leaves, 1);

    // The pointer leaves quickly, no mouse event follows: the timer's tick clears it.
    under = nullptr;
    TSkinHotTracker::Tick();
    EXPECT_FALSE(other->Hot());
    EXPECT_EQ(TSkinHotTracker::Current(), nullptr);
    EXPECT_FALSE(TSkinHotTracker::TimerRunning());

    // A hot control that is disabled loses the look at once.
    under = box;
    SendMouse(box, QEvent::MouseMove, 5, 5, Qt::NoButton);
    box->SetEnabled(false);
    EXPECT_FALSE(box->Hot());
    EXPECT_EQ(TSkinHotTracker::Current(), nullptr);
    EXPECT_EQ(leaves, 2);
    EXPECT_EQ(box->FrameFlags(), unsigned(skfDisabled));
}

TEST(SkinHotTrackerLifetime, OneTimerWhileAnySkinnedControlExists)
{
    ASSERT_TRUE(TSkinHotTracker::Instances().empty());
    EXPECT_FALSE(TSkinHotTracker::TimerExists());
    auto a = std::make_unique<TSkinCheckBox>(nullptr);
    auto b = std::make_unique<TSkinCheckBox>(nullptr);
    EXPECT_TRUE(TSkinHotTracker::TimerExists());
    TSkinHotTracker::SetCurrent(b.get());
    b->EnterHot();
    a.reset();
    EXPECT_TRUE(TSkinHotTracker::TimerRunning());
    b.reset(); // the hot one goes away: nothing is left pointing at it
    EXPECT_EQ(TSkinHotTracker::Current(), nullptr);
    EXPECT_FALSE(TSkinHotTracker::TimerExists());
    TSkinHotTracker::Tick();
}

TEST_F(SkinCheckBoxTest, PressedWhileTheButtonOrSpaceIsHeld)
{
    SendMouse(box, QEvent::MouseButtonPress, 5, 8, Qt::LeftButton);
    EXPECT_TRUE(box->Pressed());
    EXPECT_TRUE(box->Hot());
    EXPECT_TRUE(box->FrameFlags() & skfPushed);
    SendMouse(box, QEvent::MouseButtonRelease, 5, 8, Qt::LeftButton);
    EXPECT_FALSE(box->Pressed());
    EXPECT_FALSE(box->FrameFlags() & skfPushed);
    EXPECT_EQ(box->State(), cbChecked);

    // Released off the control: pressed ends, nothing toggles.
    SendMouse(box, QEvent::MouseButtonPress, 5, 8, Qt::LeftButton);
    SendMouse(box, QEvent::MouseButtonRelease, 300, 8, Qt::LeftButton);
    EXPECT_FALSE(box->Pressed());
    EXPECT_EQ(box->State(), cbChecked);

    box->SetFocus();
    SendKey(box, Qt::Key_Space, Qt::NoModifier, QEvent::KeyPress, QStringLiteral(" "));
    EXPECT_TRUE(box->Pressed());
    EXPECT_EQ(box->State(), cbChecked);
    SendKey(box, Qt::Key_Space, Qt::NoModifier, QEvent::KeyRelease, QStringLiteral(" "));
    EXPECT_FALSE(box->Pressed());
    EXPECT_EQ(box->State(), cbUnchecked);

    // Losing the focus with Space held cancels the press.
    SendKey(box, Qt::Key_Space, Qt::NoModifier, QEvent::KeyPress, QStringLiteral(" "));
    Make<TEdit>(form.get(), form.get(), 200, 10, 80, 20)->SetFocus();
    EXPECT_FALSE(box->Pressed());
    SendKey(box, Qt::Key_Space, Qt::NoModifier, QEvent::KeyRelease, QStringLiteral(" "));
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(SkinCheckBoxTest, SmartFocusTakesTheFocusOnlyBesideTheActiveControl)
{
    auto* panel1 = Make<TPanel>(form.get(), form.get(), 0, 0, 200, 60);
    auto* panel2 = Make<TPanel>(form.get(), form.get(), 0, 100, 200, 60);
    auto* edit = Make<TEdit>(form.get(), panel1, 100, 10, 80, 20);
    auto* near = Make<TSkinCheckBox>(form.get(), panel1, 0, 10, 100, 17);
    auto* far = Make<TSkinCheckBox>(form.get(), panel2, 0, 10, 100, 17);

    ClickAt(near, 5, 8); // no active control yet
    EXPECT_FALSE(near->Focused());
    EXPECT_TRUE(near->Checked());

    edit->SetFocus();
    ClickAt(far, 5, 8);
    EXPECT_TRUE(far->Checked());
    EXPECT_EQ(form->ActiveControl(), edit);
    ClickAt(near, 5, 8);
    EXPECT_EQ(form->ActiveControl(), near);

    far->SetSmartFocus(false);
    ClickAt(far, 5, 8);
    EXPECT_EQ(form->ActiveControl(), far);
}

TEST_F(SkinCheckBoxTest, EnterAndTheAcceleratorClick)
{
    auto* ok = Make<TButton>(form.get(), form.get(), 200, 150, 75, 25);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    box->SetFocus();
    EXPECT_TRUE(form->DialogKey(VK_RETURN));
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_EQ(form->ModalResult(), mrNone);

    ok->SetFocus();
    EXPECT_TRUE(form->DialogKey(VK_RETURN));
    EXPECT_EQ(form->ModalResult(), mrOk);
    EXPECT_EQ(box->State(), cbChecked);

    box->SetCaption(QStringLiteral("显示人员(&P)"));
    EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'p'), 1);
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'q'), 0);
    box->SetShowAccelChar(false);
    EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'p'), 0);
    box->SetShowAccelChar(true);
    box->SetEnabled(false);
    EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'p'), 0);
    EXPECT_EQ(log, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked}));
}

TEST_F(SkinCheckBoxTest, PaintsTheClassicBoxBesideTheText)
{
    box->SetColor(clWhite);
    box->SetChecked(true);
    box->Repaint();
    const QImage* img = box->Surface();
    ASSERT_TRUE(img);
    EXPECT_EQ(At(img, 0, 2), Rgb(clBtnShadow));
    EXPECT_EQ(At(img, 0, 1), Rgb(clWhite));
    EXPECT_EQ(At(img, 12, 14), Rgb(clBtnHighlight));
    EXPECT_EQ(At(img, 1, 3), Rgb(cl3DDkShadow));
    EXPECT_EQ(At(img, 11, 13), Rgb(cl3DLight));
    EXPECT_EQ(At(img, 2, 4), Rgb(clWindow));
    EXPECT_EQ(At(img, 9, 5), Rgb(clWindowText)); // tip of the check mark
    EXPECT_EQ(At(img, 3, 5), Rgb(clWindow));
    EXPECT_EQ(At(img, 13, 8), Rgb(clWhite));
    // Nothing between the box and the text.
    EXPECT_EQ(canvastest::inkBox(img->copy(13, 0, 8, 17), Rgb(clWhite)), TRect{});

    box->SetAlignment(taRightJustify);
    box->SetAlignment(taCenter); // not a side: refused
    EXPECT_EQ(box->Alignment(), taRightJustify);
    box->Repaint();
    img = box->Surface();
    EXPECT_EQ(At(img, 87, 2), Rgb(clBtnShadow));
    EXPECT_EQ(At(img, 99, 14), Rgb(clBtnHighlight));
    EXPECT_EQ(box->MeasuredTextRect().Right, 79);
}

TEST_F(SkinCheckBoxTest, FocusFrameSpansTheTextAndTheFullHeight)
{
    box->SetColor(clWhite);
    box->SetCaption(QStringLiteral("ab"));
    box->SetFocus();
    box->Repaint();
    const QImage* img = box->Surface();
    const TRect text = box->MeasuredTextRect();
    // Black on white: every other pixel of the frame inverted.
    EXPECT_EQ(At(img, 20, 0), Rgb(clBlack));
    EXPECT_EQ(At(img, 21, 0), Rgb(clWhite));
    EXPECT_EQ(At(img, 19, 1), Rgb(clBlack));
    EXPECT_EQ(At(img, 18, 0), Rgb(clWhite));
    EXPECT_EQ(At(img, 19, 15), Rgb(clBlack));
    const int right = text.Right + 2 - 1;
    EXPECT_EQ(At(img, right, (right + 16) % 2 == 0 ? 16 : 15), Rgb(clBlack));
    EXPECT_EQ(At(img, right + 1, 16), Rgb(clWhite));
    EXPECT_EQ(At(img, right + 1, 15), Rgb(clWhite));
}

TEST_F(SkinCheckBoxTest, DisabledTextIsEngraved)
{
    // The same text enabled in the shadow colour tells which pixels are ink.
    box->SetColor(clWhite);
    box->Font().SetColor(clBtnShadow);
    box->Repaint();
    const QImage plain = box->Surface()->copy();
    box->SetEnabled(false);
    box->Repaint();
    const QImage* img = box->Surface();
    auto ink = [&](int x, int y) { return x >= 0 && y >= 0 && At(&plain, x, y) == Rgb(clBtnShadow); };
    int inked = 0;
    for (int y = 0; y < 17; ++y)
        for (int x = 15; x < 100; ++x) {
            const TColor expected = ink(x, y) ? Rgb(clBtnShadow) : ink(x - 1, y - 1) ? Rgb(clBtnHighlight) : Rgb(clWhite);
            ASSERT_EQ(At(img, x, y), expected) << x << "," << y;
            inked += ink(x, y);
        }
    EXPECT_GT(inked, 20);
}

TEST_F(SkinCheckBoxTest, DraggingOffWithTheButtonDownDropsTheHotAndPushedLook)
{
    under = box;
    SendMouse(box, QEvent::MouseButtonPress, 5, 8, Qt::LeftButton);
    EXPECT_TRUE(box->FrameFlags() & skfPushed);
    under = nullptr;
    QMouseEvent move(QEvent::MouseMove, QPointF(300, 8), QPointF(300, 8), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(box->Widget(), &move);
    EXPECT_FALSE(box->Hot());
    EXPECT_TRUE(box->Pressed());
    EXPECT_FALSE(box->FrameFlags() & skfPushed);
    SendMouse(box, QEvent::MouseButtonRelease, 300, 8, Qt::LeftButton);
    EXPECT_FALSE(box->Pressed());
    EXPECT_EQ(box->State(), cbUnchecked);

    // Disabling in the middle of a press ends it.
    SendMouse(box, QEvent::MouseButtonPress, 5, 8, Qt::LeftButton);
    box->SetEnabled(false);
    EXPECT_FALSE(box->Pressed());
    EXPECT_FALSE(box->Hot());
}

TEST_F(SkinCheckBoxTest, TheThemeDrawsTheBoxWithTheStateFlags)
{
    struct Call {
        TRect rect;
        int kind;
        unsigned flags;
    };
    std::vector<Call> calls;
    TSkinPanelObject::SetFramePainter(
        [&](TCanvas&, const TRect& r, int kind, unsigned flags) { calls.push_back({r, kind, flags}); });
    auto last = [&] {
        calls.clear();
        box->Repaint();
        EXPECT_EQ(calls.size(), 1u);
        return calls.empty() ? Call{} : calls.back();
    };
    const Call plain = last();
    EXPECT_EQ(plain.rect, (TRect{0, 2, 13, 15}));
    EXPECT_EQ(plain.kind, int(skfCheckBox));
    EXPECT_EQ(plain.flags, 0u);

    box->SetAllowGrayed(true);
    box->SetState(cbGrayed);
    EXPECT_EQ(last().flags, unsigned(skfMixed));
    box->SetFocus();
    under = box;
    SendMouse(box, QEvent::MouseButtonPress, 5, 8, Qt::LeftButton);
    EXPECT_EQ(last().flags, unsigned(skfMixed | skfHot | skfPushed | skfFocused));
    SendMouse(box, QEvent::MouseButtonRelease, 5, 8, Qt::LeftButton);
    EXPECT_EQ(last().flags, unsigned(skfChecked | skfHot | skfFocused));
    box->SetEnabled(false);
    EXPECT_EQ(last().flags, unsigned(skfDisabled));

    // A theme change repaints every skinned control.
    box->Repaint();
    ControlTestAccess::RecordInvalidations(*box, true);
    TSkinPanelObject::ThemeChanged();
    EXPECT_FALSE(ControlTestAccess::TakeInvalidations(*box).empty());
    TSkinPanelObject::SetFramePainter({});
}
