#include "stream/FormWriter.h"

#include <charconv>
#include <cmath>

#include "stream/FormLexer.h"
#include "stream/FormReader.h"

namespace {

bool IsPlainName(std::string_view s)
{
    if (s.empty())
        return false;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
        if (!letter && !(i > 0 && c >= '0' && c <= '9'))
            return false;
    }
    return true;
}

bool IsDottedName(std::string_view s)
{
    size_t start = 0;
    for (;;) {
        const size_t dot = s.find('.', start);
        if (!IsPlainName(s.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start)))
            return false;
        if (dot == std::string_view::npos)
            return true;
        start = dot + 1;
    }
}

bool SameLetters(std::string_view a, std::string_view lowerKeyword)
{
    if (a.size() != lowerKeyword.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerKeyword[i])
            return false;
    }
    return true;
}

bool NeedsCode(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

} // namespace

void FormWriter::Fail(const std::string& problem) const
{
    throw EInvalidOperation("Cannot write stored definition" + (where_.empty() ? "" : " at " + where_) + ": " +
                            problem);
}

void FormWriter::NewLine(int indent)
{
    out_ += '\n';
    out_.append(static_cast<size_t>(indent), ' ');
}

void FormWriter::Enter()
{
    if (++depth_ > FormReader::MaxDepth)
        Fail("nesting deeper than " + std::to_string(FormReader::MaxDepth) + " levels");
}

std::string FormWriter::Write(const FormObject& root)
{
    out_.clear();
    where_.clear();
    depth_ = 0;
    WriteObject(root, 0);
    out_ += '\n';
    return std::move(out_);
}

void FormWriter::WriteObject(const FormObject& object, int indent)
{
    Enter();
    const std::string outer = where_;
    where_ = outer.empty() ? object.name : outer + "." + object.name;
    if (!object.name.empty() && !IsPlainName(object.name))
        Fail("object name '" + object.name + "' is not an identifier");
    if (!IsPlainName(object.className))
        Fail("class name '" + object.className + "' is not an identifier");

    switch (object.origin) {
    case FormObject::Origin::Object:
        out_ += "object ";
        break;
    case FormObject::Origin::Inherited:
        out_ += "inherited ";
        break;
    case FormObject::Origin::Inline:
        out_ += "inline ";
        break;
    }
    if (!object.name.empty())
        out_ += object.name + ": ";
    out_ += object.className;
    WriteProperties(object.properties, indent + 2, true);
    for (const auto& child : object.children) {
        NewLine(indent + 2);
        WriteObject(child, indent + 2);
    }
    NewLine(indent);
    out_ += "end";
    where_ = outer;
    --depth_;
}

void FormWriter::WriteProperties(const std::vector<FormProperty>& properties, int indent, bool inObject)
{
    const std::string outer = where_;
    for (const auto& property : properties) {
        where_ = outer + (outer.empty() ? "" : ".") + property.name;
        // These words start or end a block where a property name is expected.
        const bool keyword = SameLetters(property.name, "end") ||
                             (inObject && (SameLetters(property.name, "object") ||
                                           SameLetters(property.name, "inherited") ||
                                           SameLetters(property.name, "inline")));
        if (property.name.empty())
            Fail("empty property name");
        if (!IsDottedName(property.name) || keyword)
            Fail("property name '" + property.name + "' is not usable");
        NewLine(indent);
        out_ += property.name;
        out_ += " = ";
        WriteValue(property.value, indent);
    }
    where_ = outer;
}

void FormWriter::WriteValue(const FormValue& value, int indent)
{
    switch (value.kind) {
    case FormValue::Kind::Integer:
        out_ += std::to_string(value.integer);
        break;
    case FormValue::Kind::Float:
        WriteFloat(value.real);
        break;
    case FormValue::Kind::String:
        WriteString(value.text, indent);
        break;
    case FormValue::Kind::Ident:
        if (!IsDottedName(value.text))
            Fail("identifier value '" + value.text + "' is not an identifier");
        out_ += value.text;
        break;
    case FormValue::Kind::Set:
        out_ += '[';
        for (size_t i = 0; i < value.set.size(); ++i) {
            if (!IsDottedName(value.set[i]))
                Fail("set member '" + value.set[i] + "' is not an identifier");
            if (i > 0)
                out_ += ", ";
            out_ += value.set[i];
        }
        out_ += ']';
        break;
    case FormValue::Kind::List:
        Enter();
        out_ += '(';
        for (const auto& entry : value.list) {
            NewLine(indent + 2);
            WriteValue(entry, indent + 2);
        }
        out_ += ')';
        --depth_;
        break;
    case FormValue::Kind::Collection:
        Enter();
        out_ += '<';
        for (const auto& item : value.items) {
            Enter();
            NewLine(indent + 2);
            out_ += "item";
            WriteProperties(item.properties, indent + 4, false);
            NewLine(indent + 2);
            out_ += "end";
            --depth_;
        }
        out_ += '>';
        --depth_;
        break;
    case FormValue::Kind::Binary: {
        static const char digits[] = "0123456789ABCDEF";
        out_ += '{';
        for (size_t i = 0; i < value.bytes.size(); ++i) {
            if (i % (HexDigitsPerLine / 2) == 0)
                NewLine(indent + 2);
            out_ += digits[value.bytes[i] >> 4];
            out_ += digits[value.bytes[i] & 0x0F];
        }
        out_ += '}';
        break;
    }
    }
}

void FormWriter::WriteFloat(double value)
{
    if (!std::isfinite(value))
        Fail("a number that is infinite or not a number");
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    // Without a point or exponent the text would read back as an integer.
    if (text.find_first_of(".e") == std::string::npos)
        text += ".0";
    out_ += text;
}

void FormWriter::WriteString(const std::string& text, int indent)
{
    if (text.empty()) {
        out_ += "''";
        return;
    }
    bool quoted = false;
    size_t inPiece = 0;
    size_t offset = 0;
    while (offset < text.size()) {
        char32_t c;
        const size_t length = DecodeUtf8(text, offset, c);
        if (length == 0)
            Fail("string is not valid UTF-8");
        if (inPiece == StringPieceLength) {
            if (quoted)
                out_ += '\'';
            quoted = false;
            out_ += " +";
            NewLine(indent + 2);
            inPiece = 0;
        }
        if (NeedsCode(c)) {
            if (quoted)
                out_ += '\'';
            quoted = false;
            out_ += '#';
            out_ += std::to_string(static_cast<uint32_t>(c));
        } else {
            if (!quoted)
                out_ += '\'';
            quoted = true;
            if (c == '\'')
                out_ += '\'';
            out_.append(text, offset, length);
        }
        offset += length;
        ++inPiece;
    }
    if (quoted)
        out_ += '\'';
}

std::string WriteForm(const FormObject& root)
{
    return FormWriter().Write(root);
}
