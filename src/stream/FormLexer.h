#pragma once

// Splits the text notation of a stored definition into tokens. A string token
// already joins adjacent quoted parts and #nnn codes; "+" joining across lines
// is left to the reader. Every fault is an EFormError at the offending place.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "stream/FormValue.h"

struct FormToken {
    enum class Kind : uint8_t { EndOfText, Ident, Integer, Float, String, Binary, Symbol };

    Kind kind = Kind::EndOfText;
    char symbol = 0;           // one of = : , [ ] ( ) < > +
    std::string text;          // Ident (possibly dotted) or String (UTF-8)
    int64_t integer = 0;
    double real = 0;
    std::vector<uint8_t> bytes; // Binary
    SourcePos pos;

    bool IsSymbol(char c) const { return kind == Kind::Symbol && symbol == c; }
    // Case-insensitive, as the notation's keywords are.
    bool IsKeyword(std::string_view word) const;
    // "end of text", "'Caption'", "'('", "a string", ... for messages.
    std::string Describe() const;
};

class FormLexer {
public:
    FormLexer(std::string_view text, std::string resource);

    FormToken Next();
    const std::string& Resource() const { return resource_; }
    [[noreturn]] void Fail(SourcePos pos, const std::string& problem) const;

private:
    bool AtEnd() const { return offset_ >= text_.size(); }
    unsigned char Peek(size_t ahead = 0) const
    {
        return offset_ + ahead < text_.size() ? static_cast<unsigned char>(text_[offset_ + ahead]) : 0;
    }
    SourcePos Here() const { return {line_, column_}; }
    void Advance(size_t count = 1);
    void SkipWhitespace();

    void ReadIdent(FormToken& token);
    void ReadNumber(FormToken& token);
    void ReadString(FormToken& token);
    void ReadQuotedPart(std::string& out);
    char32_t ReadCharCode();
    void ReadBinary(FormToken& token);
    [[noreturn]] void FailBadCharacter();

    std::string_view text_;
    std::string resource_;
    size_t offset_ = 0;
    int line_ = 1;
    int column_ = 1;
};

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t codePoint);
// Decodes one well-formed UTF-8 sequence at text[offset]; returns its length, or 0
// when the bytes there are not valid UTF-8 (overlong forms and surrogates included).
size_t DecodeUtf8(std::string_view text, size_t offset, char32_t& codePoint);
