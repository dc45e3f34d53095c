#pragma once
// A command that menus and buttons share: its caption, hint, image and checked, enabled
// and visible states, and what it does when executed. Controls linked to an action take
// its values when linked and follow every change; executing the linked control executes
// the action.
#include "platform/ImageList.h"
#include "platform/Persistent.h"

#include <functional>
#include <string>
#include <vector>

namespace platform {

class ActionLink;

class Action : public TPersistent {
public:
    Action() = default;
    // Unlinks every client; each keeps the values it last took.
    ~Action() override;
    Action(const Action&) = delete;
    Action& operator=(const Action&) = delete;
    const char* ClassName() const override { return "Action"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { Store(caption_, value); }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { Store(hint_, value); }
    bool Checked() const { return checked_; }
    void SetChecked(bool value) { Store(checked_, value); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { Store(enabled_, value); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { Store(visible_, value); }
    // The action's image: ImageIndex in Images; -1 or no Images: none. Images is borrowed
    // and must outlive the action or be set to null first.
    int32_t ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int32_t value) { Store(imageIndex_, value); }
    const ImageList* Images() const { return images_; }
    void SetImages(const ImageList* value) { Store(images_, value); }
    // The pixels of the action's image; an empty view when it has none.
    ConstPixelView Image() const;

    // Fires OnExecute when the action is enabled and has one; false when nothing ran.
    bool Execute();

    TNotifyEvent OnExecute;

private:
    friend class ActionLink;

    // The setters' rule: a changed value is stored and every linked client told.
    template <class T>
    void Store(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        Changed();
    }
    void Changed();

    std::string caption_;
    std::string hint_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    int32_t imageIndex_ = -1;
    const ImageList* images_ = nullptr;
    std::vector<ActionLink*> links_;
};

// A control's tie to an action: while linked, onChange runs with the action when the link
// is made and after each change of the action's values. An action that goes away leaves
// the link empty.
class ActionLink {
public:
    explicit ActionLink(std::function<void(const Action&)> onChange) : onChange_(std::move(onChange)) {}
    ~ActionLink() { SetAction(nullptr); }
    ActionLink(const ActionLink&) = delete;
    ActionLink& operator=(const ActionLink&) = delete;

    platform::Action* Action() const { return action_; }
    // Borrowed; null unlinks.
    void SetAction(platform::Action* action);

private:
    friend class platform::Action;

    platform::Action* action_ = nullptr;
    std::function<void(const platform::Action&)> onChange_;
};

} // namespace platform
