#include "platform/framework/actions/Action.h"

#include <algorithm>

#include "platform/framework/actions/ActionLink.h"
#include "platform/framework/actions/ActionList.h"
#include "platform/framework/PendingReference.h"

TAction::TAction(TComponent* owner) : TComponent(owner) {}

TAction::~TAction()
{
    MarkDestroying();
    // Links drop out of the list as they are told.
    while (!links_.empty())
        links_.back()->ActionGone();
    SetActionList(nullptr);
}

void TAction::SetCaption(const QString& v)
{
    if (Exchange(caption_, v))
        Changed();
}

void TAction::SetChecked(bool v)
{
    if (Exchange(checked_, v))
        Changed();
}

void TAction::SetEnabled(bool v)
{
    if (Exchange(enabled_, v))
        Changed();
}

void TAction::SetVisible(bool v)
{
    if (Exchange(visible_, v))
        Changed();
}

void TAction::SetHint(const QString& v)
{
    if (Exchange(hint_, v))
        Changed();
}

void TAction::SetHelpContext(int v)
{
    if (Exchange(helpContext_, v))
        Changed();
}

void TAction::SetImageIndex(int v)
{
    if (Exchange(imageIndex_, v))
        Changed();
}

void TAction::SetShortCut(int v)
{
    if (Exchange(shortCut_, v))
        Changed();
}

void TAction::SetActionList(TActionList* list)
{
    pendingList_.clear();
    if (list == actionList_)
        return;
    if (actionList_)
        actionList_->RemoveAction(this);
    actionList_ = list;
    if (actionList_)
        actionList_->AddAction(this);
}

int TAction::Index() const
{
    return actionList_ ? actionList_->IndexOf(this) : -1;
}

bool TAction::Execute()
{
    // The state is checked again here: a stale button must not run a disabled command.
    Update();
    if (!enabled_ || !OnExecute)
        return false;
    OnExecute(this);
    return true;
}

bool TAction::Update()
{
    if (OnUpdate) {
        OnUpdate(this);
        return true;
    }
    if (disableIfNoHandler_)
        SetEnabled(static_cast<bool>(OnExecute));
    return false;
}

void TAction::Loaded()
{
    TComponent::Loaded();
    if (auto* list = ResolvePending<TActionList>(*this, pendingList_, "ActionList", "action list", "an action list"))
        SetActionList(list);
}

void TAction::AddLink(TActionLink* link)
{
    links_.push_back(link);
}

void TAction::RemoveLink(TActionLink* link)
{
    std::erase(links_, link);
}

void TAction::Changed()
{
    // A client may drop its link while it is told.
    const auto copy = links_;
    for (TActionLink* link : copy)
        if (std::find(links_.begin(), links_.end(), link) != links_.end())
            link->Changed();
}
