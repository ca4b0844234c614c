#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include "QtPrinters.h"
#include "platform/framework/Application.h"
#include "platform/controls/Button.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/Form.h"
#include "support/Controls.h"
#include "support/Input.h"
#include "support/Pixels.h"
#include "support/ControlTestAccess.h"

namespace {

// A self-painted control that fills itself in one colour and counts repaints.
class TSolid : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TColor fill = clRed;
    int paints = 0;
    std::vector<unsigned> timerIds;
    std::vector<TMessage> messages;
    void Scroll(int dx, int dy) { ScrollSurface(dx, dy, ClientRect(), ClientRect()); }

protected:
    void Paint(TCanvas& canvas) override
    {
        ++paints;
        canvas.Brush().SetColor(fill);
        canvas.FillRect(ClientRect());
    }
    void TimerFired(unsigned id) override { timerIds.push_back(id); }
    void WndProc(TMessage& m) override
    {
        if (m.Msg >= WM_USER)
            messages.push_back(m);
        TCustomControl::WndProc(m);
    }
};

} // namespace

TEST(ComponentTest, OwnerFreesWhatItOwnsAndNamesAreUniqueIgnoringCase)
{
    auto* owner = new TComponent(nullptr);
    auto* a = new TComponent(owner);
    auto* b = new TComponent(owner);
    a->SetName("btnPost");
    EXPECT_EQ(owner->FindComponent("BTNPOST"), a);
    EXPECT_THROW(b->SetName("BtnPost"), Exception);
    delete a; // leaves its owner's list
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(owner->FindComponent("btnPost"), nullptr);
    EXPECT_THROW(owner->Components(1), EListError);
    delete owner; // frees b
}

TEST(AlignTest, AlignedChildrenFollowTheFrameworkOrder)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 563, 374);
    // Created in an order different from the order they are placed in.
    auto* bottom = Make<TSolid>(&form, &form, 0, 300, 563, 36, alBottom);
    auto* client = Make<TSolid>(&form, &form, 0, 0, 10, 10, alClient);
    auto* left = Make<TSolid>(&form, &form, 0, 97, 241, 10, alLeft);
    auto* top = Make<TSolid>(&form, &form, 0, 0, 563, 97, alTop);
    auto* right = Make<TSolid>(&form, &form, 500, 97, 20, 10, alRight);
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 563, 97));
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 338, 563, 36));
    EXPECT_EQ(left->BoundsRect(), Bounds(0, 97, 241, 241));
    EXPECT_EQ(right->BoundsRect(), Bounds(543, 97, 20, 241));
    EXPECT_EQ(client->BoundsRect(), Bounds(241, 97, 302, 241));

    // Hidden controls take no room; a client area too small overlaps, as the
    // department dialog's short form shows.
    left->Hide();
    right->Hide();
    client->Hide();
    form.SetClientHeight(130);
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 563, 97));
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 94, 563, 36));
    // What is left over for the client and side controls is empty, never negative.
    client->Show();
    left->Show();
    EXPECT_EQ(client->BoundsRect(), Bounds(241, 97, 322, 0));
    EXPECT_EQ(left->BoundsRect(), Bounds(0, 97, 241, 0));
}

TEST(ParentFollowTest, FontAndColourFollowTheParentUntilSetOwn)
{
    TForm form(nullptr);
    form.Font().SetName("宋体");
    form.Font().SetHeight(-12);
    form.SetColor(0xEEEEEE);
    auto* panel = Make<TSolid>(&form, &form, 0, 0, 100, 100);
    auto* child = Make<TSolid>(&form, panel, 0, 0, 10, 10);
    EXPECT_TRUE(child->ParentFont());
    EXPECT_EQ(child->Font().Height(), -12);
    EXPECT_EQ(child->Color(), 0xEEEEEE);

    form.Font().SetHeight(-14);
    EXPECT_EQ(child->Font().Height(), -14);
    child->Font().SetHeight(-9); // an edit from outside: own font from now on
    EXPECT_FALSE(child->ParentFont());
    form.Font().SetHeight(-16);
    EXPECT_EQ(child->Font().Height(), -9);
    child->SetParentFont(true);
    EXPECT_EQ(child->Font().Height(), -16);

    child->SetColor(clWhite);
    EXPECT_FALSE(child->ParentColor());
    form.SetColor(clSilver);
    EXPECT_EQ(panel->Color(), clSilver);
    EXPECT_EQ(child->Color(), clWhite);
}

TEST(FocusTest, NextControlSkipsHiddenDisabledAndNonTabStops)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 200);
    auto* a = Make<TButton>(&form, &form, 0, 0, 75, 25);
    auto* panel = Make<TSolid>(&form, &form, 0, 30, 100, 100); // no tab stop, holds c
    auto* b = Make<TButton>(&form, &form, 0, 140, 75, 25);
    auto* c = Make<TButton>(&form, panel, 0, 0, 75, 25);
    auto* d = Make<TButton>(&form, &form, 0, 170, 75, 25);
    // Tab order: a, panel (c), b, d.
    EXPECT_EQ(form.FindNextControl(a, true, true, false), c);
    EXPECT_EQ(form.FindNextControl(c, true, true, false), b);
    b->SetEnabled(false);
    EXPECT_EQ(form.FindNextControl(c, true, true, false), d);
    panel->Hide();
    EXPECT_EQ(form.FindNextControl(a, true, true, false), d);
    EXPECT_EQ(form.FindNextControl(a, false, true, false), d); // wraps around
    d->SetTabOrder(0);
    EXPECT_EQ(d->TabOrder(), 0);
    EXPECT_EQ(a->TabOrder(), 1);
    d->SetTabOrder(99); // clamped to the end
    EXPECT_EQ(d->TabOrder(), 3);
}

TEST(SurfaceTest, RepaintsOnlyWhatIsInvalidAndRecordsExactRectangles)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 100, 100);
    auto* c = Make<TSolid>(&form, &form, 0, 0, 40, 30);
    c->Update();
    EXPECT_EQ(At(c->Surface(), 39, 29), clRed);
    const int paints = c->paints;
    c->Update(); // nothing invalid: no repaint
    EXPECT_EQ(c->paints, paints);

    ControlTestAccess::RecordInvalidations(*c, true);
    c->fill = clBlue;
    c->InvalidateRect(Rect(10, 10, 20, 15));
    EXPECT_EQ(ControlTestAccess::TakeInvalidations(*c), (std::vector<TRect>{Rect(10, 10, 20, 15)}));
    c->Update();
    EXPECT_EQ(At(c->Surface(), 10, 10), clBlue);
    EXPECT_EQ(At(c->Surface(), 19, 14), clBlue);
    EXPECT_EQ(At(c->Surface(), 20, 14), clRed); // outside: untouched
    EXPECT_EQ(At(c->Surface(), 9, 10), clRed);
}

// A window asks for the parts it shows. What an opaque child covers is left
// invalid, and painted, with what was invalidated meanwhile, once it shows;
// an explicit update still paints everything invalid.
TEST(SurfaceTest, PaintsOnlyWhatItsWindowShows)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 120, 120);
    auto* back = Make<TSolid>(&form, &form, 0, 0, 80, 80);
    auto* front = Make<TSolid>(&form, back, 0, 0, 40, 80); // the left half
    front->fill = clBlue;
    form.Show();
    QApplication::processEvents();
    EXPECT_EQ(At(back->Surface(), 60, 10), clRed);
    EXPECT_EQ(At(back->Surface(), 10, 10), clWhite) << "covered: not painted yet";

    back->fill = clLime;
    back->Invalidate();
    QApplication::processEvents();
    EXPECT_EQ(At(back->Surface(), 60, 10), clLime);
    EXPECT_EQ(At(back->Surface(), 10, 10), clWhite);

    front->Hide();
    QApplication::processEvents();
    EXPECT_EQ(At(back->Surface(), 10, 10), clLime) << "shown now: painted as it stands";
    EXPECT_EQ(At(form.Widget()->grab().toImage(), 10, 10), clLime);

    front->Show();
    QApplication::processEvents();
    back->fill = clYellow;
    back->Invalidate();
    back->Update();
    EXPECT_EQ(At(back->Surface(), 10, 10), clYellow);
    EXPECT_EQ(At(back->Surface(), 60, 10), clYellow);
    form.Hide();
}

TEST(SurfaceTest, ScrollingMovesPixelsAndInvalidatesOnlyTheUncoveredStrip)
{
    TForm form(nullptr);
    auto* c = Make<TSolid>(&form, &form, 0, 0, 40, 30);
    c->Update();
    c->fill = clBlue;
    c->InvalidateRect(Rect(0, 20, 40, 30)); // blue band at the bottom
    c->Update();
    ControlTestAccess::RecordInvalidations(*c, true);
    c->fill = clLime;
    c->Scroll(0, -5); // content moves up by 5
    EXPECT_EQ(ControlTestAccess::TakeInvalidations(*c), (std::vector<TRect>{Rect(0, 25, 40, 30)}));
    EXPECT_EQ(At(c->Surface(), 0, 15), clBlue); // the band moved up
    EXPECT_EQ(At(c->Surface(), 0, 14), clRed);
    c->Update();
    EXPECT_EQ(At(c->Surface(), 0, 25), clLime); // only the strip repainted
    EXPECT_EQ(At(c->Surface(), 0, 24), clBlue);
}

TEST(MessageTest, TimersAndPostedMessagesArriveThroughWndProc)
{
    TForm form(nullptr);
    auto* c = Make<TSolid>(&form, &form, 0, 0, 10, 10);
    c->SetTimer(1, 5);
    EXPECT_TRUE(c->HasTimer(1));
    QElapsedTimer clock;
    clock.start();
    while (c->timerIds.size() < 2 && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_GE(c->timerIds.size(), 2u);
    EXPECT_EQ(c->timerIds[0], 1u);
    c->KillTimer(1);
    EXPECT_FALSE(c->HasTimer(1));

    c->PostMessage(WM_USER + 1000, 3, 4);
    EXPECT_TRUE(c->messages.empty()); // posted, not sent
    QApplication::processEvents();
    ASSERT_EQ(c->messages.size(), 1u);
    EXPECT_EQ(c->messages[0].WParam, 3u);
    EXPECT_EQ(c->messages[0].LParam, 4);
    EXPECT_EQ(c->Perform(WM_USER + 1001), 0);
    EXPECT_EQ(c->messages.size(), 2u);
}

TEST(MouseTest, ClickFiresOnReleaseInsideAndMouseEventsCarryShiftState)
{
    TForm form(nullptr);
    auto* c = Make<TSolid>(&form, &form, 0, 0, 20, 20);
    std::vector<std::string> log;
    c->OnMouseDown = TMouseEvent([&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        log.push_back("down " + std::to_string(x) + "," + std::to_string(y) + ((s & ssShift) ? " shift" : ""));
    });
    c->OnMouseUp = TMouseEvent([&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("up"); });
    c->OnClick = TNotifyEvent([&](TObject*) { log.push_back("click"); });
    auto send = [&](QEvent::Type type, int x, int y, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        SendMouse(c, type, x, y, Qt::LeftButton, mods);
    };
    send(QEvent::MouseButtonPress, 5, 6, Qt::ShiftModifier);
    send(QEvent::MouseButtonRelease, 5, 6);
    send(QEvent::MouseButtonPress, 5, 6);
    send(QEvent::MouseButtonRelease, 50, 6); // released outside: no click
    EXPECT_EQ(log, (std::vector<std::string>{"down 5,6 shift", "click", "up", "down 5,6", "up"}));
}

TEST(DialogKeyTest, EnterPressesTheDefaultButtonAndEscapeTheCancelButton)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* ok = Make<TButton>(&form, &form, 0, 0, 75, 25);
    auto* cancel = Make<TButton>(&form, &form, 80, 0, 75, 25);
    auto* other = Make<TButton>(&form, &form, 0, 40, 75, 25);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    int otherClicks = 0;
    other->OnClick = TNotifyEvent([&](TObject*) { ++otherClicks; });

    EXPECT_TRUE(form.DialogKey(VK_RETURN));
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_TRUE(form.DialogKey(VK_ESCAPE));
    EXPECT_EQ(form.ModalResult(), mrCancel);
    form.SetModalResult(mrNone);
    other->SetFocus(); // a focused button takes Enter itself
    EXPECT_TRUE(form.DialogKey(VK_RETURN));
    EXPECT_EQ(otherClicks, 1);
    EXPECT_EQ(form.ModalResult(), mrNone);
}
