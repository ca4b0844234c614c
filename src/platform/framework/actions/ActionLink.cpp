#include "platform/framework/actions/ActionLink.h"

#include "platform/framework/actions/Action.h"

TActionLink::~TActionLink()
{
    if (action_)
        action_->RemoveLink(this);
}

void TActionLink::SetAction(TAction* action)
{
    if (action == action_)
        return;
    if (action_)
        action_->RemoveLink(this);
    action_ = action;
    if (action_) {
        action_->AddLink(this);
        client_->ActionChanged(*action_);
    }
}

bool TActionLink::Execute()
{
    return action_ && action_->Execute();
}

void TActionLink::Changed()
{
    if (action_)
        client_->ActionChanged(*action_);
}

void TActionLink::ActionGone()
{
    if (!action_)
        return;
    action_->RemoveLink(this);
    action_ = nullptr;
    client_->ActionDestroyed();
}
