// Modal windows as the platform has them: the windows beneath take no input at
// all, stay beneath, cannot be closed, and get the focus back in order.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdlib>

#include "platform/framework/Application.h"
#include "platform/controls/Button.h"
#include "platform/framework/Form.h"

namespace {

// A self-drawn control that records what reaches it.
class TRecorder : public TCustomControl {
public:
    explicit TRecorder(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
    int clicks = 0, downs = 0, keys = 0, wheels = 0;

protected:
    void Click() override { ++clicks; }
    void MouseDown(TMouseButton, TShiftState, int, int) override { ++downs; }
    void KeyDown(Word&, TShiftState) override { ++keys; }
    bool DoMouseWheel(TShiftState, int, TPoint) override { return ++wheels, true; }
};

struct Window {
    TForm form{nullptr};
    TRecorder* inner;
    explicit Window(int left = 100)
    {
        form.SetBorderStyle(bsDialog);
        form.SetBounds(left, 80, 300, 200);
        inner = new TRecorder(&form);
        inner->SetParent(&form);
        inner->SetBounds(10, 10, 100, 50);
    }
};

void SendInput(QWidget* w)
{
    const QPointF p(5, 5), g = w->mapToGlobal(QPoint(5, 5));
    QMouseEvent press(QEvent::MouseButtonPress, p, g, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, p, g, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QWheelEvent wheel(p, g, QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
    QApplication::sendEvent(w, &wheel);
    QApplication::sendEvent(w, &key);
}

} // namespace

TEST(ModalWindow, shouldGiveADisabledWindowAndAllItsControlsNoInput)
{
    Window w;
    w.form.Show();
    w.inner->SetFocus();
    SendInput(w.inner->Widget());
    EXPECT_EQ(w.inner->clicks, 1);
    EXPECT_EQ(w.inner->keys, 1);

    // Disabled the way a modal window disables the others: the window, not the control.
    w.form.Widget()->setEnabled(false);
    SendInput(w.inner->Widget());
    SendInput(w.form.Widget());
    EXPECT_EQ(w.inner->clicks, 1);
    EXPECT_EQ(w.inner->downs, 1);
    EXPECT_EQ(w.inner->wheels, 1);
    EXPECT_EQ(w.inner->keys, 1);
    w.form.Widget()->setEnabled(true);
    w.form.Hide();
}

TEST(ModalWindow, shouldStackModalWindowsOverTheirOpenersAndReturnTheFocusInOrder)
{
    Window launcher(20), screen(60), dialog(100);
    launcher.form.Show();
    bool checked = false;
    Application()->SetModalHook([&](TCustomForm* shown) {
        if (shown == &screen.form) {
            screen.inner->SetFocus();
            dialog.form.ShowModal();
            // Back from the nested dialog: the screen is usable and focused again.
            EXPECT_TRUE(screen.form.Widget()->isEnabled());
            EXPECT_FALSE(launcher.form.Widget()->isEnabled());
            EXPECT_EQ(screen.form.Widget()->focusWidget(), screen.inner->Widget());
            screen.form.Close();
            return;
        }
        ASSERT_EQ(shown, &dialog.form);
        QWindow* handle = dialog.form.Widget()->windowHandle();
        ASSERT_NE(handle, nullptr);
        EXPECT_EQ(handle->transientParent(), screen.form.Widget()->windowHandle());
        EXPECT_EQ(screen.form.Widget()->windowHandle()->transientParent(), launcher.form.Widget()->windowHandle());
        EXPECT_EQ(dialog.form.Widget()->windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(dialog.form.Opener(), &screen.form);
        EXPECT_FALSE(screen.form.Widget()->isEnabled());

        // A close request to a window beneath does nothing; its controls take no input.
        QCloseEvent close;
        QApplication::sendEvent(screen.form.Widget(), &close);
        QApplication::sendEvent(launcher.form.Widget(), &close);
        EXPECT_TRUE(screen.form.InModalLoop());
        EXPECT_TRUE(launcher.form.Visible());
        SendInput(screen.inner->Widget());
        EXPECT_EQ(screen.inner->clicks, 0);
        checked = true;
        dialog.form.Close();
    });
    screen.form.ShowModal();
    Application()->SetModalHook({});
    EXPECT_TRUE(checked);
    EXPECT_TRUE(launcher.form.Widget()->isEnabled());
    EXPECT_EQ(screen.form.Opener(), nullptr);
    launcher.form.Hide();
}

TEST(ModalWindow, shouldKeepItsPlaceWhenTheClientSizeChanges)
{
    Window w;
    w.form.SetPosition(poScreenCenter);
    w.form.Show();
    const QPoint centred = w.form.Widget()->geometry().topLeft();
    struct Step {
        int clientHeight;
        QPoint movedTo; // where the user moved the window before (null: not moved)
    } steps[] = {{374, {}}, {130, {}}, {300, {40, 50}}, {200, {}}};
    QPoint expected = centred;
    for (const Step& s : steps) {
        if (!s.movedTo.isNull()) {
            w.form.Widget()->move(s.movedTo);
            expected = w.form.Widget()->geometry().topLeft();
        }
        w.form.SetClientHeight(s.clientHeight);
        EXPECT_EQ(w.form.Widget()->geometry().topLeft(), expected) << s.clientHeight;
        EXPECT_EQ(w.form.ClientHeight(), s.clientHeight);
        EXPECT_EQ(w.form.Widget()->height(), s.clientHeight);
    }
    w.form.Hide();
}

TEST(ModalWindowDeathTest, shouldEndTheProcessWhenTheMainFormClosesUnderAModalWindow)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            auto* launcher = new TForm(nullptr);
            launcher->SetBounds(10, 10, 200, 100);
            Application()->Adopt(launcher);
            // Never hang the test: a process still running after this is a failure.
            QTimer::singleShot(10000, [] { std::_Exit(3); });
            QTimer::singleShot(0, [launcher] {
                TForm screen(nullptr);
                screen.SetBounds(30, 30, 200, 100);
                Application()->SetModalHook([launcher](TCustomForm*) {
                    QCloseEvent close;
                    QApplication::sendEvent(launcher->Widget(), &close);
                    if (!launcher->Visible())
                        std::_Exit(4); // a disabled launcher must not close
                    launcher->Close();
                });
                screen.ShowModal();
            });
            Application()->Run();
            std::exit(Application()->Terminated() ? 0 : 5);
        },
        ::testing::ExitedWithCode(0), "");
}
