#pragma once

// Progress of long work (exports, printing) in the screens' own look: a small
// window with a line of text, a bar and 取消. It appears only when the work has
// run for more than half a second, keeps the screen beneath disabled while it
// is up, and lets the user cancel; the work finds out through the hook's
// answer and leaves nothing half-written behind.

#include <cstdint>

#include "platform/framework/Form.h"
#include "platform/base/SaveFile.h"

class TButton;
class TLabel;
class TPanel;

class TProgressForm : public TForm {
public:
    static constexpr uint32_t kShowAfterMs = 500;

    // opener is the screen that is disabled while the window is up.
    TProgressForm(TCustomForm* opener, const QString& caption, const QString& text);
    ~TProgressForm() override;
    static constexpr const char* StaticClassName() { return "TProgressForm"; }
    const char* ClassName() const override { return StaticClassName(); }

    // The work's progress hook: false once the user cancelled.
    TProgressHook Hook();
    // One report of the work: shows the window when due, moves the bar and
    // lets the window's input through.
    bool Report(int64_t done, int64_t total);
    bool Cancelled() const { return cancelled_; }
    void Cancel() { cancelled_ = true; }
    // Tenths of a percent shown by the bar.
    int Permille() const { return permille_; }
    TButton* CancelButton() const { return cancelButton_; }
    // The progress window on screen, if any (one at a time: work runs on the
    // user-interface thread).
    static TProgressForm* Showing();

private:
    void Appear();
    void Disappear();

    TCustomForm* opener_;
    TLabel* label_;
    TPanel* trough_;
    TPanel* bar_;
    TButton* cancelButton_;
    uint32_t started_;
    uint32_t lastEvents_ = 0;
    int permille_ = 0;
    bool cancelled_ = false;
    bool appeared_ = false;
    bool openerWasEnabled_ = false;
};
