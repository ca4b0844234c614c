#include "chrome/toolbars/ToolbarClasses.h"

#include "chrome/toolbars/SkinDock.h"
#include "chrome/toolbars/SkinItem.h"
#include "chrome/toolbars/SkinSeparatorItem.h"
#include "chrome/themes/SkinSwitcher.h"
#include "chrome/themes/SkinThemeStartup.h"
#include "chrome/toolbars/SkinToolbar.h"
#include "platform/framework/actions/Action.h"
#include "platform/framework/actions/ActionList.h"
#include "platform/framework/actions/ImageList.h"
#include "stream/PropertyBuilders.h"

using namespace props;

namespace {

const std::vector<std::string> kAlignNames = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"};
const std::vector<std::string> kDockModeNames = {"dmCanFloat", "dmCannotFloat", "dmCannotFloatOrChangeDocks"};
const std::vector<std::string> kDragHandleNames = {"dhDouble", "dhNone", "dhSingle"};
const std::vector<std::string> kDockPositionNames = {"dpTop", "dpBottom", "dpLeft", "dpRight"};
const std::vector<std::string> kDisplayModeNames = {"nbdmDefault", "nbdmTextOnly", "nbdmTextOnlyInMenus",
                                                    "nbdmImageAndText"};
const std::vector<std::string> kItemLayoutNames = {"sklAuto", "sklGlyphLeft", "sklGlyphTop"};
const std::vector<std::string> kFlatMenuStyleNames = {"fmsAuto", "fmsEnable", "fmsDisable"};

// A property that a stored definition may set but that is never written:
// the owner works it out itself.
PropertyInfo ReadOnlyStored(PropertyInfo p)
{
    p.write = [](const TPersistent*) -> std::optional<FormValue> { return std::nullopt; };
    return p;
}

// Properties an item takes from its action are stored only without one.
PropertyInfo UnlessLinked(PropertyInfo p)
{
    auto write = p.write;
    p.write = [write](const TPersistent* o) -> std::optional<FormValue> {
        if (As<TSkinItem>(o)->Action())
            return std::nullopt;
        return write(o);
    };
    return p;
}

PropertyInfo SwitcherTheme()
{
    PropertyInfo p = String<TSkinSwitcher>("Theme", &TSkinSwitcher::Theme, &TSkinSwitcher::SetTheme,
                                           QStringLiteral("Default"));
    return p;
}

void ThemedColor(ClassInfo& info)
{
    info.Add(Color<TControl>("Color", &TControl::Color, &TControl::SetColor, clNone))
        .Add(Bool<TControl>("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false));
}

void RegisterActionClasses(ClassRegistry& reg)
{
    ClassInfo& list = reg.Register<TActionList>("TComponent", [](TComponent* o) { return new TActionList(o); });
    list.Add(Reference<TActionList, TImageList>("Images", &TActionList::Images, &TActionList::SetImages,
                                                &TActionList::SetImagesName, "an image list"));

    ClassInfo& action = reg.Register<TAction>("TComponent", [](TComponent* o) { return new TAction(o); });
    action
        .Add(Reference<TAction, TActionList>("ActionList", &TAction::ActionList, &TAction::SetActionList,
                                             &TAction::SetActionListName, "an action list"))
        .Add(String<TAction>("Caption", &TAction::Caption, &TAction::SetCaption))
        .Add(Bool<TAction>("Checked", &TAction::Checked, &TAction::SetChecked, false))
        .Add(Bool<TAction>("Enabled", &TAction::Enabled, &TAction::SetEnabled, true))
        .Add(Int<TAction>("HelpContext", &TAction::HelpContext, &TAction::SetHelpContext, 0))
        .Add(String<TAction>("Hint", &TAction::Hint, &TAction::SetHint))
        .Add(Int<TAction>("ImageIndex", &TAction::ImageIndex, &TAction::SetImageIndex, -1, -1, INT_MAX))
        .Add(Int<TAction>("ShortCut", &TAction::ShortCut, &TAction::SetShortCut, 0, 0, 0xFFFF))
        .Add(Bool<TAction>("Visible", &TAction::Visible, &TAction::SetVisible, true))
        .Add(Event<TAction, TNotifyEvent>("OnExecute", &TAction::OnExecute))
        .Add(Event<TAction, TNotifyEvent>("OnUpdate", &TAction::OnUpdate));
}

void RegisterItemClasses(ClassRegistry& reg)
{
    // The toolbar places its items: their bounds are read but never stored.
    ClassInfo& base = reg.Register<TSkinToolbarItem>("TGraphicControl");
    base.Add(ReadOnlyStored(Int<TControl>("Left", &TControl::Left, &TControl::SetLeft)))
        .Add(ReadOnlyStored(Int<TControl>("Top", &TControl::Top, &TControl::SetTop)))
        .Add(ReadOnlyStored(Int<TControl>("Width", &TControl::Width, &TControl::SetWidth, std::nullopt, 0, 32767)))
        .Add(ReadOnlyStored(Int<TControl>("Height", &TControl::Height, &TControl::SetHeight, std::nullopt, 0, 32767)));

    ClassInfo& item = reg.Register<TSkinItem>(ClassRegistry::NameOf<TSkinToolbarItem>(),
                                              [](TComponent* o) { return new TSkinItem(o); });
    item.Add(Reference<TSkinItem, TAction>("Action", &TSkinItem::Action, &TSkinItem::SetAction,
                                           &TSkinItem::SetActionName, "an action"))
        .Add(UnlessLinked(String<TControl>("Caption", &TControl::Caption, &TControl::SetCaption)))
        .Add(UnlessLinked(Bool<TSkinItem>("Checked", &TSkinItem::Checked, &TSkinItem::SetChecked, false)))
        .Add(Enum<TSkinItem, TSkinDisplayMode>("DisplayMode", &TSkinItem::DisplayMode, &TSkinItem::SetDisplayMode,
                                               kDisplayModeNames, nbdmDefault))
        .Add(UnlessLinked(Bool<TControl>("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)))
        .Add(UnlessLinked(Int<TSkinItem>("HelpContext", &TSkinItem::HelpContext, &TSkinItem::SetHelpContext, 0)))
        .Add(UnlessLinked(String<TControl>("Hint", &TControl::Hint, &TControl::SetHint)))
        .Add(UnlessLinked(Int<TSkinItem>("ImageIndex", &TSkinItem::ImageIndex, &TSkinItem::SetImageIndex, -1, -1,
                                         INT_MAX)))
        .Add(Enum<TSkinItem, TSkinItemLayout>("Layout", &TSkinItem::Layout, &TSkinItem::SetLayout, kItemLayoutNames,
                                              sklAuto))
        .Add(UnlessLinked(Int<TSkinItem>("ShortCut", &TSkinItem::ShortCut, &TSkinItem::SetShortCut, 0, 0, 0xFFFF)))
        .Add(UnlessLinked(Bool<TControl>("Visible", &TControl::Visible, &TControl::SetVisible, true)));

    ClassInfo& separator = reg.Register<TSkinSeparatorItem>(ClassRegistry::NameOf<TSkinToolbarItem>(),
                                        [](TComponent* o) { return new TSkinSeparatorItem(o); });
    separator.Add(Int<TSkinSeparatorItem>("Size", &TSkinSeparatorItem::Size, &TSkinSeparatorItem::SetSize, -1, -1,
                                          32767));
}

void RegisterBarClasses(ClassRegistry& reg)
{
    ClassInfo& dock = reg.Register<TSkinDock>("TCustomControl", [](TComponent* o) { return new TSkinDock(o); });
    dock.Add(ReadOnlyStored(Enum<TControl, TAlign>("Align", &TControl::Align, &TControl::SetAlign, kAlignNames,
                                                   alTop)))
        .Add(Enum<TSkinDock, TSkinDockPosition>("Position", &TSkinDock::Position, &TSkinDock::SetPosition,
                                                kDockPositionNames, dpTop))
        .Add(Bool<TSkinDock>("UseParentBackground", &TSkinDock::UseParentBackground,
                             &TSkinDock::SetUseParentBackground, false));
    ThemedColor(dock);

    ClassInfo& bar =
        reg.Register<TSkinToolbar>("TCustomControl", [](TComponent* o) { return new TSkinToolbar(o); });
    bar.Add(Enum<TSkinToolbar, TSkinDockMode>("DockMode", &TSkinToolbar::DockMode, &TSkinToolbar::SetDockMode,
                                              kDockModeNames, dmCanFloat))
        .Add(Int<TSkinToolbar>("DockPos", &TSkinToolbar::DockPos, &TSkinToolbar::SetDockPos, -1, -1, 32767))
        .Add(Int<TSkinToolbar>("DockRow", &TSkinToolbar::DockRow, &TSkinToolbar::SetDockRow, 0, 0, 32767))
        .Add(Enum<TSkinToolbar, TSkinDragHandleStyle>("DragHandleStyle", &TSkinToolbar::DragHandleStyle,
                                                      &TSkinToolbar::SetDragHandleStyle, kDragHandleNames, dhSingle))
        .Add(Bool<TSkinToolbar>("FullSize", &TSkinToolbar::FullSize, &TSkinToolbar::SetFullSize, false))
        .Add(Reference<TSkinToolbar, TImageList>("Images", &TSkinToolbar::Images, &TSkinToolbar::SetImages,
                                                 &TSkinToolbar::SetImagesName, "an image list"))
        .Add(Bool<TSkinToolbar>("SystemFont", &TSkinToolbar::SystemFont, &TSkinToolbar::SetSystemFont, true))
        .Add(Bool<TSkinToolbar>("UpdateActions", &TSkinToolbar::UpdateActions, &TSkinToolbar::SetUpdateActions, true));
    ThemedColor(bar);

    ClassInfo& switcher =
        reg.Register<TSkinSwitcher>("TComponent", [](TComponent* o) { return new TSkinSwitcher(o); });
    switcher
        .Add(Bool<TSkinSwitcher>("EnableXPStyles", &TSkinSwitcher::EnableXPStyles, &TSkinSwitcher::SetEnableXPStyles,
                                 true))
        .Add(Enum<TSkinSwitcher, TFlatMenuStyle>("FlatMenuStyle", &TSkinSwitcher::FlatMenuStyle,
                                                 &TSkinSwitcher::SetFlatMenuStyle, kFlatMenuStyleNames, fmsAuto))
        .Add(SwitcherTheme())
        .Add(Event<TSkinSwitcher, TNotifyEvent>("OnThemeChange", &TSkinSwitcher::OnThemeChange));
}

} // namespace

void RegisterToolbarClasses()
{
    InitSkinThemes();
    auto& reg = ClassRegistry::Instance();
    if (reg.Find(ClassRegistry::NameOf<TSkinToolbar>()))
        return;
    RegisterActionClasses(reg);
    RegisterItemClasses(reg);
    RegisterBarClasses(reg);
}
