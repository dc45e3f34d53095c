#pragma once
// The combo box (TCustomComboBox: a drop-down combo of our own, a button combo without
// the ellipsis button) and TrmComboBox, which adds type-ahead completion and a history of
// the texts entered, kept in the key-value store that stands for the registry.
#include "inspector/rmBtnCombo.h"
#include "platform/KeyValueStore.h"
#include "platform/Registry.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

// How the text comes about: typed freely (csDropDown), or always one of the items, chosen
// and never typed, the items and the chosen one drawn by OnDrawItem (csOwnerDrawFixed: the
// items all one height; csOwnerDrawVariable: each as high as OnMeasureItem makes it).
enum TComboBoxStyle : uint8_t { csDropDown, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox : public TrmCustomBtnCombo {
public:
    TCustomComboBox();
    const char* ClassName() const override { return "TCustomComboBox"; }

    TComboBoxStyle Style() const { return FStyle; }
    // The owner-drawn styles switch typing off (EditorEnabled); a typed character then
    // chooses the next item that starts with it, and every choice is final: Escape has
    // nothing to go back to.
    void SetStyle(TComboBoxStyle Value);
    bool OwnerDrawn() const { return FStyle != csDropDown; }
    // The canvas OnDrawItem draws on (the list's for its rows, the combo box's own for the
    // chosen item with odComboBoxEdit); null at other times.
    platform::Canvas* Canvas() const { return FFieldCanvas ? FFieldCanvas : FListBox.Canvas(); }

    // The open list shows this many rows at most (fewer for fewer items); at least 1.
    int32_t DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int32_t Value) { FDropDownCount = std::max(Value, 1); }
    // Whether the items are kept sorted, ignoring ASCII case.
    bool Sorted() const { return FListBox.Sorted(); }
    void SetSorted(bool Value) { FListBox.SetSorted(Value); }

    // The first item after index StartAfter (-1: from the top), wrapping round, that
    // starts with Prefix, ignoring ASCII case; -1 when none does.
    int32_t FindString(std::string_view Prefix, int32_t StartAfter) const;
    void SetDroppedDown(bool Value);

    // With an owner-drawn style: draws an item (Control is the combo box); without it
    // the items are drawn as the list draws them.
    TDrawItemEvent OnDrawItem;
    // With csOwnerDrawVariable: the height of each item, asked as the list opens and
    // whenever the items change.
    TMeasureItemEvent OnMeasureItem;

protected:
    // Every close of the list: fires OnCloseUp.
    virtual void CloseUp();
    void ListClosed(bool Taken) override;
    void KeyPress(char32_t& Key) override;
    void Change() override;
    // With an owner-drawn style and OnDrawItem, the chosen item over the text field.
    void Paint(platform::Canvas& Canvas) override;
    // DropDownCount rows, or as many as there are items.
    int32_t ListHeight() const override { return FListBox.HeightForRows(FDropDownCount); }

private:
    TComboBoxStyle FStyle = csDropDown;
    int32_t FDropDownCount = 8;
    platform::Canvas* FFieldCanvas = nullptr; // while the text field is owner-drawn
};

enum TRegKey : uint8_t { rkHKEY_CLASSES_ROOT, rkHKEY_CURRENT_USER, rkHKEY_LOCAL_MACHINE, rkHKEY_USERS };
// The stores that stand for the registry's four root keys, in TRegKey order (borrowed;
// null where the installed registry's store is to be used).
using TRegistryRoots = std::array<platform::KeyValueStore*, 4>;

class TrmComboBox : public TCustomComboBox {
public:
    const char* ClassName() const override { return "TrmComboBox"; }

    bool TextCompletion() const { return FTextCompletion; }
    void SetTextCompletion(bool Value) { FTextCompletion = Value; }
    // The texts committed, latest first; empty texts never enter. Kept apart from the
    // items; with MRUCombo the items show it after loading and after every commit.
    const std::vector<std::string>& History() const { return FHistory; }
    void SetHistory(const std::vector<std::string>& Value) { FHistory = Value; }
    // Empties the history, the saved one too (with MRUCombo): it stays empty.
    void ClearHistory();
    // Only this many history lines are saved.
    int32_t MaxHistory() const { return FMaxHistory; }
    void SetMaxHistory(int32_t Value) { FMaxHistory = Value; }
    TRegKey RegKey() const { return FRegKey; }
    void SetRegKey(TRegKey Value) { FRegKey = Value; }
    // RegPath ends in a backslash exactly when RegName is set.
    const std::string& RegPath() const { return FRegPath; }
    void SetRegPath(const std::string& Value);
    const std::string& RegName() const { return FRegName; }
    void SetRegName(const std::string& Value);
    void SetRegistryRoots(const TRegistryRoots& Value) { FRoots = Value; }
    // Whether committed texts go into the history (and the history into the registry).
    bool MRUCombo() const { return FMRUCombo; }
    void SetMRUCombo(bool Value) { FMRUCombo = Value; }
    bool AutoUpdateHistory() const { return FAutoUpdateHistory; }
    void SetAutoUpdateHistory(bool Value) { FAutoUpdateHistory = Value; }

    // Sets the text and commits it: remembered, put at the top of the history (moved
    // there when present; an empty text is not), saved and shown as the items with
    // MRUCombo, then selected.
    void SetText(std::string_view Value);
    void InsertText(std::string_view Value) { SetText(Value); }
    void UpdateHistory();
    // Writes "Item_0", "Item_1", ... for the first MaxHistory lines under RegPath + RegName
    // and removes the entries after them.
    void SaveHistory();
    // With an empty history, reads the values back; then shows the history as the items.
    void LoadHistory();

    void Loaded() override;

protected:
    void DoEnter() override;
    void DoExit() override;
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void KeyUp(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    // After Enter commits the text; after Escape goes back to the text of entering.
    void Change() override;
    void DropDown() override;
    void CloseUp() override;

private:
    platform::KeyValueStore* Root() const
    {
        return FRoots[FRegKey] != nullptr ? FRoots[FRegKey] : platform::RegistryRoot(platform::RegistryRootKey(FRegKey));
    }
    std::string HistoryKey() const { return FRegPath + FRegName; }
    bool HasRegistryKey() const { return !FRegPath.empty() && !FRegName.empty(); }
    // Removes the saved entries from "Item_<First>" on.
    void RemoveSavedEntries(int32_t First);
    // Selects the item Index and leaves its part after the first Typed characters selected.
    void Complete(int32_t Index, int32_t Typed);

    bool FTextCompletion = false;
    std::vector<std::string> FHistory;
    std::string FEnterText;
    char32_t FLastChar = 0;
    int32_t FMaxHistory = 20;
    TRegKey FRegKey = rkHKEY_CLASSES_ROOT;
    std::string FRegPath;
    std::string FRegName;
    bool FMRUCombo = false;
    bool FCompleting = false;
    bool FAutoUpdateHistory = true;
    int32_t FSelStart = 0;
    int32_t FLastFound = -1;
    bool FDroppedDown = false;
    TRegistryRoots FRoots{};
};
