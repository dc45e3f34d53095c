#pragma once
// The narrow doors through which the model reaches the user interface. Each
// interface's own methods do nothing, so an object that was never given a real
// implementation simply shows nothing; the windows derive from them and tests
// derive recording fakes. Texts are the model's single-byte Windows-1252 texts.
#include <string>

class CProvince;

// The progress window of long operations. Positions are absolute (a three-stage
// operation starts with maximum 3 and steps to 1, 2, 3); a Start while shown
// replaces caption and maximum.
//
// Contract for implementations: between Start and End no window may take user
// input (painting only), so nothing can edit a half-built project; Step may let
// pending paint events through but never input events. Operations use
// CProgressScope, which guarantees the End on every way out.
class IProgressDisplay {
public:
    virtual ~IProgressDisplay() = default;
    virtual void Start(const std::string& /*caption*/, int /*maximum*/) {}
    virtual void Step(int /*position*/) {}
    virtual void End() {}
};

// Message boxes and questions.
class IPrompts {
public:
    enum Answer { kYes, kNo, kCancel };

    virtual ~IPrompts() = default;
    // An information box with an OK button.
    virtual void Message(const std::string& /*text*/) {}
    // An error box with an OK button, titled `caption`; the default shows a plain message.
    virtual void ErrorMessage(const std::string& text, const std::string& /*caption*/) { Message(text); }
    // A Yes/No/Cancel question; the default answers Cancel, which keeps everything as it is.
    virtual Answer Ask(const std::string& /*text*/, const std::string& /*caption*/) { return kCancel; }
    // An OK/Cancel question: true for OK. The default answers Cancel.
    virtual bool Confirm(const std::string& /*text*/, const std::string& /*caption*/) { return false; }
};

// The world view: the picture of each piece in the world bitmap, the province
// layers above it and the view's scroll position.
class IWorldView {
public:
    virtual ~IWorldView() = default;
    // Draws the piece's current mask picture into the world bitmap.
    virtual void DrawPiece(int /*pieceIndex*/) {}
    // Rebuilds the piece's mask picture from its state (kind, owner, shading) and draws it.
    virtual void RebuildPiecePicture(int /*pieceIndex*/) {}
    // Scrolls so that world point (x, y) is in the middle of the view.
    virtual void CenterView(int /*x*/, int /*y*/) {}
    // The province is about to be deleted: detach it from its piece and drop
    // everything shown of it (its four layers with their tags, its row in the
    // provinces list).
    virtual void ForgetProvince(CProvince& /*province*/) {}
};

// The windows that show data derived from the provinces and the catalogue:
// the selection summary, the mission window's victory and lose rows, the
// province inspector, the provinces list, the castle-picture panel.
class IProjectViews {
public:
    virtual ~IProjectViews() = default;
    virtual void ProvincesDeleted() {}
    // The project's icon pictures were loaded again: rebuild the castle-picture panel.
    virtual void CastlePicturesChanged() {}
    // Append a row for the province to the provinces list: caption its name,
    // first sub-item its owner's name ("none" without owner).
    virtual void AddProvinceRow(CProvince& /*province*/, const std::string& /*name*/,
                                const std::string& /*ownerName*/) {}
    // Show `ownerName` in the province's row of the provinces list.
    virtual void SetProvinceRowOwner(CProvince& /*province*/, const std::string& /*ownerName*/) {}
    // The player of the selected row of the players list, -1 for none.
    virtual int SelectedPlayer() const { return -1; }
    // Stop the blinking of the province shown as a player's capital.
    virtual void StopBlinking() {}
    // The project is being emptied. First: deselect the rows of the mission,
    // event, province and player inspectors.
    virtual void DeselectInspectors() {}
    // Then, once its content is gone: empty the provinces list, the players
    // list and the events list.
    virtual void ClearProjectLists() {}
    // Last: deselect and clear the items of the province, player, event and
    // mission inspectors, in that order.
    virtual void ClearInspectors() {}
};

// The visible side of the province selection: highlighted pieces, selected
// rows of the provinces list, the province inspector.
class ISelectionView {
public:
    virtual ~ISelectionView() = default;
    // Highlight the province's piece and select its row.
    virtual void ProvinceSelected(CProvince& /*province*/) {}
    // Remove the highlight and deselect the row.
    virtual void ProvinceDeselected(CProvince& /*province*/) {}
    // The province was refused (another owner): its row must not stay selected.
    virtual void ProvinceRefused(CProvince& /*province*/) {}
    // Rebuild the inspector from the selection (empty: no rows).
    virtual void SelectionChanged() {}
};

// Returns `hook`, or the interface's do-nothing object when it is null.
template <typename Interface>
Interface& HookOrDefault(Interface* hook)
{
    static Interface nothing;
    return hook ? *hook : nothing;
}
