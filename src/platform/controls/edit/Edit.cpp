#include "platform/controls/edit/Edit.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include "platform/framework/ControlWidget.h"

namespace {
// The line edit's own ceiling; our 0 ("no limit") maps to it.
constexpr int kWidgetMaxLength = 32767;
} // namespace

TEdit::TEdit(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
}

QLineEdit* TEdit::LineEdit() const
{
    return HasWidget() ? static_cast<QLineEdit*>(const_cast<TEdit*>(this)->Widget()) : nullptr;
}

QWidget* TEdit::CreateWidget()
{
    auto* edit = new QLineEdit(Text());
    // The framework moves the focus by its tab order; clicks still focus the edit.
    edit->setFocusPolicy(Qt::ClickFocus);
    QObject::connect(edit, &QLineEdit::textChanged,
                     [this](const QString& text) { GuardedCall([&] { SetText(text); }); });
    return edit;
}

void TEdit::SyncWidget()
{
    TWinControl::SyncWidget();
    QLineEdit* edit = LineEdit();
    if (!edit)
        return;
    {
        const QSignalBlocker block(edit);
        if (edit->text() != Text())
            edit->setText(Text());
    }
    edit->setReadOnly(readOnly_);
    edit->setMaxLength(maxLength_ > 0 ? maxLength_ : kWidgetMaxLength);
    edit->setEchoMode(passwordChar_.isNull() ? QLineEdit::Normal : QLineEdit::Password);
    ApplyLook();
}

void TEdit::ApplyLook()
{
    QLineEdit* edit = LineEdit();
    if (!edit)
        return;
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Base, ToQColor(Color()));
    pal.setColor(QPalette::Text, ToQColor(Font().Color()));
    edit->setPalette(pal);
    if (borderStyle_ == bsNone) {
        edit->setFrame(false);
        edit->setStyleSheet(QString());
    } else if (Flat()) {
        edit->setFrame(false);
        edit->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid %1; background: %2; padding: 0px; }")
                                .arg(ToQColor(clWindowFrame).name(), ToQColor(Color()).name()));
    } else {
        edit->setFrame(true);
        edit->setStyleSheet(QString());
    }
}

void TEdit::TextChanged()
{
    if (QLineEdit* edit = LineEdit(); edit && edit->text() != Text()) {
        const QSignalBlocker block(edit);
        edit->setText(Text());
    }
    if (!IsLoading())
        Change();
}

void TEdit::Change()
{
    OnChange(this);
}

void TEdit::ColorChanged()
{
    TWinControl::ColorChanged();
    ApplyLook();
}

void TEdit::FontChanged()
{
    TWinControl::FontChanged();
    ApplyLook();
}

void TEdit::SetReadOnly(bool v)
{
    readOnly_ = v;
    if (QLineEdit* edit = LineEdit())
        edit->setReadOnly(v);
}

void TEdit::SetMaxLength(int v)
{
    if (v < 0)
        throw EInvalidOperation(QStringLiteral("MaxLength must not be negative, not %1").arg(v));
    maxLength_ = v;
    if (QLineEdit* edit = LineEdit())
        edit->setMaxLength(v > 0 ? v : kWidgetMaxLength);
}

void TEdit::SetPasswordChar(QChar c)
{
    passwordChar_ = c;
    if (QLineEdit* edit = LineEdit())
        edit->setEchoMode(c.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

void TEdit::SetBorderStyle(TFormBorderStyle v)
{
    if (v != bsNone && v != bsSingle)
        throw EInvalidOperation("An edit's BorderStyle is bsNone or bsSingle");
    borderStyle_ = v;
    ApplyLook();
}

void TEdit::SelectAll()
{
    if (QLineEdit* edit = LineEdit())
        edit->selectAll();
}

QString TEdit::SelText() const
{
    QLineEdit* edit = LineEdit();
    return edit ? edit->selectedText() : QString();
}
