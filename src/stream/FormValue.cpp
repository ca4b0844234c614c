#include "stream/FormValue.h"

#include <utility>

namespace {

// A value of the kind with the one field that kind uses.
template <class T>
FormValue Made(FormValue::Kind kind, T FormValue::*field, T value)
{
    FormValue r;
    r.kind = kind;
    r.*field = std::move(value);
    return r;
}

} // namespace

FormValue FormValue::Int(int64_t v)
{
    return Made(Kind::Integer, &FormValue::integer, v);
}

FormValue FormValue::Real(double v)
{
    return Made(Kind::Float, &FormValue::real, v);
}

FormValue FormValue::Str(std::string v)
{
    return Made(Kind::String, &FormValue::text, std::move(v));
}

FormValue FormValue::Identifier(std::string v)
{
    return Made(Kind::Ident, &FormValue::text, std::move(v));
}

FormValue FormValue::SetOf(std::vector<std::string> members)
{
    return Made(Kind::Set, &FormValue::set, std::move(members));
}

FormValue FormValue::ListOf(std::vector<FormValue> entries)
{
    return Made(Kind::List, &FormValue::list, std::move(entries));
}

FormValue FormValue::CollectionOf(std::vector<FormItem> items)
{
    return Made(Kind::Collection, &FormValue::items, std::move(items));
}

FormValue FormValue::BinaryOf(std::vector<uint8_t> bytes)
{
    return Made(Kind::Binary, &FormValue::bytes, std::move(bytes));
}

bool FormValue::IsBool() const
{
    return kind == Kind::Ident && (text == "True" || text == "False");
}

bool operator==(const FormValue& a, const FormValue& b)
{
    if (a.kind != b.kind)
        return false;
    switch (a.kind) {
    case FormValue::Kind::Integer:
        return a.integer == b.integer;
    case FormValue::Kind::Float:
        return a.real == b.real;
    case FormValue::Kind::String:
    case FormValue::Kind::Ident:
        return a.text == b.text;
    case FormValue::Kind::Set:
        return a.set == b.set;
    case FormValue::Kind::List:
        return a.list == b.list;
    case FormValue::Kind::Collection:
        return a.items == b.items;
    case FormValue::Kind::Binary:
        return a.bytes == b.bytes;
    }
    return false;
}

const char* FormValue::DescribeKind(Kind kind)
{
    switch (kind) {
    case Kind::Integer:
        return "an integer";
    case Kind::Float:
        return "a floating-point number";
    case Kind::String:
        return "a string";
    case Kind::Ident:
        return "an identifier";
    case Kind::Set:
        return "a set";
    case Kind::List:
        return "a list";
    case Kind::Collection:
        return "a collection";
    case Kind::Binary:
        return "a binary block";
    }
    return "an unknown value";
}

const FormProperty* FindFormProperty(const std::vector<FormProperty>& properties, const std::string& name)
{
    for (const auto& p : properties)
        if (p.name == name)
            return &p;
    return nullptr;
}

const FormProperty* FormItem::Find(const std::string& propertyName) const
{
    return FindFormProperty(properties, propertyName);
}

const FormProperty* FormObject::Find(const std::string& propertyName) const
{
    return FindFormProperty(properties, propertyName);
}

const FormObject* FormObject::FindChild(const std::string& childName) const&
{
    for (const auto& c : children)
        if (c.name == childName)
            return &c;
    return nullptr;
}

EFormError::EFormError(const std::string& resource, SourcePos pos, const std::string& problem)
    : Exception(resource + ":" + std::to_string(pos.line) + ":" + std::to_string(pos.column) + ": " + problem),
      resource_(resource), pos_(pos), problem_(problem)
{
}

void EFormError::ExpectKind(const std::string& resource, const FormProperty& property, FormValue::Kind kind)
{
    if (property.value.kind != kind)
        throw EFormError(resource, property.value.pos,
                         std::string("expected ") + FormValue::DescribeKind(kind) + " for '" + property.name +
                             "', found " + property.value.Describe());
}
