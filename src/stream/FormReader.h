#pragma once

// Reads the text notation of a stored screen definition into a FormObject tree.
// Faults never crash: each one is an EFormError naming the resource, the line
// and column (1-based) and what is wrong there.

#include <string>
#include <string_view>

#include "stream/FormLexer.h"
#include "stream/FormValue.h"

class FormReader {
public:
    // Objects, lists and collection items together may nest this deep; hostile
    // text cannot exhaust the stack.
    static constexpr int MaxDepth = 256;

    FormReader(std::string_view text, std::string resourceName);
    FormObject Read();

private:
    class DepthGuard;

    void Advance() { token_ = lexer_.Next(); }
    [[noreturn]] void Fail(SourcePos pos, const std::string& problem) const { lexer_.Fail(pos, problem); }
    [[noreturn]] void Unexpected(const std::string& expected) const;
    bool AtObjectStart() const;

    FormObject ReadObject();
    std::string ReadPlainName(const char* what);
    void ReadProperty(std::vector<FormProperty>& properties);
    FormValue ReadValue();
    FormValue ReadString();
    FormValue ReadSet();
    FormValue ReadList();
    FormValue ReadCollection();
    FormItem ReadItem();

    FormLexer lexer_;
    FormToken token_;
    int depth_ = 0;
};

FormObject ReadForm(std::string_view text, const std::string& resourceName);
