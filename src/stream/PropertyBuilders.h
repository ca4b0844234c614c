#pragma once

// Building blocks for published properties: each turns a getter/setter pair into
// a PropertyInfo that checks the stored value's kind and range and knows its
// default.

#include <any>
#include <climits>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include <QString>

#include "platform/canvas/Color.h"
#include "platform/canvas/text/Font.h"
#include "platform/framework/Form.h"
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

// A member pointer of any class kept as bytes, with the small function that
// knows the class. The builders' bodies (lambdas in std::function) then exist
// once, in PropertyBuilders.cpp, instead of once per class in every file that
// publishes properties, which made those files slow to compile.
namespace detail {

struct MemberBytes {
    alignas(std::max_align_t) unsigned char bytes[2 * sizeof(void*)];

    template <class M>
    static MemberBytes Of(M member)
    {
        static_assert(sizeof(M) <= sizeof(bytes) && std::is_trivially_copyable_v<M>);
        MemberBytes m{};
        std::memcpy(m.bytes, &member, sizeof member);
        return m;
    }
    template <class M>
    M Get() const
    {
        M member;
        std::memcpy(&member, bytes, sizeof member);
        return member;
    }
};

template <class Sig>
struct Bound;
template <class R, class... A>
struct Bound<R(A...)> {
    MemberBytes member{};
    R (*call)(const MemberBytes&, A...) = nullptr;

    explicit operator bool() const { return call != nullptr; }
    R operator()(A... args) const { return call(member, args...); }
};

template <class V>
using Getter = Bound<V(const TPersistent*)>;
template <class V>
using Setter = Bound<void(TPersistent*, V)>;

// get() of a T, converted to V.
template <class V, class T, class M>
Getter<V> GetterOf(M get)
{
    return {MemberBytes::Of(get), [](const MemberBytes& m, const TPersistent* o) -> V {
                return static_cast<V>((As<T>(o)->*m.Get<M>())());
            }};
}

// set(Arg) of a T, fed with a V.
template <class V, class Arg, class T, class M>
Setter<V> SetterOf(M set)
{
    return {MemberBytes::Of(set),
            [](const MemberBytes& m, TPersistent* o, V v) { (As<T>(o)->*m.Get<M>())(static_cast<Arg>(v)); }};
}

PropertyInfo IntProperty(const std::string& name, Getter<int> get, Setter<int> set, std::optional<int> def,
                         int64_t min, int64_t max);
PropertyInfo BoolProperty(const std::string& name, Getter<bool> get, Setter<bool> set, std::optional<bool> def);
PropertyInfo StringProperty(const std::string& name, Getter<QString> get, Setter<const QString&> set,
                            std::optional<QString> def);
PropertyInfo ColorProperty(const std::string& name, Getter<TColor> get, Setter<TColor> set,
                           std::optional<TColor> def, Getter<bool> stored);
PropertyInfo EnumProperty(const std::string& name, Getter<int> get, Setter<int> set, std::vector<std::string> names,
                          std::optional<int> def);
PropertyInfo SetProperty(const std::string& name, Getter<uint32_t> get, Setter<uint32_t> set,
                         std::vector<std::string> names, std::optional<uint32_t> def);
// assign stores the handler when it fits the event and says whether it did;
// boundName is the name to store, or null.
PropertyInfo EventProperty(const std::string& name,
                           Bound<bool(TPersistent*, const std::any&, const std::string&)> assign,
                           Bound<const std::string*(const TPersistent*)> boundName);
PropertyInfo FontObjectProperty(const std::string& name, Bound<TPersistent*(TPersistent*)> get, Getter<bool> stored);
PropertyInfo ReferenceProperty(const std::string& name, Getter<const TComponent*> get, Setter<TComponent*> set,
                               Setter<const QString&> setName, bool (*fits)(const TComponent*), const char* kind);

} // namespace detail

template <class T>
PropertyInfo Int(const std::string& name, int (T::*get)() const, void (T::*set)(int),
                 std::optional<int> def = std::nullopt, int64_t min = INT_MIN, int64_t max = INT_MAX)
{
    return detail::IntProperty(name, detail::GetterOf<int, T>(get), detail::SetterOf<int, int, T>(set), def, min,
                               max);
}

template <class T>
PropertyInfo Bool(const std::string& name, bool (T::*get)() const, void (T::*set)(bool),
                  std::optional<bool> def)
{
    return detail::BoolProperty(name, detail::GetterOf<bool, T>(get), detail::SetterOf<bool, bool, T>(set), def);
}

template <class T, class Get, class Set>
PropertyInfo String(const std::string& name, Get get, Set set, std::optional<QString> def = QString())
{
    return detail::StringProperty(name, detail::GetterOf<QString, T>(get),
                                  detail::SetterOf<const QString&, const QString&, T>(set), std::move(def));
}

template <class T>
PropertyInfo Color(const std::string& name, TColor (T::*get)() const, void (T::*set)(TColor),
                   std::optional<TColor> def, bool (T::*stored)() const = nullptr)
{
    return detail::ColorProperty(name, detail::GetterOf<TColor, T>(get), detail::SetterOf<TColor, TColor, T>(set),
                                 def, stored ? detail::GetterOf<bool, T>(stored) : detail::Getter<bool>{});
}

// Enumerations are stored by member name; names[i] is member i.
template <class T, class E>
PropertyInfo Enum(const std::string& name, E (T::*get)() const, void (T::*set)(E), std::vector<std::string> names,
                  std::optional<E> def)
{
    return detail::EnumProperty(name, detail::GetterOf<int, T>(get), detail::SetterOf<int, E, T>(set),
                                std::move(names), def ? std::optional<int>(static_cast<int>(*def)) : std::nullopt);
}

// Sets are stored as [member, ...]; bit i is names[i].
template <class T, class S>
PropertyInfo Set(const std::string& name, S (T::*get)() const, void (T::*set)(S), std::vector<std::string> names,
                 std::optional<S> def)
{
    return detail::SetProperty(name, detail::GetterOf<uint32_t, T>(get), detail::SetterOf<uint32_t, S, T>(set),
                               std::move(names),
                               def ? std::optional<uint32_t>(static_cast<uint32_t>(*def)) : std::nullopt);
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
    using M = Ev T::*;
    using detail::MemberBytes;
    return detail::EventProperty(
        name,
        {MemberBytes::Of(member),
         [](const MemberBytes& m, TPersistent* o, const std::any& handler, const std::string& handlerName) {
             const auto* fn = std::any_cast<typename Ev::Handler>(&handler);
             if (fn)
                 As<T>(o)->*m.Get<M>() = Ev(*fn, handlerName);
             return fn != nullptr;
         }},
        {MemberBytes::Of(member), [](const MemberBytes& m, const TPersistent* o) -> const std::string* {
             const Ev& ev = As<T>(o)->*m.Get<M>();
             return !ev || ev.HandlerName().empty() ? nullptr : &ev.HandlerName();
         }});
}

// A font sub-object, stored (as Font.Charset, Font.Color, ...) only when stored() says so.
template <class T>
PropertyInfo FontObject(const std::string& name, TFont& (T::*get)(), bool (T::*stored)() const)
{
    using M = TFont& (T::*)();
    using detail::MemberBytes;
    return detail::FontObjectProperty(
        name,
        {MemberBytes::Of(get),
         [](const MemberBytes& m, TPersistent* o) -> TPersistent* { return &(As<T>(o)->*m.Get<M>())(); }},
        stored ? detail::GetterOf<bool, T>(stored) : detail::Getter<bool>{});
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
    return detail::ReferenceProperty(
        name, detail::GetterOf<const TComponent*, T>(get), detail::SetterOf<TComponent*, Target*, T>(set),
        detail::SetterOf<const QString&, const QString&, T>(setName),
        [](const TComponent* c) { return dynamic_cast<const Target*>(c) != nullptr; }, kind);
}

// Registers TFont's own properties; called once before any FontObject.
void RegisterFontClass();

} // namespace props
