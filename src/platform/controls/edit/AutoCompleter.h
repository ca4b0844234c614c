#pragma once

// Auto-completion for the masked edit: Qt's completer stands in for the
// platform's shell auto-complete object. Suggestions come from a string
// enumerator that is reset each time suggestions are wanted (after every
// typed character), so its owner can refill it for the present context.

#include <memory>

#include <QStringList>

class TCustomMaskEdit;
class QCompleter;
class QObject;

// The platform's string enumerator contract (answers 0 = S_OK, 1 = S_FALSE).
class IEnumString {
public:
    static constexpr int S_OK = 0;
    static constexpr int S_FALSE = 1;
    virtual ~IEnumString() = default;
    // Up to count strings from the present position; fetched says how many.
    virtual int Next(int count, QStringList& strings, int& fetched) = 0;
    virtual int Skip(int count) = 0;
    virtual int Reset() = 0;
    virtual std::unique_ptr<IEnumString> Clone() const = 0;
};

class TShellAutoComplete {
public:
    enum : unsigned { ACO_NONE = 0, ACO_AUTOSUGGEST = 1, ACO_AUTOAPPEND = 2 };

    // Neither pointer is owned; both must outlive the object.
    TShellAutoComplete(TCustomMaskEdit* edit, IEnumString* source);
    ~TShellAutoComplete();

    void Enable(bool on);
    bool Enabled() const { return enabled_; }
    void SetOptions(unsigned options) { options_ = options; }
    unsigned Options() const { return options_; }

    // Resets the enumerator and reads every string it offers.
    QStringList ReadAll();
    // The offered strings that begin with prefix (case-insensitive).
    QStringList Suggestions(const QString& prefix);
    // What a typed character triggers: suggestions, the appended rest.
    void Typed();

private:
    class KeyWatch;
    TCustomMaskEdit* edit_;
    IEnumString* source_;
    bool enabled_ = false;
    unsigned options_ = ACO_NONE;
    std::unique_ptr<KeyWatch> watch_;
    std::unique_ptr<QCompleter> completer_;
};
