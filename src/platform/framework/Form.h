#pragma once

// A top-level window: border and position styles, client size, the active
// control, modal showing with a modal result, the default and cancel buttons'
// keys, and the table of handler methods that a stored definition binds by name.

#include <any>
#include <map>
#include <string>

#include "platform/framework/WinControl.h"

class QEventLoop;

enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TPosition : uint8_t {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
using TCloseEvent = TEvent<TObject*, TCloseAction&>;

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;
    const char* ClassName() const override { return "TCustomForm"; }

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition p) { position_ = p; }

    void SetVisible(bool visible) override;
    void SetClientWidth(int v) override { SetWidth(v); }
    void SetClientHeight(int v) override { SetHeight(v); }
    // A shown window keeps its place when only its size changes by code.
    void SetBounds(int left, int top, int width, int height) override;

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Called when the focus moved to control (by the user or by code).
    void FocusChanged(TWinControl* control);
    // A control that goes away can no longer be the active one.
    void ForgetControl(TWinControl* control)
    {
        if (activeControl_ == control)
            activeControl_ = nullptr;
    }
    // Enter and Escape not used by the focused control: default and cancel buttons.
    virtual bool DialogKey(Word key);

    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result);
    // Shows the window and runs a nested loop until it closes; other windows
    // are disabled meanwhile.
    int ShowModal();
    bool InModalLoop() const { return modalLoop_ != nullptr; }
    // The window that was active when this one went modal: it stays above it.
    TCustomForm* Opener() const { return opener_; }
    // Ends every modal loop (the application is closing).
    static void EndAllModalLoops();
    // The caption bar's close box.
    void Close();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TCloseEvent OnClose;
    // A key pressed anywhere in the window, before its control: true runs a command instead.
    TEvent<TObject*, Word, TShiftState, bool&> OnShortCut;

    // Handler methods by name, for the events of a stored definition.
    void RegisterHandler(const std::string& name, std::any handler);
    template <class Event, class Fn>
    void Handler(const std::string& name, Fn fn)
    {
        RegisterHandler(name, typename Event::Handler(std::move(fn)));
    }
    const std::any* FindHandler(const std::string& name) const;

    bool DispatchEvent(QEvent* event) override;

protected:
    QWidget* CreateWidget() override;
    void TextChanged() override;
    // Runs OnCreate once construction and loading are done; errors are shown and
    // construction goes on.
    void DoCreate();
    virtual void DoClose(TCloseAction& action) { OnClose(this, action); }

private:
    void CenterOnScreen();
    void FitWindow();
    void BoundsChanged() override;
    void ApplyWindowFlags();
    void ApplyOwnerWindow();
    TCustomForm* FindOpener() const;
    // The window beneath gets the focus back when a modal window closes.
    void ReturnFocusToOpener();

    TFormBorderStyle borderStyle_ = bsSizeable;
    TPosition position_ = poDesigned;
    TWinControl* activeControl_ = nullptr;
    int modalResult_ = mrNone;
    QEventLoop* modalLoop_ = nullptr;
    TCustomForm* opener_ = nullptr;
    std::map<std::string, std::any> handlers_;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
    const char* ClassName() const override { return "TForm"; }
};
