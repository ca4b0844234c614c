#include "platform/framework/Component.h"
#include "platform/framework/ComponentCount.h"

#include <algorithm>

namespace {
// Process-wide, not per context: see AppContext.h.
int g_liveComponents = 0;
}

int LiveComponentCount()
{
    return g_liveComponents;
}

TComponent::TComponent(TComponent* owner)
{
    ++g_liveComponents;
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    state_ |= csDestroying;
    DestroyComponents();
    if (owner_)
        owner_->RemoveComponent(this);
    --g_liveComponents;
}

void TComponent::DestroyComponents()
{
    // A component may free others it owns indirectly; always take the last one left.
    while (!components_.empty()) {
        TComponent* c = components_.back();
        RemoveComponent(c);
        delete c;
    }
}

void TComponent::InsertComponent(TComponent* c)
{
    components_.push_back(c);
    c->owner_ = this;
}

void TComponent::RemoveComponent(TComponent* c)
{
    auto it = std::find(components_.begin(), components_.end(), c);
    if (it == components_.end())
        return;
    components_.erase(it);
    c->owner_ = nullptr;
    for (TComponent* other : components_)
        other->Notification(c, true);
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return components_[index];
}

TComponent* TComponent::FindComponent(const QString& name) const
{
    if (name.isEmpty())
        return nullptr;
    for (TComponent* c : components_)
        if (c->name_.compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

void TComponent::SetName(const QString& name)
{
    if (name == name_)
        return;
    if (owner_ && !name.isEmpty()) {
        TComponent* other = owner_->FindComponent(name);
        if (other && other != this)
            throw Exception("A component named " + name.toStdString() + " already exists");
    }
    name_ = name;
}

void TComponent::EndLoading()
{
    state_ &= ~csLoading;
    Loaded();
}
