#include "platform/MultiLineEdit.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>

#include "platform/ControlWidget.h"
#include "platform/WindowLayer.h"

class TMultiLineEdit::EditWidget : public QPlainTextEdit {
public:
    explicit EditWidget(TMultiLineEdit* owner) : owner_(owner) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        bool done = false;
        GuardedCall([&] {
            Word key = WindowLayer::VirtualKey(event);
            const TShiftState shift = WindowLayer::ShiftFromEvent(event);
            if (key != 0 && owner_->EditKeyDown(key, shift)) {
                done = true;
                return;
            }
            const QString text = event->text();
            if (!text.isEmpty() && text[0].isPrint()) {
                QChar ch = text[0];
                if (!owner_->EditChar(ch))
                    owner_->Insert(ch);
                done = true;
            }
        });
        if (done)
            return;
        const QString before = toPlainText();
        QPlainTextEdit::keyPressEvent(event);
        if (toPlainText() != before) {
            owner_->modified_ = true;
            GuardedCall([&] { owner_->EditTextChanged(); });
        }
    }
    void keyReleaseEvent(QKeyEvent* event) override
    {
        GuardedCall([&] {
            if (const Word key = WindowLayer::VirtualKey(event))
                owner_->EditKeyUp(key, WindowLayer::ShiftFromEvent(event));
        });
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        QPlainTextEdit::focusOutEvent(event);
        if (isVisible())
            GuardedCall([&] { owner_->EditFocusLost(); });
    }

private:
    TMultiLineEdit* owner_;
};

TMultiLineEdit::TMultiLineEdit(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
}

QWidget* TMultiLineEdit::CreateWidget()
{
    auto* edit = new EditWidget(this);
    edit->setFocusPolicy(Qt::ClickFocus);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setPlainText(pendingText_);
    return edit;
}

void TMultiLineEdit::SyncWidget()
{
    TWinControl::SyncWidget();
    ApplyLook();
}

QString TMultiLineEdit::EditText() const
{
    if (!HasWidget())
        return pendingText_;
    return static_cast<QPlainTextEdit*>(const_cast<TMultiLineEdit*>(this)->Widget())->toPlainText();
}

void TMultiLineEdit::SetEditText(const QString& text)
{
    pendingText_ = text;
    if (HasWidget()) {
        auto* edit = static_cast<QPlainTextEdit*>(Widget());
        const QSignalBlocker block(edit);
        edit->setPlainText(text);
        QTextCursor cursor = edit->textCursor();
        cursor.movePosition(QTextCursor::Start);
        edit->setTextCursor(cursor);
        ApplyLook();
    }
    modified_ = false;
}

void TMultiLineEdit::Insert(QChar ch)
{
    if (charCase_ == ecUpperCase)
        ch = ch.toUpper();
    else if (charCase_ == ecLowerCase)
        ch = ch.toLower();
    if (HasWidget())
        static_cast<QPlainTextEdit*>(Widget())->insertPlainText(QString(ch));
    else
        pendingText_ += ch;
    modified_ = true;
    EditTextChanged();
}

void TMultiLineEdit::TypeChar(QChar ch)
{
    if (!EditChar(ch))
        Insert(ch);
}

void TMultiLineEdit::SetAlignment(TAlignment v)
{
    alignment_ = v;
    ApplyLook();
}

void TMultiLineEdit::SetWordWrap(bool v)
{
    wordWrap_ = v;
    ApplyLook();
}

void TMultiLineEdit::SetFlat(bool flat)
{
    flat_ = flat;
    ApplyLook();
}

bool TMultiLineEdit::HasEditFocus() const
{
    return HasWidget() && const_cast<TMultiLineEdit*>(this)->Widget()->hasFocus();
}

void TMultiLineEdit::FocusEdit()
{
    if (HasWidget())
        Widget()->setFocus(Qt::OtherFocusReason);
}

void TMultiLineEdit::ColorChanged()
{
    TWinControl::ColorChanged();
    ApplyLook();
}

void TMultiLineEdit::FontChanged()
{
    TWinControl::FontChanged();
    ApplyLook();
}

void TMultiLineEdit::ApplyLook()
{
    if (!HasWidget())
        return;
    auto* edit = static_cast<QPlainTextEdit*>(Widget());
    edit->setLineWrapMode(wordWrap_ ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Base, ToQColor(Color()));
    pal.setColor(QPalette::Text, ToQColor(Font().Color()));
    edit->setPalette(pal);
    edit->setFrameStyle(flat_ ? QFrame::NoFrame : (QFrame::StyledPanel | QFrame::Sunken));
    edit->document()->setDocumentMargin(0);
    const Qt::Alignment align =
        alignment_ == taCenter ? Qt::AlignHCenter : alignment_ == taRight ? Qt::AlignRight : Qt::AlignLeft;
    const QSignalBlocker block(edit);
    QTextCursor all(edit->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(align);
    all.mergeBlockFormat(format);
}
