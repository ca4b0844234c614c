#include "platform/framework/actions/ActionList.h"

#include <algorithm>

#include "platform/framework/actions/Action.h"
#include "platform/framework/actions/ImageList.h"
#include "platform/framework/PendingReference.h"

TActionList::TActionList(TComponent* owner) : TComponent(owner) {}

TActionList::~TActionList()
{
    SetImages(nullptr);
    // The actions outlive their list when another component owns them.
    while (!actions_.empty())
        actions_.back()->SetActionList(nullptr);
}

TAction* TActionList::Actions(int index) const
{
    if (index < 0 || index >= ActionCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return actions_[index];
}

int TActionList::IndexOf(const TAction* action) const
{
    const auto it = std::find(actions_.begin(), actions_.end(), action);
    return it == actions_.end() ? -1 : static_cast<int>(it - actions_.begin());
}

void TActionList::SetImages(TImageList* images)
{
    pendingImages_.clear();
    images_.Set(images);
}

void TActionList::UpdateActions()
{
    const auto copy = actions_;
    for (TAction* a : copy)
        a->Update();
}

void TActionList::Loaded()
{
    TComponent::Loaded();
    if (auto* list = ResolvePending<TImageList>(*this, pendingImages_, "Images", "image list", "an image list"))
        SetImages(list);
}

void TActionList::AddAction(TAction* action)
{
    actions_.push_back(action);
}

void TActionList::RemoveAction(TAction* action)
{
    std::erase(actions_, action);
}
