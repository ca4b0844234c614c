#include "stream/FormReader.h"

class FormReader::DepthGuard {
public:
    DepthGuard(FormReader& reader, SourcePos pos) : reader_(reader)
    {
        if (++reader_.depth_ > MaxDepth)
            reader_.Fail(pos, "nesting deeper than " + std::to_string(MaxDepth) + " levels");
    }
    ~DepthGuard() { --reader_.depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    FormReader& reader_;
};

FormReader::FormReader(std::string_view text, std::string resourceName) : lexer_(text, std::move(resourceName))
{
}

void FormReader::Unexpected(const std::string& expected) const
{
    Fail(token_.pos, "expected " + expected + ", found " + token_.Describe());
}

bool FormReader::AtObjectStart() const
{
    return token_.IsKeyword("object") || token_.IsKeyword("inherited") || token_.IsKeyword("inline");
}

FormObject FormReader::Read()
{
    depth_ = 0;
    Advance();
    if (!AtObjectStart())
        Unexpected("'object', 'inherited' or 'inline'");
    FormObject root = ReadObject();
    if (token_.kind != FormToken::Kind::EndOfText)
        Fail(token_.pos, "unexpected text after the final 'end'");
    return root;
}

std::string FormReader::ReadPlainName(const char* what)
{
    if (token_.kind != FormToken::Kind::Ident)
        Unexpected(what);
    if (token_.text.find('.') != std::string::npos)
        Fail(token_.pos, std::string("bad ") + what + " '" + token_.text + "': it must not contain '.'");
    std::string name = std::move(token_.text);
    Advance();
    return name;
}

FormObject FormReader::ReadObject()
{
    FormObject object;
    object.pos = token_.pos;
    DepthGuard guard(*this, object.pos);
    object.origin = token_.IsKeyword("object")      ? FormObject::Origin::Object
                    : token_.IsKeyword("inherited") ? FormObject::Origin::Inherited
                                                    : FormObject::Origin::Inline;
    Advance();
    std::string first = ReadPlainName("an object name or class name");
    if (token_.IsSymbol(':')) {
        Advance();
        object.name = std::move(first);
        object.className = ReadPlainName("a class name");
    } else {
        object.className = std::move(first);
    }

    for (;;) {
        if (token_.kind == FormToken::Kind::EndOfText)
            Fail(token_.pos, "unexpected end of text: 'end' missing for object '" +
                                 (object.name.empty() ? object.className : object.name) + "' opened at line " +
                                 std::to_string(object.pos.line));
        if (token_.IsKeyword("end")) {
            Advance();
            return object;
        }
        if (AtObjectStart())
            object.children.push_back(ReadObject());
        else if (token_.kind == FormToken::Kind::Ident)
            ReadProperty(object.properties);
        else if (token_.IsSymbol('='))
            Fail(token_.pos, "empty property name");
        else
            Unexpected("a property, 'object' or 'end'");
    }
}

void FormReader::ReadProperty(std::vector<FormProperty>& properties)
{
    FormProperty property;
    property.pos = token_.pos;
    property.name = std::move(token_.text);
    Advance();
    if (!token_.IsSymbol('='))
        Fail(token_.pos, "expected '=' after property name '" + property.name + "', found " + token_.Describe());
    Advance();
    property.value = ReadValue();
    properties.push_back(std::move(property));
}

FormValue FormReader::ReadValue()
{
    FormValue value;
    const SourcePos pos = token_.pos;
    switch (token_.kind) {
    case FormToken::Kind::Integer:
        value = FormValue::Int(token_.integer);
        break;
    case FormToken::Kind::Float:
        value = FormValue::Real(token_.real);
        break;
    case FormToken::Kind::Ident:
        value = FormValue::Identifier(std::move(token_.text));
        break;
    case FormToken::Kind::Binary:
        value = FormValue::BinaryOf(std::move(token_.bytes));
        break;
    case FormToken::Kind::String:
        value = ReadString();
        value.pos = pos;
        return value;
    case FormToken::Kind::Symbol:
        if (token_.symbol == '[')
            value = ReadSet();
        else if (token_.symbol == '(')
            value = ReadList();
        else if (token_.symbol == '<')
            value = ReadCollection();
        else
            Unexpected("a value");
        value.pos = pos;
        return value;
    case FormToken::Kind::EndOfText:
        Unexpected("a value");
    }
    value.pos = pos;
    Advance();
    return value;
}

FormValue FormReader::ReadString()
{
    std::string text = std::move(token_.text);
    Advance();
    while (token_.IsSymbol('+')) {
        Advance();
        if (token_.kind != FormToken::Kind::String)
            Unexpected("a string after '+'");
        text += token_.text;
        Advance();
    }
    return FormValue::Str(std::move(text));
}

FormValue FormReader::ReadSet()
{
    std::vector<std::string> members;
    Advance();
    if (token_.IsSymbol(']')) {
        Advance();
        return FormValue::SetOf(std::move(members));
    }
    for (;;) {
        if (token_.kind != FormToken::Kind::Ident)
            Unexpected("a set member");
        members.push_back(std::move(token_.text));
        Advance();
        if (token_.IsSymbol(']')) {
            Advance();
            return FormValue::SetOf(std::move(members));
        }
        if (!token_.IsSymbol(','))
            Unexpected("',' or ']' in set");
        Advance();
    }
}

FormValue FormReader::ReadList()
{
    const SourcePos open = token_.pos;
    DepthGuard guard(*this, open);
    std::vector<FormValue> entries;
    Advance();
    while (!token_.IsSymbol(')')) {
        if (token_.kind == FormToken::Kind::EndOfText)
            Fail(token_.pos, "unexpected end of text: ')' missing for list opened at line " + std::to_string(open.line));
        entries.push_back(ReadValue());
    }
    Advance();
    return FormValue::ListOf(std::move(entries));
}

FormValue FormReader::ReadCollection()
{
    const SourcePos open = token_.pos;
    DepthGuard guard(*this, open);
    std::vector<FormItem> items;
    Advance();
    while (!token_.IsSymbol('>')) {
        if (token_.kind == FormToken::Kind::EndOfText)
            Fail(token_.pos,
                 "unexpected end of text: '>' missing for collection opened at line " + std::to_string(open.line));
        if (!token_.IsKeyword("item"))
            Unexpected("'item' or '>' in collection");
        items.push_back(ReadItem());
    }
    Advance();
    return FormValue::CollectionOf(std::move(items));
}

FormItem FormReader::ReadItem()
{
    FormItem item;
    item.pos = token_.pos;
    DepthGuard guard(*this, item.pos);
    Advance();
    for (;;) {
        if (token_.kind == FormToken::Kind::EndOfText)
            Fail(token_.pos,
                 "unexpected end of text: 'end' missing for item opened at line " + std::to_string(item.pos.line));
        if (token_.IsKeyword("end")) {
            Advance();
            return item;
        }
        if (token_.kind == FormToken::Kind::Ident)
            ReadProperty(item.properties);
        else if (token_.IsSymbol('='))
            Fail(token_.pos, "empty property name");
        else
            Unexpected("a property or 'end' in item");
    }
}

FormObject ReadForm(std::string_view text, const std::string& resourceName)
{
    return FormReader(text, resourceName).Read();
}
