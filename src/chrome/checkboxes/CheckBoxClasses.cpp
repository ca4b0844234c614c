#include "chrome/checkboxes/CheckBoxClasses.h"

#include "chrome/checkboxes/SkinCheckBox.h"
#include "chrome/checkboxes/SkinRadioButton.h"
#include "stream/PropertyBuilders.h"

using namespace props;

namespace {

const std::vector<std::string> kLeftRightNames = {"taLeftJustify", "taRightJustify"};
const std::vector<std::string> kWrappingNames = {"twNone", "twEndEllipsis", "twPathEllipsis", "twWrap"};
const std::vector<std::string> kCheckBoxStateNames = {"cbUnchecked", "cbChecked", "cbGrayed"};

PropertyInfo MarginsObject()
{
    PropertyInfo p;
    p.name = "Margins";
    p.subObject = [](TPersistent* o) -> TPersistent* { return &As<TSkinTextObject>(o)->Margins(); };
    p.subClass = ClassRegistry::Instance().Find(ClassRegistry::NameOf<TSkinControlMargins>());
    return p;
}

// The check box's Checked is read but not written: State says it all.
PropertyInfo CheckedAlias()
{
    PropertyInfo p = Bool<TSkinCustomCheckBox>("Checked", &TSkinCustomCheckBox::Checked,
                                               &TSkinCustomCheckBox::SetChecked, false);
    p.write = [](const TPersistent*) -> std::optional<FormValue> { return std::nullopt; };
    return p;
}

// Both are created focusable and with SmartFocus on.
void FocusDefaults(ClassInfo& info)
{
    info.Add(Bool<TSkinPanelObject>("SmartFocus", &TSkinPanelObject::SmartFocus, &TSkinPanelObject::SetSmartFocus,
                                    true))
        .Add(Bool<TWinControl>("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, true));
}

} // namespace

void RegisterCheckBoxClasses()
{
    auto& reg = ClassRegistry::Instance();
    if (reg.Find(ClassRegistry::NameOf<TSkinCheckBox>()))
        return;

    ClassInfo& margins = reg.Register<TSkinControlMargins>("TPersistent");
    margins.Add(Int<TSkinControlMargins>("Left", &TSkinControlMargins::Left, &TSkinControlMargins::SetLeft, 0))
        .Add(Int<TSkinControlMargins>("Top", &TSkinControlMargins::Top, &TSkinControlMargins::SetTop, 0))
        .Add(Int<TSkinControlMargins>("Right", &TSkinControlMargins::Right, &TSkinControlMargins::SetRight, 0))
        .Add(Int<TSkinControlMargins>("Bottom", &TSkinControlMargins::Bottom, &TSkinControlMargins::SetBottom, 0));

    ClassInfo& panel = reg.Register<TSkinPanelObject>("TCustomControl");
    panel.Add(Color<TControl>("Color", &TControl::Color, &TControl::SetColor, clNone))
        .Add(Bool<TControl>("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false));

    ClassInfo& text = reg.Register<TSkinTextObject>(ClassRegistry::NameOf<TSkinPanelObject>());
    text.Add(Enum<TSkinTextObject, TLeftRight>("Alignment", &TSkinTextObject::Alignment, &TSkinTextObject::SetAlignment,
                                               kLeftRightNames, taLeftJustify))
        .Add(Bool<TSkinTextObject>("AutoSize", &TSkinTextObject::AutoSize, &TSkinTextObject::SetAutoSize, true))
        .Add(MarginsObject())
        .Add(Bool<TSkinTextObject>("ShowAccelChar", &TSkinTextObject::ShowAccelChar,
                                   &TSkinTextObject::SetShowAccelChar, true))
        .Add(Enum<TSkinTextObject, TTextWrapping>("Wrapping", &TSkinTextObject::Wrapping, &TSkinTextObject::SetWrapping,
                                                  kWrappingNames, twNone));

    ClassInfo& check =
        reg.Register<TSkinCheckBox>(ClassRegistry::NameOf<TSkinTextObject>(),
                                     [](TComponent* o) { return new TSkinCheckBox(o); });
    check.Add(Bool<TSkinCustomCheckBox>("AllowGrayed", &TSkinCustomCheckBox::AllowGrayed,
                                        &TSkinCustomCheckBox::SetAllowGrayed, false))
        .Add(CheckedAlias())
        .Add(Enum<TSkinCustomCheckBox, TCheckBoxState>("State", &TSkinCustomCheckBox::State,
                                                       &TSkinCustomCheckBox::SetState, kCheckBoxStateNames,
                                                       cbUnchecked))
        .Add(Event<TSkinCustomCheckBox, TNotifyEvent>("OnChange", &TSkinCustomCheckBox::OnChange));
    FocusDefaults(check);

    ClassInfo& radio =
        reg.Register<TSkinRadioButton>(ClassRegistry::NameOf<TSkinTextObject>(),
                                        [](TComponent* o) { return new TSkinRadioButton(o); });
    radio.Add(Bool<TSkinCustomRadioButton>("Checked", &TSkinCustomRadioButton::Checked,
                                           &TSkinCustomRadioButton::SetChecked, false))
        .Add(Int<TSkinCustomRadioButton>("GroupIndex", &TSkinCustomRadioButton::GroupIndex,
                                         &TSkinCustomRadioButton::SetGroupIndex, 0))
        .Add(Event<TSkinCustomRadioButton, TNotifyEvent>("OnChange", &TSkinCustomRadioButton::OnChange));
    FocusDefaults(radio);
}
