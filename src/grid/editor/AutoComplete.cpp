#include "grid/editor/AutoComplete.h"

#include <stdexcept>

#include "platform/controls/edit/MaskEdit.h"

int TEnumString::Next(int count, QStringList& strings, int& fetched)
{
    fetched = 0;
    while (fetched < count && List && Index < List->size()) {
        strings << (*List)[Index];
        ++Index;
        ++fetched;
    }
    return fetched == count ? S_OK : S_FALSE;
}

int TEnumString::Skip(int count)
{
    Index += count;
    if (List && Index < List->size())
        return S_OK;
    Index = 0;
    return S_FALSE;
}

int TEnumString::Reset()
{
    if (ResetHandler)
        ResetHandler();
    Index = 0;
    return S_OK;
}

std::unique_ptr<IEnumString> TEnumString::Clone() const
{
    auto copy = std::make_unique<TEnumString>(List);
    copy->Index = Index;
    return copy;
}

TAutoCompleteControl::TAutoCompleteControl(TCustomMaskEdit* edit, std::function<void(QStringList&)> refill)
    : refill_(std::move(refill))
{
    if (!edit)
        throw std::invalid_argument("TAutoCompleteControl needs an edit");
    enumerator_ = std::make_unique<TEnumString>(&list_);
    enumerator_->ResetHandler = [this] { Refill(); };
    shell_ = std::make_unique<TShellAutoComplete>(edit, enumerator_.get());
    shell_->SetOptions(OptionsOn);
    shell_->Enable(true);
    enabled_ = true;
}

TAutoCompleteControl::~TAutoCompleteControl()
{
    if (shell_)
        shell_->Enable(false);
    shell_.reset();
}

void TAutoCompleteControl::Enable(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    shell_->Enable(on);
    shell_->SetOptions(on ? OptionsOn : TShellAutoComplete::ACO_NONE);
}

void TAutoCompleteControl::Refill()
{
    list_.clear();
    if (refill_)
        refill_(list_);
}
