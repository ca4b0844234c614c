#pragma once

// Building blocks for published properties: each turns a getter/setter pair into
// a PropertyInfo that checks the stored value's kind and range and knows its
// default.

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include <QString>

#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/Form.h"
#include "stream/ClassRegistry.h"

namespace props {

template <class T>
T* As(TPersistent* object)
{
    return static_cast<T*>(object);
}
template <class T>
const T* As(const TPersistent* object)
{
    return static_cast<const T*>(object);
}

// Value checks shared by the builders; they fail with the value's position.
int64_t ExpectInt(const FormValue& v, LoadContext& ctx, int64_t min = INT_MIN, int64_t max = INT_MAX);
bool ExpectBool(const FormValue& v, LoadContext& ctx);
QString ExpectString(const FormValue& v, LoadContext& ctx);
const std::string& ExpectIdent(const FormValue& v, LoadContext& ctx);
TColor ExpectColor(const FormValue& v, LoadContext& ctx);
int ExpectEnum(const FormValue& v, const std::vector<std::string>& names, LoadContext& ctx);
uint32_t ExpectSet(const FormValue& v, const std::vector<std::string>& names, LoadContext& ctx);
FormValue ColorValue(TColor c);
FormValue SetValue(uint32_t bits, const std::vector<std::string>& names);
FormValue StringValue(const QString& s);

template <class T>
PropertyInfo Int(const std::string& name, int (T::*get)() const, void (T::*set)(int),
                 std::optional<int> def = std::nullopt, int64_t min = INT_MIN, int64_t max = INT_MAX)
{
    PropertyInfo p;
    p.name = name;
    p.read = [set, min, max](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        (As<T>(o)->*set)(static_cast<int>(ExpectInt(v, ctx, min, max)));
    };
    p.write = [get, def](const TPersistent* o) -> std::optional<FormValue> {
        const int value = (As<T>(o)->*get)();
        if (def && *def == value)
            return std::nullopt;
        return FormValue::Int(value);
    };
    return p;
}

template <class T>
PropertyInfo Bool(const std::string& name, bool (T::*get)() const, void (T::*set)(bool),
                  std::optional<bool> def)
{
    PropertyInfo p;
    p.name = name;
    p.read = [set](TPersistent* o, const FormValue& v, LoadContext& ctx) { (As<T>(o)->*set)(ExpectBool(v, ctx)); };
    p.write = [get, def](const TPersistent* o) -> std::optional<FormValue> {
        const bool value = (As<T>(o)->*get)();
        if (def && *def == value)
            return std::nullopt;
        return FormValue::Bool(value);
    };
    return p;
}

template <class T, class Get, class Set>
PropertyInfo String(const std::string& name, Get get, Set set, std::optional<QString> def = QString())
{
    PropertyInfo p;
    p.name = name;
    p.read = [set](TPersistent* o, const FormValue& v, LoadContext& ctx) { (As<T>(o)->*set)(ExpectString(v, ctx)); };
    p.write = [get, def](const TPersistent* o) -> std::optional<FormValue> {
        const QString value = (As<T>(o)->*get)();
        if (def && *def == value)
            return std::nullopt;
        return StringValue(value);
    };
    return p;
}

template <class T>
PropertyInfo Color(const std::string& name, TColor (T::*get)() const, void (T::*set)(TColor),
                   std::optional<TColor> def, bool (T::*stored)() const = nullptr)
{
    PropertyInfo p;
    p.name = name;
    p.read = [set](TPersistent* o, const FormValue& v, LoadContext& ctx) { (As<T>(o)->*set)(ExpectColor(v, ctx)); };
    p.write = [get, def, stored](const TPersistent* o) -> std::optional<FormValue> {
        const TColor value = (As<T>(o)->*get)();
        if (stored && !(As<T>(o)->*stored)())
            return std::nullopt;
        if (!stored && def && *def == value)
            return std::nullopt;
        return ColorValue(value);
    };
    return p;
}

// Enumerations are stored by member name; names[i] is member i.
template <class T, class E>
PropertyInfo Enum(const std::string& name, E (T::*get)() const, void (T::*set)(E), std::vector<std::string> names,
                  std::optional<E> def)
{
    PropertyInfo p;
    p.name = name;
    p.read = [set, names](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        (As<T>(o)->*set)(static_cast<E>(ExpectEnum(v, names, ctx)));
    };
    p.write = [get, def, names](const TPersistent* o) -> std::optional<FormValue> {
        const E value = (As<T>(o)->*get)();
        if (def && *def == value)
            return std::nullopt;
        const auto index = static_cast<size_t>(value);
        if (index >= names.size())
            return FormValue::Int(static_cast<int64_t>(index));
        return FormValue::Identifier(names[index]);
    };
    return p;
}

// Sets are stored as [member, ...]; bit i is names[i].
template <class T, class S>
PropertyInfo Set(const std::string& name, S (T::*get)() const, void (T::*set)(S), std::vector<std::string> names,
                 std::optional<S> def)
{
    PropertyInfo p;
    p.name = name;
    p.read = [set, names](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        (As<T>(o)->*set)(static_cast<S>(ExpectSet(v, names, ctx)));
    };
    p.write = [get, def, names](const TPersistent* o) -> std::optional<FormValue> {
        const S value = (As<T>(o)->*get)();
        if (def && *def == value)
            return std::nullopt;
        return SetValue(static_cast<uint32_t>(value), names);
    };
    return p;
}

// The event a stored handler name stands for: a method of the form being read
// whose signature fits the event.
template <class Ev>
Ev ResolveHandler(const std::string& name, const FormValue& v, LoadContext& ctx)
{
    const std::string& handler = ExpectIdent(v, ctx);
    const std::any* found = ctx.root ? ctx.root->FindHandler(handler) : nullptr;
    if (!found)
        ctx.Fail(v.pos, "unknown handler '" + handler + "' for " + name);
    const auto* fn = std::any_cast<typename Ev::Handler>(found);
    if (!fn)
        ctx.Fail(v.pos, "handler '" + handler + "' does not fit the event " + name);
    return Ev(*fn, handler);
}

// An event bound by handler name to a method of the form being read.
template <class T, class Ev>
PropertyInfo Event(const std::string& name, Ev T::*member)
{
    PropertyInfo p;
    p.name = name;
    p.read = [member, name](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        As<T>(o)->*member = ResolveHandler<Ev>(name, v, ctx);
    };
    p.write = [member](const TPersistent* o) -> std::optional<FormValue> {
        const Ev& ev = As<T>(o)->*member;
        if (!ev || ev.HandlerName().empty())
            return std::nullopt;
        return FormValue::Identifier(ev.HandlerName());
    };
    return p;
}

// A font sub-object, stored (as Font.Charset, Font.Color, ...) only when stored() says so.
template <class T>
PropertyInfo FontObject(const std::string& name, TFont& (T::*get)(), bool (T::*stored)() const)
{
    PropertyInfo p;
    p.name = name;
    p.subObject = [get](TPersistent* o) -> TPersistent* { return &(As<T>(o)->*get)(); };
    p.subClass = ClassRegistry::Instance().Find("TFont");
    p.subStored = [stored](const TPersistent* o) { return !stored || (As<T>(o)->*stored)(); };
    return p;
}

// The stored form of a reference to another component: its name, or nothing
// when there is none or it has no name.
std::optional<FormValue> ReferenceValue(const TComponent* target);

// A reference to another component of the definition, by name. A component
// read already is set at once; a later one is handed over by name through
// setName, for the owner to look up when loading ends. kind names the class
// wanted in the error ("an image list").
template <class T, class Target>
PropertyInfo Reference(const std::string& name, Target* (T::*get)() const, void (T::*set)(Target*),
                       void (T::*setName)(const QString&), const char* kind)
{
    PropertyInfo p;
    p.name = name;
    p.read = [=](TPersistent* o, const FormValue& v, LoadContext& ctx) {
        const QString ref = QString::fromStdString(ExpectIdent(v, ctx));
        TComponent* found = ctx.root ? ctx.root->FindComponent(ref) : nullptr;
        if (found && !dynamic_cast<Target*>(found))
            ctx.Fail(v.pos, name + " '" + ref.toStdString() + "' is not " + kind);
        if (found)
            (As<T>(o)->*set)(static_cast<Target*>(found));
        else
            (As<T>(o)->*setName)(ref);
    };
    p.write = [get](const TPersistent* o) { return ReferenceValue((As<T>(o)->*get)()); };
    return p;
}

// Registers TFont's own properties; called once before any FontObject.
void RegisterFontClass();

} // namespace props
