#pragma once

// Classes that stored definitions may name, with their published properties:
// how a stored value is applied, and what value (if any) is stored.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "stream/FormValue.h"

class TComponent;
class TCustomForm;

// What applying a stored value needs to know besides the value itself.
struct LoadContext {
    std::string resource;
    TCustomForm* root = nullptr;

    [[noreturn]] void Fail(SourcePos pos, const std::string& problem) const
    {
        throw EFormError(resource, pos, problem);
    }
};

struct ClassInfo;

struct PropertyInfo {
    std::string name;
    // Applies a stored value; reports a wrong kind or value through ctx.Fail.
    std::function<void(TPersistent* object, const FormValue& value, LoadContext& ctx)> read;
    // The value to store, or nothing when the property is at its default.
    std::function<std::optional<FormValue>(const TPersistent* object)> write;
    // For properties that hold an object (Font): the object, whose own properties
    // are addressed with dotted names.
    std::function<TPersistent*(TPersistent* object)> subObject;
    const ClassInfo* subClass = nullptr;
    // Whether the sub-object is stored at all (Font only when not the parent's).
    std::function<bool(const TPersistent* object)> subStored;
    // False for a name the class takes back from an ancestor that publishes it
    // (an edit's Caption): stored values of it are refused.
    bool published = true;
};

struct ClassInfo {
    std::string name;
    const ClassInfo* parent = nullptr;
    // Creates an instance owned by owner; empty for classes that cannot be named
    // in a stored definition on their own.
    std::function<TComponent*(TComponent* owner)> create;
    std::vector<PropertyInfo> properties;

    // Case-insensitive, own class first, then the ancestors.
    const PropertyInfo* Find(const std::string& propertyName) const;
    // Whether the class's nearest declaration of the name publishes it.
    bool Publishes(const std::string& propertyName) const;
    // Ancestors' properties first, in declaration order; a redeclared property
    // keeps the place of its first declaration.
    std::vector<const PropertyInfo*> AllProperties() const;
    bool InheritsFrom(const std::string& className) const;

    ClassInfo& Add(PropertyInfo info)
    {
        properties.push_back(std::move(info));
        return *this;
    }
};

class ClassRegistry {
public:
    // The registry of the current application context.
    static ClassRegistry& Instance();

    // Registers (or returns the already registered) class; parent must exist.
    ClassInfo& Register(const std::string& name, const std::string& parent,
                        std::function<TComponent*(TComponent*)> create = {});
    // The same under the name the class gives itself (T::StaticClassName).
    template <class T>
    ClassInfo& Register(const std::string& parent, std::function<TComponent*(TComponent*)> create = {})
    {
        return Register(NameOf<T>(), parent, std::move(create));
    }
    const ClassInfo* Find(const std::string& name) const;
    const ClassInfo* ForObject(const TPersistent* object) const;
    // Every registered name, in name order.
    std::vector<std::string> ClassNames() const;

    // T::StaticClassName, checked at compile time to be T's own: a class that
    // forgot to name itself would inherit its base's name and take its place.
    template <class T>
    static constexpr const char* NameOf()
    {
        static_assert(std::is_same_v<decltype(&T::ClassName), const char* (T::*)() const>,
                      "a class named by type declares its own ClassName and StaticClassName");
        return T::StaticClassName();
    }

private:
    std::map<std::string, std::unique_ptr<ClassInfo>> classes_;
};
