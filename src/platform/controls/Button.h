#pragma once

// The standard push button: a wrapper over the window layer's button that
// carries the framework's default/cancel roles and modal result.

#include <QImage>

#include "platform/framework/WinControl.h"

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);
    const char* ClassName() const override { return "TButton"; }

    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int v) { modalResult_ = v; }

    // Presses the button as the user would: sets the form's modal result, then OnClick.
    void Click() override;
    void WndProc(TMessage& message) override;

    // The button's picture as the platform draws it: raised face, the default
    // frame when it is (or stands for) the default button, the dotted focus
    // rectangle when it has the focus, sunken while pressed; scale pixels per
    // logical pixel.
    QImage Picture(bool focused, bool pressed, int scale = 1) const;
    // Whether the black default frame is shown: on the focused button, or on
    // the default button while no other button has the focus.
    bool ShowsDefaultFrame() const;

protected:
    QWidget* CreateWidget() override;
    void TextChanged() override;

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = mrNone;
};
