#include "stream/PropertyBuilders.h"

#include <strings.h>

namespace props {

namespace {

struct CharsetName {
    uint8_t value;
    const char* name;
};
constexpr CharsetName kCharsets[] = {
    {ANSI_CHARSET, "ANSI_CHARSET"}, {DEFAULT_CHARSET, "DEFAULT_CHARSET"}, {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
    {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"}, {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
    {GB2312_CHARSET, "GB2312_CHARSET"}, {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"},
};

[[noreturn]] void WrongKind(const FormValue& v, const char* expected, LoadContext& ctx)
{
    ctx.Fail(v.pos, std::string(expected) + " expected, found " + v.Describe());
}

} // namespace

int64_t ExpectInt(const FormValue& v, LoadContext& ctx, int64_t min, int64_t max)
{
    if (v.kind != FormValue::Kind::Integer)
        WrongKind(v, "an integer", ctx);
    if (v.integer < min || v.integer > max)
        ctx.Fail(v.pos, "integer " + std::to_string(v.integer) + " out of range " + std::to_string(min) + ".." +
                            std::to_string(max));
    return v.integer;
}

bool ExpectBool(const FormValue& v, LoadContext& ctx)
{
    if (v.kind == FormValue::Kind::Ident) {
        if (strcasecmp(v.text.c_str(), "True") == 0)
            return true;
        if (strcasecmp(v.text.c_str(), "False") == 0)
            return false;
    }
    WrongKind(v, "True or False", ctx);
}

QString ExpectString(const FormValue& v, LoadContext& ctx)
{
    if (v.kind != FormValue::Kind::String)
        WrongKind(v, "a string", ctx);
    return QString::fromStdString(v.text);
}

std::optional<FormValue> ReferenceValue(const TComponent* target)
{
    if (!target || target->Name().isEmpty())
        return std::nullopt;
    return FormValue::Identifier(target->Name().toStdString());
}

const std::string& ExpectIdent(const FormValue& v, LoadContext& ctx)
{
    if (v.kind != FormValue::Kind::Ident)
        WrongKind(v, "an identifier", ctx);
    return v.text;
}

TColor ExpectColor(const FormValue& v, LoadContext& ctx)
{
    if (v.kind == FormValue::Kind::Integer) {
        if (v.integer < INT32_MIN || v.integer > UINT32_MAX)
            ctx.Fail(v.pos, "colour value out of range");
        return static_cast<TColor>(static_cast<uint32_t>(v.integer));
    }
    if (v.kind == FormValue::Kind::Ident) {
        if (auto c = IdentToColor(v.text))
            return *c;
        ctx.Fail(v.pos, "unknown colour '" + v.text + "'");
    }
    WrongKind(v, "a colour", ctx);
}

int ExpectEnum(const FormValue& v, const std::vector<std::string>& names, LoadContext& ctx)
{
    const std::string& ident = ExpectIdent(v, ctx);
    for (size_t i = 0; i < names.size(); ++i)
        if (strcasecmp(names[i].c_str(), ident.c_str()) == 0)
            return static_cast<int>(i);
    ctx.Fail(v.pos, "unknown value '" + ident + "'");
}

uint32_t ExpectSet(const FormValue& v, const std::vector<std::string>& names, LoadContext& ctx)
{
    if (v.kind != FormValue::Kind::Set)
        WrongKind(v, "a set", ctx);
    uint32_t bits = 0;
    for (const std::string& member : v.set) {
        bool found = false;
        for (size_t i = 0; i < names.size() && i < 32; ++i)
            if (strcasecmp(names[i].c_str(), member.c_str()) == 0) {
                bits |= 1u << i;
                found = true;
            }
        if (!found)
            ctx.Fail(v.pos, "unknown set member '" + member + "'");
    }
    return bits;
}

FormValue ColorValue(TColor c)
{
    if (auto name = ColorToIdent(c))
        return FormValue::Identifier(*name);
    return FormValue::Int(c);
}

FormValue SetValue(uint32_t bits, const std::vector<std::string>& names)
{
    std::vector<std::string> members;
    for (size_t i = 0; i < names.size() && i < 32; ++i)
        if (bits & (1u << i))
            members.push_back(names[i]);
    return FormValue::SetOf(std::move(members));
}

FormValue StringValue(const QString& s)
{
    return FormValue::Str(s.toStdString());
}

namespace detail {

PropertyInfo IntProperty(const std::string& name, Getter<int> get, Setter<int> set, std::optional<int> def,
                         int64_t min, int64_t max)
{
    PropertyInfo p;
    p.name = name;
    p.read = [set, min, max](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        set(o, static_cast<int>(ExpectInt(v, ctx, min, max)));
    };
    p.write = [get, def](const TPersistent* o) -> std::optional<FormValue> {
        const int value = get(o);
        if (def && *def == value)
            return std::nullopt;
        return FormValue::Int(value);
    };
    return p;
}

PropertyInfo BoolProperty(const std::string& name, Getter<bool> get, Setter<bool> set, std::optional<bool> def)
{
    PropertyInfo p;
    p.name = name;
    p.read = [set](TPersistent* o, const FormValue& v, LoadContext& ctx) { set(o, ExpectBool(v, ctx)); };
    p.write = [get, def](const TPersistent* o) -> std::optional<FormValue> {
        const bool value = get(o);
        if (def && *def == value)
            return std::nullopt;
        return FormValue::Bool(value);
    };
    return p;
}

PropertyInfo StringProperty(const std::string& name, Getter<QString> get, Setter<const QString&> set,
                            std::optional<QString> def)
{
    PropertyInfo p;
    p.name = name;
    p.read = [set](TPersistent* o, const FormValue& v, LoadContext& ctx) { set(o, ExpectString(v, ctx)); };
    p.write = [get, def = std::move(def)](const TPersistent* o) -> std::optional<FormValue> {
        const QString value = get(o);
        if (def && *def == value)
            return std::nullopt;
        return StringValue(value);
    };
    return p;
}

PropertyInfo ColorProperty(const std::string& name, Getter<TColor> get, Setter<TColor> set,
                           std::optional<TColor> def, Getter<bool> stored)
{
    PropertyInfo p;
    p.name = name;
    p.read = [set](TPersistent* o, const FormValue& v, LoadContext& ctx) { set(o, ExpectColor(v, ctx)); };
    p.write = [get, def, stored](const TPersistent* o) -> std::optional<FormValue> {
        const TColor value = get(o);
        if (stored && !stored(o))
            return std::nullopt;
        if (!stored && def && *def == value)
            return std::nullopt;
        return ColorValue(value);
    };
    return p;
}

PropertyInfo EnumProperty(const std::string& name, Getter<int> get, Setter<int> set, std::vector<std::string> names,
                          std::optional<int> def)
{
    PropertyInfo p;
    p.name = name;
    p.read = [set, names](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        set(o, ExpectEnum(v, names, ctx));
    };
    p.write = [get, def, names](const TPersistent* o) -> std::optional<FormValue> {
        const int value = get(o);
        if (def && *def == value)
            return std::nullopt;
        const auto index = static_cast<size_t>(value);
        if (index >= names.size())
            return FormValue::Int(static_cast<int64_t>(index));
        return FormValue::Identifier(names[index]);
    };
    return p;
}

PropertyInfo SetProperty(const std::string& name, Getter<uint32_t> get, Setter<uint32_t> set,
                         std::vector<std::string> names, std::optional<uint32_t> def)
{
    PropertyInfo p;
    p.name = name;
    p.read = [set, names](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        set(o, ExpectSet(v, names, ctx));
    };
    p.write = [get, def, names](const TPersistent* o) -> std::optional<FormValue> {
        const uint32_t value = get(o);
        if (def && *def == value)
            return std::nullopt;
        return SetValue(value, names);
    };
    return p;
}

PropertyInfo EventProperty(const std::string& name,
                           Bound<bool(TPersistent*, const std::any&, const std::string&)> assign,
                           Bound<const std::string*(const TPersistent*)> boundName)
{
    PropertyInfo p;
    p.name = name;
    p.read = [assign, name](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        const std::string& handler = ExpectIdent(v, ctx);
        const std::any* found = ctx.root ? ctx.root->FindHandler(handler) : nullptr;
        if (!found)
            ctx.Fail(v.pos, "unknown handler '" + handler + "' for " + name);
        if (!assign(o, *found, handler))
            ctx.Fail(v.pos, "handler '" + handler + "' does not fit the event " + name);
    };
    p.write = [boundName](const TPersistent* o) -> std::optional<FormValue> {
        const std::string* handler = boundName(o);
        if (!handler)
            return std::nullopt;
        return FormValue::Identifier(*handler);
    };
    return p;
}

PropertyInfo FontObjectProperty(const std::string& name, Bound<TPersistent*(TPersistent*)> get, Getter<bool> stored)
{
    PropertyInfo p;
    p.name = name;
    p.subObject = [get](TPersistent* o) { return get(o); };
    p.subClass = ClassRegistry::Instance().Find("TFont");
    p.subStored = [stored](const TPersistent* o) { return !stored || stored(o); };
    return p;
}

PropertyInfo ReferenceProperty(const std::string& name, Getter<const TComponent*> get, Setter<TComponent*> set,
                               Setter<const QString&> setName, bool (*fits)(const TComponent*), const char* kind)
{
    PropertyInfo p;
    p.name = name;
    p.read = [=](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        const QString ref = QString::fromStdString(ExpectIdent(v, ctx));
        TComponent* found = ctx.root ? ctx.root->FindComponent(ref) : nullptr;
        if (found && !fits(found))
            ctx.Fail(v.pos, name + " '" + ref.toStdString() + "' is not " + kind);
        if (found)
            set(o, found);
        else
            setName(o, ref);
    };
    p.write = [get](const TPersistent* o) { return ReferenceValue(get(o)); };
    return p;
}

} // namespace detail

void RegisterFontClass()
{
    auto& reg = ClassRegistry::Instance();
    if (reg.Find("TFont"))
        return;
    if (!reg.Find("TPersistent"))
        reg.Register("TPersistent", "");
    ClassInfo& font = reg.Register("TFont", "TPersistent");

    PropertyInfo charset;
    charset.name = "Charset";
    charset.read = [](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        if (v.kind == FormValue::Kind::Integer) {
            As<TFont>(o)->SetCharset(static_cast<uint8_t>(ExpectInt(v, ctx, 0, 255)));
            return;
        }
        const std::string& ident = ExpectIdent(v, ctx);
        for (const auto& c : kCharsets)
            if (strcasecmp(c.name, ident.c_str()) == 0) {
                As<TFont>(o)->SetCharset(c.value);
                return;
            }
        ctx.Fail(v.pos, "unknown character set '" + ident + "'");
    };
    charset.write = [](const TPersistent* o) -> std::optional<FormValue> {
        const uint8_t value = As<TFont>(o)->Charset();
        for (const auto& c : kCharsets)
            if (c.value == value)
                return FormValue::Identifier(c.name);
        return FormValue::Int(value);
    };
    font.Add(charset);
    font.Add(Color<TFont>("Color", &TFont::Color, &TFont::SetColor, std::nullopt));
    font.Add(Int<TFont>("Height", &TFont::Height, &TFont::SetHeight, std::nullopt));
    font.Add(String<TFont>("Name", &TFont::Name, &TFont::SetName, std::nullopt));
    font.Add(Enum<TFont, TFontPitch>("Pitch", &TFont::Pitch, &TFont::SetPitch, {"fpDefault", "fpVariable", "fpFixed"},
                                     fpDefault));
    font.Add(Set<TFont, TFontStyles>("Style", &TFont::Style, &TFont::SetStyle,
                                     {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, std::nullopt));
}

} // namespace props
