#pragma once

// Auto-completion of the in-place editor's esDropDown style. TEnumString hands
// a string list to the platform's auto-completion one batch at a time and
// tells its owner when the platform starts over (Reset), so the list can be
// refilled for the present cell. TAutoCompleteControl ties the two to an edit.

#include <functional>
#include <memory>

#include <QStringList>

#include "platform/controls/edit/AutoCompleter.h"

class TCustomMaskEdit;

class TEnumString : public IEnumString {
public:
    // The list is not owned.
    explicit TEnumString(const QStringList* list) : List(list) {}

    int Next(int count, QStringList& strings, int& fetched) override;
    int Skip(int count) override;
    int Reset() override;
    std::unique_ptr<IEnumString> Clone() const override;

    int Index = 0;
    const QStringList* List;
    std::function<void()> ResetHandler;
};

class TAutoCompleteControl {
public:
    static constexpr unsigned OptionsOn = TShellAutoComplete::ACO_AUTOSUGGEST | TShellAutoComplete::ACO_AUTOAPPEND;

    // edit is required; refill fills the list afresh (the grid's drop-down list).
    TAutoCompleteControl(TCustomMaskEdit* edit, std::function<void(QStringList&)> refill);
    ~TAutoCompleteControl();

    void Enable(bool on);
    bool Enabled() const { return enabled_; }
    const QStringList& List() const { return list_; }
    TEnumString* Enumerator() const { return enumerator_.get(); }
    TShellAutoComplete* Shell() const { return shell_.get(); }

private:
    void Refill();

    bool enabled_ = false;
    QStringList list_;
    std::unique_ptr<TEnumString> enumerator_;
    std::unique_ptr<TShellAutoComplete> shell_;
    std::function<void(QStringList&)> refill_;
};
