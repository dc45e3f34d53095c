#include "platform/Action.h"

#include <algorithm>

namespace platform {

Action::~Action()
{
    for (ActionLink* link : links_)
        link->action_ = nullptr;
}

bool Action::Execute()
{
    if (!enabled_ || !OnExecute)
        return false;
    OnExecute(this);
    return true;
}

ConstPixelView Action::Image() const
{
    return images_ && imageIndex_ >= 0 ? images_->Image(imageIndex_) : ConstPixelView{};
}

void Action::Changed()
{
    // A client may unlink itself while it follows the change.
    const std::vector<ActionLink*> links = links_;
    for (ActionLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end())
            link->onChange_(*this);
}

void ActionLink::SetAction(platform::Action* action)
{
    if (action == action_)
        return;
    if (action_)
        std::erase(action_->links_, this);
    action_ = action;
    if (!action_)
        return;
    action_->links_.push_back(this);
    onChange_(*action_);
}

} // namespace platform
