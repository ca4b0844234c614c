#include "platform/controls/edit/MaskEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include "platform/canvas/Canvas.h"
#include "platform/framework/ControlWidget.h"
#include "platform/canvas/DevicePicture.h"
#include "platform/base/FlagScope.h"
#include "platform/framework/window/WindowLayer.h"

namespace {

QString ToWidgetText(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QString FromWidgetText(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

int QtKeyOf(Word vk, QChar ch)
{
    if (vk >= 'A' && vk <= 'Z')
        return Qt::Key_A + (vk - 'A');
    if (vk >= '0' && vk <= '9')
        return Qt::Key_0 + (vk - '0');
    switch (vk) {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_F2: return Qt::Key_F2;
    case VK_F4: return Qt::Key_F4;
    default: break;
    }
    if (vk >= VK_F1 && vk <= VK_F1 + 11)
        return Qt::Key_F1 + (vk - VK_F1);
    return Qt::Key_unknown;
}

} // namespace

// The overlay over the text: painted and clicked through the control.
class MaskEditOverlay : public QWidget {
public:
    MaskEditOverlay(TCustomMaskEdit* control, QWidget* parent) : QWidget(parent), control_(control)
    {
        setMouseTracking(true);
        setCursor(Qt::ArrowCursor);
    }
    void Detach() { control_ = nullptr; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!control_ || width() <= 0 || height() <= 0)
            return;
        const int k = PaintScaleOf(this);
        QImage image = NewDevicePicture(size(), k);
        image.fill(Qt::white);
        GuardedPaintCall([&] {
            TCanvas canvas(image);
            canvas.SetScale(k);
            canvas.MoveWindowOrg(-x(), -y());
            canvas.Font().Assign(&control_->Font());
            control_->PaintOverlayArea(canvas);
        });
        QPainter p(this);
        DrawDevicePicture(p, rect(), image, image.rect(), k);
    }
    void mousePressEvent(QMouseEvent* e) override { Forward(0, e); }
    void mouseMoveEvent(QMouseEvent* e) override { Forward(1, e); }
    void mouseReleaseEvent(QMouseEvent* e) override { Forward(2, e); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { e->accept(); } // ignored over the button

private:
    void Forward(int kind, QMouseEvent* e)
    {
        if (!control_)
            return;
        const TShiftState shift = WindowLayer::ShiftFromEvent(e);
        const TMouseButton button = e->button() == Qt::RightButton    ? mbRight
                                    : e->button() == Qt::MiddleButton ? mbMiddle
                                                                      : mbLeft;
        const QPoint p = e->position().toPoint() + pos();
        GuardedCall([&] { control_->OverlayMouse(kind, button, shift, p.x(), p.y()); });
        e->accept();
    }
    TCustomMaskEdit* control_;
};

class MaskEditWidget : public QPlainTextEdit {
public:
    explicit MaskEditWidget(TCustomMaskEdit* control) : control_(control)
    {
        overlay = new MaskEditOverlay(control, this);
        overlay->hide();
        setFrameStyle(QFrame::NoFrame);
        document()->setDocumentMargin(0);
        setTabChangesFocus(false);
        setFocusPolicy(Qt::ClickFocus);
        QObject::connect(this, &QPlainTextEdit::textChanged, [this] {
            if (control_)
                GuardedCall([&] { control_->WidgetTextChanged(); });
        });
    }
    ~MaskEditWidget() override { overlay->Detach(); }
    void Detach()
    {
        control_ = nullptr;
        overlay->Detach();
    }
    void SetMargins(int l, int t, int r, int b) { setViewportMargins(l, t, r, b); }

    MaskEditOverlay* overlay;

protected:
    bool event(QEvent* e) override
    {
        if (control_ && e->type() == QEvent::KeyPress) {
            bool consumed = false;
            GuardedCall([&] { consumed = control_->HandleKeyEvent(static_cast<QKeyEvent*>(e)); });
            if (consumed) {
                e->accept();
                return true;
            }
            keyPressEvent(static_cast<QKeyEvent*>(e));
            // Never on to the parent window: the editor had its chance at every key.
            e->accept();
            return true;
        }
        if (control_ && e->type() == QEvent::KeyRelease)
            GuardedCall([&] { control_->HandleKeyUp(static_cast<QKeyEvent*>(e)); });
        return QPlainTextEdit::event(e);
    }
    bool focusNextPrevChild(bool) override { return false; }
    void focusInEvent(QFocusEvent* e) override
    {
        QPlainTextEdit::focusInEvent(e);
        if (control_)
            GuardedCall([&] { control_->FocusEntered(); });
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        QPlainTextEdit::focusOutEvent(e);
        if (control_)
            GuardedCall([&] { control_->FocusLeft(); });
    }
    void wheelEvent(QWheelEvent* e) override
    {
        bool taken = false;
        if (control_) {
            const QPoint g = e->globalPosition().toPoint();
            GuardedCall(
                [&] { taken = control_->WheelTurned(WindowLayer::ShiftFromEvent(e), e->angleDelta().y(), {g.x(), g.y()}); });
        }
        if (taken)
            e->accept();
        else
            QPlainTextEdit::wheelEvent(e);
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        bool twice = false;
        if (control_ && e->button() == Qt::LeftButton)
            GuardedCall([&] { twice = control_->PressMakesDoubleClick(); });
        if (twice)
            mouseDoubleClickEvent(e);
        else
            QPlainTextEdit::mousePressEvent(e);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        QPlainTextEdit::mouseDoubleClickEvent(e);
        if (control_)
            GuardedCall([&] { control_->DoubleClicked(); });
    }

private:
    TCustomMaskEdit* control_;
};

TCustomMaskEdit::TCustomMaskEdit(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
}

TCustomMaskEdit::~TCustomMaskEdit()
{
    if (MaskEditWidget* e = Edit())
        e->Detach();
}

MaskEditWidget* TCustomMaskEdit::Edit() const
{
    return HasWidget() ? static_cast<MaskEditWidget*>(const_cast<TCustomMaskEdit*>(this)->Widget()) : nullptr;
}

QWidget* TCustomMaskEdit::CreateWidget()
{
    auto* edit = new MaskEditWidget(this);
    edit->setPlainText(ToWidgetText(Text()));
    return edit;
}

void TCustomMaskEdit::SyncWidget()
{
    TWinControl::SyncWidget();
    MaskEditWidget* e = Edit();
    if (!e)
        return;
    if (focusOwner_)
        WindowLayer::AttachControl(e, focusOwner_);
    syncing_ = true;
    if (FromWidgetText(e->toPlainText()) != Text())
        e->setPlainText(ToWidgetText(Text()));
    syncing_ = false;
    e->setReadOnly(readOnly_);
    SetWordWrap(wordWrap_);
    SetScrollBars(scrollBars_);
    SetAlignment(alignment_);
    ApplyLook();
    ApplyMargins();
}

void TCustomMaskEdit::ApplyLook()
{
    MaskEditWidget* e = Edit();
    if (!e)
        return;
    QPalette pal = e->palette();
    pal.setColor(QPalette::Base, ToQColor(Color()));
    pal.setColor(QPalette::Text, ToQColor(Font().Color()));
    e->setPalette(pal);
    e->viewport()->setPalette(pal);
}

void TCustomMaskEdit::ColorChanged()
{
    TWinControl::ColorChanged();
    ApplyLook();
    InvalidateOverlay();
}

void TCustomMaskEdit::FontChanged()
{
    TWinControl::FontChanged();
    ApplyLook();
    InvalidateOverlay();
}

void TCustomMaskEdit::BoundsChanged()
{
    if (!formatRectSet_)
        formatRect_ = {0, 0, Width(), Height()};
    ApplyMargins();
}

void TCustomMaskEdit::SetFormattingRect(const TRect& r)
{
    formatRect_ = r;
    formatRectSet_ = true;
    ApplyMargins();
}

void TCustomMaskEdit::ApplyMargins()
{
    MaskEditWidget* e = Edit();
    if (!e)
        return;
    const TRect f = formatRectSet_ ? formatRect_ : TRect{0, 0, Width(), Height()};
    e->SetMargins(std::max(0, f.Left), std::max(0, f.Top), std::max(0, Width() - f.Right),
                  std::max(0, Height() - f.Bottom));
    e->overlay->setGeometry(overlay_.Left, overlay_.Top, overlay_.Width(), overlay_.Height());
    e->overlay->setVisible(!overlay_.IsEmpty());
    e->overlay->raise();
}

void TCustomMaskEdit::SetOverlay(const TRect& r)
{
    overlay_ = r;
    ApplyMargins();
    InvalidateOverlay();
}

void TCustomMaskEdit::InvalidateOverlay()
{
    if (MaskEditWidget* e = Edit())
        e->overlay->update();
}

void TCustomMaskEdit::PaintOverlayArea(TCanvas& canvas)
{
    PaintOverlay(canvas, overlay_);
}

void TCustomMaskEdit::OverlayMouse(int kind, TMouseButton button, TShiftState shift, int x, int y)
{
    switch (kind) {
    case 0: MouseDown(button, shift, x, y); break;
    case 1: MouseMove(shift, x, y); break;
    default: MouseUp(button, shift, x, y); break;
    }
}

void TCustomMaskEdit::ScrollCaret()
{
    if (MaskEditWidget* e = Edit())
        e->ensureCursorVisible();
}

void TCustomMaskEdit::SetReadOnly(bool v)
{
    readOnly_ = v;
    if (MaskEditWidget* e = Edit())
        e->setReadOnly(v);
}

void TCustomMaskEdit::SetAlignment(TAlignment v)
{
    alignment_ = v;
    if (MaskEditWidget* e = Edit()) {
        QTextOption option = e->document()->defaultTextOption();
        option.setAlignment(v == taRightJustify ? Qt::AlignRight : v == taCenter ? Qt::AlignHCenter : Qt::AlignLeft);
        e->document()->setDefaultTextOption(option);
    }
}

void TCustomMaskEdit::SetWordWrap(bool v)
{
    wordWrap_ = v;
    if (MaskEditWidget* e = Edit())
        e->setLineWrapMode(v ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TCustomMaskEdit::SetScrollBars(TEditScrollBars v)
{
    scrollBars_ = v;
    if (MaskEditWidget* e = Edit()) {
        const bool h = v == esbHorizontal || v == esbBoth;
        const bool vert = v == esbVertical || v == esbBoth;
        e->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        e->setVerticalScrollBarPolicy(vert ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    }
}

void TCustomMaskEdit::SetEditMask(const QString& mask)
{
    const QString value = EditValue();
    maskText_ = mask;
    mask_ = TEditMask(mask);
    SetText(mask_.Format(value));
}

QString TCustomMaskEdit::EditValue() const
{
    return mask_.IsActive() ? mask_.Value(Text()) : Text();
}

void TCustomMaskEdit::TextChanged()
{
    if (mask_.IsActive() && !syncing_) {
        const QString formatted = mask_.Format(Text());
        if (formatted != Text()) {
            SetText(formatted);
            return;
        }
    }
    if (MaskEditWidget* e = Edit(); e && !syncing_ && FromWidgetText(e->toPlainText()) != Text()) {
        syncing_ = true;
        e->setPlainText(ToWidgetText(Text()));
        syncing_ = false;
    }
    if (!IsLoading())
        Change();
}

void TCustomMaskEdit::WidgetTextChanged()
{
    // The window reports its first text while it is still being made.
    if (syncing_ || !HasWidget())
        return;
    const TFlagScope guard(syncing_);
    SetText(FromWidgetText(Edit()->toPlainText()));
}

int TCustomMaskEdit::SelStart() const
{
    MaskEditWidget* e = Edit();
    return e ? e->textCursor().selectionStart() : 0;
}

int TCustomMaskEdit::SelLength() const
{
    MaskEditWidget* e = Edit();
    return e ? e->textCursor().selectionEnd() - e->textCursor().selectionStart() : 0;
}

int TCustomMaskEdit::TextLength() const
{
    MaskEditWidget* e = Edit();
    return e ? static_cast<int>(e->toPlainText().size()) : static_cast<int>(ToWidgetText(Text()).size());
}

void TCustomMaskEdit::SetSel(int start, int length)
{
    MaskEditWidget* e = Widget() ? Edit() : nullptr;
    if (!e)
        return;
    const int n = TextLength();
    start = std::clamp(start, 0, n);
    const int end = std::clamp(start + length, 0, n);
    QTextCursor c = e->textCursor();
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    e->setTextCursor(c);
}

void TCustomMaskEdit::SelectAll()
{
    SetSel(0, TextLength());
}

QString TCustomMaskEdit::SelText() const
{
    MaskEditWidget* e = Edit();
    return e ? FromWidgetText(e->textCursor().selectedText().replace(QChar(0x2029), QLatin1Char('\n'))) : QString();
}

void TCustomMaskEdit::SetSelText(const QString& text)
{
    MaskEditWidget* e = Widget() ? Edit() : nullptr;
    if (!e)
        return;
    e->insertPlainText(ToWidgetText(text));
}

void TCustomMaskEdit::SetTextKeepingCaret(const QString& text, int caret)
{
    SetText(text);
    SetSel(caret, 0);
}

void TCustomMaskEdit::SetFocusOwner(TWinControl* owner)
{
    focusOwner_ = owner;
    if (HasWidget())
        WindowLayer::AttachControl(Widget(), owner ? static_cast<TControl*>(owner) : this);
}

void TCustomMaskEdit::SetFocus()
{
    if (!focusOwner_) {
        TWinControl::SetFocus();
        return;
    }
    if (TCustomForm* form = focusOwner_->ParentForm(); form && form != focusOwner_)
        form->FocusChanged(focusOwner_);
    Widget()->setFocus(Qt::OtherFocusReason);
}

bool TCustomMaskEdit::HasKeyboardFocus() const
{
    MaskEditWidget* e = Edit();
    return e && e->hasFocus();
}

void TCustomMaskEdit::ClearSelection()
{
    if (!CanModify() || !HasWidget())
        return;
    if (mask_.IsActive()) {
        QString t = Text();
        const int start = SelStart();
        mask_.Clear(t, start, start + SelLength());
        SetTextKeepingCaret(t, start);
        return;
    }
    SetSelText(QString());
}

void TCustomMaskEdit::CutToClipboard()
{
    if (!CanModify() || !HasWidget())
        return;
    QApplication::clipboard()->setText(SelText());
    ClearSelection();
}

void TCustomMaskEdit::PasteFromClipboard()
{
    if (!CanModify() || !HasWidget())
        return;
    const QString text = QApplication::clipboard()->text();
    if (!mask_.IsActive()) {
        SetSelText(text);
        return;
    }
    for (QChar ch : text)
        KeyPress(ch);
}

void TCustomMaskEdit::KeyDown(Word& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
    if (key == VK_DELETE && mask_.IsActive()) {
        if (CanModify()) {
            QString t = Text();
            const int start = SelStart();
            const int length = std::max(1, SelLength());
            mask_.Clear(t, start, start + length);
            SetTextKeepingCaret(t, start);
        }
        key = 0;
    }
}

void TCustomMaskEdit::KeyPress(QChar& key)
{
    TWinControl::KeyPress(key);
    if (key.isNull() || !mask_.IsActive())
        return;
    const ushort code = key.unicode();
    if (code == 8) {
        if (CanModify()) {
            QString t = Text();
            int start = SelStart();
            if (SelLength() > 0) {
                mask_.Clear(t, start, start + SelLength());
            } else {
                start = mask_.EditableBefore(start - 1);
                if (start >= 0)
                    mask_.Clear(t, start, start + 1);
                else
                    start = SelStart();
            }
            SetTextKeepingCaret(t, start);
        }
        key = QChar();
    } else if (code >= 32) {
        if (CanModify()) {
            QString t = Text();
            const int start = SelStart();
            if (SelLength() > 0)
                mask_.Clear(t, start, start + SelLength());
            const int caret = mask_.Type(t, start, key);
            if (caret >= 0)
                SetTextKeepingCaret(t, caret);
            else
                Beep();
        }
        key = QChar();
    }
}

bool TCustomMaskEdit::HandleKeyEvent(QKeyEvent* event)
{
    const TShiftState shift = WindowLayer::ShiftFromEvent(event);
    WindowLayer::SetLastShiftState(shift);
    Word key = WindowLayer::VirtualKey(event);
    charRemoved_ = false;
    bool keyLeft = true;
    if (key != 0) {
        KeyDown(key, shift);
        keyLeft = key != 0;
    }
    if (IsDestroying())
        return true;
    QChar ch;
    const QString text = event->text();
    if (!text.isEmpty() && text[0].unicode() != 127)
        ch = text[0];
    else if (const Word vk = WindowLayer::VirtualKey(event); vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_BACK)
        ch = QChar(vk == VK_RETURN ? 13 : vk == VK_ESCAPE ? 27 : 8);
    if (ch.isNull() || charRemoved_)
        return !keyLeft;
    QChar c = ch;
    KeyPress(c);
    if (c.isNull() || IsDestroying() || !HasWidget())
        return true;
    const bool printable = c.unicode() >= 32;
    if (printable && maxLength_ > 0 && TextLength() - SelLength() >= maxLength_)
        return true;
    if (c != ch || !keyLeft) {
        // The key itself was taken (or the character changed): the character
        // still arrives, as the platform delivers it after the key.
        if (printable && !readOnly_)
            SetSelText(QString(c));
        return true;
    }
    return false;
}

void TCustomMaskEdit::Beep()
{
    QApplication::beep();
}

void TCustomMaskEdit::HandleKeyUp(QKeyEvent* event)
{
    Word key = WindowLayer::VirtualKey(event);
    if (key != 0)
        KeyUp(key, WindowLayer::ShiftFromEvent(event));
}

void TCustomMaskEdit::SendKey(Word key, TShiftState shift, QChar ch)
{
    Qt::KeyboardModifiers mods;
    if (shift & ssShift)
        mods |= Qt::ShiftModifier;
    if (shift & ssCtrl)
        mods |= Qt::ControlModifier;
    if (shift & ssAlt)
        mods |= Qt::AltModifier;
    QString text;
    if (!ch.isNull())
        text = QString(ch);
    else if (key == VK_RETURN)
        text = QStringLiteral("\r");
    else if (key == VK_ESCAPE)
        text = QStringLiteral("\x1b");
    else if (key == VK_BACK)
        text = QStringLiteral("\b");
    else if (key == VK_TAB)
        text = QStringLiteral("\t");
    int qtKey = QtKeyOf(key, ch);
    if (key == 0 && !ch.isNull() && ch.isLetter() && ch.toUpper().unicode() < 128)
        qtKey = Qt::Key_A + (ch.toUpper().unicode() - 'A');
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
    QApplication::sendEvent(Widget(), &press);
    if (IsDestroying() || !HasWidget())
        return;
    QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
    QApplication::sendEvent(Widget(), &release);
}
