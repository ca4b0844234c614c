#include "orgchart/OrgChartClasses.h"

#include <any>

#include "orgchart/model/OcItemStream.h"
#include "orgchart/OrgChart.h"
#include "platform/framework/actions/ImageList.h"
#include "stream/PropertyBuilders.h"

using namespace props;

namespace {

const std::vector<std::string> kImageAlignNames = {"iaNone", "iaLT", "iaLC", "iaLB", "iaRT", "iaRC", "iaRB",
                                                   "iaTL",   "iaTC", "iaTR", "iaBL", "iaBC", "iaBR"};
const std::vector<std::string> kOptionNames = {"ocSelect",   "ocFocus",    "ocButtons", "ocDblClick", "ocEdit",
                                               "ocCanDrag",  "ocShowDrag", "ocInsDel",  "ocRect3D",   "ocAnimate"};
const std::vector<std::string> kEditModeNames = {"emLeft", "emCenter", "emRight", "emVCenter",
                                                 "emWrap", "emUpper",  "emLower", "emGrow"};
const std::vector<std::string> kBorderStyleNames = {"bsNone", "bsSingle"};

// The node tree as one byte block; a chart without nodes stores nothing.
PropertyInfo ItemsProperty()
{
    PropertyInfo p;
    p.name = "Items";
    p.read = [](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        if (v.kind != FormValue::Kind::Binary)
            ctx.Fail(v.pos, std::string("expected a binary block for 'Items', found ") + v.Describe());
        try {
            TOcItemStream::Read(As<TCustomOrgChart>(o)->Tree(), v.bytes, ctx.resource);
        } catch (const EOcStreamError& e) {
            ctx.Fail(v.pos, e.what());
        }
    };
    p.write = [](const TPersistent* o) -> std::optional<FormValue> {
        TOcTree& tree = const_cast<TCustomOrgChart*>(As<TCustomOrgChart>(o))->Tree();
        if (tree.Count() == 0)
            return std::nullopt;
        return FormValue::BinaryOf(TOcItemStream::Write(tree));
    };
    return p;
}

// An event of the node tree, bound by handler name like the controls' events.
template <class Ev>
PropertyInfo TreeEvent(const std::string& name, Ev TOcTree::*member)
{
    PropertyInfo p;
    p.name = name;
    p.read = [member, name](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        As<TCustomOrgChart>(o)->Tree().*member = ResolveHandler<Ev>(name, v, ctx);
    };
    p.write = [member](const TPersistent* o) -> std::optional<FormValue> {
        const Ev& ev = As<TCustomOrgChart>(o)->Tree().*member;
        if (!ev || ev.HandlerName().empty())
            return std::nullopt;
        return FormValue::Identifier(ev.HandlerName());
    };
    return p;
}

// The tree's default image alignment, published as the chart's.
PropertyInfo DefaultImageAlignProperty()
{
    using detail::MemberBytes;
    return detail::EnumProperty(
        "DefaultImageAlign",
        {{}, [](const MemberBytes&, const TPersistent* o) -> int {
             return As<TCustomOrgChart>(o)->Tree().DefaultImageAlign();
         }},
        {{}, [](const MemberBytes&, TPersistent* o, int v) {
             As<TCustomOrgChart>(o)->Tree().SetDefaultImageAlign(static_cast<TOcImageAlign>(v));
         }},
        kImageAlignNames, iaNone);
}

} // namespace

void RegisterOrgChartClasses()
{
    auto& reg = ClassRegistry::Instance();
    if (reg.Find(ClassRegistry::NameOf<TCustomOrgChart>()))
        return;
    using C = TCustomOrgChart;
    ClassInfo& chart = reg.Register<C>("TCustomControl");
    chart.Add(Color<C>("LineColor", &C::LineColor, &C::SetLineColor, clBlack))
        .Add(Int<C>("LineWidth", &C::RawLineWidth, &C::SetLineWidth, 1, 0, 65535))
        .Add(Color<C>("SelectedNodeColor", &C::SelectedNodeColor, &C::SetSelectedNodeColor, clHighlight))
        .Add(Color<C>("SelectedNodeTextColor", &C::SelectedNodeTextColor, &C::SetSelectedNodeTextColor,
                      clHighlightText))
        .Add(Int<C>("DefaultNodeWidth", &C::DefaultNodeWidth, &C::SetDefaultNodeWidth, 64, 0, 65535))
        .Add(Int<C>("DefaultNodeHeight", &C::DefaultNodeHeight, &C::SetDefaultNodeHeight, 40, 0, 65535))
        .Add(Int<C>("IndentX", &C::RawIndentX, &C::SetIndentX, 16, 0, 65535))
        .Add(Int<C>("IndentY", &C::RawIndentY, &C::SetIndentY, 16, 0, 65535))
        .Add(Set<C, TOcEditMode>("EditMode", &C::EditMode, &C::SetEditMode, kEditModeNames, TOcEditMode(emWrap)))
        .Add(Reference<C, TImageList>("Images", &C::Images, &C::SetImages, &C::SetImagesName, "an image list"))
        .Add(DefaultImageAlignProperty())
        .Add(Enum<C, TFormBorderStyle>("BorderStyle", &C::BorderStyle, &C::SetBorderStyle, kBorderStyleNames,
                                       bsSingle))
        .Add(Bool<C>("Rotated", &C::Rotated, &C::SetRotated, false))
        .Add(Bool<C>("Zoom", &C::ZoomStored, &C::SetZoom, false))
        .Add(Set<C, TOcOptions>("Options", &C::Options, &C::SetOptions, kOptionNames, kOcDefaultOptions))
        .Add(Bool<TWinControl>("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D, true))
        .Add(Bool<TWinControl>("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D, true))
        .Add(Bool<TWinControl>("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, true))
        .Add(Bool<TControl>("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, false))
        .Add(Bool<TControl>("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false))
        .Add(Color<TControl>("Color", &TControl::Color, &TControl::SetColor, clWindow))
        .Add(ItemsProperty())
        .Add(TreeEvent("OnCreateNode", &TOcTree::OnCreateNode))
        .Add(TreeEvent("OnChange", &TOcTree::OnChange))
        .Add(TreeEvent("OnChanging", &TOcTree::OnChanging))
        .Add(TreeEvent("OnCollapsed", &TOcTree::OnCollapsed))
        .Add(TreeEvent("OnCollapsing", &TOcTree::OnCollapsing))
        .Add(TreeEvent("OnDeletion", &TOcTree::OnDeletion))
        .Add(TreeEvent("OnExpanded", &TOcTree::OnExpanded))
        .Add(TreeEvent("OnExpansion", &TOcTree::OnExpansion))
        .Add(Event<C, TOcAllowEvent>("OnEditing", &C::OnEditing))
        .Add(Event<C, TOcEditedEvent>("OnEdited", &C::OnEdited))
        .Add(TreeEvent("OnSetFont", &TOcTree::OnSetFont))
        .Add(Event<C, TOcDrawEvent>("OnDrawNode", &C::OnDrawNode))
        .Add(TreeEvent("OnGetText", &TOcTree::OnGetText))
        .Add(TreeEvent("OnSetText", &TOcTree::OnSetText))
        .Add(TreeEvent("OnMoveNode", &TOcTree::OnMoveNode));
    reg.Register<TOrgChart>(ClassRegistry::NameOf<C>(), [](TComponent* owner) { return new TOrgChart(owner); });
}
