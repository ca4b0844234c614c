#pragma once

// Writes a FormObject tree in the text notation of stored screen definitions:
// two-space indentation, one list entry per line, binary blocks in lines of at
// most 64 hex digits. Reading the text back gives an equal tree, and writing
// that tree again gives the same text.

#include <string>

#include "stream/FormValue.h"

class FormWriter {
public:
    static constexpr size_t HexDigitsPerLine = 64;
    // Longer strings are split into '+'-joined pieces of this many characters.
    static constexpr size_t StringPieceLength = 64;

    // Fails with EInvalidOperation for a tree that could not be read back: names
    // that are no identifiers, text that is not UTF-8, infinite or NaN numbers,
    // nesting deeper than the reader accepts.
    std::string Write(const FormObject& root);

private:
    void WriteObject(const FormObject& object, int indent);
    void WriteProperties(const std::vector<FormProperty>& properties, int indent, bool inObject);
    void WriteValue(const FormValue& value, int indent);
    void WriteString(const std::string& text, int indent);
    void WriteFloat(double value);
    void NewLine(int indent);
    void Enter();
    [[noreturn]] void Fail(const std::string& problem) const;

    std::string out_;
    std::string where_; // object path and property, for messages
    int depth_ = 0;
};

std::string WriteForm(const FormObject& root);
