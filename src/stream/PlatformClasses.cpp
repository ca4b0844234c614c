#include "stream/PlatformClasses.h"

#include "platform/framework/Form.h"
#include "stream/PropertyBuilders.h"

using namespace props;

namespace {

const std::vector<std::string> kAlignNames = {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"};
const std::vector<std::string> kBorderStyleNames = {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow",
                                                    "bsSizeToolWin"};
const std::vector<std::string> kPositionNames = {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                                                 "poScreenCenter", "poDesktopCenter", "poMainFormCenter",
                                                 "poOwnerFormCenter"};

struct CursorName {
    TCursor cursor;
    const char* name;
};
constexpr CursorName kCursorNames[] = {
    {crDefault, "crDefault"}, {crNone, "crNone"}, {crArrow, "crArrow"}, {crCross, "crCross"},
    {crIBeam, "crIBeam"}, {crSizeNESW, "crSizeNESW"}, {crSizeNS, "crSizeNS"}, {crSizeNWSE, "crSizeNWSE"},
    {crSizeWE, "crSizeWE"}, {crUpArrow, "crUpArrow"}, {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"}, {crHSplit, "crHSplit"}, {crVSplit, "crVSplit"}, {crMultiDrag, "crMultiDrag"},
    {crSQLWait, "crSQLWait"}, {crNo, "crNo"}, {crAppStart, "crAppStart"}, {crHelp, "crHelp"},
    {crHandPoint, "crHandPoint"}, {crSizeAll, "crSizeAll"},
};

PropertyInfo CursorProperty()
{
    PropertyInfo p;
    p.name = "Cursor";
    p.read = [](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        if (v.kind == FormValue::Kind::Integer) {
            As<TControl>(o)->SetCursor(static_cast<TCursor>(ExpectInt(v, ctx, INT16_MIN, INT16_MAX)));
            return;
        }
        const std::string& ident = ExpectIdent(v, ctx);
        for (const auto& c : kCursorNames)
            if (ident == c.name) {
                As<TControl>(o)->SetCursor(c.cursor);
                return;
            }
        ctx.Fail(v.pos, "unknown cursor '" + ident + "'");
    };
    p.write = [](const TPersistent* o) -> std::optional<FormValue> {
        const TCursor c = As<TControl>(o)->Cursor();
        if (c == crDefault)
            return std::nullopt;
        for (const auto& n : kCursorNames)
            if (n.cursor == c)
                return FormValue::Identifier(n.name);
        return FormValue::Int(c);
    };
    return p;
}

// A property that reads as usual but is never written (derived from others).
PropertyInfo ReadOnlyStored(PropertyInfo p)
{
    p.write = [](const TPersistent*) -> std::optional<FormValue> { return std::nullopt; };
    return p;
}

} // namespace

void RegisterPlatformClasses()
{
    auto& reg = ClassRegistry::Instance();
    if (reg.Find("TCustomForm"))
        return;
    RegisterFontClass();

    ClassInfo& component = reg.Register("TComponent", "TPersistent");
    component.Add(Int<TComponent>("Tag", &TComponent::Tag, &TComponent::SetTag, 0));

    ClassInfo& control = reg.Register("TControl", "TComponent");
    control.Add(Int<TControl>("Left", &TControl::Left, &TControl::SetLeft))
        .Add(Int<TControl>("Top", &TControl::Top, &TControl::SetTop))
        .Add(Int<TControl>("Width", &TControl::Width, &TControl::SetWidth, std::nullopt, 0, 32767))
        .Add(Int<TControl>("Height", &TControl::Height, &TControl::SetHeight, std::nullopt, 0, 32767))
        .Add(Enum<TControl, TAlign>("Align", &TControl::Align, &TControl::SetAlign, kAlignNames, alNone))
        .Add(String<TControl>("Caption", &TControl::Caption, &TControl::SetCaption))
        .Add(Color<TControl>("Color", &TControl::Color, &TControl::SetColor, std::nullopt, nullptr))
        .Add(CursorProperty())
        .Add(Bool<TControl>("Enabled", &TControl::Enabled, &TControl::SetEnabled, true))
        .Add(FontObject<TControl>("Font", &TControl::Font, nullptr))
        .Add(String<TControl>("Hint", &TControl::Hint, &TControl::SetHint))
        .Add(Bool<TControl>("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true))
        .Add(Bool<TControl>("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true))
        .Add(Bool<TControl>("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, false))
        .Add(Bool<TControl>("Visible", &TControl::Visible, &TControl::SetVisible, true))
        .Add(Event<TControl, TNotifyEvent>("OnClick", &TControl::OnClick))
        .Add(Event<TControl, TNotifyEvent>("OnDblClick", &TControl::OnDblClick))
        .Add(Event<TControl, TMouseEvent>("OnMouseDown", &TControl::OnMouseDown))
        .Add(Event<TControl, TMouseMoveEvent>("OnMouseMove", &TControl::OnMouseMove))
        .Add(Event<TControl, TMouseEvent>("OnMouseUp", &TControl::OnMouseUp))
        .Add(Event<TControl, TNotifyEvent>("OnMouseEnter", &TControl::OnMouseEnter))
        .Add(Event<TControl, TNotifyEvent>("OnMouseLeave", &TControl::OnMouseLeave))
        .Add(Event<TControl, TNotifyEvent>("OnResize", &TControl::OnResize));
    // Colour and font are stored only where the control does not follow its parent.
    for (auto& p : control.properties) {
        if (p.name == "Color") {
            auto write = p.write;
            p.write = [write](const TPersistent* o) -> std::optional<FormValue> {
                return As<TControl>(o)->ParentColor() ? std::nullopt : write(o);
            };
        } else if (p.name == "Font") {
            p.subStored = [](const TPersistent* o) { return !As<TControl>(o)->ParentFont(); };
        }
    }

    ClassInfo& win = reg.Register("TWinControl", "TControl");
    win.Add(Int<TWinControl>("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, std::nullopt, -1, 32767))
        .Add(Bool<TWinControl>("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false))
        .Add(Event<TWinControl, TNotifyEvent>("OnEnter", &TWinControl::OnEnter))
        .Add(Event<TWinControl, TNotifyEvent>("OnExit", &TWinControl::OnExit))
        .Add(Event<TWinControl, TKeyEvent>("OnKeyDown", &TWinControl::OnKeyDown))
        .Add(Event<TWinControl, TKeyPressEvent>("OnKeyPress", &TWinControl::OnKeyPress))
        .Add(Event<TWinControl, TKeyEvent>("OnKeyUp", &TWinControl::OnKeyUp));
    reg.Register("TCustomControl", "TWinControl");
    reg.Register("TGraphicControl", "TControl");

    ClassInfo& form = reg.Register("TCustomForm", "TWinControl");
    // A form's size is its client size; its tab order is not stored.
    form.Add(ReadOnlyStored(Int<TControl>("Width", &TControl::Width, &TControl::SetWidth)))
        .Add(ReadOnlyStored(Int<TControl>("Height", &TControl::Height, &TControl::SetHeight)))
        .Add(ReadOnlyStored(Int<TWinControl>("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)))
        .Add(Enum<TCustomForm, TFormBorderStyle>("BorderStyle", &TCustomForm::BorderStyle,
                                                 &TCustomForm::SetBorderStyle, kBorderStyleNames, bsSizeable))
        .Add(Int<TControl>("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight, std::nullopt, 0, 32767))
        .Add(Int<TControl>("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth, std::nullopt, 0, 32767))
        .Add(Bool<TControl>("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, false))
        .Add(Bool<TControl>("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false))
        .Add(Bool<TControl>("Visible", &TControl::Visible, &TControl::SetVisible, false))
        .Add(Enum<TCustomForm, TPosition>("Position", &TCustomForm::Position, &TCustomForm::SetPosition,
                                          kPositionNames, poDesigned))
        .Add(Event<TCustomForm, TNotifyEvent>("OnCreate", &TCustomForm::OnCreate))
        .Add(Event<TCustomForm, TNotifyEvent>("OnDestroy", &TCustomForm::OnDestroy))
        .Add(Event<TCustomForm, TNotifyEvent>("OnShow", &TCustomForm::OnShow))
        .Add(Event<TCustomForm, TCloseEvent>("OnClose", &TCustomForm::OnClose));
    form.Add(Color<TControl>("Color", &TControl::Color, &TControl::SetColor, clBtnFace));
    reg.Register("TForm", "TCustomForm");
}
