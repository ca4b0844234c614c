#include "platform/controls/edit/MultiLineEdit.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextOption>

#include "platform/framework/ControlWidget.h"
#include "platform/framework/window/WindowLayer.h"

class TMultiLineEdit::EditWidget : public QPlainTextEdit {
public:
    explicit EditWidget(TMultiLineEdit* owner) : owner_(owner) {}
    void SetSideMargins(int margin) { setViewportMargins(margin, 0, margin, 0); }

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
            // Every typed character passes the owner first, in order.
            const QString typed = WindowLayer::TypedCharacters(event);
            if (!typed.isEmpty()) {
                for (QChar ch : typed)
                    if (!owner_->EditChar(ch))
                        owner_->Insert(ch);
                done = true;
            }
        });
        if (!done)
            QPlainTextEdit::keyPressEvent(event);
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
    // The mark follows every change of the text, whatever made it: keys, an
    // input method, a paste, a drop or undo. Only SetEditText clears it.
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this] {
        modified_ = true;
        GuardedCall([&] { EditTextChanged(); });
    });
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
    if (HasWidget()) {
        static_cast<QPlainTextEdit*>(Widget())->insertPlainText(QString(ch));
        return;
    }
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
    // The caret inverts what it covers: a pixel each side keeps it off the first
    // and last glyphs, as the platform's edit margins do.
    static_cast<EditWidget*>(edit)->SetSideMargins(1);
    const QSignalBlocker block(edit);
    edit->document()->setDocumentMargin(0);
    // The plain-text layout aligns by the document's text option, not by block
    // formats; a word longer than the line breaks anywhere rather than being cut.
    QTextOption option = edit->document()->defaultTextOption();
    option.setAlignment(alignment_ == taCenter  ? Qt::AlignHCenter
                        : alignment_ == taRight ? Qt::AlignRight
                                                : Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    edit->document()->setDefaultTextOption(option);
}
