#include "stream/FormLexer.h"

#include <charconv>
#include <cmath>

namespace {

bool IsIdentStart(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsIdentChar(unsigned char c)
{
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}

bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

int HexDigit(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool IsHighSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char32_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

size_t DecodeUtf8(std::string_view text, size_t offset, char32_t& codePoint)
{
    const auto byte = [&](size_t i) -> unsigned {
        return offset + i < text.size() ? static_cast<unsigned char>(text[offset + i]) : 0u;
    };
    const unsigned b0 = byte(0);
    size_t length;
    char32_t c;
    char32_t minimum;
    if (b0 < 0x80) {
        codePoint = b0;
        return offset < text.size() ? 1 : 0;
    } else if ((b0 & 0xE0) == 0xC0) {
        length = 2, c = b0 & 0x1F, minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, c = b0 & 0x0F, minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, c = b0 & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        const unsigned b = byte(i);
        if ((b & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || IsHighSurrogate(c) || IsLowSurrogate(c))
        return 0;
    codePoint = c;
    return length;
}

bool FormToken::IsKeyword(std::string_view word) const
{
    if (kind != Kind::Ident || text.size() != word.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i) {
        char a = text[i];
        if (a >= 'A' && a <= 'Z')
            a = static_cast<char>(a - 'A' + 'a');
        if (a != word[i])
            return false;
    }
    return true;
}

std::string FormToken::Describe() const
{
    switch (kind) {
    case Kind::EndOfText:
        return "end of text";
    case Kind::Ident:
        return "'" + text + "'";
    case Kind::Integer:
    case Kind::Float:
        return "a number";
    case Kind::String:
        return "a string";
    case Kind::Binary:
        return "a binary block";
    case Kind::Symbol:
        return std::string("'") + symbol + "'";
    }
    return "an unknown token";
}

FormLexer::FormLexer(std::string_view text, std::string resource) : text_(text), resource_(std::move(resource))
{
    if (text_.substr(0, 3) == "\xEF\xBB\xBF")
        offset_ = 3;
}

void FormLexer::Fail(SourcePos pos, const std::string& problem) const
{
    throw EFormError(resource_, pos, problem);
}

void FormLexer::Advance(size_t count)
{
    for (; count > 0 && offset_ < text_.size(); --count, ++offset_) {
        const unsigned char c = static_cast<unsigned char>(text_[offset_]);
        if (c == '\n' || (c == '\r' && Peek(1) != '\n')) {
            ++line_;
            column_ = 1;
        } else if ((c & 0xC0) != 0x80 && c != '\r') {
            // Columns count characters, not bytes, so that messages match what an editor shows.
            ++column_;
        }
    }
}

void FormLexer::SkipWhitespace()
{
    while (!AtEnd()) {
        const unsigned char c = Peek();
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            break;
        Advance();
    }
}

FormToken FormLexer::Next()
{
    SkipWhitespace();
    FormToken token;
    token.pos = Here();
    if (AtEnd())
        return token;
    const unsigned char c = Peek();
    if (IsIdentStart(c)) {
        ReadIdent(token);
    } else if (IsDigit(c) || c == '$' || (c == '-' && IsDigit(Peek(1)))) {
        ReadNumber(token);
    } else if (c == '\'' || c == '#') {
        ReadString(token);
    } else if (c == '{') {
        ReadBinary(token);
    } else {
        switch (c) {
        case '=':
        case ':':
        case ',':
        case '[':
        case ']':
        case '(':
        case ')':
        case '<':
        case '>':
        case '+':
            token.kind = FormToken::Kind::Symbol;
            token.symbol = static_cast<char>(c);
            Advance();
            break;
        default:
            FailBadCharacter();
        }
    }
    return token;
}

void FormLexer::FailBadCharacter()
{
    const unsigned char c = Peek();
    if (c >= 0x20 && c < 0x7F)
        Fail(Here(), std::string("bad character '") + static_cast<char>(c) + "'");
    if (c < 0x80)
        Fail(Here(), "bad character #" + std::to_string(c));
    char32_t code;
    const size_t length = DecodeUtf8(text_, offset_, code);
    if (length == 0)
        Fail(Here(), "bad character: byte #" + std::to_string(c) + " is not valid UTF-8");
    Fail(Here(), "bad character '" + std::string(text_.substr(offset_, length)) + "'");
}

void FormLexer::ReadIdent(FormToken& token)
{
    token.kind = FormToken::Kind::Ident;
    const size_t start = offset_;
    for (;;) {
        while (IsIdentChar(Peek()))
            Advance();
        if (Peek() != '.')
            break;
        if (!IsIdentStart(Peek(1))) {
            Advance();
            Fail(Here(), "name '" + std::string(text_.substr(start, offset_ - start)) + "' has an empty part after '.'");
        }
        Advance();
    }
    token.text = std::string(text_.substr(start, offset_ - start));
}

void FormLexer::ReadNumber(FormToken& token)
{
    const size_t start = offset_;
    const SourcePos pos = Here();
    const auto badTail = [&] {
        const unsigned char c = Peek();
        return IsIdentChar(c) || c == '.' || c == '$';
    };
    const auto failBad = [&] {
        while (badTail() || IsDigit(Peek()) || Peek() == '-' || Peek() == '+')
            Advance();
        Fail(pos, "bad number '" + std::string(text_.substr(start, offset_ - start)) + "'");
    };

    if (Peek() == '$') {
        Advance();
        uint64_t value = 0;
        int digits = 0;
        int d;
        while ((d = HexDigit(Peek())) >= 0) {
            if (value >> 60)
                Fail(pos, "number out of range: more than 64 bits of hex digits");
            value = (value << 4) | static_cast<uint64_t>(d);
            ++digits;
            Advance();
        }
        if (digits == 0 || badTail())
            failBad();
        token.kind = FormToken::Kind::Integer;
        // Sixteen hex digits are the two's complement bit pattern, as written for negative 64-bit values.
        token.integer = static_cast<int64_t>(value);
        return;
    }

    bool isFloat = false;
    if (Peek() == '-')
        Advance();
    while (IsDigit(Peek()))
        Advance();
    if (Peek() == '.') {
        if (!IsDigit(Peek(1)))
            failBad();
        isFloat = true;
        Advance();
        while (IsDigit(Peek()))
            Advance();
    }
    if (Peek() == 'e' || Peek() == 'E') {
        size_t ahead = 1;
        if (Peek(ahead) == '+' || Peek(ahead) == '-')
            ++ahead;
        if (!IsDigit(Peek(ahead)))
            failBad();
        isFloat = true;
        Advance(ahead);
        while (IsDigit(Peek()))
            Advance();
    }
    if (badTail())
        failBad();

    const char* first = text_.data() + start;
    const char* last = text_.data() + offset_;
    if (isFloat) {
        double value = 0;
        const auto [end, ec] = std::from_chars(first, last, value);
        if (ec == std::errc::result_out_of_range || (ec == std::errc() && !std::isfinite(value)))
            Fail(pos, "number out of range '" + std::string(first, last) + "'");
        if (ec != std::errc() || end != last)
            failBad();
        token.kind = FormToken::Kind::Float;
        token.real = value;
    } else {
        int64_t value = 0;
        const auto [end, ec] = std::from_chars(first, last, value);
        if (ec == std::errc::result_out_of_range)
            Fail(pos, "integer out of range '" + std::string(first, last) + "'");
        if (ec != std::errc() || end != last)
            failBad();
        token.kind = FormToken::Kind::Integer;
        token.integer = value;
    }
}

void FormLexer::ReadString(FormToken& token)
{
    token.kind = FormToken::Kind::String;
    // A UTF-16 pair written as two codes (#55357#56832) stands for one character.
    char32_t pendingHigh = 0;
    SourcePos pendingPos;
    for (;;) {
        const unsigned char c = Peek();
        if (c != '\'' && c != '#')
            break;
        if (c == '\'') {
            if (pendingHigh)
                Fail(pendingPos, "character code #" + std::to_string(pendingHigh) + " is half of a surrogate pair");
            ReadQuotedPart(token.text);
            continue;
        }
        const SourcePos codePos = Here();
        const char32_t code = ReadCharCode();
        if (pendingHigh) {
            if (!IsLowSurrogate(code))
                Fail(pendingPos, "character code #" + std::to_string(pendingHigh) + " is half of a surrogate pair");
            AppendUtf8(token.text, 0x10000 + ((pendingHigh - 0xD800) << 10) + (code - 0xDC00));
            pendingHigh = 0;
        } else if (IsHighSurrogate(code)) {
            pendingHigh = code;
            pendingPos = codePos;
        } else if (IsLowSurrogate(code)) {
            Fail(codePos, "character code #" + std::to_string(code) + " is half of a surrogate pair");
        } else {
            AppendUtf8(token.text, code);
        }
    }
    if (pendingHigh)
        Fail(pendingPos, "character code #" + std::to_string(pendingHigh) + " is half of a surrogate pair");
}

void FormLexer::ReadQuotedPart(std::string& out)
{
    const SourcePos open = Here();
    Advance();
    for (;;) {
        if (AtEnd() || Peek() == '\n' || Peek() == '\r')
            Fail(open, "unterminated string");
        const unsigned char c = Peek();
        if (c == '\'') {
            if (Peek(1) != '\'') {
                Advance();
                return;
            }
            out += '\'';
            Advance(2);
        } else if (c < 0x20 && c != '\t') {
            Fail(Here(), "control character #" + std::to_string(c) + " in string; write it as #" + std::to_string(c));
        } else if (c < 0x80) {
            out += static_cast<char>(c);
            Advance();
        } else {
            char32_t code;
            const size_t length = DecodeUtf8(text_, offset_, code);
            if (length == 0)
                Fail(Here(), "string is not valid UTF-8");
            out.append(text_.substr(offset_, length));
            Advance(length);
        }
    }
}

char32_t FormLexer::ReadCharCode()
{
    const SourcePos pos = Here();
    Advance(); // '#'
    const bool hex = Peek() == '$';
    if (hex)
        Advance();
    uint32_t value = 0;
    int digits = 0;
    for (;;) {
        const int d = hex ? HexDigit(Peek()) : (IsDigit(Peek()) ? Peek() - '0' : -1);
        if (d < 0)
            break;
        value = value * (hex ? 16 : 10) + static_cast<uint32_t>(d);
        if (value > 0x10FFFF)
            Fail(pos, "character code out of range");
        ++digits;
        Advance();
    }
    if (digits == 0)
        Fail(pos, "'#' must be followed by a character code");
    if (IsIdentChar(Peek()))
        Fail(pos, "bad character code");
    return value;
}

void FormLexer::ReadBinary(FormToken& token)
{
    token.kind = FormToken::Kind::Binary;
    const SourcePos open = Here();
    Advance();
    int high = -1;
    for (;;) {
        if (AtEnd())
            Fail(open, "unterminated binary block");
        const unsigned char c = Peek();
        if (c == '}') {
            if (high >= 0)
                Fail(Here(), "odd number of hex digits in binary block");
            Advance();
            return;
        }
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            Advance();
            continue;
        }
        const int d = HexDigit(c);
        if (d < 0) {
            if (c >= 0x20 && c < 0x7F) {
                // Built in place: GCC 12 misreads the moves of a chain of + here as out of bounds.
                std::string problem = "bad character '";
                problem += static_cast<char>(c);
                Fail(Here(), problem + "' in binary block");
            }
            Fail(Here(), "bad character #" + std::to_string(c) + " in binary block");
        }
        if (high < 0) {
            high = d;
        } else {
            token.bytes.push_back(static_cast<uint8_t>((high << 4) | d));
            high = -1;
        }
        Advance();
    }
}
