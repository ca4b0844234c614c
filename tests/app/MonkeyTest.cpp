// Random input on every screen and the gallery through the same event path a
// person's input takes. Nothing may crash, hang or end in the default error
// handling's box. The seed is printed on failure; ORGRIGHTS_MONKEY_EVENTS and
// ORGRIGHTS_MONKEY_SEED make longer or repeated runs.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <random>
#include <thread>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include "app/GalleryForm.h"
#include "app/ScreenCatalog.h"
#include "app/Startup.h"
#include "platform/framework/Application.h"
#include "platform/framework/Form.h"
#include "UnderSanitizer.h"
#include "support/ScreenTest.h"

namespace {

int EnvInt(const char* name, int fallback)
{
    const QByteArray v = qgetenv(name);
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok && n > 0 ? n : fallback;
}

// Aborts the process, naming the seed, when the input loop stops advancing.
class Watchdog {
public:
    Watchdog(unsigned seed, const char* what) : seed_(seed), what_(what), thread_([this] { Watch(); }) {}
    ~Watchdog()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    void Tick() { ++ticks_; }

private:
    void Watch()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        unsigned long last = ticks_;
        while (!wake_.wait_for(lock, std::chrono::seconds(60), [this] { return done_; })) {
            if (ticks_ == last) {
                std::fprintf(stderr, "monkey: no progress for 60 s on %s, seed %u\n", what_, seed_);
                std::abort();
            }
            last = ticks_;
        }
    }
    unsigned seed_;
    const char* what_;
    std::atomic<unsigned long> ticks_{0};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread thread_;
};

class Monkey {
public:
    Monkey(unsigned seed, Watchdog& dog) : rng_(seed), dog_(dog) {}

    // Plays events on the form; dialogs it opens get a share and are closed.
    void Play(TCustomForm* form, int events)
    {
        for (int i = 0; i < events; ++i) {
            dog_.Tick();
            if (!form->Visible())
                form->Show();
            QWidget* top = form->Widget();
            Event(top);
            if (i % 16 == 0)
                Application()->ProcessMessages();
        }
    }

    int played = 0;

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    QPoint RandomPoint(QWidget* top)
    {
        return {Pick(std::max(1, top->width())), Pick(std::max(1, top->height()))};
    }

    static QWidget* Target(QWidget* top, QPoint p)
    {
        QWidget* child = top->childAt(p);
        return child ? child : top;
    }

    void SendMouse(QWidget* top, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QWidget* target = Target(top, p);
        const QPointF local = target->mapFrom(top, QPointF(p));
        QMouseEvent e(type, local, target->mapToGlobal(local), button, held, Qt::NoModifier);
        QApplication::sendEvent(target, &e);
    }

    void Key(QWidget* top, int key, Qt::KeyboardModifiers mods, const QString& text = {})
    {
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != top->window())
            target = top;
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods, text);
        QApplication::sendEvent(target, &release);
    }

    void Event(QWidget* top)
    {
        ++played;
        const QPoint p = RandomPoint(top);
        const Qt::MouseButton button = Pick(8) == 0 ? Qt::RightButton : Qt::LeftButton;
        switch (Pick(10)) {
        case 0:
        case 1: // click
            SendMouse(top, QEvent::MouseButtonPress, p, button, button);
            SendMouse(top, QEvent::MouseButtonRelease, p, button, Qt::NoButton);
            break;
        case 2: { // double click
            SendMouse(top, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
            SendMouse(top, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
            SendMouse(top, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
            SendMouse(top, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
            break;
        }
        case 3: { // drag
            SendMouse(top, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
            QPoint q = p;
            for (int s = Pick(6); s >= 0; --s) {
                q += QPoint(Pick(81) - 40, Pick(81) - 40);
                SendMouse(top, QEvent::MouseMove, q, Qt::NoButton, Qt::LeftButton);
            }
            SendMouse(top, QEvent::MouseButtonRelease, q, Qt::LeftButton, Qt::NoButton);
            break;
        }
        case 4:
            SendMouse(top, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
            break;
        case 5: {
            QWidget* target = Target(top, p);
            const QPointF local = target->mapFrom(top, QPointF(p));
            QWheelEvent e(local, target->mapToGlobal(local), {}, {0, Pick(2) ? 120 : -120}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &e);
            break;
        }
        default: {
            static const int keys[] = {Qt::Key_Tab,  Qt::Key_Return, Qt::Key_Escape, Qt::Key_Left,  Qt::Key_Right,
                                       Qt::Key_Up,   Qt::Key_Down,   Qt::Key_F2,     Qt::Key_Delete, Qt::Key_Home,
                                       Qt::Key_End,  Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Space, Qt::Key_Insert};
            const int kind = Pick(10);
            if (kind < 6) {
                const int key = keys[Pick(int(std::size(keys)))];
                const Qt::KeyboardModifiers mods = Pick(6) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
                Key(top, key, mods, key == Qt::Key_Return ? QStringLiteral("\r") : QString());
            } else if (kind == 6) {
                Key(top, Qt::Key_Tab, Qt::ControlModifier);
            } else if (kind == 7) {
                const int letter = Qt::Key_A + Pick(26);
                Key(top, letter, Qt::AltModifier);
            } else {
                static const QString chars = QStringLiteral("abcXYZ019 -.中文");
                const QChar c = chars[Pick(int(chars.size()))];
                Key(top, c.isLetterOrNumber() && c.unicode() < 128 ? int(c.toUpper().unicode()) : int(Qt::Key_unknown),
                    Qt::NoModifier, QString(c));
            }
        }
        }
    }

    std::mt19937 rng_;
    Watchdog& dog_;
};

using MonkeyTest = ScreenFixture<::testing::TestWithParam<const char*>>;

std::unique_ptr<TCustomForm> MakeForm(const char* className)
{
    if (QByteArray(className) == "TGalleryForm")
        return std::make_unique<TGalleryForm>(nullptr);
    const ScreenEntry* e = FindScreen(QString::fromLatin1(className));
    return e ? std::unique_ptr<TCustomForm>(e->make(nullptr)) : nullptr;
}

} // namespace

TEST_P(MonkeyTest, RandomInputLeavesTheScreenWorking)
{
    const unsigned seed = unsigned(EnvInt("ORGRIGHTS_MONKEY_SEED", int(qHash(QByteArray(GetParam())) & 0x7fffffff)));
    const int events = EnvInt("ORGRIGHTS_MONKEY_EVENTS", ScaledForSanitizer(5000));
    SCOPED_TRACE(testing::Message() << "seed " << seed << " (ORGRIGHTS_MONKEY_SEED), " << GetParam());
    Watchdog dog(seed, GetParam());
    Monkey monkey(seed, dog);
    // Dialogs opened modally get a few events of their own and are then closed.
    int dialogs = 0;
    Application()->SetModalHook([&](TCustomForm* dialog) {
        ++dialogs;
        if (dialogs < 50)
            monkey.Play(dialog, 50);
        dialog->SetModalResult(mrCancel);
    });
    std::unique_ptr<TCustomForm> form = MakeForm(GetParam());
    ASSERT_NE(form, nullptr);
    form->Show();
    monkey.Play(form.get(), events);
    Application()->ProcessMessages();
    EXPECT_TRUE(errors.empty()) << "first error: " << (errors.empty() ? std::string() : errors.front().toStdString());
    EXPECT_GE(monkey.played, events);
}

INSTANTIATE_TEST_SUITE_P(EveryScreen, MonkeyTest,
                         ::testing::Values("TMainForm", "TOrgForm", "TUserForm", "TPostForm", "TRightSetForm",
                                           "TDepartPropForm", "TRolePropForm", "TGalleryForm"),
                         [](const auto& p) { return std::string(p.param); });
