#include "screens/dialogs/ProgressForm.h"

#include <algorithm>

#include "platform/framework/Application.h"
#include "platform/controls/Button.h"
#include "platform/controls/Label.h"
#include "platform/controls/Panel.h"
#include "platform/base/TickCount.h"

namespace {

// The screens' window look (background, face and size of text).
constexpr TColor kScreenColor = 15658734;
constexpr TColor kBarColor = 0x00C08040;
constexpr int kBarWidth = 300;
// Input is let through at most this often, so that reporting stays cheap.
constexpr uint32_t kEventIntervalMs = 40;

TProgressForm*& ShowingProgress()
{
    static TProgressForm* showing = nullptr;
    return showing;
}

} // namespace

TProgressForm* TProgressForm::Showing()
{
    return ShowingProgress();
}

TProgressForm::TProgressForm(TCustomForm* opener, const QString& caption, const QString& text)
    : TForm(nullptr), opener_(opener), started_(GetTickCount())
{
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetCaption(caption);
    SetColor(kScreenColor);
    Font().SetName(QStringLiteral("宋体"));
    Font().SetHeight(-12);
    SetClientWidth(kBarWidth + 32);
    SetClientHeight(104);

    label_ = new TLabel(this);
    label_->SetParent(this);
    label_->SetBounds(16, 14, kBarWidth, 14);
    label_->SetCaption(text);

    trough_ = new TPanel(this);
    trough_->SetParent(this);
    trough_->SetBounds(16, 36, kBarWidth, 18);
    trough_->SetBevelOuter(bvLowered);
    trough_->SetColor(clWindow);
    bar_ = new TPanel(this);
    bar_->SetParent(trough_);
    bar_->SetBevelOuter(bvNone);
    bar_->SetColor(kBarColor);
    bar_->SetBounds(1, 1, 0, 16);

    cancelButton_ = new TButton(this);
    cancelButton_->SetParent(this);
    cancelButton_->SetBounds(16 + kBarWidth - 75, 66, 75, 25);
    cancelButton_->SetCaption(QStringLiteral("取消"));
    cancelButton_->SetCancel(true);
    cancelButton_->OnClick = TNotifyEvent([this](TObject*) { cancelled_ = true; });
    // Closing the window is cancelling the work, never leaving it unwatched.
    OnClose = TCloseEvent([this](TObject*, TCloseAction& action) {
        cancelled_ = true;
        action = caNone;
    });
}

TProgressForm::~TProgressForm()
{
    Disappear();
}

TProgressHook TProgressForm::Hook()
{
    return [this](int64_t done, int64_t total) { return Report(done, total); };
}

bool TProgressForm::Report(int64_t done, int64_t total)
{
    if (total > 0)
        permille_ = int(std::clamp<int64_t>(done * 1000 / total, 0, 1000));
    const uint32_t now = GetTickCount();
    if (!appeared_ && now - started_ > kShowAfterMs && done < total)
        Appear();
    if (appeared_) {
        bar_->SetWidth((kBarWidth - 2) * permille_ / 1000);
        if (now - lastEvents_ >= kEventIntervalMs) {
            lastEvents_ = now;
            Application()->ProcessMessages();
        }
    }
    return !cancelled_;
}

void TProgressForm::Appear()
{
    appeared_ = true;
    ShowingProgress() = this;
    if (opener_) {
        openerWasEnabled_ = opener_->Enabled();
        opener_->SetEnabled(false);
    }
    Show();
    Application()->ProcessMessages();
}

void TProgressForm::Disappear()
{
    if (!appeared_)
        return;
    appeared_ = false;
    if (ShowingProgress() == this)
        ShowingProgress() = nullptr;
    Hide();
    if (opener_ && openerWasEnabled_)
        opener_->SetEnabled(true);
}
