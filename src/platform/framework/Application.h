#pragma once

// The application object: the main window and the message loop, idle-time
// work, message boxes and the default handling of errors that escape handlers.

#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include <QString>

class QObject;
class TCustomForm;

// Buttons and icons of a message box; it answers mrOk, mrYes, mrNo or mrCancel.
enum : unsigned {
    MB_OK = 0x0,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
};

class TApplication {
public:
    TApplication();
    ~TApplication();

    // The first form made through CreateForm becomes the main window.
    template <class T>
    void CreateForm(T*& ref)
    {
        ref = new T(nullptr);
        Adopt(ref);
    }
    void Adopt(TCustomForm* form);
    TCustomForm* MainForm() const { return mainForm_; }
    // Shows the main window and runs the message loop until it closes.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Frees the forms the application owns, newest first.
    void DestroyForms();
    void ProcessMessages();

    // Shows a message box with an OK button; returns the button pressed.
    int MessageBox(const QString& text, const QString& caption = QString(), unsigned flags = MB_OK);
    // The default handling of an error that escaped an event handler. An error
    // raised while a window paints, or while an error box is up, waits its turn:
    // it is shown once the paint has returned and the box is closed. The same
    // text waiting twice is shown once.
    void HandleException(std::exception_ptr error);
    void ShowException(const QString& message);
    int PendingErrorCount() const { return static_cast<int>(pendingErrors_.size()); }
    // Brackets the window layer's paint handlers.
    void BeginPaintHandler() { ++paintDepth_; }
    void EndPaintHandler();
    // Runs the idle-time work now (the loop does it whenever it runs out of input).
    void DoIdle();
    void AddIdleHandler(std::function<void()> handler);

    // Test and automation hooks: message boxes are handed to the hook instead of
    // being shown; a modal window is announced once it is showing.
    using MessageBoxHook = std::function<int(const QString& text, const QString& caption, unsigned flags)>;
    void SetMessageBoxHook(MessageBoxHook hook) { messageBoxHook_ = std::move(hook); }
    using ModalHook = std::function<void(TCustomForm*)>;
    void SetModalHook(ModalHook hook) { modalHook_ = std::move(hook); }
    void ModalShown(TCustomForm* form);

    QString Title() const;
    // One of the program's windows has the input focus of the desktop.
    bool Active() const;

private:
    void ShowPendingErrors();
    void PostPendingErrors();

    // Receives the application's queued calls, which end with it.
    std::unique_ptr<QObject> receiver_;
    int paintDepth_ = 0;
    bool showingError_ = false;
    QString shownError_;
    bool errorsPosted_ = false;
    std::vector<QString> pendingErrors_;
    std::vector<TCustomForm*> forms_;
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool inIdle_ = false;
    std::vector<std::function<void()>> idleHandlers_;
    MessageBoxHook messageBoxHook_;
    ModalHook modalHook_;
};

// The application object of the current context.
TApplication* Application();
// The text a message box shows for an error: the message with a closing period.
QString ExceptionMessage(std::exception_ptr error);
