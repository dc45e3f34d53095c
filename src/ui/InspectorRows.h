#pragma once
// The small vocabulary the editor's windows use on their inspectors: rows are
// found and made by key (the item's name) and shown under their caption; texts
// cross between the model (Windows-1252) and the inspector (UTF-8) here only.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "inspector/rmInspector.h"
#include "ui/InspectorKeys.h"

// A model text as the inspector shows it.
std::string InspectorText(std::string_view windows1252);
// A row's text as the model stores it: cut to its first `maxChars` characters
// (the longest text a change handler takes from a row), then Windows-1252.
std::string ModelText(std::string_view utf8, size_t maxChars = 100);

// Tells the designer that a text held characters a mission cannot keep (its texts
// are Windows-1252): each was stored as "?". Windows-1252, for the prompts.
const std::string& CharactersLostNote();
// True when a committed change (not one while the row is being typed in) brings a
// text with such characters. Asked before the change is applied; the row then shows
// the text as stored, so that the commit that follows the typing reports it once.
bool LosesCharacters(const TrmInspector& inspector, const TrmCustomInspectorItem& row);

// The row with that key; null when the inspector has none.
inline TrmCustomInspectorItem* FindRow(const TrmInspector& inspector, std::string_view key)
{
    return inspector.GetItemByName(std::string(key));
}
inline TrmCustomInspectorItem* FindRow(const TrmInspector& inspector, InspectorRow row)
{
    return FindRow(inspector, InspectorKeys().Key(row));
}
template <class T>
T* FindRowAs(const TrmInspector& inspector, std::string_view key)
{
    return dynamic_cast<T*>(FindRow(inspector, key));
}

// The row of that key when it is one of `itemClass`; else a new row of that
// class appended under `parent` (null: the roots), named `key` and captioned
// `caption`. A row of that key but another class is replaced.
TrmCustomInspectorItem& EnsureRow(TrmInspector& inspector, TrmTreeNonViewNode* parent,
                                  const TrmInspectorItemClass& itemClass, std::string_view key,
                                  std::string_view caption);
template <class T>
T& EnsureRow(TrmInspector& inspector, TrmTreeNonViewNode* parent, std::string_view key, std::string_view caption)
{
    return static_cast<T&>(EnsureRow(inspector, parent, T::Class, key, caption));
}
// A catalogue row under its own key and caption.
template <class T>
T& EnsureRow(TrmInspector& inspector, TrmTreeNonViewNode* parent, InspectorRow row)
{
    return EnsureRow<T>(inspector, parent, InspectorKeys().Key(row), InspectorKeys().Caption(row));
}

// Shows `utf8` in the row; nothing when the row is absent or already shows it.
// A number the row's range refuses leaves it empty; a text that is no value of
// the row's kind at all leaves it as it was.
void SetRowText(TrmCustomInspectorItem* row, const std::string& utf8);
inline void SetRowText(TrmInspector& inspector, std::string_view key, const std::string& utf8)
{
    SetRowText(FindRow(inspector, key), utf8);
}
void SetRowCaption(TrmCustomInspectorItem& row, std::string_view caption);
void SetRowChoices(TrmComboInspectorItem& row, std::vector<std::string> choices);
// The catalogue's fixed choices of a row.
std::vector<std::string> CatalogueChoices(InspectorRow row);
// The choice at `index`, the empty text when there is none.
std::string ChoiceAt(std::span<const std::string> choices, size_t index);
// The position of a choice row's value in its list, -1 for none (or another kind of
// row). Choices are told apart by it: their texts may read alike.
int ChoicePosition(const TrmCustomInspectorItem& row);

// Removes the row and what lies beneath it (the selection first, when it is there).
void RemoveRow(TrmInspector& inspector, std::string_view key);
// Removes the rows beneath `row`, leaving the selection when it is there.
void RemoveChildRows(TrmInspector& inspector, TrmCustomInspectorItem& row);
// No selected row and no rows.
void ClearInspector(TrmInspector& inspector);

// The whole number a row shows; false for an empty or non-numeric text.
bool RowInteger(const TrmCustomInspectorItem& row, int64_t& value);
