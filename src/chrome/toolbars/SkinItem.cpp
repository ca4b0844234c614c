#include "chrome/toolbars/SkinItem.h"

#include "chrome/themes/SkinNexus.h"
#include "chrome/themes/SkinTheme.h"
#include "chrome/toolbars/SkinToolbar.h"
#include "platform/framework/actions/Action.h"
#include "platform/framework/actions/ImageList.h"
#include "platform/framework/PendingReference.h"

using namespace SkinToolbarLayout;

TSkinItem::TSkinItem(TComponent* owner) : TSkinToolbarItem(owner), link_(this) {}

TSkinItem::~TSkinItem()
{
    MarkDestroying();
    if (TSkinToolbar* bar = Toolbar(); bar && bar->HighlightedItem() == this)
        bar->SetHighlightedItem(nullptr);
}

void TSkinItem::SetAction(TAction* action)
{
    pendingAction_.clear();
    link_.SetAction(action);
}

void TSkinItem::SetChecked(bool v)
{
    if (Exchange(checked_, v))
        Invalidate();
}

void TSkinItem::SetImageIndex(int v)
{
    if (Exchange(imageIndex_, v)) {
        SizeChanged();
        Invalidate();
    }
}

void TSkinItem::SetDisplayMode(TSkinDisplayMode v)
{
    if (Exchange(displayMode_, v)) {
        SizeChanged();
        Invalidate();
    }
}

void TSkinItem::SetLayout(TSkinItemLayout v)
{
    if (Exchange(layout_, v))
        Invalidate();
}

bool TSkinItem::Hot() const
{
    const TSkinToolbar* bar = Toolbar();
    return bar && bar->HighlightedItem() == this;
}

TSkinItemState TSkinItem::ThemeState() const
{
    TSkinItemState s;
    s.enabled = Enabled();
    s.hot = Hot();
    s.pushed = Enabled() && Pushed();
    s.checked = checked_;
    return s;
}

ButtonContent TSkinItem::Content() const
{
    ButtonContent c;
    const TSkinToolbar* bar = Toolbar();
    if (bar && bar->Images()) {
        c.hasImage = true;
        c.image = {bar->Images()->Width(), bar->Images()->Height()};
    }
    TCanvas measure;
    if (bar)
        measure.Font().Assign(&bar->ItemFont());
    else
        measure.Font().Assign(&Font());
    c.hasText = !Caption().isEmpty();
    // An empty caption still gives the button the height of a line of text.
    c.text = measure.TextExtent(Caption().isEmpty() ? QStringLiteral(" ") : Caption());
    if (Caption().isEmpty())
        c.text.cx = 0;
    return c;
}

Item TSkinItem::LayoutItem() const
{
    Item item;
    item.visible = Visible();
    item.size = ButtonSize(Content(), displayMode_);
    return item;
}

void TSkinItem::Click()
{
    if (!Enabled())
        return;
    if (link_.Action())
        link_.Execute();
    else
        TSkinToolbarItem::Click();
}

void TSkinItem::ActionChanged(const TAction& action)
{
    SetCaption(action.Caption());
    SetChecked(action.Checked());
    SetEnabled(action.Enabled());
    SetHint(action.Hint());
    SetHelpContext(action.HelpContext());
    SetImageIndex(action.ImageIndex());
    SetShortCut(action.ShortCut());
    SetVisible(action.Visible());
}

void TSkinItem::Loaded()
{
    TSkinToolbarItem::Loaded();
    if (auto* action = ResolvePending<TAction>(*this, pendingAction_, "Action", "action", "an action"))
        SetAction(action);
}

void TSkinItem::Notification(TComponent* component, bool removing)
{
    TSkinToolbarItem::Notification(component, removing);
    if (removing && component == link_.Action())
        link_.SetAction(nullptr);
}

void TSkinItem::Paint(TCanvas& canvas)
{
    const TSkinTheme& theme = CurrentSkinTheme();
    const TSkinItemState state = ThemeState();
    const TRect r = ClientRect();
    theme.PaintButton(canvas, r, state);

    const ButtonContent c = Content();
    const bool image = ShowsImage(c, displayMode_);
    const bool text = ShowsText(c, displayMode_) && c.hasText;
    const TSkinToolbar* bar = Toolbar();
    if (image && bar && bar->Images()) {
        const TRect ir = ImageRect(r, c.image);
        theme.PaintImage(canvas, *bar->Images(), imageIndex_, ir.Left, ir.Top, state);
    }
    if (text) {
        canvas.Font().Assign(bar ? &bar->ItemFont() : &Font());
        theme.PaintCaption(canvas, TextRect(r, c.image, image), Caption(), state, clNone);
    }
}

void TSkinItem::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        pushed_ = true;
        pointerInside_ = true;
        Invalidate();
    }
    TSkinToolbarItem::MouseDown(button, shift, x, y);
}

void TSkinItem::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && pushed_) {
        pushed_ = false;
        Invalidate();
    }
    TSkinToolbarItem::MouseUp(button, shift, x, y);
}

void TSkinItem::MouseMove(TShiftState shift, int x, int y)
{
    // While the button is held the pushed look follows the pointer in and out.
    const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
    if (pushed_ && Exchange(pointerInside_, inside))
        Invalidate();
    TSkinToolbarItem::MouseMove(shift, x, y);
}

void TSkinItem::MouseEnter()
{
    if (TSkinToolbar* bar = Toolbar(); bar && Enabled())
        bar->SetHighlightedItem(this);
    TSkinToolbarItem::MouseEnter();
}

void TSkinItem::MouseLeave()
{
    if (TSkinToolbar* bar = Toolbar(); bar && bar->HighlightedItem() == this)
        bar->SetHighlightedItem(nullptr);
    TSkinToolbarItem::MouseLeave();
}

void TSkinItem::TextChanged()
{
    TSkinToolbarItem::TextChanged();
    SizeChanged();
}

void TSkinItem::EnabledChanged()
{
    if (!Enabled()) {
        pushed_ = false;
        if (TSkinToolbar* bar = Toolbar(); bar && bar->HighlightedItem() == this)
            bar->SetHighlightedItem(nullptr);
    }
    TSkinToolbarItem::EnabledChanged();
}
