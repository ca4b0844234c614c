#pragma once

// The edit mask of the masked edit: "mask;saveLiterals;blank". Mask characters
// L l (letter), A a (letter or digit), C c (any character), 0 9 (digit), # (digit
// or sign); upper case required, lower case optional. > and < switch the case of
// what follows, <> ends the switch, \ takes the next character literally, _ is a
// literal space, ! is accepted and ignored; everything else is a literal.
// A mask that cannot be parsed is inactive: the edit takes plain text.

#include <vector>

#include <QString>

class TEditMask {
public:
    TEditMask() = default;
    explicit TEditMask(const QString& mask);

    // A parsed, non-empty mask.
    bool IsActive() const { return !slots_.empty(); }
    // False when the mask text was given but could not be parsed.
    bool IsValid() const { return valid_; }
    int Length() const { return static_cast<int>(slots_.size()); }
    QChar BlankChar() const { return blank_; }
    bool SaveLiterals() const { return saveLiterals_; }
    bool IsLiteral(int pos) const;

    // The edit text for a value. A value with the literals in place (as saved)
    // is laid over the mask position by position, otherwise its characters fill
    // the editable positions in order. What does not fit is dropped; characters a
    // position refuses become blanks.
    QString Format(const QString& value) const;
    // The value of an edit text: blanks become spaces, literals are kept only
    // when they are saved, trailing spaces go.
    QString Value(const QString& editText) const;
    // Whether ch may stand at an editable position; ch is case-converted.
    bool Accepts(int pos, QChar& ch) const;
    // Types ch at pos (literals before it are stepped over). Answers the caret
    // after the character, or -1 when refused (editText unchanged).
    int Type(QString& editText, int pos, QChar ch) const;
    // Blanks the editable positions in [from, to).
    void Clear(QString& editText, int from, int to) const;
    // The nearest editable position at or before pos (-1 when none).
    int EditableBefore(int pos) const;
    // Every required position holds a character.
    bool IsComplete(const QString& editText) const;

private:
    enum TCase : uint8_t { caseKeep, caseUpper, caseLower };
    struct TSlot {
        QChar Kind;      // mask character, or 0 for a literal
        QChar Literal;   // the literal shown
        TCase Case = caseKeep;
    };
    bool Parse(const QString& maskPart);

    std::vector<TSlot> slots_;
    bool valid_ = true;
    bool saveLiterals_ = true;
    QChar blank_ = QLatin1Char('_');
};
