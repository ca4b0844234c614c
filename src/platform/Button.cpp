#include "platform/Button.h"

#include <QPushButton>

#include "platform/ControlWidget.h"
#include "platform/Form.h"

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

QWidget* TButton::CreateWidget()
{
    auto* button = new QPushButton(Caption());
    // The framework moves the focus (Tab order, clicks); the button only shows it.
    button->setFocusPolicy(Qt::ClickFocus);
    button->setAutoDefault(false);
    button->setDefault(default_);
    QObject::connect(button, &QPushButton::clicked, [this] { GuardedCall([this] { Click(); }); });
    return button;
}

void TButton::TextChanged()
{
    if (HasWidget())
        static_cast<QPushButton*>(Widget())->setText(Caption());
}

void TButton::SetDefault(bool v)
{
    if (v == default_)
        return;
    default_ = v;
    if (HasWidget())
        static_cast<QPushButton*>(Widget())->setDefault(v);
}

void TButton::Click()
{
    if (TCustomForm* form = ParentForm())
        form->SetModalResult(modalResult_);
    TWinControl::Click();
}

void TButton::WndProc(TMessage& message)
{
    if (message.Msg == CM_DIALOGKEY) {
        const bool focused = message.LParam != 0;
        const Word key = static_cast<Word>(message.WParam);
        if (((key == VK_RETURN && (focused || default_)) || (key == VK_ESCAPE && cancel_)) && CanFocus()) {
            Click();
            message.Result = 1;
        }
        return;
    }
    TWinControl::WndProc(message);
}
