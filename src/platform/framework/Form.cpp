#include "platform/framework/Form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include "platform/base/AppContext.h"
#include "platform/framework/Application.h"
#include "platform/framework/ControlWidget.h"
#include "platform/framework/window/WindowLayer.h"
#include "platform/framework/window/WindowPlacement.h"

namespace {

// Forms in their modal loops, innermost last.
struct ModalForms {
    std::vector<TCustomForm*> stack;
};

std::vector<TCustomForm*>& ModalStack()
{
    return AppContext().State<ModalForms>().stack;
}

} // namespace

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner)
{
    SetSelfPainted(true);
    SetParentFont(false);
    SetParentColor(false);
    SetVisible(false);
}

TCustomForm::~TCustomForm()
{
    MarkDestroying();
    if (modalLoop_)
        modalLoop_->quit();
    auto& stack = ModalStack();
    std::erase(stack, this);
    for (TCustomForm* f : stack)
        if (f->opener_ == this)
            f->opener_ = nullptr;
    GuardedCall([&] { OnDestroy(this); });
}

QWidget* TCustomForm::CreateWidget()
{
    auto* w = new ControlWidget(this);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->setWindowTitle(Caption());
    w->setFocusPolicy(Qt::NoFocus);
    return w;
}

void TCustomForm::ApplyWindowFlags()
{
    QWidget* w = Widget();
    Qt::WindowFlags flags = Qt::Window;
    switch (borderStyle_) {
    case bsDialog:
        flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        break;
    case bsSingle:
    case bsToolWindow:
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        break;
    case bsNone:
        flags |= Qt::FramelessWindowHint;
        break;
    default:
        break;
    }
    const bool shown = w->isVisible();
    if (w->windowFlags() != flags)
        w->setWindowFlags(flags);
    FitWindow();
    if (shown)
        w->show();
}

void TCustomForm::ApplyOwnerWindow()
{
    // A modal window is transient for the window that opened it, so window
    // managers keep it above that one and give the focus back to it.
    QWidget* w = Widget();
    if (!modalLoop_) {
        w->setWindowModality(Qt::NonModal);
        return;
    }
    if (!w->isVisible())
        w->setWindowModality(Qt::ApplicationModal);
    if (!opener_ || !opener_->HasWidget())
        return;
    QWidget* owner = opener_->Widget();
    owner->winId();
    w->winId();
    if (QWindow* h = w->windowHandle())
        h->setTransientParent(owner->windowHandle());
}

void TCustomForm::FitWindow()
{
    if (!HasWidget())
        return;
    QWidget* w = Widget();
    if (borderStyle_ == bsSizeable || borderStyle_ == bsSizeToolWin || borderStyle_ == bsNone) {
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        w->resize(Width(), Height());
    } else {
        // Dialog borders have no sizing frame: the size is whatever the program sets.
        w->setFixedSize(Width(), Height());
    }
}

void TCustomForm::BoundsChanged()
{
    FitWindow();
}

void TCustomForm::SetBounds(int left, int top, int width, int height)
{
    if (HasWidget() && Widget()->isVisible() && left == Left() && top == Top()) {
        // The user or the window manager may have moved the window since.
        const QRect g = Widget()->geometry();
        left = g.x();
        top = g.y();
    }
    TWinControl::SetBounds(left, top, width, height);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style)
{
    if (Exchange(borderStyle_, style))
        ApplyWindowFlags();
}

void TCustomForm::TextChanged()
{
    Widget()->setWindowTitle(Caption());
}

void TCustomForm::SetVisible(bool visible)
{
    const bool was = Visible();
    TControl::SetVisible(visible);
    QWidget* w = Widget();
    if (visible) {
        ApplyWindowFlags();
        ApplyOwnerWindow();
        if (!was && (position_ == poScreenCenter || position_ == poDesktopCenter ||
                     position_ == poMainFormCenter || position_ == poOwnerFormCenter))
            CenterOnScreen();
        w->show();
        // Showing may recreate the window handle: the owner is set again.
        ApplyOwnerWindow();
        if (activeControl_ && activeControl_->CanFocus())
            activeControl_->Widget()->setFocus(Qt::OtherFocusReason);
        else if (TWinControl* first = FindNextControl(nullptr, true, true, false))
            first->SetFocus();
        if (!was)
            OnShow(this);
    } else {
        w->hide();
    }
}

TPoint CenteredClientPos(const TRect& area, int clientWidth, int clientHeight, int frameLeft, int frameTop)
{
    const int x = area.Left + (area.Width() - clientWidth) / 2;
    const int y = area.Top + (area.Height() - clientHeight) / 2;
    return {std::max(x, area.Left + frameLeft), std::max(y, area.Top + frameTop)};
}

void TCustomForm::CenterOnScreen()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect a = screen->availableGeometry();
    // A window not yet shown has no frame: the caption bar's height stands in.
    QWidget* w = Widget();
    int frameLeft = w->geometry().x() - w->frameGeometry().x();
    int frameTop = w->geometry().y() - w->frameGeometry().y();
    if (frameTop <= 0 && borderStyle_ != bsNone) {
        frameTop = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
        frameLeft = std::max(frameLeft, 0);
    }
    const TPoint at = CenteredClientPos(Rect(a.left(), a.top(), a.right() + 1, a.bottom() + 1), Width(), Height(),
                                        std::max(frameLeft, 0), std::max(frameTop, 0));
    SetBounds(at.X, at.Y, Width(), Height());
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control && control->CanFocus())
        control->SetFocus();
    else
        FocusChanged(control);
}

void TCustomForm::FocusChanged(TWinControl* control)
{
    if (control == activeControl_ || control == this)
        return;
    TWinControl* old = activeControl_;
    activeControl_ = control;
    if (old)
        old->DoExit();
    if (control && activeControl_ == control)
        control->DoEnter();
}

bool TCustomForm::DialogKey(Word key)
{
    // The focused control first (a focused button takes Enter itself), then every
    // control in creation order: the default button takes Enter, the cancel
    // button Escape.
    if (activeControl_ && activeControl_->Perform(CM_DIALOGKEY, key, 1))
        return true;
    std::vector<TWinControl*> all;
    GetTabOrderList(all);
    for (TWinControl* c : all)
        if (c != activeControl_ && c->Perform(CM_DIALOGKEY, key, 0))
            return true;
    return false;
}

void TCustomForm::SetModalResult(int result)
{
    modalResult_ = result;
    if (result != mrNone && modalLoop_)
        modalLoop_->quit();
}

int TCustomForm::ShowModal()
{
    if (Visible() || modalLoop_)
        throw EInvalidOperation("Cannot make a visible window modal");
    if (Application()->Terminated())
        return mrCancel;
    auto& stack = ModalStack();
    opener_ = FindOpener();
    // Every other window of the process is disabled while this one runs.
    std::vector<QPointer<QWidget>> disabled;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top != Widget() && top->isVisible() && top->isEnabled()) {
            top->setEnabled(false);
            disabled.emplace_back(top);
        }
    modalResult_ = mrNone;
    QEventLoop loop;
    modalLoop_ = &loop;
    stack.push_back(this);
    struct Restore {
        TCustomForm* form;
        std::vector<QPointer<QWidget>>& windows;
        ~Restore()
        {
            form->modalLoop_ = nullptr;
            std::erase(ModalStack(), form);
            // The windows beneath are enabled before this one goes, so the
            // focus can move back to the one that opened it.
            for (auto& w : windows)
                if (w)
                    w->setEnabled(true);
            if (!form->IsDestroying()) {
                form->SetVisible(false);
                form->ReturnFocusToOpener();
            }
            form->opener_ = nullptr;
        }
    } restore{this, disabled};
    SetVisible(true);
    Application()->ModalShown(this);
    if (modalResult_ == mrNone && !Application()->Terminated())
        loop.exec();
    if (Application()->Terminated() && modalResult_ == mrNone)
        modalResult_ = mrCancel;
    return modalResult_;
}

TCustomForm* TCustomForm::FindOpener() const
{
    // The innermost modal window, else the active window, else the main window,
    // else any other window that is showing.
    auto usable = [this](TCustomForm* f) { return f && f != this && f->Visible() && f->HasWidget(); };
    auto formOf = [](QWidget* w) { return w ? dynamic_cast<TCustomForm*>(WindowLayer::ControlFromWidget(w)) : nullptr; };
    const auto& stack = ModalStack();
    if (!stack.empty() && usable(stack.back()))
        return stack.back();
    if (TCustomForm* active = formOf(QApplication::activeWindow()); usable(active))
        return active;
    if (usable(Application()->MainForm()))
        return Application()->MainForm();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (TCustomForm* f = formOf(top); usable(f) && top->isVisible() && top->isEnabled())
            return f;
    return nullptr;
}

void TCustomForm::ReturnFocusToOpener()
{
    if (!opener_ || !opener_->Visible() || !opener_->HasWidget())
        return;
    QWidget* w = opener_->Widget();
    w->raise();
    w->activateWindow();
    TWinControl* active = opener_->ActiveControl();
    if (active && active->CanFocus())
        active->Widget()->setFocus(Qt::ActiveWindowFocusReason);
}

void TCustomForm::EndAllModalLoops()
{
    for (TCustomForm* f : ModalStack())
        if (f->modalLoop_) {
            if (f->modalResult_ == mrNone)
                f->modalResult_ = mrCancel;
            f->modalLoop_->quit();
        }
}

void TCustomForm::Close()
{
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (InModalLoop()) {
        SetModalResult(mrCancel);
        return;
    }
    SetVisible(false);
    if (Application()->MainForm() == this)
        Application()->Terminate();
}

bool TCustomForm::DispatchEvent(QEvent* event)
{
    if (event->type() == QEvent::Close) {
        // The window layer never closes the window itself: the framework decides.
        // A disabled window (under a modal one) ignores the request.
        event->ignore();
        if (Widget()->isEnabled())
            Close();
        return true;
    }
    if (event->type() == QEvent::Move && Widget()->isWindow() && Widget()->isVisible()) {
        const QRect g = Widget()->geometry();
        if (g.x() != Left() || g.y() != Top())
            TWinControl::SetBounds(g.x(), g.y(), Width(), Height());
    }
    return TWinControl::DispatchEvent(event);
}

void TCustomForm::DoCreate()
{
    GuardedCall([&] { OnCreate(this); });
}

void TCustomForm::RegisterHandler(const std::string& name, std::any handler)
{
    std::string key = name;
    for (char& c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    handlers_[key] = std::move(handler);
}

const std::any* TCustomForm::FindHandler(const std::string& name) const
{
    std::string key = name;
    for (char& c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    auto it = handlers_.find(key);
    return it == handlers_.end() ? nullptr : &it->second;
}
