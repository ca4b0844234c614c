#pragma once

// The tree of a stored screen definition as text notation reads it: objects with
// a class, a name, property values and child objects. Every node keeps the place
// it was read from so that errors found later still name line and column.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/Object.h"

struct SourcePos {
    int line = 0;   // 1-based; 0 = not read from text
    int column = 0; // 1-based
};

struct FormProperty;

// One item of a collection value: a list of properties ended by "end".
struct FormItem {
    std::vector<FormProperty> properties;
    SourcePos pos;

    const FormProperty* Find(const std::string& propertyName) const;
};

struct FormValue {
    enum class Kind : uint8_t { Integer, Float, String, Ident, Set, List, Collection, Binary };

    Kind kind = Kind::Integer;
    int64_t integer = 0;
    double real = 0;
    std::string text;              // String (UTF-8) or Ident
    std::vector<std::string> set;  // Set members, in written order
    std::vector<FormValue> list;   // List entries
    std::vector<FormItem> items;   // Collection items
    std::vector<uint8_t> bytes;    // Binary block
    SourcePos pos;

    static FormValue Int(int64_t v);
    static FormValue Real(double v);
    static FormValue Str(std::string v);
    static FormValue Identifier(std::string v);
    static FormValue Bool(bool v);
    static FormValue SetOf(std::vector<std::string> members);
    static FormValue ListOf(std::vector<FormValue> entries);
    static FormValue CollectionOf(std::vector<FormItem> items);
    static FormValue BinaryOf(std::vector<uint8_t> bytes);

    bool IsBool() const;
    // "an integer", "a set", ... for messages that say what was found or expected.
    static const char* DescribeKind(Kind kind);
    const char* Describe() const { return DescribeKind(kind); }
    // Structural equality; source positions are ignored.
    friend bool operator==(const FormValue& a, const FormValue& b);
};

// "Name = value"; dotted names ("Font.Height") address sub-properties.
struct FormProperty {
    std::string name;
    FormValue value;
    SourcePos pos;
    friend bool operator==(const FormProperty& a, const FormProperty& b)
    {
        return a.name == b.name && a.value == b.value;
    }
};

// Defined here, where FormProperty is complete: clang instantiates the value's
// destructor at the point of an inline body.
inline FormValue FormValue::Bool(bool v)
{
    return Identifier(v ? "True" : "False");
}

inline bool operator==(const FormItem& a, const FormItem& b)
{
    return a.properties == b.properties;
}

struct FormObject {
    // How the object was introduced: a plain "object", or one that refines an
    // ancestor's definition ("inherited") or embeds a frame ("inline").
    enum class Origin : uint8_t { Object, Inherited, Inline };

    std::string name; // may be empty: "object TClass"
    std::string className;
    std::vector<FormProperty> properties;
    std::vector<FormObject> children;
    SourcePos pos;
    Origin origin = Origin::Object;

    const FormProperty* Find(const std::string& propertyName) const;
    // Only on an object that outlives the answer: a temporary's child would dangle.
    const FormObject* FindChild(const std::string& childName) const&;
    const FormObject* FindChild(const std::string& childName) const&& = delete;
    friend bool operator==(const FormObject& a, const FormObject& b)
    {
        return a.name == b.name && a.className == b.className && a.origin == b.origin &&
               a.properties == b.properties && a.children == b.children;
    }
};

// The first property of that name, or null.
const FormProperty* FindFormProperty(const std::vector<FormProperty>& properties, const std::string& name);

// Any fault in a stored definition: the text, where it is, and what is wrong.
class EFormError : public Exception {
public:
    EFormError(const std::string& resource, SourcePos pos, const std::string& problem);
    const std::string& Resource() const { return resource_; }
    SourcePos Pos() const { return pos_; }
    const std::string& Problem() const { return problem_; }

    // Fails with "expected <kind> for 'Name', found <kind>" unless the value has that kind.
    static void ExpectKind(const std::string& resource, const FormProperty& property, FormValue::Kind kind);

private:
    std::string resource_;
    SourcePos pos_;
    std::string problem_;
};
