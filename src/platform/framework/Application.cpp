#include "platform/framework/Application.h"

#include <algorithm>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "platform/base/AppContext.h"
#include "platform/framework/ControlWidget.h"
#include "platform/framework/Form.h"

TApplication* Application()
{
    return &AppContext().Application();
}

TApplication::TApplication() : receiver_(std::make_unique<QObject>()) {}

TApplication::~TApplication() = default;

void TApplication::Adopt(TCustomForm* form)
{
    forms_.push_back(form);
    if (!mainForm_)
        mainForm_ = form;
}

void TApplication::Run()
{
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, receiver_.get(), [this] { DoIdle(); });
    if (mainForm_)
        GuardedCall([&] { mainForm_->Show(); });
    if (!terminated_)
        QApplication::exec();
}

void TApplication::Terminate()
{
    terminated_ = true;
    // exit, not quit: quit asks every window to close first, and our windows
    // leave that decision to the framework, which would cancel the quit.
    TCustomForm::EndAllModalLoops();
    QCoreApplication::exit(0);
}

void TApplication::DestroyForms()
{
    while (!forms_.empty()) {
        TCustomForm* f = forms_.back();
        forms_.pop_back();
        if (f == mainForm_)
            mainForm_ = nullptr;
        delete f;
    }
}

void TApplication::ProcessMessages()
{
    QCoreApplication::processEvents();
}

QString TApplication::Title() const
{
    return QCoreApplication::applicationName();
}

bool TApplication::Active() const
{
    return qGuiApp && QGuiApplication::applicationState() == Qt::ApplicationActive;
}

int TApplication::MessageBox(const QString& text, const QString& caption, unsigned flags)
{
    const QString title = caption.isEmpty() ? Title() : caption;
    if (messageBoxHook_)
        return messageBoxHook_(text, title, flags);
    const unsigned icon = flags & 0x70;
    const QMessageBox::Icon shown = icon == MB_ICONERROR      ? QMessageBox::Critical
                                    : icon == MB_ICONWARNING  ? QMessageBox::Warning
                                    : icon == MB_ICONQUESTION ? QMessageBox::Question
                                                              : QMessageBox::NoIcon;
    const unsigned buttons = flags & 0xF;
    QMessageBox::StandardButtons choice = QMessageBox::Ok;
    if (buttons == MB_YESNO)
        choice = QMessageBox::Yes | QMessageBox::No;
    else if (buttons == MB_YESNOCANCEL)
        choice = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QMessageBox box(shown, title, text, choice);
    // Escape and the close box answer the least harmful choice.
    if (buttons == MB_YESNOCANCEL)
        box.setEscapeButton(QMessageBox::Cancel);
    else if (buttons == MB_YESNO)
        box.setEscapeButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return mrYes;
    case QMessageBox::No:
        return mrNo;
    case QMessageBox::Cancel:
        return mrCancel;
    default:
        return buttons == MB_OK ? mrOk : buttons == MB_YESNO ? mrNo : mrCancel;
    }
}

QString ExceptionMessage(std::exception_ptr error)
{
    QString message;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
        message = QStringLiteral("Unknown error");
    }
    // Messages end with a period, as the platform's default error box shows them.
    if (!message.isEmpty() && message.back() > QChar('.'))
        message += QChar('.');
    return message;
}

void TApplication::HandleException(std::exception_ptr error)
{
    ShowException(ExceptionMessage(error));
}

void TApplication::ShowException(const QString& message)
{
    if (paintDepth_ > 0 || showingError_) {
        // A modal box inside a paint handler would run a message loop there, and
        // a box over a box would pile up while the first waits for its answer.
        if (message != shownError_ &&
            std::find(pendingErrors_.begin(), pendingErrors_.end(), message) == pendingErrors_.end())
            pendingErrors_.push_back(message);
        return;
    }
    showingError_ = true;
    shownError_ = message;
    struct Done {
        TApplication& app;
        ~Done()
        {
            app.showingError_ = false;
            app.shownError_.clear();
            if (!app.pendingErrors_.empty())
                app.PostPendingErrors();
        }
    } done{*this};
    MessageBox(message, Title(), MB_OK | MB_ICONERROR);
}

void TApplication::EndPaintHandler()
{
    if (--paintDepth_ == 0 && !pendingErrors_.empty())
        PostPendingErrors();
}

void TApplication::PostPendingErrors()
{
    if (errorsPosted_)
        return;
    errorsPosted_ = true;
    QTimer::singleShot(0, receiver_.get(), [this] {
        errorsPosted_ = false;
        ShowPendingErrors();
    });
}

void TApplication::ShowPendingErrors()
{
    while (!pendingErrors_.empty() && paintDepth_ == 0 && !showingError_) {
        const QString message = pendingErrors_.front();
        pendingErrors_.erase(pendingErrors_.begin());
        ShowException(message);
    }
}

void TApplication::AddIdleHandler(std::function<void()> handler)
{
    idleHandlers_.push_back(std::move(handler));
}

void TApplication::DoIdle()
{
    if (inIdle_)
        return;
    inIdle_ = true;
    for (auto& handler : idleHandlers_)
        GuardedCall(handler);
    inIdle_ = false;
}

void TApplication::ModalShown(TCustomForm* form)
{
    if (modalHook_) {
        // Run the hook from inside the modal loop, as a user would act.
        QTimer::singleShot(0, [hook = modalHook_, form] { GuardedCall([&] { hook(form); }); });
    }
}

bool HandleEscapedException()
{
    Application()->HandleException(std::current_exception());
    return true;
}

void BeginPaintCall()
{
    Application()->BeginPaintHandler();
}

void EndPaintCall()
{
    Application()->EndPaintHandler();
}
