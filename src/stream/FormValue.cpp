#include "stream/FormValue.h"

FormValue FormValue::Int(int64_t v)
{
    FormValue r;
    r.kind = Kind::Integer;
    r.integer = v;
    return r;
}

FormValue FormValue::Real(double v)
{
    FormValue r;
    r.kind = Kind::Float;
    r.real = v;
    return r;
}

FormValue FormValue::Str(std::string v)
{
    FormValue r;
    r.kind = Kind::String;
    r.text = std::move(v);
    return r;
}

FormValue FormValue::Identifier(std::string v)
{
    FormValue r;
    r.kind = Kind::Ident;
    r.text = std::move(v);
    return r;
}

FormValue FormValue::SetOf(std::vector<std::string> members)
{
    FormValue r;
    r.kind = Kind::Set;
    r.set = std::move(members);
    return r;
}

FormValue FormValue::ListOf(std::vector<FormValue> entries)
{
    FormValue r;
    r.kind = Kind::List;
    r.list = std::move(entries);
    return r;
}

FormValue FormValue::CollectionOf(std::vector<FormItem> items)
{
    FormValue r;
    r.kind = Kind::Collection;
    r.items = std::move(items);
    return r;
}

FormValue FormValue::BinaryOf(std::vector<uint8_t> bytes)
{
    FormValue r;
    r.kind = Kind::Binary;
    r.bytes = std::move(bytes);
    return r;
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

const FormProperty* FormObject::Find(const std::string& propertyName) const
{
    for (const auto& p : properties)
        if (p.name == propertyName)
            return &p;
    return nullptr;
}

EFormError::EFormError(const std::string& resource, SourcePos pos, const std::string& problem)
    : Exception(resource + ":" + std::to_string(pos.line) + ":" + std::to_string(pos.column) + ": " + problem),
      resource_(resource), pos_(pos), problem_(problem)
{
}
