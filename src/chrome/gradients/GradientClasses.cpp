#include "chrome/gradients/GradientClasses.h"

#include "chrome/gradients/ExtGroupBox.h"
#include "chrome/gradients/Gradient.h"
#include "chrome/gradients/GradientPanel.h"
#include "stream/PropertyBuilders.h"

using namespace props;

namespace {

// The owned gradient, stored through its own properties.
template <class T>
PropertyInfo GradientObject()
{
    PropertyInfo p;
    p.name = "Gradient";
    p.subObject = [](TPersistent* o) -> TPersistent* { return &As<T>(o)->Gradient(); };
    p.subClass = ClassRegistry::Instance().Find(ClassRegistry::NameOf<TGradient>());
    return p;
}

template <class T>
PropertyInfo Margin(const std::string& name, int (T::*get)() const, void (T::*set)(int))
{
    return Int<T>(name, get, set, 0, 0, 255);
}

// Stored whatever the value, so a definition always states it.
template <class T>
PropertyInfo AlwaysStoredColor(const std::string& name, TColor (T::*get)() const, void (T::*set)(TColor))
{
    return Color<T>(name, get, set, std::nullopt);
}

} // namespace

void RegisterGradientClasses()
{
    auto& reg = ClassRegistry::Instance();
    if (reg.Find(ClassRegistry::NameOf<TGradientPanel>()))
        return;

    ClassInfo& gradient = reg.Register<TGradient>("TPersistent");
    gradient
        .Add(Color<TGradient>("BeginColor", &TGradient::BeginColor, &TGradient::SetBeginColor,
                              TGradient::DefaultBeginColor))
        .Add(Enum<TGradient, TGradientDirection>("Direction", &TGradient::Direction, &TGradient::SetDirection,
                                                 GradientDirectionNames(), gdNormal))
        .Add(Enum<TGradient, TGradientStyle>("DrawStyle", &TGradient::DrawStyle, &TGradient::SetDrawStyle,
                                             GradientStyleNames(), gtTopToBottom))
        .Add(Color<TGradient>("EndColor", &TGradient::EndColor, &TGradient::SetEndColor,
                              TGradient::DefaultEndColor));

    ClassInfo& panel =
        reg.Register<TGradientPanel>(ClassRegistry::NameOf<TPanel>(),
                                     [](TComponent* o) { return new TGradientPanel(o); });
    panel.Add(AlwaysStoredColor<TGradientPanel>("BorderColor", &TGradientPanel::BorderColor,
                                                &TGradientPanel::SetBorderColor))
        .Add(Margin<TGradientPanel>("BottomMargin", &TGradientPanel::BottomMargin, &TGradientPanel::SetBottomMargin))
        .Add(Bool<TGradientPanel>("DrawGradient", &TGradientPanel::DrawGradient, &TGradientPanel::SetDrawGradient,
                                  true))
        .Add(GradientObject<TGradientPanel>())
        .Add(AlwaysStoredColor<TGradientPanel>("InnerBorderColor", &TGradientPanel::InnerBorderColor,
                                               &TGradientPanel::SetInnerBorderColor))
        .Add(Margin<TGradientPanel>("LeftMargin", &TGradientPanel::LeftMargin, &TGradientPanel::SetLeftMargin))
        .Add(Margin<TGradientPanel>("RightMargin", &TGradientPanel::RightMargin, &TGradientPanel::SetRightMargin))
        .Add(Margin<TGradientPanel>("TopMargin", &TGradientPanel::TopMargin, &TGradientPanel::SetTopMargin));

    reg.Register<TCustomExtGroupBox>("TCustomControl");
    ClassInfo& box =
        reg.Register<TExtGroupBox>(ClassRegistry::NameOf<TCustomExtGroupBox>(),
                                   [](TComponent* o) { return new TExtGroupBox(o); });
    box.Add(Set<TCustomExtGroupBox, TBorderlines>("BorderLines", &TCustomExtGroupBox::BorderLines,
                                                  &TCustomExtGroupBox::SetBorderLines, BorderlineNames(),
                                                  AllBorderlines))
        .Add(Color<TCustomExtGroupBox>("BorderLineColor", &TCustomExtGroupBox::BorderLineColor,
                                       &TCustomExtGroupBox::SetBorderLineColor, clBtnShadow))
        .Add(Bool<TWinControl>("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D, true))
        .Add(Bool<TCustomExtGroupBox>("DrawGradient", &TCustomExtGroupBox::DrawGradient,
                                      &TCustomExtGroupBox::SetDrawGradient, false))
        .Add(GradientObject<TCustomExtGroupBox>())
        .Add(Bool<TWinControl>("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D, true))
        .Add(Enum<TCustomExtGroupBox, TTitlePosition>("TitlePosition", &TCustomExtGroupBox::TitlePosition,
                                                      &TCustomExtGroupBox::SetTitlePosition, TitlePositionNames(),
                                                      tpLeft));
}
