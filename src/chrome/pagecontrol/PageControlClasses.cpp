#include "chrome/pagecontrol/PageControlClasses.h"


#include "chrome/pagecontrol/FlatPageControl.h"
#include "chrome/pagecontrol/FlatTabSheet.h"
#include "platform/canvas/Bitmap.h"
#include "platform/framework/actions/ImageList.h"
#include "stream/PropertyBuilders.h"

using namespace props;

namespace {

const std::vector<std::string> kTabStyleNames = {"tsClassic", "tsDotNet", "tsStudio"};
const std::vector<std::string> kTabPositionNames = {"tpTop", "tpBottom", "tpLeft", "tpRight"};
const std::vector<std::string> kGradientDirectionNames = {"gdVertical", "gdHorizontal"};

PropertyInfo Unstored(PropertyInfo p)
{
    p.write = [](const TPersistent*) -> std::optional<FormValue> { return std::nullopt; };
    return p;
}

using PC = TFlatPageControl;
using TS = TFlatTabSheet;

PropertyInfo ActivePageProperty()
{
    PropertyInfo p;
    p.name = "ActivePage";
    p.read = [](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        const QString name = QString::fromStdString(ExpectIdent(v, ctx));
        TComponent* found = ctx.root ? ctx.root->FindComponent(name) : nullptr;
        if (found && !dynamic_cast<TFlatTabSheet*>(found))
            ctx.Fail(v.pos, "ActivePage '" + name.toStdString() + "' is not a flat tab sheet");
        // The pages are read after the control: the name is resolved when loading
        // ends, and a wrong one is reported at this value's position.
        As<PC>(o)->SetActivePageName(name, [resource = ctx.resource, pos = v.pos](const QString& problem) {
            throw EFormError(resource, pos, problem.toStdString());
        });
    };
    p.write = [](const TPersistent* o) { return ReferenceValue(As<PC>(o)->ActivePage()); };
    return p;
}

// A picture stored as a PNG (or any format the platform reads) block.
PropertyInfo Picture(const std::string& name, const TBitmap& (PC::*get)() const, void (PC::*set)(const TBitmap&))
{
    PropertyInfo p;
    p.name = name;
    p.read = [name, set](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        if (v.kind != FormValue::Kind::Binary)
            ctx.Fail(v.pos, "expected a binary block for '" + name + "', found " + v.Describe());
        TBitmap image(0, 0, pf32bit);
        if (!v.bytes.empty() && !image.LoadFromData(v.bytes))
            ctx.Fail(v.pos, "the " + name + " is not a readable picture");
        (As<PC>(o)->*set)(image);
    };
    p.write = [get](const TPersistent* o) -> std::optional<FormValue> {
        const TBitmap& b = (As<PC>(o)->*get)();
        if (b.Empty())
            return std::nullopt;
        return FormValue::BinaryOf(b.SaveToPng());
    };
    return p;
}

PropertyInfo TabMarginObject()
{
    PropertyInfo p;
    p.name = "TabMargin";
    p.subObject = [](TPersistent* o) -> TPersistent* { return &As<PC>(o)->TabMargin(); };
    p.subClass = ClassRegistry::Instance().Find(ClassRegistry::NameOf<TTabMargin>());
    return p;
}

PropertyInfo VersionProperty()
{
    PropertyInfo p = String<PC>("Version", &PC::Version, &PC::SetVersion, std::nullopt);
    return p;
}

// The sheet's control is its parent; a stored name must agree with it.
PropertyInfo PageControlProperty()
{
    PropertyInfo p;
    p.name = "PageControl";
    p.read = [](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        const QString name = QString::fromStdString(ExpectIdent(v, ctx));
        auto* pc = dynamic_cast<TFlatPageControl*>(ctx.root ? ctx.root->FindComponent(name) : nullptr);
        if (!pc)
            ctx.Fail(v.pos, "PageControl '" + name.toStdString() + "' is not a flat page control");
        As<TS>(o)->SetPageControl(pc);
    };
    p.write = [](const TPersistent*) -> std::optional<FormValue> { return std::nullopt; };
    return p;
}

} // namespace

void RegisterPageControlClasses()
{
    auto& reg = ClassRegistry::Instance();
    if (reg.Find(ClassRegistry::NameOf<PC>()))
        return;

    ClassInfo& margin = reg.Register<TTabMargin>("TPersistent");
    margin.Add(Int<TTabMargin>("LeftMargin", &TTabMargin::LeftMargin, &TTabMargin::SetLeftMargin, 0, 0, INT_MAX))
        .Add(Int<TTabMargin>("RightMargin", &TTabMargin::RightMargin, &TTabMargin::SetRightMargin, 0, 0, INT_MAX))
        .Add(Int<TTabMargin>("TopMargin", &TTabMargin::TopMargin, &TTabMargin::SetTopMargin, 0, 0, INT_MAX));

    ClassInfo& sheet = reg.Register<TS>("TCustomControl", [](TComponent* o) { return new TS(o); });
    sheet.Add(Color<TS>("ColorTo", &TS::ColorTo, &TS::SetColorTo, clNone))
        .Add(Enum<TS, TTabGradientDirection>("HoverGradientDirection", &TS::HoverGradientDirection,
                                             &TS::SetHoverGradientDirection, kGradientDirectionNames, gdVertical))
        .Add(Bool<TS>("Highlighted", &TS::Highlighted, &TS::SetHighlighted, false))
        .Add(Int<TS>("ImageIndex", &TS::ImageIndex, &TS::SetImageIndex, 0))
        .Add(PageControlProperty())
        .Add(Unstored(Int<TS>("PageIndex", &TS::PageIndex, &TS::SetPageIndex)))
        .Add(Bool<TControl>("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false))
        .Add(Bool<TS>("ShowClose", &TS::ShowClose, &TS::SetShowClose, false))
        .Add(Color<TS>("TabColor", &TS::TabColor, &TS::SetTabColor, std::nullopt))
        .Add(Color<TS>("TabColorTo", &TS::TabColorTo, &TS::SetTabColorTo, std::nullopt))
        .Add(Bool<TS>("TabEnable", &TS::TabEnable, &TS::SetTabEnable, true))
        .Add(Enum<TS, TTabGradientDirection>("TabGradientDirection", &TS::TabGradientDirection,
                                             &TS::SetTabGradientDirection, kGradientDirectionNames, gdVertical))
        .Add(Bool<TS>("TabVisible", &TS::TabVisible, &TS::SetTabVisible, true))
        .Add(Color<TS>("TextColor", &TS::TextColor, &TS::SetTextColor, std::nullopt))
        .Add(Event<TS, TCanCloseEvent>("OnCanClose", &TS::OnCanClose))
        .Add(Event<TS, TNotifyEvent>("OnClose", &TS::OnClose))
        .Add(Event<TS, TNotifyEvent>("OnHide", &TS::OnHide))
        .Add(Event<TS, TNotifyEvent>("OnShow", &TS::OnShow));

    ClassInfo& pc = reg.Register<PC>("TCustomControl", [](TComponent* o) { return new PC(o); });
    pc.Add(Color<PC>("ActiveColor", &PC::ActiveColor, &PC::SetActiveColor, clBtnFace))
        .Add(Color<PC>("ActiveColorTo", &PC::ActiveColorTo, &PC::SetActiveColorTo, clNone))
        .Add(FontObject<PC>("ActiveFont", static_cast<TFont& (PC::*)()>(&PC::ActiveFont), nullptr))
        .Add(ActivePageProperty())
        .Add(Picture("CloseGlyph", static_cast<const TBitmap& (PC::*)() const>(&PC::CloseGlyph), &PC::SetCloseGlyph))
        .Add(Color<PC>("DefaultTabColor", &PC::DefaultTabColor, &PC::SetDefaultTabColor, clBtnFace))
        .Add(Color<PC>("DefaultTabColorTo", &PC::DefaultTabColorTo, &PC::SetDefaultTabColorTo, clNone))
        .Add(Color<PC>("DefaultTextColor", &PC::DefaultTextColor, &PC::SetDefaultTextColor, clBlack))
        .Add(Bool<PC>("DockSite", &PC::DockSite, &PC::SetDockSite, false))
        .Add(Bool<PC>("FreeOnClose", &PC::FreeOnClose, &PC::SetFreeOnClose, false))
        .Add(Bool<PC>("HotTrack", &PC::HotTrack, &PC::SetHotTrack, false))
        .Add(Reference<PC, TImageList>("Images", &PC::Images, &PC::SetImages, &PC::SetImagesName, "an image list"))
        .Add(Int<PC>("LowerActive", &PC::LowerActive, &PC::SetLowerActive, 2))
        .Add(Bool<PC>("MultiLine", &PC::MultiLine, &PC::SetMultiLine, false))
        .Add(Bool<PC>("RaggedRight", &PC::RaggedRight, &PC::SetRaggedRight, false))
        .Add(Bool<PC>("RoundEdges", &PC::RoundEdges, &PC::SetRoundEdges, false))
        .Add(Bool<PC>("ScrollOpposite", &PC::ScrollOpposite, &PC::SetScrollOpposite, false))
        .Add(Bool<PC>("ShowFocus", &PC::ShowFocus, &PC::SetShowFocus, false))
        .Add(Picture("TabBackGround", static_cast<const TBitmap& (PC::*)() const>(&PC::TabBackGround),
                     &PC::SetTabBackGround))
        .Add(Picture("TabBackGroundActive", static_cast<const TBitmap& (PC::*)() const>(&PC::TabBackGroundActive),
                     &PC::SetTabBackGroundActive))
        .Add(Color<PC>("TabBackGroundColor", &PC::TabBackGroundColor, &PC::SetTabBackGroundColor, clBtnFace))
        .Add(Color<PC>("TabBackGroundColorTo", &PC::TabBackGroundColorTo, &PC::SetTabBackGroundColorTo, clBtnFace))
        .Add(Bool<PC>("TabBorder3D", &PC::TabBorder3D, &PC::SetTabBorder3D, false))
        .Add(Color<PC>("TabBorderColor", &PC::TabBorderColor, &PC::SetTabBorderColor, PC::DefaultBorderColor))
        .Add(Int<PC>("TabHeight", &PC::TabHeight, &PC::SetTabHeight, 0, 0, 32767))
        .Add(Color<PC>("TabHoverBorder", &PC::TabHoverBorder, &PC::SetTabHoverBorder, clNone))
        .Add(Color<PC>("TabHoverColor", &PC::TabHoverColor, &PC::SetTabHoverColor, clNone))
        .Add(Color<PC>("TabHoverColorTo", &PC::TabHoverColorTo, &PC::SetTabHoverColorTo, clNone))
        .Add(TabMarginObject())
        .Add(Int<PC>("TabOverlap", &PC::TabOverlap, &PC::SetTabOverlap, 0, 0, 15))
        .Add(Enum<PC, TTabPosition>("TabPosition", &PC::TabPosition, &PC::SetTabPosition, kTabPositionNames,
                                    TTabPosition::tpTop))
        .Add(Bool<PC>("TabSheet3D", &PC::TabSheet3D, &PC::SetTabSheet3D, false))
        .Add(Color<PC>("TabSheetBorderColor", &PC::TabSheetBorderColor, &PC::SetTabSheetBorderColor,
                       PC::DefaultBorderColor))
        .Add(Bool<PC>("TabSplitLine", &PC::TabSplitLine, &PC::SetTabSplitLine, false))
        .Add(Enum<PC, TTabStyle>("TabStyle", &PC::TabStyle, &PC::SetTabStyle, kTabStyleNames, tsClassic))
        .Add(Int<PC>("TabWidth", &PC::TabWidth, &PC::SetTabWidth, 0, 0, 32767))
        .Add(VersionProperty())
        .Add(Event<PC, TCanChangeEvent>("OnCanChange", &PC::OnCanChange))
        .Add(Event<PC, TNotifyEvent>("OnChange", &PC::OnChange))
        .Add(Event<PC, TTabChangingEvent>("OnChanging", &PC::OnChanging))
        .Add(Event<PC, TDrawTabEvent>("OnDrawTab", &PC::OnDrawTab))
        .Add(Event<PC, TGetImageIndexEvent>("OnGetImageIndex", &PC::OnGetImageIndex));
}
