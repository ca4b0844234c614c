#include "platform/framework/accessibility/PlatformAccessibility.h"

#include "platform/framework/accessibility/AccessibleBridge.h"
#include "platform/framework/Application.h"
#include "platform/framework/Form.h"
#include "platform/controls/Label.h"
#include "platform/controls/Panel.h"

namespace {

class FormAccessibility : public TAccessibleSource {
public:
    explicit FormAccessibility(TCustomForm& form) : TAccessibleSource(form), form_(form) {}
    TAccRole Role(TAccItem) const override
    {
        return Application() && Application()->MainForm() == &form_ ? arFrame : arDialog;
    }
    QString Name(TAccItem) const override { return form_.Caption(); }

private:
    TCustomForm& form_;
};

class LabelAccessibility : public TAccessibleSource {
public:
    explicit LabelAccessibility(TLabel& label) : TAccessibleSource(label), label_(label) {}
    // A label that shows the hand pointer is a link the user can press.
    bool IsLink() const { return label_.Cursor() == crHandPoint; }
    TAccRole Role(TAccItem) const override { return IsLink() ? arLink : arStaticText; }
    QString Name(TAccItem) const override
    {
        return label_.ShowAccelChar() ? AccessibleName(label_.Caption()) : label_.Caption();
    }
    QString Shortcut(TAccItem) const override
    {
        return label_.ShowAccelChar() ? AccessibleShortcut(label_.Caption()) : QString();
    }
    TAccStates States(TAccItem) const override { return IsLink() ? TAccStates(0) : TAccStates(asReadOnly); }
    std::vector<TAccAction> Actions(TAccItem) const override
    {
        if (IsLink())
            return {aaPress};
        return {};
    }
    bool DoAction(TAccItem, TAccAction action) override
    {
        if (action != aaPress || !IsLink() || !label_.Enabled())
            return false;
        ClickControl(label_);
        return true;
    }

private:
    TLabel& label_;
};

class PanelAccessibility : public TAccessibleSource {
public:
    explicit PanelAccessibility(TPanel& panel) : TAccessibleSource(panel), panel_(panel) {}
    TAccRole Role(TAccItem) const override { return arPane; }
    // The caption is drawn in the middle; a child that covers it hides it.
    QString Name(TAccItem) const override
    {
        if (panel_.Caption().isEmpty())
            return {};
        const TRect client = panel_.ClientRect();
        const TPoint middle{(client.Left + client.Right) / 2, (client.Top + client.Bottom) / 2};
        for (TControl* child : panel_.ControlList())
            if (child->Visible() && child->BoundsRect().Contains(middle))
                return {};
        return AccessibleName(panel_.Caption());
    }

private:
    TPanel& panel_;
};

template <class Control, class Source>
std::unique_ptr<TAccessibleSource> Provide(TControl& control)
{
    if (auto* c = dynamic_cast<Control*>(&control))
        return std::make_unique<Source>(*c);
    return nullptr;
}

// Reaches the protected click of any control.
struct ClickAccess : TControl {
    static void Run(TControl& control) { (control.*(&ClickAccess::Click))(); }
};

} // namespace

void ClickControl(TControl& control) { ClickAccess::Run(control); }

void RegisterPlatformAccessibility()
{
    RegisterAccessibleProvider(Provide<TCustomForm, FormAccessibility>);
    RegisterAccessibleProvider(Provide<TLabel, LabelAccessibility>);
    RegisterAccessibleProvider(Provide<TPanel, PanelAccessibility>);
}
