#include "platform/controls/Button.h"

#include <QApplication>
#include <QPainter>
#include <QPushButton>

#include "platform/canvas/Canvas.h"
#include "platform/framework/ControlWidget.h"
#include "platform/canvas/DevicePicture.h"
#include "platform/framework/Form.h"

namespace {

// The window layer's button for behaviour (click, keyboard, accessibility),
// drawn by the framework in the platform's classic look.
class ButtonWidget : public QPushButton {
public:
    ButtonWidget(TButton* owner, const QString& text) : QPushButton(text), owner_(owner) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        GuardedPaintCall([&] {
            const int k = PaintScaleOf(this);
            const QImage picture = owner_->Picture(hasFocus(), isDown(), k);
            DrawDevicePicture(p, rect(), picture, picture.rect(), k);
        });
    }
    void focusInEvent(QFocusEvent* e) override
    {
        QPushButton::focusInEvent(e);
        RepaintButtons();
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        QPushButton::focusOutEvent(e);
        RepaintButtons();
    }

private:
    // The default frame moves with the focus between the buttons of the window.
    void RepaintButtons()
    {
        if (QWidget* top = window())
            for (QPushButton* b : top->findChildren<QPushButton*>())
                b->update();
    }
    TButton* owner_;
};

void Edge(TCanvas& c, const TRect& r, TColor topLeft, TColor bottomRight)
{
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    c.Brush().SetColor(topLeft);
    c.FillRect({r.Left, r.Top, r.Right - 1, r.Top + 1});
    c.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom - 1});
    c.Brush().SetColor(bottomRight);
    c.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
    c.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
}

} // namespace

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

QWidget* TButton::CreateWidget()
{
    auto* button = new ButtonWidget(this, Caption());
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

bool TButton::ShowsDefaultFrame() const
{
    const QWidget* focus = QApplication::focusWidget();
    if (HasWidget() && focus == const_cast<TButton*>(this)->Widget())
        return true;
    const bool otherButtonFocused = focus && qobject_cast<const QPushButton*>(focus) &&
                                    HasWidget() && focus->window() == const_cast<TButton*>(this)->Widget()->window();
    return default_ && !otherButtonFocused;
}

QImage TButton::Picture(bool focused, bool pressed, int scale) const
{
    const int w = std::max(1, Width()), h = std::max(1, Height());
    QImage img = NewDevicePicture(QSize(w, h), scale);
    TCanvas c(img);
    c.SetScale(scale);
    c.Brush().SetColor(clBtnFace);
    c.FillRect({0, 0, w, h});
    TRect r{0, 0, w, h};
    if (ShowsDefaultFrame() || focused) {
        c.Brush().SetColor(clWindowFrame);
        c.FrameRect(r);
        r = {1, 1, w - 1, h - 1};
    }
    if (pressed) {
        c.Brush().SetColor(clBtnShadow);
        c.FrameRect(r);
    } else {
        Edge(c, r, clBtnHighlight, cl3DDkShadow);
        Edge(c, {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, cl3DLight, clBtnShadow);
    }
    c.Font().Assign(&Font());
    if (!Enabled())
        c.Font().SetColor(clGrayText);
    c.Brush().SetStyle(bsClear);
    TRect text = r;
    if (pressed) {
        text.Left += 1;
        text.Top += 1;
        text.Right += 1;
        text.Bottom += 1;
    }
    c.DrawText(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (focused) {
        // The platform's focus rectangle: four pixels in from the button's edges.
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(clWhite);
        c.Font().SetColor(clBlack);
        c.DrawFocusRect({4, 4, w - 4, h - 4});
    }
    return img;
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
